#include "menu/menu_display.h"

#include "menu/menu_builder.h"

namespace korvo {

namespace {

struct Placement {
    Point at;
    MenuAlignment alignment;
};

Point ScreenCentre(const RunState& run) { return {run.screenWidth / 2, run.maximizedHeight / 2}; }

// The centre of the window that was in front when Korvo started, read now: it may have moved.
Point PreviousWindowCentre(Platform& platform, const RunState& run) {
    std::optional<Rect> rect = platform.PreviousWindowRect();
    if (!rect || rect->right - rect->left <= 0 || rect->bottom - rect->top <= 0) {
        return ScreenCentre(run);
    }
    return {rect->left + (rect->right - rect->left) / 2, rect->top + (rect->bottom - rect->top) / 2};
}

Placement PlaceMenu(Platform& platform, const RunState& run) {
    switch (run.menuMode) {
        case MENU_MODE_POINT:
            return {{run.menuX, run.menuY}, {}};
        case MENU_MODE_MOUSE:
            return {platform.CursorPosition(), {}};
        case MENU_MODE_MOUSE_VCENTER:
            return {platform.CursorPosition(), {false, true}};
        case MENU_MODE_CENTER:
            return {ScreenCentre(run), {true, true}};
        default:
            return {PreviousWindowCentre(platform, run), {true, true}};
    }
}

// The command id of the item, anywhere below `menu`, whose submenu is `submenu`; -1 when none.
int IdOfItemOpening(Platform& platform, MenuHandle menu, MenuHandle submenu) {
    const int count = platform.MenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        const MenuHandle below = platform.SubmenuAt(menu, position);
        if (below == 0) continue;
        if (below == submenu) return platform.MenuItemIdAt(menu, position);
        const int id = IdOfItemOpening(platform, below, submenu);
        if (id != -1) return id;
    }
    return -1;
}

}  // namespace

MenuChoice TrackDestinationMenu(Platform& platform, RunState& run, bool noTarget) {
    MenuHandle menu = platform.CreatePopupMenu();
    if (!noTarget) FillMenuLevel(platform, run, menu, 0, 0);
    AppendTailItems(platform, run, menu, noTarget);

    Placement placement = PlaceMenu(platform, run);
    run.menuAnchor = placement.at;
    run.menuOpen = true;
    run.shownMenu = menu;
    const int id = platform.TrackMenu(menu, placement.at, placement.alignment);
    DestroySubmenus(platform, menu);
    platform.DestroyMenu(menu);
    run.shownMenu = 0;
    run.menuOpen = false;
    return {id, platform.ControlKeyHeld()};
}

Point MenuAnchorPoint(Platform& platform, const RunState& run) { return PlaceMenu(platform, run).at; }

void OnMenuPopupOpening(Platform& platform, RunState& run, MenuHandle submenu) {
    if (run.shownMenu == 0) return;
    // The group is found by its submenu, not by the position the opening message names: that
    // position is in the parent menu, and which menu the last selection was in does not tell the
    // parent (after Left then Right it is the group's own menu, where a nested group may stand at
    // the same position).
    const int index = IdOfItemOpening(platform, run.shownMenu, submenu) - IDM_FOLDER_BASE;
    if (index >= 0 && index < static_cast<int>(run.folders.size()) &&
        run.folders[index].kind == FolderKind::GroupHeader) {
        FillMenuLevel(platform, run, submenu, index, 1);
    }
}

}  // namespace korvo
