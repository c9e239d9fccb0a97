// Reading the clipboard's text for "/#c".
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "win32/windows_api.h"

namespace korvo::win32 {

// The clipboard's text up to its first NUL, converted to code page 932: CF_UNICODETEXT when it is
// offered, else CF_TEXT (in the system's ANSI code page). nullopt when there is no text or the
// clipboard cannot be opened. The clipboard is open only while the text is copied.
std::optional<std::string> ReadClipboardText(HWND owner);

// Clipboard text in code page 932, line by line: a line holding a character that code page 932
// lacks becomes empty, so that it cannot pass for a URL it is not.
std::string ClipboardTextInCodePage932(std::wstring_view text);

}  // namespace korvo::win32
