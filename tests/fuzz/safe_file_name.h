// What every file name Korvo makes from outside input must be, by Windows' own rules for naming a
// file: one name, kept exactly as written. None of the characters 0-31 or < > : " / \ | ? * (no
// byte of a multi-byte UTF-8 character is one), no blank or period at the end, at most 255
// characters, no control or bidirectional control character (either would show the name as
// another), and none of the reserved device names CON, PRN, AUX, NUL, COM1-COM9, COM¹-COM³,
// LPT1-LPT9, LPT¹-LPT³, in any case, alone or followed by an extension. (The list names COM0 and
// LPT0 as well, but Windows opens those as plain files: no port has the number 0.)
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
    const std::string number = stem.substr(3);
    return (number.size() == 1 && number[0] >= '1' && number[0] <= '9') ||
           number == "\u00B9" || number == "\u00B2" || number == "\u00B3";
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
