// The file-name box: a small borderless modal dialog, built at run time on the empty "OPTION"
// template, in which the user edits the name and extension a target is handed over under.
#pragma once

#include <string>

#include "platform/platform.h"
#include "win32/windows_api.h"

namespace korvo::win32 {

constexpr int IDC_FILENAME_CAPTION = 300;
constexpr int IDC_FILENAME_NAME = 400;
constexpr int IDC_FILENAME_EXT = 401;

// Shows the box owned by `owner` with its top-left corner at `topLeft` and waits for Enter (the
// edited texts, each cut to 259 bytes), Escape or Delete. Cancelled when it cannot be created.
FileNameAnswer ShowFileNameBox(HINSTANCE instance, HWND owner, Point topLeft,
                               const std::string& name, const std::string& extension);

}  // namespace korvo::win32
