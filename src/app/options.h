// The command line's options.
#pragma once

#include <string>
#include <string_view>

#include "platform/platform.h"
#include "state/run_state.h"

namespace korvo {

// Reads "/#s=", "/#m=", "/#e=", "/#0=\"", "/#0" wherever they stand in the text (even inside a
// URL). "/#c" is read by the invocation flow.
void ParseOptions(Platform& platform, RunState& run, std::string_view argumentText);

}  // namespace korvo
