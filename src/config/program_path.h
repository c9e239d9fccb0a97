// Turning a program name from the configuration into the path of an existing file.
#pragma once

#include <string>

#include "app/run_state.h"
#include "platform/platform.h"

namespace korvo {

struct ResolvedProgram {
    std::string path;  // the file found, or the name as written when nothing was found
    int found = 0;
};

// Looks for `name` as written, then (with `retryWithExe`) with ".exe" appended, first as a path,
// then along "@path=" when it is in force, then along the system's search order.
ResolvedProgram ResolveProgramPath(Platform& platform, const RunState& run, const std::string& name,
                                   bool retryWithExe);

}  // namespace korvo
