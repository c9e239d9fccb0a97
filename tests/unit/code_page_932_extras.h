// The single bytes of code page 932 that Windows decodes and the C library's table refuses. The
// fake platform decodes them so; a Win32 test checks them against the system's own table.
#pragma once

#include <utility>

namespace korvo::testing {

inline constexpr std::pair<char, const char*> CODE_PAGE_932_EXTRA_BYTES[] = {
    {'\x80', "\u0080"}, {'\xA0', "\uF8F0"}, {'\xFD', "\uF8F1"}, {'\xFE', "\uF8F2"}, {'\xFF', "\uF8F3"},
};

}  // namespace korvo::testing
