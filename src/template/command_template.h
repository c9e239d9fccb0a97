// Building an external program's command line from its template.
#pragma once

#include <string>

#include "app/run_state.h"
#include "platform/platform.h"

namespace korvo {

// The command line for the selected program and the chosen folder, at most
// COMMAND_LINE_MAX_CHARS characters; exactly CANCEL_MARKER when the user cancelled.
std::string BuildCommandLine(Platform& platform, RunState& run, const std::string& commandTemplate,
                             const std::string& folder);

}  // namespace korvo
