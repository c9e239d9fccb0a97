#include "menu/menu_display.h"

#include "actions/program_launch.h"
#include "app/invocation.h"
#include "base/text.h"
#include "base/texts.h"
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

void ShowVersion(Platform& platform, const RunState& run) {
    std::string text = run.baseName + "\n" + TEXT_VERSION_LABEL + " " + platform.ProgramVersion();
    platform.ShowMessage(text, TEXT_VERSION_CAPTION, BoxIcon::Information);
}

// Opens a file in the configured editor or, without one, with the program the shell associates.
void OpenInEditor(Platform& platform, const RunState& run, const std::string& file) {
    std::string quoted = CutToFit(file, TOKEN_MAX_CHARS);
    PathQuoteSpaces(quoted);
    RunProgram(platform, run.editorPath, quoted);
}

bool IsFolderEntryId(const RunState& run, int id) {
    const int index = id - IDM_FOLDER_BASE;
    return index >= 0 && index < FOLDER_MAX && index < static_cast<int>(run.folders.size()) &&
           run.folders[index].kind == FolderKind::Folder;
}

void RouteChoice(Platform& platform, RunState& run, int id, bool controlHeld) {
    if (id == IDM_EDIT_CONFIG) {
        OpenInEditor(platform, run, run.configPath);
    } else if (id == IDM_HELP) {
        OpenInEditor(platform, run, run.helpFilePath);
    } else if (id == IDM_VERSION) {
        ShowVersion(platform, run);
    } else if (IsFolderEntryId(run, id) && !controlHeld) {
        DispatchToFolder(platform, run, run.folders[id - IDM_FOLDER_BASE].path);
    }
    // A folder picked with Control held asks for another folder in the shell's browser, which
    // Korvo does not offer yet: nothing is done rather than using the entry that was clicked.
}

}  // namespace

void ShowDestinationMenu(Platform& platform, RunState& run, bool noTarget) {
    MenuHandle menu = platform.CreatePopupMenu();
    if (!noTarget) FillMenuLevel(platform, run, menu, 0, 0);
    AppendTailItems(platform, run, menu, noTarget);

    Placement placement = PlaceMenu(platform, run);
    run.menuAnchor = placement.at;
    run.menuOpen = true;
    const int id = platform.TrackMenu(menu, placement.at, placement.alignment);
    DestroySubmenus(platform, menu);
    platform.DestroyMenu(menu);
    run.menuOpen = false;

    RouteChoice(platform, run, id, platform.ControlKeyHeld());
}

Point MenuAnchorPoint(Platform& platform, const RunState& run) { return PlaceMenu(platform, run).at; }

void OnMenuPopupOpening(Platform& platform, RunState& run, MenuHandle submenu, int openingItemId) {
    const int index = openingItemId - IDM_FOLDER_BASE;
    if (index >= 0 && index < static_cast<int>(run.folders.size()) &&
        run.folders[index].kind == FolderKind::GroupHeader) {
        FillMenuLevel(platform, run, submenu, index, 1);
    }
}

}  // namespace korvo
