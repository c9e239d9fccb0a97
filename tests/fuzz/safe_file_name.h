// What every file name Korvo makes from outside input must be: one name, kept by Windows exactly
// as written. No character Windows forbids in a name, no separator (a trail byte of a double-byte
// character is no separator), no dot or blank at the end (Windows drops them), at most 255
// characters, and no device name before the first dot.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "base/limits.h"
#include "base/text.h"

namespace korvo::fuzz {

inline bool NamesADevice(std::string_view name) {
    std::string_view stem = name.substr(0, name.find('.'));
    while (!stem.empty() && (stem.back() == ' ' || stem.back() == '.')) stem.remove_suffix(1);
    static constexpr std::array<std::string_view, 4> plain = {"con", "prn", "aux", "nul"};
    for (std::string_view device : plain) {
        if (stem.size() == 3 && korvo::StartsWithNoCase(stem, device, 3)) return true;
    }
    return stem.size() == 4 && (korvo::StartsWithNoCase(stem, "com", 3) || korvo::StartsWithNoCase(stem, "lpt", 3)) &&
           stem[3] >= '1' && stem[3] <= '9';
}

inline bool IsSafeFileName(std::string_view name) {
    if (name.empty() || name.back() == '.' || name.back() == ' ') return false;
    if (korvo::PathLength(name) > korvo::NAME_MAX_CHARS || NamesADevice(name)) return false;
    for (std::size_t at = 0; at < name.size(); ++at) {
        const auto c = static_cast<unsigned char>(name[at]);
        if (korvo::IsLeadByte(c) && at + 1 < name.size()) {
            ++at;
            continue;
        }
        if (c < 0x20 || c == '<' || c == '>' || c == ':' || c == '"' || c == '|' || c == '?' || c == '*' ||
            c == '/' || c == '\\') {
            return false;
        }
    }
    return true;
}

}  // namespace korvo::fuzz
