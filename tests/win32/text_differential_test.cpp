// Korvo's own shell-style string functions against the real shlwapi A functions, on the same
// inputs, in code page 932: the two must never drift apart.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/text.h"
#include "code_page_932.h"

namespace korvo::testing {
namespace {

using std::string;

string Repeat(char c, std::size_t n) { return string(n, c); }

// A buffer with room to spare, so that a shell function that writes past MAX_PATH shows up as a
// difference instead of corrupting the test.
struct ShellBuffer {
    explicit ShellBuffer(const string& text) : bytes(MAX_PATH + 64, '\0') {
        text.copy(bytes.data(), text.size());
    }
    char* data() { return bytes.data(); }
    string Text() const { return string(bytes.data()); }
    std::vector<char> bytes;
};

TEST(TextDifferential, IsLeadByteMatchesIsDBCSLeadByteEx) {
    KORVO_REQUIRE_CODE_PAGE_932();
    for (int c = 0; c < 256; ++c) {
        EXPECT_EQ(IsDBCSLeadByteEx(932, static_cast<BYTE>(c)) != FALSE,
                  IsLeadByte(static_cast<unsigned char>(c)))
            << "byte " << c;
    }
}

TEST(TextDifferential, FindNoCaseMatchesStrStrIA) {
    KORVO_REQUIRE_CODE_PAGE_932();
    const struct {
        string haystack, needle;
    } cases[] = {
        {"http://Example.COM/a", "example"},
        {"[DIR]", "[dir]"},
        {"abc", "abcd"},
        {"abc", ""},
        {"", "a"},
        {"aaab", "AAB"},
        {string(A_KANA) + "BC", "abc"},           // the trail byte 'A' starts no match
        {string(A_KANA) + "BC", "bc"},
        {string(FU), "t"},
        {string(HYOU), "\\"},                     // the trail byte '\\' is no backslash
        {"x" + string(HYOU) + "\\y", "\\y"},
        {string(SO) + "\\" + string(SO), string(SO)},
        {"C:\\" + string(HYOU) + "\\file", "\\FILE"},
        {string(FULLWIDTH_A) + "a", "a"},
        {"x\x82\x81", string(FULLWIDTH_A)},      // full-width a against full-width A
        {"@Menu=mouse", "@menu="},
        {"head\x83", "\x83"},                     // a lead byte cut off by the end
    };
    for (const auto& c : cases) {
        const char* found = StrStrIA(c.haystack.c_str(), c.needle.c_str());
        const std::size_t expected =
            found == nullptr ? string::npos : static_cast<std::size_t>(found - c.haystack.c_str());
        EXPECT_EQ(expected, FindNoCase(c.haystack, c.needle))
            << "haystack " << Shown(c.haystack) << " needle " << Shown(c.needle);
    }
}

TEST(TextDifferential, StartsWithNoCaseMatchesStrCmpNIA) {
    KORVO_REQUIRE_CODE_PAGE_932();
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
        {string(A_KANA) + "x", string(A_KANA) + "X", 3},
        {string(A_KANA), "\x83\x61", 2},          // same lead byte, trail 'A' against 'a'
        {string(HYOU) + "a", string(HYOU) + "A", 3},
        {string(FULLWIDTH_A), "\x82\x81", 2},    // full-width A and a are different texts
        {"http://", "HTTP://", 7},
        {"ftp:", "ftp://", 6},
    };
    for (const auto& c : cases) {
        const bool expected = StrCmpNIA(c.text.c_str(), c.prefix.c_str(), c.n) == 0;
        EXPECT_EQ(expected, StartsWithNoCase(c.text, c.prefix, static_cast<std::size_t>(c.n)))
            << Shown(c.text) << " " << Shown(c.prefix) << " " << c.n;
    }
}

TEST(TextDifferential, StrToIntMatchesStrToIntA) {
    KORVO_REQUIRE_CODE_PAGE_932();
    const string cases[] = {
        "123", "  42", "\t7", "-17", "+5", "12abc", "abc", "", "007", "- 5", "--5",
        "2147483647", "2147483648", "-2147483648", "99999999999", "0x10", "60 ", "1,5",
        string(HYOU) + "1",
    };
    for (const string& text : cases) {
        EXPECT_EQ(StrToIntA(text.c_str()), StrToInt(text)) << Shown(text);
    }
}

TEST(TextDifferential, PathAddBackslashMatchesPathAddBackslashA) {
    KORVO_REQUIRE_CODE_PAGE_932();
    const string cases[] = {
        "C:\\a", "C:\\a\\", "", "C:", "\\",
        "C:\\" + string(HYOU),                    // ends with a trail byte 0x5C
        string(SO), "C:\\" + string(SO) + "\\",
        Repeat('a', 257), Repeat('a', 258),
        Repeat('a', 256) + "\\", "x" + Repeat('a', 255) + string(HYOU),
    };
    for (const string& text : cases) {
        ShellBuffer shell(text);
        PathAddBackslashA(shell.data());
        string ours = text;
        PathAddBackslash(ours);
        EXPECT_EQ(shell.Text(), ours) << Shown(text) << " (" << text.size() << " bytes)";
    }
}

TEST(TextDifferential, PathAddBackslashLeavesAFullPathAlone) {
    // At 259 characters the shell (Wine's, at least) still appends, writing the terminator past
    // a 260-byte buffer. Korvo keeps every path within 259 characters, so it gives up instead.
    string full = Repeat('a', 259);
    PathAddBackslash(full);
    EXPECT_EQ(Repeat('a', 259), full);
}

TEST(TextDifferential, PathUnquoteSpacesMatchesPathUnquoteSpacesA) {
    KORVO_REQUIRE_CODE_PAGE_932();
    const string cases[] = {
        "\"a b\"", "\"", "\"\"", "\"a", "a\"", "\"a\"b\"", "", "a b",
        "\"" + string(HYOU) + "\"", "\"C:\\" + string(SO) + "\\\"",
    };
    for (const string& text : cases) {
        ShellBuffer shell(text);
        PathUnquoteSpacesA(shell.data());
        string ours = text;
        PathUnquoteSpaces(ours);
        EXPECT_EQ(shell.Text(), ours) << Shown(text);
    }
}

TEST(TextDifferential, PathRemoveBlanksMatchesPathRemoveBlanksA) {
    KORVO_REQUIRE_CODE_PAGE_932();
    const string cases[] = {
        "  a b  ", "", "   ", "a", " a", "a ", "\ta\t", " " + string(HYOU) + " ",
        string(SO) + "  ",
    };
    for (const string& text : cases) {
        ShellBuffer shell(text);
        PathRemoveBlanksA(shell.data());
        string ours = text;
        PathRemoveBlanks(ours);
        EXPECT_EQ(shell.Text(), ours) << Shown(text);
    }
}

TEST(TextDifferential, PathQuoteSpacesMatchesPathQuoteSpacesA) {
    KORVO_REQUIRE_CODE_PAGE_932();
    const string cases[] = {
        "a b", "ab", "", " ", "\"a b\"", string(HYOU) + " " + string(SO),
        "C:\\Program Files\\x.exe",
        "a " + Repeat('b', 254), "a " + Repeat('b', 255), "a " + Repeat('b', 256),
    };
    for (const string& text : cases) {
        ShellBuffer shell(text);
        PathQuoteSpacesA(shell.data());
        string ours = text;
        PathQuoteSpaces(ours);
        EXPECT_EQ(shell.Text(), ours) << Shown(text) << " (" << text.size() << " bytes)";
    }
}

}  // namespace
}  // namespace korvo::testing
