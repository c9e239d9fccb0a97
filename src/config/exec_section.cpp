#include "config/exec_section.h"

#include "base/text.h"
#include "config/loader.h"
#include "config/program_path.h"
#include "template/placeholders.h"
#include "url/path_split.h"

namespace korvo {

namespace {

constexpr char NAME_SEPARATOR[] = " | ";

bool IsTemplateLine(const ExecReadingState& state, const std::string& text) {
    return state.afterProgram && !text.empty() && text[0] == '>';
}

// Adds the program the line names when it exists as a file. False when the line is dropped.
bool AddProgram(Platform& platform, RunState& run, const std::string& text) {
    std::size_t separator = text.find(NAME_SEPARATOR);
    std::string_view whole(text);
    // Cut, the path could name another file: a program path that does not fit names none.
    if (PathLength(whole.substr(0, separator)) > PATH_MAX_CHARS) return false;
    std::string name(whole.substr(0, separator));
    ResolvedProgram resolved = ResolveProgramPath(platform, run, name, true);
    if (resolved.found == 0 || platform.PathIsDirectory(resolved.path)) return false;

    ProgramEntry entry;
    entry.programPath = CutToFit(resolved.path, PATH_MAX_CHARS);
    // Whole, as "/#e=" compares it: a cut name could be another program's.
    entry.displayName = separator == std::string::npos ? SplitPath(entry.programPath).name
                                                       : std::string(whole.substr(separator + 3));
    run.programs.push_back(std::move(entry));
    return true;
}

}  // namespace

bool HandleExecLine(Platform& platform, RunState& run, ExecReadingState& state,
                    const std::string& line) {
    const std::optional<std::string> whole = run.paramSeen ? ExpandPlaceholdersWhole(platform, run, line) : line;
    const std::string text = whole ? *whole : ExpandPlaceholders(platform, run, line);
    if (IsTemplateLine(state, text)) {
        // The last ">" line after a program is its template, kept whole. One whose placeholders
        // do not fit the expander stays as written, and building its command line says so.
        run.programs.back().commandTemplate = (whole ? *whole : line).substr(1);
        return false;
    }
    if (run.programs.size() >= static_cast<std::size_t>(PROGRAM_MAX)) return true;
    // A template line belongs to the program line just above it: when that program is missing,
    // its templates are dropped with it instead of replacing the template of the program before.
    state.afterProgram = AddProgram(platform, run, text);
    return false;
}

void SelectProgram(RunState& run) {
    run.selectedProgram = -1;
    const std::string& wanted = run.requestedProgramName;
    for (std::size_t index = 0; index < run.programs.size(); ++index) {
        const std::string& name = run.programs[index].displayName;
        // The whole name, ignoring case: a letter and its other case may differ in UTF-8 length.
        if (!wanted.empty() && StartsWithNoCase(name, wanted, std::string::npos)) {
            run.selectedProgram = static_cast<int>(index);
            return;
        }
    }
}

void ReadExecSection(Platform& platform, RunState& run, std::string_view configText) {
    run.programs.clear();
    run.selectedProgram = -1;
    ExecReadingState state;
    WalkSection(configText, "[exec]", [&](const std::string& line, std::size_t) {
        return LineOutcome{HandleExecLine(platform, run, state, line), 0};
    });
    SelectProgram(run);
}

}  // namespace korvo
