// What follows the user's pick: the menu's result routed to the folder browser, the download, the
// program or a tool item, and the dispatcher that turns a destination folder into an action.
#pragma once

#include <string>

#include "platform/platform.h"
#include "state/run_state.h"

namespace korvo {

// Shows the destination menu (the tail items alone when noTarget) and carries out the pick: a
// folder goes to DispatchToFolder, or with Control held to the folder browser; the tool items open
// the configuration or the help file, or show the version.
void ShowDestinationMenu(Platform& platform, RunState& run, bool noTarget);

// BrowseForDestination, then DispatchToFolder with the answer when it names an existing folder.
// Cancel, or an answer that is no folder, does nothing.
void BrowseAndDispatch(Platform& platform, RunState& run);

// Turns a chosen destination folder into the built-in download or the selected program's start.
void DispatchToFolder(Platform& platform, RunState& run, const std::string& folder);

}  // namespace korvo
