// The one way Korvo's Win32 layer includes the Windows headers.
//
// Several of the headers' generic names (PathFileExists, PathIsDirectory, ReplaceFile,
// ShellExecute) are macros that expand to their A or W function. Platform has member functions of
// those names, so the macros are removed here: the Win32 layer always calls the W function by its
// full name anyway.
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
