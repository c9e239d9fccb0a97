// Expanding placeholders in configured texts.
#pragma once

#include <string>
#include <string_view>

#include "app/run_state.h"
#include "platform/platform.h"

namespace korvo {

// Returns `text` with every user parameter's name (any case) replaced by its value, parameter
// after parameter in table order; the result holds at most EXPANDED_LINE_MAX_CHARS characters.
// Callers decide whether to expand at all (only once "@param" has been seen).
std::string ExpandPlaceholders(Platform& platform, const RunState& run, std::string_view text);

}  // namespace korvo
