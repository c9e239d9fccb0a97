// Korvo's own shell-style string functions against the real shlwapi W functions, on the same
// UTF-8 inputs converted to UTF-16: the two must never drift apart. Case folding is checked against
// CompareStringOrdinal, and the configuration's code page 932 byte counts against the system's
// own code page 932 table.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "../unit/ordinal_folds.h"

#include "base/arguments.h"
#include "base/text.h"
#include "config/file_encoding.h"
#include "text_samples.h"
#include "win32/codepage.h"
#include <shellapi.h>

namespace korvo::testing {
namespace {

using std::string;
using win32::ToNarrow;
using win32::ToWide;

string Repeat(const string& text, std::size_t n) {
    string repeated;
    while (n-- > 0) repeated += text;
    return repeated;
}

// A buffer with room to spare, so that a shell function that writes past MAX_PATH shows up as a
// difference instead of corrupting the test.
struct ShellBuffer {
    explicit ShellBuffer(const string& text) : units(MAX_PATH + 64, L'\0') {
        const std::wstring wide = ToWide(text);
        wide.copy(units.data(), wide.size());
    }
    wchar_t* data() { return units.data(); }
    string Text() const { return ToNarrow(units.data()); }
    std::vector<wchar_t> units;
};

bool SameIgnoringCase(wchar_t a, wchar_t b) { return CompareStringOrdinal(&a, 1, &b, 1, TRUE) == CSTR_EQUAL; }

// Every UTF-16 unit but the surrogates: CompareStringOrdinal calls it equal to Korvo's uppercase
// form, and to its invariant uppercase form exactly when Korvo folds both alike.
TEST(TextDifferential, OrdinalUpperCaseMatchesCompareStringOrdinal) {
    for (wchar_t c = 1; c != 0; c = c == 0xD7FF ? 0xE000 : c + 1) {
        const auto ours = static_cast<wchar_t>(OrdinalUpperCase(c));
        wchar_t invariant = c;
        LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, &c, 1, &invariant, 1, nullptr, nullptr, 0);
        ASSERT_TRUE(SameIgnoringCase(c, ours)) << std::hex << static_cast<unsigned>(c);
        ASSERT_EQ(SameIgnoringCase(c, invariant), OrdinalUpperCase(invariant) == ours)
            << std::hex << static_cast<unsigned>(c);
    }
}

// Every unit but the surrogates that CompareStringOrdinal, without case, takes for another unit,
// with the smallest unit of that class: sorted in its order, equal units are one class.
std::vector<std::array<unsigned, 2>> SystemOrdinalFolds() {
    std::vector<wchar_t> units;
    for (wchar_t c = 1; c != 0; c = c == 0xD7FF ? 0xE000 : c + 1) units.push_back(c);
    auto less = [](wchar_t a, wchar_t b) { return CompareStringOrdinal(&a, 1, &b, 1, TRUE) == CSTR_LESS_THAN; };
    std::stable_sort(units.begin(), units.end(), less);
    std::vector<std::array<unsigned, 2>> folds;
    for (std::size_t first = 0, at = 1; at < units.size(); ++at) {
        if (less(units[first], units[at])) first = at;
        else folds.push_back({units[at], units[first]});
    }
    std::sort(folds.begin(), folds.end());
    return folds;
}

// The folds as runs {first unit, its fold, count, step}: a run goes on while both sides move by
// the same step of 1 or 2 (Latin letters by 1, most Latin Extended pairs by 2).
std::vector<std::array<unsigned, 4>> FoldRuns(const std::vector<std::array<unsigned, 2>>& folds) {
    std::vector<std::array<unsigned, 4>> runs;
    for (const auto& [from, to] : folds) {
        if (!runs.empty()) {
            auto& [first, fold, count, step] = runs.back();
            const unsigned next = count == 1 ? from - first : step;
            if ((next == 1 || next == 2) && from == first + count * next && to == fold + count * next) {
                step = next;
                ++count;
                continue;
            }
        }
        runs.push_back({from, to, 1, 1});
    }
    return runs;
}

// The fake platform of the unit tests folds names with this table, taken from the system: with
// KORVO_WRITE_ORDINAL_FOLDS=FILE this test writes it anew.
TEST(TextDifferential, TheFakePlatformFoldsAsCompareStringOrdinal) {
    const auto folds = SystemOrdinalFolds();
    if (const char* path = std::getenv("KORVO_WRITE_ORDINAL_FOLDS")) {
        FILE* file = std::fopen(path, "w");
        ASSERT_NE(file, nullptr) << path;
        std::fputs("// Written by the Win32 test TextDifferential.TheFakePlatformFoldsAsCompareStringOrdinal from\n"
                   "// the system's CompareStringOrdinal: each UTF-16 unit it takes for another without case, and\n"
                   "// the smallest unit of that class, in runs {first unit, its fold, count, step}. Not edited by hand.\n"
                   "#pragma once\n\nnamespace korvo::testing {\n\ninline constexpr char16_t ORDINAL_FOLDS[][4] = {", file);
        const auto runs = FoldRuns(folds);
        for (std::size_t i = 0; i < runs.size(); ++i) {
            std::fprintf(file, "%s{0x%04X, 0x%04X, %u, %u},", i % 4 ? " " : "\n    ", runs[i][0], runs[i][1],
                         runs[i][2], runs[i][3]);
        }
        std::fputs("\n};\n\n}  // namespace korvo::testing\n", file);
        std::fclose(file);
    }
    std::vector<std::array<unsigned, 2>> written;
    for (const auto& [from, to, count, step] : ORDINAL_FOLDS) {
        for (unsigned k = 0; k < count; ++k) written.push_back({from + k * step, to + k * step});
    }
    ASSERT_EQ(folds.size(), written.size());
    for (std::size_t i = 0; i < folds.size(); ++i) EXPECT_EQ(folds[i], written[i]) << std::hex << folds[i][0];
}

// The bytes of each character in a code page 932 file, for every character code page 932 holds.
TEST(TextDifferential, CodePage932LengthsMatchWideCharToMultiByte) {
    for (wchar_t c = 1; c != 0; c = c == 0xD7FF ? 0xE000 : c + 1) {
        BOOL lossy = FALSE;
        const int length = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, &c, 1, nullptr, 0, nullptr, &lossy);
        if (length > 0 && !lossy) {
            ASSERT_EQ(static_cast<std::size_t>(length), ConfigCharLength(c))
                << std::hex << static_cast<unsigned>(c);
        }
    }
}

