// The one way Korvo's Win32 layer includes the Windows headers.
//
// Several of the headers' generic names are macros that expand to their A or W function, and
// Korvo's core has functions of the same names (Platform's members, the portable shell-style
// helpers of base/text.h). The macros are removed here: the Win32 layer always calls the W (or,
// in the differential tests, the A) function by its full name anyway.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <shellapi.h>
#include <shlwapi.h>
#include <wininet.h>

#undef PathFileExists
#undef PathIsDirectory
#undef ReplaceFile
#undef ShellExecute
#undef PathAddBackslash
#undef PathUnquoteSpaces
#undef PathRemoveBlanks
#undef PathQuoteSpaces
#undef StrToInt
