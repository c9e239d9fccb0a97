// Building an external program's command line from its template.
//
// Tokens (any letter case): %S scheme, %G host, %H user, %I password, %J URL path, %-J its folder
// part, %K its file name, %$K a file name confirmed in the file-name box, %L the target, %-L the
// target without its fragment (or query), %P the folder with a final backslash, %-P the folder as
// chosen, %D its drive and folder parts, %-D the same without a final backslash, %F the name of
// the last folder in %D. Anything else is copied as written.
#pragma once

#include <string>

#include "platform/platform.h"
#include "state/run_state.h"

namespace korvo {

// The command line for the selected program and the chosen folder, whole (the launch refuses one
// that Windows cannot pass on); exactly CANCEL_MARKER when the user cancelled the file-name box,
// or when cmd.exe would change a batch file's URL text by expanding a variable (with a message).
// The template is scanned once, left to right: a value put in for a token is never read for
// tokens again, so a URL's "%D0" or "%F0" escapes reach the program intact. %L and %-L are quoted
// when they hold a blank or a character cmd.exe reads as syntax; for a `batchFile` program every
// other token of URL text is too, unless it stands inside the template's own quotes.
std::string BuildCommandLine(Platform& platform, RunState& run, const std::string& commandTemplate,
                             const std::string& folder, bool batchFile = false);

}  // namespace korvo
