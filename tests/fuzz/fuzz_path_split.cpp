// The path split on arbitrary bytes, UTF-8 or not: parts stay within their size, never split a
// character of valid UTF-8 and, joined, never invent text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "base/text.h"
#include "url/path_split.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string path(reinterpret_cast<const char*>(data), size);
    korvo::PathParts parts = korvo::SplitPath(path);
    for (const std::string* part : {&parts.drive, &parts.folder, &parts.name, &parts.extension}) {
        if (korvo::PathLength(*part) > 255) __builtin_trap();
        if (korvo::IsValidUtf8(path) && !korvo::IsValidUtf8(*part)) __builtin_trap();
    }
    // Uncut parts joined give back the start of the path (a part cut to 255 units may have lost
    // a character of two units as well, so 254 counts as cut).
    auto cut254 = [](const std::string& part) { return korvo::PathLength(part) >= 254; };
    bool cut = cut254(parts.folder) || cut254(parts.name) || cut254(parts.extension);
    std::string joined = parts.drive + parts.folder + parts.name + parts.extension;
    if (!cut && path.compare(0, joined.size(), joined) != 0) __builtin_trap();
    return 0;
}
