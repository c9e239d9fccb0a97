// The [dir] section: the destination folders of the menu with its separators, columns and groups.
#pragma once

#include <string>
#include <string_view>

#include "platform/platform.h"
#include "state/run_state.h"

namespace korvo {

// Where the reading of the section stands between lines.
struct DirReadingState {
    int depth = 0;             // current group nesting
    bool afterFolder = false;  // a folder entry came after the last group header
};

// Empties the folder table and fills it from the section (if any).
void ReadDirSection(Platform& platform, RunState& run, std::string_view configText);

// One line of the section, leading blanks removed.
void HandleDirLine(Platform& platform, RunState& run, DirReadingState& state,
                   const std::string& line);

}  // namespace korvo
