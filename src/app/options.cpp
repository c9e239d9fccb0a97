#include "app/options.h"

#include "base/text.h"
#include "config/system_section.h"

namespace korvo {

namespace {

// An option value is read into a 260-byte buffer: reaching its last usable character means the
// value did not fit.
constexpr std::size_t OPTION_VALUE_MAX_CHARS = 258;

struct OptionValue {
    bool present = false;
    bool tooLong = false;
    std::string text;
};

// The characters after `option` up to the first space or the end of the text. There is no quoting:
// quotes and tabs are part of the value.
OptionValue PlainValue(std::string_view argumentText, std::string_view option,
                       std::size_t maxChars = OPTION_VALUE_MAX_CHARS) {
    OptionValue value;
    std::size_t found = FindNoCase(argumentText, option);
    if (found == std::string_view::npos) return value;
    value.present = true;
    for (std::size_t at = found + option.size(); at < argumentText.size(); ++at) {
        if (argumentText[at] == ' ') break;
        if (value.text.size() == maxChars) {
            value.tooLong = true;
            value.text.clear();
            break;
        }
        value.text += argumentText[at];
    }
    return value;
}

// The characters after `option` (which ends with the opening quote) up to the next quote.
OptionValue QuotedValue(std::string_view argumentText, std::string_view option) {
    OptionValue value;
    std::size_t found = FindNoCase(argumentText, option);
    if (found == std::string_view::npos) return value;
    value.present = true;
    std::string_view rest = argumentText.substr(found + option.size());
    value.text = std::string(rest.substr(0, rest.find('"')));
    // Cut, the folder could be one of its parents: a value that does not fit names no folder.
    value.tooLong = PathLength(value.text) > PATH_MAX_CHARS;
    return value;
}

void ApplyConfigFileOption(Platform& platform, RunState& run, const OptionValue& value) {
    if (!value.present) return;
    std::string candidate = run.programFolder + value.text;
    bool usable = !value.tooLong && PathLength(candidate) <= PATH_MAX_CHARS &&
                  platform.PathFileExists(candidate);
    run.configPath = usable ? candidate
                            : CutToFit(run.programFolder + run.defaultConfigName, PATH_MAX_CHARS);
}

void ApplyMenuOption(RunState& run, const OptionValue& value) {
    if (!value.present || value.tooLong || value.text.empty()) return;
    ParseMenuPosition(run, value.text + "\r\n", 0);
}

void ApplyBrowseFolderOption(Platform& platform, RunState& run, const OptionValue& value) {
    if (!value.present || value.tooLong) return;
    std::string folder = value.text;
    PathAddBackslash(folder);
    if (!platform.PathIsDirectory(folder)) return;
    RemoveTrailingBackslash(folder);
    run.baseFolder = folder;
}

}  // namespace

void ParseOptions(Platform& platform, RunState& run, std::string_view argumentText) {
    argumentText = argumentText.substr(0, argumentText.find('\0'));
    ApplyConfigFileOption(platform, run, PlainValue(argumentText, "/#s="));
    ApplyMenuOption(run, PlainValue(argumentText, "/#m="));

    run.requestedProgramName.clear();
    // Whole, however long: a name no program has selects none, and a cut one could be another's.
    OptionValue program = PlainValue(argumentText, "/#e=", std::string::npos);
    if (program.present) run.requestedProgramName = program.text;

    ApplyBrowseFolderOption(platform, run, QuotedValue(argumentText, "/#0=\""));
    if (FindNoCase(argumentText, "/#0") != std::string_view::npos) run.directBrowse = 1;
}

}  // namespace korvo
