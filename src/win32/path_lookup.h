// The system's answers about paths and dates that the configuration needs: the shell's special
// folders, full paths, the search path and today's date. UTF-8 on the outside, W calls
// inside.
#pragma once

#include <optional>
#include <string>

#include "win32/windows_api.h"

#include "platform/platform.h"

namespace korvo::win32 {

// SHGetSpecialFolderPath with a missing folder never created.
std::optional<std::string> LookUpSpecialFolder(HWND owner, int csidl);
std::optional<std::string> LookUpFullPath(const std::string& path);
// SearchPath without a default extension; `folders` null for the system's own order.
std::optional<std::string> LookUpSearchPath(const std::string* folders, const std::string& name);
LocalDate LookUpLocalDate();

}  // namespace korvo::win32
