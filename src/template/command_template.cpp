#include "template/command_template.h"

#include <array>
#include <optional>
#include <string_view>

#include "actions/file_name_dialog.h"
#include "base/text.h"
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

// Quoted whole however long: a target cut at a space would reach the program as two arguments.
std::string QuotedIfSpaced(std::string text) {
    if (text.find(' ') != std::string::npos) text = '"' + text + '"';
    return text;
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

// The URL path's file name; "index.html" when it has no extension.
std::string UrlFileName(std::string_view urlPath) {
    PathParts parts = SplitPath(urlPath);
    if (parts.extension.empty()) return "index.html";
    return parts.name + parts.extension;
}

struct Builder {
    Platform& platform;
    RunState& run;
    const std::string& folder;
    std::string folderParts;  // drive and folder parts of the chosen folder, separator kept
    std::string line;         // the command line built so far

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
            case Token::UrlName: return UrlFileName(url.urlPath);
            case Token::AskedName: return AskForFileName(platform, run, url.urlPath);
            case Token::Target: return QuotedIfSpaced(run.targets.firstTarget);
            case Token::TargetWithoutFragment:
                return QuotedIfSpaced(WithoutFragment(run.targets.firstTarget));
            case Token::FolderWithBackslash: return WithBackslash(folder);
            case Token::Folder: return folder;
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

    // False when the user cancelled.
    bool Append(Token token) {
        std::optional<std::string> value = ValueOf(token);
        if (!value) return false;
        line += *value;
        // Whatever ends the line now, the value or the text before an empty one, loses one
        // backslash.
        if (token == Token::FolderPartsWithoutBackslash) RemoveTrailingBackslash(line);
        return true;
    }
};

}  // namespace

std::string BuildCommandLine(Platform& platform, RunState& run, const std::string& commandTemplate,
                             const std::string& folder) {
    const std::string text =
        run.paramSeen ? ExpandPlaceholders(platform, run, commandTemplate) : commandTemplate;
    PathParts folderSplit = SplitPath(folder);
    Builder builder{platform, run, folder, folderSplit.drive + folderSplit.folder, {}};

    std::string_view rest(text);
    for (std::size_t at = 0; at < rest.size();) {
        if (const TokenText* found = rest[at] == '%' ? TokenAt(rest, at) : nullptr) {
            if (!builder.Append(found->token)) return CANCEL_MARKER;
            at += found->text.size();
            continue;
        }
        builder.line += rest[at];
        ++at;
    }
    return CutToFit(builder.line, COMMAND_LINE_MAX_CHARS);
}

}  // namespace korvo