TEST(TextDifferential, FindNoCaseMatchesStrStrIW) {
    const struct {
        string haystack, needle;
    } cases[] = {
        {"http://Example.COM/a", "example"},
        {"[DIR]", "[dir]"},
        {"abc", "abcd"},
        {"abc", ""},
        {"", "a"},
        {"aaab", "AAB"},
        {string(A_KANA) + "BC", "abc"},
        {string(A_KANA) + "BC", "bc"},
        {string(FU), "t"},
        {string(HYOU), "\\"},
        {"x" + string(HYOU) + "\\y", "\\y"},
        {string(SO) + "\\" + string(SO), string(SO)},
        {"C:\\" + string(HYOU) + "\\file", "\\FILE"},
        {string(FULLWIDTH_A) + "a", "a"},
        {"x\xEF\xBD\x81", string(FULLWIDTH_A)},  // full-width a against full-width A
        {"@Menu=mouse", "@menu="},
        {"C:\\Users\\Zo" + string(E_DIAERESIS) + "\\x", "zo\xC3\x8B"},
        {string(EMOJI) + "a", "A"},
    };
    for (const auto& c : cases) {
        const std::wstring haystack = ToWide(c.haystack);
        const wchar_t* found = StrStrIW(haystack.c_str(), ToWide(c.needle).c_str());
        const std::size_t expected =
            found == nullptr ? string::npos : ToNarrow(std::wstring(haystack.c_str(), found)).size();
        EXPECT_EQ(expected, FindNoCase(c.haystack, c.needle))
            << "haystack " << Shown(c.haystack) << " needle " << Shown(c.needle);
    }
}

TEST(TextDifferential, StartsWithNoCaseMatchesStrCmpNIW) {
    const struct {
        string text, prefix;
        int n;
    } cases[] = {
        {"@menu=mouse", "@MENU=", 6},
        {"@men", "@menu=", 6},
        {"abc", "ABD", 2},
        {"abc", "ABD", 3},
        {"ABC", "abc", 0},
        {"a", "a", 5},
        {"a", "ab", 5},
        {"ab", "a", 5},
        {"[exec]", "[EXEC]", 6},
        {"/#s=x", "/#S=", 4},
        {string(A_KANA) + "x", string(A_KANA) + "X", 2},
        {string(A_KANA), "\xE3\x83\x81", 1},          // ア against チ
        {string(HYOU) + "a", string(HYOU) + "A", 2},
        {string(FULLWIDTH_A), "\xEF\xBD\x81", 1},
        {"http://", "HTTP://", 7},
        {"ftp:", "ftp://", 6},
    };
    for (const auto& c : cases) {
        // Wine's StrCmpNIW reads n characters even past a terminator: ask for no more than exist.
        const std::wstring text = ToWide(c.text), prefix = ToWide(c.prefix);
        const int n = std::min<int>(c.n, static_cast<int>(std::min(text.size(), prefix.size())) + 1);
        const bool expected = StrCmpNIW(text.c_str(), prefix.c_str(), n) == 0;
        EXPECT_EQ(expected, StartsWithNoCase(c.text, c.prefix, static_cast<std::size_t>(c.n)))
            << Shown(c.text) << " " << Shown(c.prefix) << " " << c.n;
    }
}

