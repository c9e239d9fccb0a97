#include "template/command_template.h"

#include <array>
#include <optional>
#include <string_view>

#include "actions/file_name_dialog.h"
#include "base/text.h"
#include "base/texts.h"
#include "template/placeholders.h"
#include "url/path_split.h"

namespace korvo {

namespace {

enum class Token {
    Scheme, Host, User, Password, UrlPath, UrlFolder, UrlName, AskedName,
    Target, TargetWithoutFragment, FolderWithBackslash, Folder, FolderParts,
    FolderPartsWithoutBackslash, LastFolderName,
};

struct TokenText {
    std::string_view text;
    Token token;
};

// The two-character forms ("%-J", "%$K") first, although no one-character form is a prefix of
// them: the second character tells them apart.
constexpr std::array<TokenText, 15> TOKENS{{
    {"%-J", Token::UrlFolder}, {"%$K", Token::AskedName}, {"%-L", Token::TargetWithoutFragment},
    {"%-P", Token::Folder}, {"%-D", Token::FolderPartsWithoutBackslash},
    {"%S", Token::Scheme}, {"%G", Token::Host}, {"%H", Token::User}, {"%I", Token::Password},
    {"%J", Token::UrlPath}, {"%K", Token::UrlName}, {"%L", Token::Target},
    {"%P", Token::FolderWithBackslash}, {"%D", Token::FolderParts}, {"%F", Token::LastFolderName},
}};

// The token that starts at `at`, if any.
const TokenText* TokenAt(std::string_view text, std::size_t at) {
    for (const TokenText& candidate : TOKENS) {
        const std::size_t length = candidate.text.size();
        if (StartsWithNoCase(text.substr(at), candidate.text, length)) return &candidate;
    }
    return nullptr;
}

// The blank, cmd.exe's command characters and its argument separators: outside quotes each of
// them would end the argument or start another command when the program is a batch file.
bool NeedsQuotesForCmd(std::string_view value) {
    return value.find_first_of(" \t&|<>^(),;=") != std::string_view::npos;
}

// The Microsoft C run-time reads backslashes right before a quote as escapes: doubled, they stay
// the backslashes they were and the quote still closes.
void DoubleTrailingBackslashes(std::string& text) {
    const std::size_t last = text.find_last_not_of('\\');
    text.append(text.size() - (last == std::string::npos ? 0 : last + 1), '\\');
}

std::string Quoted(std::string value) {
    DoubleTrailingBackslashes(value);
    return '"' + value + '"';
}

// The target before its first "#", or else before its first "?".
std::string WithoutFragment(const std::string& target) {
    std::size_t cut = target.find('#');
    if (cut == std::string::npos) cut = target.find('?');
    return target.substr(0, cut);
}

std::string WithBackslash(std::string folder) {
    RemoveTrailingBackslash(folder);
    return folder + '\\';
}

// The folder as chosen, but a drive root keeps its backslash: "C:" alone names the current
// folder of drive C, not its root.
std::string FolderAsChosen(const std::string& folder) {
    return folder.size() == 2 && folder[1] == ':' ? folder + '\\' : folder;
}

// cmd.exe's own variables, which the environment does not hold.
bool IsDynamicCmdVariable(std::string_view name) {
    static constexpr std::array<std::string_view, 8> names = {
        "CD", "DATE", "TIME", "RANDOM", "ERRORLEVEL", "CMDEXTVERSION", "CMDCMDLINE",
        "HIGHESTNUMANODENUMBER"};
    for (std::string_view known : names) {
        if (name.size() == known.size() && StartsWithNoCase(name, known, known.size())) return true;
    }
    return false;
}

// cmd.exe replaces %NAME% (and %NAME:...%) by the variable's value before anything else, inside
// quotes too: a batch file would receive another URL, or the URL's server the user's own values
// (%USERNAME%). Names starting with "=" are cmd.exe's hidden folder variables.
bool CmdWouldChange(Platform& platform, std::string_view value) {
    for (std::size_t at = value.find('%'); at != std::string_view::npos; at = value.find('%', at + 1)) {
        const std::size_t end = value.find('%', at + 1);
        if (end == std::string_view::npos) return false;
        std::string_view name = value.substr(at + 1, end - at - 1);
        name = name.substr(0, name.find(':'));
        if (name.empty()) continue;
        if (name[0] == '=' || IsDynamicCmdVariable(name) ||
            platform.EnvironmentVariableDefined(std::string(name))) {
            return true;
        }
    }
    return false;
}

// Tokens whose text comes from the URL, and so may hold anything a URL may.
bool CarriesUrlText(Token token) {
    switch (token) {
        case Token::Host: case Token::User: case Token::Password: case Token::UrlPath:
        case Token::UrlFolder: case Token::UrlName: case Token::AskedName:
        case Token::Target: case Token::TargetWithoutFragment:
            return true;
        default:
            return false;
    }
}

struct Builder {
    Platform& platform;
    RunState& run;
    const std::string& folder;
    bool batchFile;
    std::string folderParts;  // drive and folder parts of the chosen folder, separator kept
    std::string line;         // the command line built so far
    bool insideQuotes = false;   // as cmd.exe and the C run-time read the line: quotes toggle
    bool valueEndsLine = false;  // the line ends with an inserted value, not template text

