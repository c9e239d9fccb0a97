// Choosing the destination in the shell's folder browser instead of the menu: with Control held
// on a folder item, and at once for a clipboard run with "/#0".
#pragma once

#include <string>

#include "platform/platform.h"
#include "state/run_state.h"

namespace korvo {

// The folder the browser starts on: an existing baseFolder ("@base=" or "/#0="), else the
// program's own folder; never with a trailing backslash, except a drive's root ("D:\").
std::string BrowseStartFolder(Platform& platform, const RunState& run);

// Shows the browser at the start folder, titled with the file name; the folder the user chose, or
// an empty string.
std::string BrowseForDestination(Platform& platform, const RunState& run);

}  // namespace korvo
