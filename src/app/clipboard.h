// Taking the run's URL from the clipboard ("/#c"): each line of the text is a candidate.
#pragma once

#include <cstddef>

#include "platform/platform.h"
#include "state/run_state.h"

namespace korvo {

// The clipboard text is read into a 5120-byte buffer: at most this many bytes are tokenised.
constexpr std::size_t CLIPBOARD_TEXT_MAX_CHARS = 5119;

// Refills the target list from the clipboard text, with the tokeniser in clipboard mode. Returns 1
// when there was text to tokenise, 0 when the clipboard held none (the target list is then left
// as it was).
int ReadClipboardTargets(Platform& platform, RunState& run);

}  // namespace korvo
