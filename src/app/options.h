// The command line's options.
#pragma once

#include <string>
#include <string_view>

#include "app/run_state.h"
#include "platform/platform.h"

namespace korvo {

// Reads "/#s=", "/#m=", "/#e=", "/#0=\"", "/#0" wherever they stand in the text (even inside a
// URL). "/#c" is read by the invocation flow.
void ParseOptions(Platform& platform, RunState& run, std::string_view argumentText);

}  // namespace korvo
