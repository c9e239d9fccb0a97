// Starting a program through the shell, or opening a document with its associated program.
#pragma once

#include <string>

#include "platform/platform.h"

namespace korvo {

// Starts `program` with `parameters` in the program's own folder. When `program` is empty or does
// not exist, the shell opens `parameters` itself, so a quoted document path opens in the
// application associated with its type. Reports nothing.
void RunProgram(Platform& platform, const std::string& program, const std::string& parameters);

}  // namespace korvo
