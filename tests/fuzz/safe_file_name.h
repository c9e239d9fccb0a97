// What every file name Korvo makes from outside input must be: no character Windows forbids in a
// name, and no separator (a trail byte of a double-byte character is no separator).
#pragma once

#include <cstddef>
#include <string_view>

#include "base/text.h"

namespace korvo::fuzz {

inline bool HoldsOnlyNameCharacters(std::string_view name) {
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
