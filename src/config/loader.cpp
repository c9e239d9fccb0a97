#include "config/loader.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "base/text.h"
#include "base/texts.h"
#include "config/dir_section.h"
#include "config/exec_section.h"
#include "config/file_encoding.h"
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

// The parts of a line that name nothing: after the first " | " separator, or a group's name.
bool IsCutInLabel(std::string_view line) {
    return line.find(" | ") != std::string_view::npos || (!line.empty() && line.front() == '{');
}

void ReadSettingsAndFolders(Platform& platform, RunState& run, const DecodedFile& config) {
    ResetSettings(run);
    ReadSystemSection(platform, run, config.text);
    ReadDirSection(platform, run, config.text);
}

// How many of the [dir] folders exist when the file is read as `config`: the user's folders tell
// which reading the user wrote.
std::ptrdiff_t ExistingFolderCount(Platform& platform, RunState run, const DecodedFile& config) {
    ReadSettingsAndFolders(platform, run, config);
    return std::count_if(run.folders.begin(), run.folders.end(),
                         [](const FolderEntry& entry) { return entry.kind == FolderKind::Folder; });
}

// The first reading, unless the second finds more of the user's folders.
const DecodedFile& ChosenReading(Platform& platform, const RunState& run, const std::vector<DecodedFile>& readings) {
    if (readings.size() < 2) return readings.front();
    const bool second = ExistingFolderCount(platform, run, readings[1]) > ExistingFolderCount(platform, run, readings[0]);
    return second ? readings[1] : readings[0];
}

void RemoveLeadingBlanks(std::string& line) {
    std::size_t first = line.find_first_not_of(' ');
    // A line of blanks only is handed over as it is.
    if (first != std::string::npos) line.erase(0, first);
}

}  // namespace

ConfigLine ReadConfigLine(std::string_view configText, std::size_t start) {
    ConfigLine line;
    // Once a character does not fit, the rest of the physical line is stepped over and lost.
    bool full = false;
    std::size_t fileBytes = 0;
    std::size_t at = start;
    while (at < configText.size()) {
        std::size_t length = 1;
        const char32_t c = CodePointAt(configText, at, length);
        if (c == '\n') {
            line.consumed = at + 1 - start;
            return line;
        }
        if (c == '\0') full = true;
        if (!full && c != '\r' && c != '\t') {
            fileBytes += ConfigCharLength(c);
            full = line.cut = fileBytes > LINE_MAX_CHARS;
            if (!full) line.text.append(configText.substr(at, length));
        }
        at += length;
    }
    line.consumed = at + 1 - start;
    return line;
}

bool WalkSection(std::string_view configText, std::string_view header, const SectionLineHandler& handler) {
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
        // Handed over empty, a line that names nothing still ends what the line before began.
        if (line.cut && !IsCutInLabel(line.text)) line.text.clear();
        LineOutcome outcome = handler(line.text, cursor);
        if (outcome.endSection) break;
        cursor += outcome.advance != 0 ? outcome.advance : line.consumed;
    }
    return true;
}

int LoadConfiguration(Platform& platform, RunState& run) {
    std::optional<std::string> configBytes = OpenConfigurationText(platform, run);
    if (!configBytes) {
        platform.ShowMessage(TEXT_CONFIG_ERROR, TEXT_ERROR_CAPTION);
        return 0;
    }
    const std::vector<DecodedFile> readings = FileReadings(platform, *configBytes);
    const DecodedFile& chosen = ChosenReading(platform, run, readings);
    ReadSettingsAndFolders(platform, run, chosen);
    ReadExecSection(platform, run, chosen.text);
    return 1;
}

}  // namespace korvo
