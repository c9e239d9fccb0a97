// Reading the clipboard's text for "/#c".
#pragma once

#include <optional>
#include <string>

#include "win32/windows_api.h"

namespace korvo::win32 {

// The clipboard's text up to its first NUL, in UTF-8: CF_UNICODETEXT when it is offered, else
// CF_TEXT (in the system's ANSI code page). nullopt when there is no text, when the text is not
// valid Unicode (a lone surrogate) or when the clipboard cannot be opened. The clipboard is open
// only while the text is copied.
std::optional<std::string> ReadClipboardText(HWND owner);

}  // namespace korvo::win32
