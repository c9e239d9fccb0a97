#include "config/system_section.h"

#include "base/text.h"
#include "config/file_encoding.h"
#include "config/loader.h"
#include "config/program_path.h"
#include "template/placeholders.h"

namespace korvo {

namespace {

constexpr char FIELD_SEPARATOR[] = " | ";
// The token of a placement or time-out field keeps at most this many characters.
constexpr std::size_t FIELD_TOKEN_MAX_CHARS = 6;

bool IsDirective(const std::string& line, std::string_view directive) {
    return StartsWithNoCase(line, directive, directive.size());
}

bool Contains(std::string_view token, std::string_view word) {
    return FindNoCase(token, word) != std::string_view::npos;
}

std::string ExpandIfParameters(Platform& platform, const RunState& run, std::string_view value) {
    return run.paramSeen ? ExpandPlaceholders(platform, run, value) : std::string(value);
}

// The word forms of a placement ("mouse", "mous2", "center", "active"). True when the token was
// one of them; the mouse forms need a mouse to take effect.
bool ApplyPlacementWord(RunState& run, std::string_view token) {
    if (Contains(token, "mouse")) {
        if (run.mouseButtonCount != 0) run.menuMode = MENU_MODE_MOUSE;
    } else if (Contains(token, "mous2")) {
        if (run.mouseButtonCount != 0) run.menuMode = MENU_MODE_MOUSE_VCENTER;
    } else if (Contains(token, "center")) {
        run.menuMode = MENU_MODE_CENTER;
    } else if (Contains(token, "active")) {
        run.menuMode = MENU_MODE_ACTIVE;
    } else {
        return false;
    }
    return true;
}

void ReadBaseFolder(Platform& platform, RunState& run, std::string_view value) {
    std::string folder = ExpandIfParameters(platform, run, value);
    // Cut, it could name one of its parents: a folder that does not fit is no folder.
    if (PathLength(folder) > PATH_MAX_CHARS) return;
    PathAddBackslash(folder);
    if (!platform.PathIsDirectory(folder)) return;
    // A drive root is kept as "D:", like every other folder without its backslash.
    RemoveTrailingBackslash(folder);
    run.baseFolder = folder;
}

// "@path=": the value names a search-path file (written in full, ".exe" is not tried) or is
// itself a ";"-separated folder list. It is never expanded.
void ReadSearchPath(Platform& platform, RunState& run, std::string_view value) {
    const std::string written(value);
    ResolvedProgram file = ResolveProgramPath(platform, run, written, false);
    if (file.found == 1 && !platform.PathIsDirectory(file.path)) {
        ReadSearchPathFile(platform, run, file.path);
        return;
    }
    run.searchPath = CutToFit(written, SEARCH_PATH_MAX_CHARS);
    run.searchPathSet = true;
}

// "@editor=": a program found along the search path in force at this line.
void ReadEditor(Platform& platform, RunState& run, std::string_view value) {
    ResolvedProgram editor =
        ResolveProgramPath(platform, run, ExpandIfParameters(platform, run, value), true);
    // A name kept as written may be longer than the field: cut, it would name another file.
    if (editor.found != 1 || PathLength(editor.path) > PATH_MAX_CHARS ||
        platform.PathIsDirectory(editor.path)) {
        return;
    }
    run.editorPath = editor.path;
}

}  // namespace

void ParseMenuPosition(RunState& run, std::string_view text, std::size_t start) {
    run.menuMode = MENU_MODE_ACTIVE;
    std::string token;
    bool secondField = false;
    for (std::size_t at = start; at < text.size(); ++at) {
        char c = text[at];
        if (c != ',' && c != '\r' && c != '\n') {
            if (token.size() < FIELD_TOKEN_MAX_CHARS) token += c;
            continue;
        }
        bool endedAtComma = c == ',';
        if (secondField) {
            // At the end of the line only the exact capital word stands for the screen height.
            bool isMax = endedAtComma ? Contains(token, "MAX") : token == "MAX";
            run.menuY = isMax ? run.maximizedHeight : StrToInt(token);
            run.menuMode = MENU_MODE_POINT;
            return;
        }
        if (!endedAtComma) {
            ApplyPlacementWord(run, token);
            return;
        }
        if (Contains(token, "MAX")) {
            run.menuX = run.screenWidth;
        } else if (ApplyPlacementWord(run, token)) {
            return;
        } else {
            run.menuX = StrToInt(token);
        }
        token.clear();
        secondField = true;
    }
}

void ParseTimeout(RunState& run, std::string_view line) {
    constexpr std::size_t VALUE_START = 9;  // after "@timeout="
    std::string token;
    for (std::size_t at = VALUE_START; at < line.size(); ++at) {
        char c = line[at];
        if (c == ',' || c == '\r' || c == '\n') break;
        if (token.size() < FIELD_TOKEN_MAX_CHARS) token += c;
    }
    int seconds = StrToInt(token);
    // Unsigned on purpose: a negative value becomes an effectively unlimited time-out.
    run.timeoutSeconds = seconds == 0 ? DEFAULT_TIMEOUT_SECONDS : static_cast<std::uint32_t>(seconds);
}

std::size_t ReadParamBlock(RunState& run, std::string_view configText, std::size_t start) {
    run.params.clear();
    std::size_t total = ReadConfigLine(configText, start).consumed;
    while (run.params.size() < static_cast<std::size_t>(PARAM_MAX)) {
        std::size_t cursor = start + total;
        if (cursor >= configText.size()) break;
        ConfigLine line = ReadConfigLine(configText, cursor);
        std::size_t separator = line.text.find(FIELD_SEPARATOR);
        if (separator == std::string::npos) break;
        total += line.consumed;
        // Block lines keep their leading blanks: they are part of the name.
        // A row the line's limit cut is dropped, the block going on: its value could name a parent.
        if (line.cut) continue;
        const std::string_view name = std::string_view(line.text).substr(0, separator);
        // Kept whole: a value that does not fit a path is not inserted, never inserted cut.
        run.params.push_back({CutToFileBytes(name, PARAM_NAME_MAX_CHARS), line.text.substr(separator + 3)});
    }
    return total;
}

LineOutcome HandleSystemLine(Platform& platform, RunState& run, std::string_view configText,
                             const std::string& line, std::size_t lineStart) {
    if (!line.empty() && line[0] == ';') return {};
    if (IsDirective(line, "@param")) {
        run.paramSeen = true;
        return {false, ReadParamBlock(run, configText, lineStart)};
    }
    if (IsDirective(line, "@path=")) {
        if (line.size() > 6) ReadSearchPath(platform, run, std::string_view(line).substr(6));
        return {};
    }
    if (IsDirective(line, "@menu=")) {
        // Only the first placement counts, and "/#m=" comes before every line.
        if (run.menuMode == MENU_MODE_UNSET && line.size() > 8) {
            ParseMenuPosition(run, line + "\r\n", 6);
        }
        return {};
    }
    if (IsDirective(line, "@base=")) {
        // "/#0=" or an earlier line already chose an existing folder.
        if (!platform.PathIsDirectory(run.baseFolder)) ReadBaseFolder(platform, run, std::string_view(line).substr(6));
        return {};
    }
    if (IsDirective(line, "@timeout=")) {
        if (line.size() > 9) ParseTimeout(run, line + "\r\n");
        return {};
    }
    if (IsDirective(line, "@editor=")) {
        ReadEditor(platform, run, std::string_view(line).substr(8));
        return {};
    }
    return {};
}

void ReadSystemSection(Platform& platform, RunState& run, std::string_view configText) {
    WalkSection(configText, "[system]",
                [&](const std::string& line, std::size_t lineStart) {
                    return HandleSystemLine(platform, run, configText, line, lineStart);
                });
    if (run.menuMode == MENU_MODE_UNSET) run.menuMode = MENU_MODE_ACTIVE;
}

}  // namespace korvo
