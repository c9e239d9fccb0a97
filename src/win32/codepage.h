// Conversions between the core's UTF-8 text and the UTF-16 text of the W functions. Both
// directions are exact: text that is not valid on its side (a stray UTF-8 byte, a lone surrogate
// in a name Windows gives back) is refused, never replaced by a look-alike or a question mark.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace korvo::win32 {

std::optional<std::wstring> Utf8ToWide(std::string_view text);
std::optional<std::string> WideToUtf8(std::wstring_view text);

// The same for calls where refused text may simply fail the call: an empty result stands for it.
std::wstring ToWide(std::string_view text);
std::string ToNarrow(std::wstring_view text);

// Text in a code page of its own (the configuration file's 932, the clipboard's plain text in the
// system's CP_ACP) to UTF-8. With `exact`, bytes the code page does not define refuse the text.
std::optional<std::string> CodePageToUtf8(std::string_view text, unsigned int codePage, bool exact);

}  // namespace korvo::win32
