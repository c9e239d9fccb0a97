#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "base/text.h"
#include "fake_platform.h"

namespace korvo {
namespace {

const std::string HYOU = "表";

struct Utf8Case {
    std::string text;
    bool valid;
    std::size_t pathLength;
};

TEST(TextTest, Utf8IsCheckedAndPathsCountUtf16Units) {
    const Utf8Case cases[] = {
        {"abc", true, 3},           {"表ア", true, 2},       {"\xF0\x9F\x98\x80", true, 2},
        {"\xC3", false, 1},         {"\xC0\xAF", false, 2},  {"\xED\xA0\x80", false, 3},  // surrogate
        {"\xF4\x90\x80\x80", false, 4}, {"\x80x", false, 2}, {"\xE8\xA1", false, 2},
        {"\xE0\x80\xAF", false, 3},  // overlong
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsValidUtf8(c.text), c.valid) << c.text;
        EXPECT_EQ(PathLength(c.text), c.pathLength) << c.text;
    }
}

TEST(TextTest, CutToFitNeverSplitsACharacter) {
    EXPECT_EQ(CutToFit("abc", 5), "abc");
    EXPECT_EQ(CutToFit("abcdef", 3), "abc");
    EXPECT_EQ(CutToFit("ab" + HYOU, 2), "ab");
    EXPECT_EQ(CutToFit("ab" + HYOU, 3), "ab" + HYOU);
    EXPECT_EQ(CutToFit("a\xF0\x9F\x98\x80" "b", 2), "a");  // two UTF-16 units, kept whole or dropped
    EXPECT_EQ(CutToFit("a\xF0\x9F\x98\x80" "b", 3), "a\xF0\x9F\x98\x80");
}

struct FindCase {
    std::string haystack;
    std::string needle;
    std::size_t expected;
};

TEST(TextTest, FindNoCaseMatchesLikeStrStrI) {
    const std::size_t none = std::string::npos;
    const FindCase cases[] = {
        {"abc[DIR]def", "[dir]", 3},
        {"[System]", "[SYSTEM]", 0},
        {"abc", "", none},
        {"", "a", none},
        {"ab", "abc", none},
        {"xx/#S=", "/#s=", 2},
        {"ア" "a", "A", 3},
        {HYOU + "\\x", "\\", 3},
        // ア and チ are no case pair.
        {"チ", "ア", none},
        // Full-width Ａ and ａ are, and so are the accented Latin letters.
        {"xＡy", "ａ", 1},
        {"l'ÉCOLE", "école", 2},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FindNoCase(c.haystack, c.needle), c.expected) << c.haystack << " / " << c.needle;
    }
}

TEST(TextTest, StartsWithNoCaseComparesTheFirstNCharacters) {
    EXPECT_TRUE(StartsWithNoCase("HTTP://x", "http://", 7));
    EXPECT_TRUE(StartsWithNoCase("%END of it", "%end", 4));
    EXPECT_FALSE(StartsWithNoCase("%en", "%end", 4));
    EXPECT_TRUE(StartsWithNoCase("abc", "abd", 2));
    EXPECT_TRUE(StartsWithNoCase("ab", "ab", 5));   // both end together
    EXPECT_FALSE(StartsWithNoCase("ab", "abc", 5));
    EXPECT_TRUE(StartsWithNoCase("", "", 3));
    EXPECT_TRUE(StartsWithNoCase("αx", "Αy", 1));   // Greek alpha
    EXPECT_TRUE(StartsWithNoCase("а", "А", 1));     // Cyrillic a
    EXPECT_TRUE(StartsWithNoCase("Ⅰ", "ⅰ", 1));     // Roman one
    EXPECT_FALSE(StartsWithNoCase("ア", "チ", 1));
    EXPECT_FALSE(StartsWithNoCase("ア", "a", 1));
}