TEST(TextDifferential, StrToIntMatchesStrToIntW) {
    const string cases[] = {
        "123", "  42", "\t7", "-17", "+5", "12abc", "abc", "", "007", "- 5", "--5",
        "2147483647", "2147483648", "-2147483648", "99999999999", "0x10", "60 ", "1,5",
        string(HYOU) + "1", "\xEF\xBC\x91",  // a full-width 1 is no digit
    };
    for (const string& text : cases) {
        EXPECT_EQ(StrToIntW(ToWide(text).c_str()), StrToInt(text)) << Shown(text);
    }
}

// The limit counts UTF-16 units: 258 Japanese characters still take a backslash.
TEST(TextDifferential, PathAddBackslashMatchesPathAddBackslashW) {
    const string cases[] = {
        "C:\\a", "C:\\a\\", "", "C:", "\\",
        "C:\\" + string(HYOU), string(SO), "C:\\" + string(SO) + "\\",
        Repeat("a", 257), Repeat("a", 258), Repeat(HYOU, 258),
        Repeat("a", 256) + "\\", "x" + Repeat("a", 255) + string(HYOU),
    };
    for (const string& text : cases) {
        ShellBuffer shell(text);
        PathAddBackslashW(shell.data());
        string ours = text;
        PathAddBackslash(ours);
        EXPECT_EQ(shell.Text(), ours) << Shown(text) << " (" << PathLength(text) << " units)";
    }
}

TEST(TextDifferential, PathAddBackslashLeavesAFullPathAlone) {
    // At 259 characters the shell (Wine's, at least) still appends, writing the terminator past
    // a 260-character buffer. Korvo keeps every path within 259 characters, so it gives up instead.
    string full = Repeat("a", 259);
    PathAddBackslash(full);
    EXPECT_EQ(Repeat("a", 259), full);
}

TEST(TextDifferential, PathUnquoteSpacesMatchesPathUnquoteSpacesW) {
    const string cases[] = {
        "\"a b\"", "\"", "\"\"", "\"a", "a\"", "\"a\"b\"", "", "a b",
        "\"" + string(HYOU) + "\"", "\"C:\\" + string(SO) + "\\\"",
    };
    for (const string& text : cases) {
        ShellBuffer shell(text);
        PathUnquoteSpacesW(shell.data());
        string ours = text;
        PathUnquoteSpaces(ours);
        EXPECT_EQ(shell.Text(), ours) << Shown(text);
    }
}

TEST(TextDifferential, PathRemoveBlanksMatchesPathRemoveBlanksW) {
    const string cases[] = {
        "  a b  ", "", "   ", "a", " a", "a ", "\ta\t", " " + string(HYOU) + " ",
        string(SO) + "  ", "\xE3\x80\x80x",  // an ideographic space is no blank
    };
    for (const string& text : cases) {
        ShellBuffer shell(text);
        PathRemoveBlanksW(shell.data());
        string ours = text;
        PathRemoveBlanks(ours);
        EXPECT_EQ(shell.Text(), ours) << Shown(text);
    }
}

TEST(TextDifferential, PathQuoteSpacesMatchesPathQuoteSpacesW) {
    const string cases[] = {
        "a b", "ab", "", " ", "\"a b\"", string(HYOU) + " " + string(SO),
        "C:\\Program Files\\x.exe",
        "a " + Repeat("b", 254), "a " + Repeat("b", 255), "a " + Repeat("b", 256),
        "a " + Repeat(HYOU, 254), "a " + Repeat(HYOU, 255),
    };
    for (const string& text : cases) {
        ShellBuffer shell(text);
        PathQuoteSpacesW(shell.data());
        string ours = text;
        PathQuoteSpaces(ours);
        EXPECT_EQ(shell.Text(), ours) << Shown(text) << " (" << PathLength(text) << " units)";
    }
}

// Korvo splits a template as programs split their command line (CommandLineToArgvW, after a
// program name), and writes each argument so that they get it back whole.
TEST(TextDifferential, ArgumentsMatchCommandLineToArgvW) {
    const auto argv = [](const string& parameters) {
        int count = 0;
        LPWSTR* split = CommandLineToArgvW(ToWide("p.exe " + parameters).c_str(), &count);
        std::vector<string> arguments(count > 1 ? count - 1 : 0);
        for (int i = 1; i < count; ++i) arguments[i - 1] = ToNarrow(split[i]);
        LocalFree(split);
        return arguments;
    };
    for (const char* line : {"a b\tc \\", " -o  \"C:\\My Files\\\\\" x", "-o\"C:\\My Files\"\\x", "a\\\\\\\"b c\\\\\"d e\"",
                             "\"\" x \"\"", "\\\\server\\share\\ \"unclosed \\", "\"a\"b\" c", "表 \"é \\\" x\""}) {
        EXPECT_EQ(SplitArguments(line), argv(line)) << line;
    }
    const std::vector<string> arguments{"", "C:\\a b\\", "a\\\"b", "\\\\\"", "x&y", "\"", "a\tb\\\\"};
    EXPECT_EQ(argv(JoinArguments(arguments)), arguments);
}

}  // namespace
}  // namespace korvo::testing
