#include "config/dir_section.h"

#include "base/text.h"
#include "config/file_encoding.h"
#include "config/loader.h"
#include "template/placeholders.h"
#include "url/path_split.h"

namespace korvo {

namespace {

constexpr char LABEL_SEPARATOR[] = " | ";

void AppendMark(RunState& run, FolderKind kind, int level) {
    FolderEntry entry;
    entry.kind = kind;
    entry.level = level;
    run.folders.push_back(std::move(entry));
}

// Checks that `folder` exists as written (relative folders against the current folder) and gives
// it back without its trailing backslash; false when there is no such folder.
bool ExistingFolder(Platform& platform, std::string& folder) {
    PathAddBackslash(folder);
    if (!platform.PathIsDirectory(folder)) return false;
    RemoveTrailingBackslash(folder);
    return true;
}

// The folder's own name; a drive root or a name that is all extension shows the whole path.
std::string LabelFromFolder(const std::string& folder) {
    std::string name = SplitPath(folder).name;
    if (!name.empty()) return name;
    return CutToFit(folder + "\\", PATH_MAX_CHARS);
}

void ReadFolderLine(Platform& platform, RunState& run, DirReadingState& state,
                    const std::string& line) {
    std::string text = run.paramSeen ? ExpandPlaceholders(platform, run, line) : line;
    std::size_t separator = text.find(LABEL_SEPARATOR);
    std::string_view whole(text);
    // A folder too long for its field is dropped, not cut: the cut path may well name one of
    // its parents, and the download would land there.
    if (PathLength(whole.substr(0, separator)) > PATH_MAX_CHARS) return;
    std::string folder(whole.substr(0, separator));
    if (!ExistingFolder(platform, folder)) return;

    FolderEntry entry;
    entry.kind = FolderKind::Folder;
    entry.level = state.depth;
    entry.label = separator == std::string::npos
                      ? LabelFromFolder(folder)
                      : CutToFileBytes(whole.substr(separator + 3), PATH_MAX_CHARS);
    entry.path = std::move(folder);
    run.folders.push_back(std::move(entry));
    state.afterFolder = true;
}

}  // namespace

void HandleDirLine(Platform& platform, RunState& run, DirReadingState& state,
                   const std::string& line) {
    if (!line.empty() && line[0] == ';') return;
    if (run.folders.size() >= static_cast<std::size_t>(FOLDER_MAX)) return;
    char first = line.empty() ? '\0' : line[0];
    // Marks only count after a folder, so a menu never starts a column or group with a break.
    if (first == '+' && state.afterFolder) {
        AppendMark(run, FolderKind::Separator, state.depth);
    } else if (first == '-' && state.afterFolder) {
        AppendMark(run, FolderKind::Column, state.depth);
    } else if (first == '{' && line.size() > 1) {
        FolderEntry header;
        header.kind = FolderKind::GroupHeader;
        header.level = state.depth;
        header.label = CutToFileBytes(std::string_view(line).substr(1), PATH_MAX_CHARS);
        run.folders.push_back(std::move(header));
        ++state.depth;
        state.afterFolder = false;
    } else if (first == '}' && state.depth > 0) {
        AppendMark(run, FolderKind::GroupEnd, state.depth);
        --state.depth;
    } else {
        ReadFolderLine(platform, run, state, line);
    }
}

void ReadDirSection(Platform& platform, RunState& run, std::string_view configText) {
    run.folders.clear();
    DirReadingState state;
    WalkSection(configText, "[dir]", [&](const std::string& line, std::size_t) {
        HandleDirLine(platform, run, state, line);
        return LineOutcome{};
    });
}

}  // namespace korvo
