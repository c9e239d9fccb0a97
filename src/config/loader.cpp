#include "config/loader.h"

#include <optional>

#include "base/text.h"
#include "base/texts.h"
#include "config/dir_section.h"
#include "config/exec_section.h"
#include "config/system_section.h"

namespace korvo {

namespace {

constexpr char KORVO_CONFIG_NAME[] = "Korvo.ini";

std::string InProgramFolder(const RunState& run, std::string_view name) {
    return CutToFit(run.programFolder + std::string(name), PATH_MAX_CHARS);
}

// The "/#s=" file first, then the default name, then "Korvo.ini"; with none of them present an
// empty default file is created so that the user has something to edit. `configPath` ends naming
// the file that was opened.
std::optional<std::string> OpenConfigurationText(Platform& platform, RunState& run) {
    if (platform.PathFileExists(run.configPath)) {
        return platform.ReadWholeFile(run.configPath, OpenMode::Existing);
    }
    // From here on a file that vanishes after its existence test is created rather than reported.
    for (std::string_view name : {std::string_view(run.defaultConfigName),
                                  std::string_view(KORVO_CONFIG_NAME)}) {
        run.configPath = InProgramFolder(run, name);
        if (platform.PathFileExists(run.configPath)) {
            return platform.ReadWholeFile(run.configPath, OpenMode::OpenOrCreate);
        }
    }
    run.configPath = InProgramFolder(run, run.defaultConfigName);
    return platform.ReadWholeFile(run.configPath, OpenMode::OpenOrCreate);
}

void ResetSettings(RunState& run) {
    // menuMode, menuX, menuY and baseFolder may already come from the command line.
    run.paramSeen = false;
    run.searchPathSet = false;
    run.params.clear();
    run.editorPath.clear();
}

void RemoveLeadingBlanks(std::string& line) {
    std::size_t first = line.find_first_not_of(' ');
    // A line of blanks only is handed over as it is.
    if (first != std::string::npos) line.erase(0, first);
}

}  // namespace

ConfigLine ReadConfigLine(std::string_view configText, std::size_t start) {
    ConfigLine line;
    bool endedByNul = false;
    std::size_t at = start;
    for (; at < configText.size(); ++at) {
        char c = configText[at];
        if (c == '\n') {
            line.consumed = at + 1 - start;
            line.text = CutToFit(line.text, LINE_MAX_CHARS);
            return line;
        }
        if (c == '\r' || c == '\t' || endedByNul) continue;
        if (c == '\0') {
            endedByNul = true;
            continue;
        }
        // One byte beyond the limit lets CutToFit keep a double-byte character whole or drop it.
        if (line.text.size() <= LINE_MAX_CHARS) line.text += c;
    }
    line.consumed = at + 1 - start;
    line.text = CutToFit(line.text, LINE_MAX_CHARS);
    return line;
}

bool WalkSection(std::string_view configText, std::string_view header,
                 const SectionLineHandler& handler) {
    std::string_view searchable = configText.substr(0, configText.find('\0'));
    std::size_t cursor = FindNoCase(searchable, header);
    if (cursor == std::string_view::npos) return false;

    // Whatever follows the header on its own line is not part of the section.
    cursor += ReadConfigLine(configText, cursor).consumed;
    // The last line counts even without a line feed; a cursor at the very end means the file has
    // no further line.
    while (cursor < configText.size()) {
        ConfigLine line = ReadConfigLine(configText, cursor);
        RemoveLeadingBlanks(line.text);
        if (StartsWithNoCase(line.text, "%end", 4)) break;
        LineOutcome outcome = handler(line.text, cursor);
        if (outcome.endSection) break;
        cursor += outcome.advance != 0 ? outcome.advance : line.consumed;
    }
    return true;
}

int LoadConfiguration(Platform& platform, RunState& run) {
    std::optional<std::string> configText = OpenConfigurationText(platform, run);
    if (!configText) {
        platform.ShowMessage(TEXT_CONFIG_ERROR, TEXT_ERROR_CAPTION);
        return 0;
    }
    ResetSettings(run);
    ReadSystemSection(platform, run, *configText);
    ReadDirSection(platform, run, *configText);
    ReadExecSection(platform, run, *configText);
    return 1;
}

}  // namespace korvo
