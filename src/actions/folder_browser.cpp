#include "actions/folder_browser.h"

#include "base/text.h"
#include "base/texts.h"

namespace korvo {

namespace {

// A bare drive ("D:") names the drive's current folder, not its root: the browser is given the
// root itself.
std::string WithDriveRoot(std::string folder) {
    if (folder.size() < 3 && !folder.empty() && folder.back() == ':') folder += '\\';
    return folder;
}

}  // namespace

std::string BrowseStartFolder(Platform& platform, const RunState& run) {
    std::string start;
    if (!run.baseFolder.empty() && platform.PathIsDirectory(run.baseFolder)) {
        start = run.baseFolder;
    } else {
        start = run.programFolder;
        PathAddBackslash(start);
        RemoveTrailingBackslash(start);
    }
    return WithDriveRoot(CutToFit(start, PATH_MAX_CHARS));
}

std::string BrowseForDestination(Platform& platform, const RunState& run) {
    const std::string title = CutToFit(std::string(TEXT_BROWSE_TITLE) + run.url.fileName,
                                       PATH_MAX_CHARS);
    return platform.BrowseForFolder(BrowseStartFolder(platform, run), title);
}

}  // namespace korvo
