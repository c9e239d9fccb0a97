// Turning the folder table into menu items: one nesting level at a time, group submenus created
// empty and filled only when opened, and the fixed items that close every menu.
#pragma once

#include <string>

#include "platform/platform.h"
#include "state/run_state.h"

namespace korvo {

// Empties `menu` and appends the entries of one level, starting at table index start + offset.
// Returns the index at which it stopped.
int FillMenuLevel(Platform& platform, RunState& run, MenuHandle menu, int start, int offset);

// Appends one item with id IDM_FOLDER_BASE + index, preceded by the pending separator or column.
void AppendEntryItem(Platform& platform, RunState& run, MenuHandle menu, int index,
                     const std::string& label);

// Appends the configuration-file, help and version items (in the target item's submenu when the
// run has a target).
void AppendTailItems(Platform& platform, RunState& run, MenuHandle menu, bool noTarget);

// Destroys every submenu below `menu`, depth first; `menu` itself is left to the caller.
void DestroySubmenus(Platform& platform, MenuHandle menu);

}  // namespace korvo
