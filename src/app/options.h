// The command line: its options, and the first URL among its words (or among the clipboard's
// lines, with the same tokeniser).
#pragma once

#include <string>
#include <string_view>

#include "app/run_state.h"
#include "platform/platform.h"

namespace korvo {

enum TargetMode : int {
    TARGET_MODE_COMMAND_LINE = 0,  // spaces outside quotes separate words
    TARGET_MODE_CLIPBOARD = 1,     // line feeds separate lines
};

// Reads "/#s=", "/#m=", "/#e=", "/#0=\"", "/#0" wherever they stand in the text (even inside a
// URL). "/#c" is read by the invocation flow.
void ParseOptions(Platform& platform, RunState& run, std::string_view argumentText);

// Resets the target list and keeps the first token that ClassifyTarget accepts.
void ParseTargets(RunState& run, std::string_view text, int mode);

// Trims `token` in place (one pair of enclosing quotes, then spaces) and tells what it is: 1 for
// http or https, 2 for ftp (only while no external program is ruled out), 0 for anything else.
int ClassifyTarget(const RunState& run, std::string& token);

}  // namespace korvo
