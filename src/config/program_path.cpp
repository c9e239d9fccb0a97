#include "config/program_path.h"

#include <optional>

#include "base/text.h"
#include "config/file_encoding.h"

namespace korvo {

namespace {

// A name with ".exe" appended lives in a 520-byte buffer.
constexpr std::size_t WORKING_NAME_MAX_CHARS = 519;

// Enough UTF-8 bytes for one character more than a search path holds, however it is written.
constexpr std::size_t LIST_SCAN_MAX_BYTES = 3 * (SEARCH_PATH_MAX_CHARS + 1);

// A path the system gives back counts only when it fits a 260-character buffer.
bool FitsPathBuffer(const std::optional<std::string>& path) {
    return path && !path->empty() && PathLength(*path) <= PATH_MAX_CHARS;
}

// Step one and two: the name as a path of its own. The result is the full path when that fits,
// otherwise the name the user wrote, so a long relative name still works from the current folder.
std::optional<std::string> ExistingAsWritten(Platform& platform, const std::string& candidate,
                                             const std::string& written) {
    if (!platform.PathFileExists(candidate)) return std::nullopt;
    std::optional<std::string> full = platform.FullPathName(candidate);
    return FitsPathBuffer(full) ? *full : written;
}

std::optional<std::string> Accepted(const std::optional<std::string>& found) {
    return FitsPathBuffer(found) ? found : std::nullopt;
}

}  // namespace

ResolvedProgram ResolveProgramPath(Platform& platform, const RunState& run, const std::string& name,
                                   bool retryWithExe) {
    const std::string withExe = CutToFit(name + ".exe", WORKING_NAME_MAX_CHARS);
    // A file reachable as written wins over the search path, the search path over the system's
    // order, and at each stage the name as written comes before the name with ".exe".
    std::optional<std::string> found = ExistingAsWritten(platform, name, name);
    if (!found && retryWithExe) found = ExistingAsWritten(platform, withExe, name);
    if (!found && run.searchPathSet) {
        found = Accepted(platform.SearchPathIn(run.searchPath, name));
        if (!found && retryWithExe) found = Accepted(platform.SearchPathIn(run.searchPath, withExe));
    }
    if (!found) {
        found = Accepted(platform.SearchSystemPath(name));
        if (!found && retryWithExe) found = Accepted(platform.SearchSystemPath(withExe));
    }
    if (!found) return {name, 0};
    return {*found, 1};
}

void ReadSearchPathFile(Platform& platform, RunState& run, const std::string& path) {
    run.searchPathSet = false;
    std::optional<std::string> bytes = platform.ReadWholeFile(path, OpenMode::Existing);
    if (!bytes) return;
    const std::string decoded = FileReadings(platform, *bytes).front().text;
    // The file is read as one text: a NUL byte ends it.
    std::string_view text(decoded);
    text = text.substr(0, text.find('\0'));

    std::string list;
    std::size_t key = FindNoCase(text, "path=");
    if (key != std::string_view::npos) {
        // The value of that one line, as in a saved listing of environment variables.
        std::string_view value = text.substr(key + 5);
        value = value.substr(0, value.find_first_of("\r\n"));
        for (char c : value) {
            if (c != '\t') list += c;
            if (list.size() > LIST_SCAN_MAX_BYTES) break;
        }
    } else {
        // A plain list of folders: its lines are joined as they stand.
        for (char c : text) {
            if (c != '\t' && c != '\r' && c != '\n') list += c;
            if (list.size() > LIST_SCAN_MAX_BYTES) break;
        }
    }
    // Read beyond the limit: the cut keeps a character beyond U+FFFF whole or drops it, and the
    // folder it falls in goes whole: cut, it could name another folder.
    run.searchPath = CutToFit(list, SEARCH_PATH_MAX_CHARS);
    if (run.searchPath.size() < list.size() && list[run.searchPath.size()] != ';') {
        const std::size_t lastSeparator = run.searchPath.rfind(';');
        run.searchPath.erase(lastSeparator == std::string::npos ? 0 : lastSeparator + 1);
    }
    run.searchPathSet = !run.searchPath.empty();
}

}  // namespace korvo
