// The configuration loader on arbitrary file contents (code page 932, UTF-8 with or without a
// byte-order mark, or neither), with a few folders that exist so that [dir] lines can be accepted:
// every text it keeps is valid UTF-8 within its limits.
#include <cstddef>
#include <cstdint>
#include <string>

#include "base/text.h"
#include "config/loader.h"
#include "fake_platform.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    korvo::testing::FakePlatform platform;
    platform.AddFolder("C:\\Korvo\\");
    for (const char* folder : {"C:\\A", "C:\\A\\B", "D:\\", "C:\\x.y", "C:\\表"}) {
        platform.AddFolder(folder);
    }
    platform.AddFile("C:\\Korvo\\Korvo.ini", std::string(reinterpret_cast<const char*>(data), size));
    korvo::RunState run = korvo::testing::StartedRun("Korvo.exe", 1);

    // Only a file that claims UTF-8 with a byte-order mark and is not is refused.
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const bool refusable = text.substr(0, 3) == "\xEF\xBB\xBF" && !korvo::IsValidUtf8(text);
    if (korvo::LoadConfiguration(platform, run) != 1) {
        if (!refusable) __builtin_trap();
        return 0;
    }
    if (run.folders.size() > static_cast<std::size_t>(korvo::FOLDER_MAX)) __builtin_trap();
    if (run.params.size() > static_cast<std::size_t>(korvo::PARAM_MAX)) __builtin_trap();
    for (const auto& entry : run.folders) {
        if (korvo::PathLength(entry.path) > korvo::PATH_MAX_CHARS || entry.label.size() > 3 * korvo::PATH_MAX_CHARS ||
            !korvo::IsValidUtf8(entry.path) || !korvo::IsValidUtf8(entry.label)) {
            __builtin_trap();
        }
    }
    return 0;
}
