// The configuration loader on arbitrary file contents, with a few folders that exist so that
// [dir] lines can be accepted.
#include <cstddef>
#include <cstdint>
#include <string>

#include "config/loader.h"
#include "fake_platform.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    korvo::testing::FakePlatform platform;
    platform.AddFolder("C:\\Korvo\\");
    for (const char* folder : {"C:\\A", "C:\\A\\B", "D:\\", "C:\\x.y", "C:\\\x95\x5C"}) {
        platform.AddFolder(folder);
    }
    platform.AddFile("C:\\Korvo\\Korvo.ini", std::string(reinterpret_cast<const char*>(data), size));
    korvo::RunState run = korvo::testing::StartedRun("Korvo.exe", 1);

    if (korvo::LoadConfiguration(platform, run) != 1) __builtin_trap();
    if (run.folders.size() > static_cast<std::size_t>(korvo::FOLDER_MAX)) __builtin_trap();
    if (run.params.size() > static_cast<std::size_t>(korvo::PARAM_MAX)) __builtin_trap();
    for (const auto& entry : run.folders) {
        if (entry.path.size() > korvo::PATH_MAX_CHARS || entry.label.size() > korvo::PATH_MAX_CHARS) {
            __builtin_trap();
        }
    }
    return 0;
}
