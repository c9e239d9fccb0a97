// Asking the user for the file name under which a target is handed to an external program.
#pragma once

#include <optional>
#include <string>

#include "platform/platform.h"
#include "state/run_state.h"

namespace korvo {

// The box's fixed size, and what is kept free of it at the screen's right and bottom edges.
constexpr int FILE_NAME_BOX_WIDTH = 160;
constexpr int FILE_NAME_BOX_HEIGHT = 65;
constexpr int FILE_NAME_BOX_RIGHT_MARGIN = 10;
constexpr int FILE_NAME_BOX_BOTTOM_MARGIN = 5;

// Where the box opens: at the menu's anchor (worked out from the menu placement when the menu was
// not shown), moved in from the right and bottom edges. The point is kept as the new anchor.
Point PlaceFileNameBox(Platform& platform, RunState& run);

// Proposes the name and extension of the URL's file name ("index" and ".html" when the URL gave
// none) and returns the name the user confirms: the edited name and extension on Enter when both
// are usable, otherwise the URL's last segment made safe. nullopt when the user cancels (or the
// box cannot be shown).
std::optional<std::string> AskForFileName(Platform& platform, RunState& run, const UrlParts& url);

}  // namespace korvo
