// What every file name Korvo makes from outside input must be: one name, kept by Windows exactly
// as written. No character Windows forbids in a name, no separator (no byte of a multi-byte UTF-8
// character is one), no dot or blank at the end (Windows drops them), at most 255 characters, and
// no device name before the first dot.
#pragma once

#include <cctype>
#include <cstddef>
#include <string>
#include <string_view>

#include "base/limits.h"
#include "base/text.h"

namespace korvo::fuzz {

inline bool NamesADevice(std::string_view name) {
    std::string stem(name.substr(0, name.find('.')));
    while (!stem.empty() && (stem.back() == ' ' || stem.back() == '.')) stem.pop_back();
    for (char& c : stem) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (stem == "con" || stem == "prn" || stem == "aux" || stem == "nul") return true;
    return stem.size() == 4 && (stem.rfind("com", 0) == 0 || stem.rfind("lpt", 0) == 0) && stem[3] >= '1' && stem[3] <= '9';
}

inline bool IsSafeFileName(std::string_view name) {
    if (name.empty() || name.back() == '.' || name.back() == ' ') return false;
    if (korvo::PathLength(name) > korvo::NAME_MAX_CHARS || NamesADevice(name)) return false;
    for (char byte : name) {
        const auto c = static_cast<unsigned char>(byte);
        if (c < 0x20 || c == '<' || c == '>' || c == ':' || c == '"' || c == '|' || c == '?' || c == '*' ||
            c == '/' || c == '\\') {
            return false;
        }
    }
    return true;
}

}  // namespace korvo::fuzz
