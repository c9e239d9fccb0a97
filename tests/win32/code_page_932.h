// Shared by the Win32 tests: the A functions they compare against read text in the ANSI code page,
// so every differential test first makes sure that it is 932 (Wine under LANG=ja_JP.UTF-8).
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "win32/windows_api.h"

#define KORVO_REQUIRE_CODE_PAGE_932() \
    ASSERT_EQ(932u, GetACP()) << "run the Win32 tests under LANG=ja_JP.UTF-8 (Wine) or a Japanese locale"

namespace korvo::testing {

// Code page 932 characters whose trail byte looks like ASCII.
constexpr char HYOU[] = "\x95\x5C";  // 表: trail byte '\\'
constexpr char SO[] = "\x83\x5C";    // ソ: trail byte '\\'
constexpr char A_KANA[] = "\x83\x41";  // ア: trail byte 'A'
constexpr char MU[] = "\x83\x80";      // ム
constexpr char FU[] = "\x83\x74";      // フ: trail byte 't'
constexpr char FULLWIDTH_A[] = "\x82\x60";  // Ａ: trail byte '`'

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
