// What every file name Korvo makes from outside input must be: one name, kept by Windows exactly
// as written. No character Windows forbids in a name, no separator (no byte of a multi-byte UTF-8
// character is one), no control or bidirectional control, no dot or blank at the end (Windows drops them), at most 255 characters, and
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
    if (stem.rfind("com", 0) != 0 && stem.rfind("lpt", 0) != 0) return false;
    const std::string number = stem.substr(3);  // Windows takes the superscripts one to three too
    return (number.size() == 1 && number[0] >= '1' && number[0] <= '9') || number == "\u00B9" || number == "\u00B2" ||
           number == "\u00B3";
}

inline bool IsSafeFileName(std::string_view name) {
    if (name.empty() || name.back() == '.' || name.back() == ' ') return false;
    if (korvo::PathLength(name) > korvo::NAME_MAX_CHARS || NamesADevice(name)) return false;
    for (std::size_t at = 0, length = 1; at < name.size(); at += length) {
        const char32_t c = korvo::CodePointAt(name, at, length);
        if (c < 0x20 || (c >= 0x80 && c <= 0x9F) || (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069) ||
            c == 0x200E || c == 0x200F || c == 0x061C ||
            (c < 0x80 && std::string_view("<>:\"|?*/\\").find(static_cast<char>(c)) != std::string_view::npos)) {
            return false;
        }
    }
    return true;
}

}  // namespace korvo::fuzz
