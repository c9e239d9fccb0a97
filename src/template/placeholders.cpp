#include "template/placeholders.h"

#include <cstdio>
#include <functional>
#include <optional>

#include "base/text.h"

namespace korvo {

namespace {

struct SpecialFolderToken {
    const char* token;
    int csidl;
};

// In processing order. Every token starts and ends with "%", so no token matches inside another
// ("%My Pictures%" never inside "%Common My Pictures%").
constexpr SpecialFolderToken SPECIAL_FOLDER_TOKENS[] = {
    {"%Windows%", 36},
    {"%Program Files%", 38},
    {"%System%", 37},
    {"%My Pictures%", 39},
    {"%My Music%", 13},
    {"%My Video%", 14},
    {"%My Documents%", 5},
    {"%Favorites%", 6},
    {"%Start Menu%", 11},
    {"%Programs%", 2},
    {"%StartUp%", 7},
    {"%SendTo%", 9},
    {"%Internet Cache%", 32},
    {"%Fonts%", 20},
    {"%Cookies%", 33},
    {"%History%", 34},
    {"%Desktop%", 0},
    {"%DesktopDirectory%", 16},
    {"%Recent%", 8},
    {"%Common Start Menu%", 22},
    {"%Common Programs%", 23},
    {"%Common StartUp%", 24},
    {"%Common Desktop%", 25},
    {"%Common Favorites%", 31},
    {"%Common My Documents%", 46},
    {"%Common My Pictures%", 54},
    {"%Common My Music%", 53},
    {"%Common My Video%", 55},
};

constexpr char PROGRAM_FOLDER_TOKEN[] = "%ins_Korvo%";

// The value of one occurrence; nullopt stops the token's row, leaving this occurrence and the
// later ones as written.
using ValueOf = std::function<std::optional<std::string>()>;

// The text being expanded, and whether it has been cut to fit.
struct Expansion {
    std::string text;
    bool cut = false;
};

// Replaces the occurrences of `token` from left to right. The search goes on right after each
// inserted value, so a value is never examined again by its own token, and an empty token
// matches nothing: the text cannot grow without end.
void ReplaceToken(Expansion& expansion, std::string_view token, const ValueOf& valueOf) {
    std::string& text = expansion.text;
    std::string result;
    std::size_t from = 0;
    while (from < text.size()) {
        std::size_t found = FindNoCase(std::string_view(text).substr(from), token);
        if (found == std::string_view::npos) break;
        std::optional<std::string> value = valueOf();
        if (!value) break;
        result.append(text, from, found);
        result += *value;
        from += found + token.size();
        // Whatever is left would be cut anyway (a UTF-16 unit takes at most three bytes).
        if (result.size() > 3 * PLACEHOLDER_TEXT_MAX_CHARS) {
            from = text.size();
            break;
        }
    }
    if (from == 0) return;  // nothing replaced
    if (from < text.size()) result.append(text, from, std::string::npos);
    text = CutToFit(result, PLACEHOLDER_TEXT_MAX_CHARS);
    expansion.cut = expansion.cut || text.size() != result.size();
}

void ReplaceWithText(Expansion& text, std::string_view token, const std::string& value) {
    ReplaceToken(text, token, [&value] { return std::optional<std::string>(value); });
}

std::string Formatted(const char* format, int number) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, format, number);
    return buffer;
}

// The last two characters of the year's decimal text, or all of it when it is shorter.
std::string TwoDigitYear(int year) {
    std::string digits = Formatted("%d", year);
    return digits.size() <= 2 ? digits : digits.substr(digits.size() - 2);
}

void ExpandDate(Expansion& text, const LocalDate& today) {
    ReplaceWithText(text, "%4y%", Formatted("%d", today.year));
    ReplaceWithText(text, "%2y%", TwoDigitYear(today.year));
    ReplaceWithText(text, "%mm%", Formatted("%d", today.month));
    ReplaceWithText(text, "%0m%", Formatted("%02d", today.month));
    ReplaceWithText(text, "%-m%", Formatted("%2d", today.month));
    ReplaceWithText(text, "%dd%", Formatted("%d", today.day));
    ReplaceWithText(text, "%0d%", Formatted("%02d", today.day));
    ReplaceWithText(text, "%-d%", Formatted("%2d", today.day));
}

// The program's folder without its one trailing backslash.
std::string ProgramFolderValue(const RunState& run) {
    std::string folder = run.programFolder;
    RemoveTrailingBackslash(folder);
    return CutToFit(folder, PATH_MAX_CHARS);
}

Expansion Expand(Platform& platform, const RunState& run, std::string_view text) {
    Expansion expanded{CutToFit(text, PLACEHOLDER_TEXT_MAX_CHARS)};
    expanded.cut = expanded.text.size() != text.size();
    // The date is read once: every date token of the text shows the same day.
    const LocalDate today = platform.Today();

    for (const SpecialFolderToken& row : SPECIAL_FOLDER_TOKENS) {
        // The shell is asked at each occurrence, as the folder may appear only then.
        ReplaceToken(expanded, row.token, [&platform, &row]() -> std::optional<std::string> {
            std::optional<std::string> folder = platform.SpecialFolderPath(row.csidl);
            // Cut, the path could name one of its parents: a folder that does not fit is none.
            if (!folder || PathLength(*folder) > PATH_MAX_CHARS) return std::nullopt;
            return folder;
        });
    }
    ReplaceWithText(expanded, PROGRAM_FOLDER_TOKEN, ProgramFolderValue(run));
    ExpandDate(expanded, today);
    for (const ParamEntry& row : run.params) {
        // A value too long for a path is left out rather than cut into another folder's path.
        if (PathLength(row.value) <= PATH_MAX_CHARS) ReplaceWithText(expanded, row.name, row.value);
    }
    return expanded;
}

}  // namespace

std::string ExpandPlaceholders(Platform& platform, const RunState& run, std::string_view text) {
    return Expand(platform, run, text).text;
}

std::optional<std::string> ExpandPlaceholdersWhole(Platform& platform, const RunState& run,
                                                   std::string_view text) {
    Expansion expanded = Expand(platform, run, text);
    if (expanded.cut) return std::nullopt;
    return std::move(expanded.text);
}

}  // namespace korvo
