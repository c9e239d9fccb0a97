#include "actions/file_name_dialog.h"

#include "base/text.h"
#include "menu/menu_display.h"
#include "url/path_split.h"
#include "url/url_parts.h"

namespace korvo {

namespace {

// An edited name counts only when both parts are there and the extension starts with its dot:
// anything else would hand the program a name without its type.
bool IsUsableAnswer(const std::string& name, const std::string& extension) {
    return !name.empty() && extension.size() >= 2 && extension[0] == '.';
}

}  // namespace

Point PlaceFileNameBox(Platform& platform, RunState& run) {
    Point at = run.menuAnchor;
    if (at.x == -1 || at.y == -1) at = MenuAnchorPoint(platform, run);
    // The menu's point lies on the screen, so only the far edges can cut the box off.
    if (at.x + FILE_NAME_BOX_WIDTH > run.screenWidth) {
        at.x = run.screenWidth - FILE_NAME_BOX_WIDTH - FILE_NAME_BOX_RIGHT_MARGIN;
    }
    if (at.y + FILE_NAME_BOX_HEIGHT > run.maximizedHeight) {
        at.y = run.maximizedHeight - FILE_NAME_BOX_HEIGHT - FILE_NAME_BOX_BOTTOM_MARGIN;
    }
    run.menuAnchor = at;
    return at;
}

std::optional<std::string> AskForFileName(Platform& platform, RunState& run, const UrlParts& url) {
    // The same safe name the menu shows; the URL's own name is its last segment, made safe too.
    PathParts raw = SplitPath(url.urlPath);
    const std::string urlName = MakeSafeFileName(raw.name + raw.extension);
    const PathParts proposal = SplitPath(url.fileName);  // "index" and ".html" by default

    Point at = PlaceFileNameBox(platform, run);
    FileNameAnswer answer = platform.AskFileName(at, proposal.name, proposal.extension);
    switch (answer.end) {
        case FileNameEnd::Cancelled:
            return std::nullopt;
        case FileNameEnd::Accepted: {
            std::string name = CutToFit(answer.name, PATH_MAX_CHARS);
            std::string extension = CutToFit(answer.extension, PATH_MAX_CHARS);
            if (IsUsableAnswer(name, extension)) return name + extension;
            return urlName;
        }
        case FileNameEnd::UrlName:
            break;
    }
    return urlName;
}

}  // namespace korvo
