// Showing the destination menu once, and telling what the user picked.
#pragma once

#include "platform/platform.h"
#include "state/run_state.h"

namespace korvo {

// What the user picked: the item's command id (0 when the menu closed without a pick), and whether
// Control was held as it was picked.
struct MenuChoice {
    int id = 0;
    bool controlHeld = false;
};

// Builds the menu (folders and tail items, or the tail items alone when noTarget), shows it at the
// configured place, destroys it and returns the pick; what follows is the caller's to decide.
MenuChoice TrackDestinationMenu(Platform& platform, RunState& run, bool noTarget);

// The point at which the menu is shown for the configured placement (the mouse, the point, the
// centre of the window active at start-up or of the screen), read now.
Point MenuAnchorPoint(Platform& platform, const RunState& run);

// WM_INITMENUPOPUP for `submenu` while the destination menu is tracked: when it is the submenu of
// a group header, it is (re)filled with that group's entries; nothing else is filled.
void OnMenuPopupOpening(Platform& platform, RunState& run, MenuHandle submenu);

}  // namespace korvo
