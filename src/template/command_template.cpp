#include "template/command_template.h"

#include <array>
#include <optional>
#include <string_view>
#include <vector>

#include "base/arguments.h"
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

struct Builder {
    const RunState& run;
    const std::string& folder;
    const AskFileName& askFileName;
    std::string folderParts;  // drive and folder parts of the chosen folder, separator kept

    // The token's value, or nullopt when the user cancelled the file-name box.
    std::optional<std::string> ValueOf(Token token) const {
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
            case Token::AskedName: return askFileName();
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

    // The template's arguments, split as the program will split its command line, each token
    // standing for its value inside the argument it falls in; nullopt when the user cancelled.
    std::optional<std::vector<std::string>> Arguments(std::string_view text) const {
        ArgumentReader reader;
        for (std::size_t at = 0; at < text.size();) {
            const TokenText* found = text[at] == '%' ? TokenAt(text, at) : nullptr;
            if (found == nullptr) {
                reader.Add(text[at++]);
                continue;
            }
            std::optional<std::string> value = ValueOf(found->token);
            if (!value) return std::nullopt;
            reader.AddWhole(*value);
            // Whatever ends the argument now, the value or the text before an empty one, loses
            // one backslash.
            if (found->token == Token::FolderPartsWithoutBackslash) RemoveTrailingBackslash(reader.Argument());
            at += found->text.size();
        }
        return reader.Finish();
    }
};

}  // namespace

std::string BuildCommandLine(Platform& platform, const RunState& run, const std::string& commandTemplate,
                             const std::string& folder, const AskFileName& askFileName) {
    const std::optional<std::string> text =
        run.paramSeen ? ExpandPlaceholdersWhole(platform, run, commandTemplate) : commandTemplate;
    if (!text) {
        platform.ShowMessage(TEXT_COMMAND_LINE_TOO_LONG, TEXT_ERROR_CAPTION);
        return CANCEL_MARKER;
    }
    PathParts folderSplit = SplitPath(folder);
    const Builder builder{run, folder, askFileName, folderSplit.drive + folderSplit.folder};
    const std::optional<std::vector<std::string>> arguments = builder.Arguments(*text);
    if (!arguments) return CANCEL_MARKER;
    // Whole, however long: the launch refuses a line Windows cannot pass on.
    return JoinArguments(*arguments);
}

}  // namespace korvo
