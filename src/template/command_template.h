// Building an external program's command line from its template.
//
// Tokens (any letter case): %S scheme, %G host, %H user, %I password, %J URL path, %-J its folder
// part, %K its file name, %$K a file name confirmed in the file-name box, %L the target, %-L the
// target without its fragment (or query), %P the folder with a final backslash, %-P the folder as
// chosen, %D its drive and folder parts, %-D the same without a final backslash, %F the name of
// the last folder in %D. Anything else is copied as written.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "platform/platform.h"
#include "state/run_state.h"

namespace korvo {

// Asks the user for the file name that "%$K" stands for; nullopt when the user cancels.
using AskFileName = std::function<std::optional<std::string>()>;

// The parameters for the selected program and the chosen folder, whole (the launch refuses a line
// that Windows cannot pass on); exactly CANCEL_MARKER when the user cancelled the file-name box,
// or when the template's placeholders do not fit the expander (with a message).
// The template is a list of arguments, split as the program will split its command line; each
// token is replaced inside its argument, and each argument is written back once, quoted as it
// needs: a value never splits or joins arguments, whatever it holds, and is never read again for
// tokens, so a URL's "%D0" or "%F0" escapes reach the program intact.
std::string BuildCommandLine(Platform& platform, const RunState& run, const std::string& commandTemplate,
                             const std::string& folder, const AskFileName& askFileName);

}  // namespace korvo
