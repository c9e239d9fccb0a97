// Conversions between Korvo's code page 932 byte strings and the UTF-16 text of the W functions.
// The code page is named explicitly so that Korvo behaves the same whatever the system's ANSI code
// page is.
#pragma once

#include <string>
#include <string_view>

namespace korvo::win32 {

constexpr unsigned int KORVO_CODE_PAGE = 932;

// `codePage` is 932 but for text that comes in the system's own ANSI code page (CP_ACP, 0).
std::wstring ToWide(std::string_view text, unsigned int codePage = KORVO_CODE_PAGE);
std::string ToNarrow(std::wstring_view text);

}  // namespace korvo::win32
