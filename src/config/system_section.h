// The [system] section: the parameter block, the menu placement, the browser's start folder and
// the download time-out.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "config/loader.h"
#include "platform/platform.h"
#include "state/run_state.h"

namespace korvo {

// Reads the whole section (if any); afterwards an unset menu placement means "active".
void ReadSystemSection(Platform& platform, RunState& run, std::string_view configText);

// One line of the section, leading blanks removed; `lineStart` is where it stands in the text.
LineOutcome HandleSystemLine(Platform& platform, RunState& run, std::string_view configText,
                             const std::string& line, std::size_t lineStart);

// Fills the parameter table from the " | " lines after the "@param" line at `start`; returns the
// bytes stepped over, the "@param" line included.
std::size_t ReadParamBlock(RunState& run, std::string_view configText, std::size_t start);

// The placement syntax shared by "@menu=" and "/#m=": `text` ends with "\r\n" and its value
// begins at `start`. Always leaves menuMode set.
void ParseMenuPosition(RunState& run, std::string_view text, std::size_t start);

// `line` is the "@timeout=" line ending with "\r\n".
void ParseTimeout(RunState& run, std::string_view line);

}  // namespace korvo
