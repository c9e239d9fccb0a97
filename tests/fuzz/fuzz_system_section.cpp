// The [system] section with its parameter block, "@path=", "@editor=", "@menu=" and "@base=", and a
// [dir] section that expands with the parameters it declares.
#include <cstddef>
#include <cstdint>
#include <string>

#include "base/text.h"
#include "config/file_encoding.h"
#include "config/loader.h"
#include "config/program_path.h"
#include "fake_platform.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    korvo::testing::FakePlatform platform;
    platform.AddFolder("C:\\Korvo\\");
    platform.AddFolder("C:\\Users\\Tester\\Documents");
    platform.AddFile("C:\\Windows\\system32\\notepad.exe", "");
    platform.AddFile("C:\\Work\\paths.txt", "PATH=C:\\Tools;C:\\Bin\r\n");
    const std::string input(reinterpret_cast<const char*>(data), size);
    platform.AddFile("C:\\Korvo\\Korvo.ini", "[system]\r\n" + input + "\r\n%end\r\n[dir]\r\n" + input);
    korvo::RunState run = korvo::testing::StartedRun("Korvo.exe", 1);

    if (korvo::LoadConfiguration(platform, run) != 1) __builtin_trap();
    if (run.params.size() > static_cast<std::size_t>(korvo::PARAM_MAX)) __builtin_trap();
    // Fields count as code page 932 does in either encoding; paths count UTF-16 units.
    auto fits = [](const std::string& field, std::size_t max) {
        return korvo::CutToFileBytes(field, max) == field;
    };
    for (const auto& row : run.params) {
        // A value is kept whole (a line's worth); a name counts as code page 932 does.
        if (!fits(row.name, korvo::PARAM_NAME_MAX_CHARS) || !fits(row.value, korvo::LINE_MAX_CHARS)) {
            __builtin_trap();
        }
    }
    using korvo::PathLength;
    if (PathLength(run.searchPath) > korvo::SEARCH_PATH_MAX_CHARS) __builtin_trap();
    if (PathLength(run.editorPath) > korvo::PATH_MAX_CHARS || PathLength(run.baseFolder) > korvo::PATH_MAX_CHARS) {
        __builtin_trap();
    }
    if (run.menuMode < korvo::MENU_MODE_ACTIVE || run.menuMode > korvo::MENU_MODE_CENTER) __builtin_trap();
    return 0;
}
