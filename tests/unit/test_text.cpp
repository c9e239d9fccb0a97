#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "base/text.h"

namespace korvo {
namespace {

// 表 is 0x95 0x5C: its trail byte is a backslash. ソ is 0x83 0x5C as well.
const std::string HYOU = "\x95\x5C";

TEST(TextTest, LeadBytesAreThoseOfCodePage932) {
    EXPECT_FALSE(IsLeadByte(0x80));
    EXPECT_TRUE(IsLeadByte(0x81));
    EXPECT_TRUE(IsLeadByte(0x9F));
    EXPECT_FALSE(IsLeadByte(0xA0));
    EXPECT_FALSE(IsLeadByte(0xDF));  // half-width katakana stand alone
    EXPECT_TRUE(IsLeadByte(0xE0));
    EXPECT_TRUE(IsLeadByte(0xFC));
    EXPECT_FALSE(IsLeadByte(0xFD));
}

TEST(TextTest, CutToFitNeverSplitsADoubleByteCharacter) {
    EXPECT_EQ(CutToFit("abc", 5), "abc");
    EXPECT_EQ(CutToFit("abcdef", 3), "abc");
    EXPECT_EQ(CutToFit("ab" + HYOU, 3), "ab");
    EXPECT_EQ(CutToFit("ab" + HYOU, 4), "ab" + HYOU);
    EXPECT_EQ(CutToFit("a" + HYOU + "b", 3), "a" + HYOU);
    EXPECT_EQ(CutToFit("abc\x95", 4), "abc\x95");  // a lone lead byte at the end is one character
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
        // 0x83 0x41 is ア: the "A" trail byte is not a letter to find.
        {"\x83\x41", "A", none},
        {"\x83\x41" "a", "A", 2},
        {HYOU + "\\x", "\\", 2},
        // ア and チ (0x83 0x61) are no case pair.
        {"\x83\x61", "\x83\x41", none},
        // Full-width Ａ (0x82 0x60) and ａ (0x82 0x81) are.
        {"x\x82\x60y", "\x82\x81", 1},
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
    EXPECT_TRUE(StartsWithNoCase("\x83\x9F", "\x83\xBF", 2));   // Greek alpha
    EXPECT_TRUE(StartsWithNoCase("\x84\x40", "\x84\x70", 2));   // Cyrillic a
    EXPECT_TRUE(StartsWithNoCase("\x87\x54", "\xEE\xEF", 2));   // Roman one, two codes
    EXPECT_FALSE(StartsWithNoCase("\x83\x41", "\x83\x61", 2));
    EXPECT_FALSE(StartsWithNoCase("\x83\x41", "\x83" "a", 2));
}

// Each range of double-byte letters that folds, tried at its first and its last letter.
TEST(TextTest, FullWidthFoldRangesHoldFromFirstToLastLetter) {
    const std::pair<std::string, std::string> pairs[] = {
        {"\x82\x81", "\x82\x60"},  // ａ Ａ
        {"\x82\x9A", "\x82\x79"},  // ｚ Ｚ
        {"\x83\xBF", "\x83\x9F"},  // α Α
        {"\x83\xD6", "\x83\xB6"},  // ω Ω
        {"\x84\x70", "\x84\x40"},  // а А
        {"\x84\x7E", "\x84\x4E"},  // н Н
        {"\x84\x80", "\x84\x4F"},  // о О
        {"\x84\x91", "\x84\x60"},  // я Я
        {"\xEE\xEF", "\x87\x54"},  // ⅰ Ⅰ
        {"\xEE\xF8", "\x87\x5D"},  // ⅹ Ⅹ
        {"\xFA\x40", "\x87\x54"},  // ⅰ Ⅰ
        {"\xFA\x49", "\x87\x5D"},  // ⅹ Ⅹ
        {"\xFA\x4A", "\x87\x54"},  // Ⅰ Ⅰ
        {"\xFA\x53", "\x87\x5D"},  // Ⅹ Ⅹ
    };
    for (const auto& [lower, upper] : pairs) {
        EXPECT_TRUE(StartsWithNoCase(lower, upper, 2)) << std::hex << (lower[1] & 0xFF);
        EXPECT_TRUE(StartsWithNoCase(upper, lower, 2)) << std::hex << (lower[1] & 0xFF);
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

TEST(TextTest, PathAddBackslashSeesTrailBytes) {
    const EditCase cases[] = {
        {"C:\\Down", "C:\\Down\\"},
        {"C:\\Down\\", "C:\\Down\\"},
        {"", ""},
        {"C:\\" + HYOU, "C:\\" + HYOU + "\\"},  // the 0x5C of 表 is no backslash
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