    // The token's value, or nullopt when the user cancelled the file-name box.
    std::optional<std::string> ValueOf(Token token) {
        const UrlParts& url = run.url;
        switch (token) {
            case Token::Scheme: return url.scheme;
            case Token::Host: return url.hostName;
            case Token::User: return url.userName;
            case Token::Password: return url.password;
            case Token::UrlPath: return url.urlPath;
            case Token::UrlFolder: {
                PathParts parts = SplitPath(url.urlPath);
                return parts.drive + parts.folder;
            }
            // The name the menu shows, made safe, not the URL's raw last segment.
            case Token::UrlName: return url.fileName;
            case Token::AskedName: return AskForFileName(platform, run, url);
            case Token::Target: return run.targets.firstTarget;
            case Token::TargetWithoutFragment: return WithoutFragment(run.targets.firstTarget);
            case Token::FolderWithBackslash: return WithBackslash(folder);
            case Token::Folder: return FolderAsChosen(folder);
            case Token::FolderParts: return folderParts;
            case Token::FolderPartsWithoutBackslash: return folderParts;
            case Token::LastFolderName: {
                std::string parts = folderParts;
                RemoveTrailingBackslash(parts);
                return SplitPath(parts).name;
            }
        }
        return std::string();
    }

    // A URL reaches the program as one argument: %L and %-L are quoted when they hold a blank or
    // a character cmd.exe reads as syntax, and so is any URL text a batch file would receive
    // outside quotes. Inside the template's own quotes a value is safe as it is.
    bool NeedsQuotes(Token token, std::string_view value) const {
        if (insideQuotes || !NeedsQuotesForCmd(value)) return false;
        const bool target = token == Token::Target || token == Token::TargetWithoutFragment;
        return target || (batchFile && CarriesUrlText(token));
    }

    // False when the user cancelled, or when cmd.exe would change URL text for a batch file
    // (the user is told).
    bool Append(Token token) {
        std::optional<std::string> value = ValueOf(token);
        if (!value) return false;
        if (batchFile && CarriesUrlText(token) && CmdWouldChange(platform, *value)) {
            platform.ShowMessage(TEXT_URL_CHANGED_BY_CMD, TEXT_ERROR_CAPTION);
            return false;
        }
        if (NeedsQuotes(token, *value)) value = Quoted(*value);
        AddText(*value);
        // Whatever ends the line now, the value or the text before an empty one, loses one
        // backslash.
        if (token == Token::FolderPartsWithoutBackslash) RemoveTrailingBackslash(line);
        if (!value->empty()) valueEndsLine = true;
        return true;
    }

    // Template text. A closing quote right after a value that ends in backslashes gets them
    // doubled, so that the program receives exactly the value ("C:\\" for the root of C:).
    void AppendTemplateText(std::string_view text) {
        if (text == "\"" && insideQuotes && valueEndsLine) DoubleTrailingBackslashes(line);
        AddText(text);
        valueEndsLine = false;
    }

    void AddText(std::string_view text) {
        line.append(text);
        for (char c : text) insideQuotes ^= c == '"';
    }
};

}  // namespace

std::string BuildCommandLine(Platform& platform, RunState& run, const std::string& commandTemplate,
                             const std::string& folder, bool batchFile) {
    const std::string text =
        run.paramSeen ? ExpandPlaceholders(platform, run, commandTemplate) : commandTemplate;
    PathParts folderSplit = SplitPath(folder);
    Builder builder{platform, run, folder, batchFile, folderSplit.drive + folderSplit.folder, {}};

    std::string_view rest(text);
    for (std::size_t at = 0; at < rest.size();) {
        if (const TokenText* found = rest[at] == '%' ? TokenAt(rest, at) : nullptr) {
            if (!builder.Append(found->token)) return CANCEL_MARKER;
            at += found->text.size();
            continue;
        }
        builder.AppendTemplateText(rest.substr(at, 1));
        ++at;
    }
    // Whole, however long: the launch refuses a line Windows cannot pass on.
    return builder.line;
}

}  // namespace korvo
