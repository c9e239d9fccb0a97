// The shell's folder browser, for a destination chosen outside the menu.
#pragma once

#include <optional>
#include <string>

#include "win32/windows_api.h"

namespace korvo::win32 {

// Shows the browser owned by `owner`, titled `title`, with `start` selected when it appears
// (UTF-8 texts). The folder chosen, an empty string on Cancel, or nullopt when the folder's name
// is not valid Unicode and so cannot be named exactly.
std::optional<std::string> BrowseFolder(HWND owner, const std::string& start, const std::string& title);

}  // namespace korvo::win32
