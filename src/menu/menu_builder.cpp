#include "menu/menu_builder.h"

#include "base/text.h"
#include "url/path_split.h"

namespace korvo {

namespace {

constexpr int TARGET_LABEL_PIXELS = 300;

int EntryId(int index) { return IDM_FOLDER_BASE + index; }

void EmptyMenu(Platform& platform, MenuHandle menu) {
    for (int position = platform.MenuItemCount(menu) - 1; position >= 0; --position) {
        platform.DeleteMenuItemAt(menu, position);
    }
    DestroySubmenus(platform, menu);
}

std::string ConfigurationItemLabel(const RunState& run) {
    PathParts parts = SplitPath(run.configPath);
    return parts.name + parts.extension + " ( &1 )";
}

// The bare file name when the URL gave one; otherwise the URL itself, shortened to fit, with the
// access key 0 that opens the tool submenu.
std::string TargetItemLabel(Platform& platform, const RunState& run) {
    if (run.url.fileNameFromUrl == 1) return run.url.fileName;
    std::string shortened = platform.CompactPath(run.targets.firstTarget, TARGET_LABEL_PIXELS);
    return CutToFit(shortened, PATH_MAX_CHARS) + " ( &0 )";
}

void AppendToolItems(Platform& platform, const RunState& run, MenuHandle menu) {
    platform.AppendMenuString(menu, IDM_EDIT_CONFIG, ConfigurationItemLabel(run), false);
    platform.AppendMenuSeparator(menu, IDM_SEPARATOR);
    platform.AppendMenuString(menu, IDM_HELP, "&Help", false);
    platform.AppendMenuString(menu, IDM_VERSION, "&Version", false);
}

}  // namespace

int FillMenuLevel(Platform& platform, RunState& run, MenuHandle menu, int start, int offset) {
    EmptyMenu(platform, menu);
    const int count = static_cast<int>(run.folders.size());
    int i = start + offset;
    if (i >= count) return i;
    const int level = run.folders[i].level;
    for (; i < count; ++i) {
        const FolderEntry& entry = run.folders[i];
        if (entry.level < level) break;
        if (entry.level > level) continue;  // inside a deeper group: filled when that group opens
        switch (entry.kind) {
            case FolderKind::Folder:
                AppendEntryItem(platform, run, menu, i, entry.label);
                break;
            case FolderKind::Separator:
                run.pendingMark = PendingMark::Separator;
                run.pendingMarkIndex = i;
                break;
            case FolderKind::Column:
                run.pendingMark = PendingMark::ColumnBreak;
                run.pendingMarkIndex = i;
                break;
            case FolderKind::GroupHeader:
                AppendEntryItem(platform, run, menu, i, entry.label);
                platform.AttachSubmenu(menu, EntryId(i), platform.CreateMenu());
                break;
            case FolderKind::GroupEnd:
                run.pendingMark = PendingMark::None;
                break;
        }
    }
    return i;
}

void AppendEntryItem(Platform& platform, RunState& run, MenuHandle menu, int index,
                     const std::string& label) {
    const bool newColumn = run.pendingMark == PendingMark::ColumnBreak;
    if (run.pendingMark == PendingMark::Separator) {
        platform.AppendMenuSeparator(menu, EntryId(run.pendingMarkIndex));
    }
    run.pendingMark = PendingMark::None;
    platform.AppendMenuString(menu, EntryId(index), label, newColumn);
}

void AppendTailItems(Platform& platform, RunState& run, MenuHandle menu, bool noTarget) {
    if (noTarget) {
        AppendToolItems(platform, run, menu);
        return;
    }
    if (!run.folders.empty()) platform.AppendMenuSeparator(menu, IDM_SEPARATOR);
    platform.AppendMenuString(menu, IDM_TARGET, TargetItemLabel(platform, run), false);
    MenuHandle tools = platform.CreateMenu();
    AppendToolItems(platform, run, tools);
    platform.AttachSubmenu(menu, IDM_TARGET, tools);
}

void DestroySubmenus(Platform& platform, MenuHandle menu) {
    const int count = platform.MenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        MenuHandle submenu = platform.SubmenuAt(menu, position);
        if (submenu) {
            DestroySubmenus(platform, submenu);
            platform.DestroyMenu(submenu);
        }
    }
}

}  // namespace korvo
