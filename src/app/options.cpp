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
OptionValue PlainValue(std::string_view argumentText, std::string_view option) {
    OptionValue value;
    std::size_t found = FindNoCase(argumentText, option);
    if (found == std::string_view::npos) return value;
    value.present = true;
    for (std::size_t at = found + option.size(); at < argumentText.size(); ++at) {
        if (argumentText[at] == ' ') break;
        if (value.text.size() == OPTION_VALUE_MAX_CHARS) {
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
    value.text = CutToFit(rest.substr(0, rest.find('"')), PATH_MAX_CHARS);
    return value;
}

void ApplyConfigFileOption(Platform& platform, RunState& run, const OptionValue& value) {
    if (!value.present) return;
    std::string candidate = run.programFolder + value.text;
    bool usable = !value.tooLong && candidate.size() <= PATH_MAX_CHARS &&
                  platform.PathFileExists(candidate);
    run.configPath = usable ? candidate
                            : CutToFit(run.programFolder + run.defaultConfigName, PATH_MAX_CHARS);
}

void ApplyMenuOption(RunState& run, const OptionValue& value) {
    if (!value.present || value.tooLong || value.text.empty()) return;
    ParseMenuPosition(run, value.text + "\r\n", 0);
}

void ApplyBrowseFolderOption(Platform& platform, RunState& run, const OptionValue& value) {
    if (!value.present) return;
    std::string folder = value.text;
    PathAddBackslash(folder);
    if (!platform.PathIsDirectory(folder)) return;
    RemoveTrailingBackslash(folder);
    run.baseFolder = folder;
}

enum class TokenResult { Rejected, Accepted };

// A clipboard line is one token, spaces included: after trimming, a space left in a line that was
// not quoted means words stand beside the URL, and the line is no URL at all (taken as one, the
// words would become part of the address).
bool HasWordsBesideUrl(const std::string& trimmed, bool quoted, int mode) {
    return mode == TARGET_MODE_CLIPBOARD && !quoted && trimmed.find(' ') != std::string::npos;
}

// Classifies the token; an accepted one becomes the run's only target.
TokenResult TestToken(RunState& run, std::string& token, int mode) {
    const bool quoted = token.size() >= 2 && token.front() == '"' && token.back() == '"';
    if (ClassifyTarget(run, token) > 0 && !HasWordsBesideUrl(token, quoted, mode)) {
        run.targets.targetCount = 1;
        run.targets.firstTarget = token;
        return TokenResult::Accepted;
    }
    token.clear();
    return TokenResult::Rejected;
}

}  // namespace

void ParseOptions(Platform& platform, RunState& run, std::string_view argumentText) {
    argumentText = argumentText.substr(0, argumentText.find('\0'));
    ApplyConfigFileOption(platform, run, PlainValue(argumentText, "/#s="));
    ApplyMenuOption(run, PlainValue(argumentText, "/#m="));

    run.requestedProgramName.clear();
    OptionValue program = PlainValue(argumentText, "/#e=");
    if (program.present && !program.tooLong) run.requestedProgramName = program.text;

    ApplyBrowseFolderOption(platform, run, QuotedValue(argumentText, "/#0=\""));
    if (FindNoCase(argumentText, "/#0") != std::string_view::npos) run.directBrowse = 1;
}

void ParseTargets(RunState& run, std::string_view text, int mode) {
    text = text.substr(0, text.find('\0'));
    run.targets = TargetList{};
    std::string token;
    bool quoted = false;
    auto append = [&token](char c) {
        if (token.size() < TOKEN_MAX_CHARS) token += c;
    };
    for (char c : text) {
        if (c == '"' && !quoted) {
            if (TestToken(run, token, mode) == TokenResult::Accepted) return;
            token.assign(1, '"');  // not = "\"": GCC 12 warns falsely (-Wrestrict) on that form
            quoted = true;
        } else if (c == '"') {
            // A full token still gets its closing quote, in place of its last character, so that
            // an over-long quoted URL stays a (cut) URL.
            if (token.size() == TOKEN_MAX_CHARS) token.pop_back();
            append(c);
            quoted = false;
            if (TestToken(run, token, mode) == TokenResult::Accepted) return;
        } else if (c == ' ' && !quoted && mode == TARGET_MODE_COMMAND_LINE) {
            if (TestToken(run, token, mode) == TokenResult::Accepted) return;
        } else if (c == '\n' && mode == TARGET_MODE_CLIPBOARD) {
            quoted = false;
            if (TestToken(run, token, mode) == TokenResult::Accepted) return;
        } else if (c == '\r' || c == '\n' || c == '\t') {
            continue;
        } else {
            append(c);
        }
    }
    if (!token.empty()) TestToken(run, token, mode);
}

int ClassifyTarget(const RunState& run, std::string& token) {
    PathUnquoteSpaces(token);
    PathRemoveBlanks(token);
    if (StartsWithNoCase(token, "http://", 7) || StartsWithNoCase(token, "https://", 8)) return 1;
    if (run.selectedProgram != -1 && StartsWithNoCase(token, "ftp://", 6)) return 2;
    return 0;
}

}  // namespace korvo
