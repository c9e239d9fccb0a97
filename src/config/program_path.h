// Turning a program name from the configuration into the path of an existing file, and reading
// the search-path file that "@path=" may name.
#pragma once

#include <cstddef>
#include <string>

#include "platform/platform.h"
#include "state/run_state.h"

namespace korvo {

// The user's search path holds at most this many characters (a 5,200-byte buffer).
constexpr std::size_t SEARCH_PATH_MAX_CHARS = 5199;

struct ResolvedProgram {
    std::string path;  // the file found, or the name as written when nothing was found
    int found = 0;
};

// Looks for `name` as written, then (with `retryWithExe`) with ".exe" appended, first as a path,
// then along "@path=" when it is in force, then along the system's search order.
ResolvedProgram ResolveProgramPath(Platform& platform, const RunState& run, const std::string& name,
                                   bool retryWithExe);

// Reads the user's search path from a file: the value of its first "path=" (any case, anywhere),
// or else the whole file with its tabs and line breaks dropped. Sets searchPathSet only when at
// least one character was taken.
void ReadSearchPathFile(Platform& platform, RunState& run, const std::string& path);

}  // namespace korvo
