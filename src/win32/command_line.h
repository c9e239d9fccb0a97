// The argument text of the process command line: what a GUI entry point receives as its command
// line argument.
#pragma once

#include <string_view>

namespace korvo::win32 {

// Skips the program's own name (quoted or not) and the blanks after it in the full command line
// that GetCommandLineW returns, as the C run-time does for WinMain's lpCmdLine.
std::wstring_view ArgumentText(std::wstring_view commandLine);

}  // namespace korvo::win32