// Each range of letters that folds, tried at its first and its last letter.
TEST(TextTest, FoldRangesHoldFromFirstToLastLetter) {
    const std::pair<std::string, std::string> pairs[] = {
        {"ａ", "Ａ"}, {"ｚ", "Ｚ"}, {"α", "Α"}, {"ω", "Ω"}, {"а", "А"}, {"н", "Н"}, {"о", "О"},
        {"я", "Я"}, {"ⅰ", "Ⅰ"}, {"ⅹ", "Ⅹ"}, {"à", "À"}, {"þ", "Þ"}, {"ÿ", "Ÿ"}, {"ё", "Ё"},
    };
    for (const auto& [lower, upper] : pairs) {
        EXPECT_TRUE(StartsWithNoCase(lower, upper, 1)) << lower;
        EXPECT_TRUE(StartsWithNoCase(upper, lower, 1)) << lower;
    }
}

struct IntCase {
    std::string text;
    int expected;
};

TEST(TextTest, StrToIntReadsLeadingDecimal) {
    const IntCase cases[] = {
        {"123", 123}, {"42x", 42},    {"-1", -1},   {"abc", 0},          {"", 0},
        {"- 1", 0},   {"12 34", 12},  {"0x10", 0},  {"4294967295", -1},  {"-2147483649", 2147483647},
        // The shell accepts no blanks and no plus sign before the number.
        {" 9", 0},    {"\t9", 0},     {"+7", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(StrToInt(c.text), c.expected) << c.text;
}

struct EditCase {
    std::string input;
    std::string expected;
};

TEST(TextTest, PathAddBackslashCountsUnits) {
    const EditCase cases[] = {
        {"C:\\Down", "C:\\Down\\"},
        {"C:\\Down\\", "C:\\Down\\"},
        {"", ""},
        {testing::Repeat(HYOU, 258), testing::Repeat(HYOU, 258) + "\\"},  // the limit counts units
        {std::string(258, 'a'), std::string(258, 'a') + "\\"},
        {std::string(259, 'a'), std::string(259, 'a')},  // would not fit: unchanged
    };
    for (const auto& c : cases) {
        std::string path = c.input;
        PathAddBackslash(path);
        EXPECT_EQ(path, c.expected) << c.input;
    }
}

TEST(TextTest, RemoveTrailingBackslashTakesOneAndNeverATrailByte) {
    std::string folder = "C:\\Down\\";
    RemoveTrailingBackslash(folder);
    EXPECT_EQ(folder, "C:\\Down");
    std::string root = "C:\\";
    RemoveTrailingBackslash(root);
    EXPECT_EQ(root, "C:");
    std::string dbcs = "C:\\" + HYOU;
    RemoveTrailingBackslash(dbcs);
    EXPECT_EQ(dbcs, "C:\\" + HYOU);
}

TEST(TextTest, QuotesAndBlanks) {
    const EditCase unquote[] = {
        {"\"a b\"", "a b"}, {"\"a", "\"a"}, {"a\"", "a\""}, {"\"", ""}, {"\"\"", ""}, {"\"\"x\"\"", "\"x\""},
    };
    for (const auto& c : unquote) {
        std::string text = c.input;
        PathUnquoteSpaces(text);
        EXPECT_EQ(text, c.expected) << c.input;
    }
    const EditCase blanks[] = {{"  a b  ", "a b"}, {"   ", ""}, {"\ta\t", "\ta\t"}, {"", ""}};
    for (const auto& c : blanks) {
        std::string text = c.input;
        PathRemoveBlanks(text);
        EXPECT_EQ(text, c.expected) << c.input;
    }
    const EditCase quote[] = {
        {"a b", "\"a b\""},
        {"ab", "ab"},
        {std::string(256, ' '), "\"" + std::string(256, ' ') + "\""},
        {std::string(257, ' '), std::string(257, ' ')},
    };
    for (const auto& c : quote) {
        std::string text = c.input;
        PathQuoteSpaces(text);
        EXPECT_EQ(text, c.expected) << c.input.size();
    }
}

}  // namespace
}  // namespace korvo
