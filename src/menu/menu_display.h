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

// WM_INITMENUPOPUP: `openingItemId` is the id of the item, in the menu that was last selected in,
// that opens `submenu`. A group header's submenu is filled with its entries; nothing else is.
void OnMenuPopupOpening(Platform& platform, RunState& run, MenuHandle submenu, int openingItemId);

}  // namespace korvo
