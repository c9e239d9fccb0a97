// What every file name Korvo makes from outside input must be: no character Windows forbids in a
// name, and no separator. No byte of a multi-byte UTF-8 character is one of them.
#pragma once

#include <cstddef>
#include <string_view>

namespace korvo::fuzz {

inline bool HoldsOnlyNameCharacters(std::string_view name) {
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
