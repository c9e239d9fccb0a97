// The shell's folder browser, for a destination chosen outside the menu.
#pragma once

#include <string>

#include "win32/windows_api.h"

namespace korvo::win32 {

// Shows the browser owned by `owner`, titled `title`, with `start` selected when it appears
// (code page 932 texts). The folder chosen, in code page 932, or an empty string on Cancel.
std::string BrowseFolder(HWND owner, const std::string& start, const std::string& title);

}  // namespace korvo::win32
