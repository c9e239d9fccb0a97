// The path split on arbitrary bytes: parts stay within their size and, joined, never invent text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "url/path_split.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string path(reinterpret_cast<const char*>(data), size);
    korvo::PathParts parts = korvo::SplitPath(path);
    for (const std::string* part : {&parts.drive, &parts.folder, &parts.name, &parts.extension}) {
        if (part->size() > 255) __builtin_trap();
    }
    // Uncut parts joined give back the start of the path (a part cut to 255 bytes may have lost
    // a double-byte character as well, so 254 counts as cut).
    bool cut = parts.folder.size() >= 254 || parts.name.size() >= 254 || parts.extension.size() >= 254;
    std::string joined = parts.drive + parts.folder + parts.name + parts.extension;
    if (!cut && path.compare(0, joined.size(), joined) != 0) __builtin_trap();
    return 0;
}
