// Starting a program, or opening a document with its associated program.
#pragma once

#include <string>

#include "platform/platform.h"

namespace korvo {

// .bat and .cmd files, which Windows runs through cmd.exe.
bool IsBatchFile(const std::string& program);

// The command line CreateProcess is given: `"program" parameters`, or for a batch file the line
// cmd.exe reads, `cmd.exe /v:off /s /c ""program" parameters"`.
std::string ProcessCommandLine(const std::string& program, const std::string& parameters, bool batchFile);

// Starts `program` with `parameters` in the program's own folder: a program (.exe, .com) and a
// batch file with CreateProcess, which passes on the longest command line, anything else through
// the shell. When `program` is empty or does not exist, the shell opens `parameters` itself, so a
// quoted document path opens in the application associated with its type. A command line longer
// than the way it would take can carry is never cut, and a batch file is never given a line that
// cmd.exe would change (a variable it would replace, a quote or line break it cannot pass on, a
// command character outside quotes): a message says so and nothing starts. Other failures are not
// reported.
void RunProgram(Platform& platform, const std::string& program, const std::string& parameters);

}  // namespace korvo
