// A search-path file of arbitrary contents, and program resolution along what it gives.
#include <cstddef>
#include <cstdint>
#include <string>

#include "base/text.h"
#include "config/program_path.h"
#include "fake_platform.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    korvo::testing::FakePlatform platform;
    platform.AddFile("C:\\Tools\\tool.exe", "");
    platform.AddFile("C:\\Work\\paths.txt", std::string(reinterpret_cast<const char*>(data), size));
    korvo::RunState run = korvo::testing::StartedRun("Korvo.exe", 1);

    korvo::ReadSearchPathFile(platform, run, "C:\\Work\\paths.txt");
    if (korvo::PathLength(run.searchPath) > korvo::SEARCH_PATH_MAX_CHARS) __builtin_trap();
    if (run.searchPathSet && run.searchPath.empty()) __builtin_trap();
    for (char c : run.searchPath) {
        if (c == '\t' || c == '\r' || c == '\n' || c == '\0') __builtin_trap();
    }
    korvo::ResolvedProgram tool = korvo::ResolveProgramPath(platform, run, "tool", true);
    if (tool.found == 1 && korvo::PathLength(tool.path) > korvo::PATH_MAX_CHARS) __builtin_trap();
    return 0;
}
