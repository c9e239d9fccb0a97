#include "app/dispatch.h"

#include "actions/download.h"
#include "actions/folder_browser.h"
#include "actions/program_launch.h"
#include "base/text.h"
#include "base/texts.h"
#include "menu/menu_display.h"
#include "template/command_template.h"

namespace korvo {

namespace {

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

void RouteChoice(Platform& platform, RunState& run, MenuChoice choice) {
    if (choice.id == IDM_EDIT_CONFIG) {
        OpenInEditor(platform, run, run.configPath);
    } else if (choice.id == IDM_HELP) {
        OpenInEditor(platform, run, run.helpFilePath);
    } else if (choice.id == IDM_VERSION) {
        ShowVersion(platform, run);
    } else if (IsFolderEntryId(run, choice.id)) {
        // Control held asks for another folder: the browser opens at its own start folder, and
        // the entry that was clicked plays no part.
        if (choice.controlHeld) {
            BrowseAndDispatch(platform, run);
        } else {
            DispatchToFolder(platform, run, run.folders[choice.id - IDM_FOLDER_BASE].path);
        }
    }
}

}  // namespace

void ShowDestinationMenu(Platform& platform, RunState& run, bool noTarget) {
    RouteChoice(platform, run, TrackDestinationMenu(platform, run, noTarget));
}

void BrowseAndDispatch(Platform& platform, RunState& run) {
    const std::string folder = BrowseForDestination(platform, run);
    // An answer too long for a path is refused rather than cut: cut, it could name another,
    // existing folder.
    if (folder.empty() || PathLength(folder) > PATH_MAX_CHARS) return;
    if (!platform.PathIsDirectory(folder)) return;
    DispatchToFolder(platform, run, folder);
}

void DispatchToFolder(Platform& platform, RunState& run, const std::string& folder) {
    const int selected = run.selectedProgram;
    if (selected < 0 || selected >= static_cast<int>(run.programs.size())) {
        DownloadUrl(platform, run, run.targets.firstTarget, folder);
        return;
    }
    const ProgramEntry& program = run.programs[selected];
    std::string commandLine = BuildCommandLine(platform, run, program.commandTemplate, folder,
                                               IsBatchFile(program.programPath));
    if (commandLine == CANCEL_MARKER) return;
    RunProgram(platform, program.programPath, commandLine);
}

}  // namespace korvo
