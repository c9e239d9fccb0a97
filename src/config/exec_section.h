// The [exec] section: the external programs a target can be handed to, each with the template of
// its command line, and the choice among them that "/#e=" asks for.
#pragma once

#include <string>
#include <string_view>

#include "platform/platform.h"
#include "state/run_state.h"

namespace korvo {

// Where the reading of the section stands between lines.
struct ExecReadingState {
    bool afterProgram = false;  // the line before (or its template lines) added a program
};

// Empties the program table, fills it from the section (if any) and selects the requested program.
void ReadExecSection(Platform& platform, RunState& run, std::string_view configText);

// One line of the section, leading blanks removed. True when the section ends here (a program line
// that finds the table full).
bool HandleExecLine(Platform& platform, RunState& run, ExecReadingState& state,
                    const std::string& line);

// selectedProgram = the first entry whose display name equals requestedProgramName ignoring case,
// or -1 when none does (an empty request matches nothing).
void SelectProgram(RunState& run);

}  // namespace korvo
