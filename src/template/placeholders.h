// Expanding placeholders in configured texts: the shell's special folders, the program's own
// folder, today's date and the user's parameters from the "@param" block.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/platform.h"
#include "state/run_state.h"

namespace korvo {

// The text being expanded holds at most this many characters (a 3,900-byte buffer); a longer
// input or result is cut there.
constexpr std::size_t PLACEHOLDER_TEXT_MAX_CHARS = 3899;

// Returns `text` with every placeholder replaced, token by token in a fixed order: 28 special
// folders, "%ins_Korvo%", the date tokens, then the user parameters in table order. Each token is
// found in any letter case; a replaced value is examined by the later tokens but not again by its
// own. A special folder the shell cannot give leaves its token as written.
// Callers decide whether to expand at all (only once "@param" has been seen).
std::string ExpandPlaceholders(Platform& platform, const RunState& run, std::string_view text);

}  // namespace korvo
