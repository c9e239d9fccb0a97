// Showing the destination menu once, and carrying out the user's choice.
#pragma once

#include "app/run_state.h"
#include "platform/platform.h"

namespace korvo {

// Builds the menu (folders and tail items, or the tail items alone when noTarget), shows it at the
// configured place, destroys it and routes the chosen id.
void ShowDestinationMenu(Platform& platform, RunState& run, bool noTarget);

// The point at which the menu is shown for the configured placement (the mouse, the point, the
// centre of the window active at start-up or of the screen), read now.
Point MenuAnchorPoint(Platform& platform, const RunState& run);

// WM_INITMENUPOPUP for `submenu` while the destination menu is tracked: when it is the submenu of
// a group header, it is (re)filled with that group's entries; nothing else is filled.
void OnMenuPopupOpening(Platform& platform, RunState& run, MenuHandle submenu);

}  // namespace korvo
