// The command-line options and both tokeniser modes on arbitrary text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/options.h"
#include "base/text.h"
#include "fake_platform.h"
#include "url/targets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    korvo::testing::FakePlatform platform;
    platform.AddFolder("C:\\Korvo\\");
    platform.AddFolder("C:\\Korvo\\sub");
    platform.AddFile("C:\\Korvo\\Korvo.ini", "");
    korvo::RunState run = korvo::testing::StartedRun("Korvo.exe", 1);

    korvo::ParseOptions(platform, run, text);
    for (int mode : {korvo::TARGET_MODE_COMMAND_LINE, korvo::TARGET_MODE_CLIPBOARD}) {
        korvo::ParseTargets(run.targets, text, mode, run.selectedProgram != -1);
        if (korvo::PathLength(run.targets.firstTarget) > korvo::URL_MAX_CHARS) __builtin_trap();
    }
    if (korvo::PathLength(run.configPath) > korvo::PATH_MAX_CHARS ||
        korvo::PathLength(run.baseFolder) > korvo::PATH_MAX_CHARS) {
        __builtin_trap();
    }
    return 0;
}
