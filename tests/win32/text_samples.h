// Shared by the Win32 tests: sample characters and a readable form of any text.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "win32/windows_api.h"

namespace korvo::testing {

// Characters that were troublesome in code page 932 (their second byte looked like ASCII), and
// some it never held.
constexpr char HYOU[] = "表";
constexpr char SO[] = "ソ";
constexpr char A_KANA[] = "ア";
constexpr char MU[] = "ム";
constexpr char FU[] = "フ";
constexpr char FULLWIDTH_A[] = "Ａ";
constexpr char E_DIAERESIS[] = "ë";
constexpr char EMOJI[] = "\U0001F600";

// The text with every byte outside printable ASCII written as \xNN, for failure messages.
inline std::string Shown(const std::string& text) {
    std::string shown = "\"";
    for (unsigned char c : text) {
        if (c >= 0x20 && c < 0x7F && c != '\\') {
            shown += static_cast<char>(c);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof(escaped), "\\x%02X", c);
            shown += escaped;
        }
    }
    return shown + "\"";
}

}  // namespace korvo::testing
