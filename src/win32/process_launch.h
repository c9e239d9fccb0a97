// Starting a program with CreateProcess, which passes on the longest command line Windows allows.
#pragma once

#include <string>

#include "platform/platform.h"
#include "win32/windows_api.h"

namespace korvo::win32 {

// Starts `program` with `"program" parameters`, or a batch file through cmd.exe, in
// `workingFolder`, shown normally. The process runs on by itself: its handles are closed at once.
ProcessStart StartProgramProcess(const std::string& program, const std::string& parameters,
                                 const std::string& workingFolder, bool batchFile);

}  // namespace korvo::win32
