// The first URL among the command line's words, or among the clipboard's lines: one tokeniser
// for both.
#pragma once

#include <string>
#include <string_view>

#include "state/run_state.h"

namespace korvo {

enum TargetMode : int {
    TARGET_MODE_COMMAND_LINE = 0,  // spaces outside quotes separate words
    TARGET_MODE_CLIPBOARD = 1,     // line feeds separate lines
};

// Resets `targets` and keeps the first token that ClassifyTarget accepts and no double quote is
// glued to. The first URL decides: one that is too long is refused whole (never cut), and no later
// token is looked at.
void ParseTargets(TargetList& targets, std::string_view text, int mode, bool ftpAllowed);

// Trims `token` in place (one pair of enclosing quotes, then spaces) and tells what it is: 1 for
// http or https, 2 for ftp (only while `ftpAllowed`: an external program may take it, the
// built-in download does not), 0 for anything else.
int ClassifyTarget(std::string& token, bool ftpAllowed);

}  // namespace korvo
