#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "fake_platform.h"
#include "template/placeholders.h"

namespace korvo {
namespace {

using testing::FakePlatform;

const std::string HYOU = "表";

class PlaceholdersExpansionTest : public ::testing::Test {
protected:
    void SetUp() override { run = testing::StartedRun(); }  // the program lies in C:\Korvo

    std::string Expand(const std::string& text) { return ExpandPlaceholders(platform, run, text); }

    FakePlatform platform;  // 1 July 2008
    RunState run;
};

struct ExpansionCase {
    std::string text;
    std::string expected;
};

TEST_F(PlaceholdersExpansionTest, BuiltInTokens) {
    platform.specialFolders[16] = "C:\\DeskDir";
    const ExpansionCase cases[] = {
        {"no tokens %here%", "no tokens %here%"},
        {"%windows%|%WINDOWS%|%Windows%", "C:\\Windows|C:\\Windows|C:\\Windows"},
        {"%My Documents%\\Downloads", "C:\\Users\\Tester\\Documents\\Downloads"},
        {"%Common My Video%\\x", "%Common My Video%\\x"},  // the shell has no such folder here
        {"%Desktop%|%DesktopDirectory%", "C:\\Users\\Tester\\Desktop|C:\\DeskDir"},
        {"%Common My Documents%", "C:\\Users\\Public\\Documents"},
        {"%ins_Korvo%\\saved", "C:\\Korvo\\saved"},
        {"%4y%%0m%%0d%", "20080701"},
        {"%2y%-%mm%-%dd%", "08-7-1"},
        {"%MM%/%DD%/%4Y%", "7/1/2008"},
        {"[%-m%][%-d%]", "[ 7][ 1]"},
        {HYOU + "%4y%" + HYOU + "\\%System%", HYOU + "2008" + HYOU + "\\C:\\Windows\\system32"},
    };
    for (const auto& c : cases) EXPECT_EQ(Expand(c.text), c.expected) << c.text;
}

TEST_F(PlaceholdersExpansionTest, EverySpecialFolderTokenAsksForItsOwnFolder) {
    const std::pair<const char*, int> tokens[] = {
        {"%Windows%", 36}, {"%Program Files%", 38}, {"%System%", 37}, {"%My Pictures%", 39}, {"%My Music%", 13},
        {"%My Video%", 14}, {"%My Documents%", 5}, {"%Favorites%", 6}, {"%Start Menu%", 11}, {"%Programs%", 2},
        {"%StartUp%", 7}, {"%SendTo%", 9}, {"%Internet Cache%", 32}, {"%Fonts%", 20}, {"%Cookies%", 33},
        {"%History%", 34}, {"%Desktop%", 0}, {"%DesktopDirectory%", 16}, {"%Recent%", 8},
        {"%Common Start Menu%", 22}, {"%Common Programs%", 23}, {"%Common StartUp%", 24},
        {"%Common Desktop%", 25}, {"%Common Favorites%", 31}, {"%Common My Documents%", 46},
        {"%Common My Pictures%", 54}, {"%Common My Music%", 53}, {"%Common My Video%", 55},
    };
    // A folder of its own for every id, so that a token asking for another id shows.
    for (const auto& [token, id] : tokens) platform.specialFolders[id] = "C:\\" + std::to_string(id);
    for (const auto& [token, id] : tokens) EXPECT_EQ(Expand(token), "C:\\" + std::to_string(id)) << token;
    platform.specialFolders[39] = "C:\\" + std::string(257, 'p');  // cut, it would name a parent
    EXPECT_EQ(Expand("%My Pictures%"), "%My Pictures%");
    platform.specialFolders[39] = "C:\\" + std::string(256, 'p');  // 259 characters fit
    EXPECT_EQ(Expand("%My Pictures%"), platform.specialFolders[39]);
}

TEST_F(PlaceholdersExpansionTest, DatesOfOtherDays) {
    struct DateCase {
        LocalDate date;
        std::string expected;
    };
    const DateCase cases[] = {
        {{2008, 12, 24}, "2008|08|12|12|12|24|24|24"},
        {{2010, 1, 9}, "2010|10|1|01| 1|9|09| 9"},
        {{5, 3, 4}, "5|5|3|03| 3|4|04| 4"},  // a short year keeps all its digits
    };
    for (const auto& c : cases) {
        platform.today = c.date;
        EXPECT_EQ(Expand("%4y%|%2y%|%mm%|%0m%|%-m%|%dd%|%0d%|%-d%"), c.expected) << c.expected;
    }
}

TEST_F(PlaceholdersExpansionTest, RowOrderDecidesWhatIsExpandedAgain) {
    run.params = {{"%dl%", "D:\\Load"}, {"%dated%", "D:\\%4y%"}, {"%Windows%", "param"}};
    platform.specialFolders[5] = "C:\\Docs %4y%";
    const ExpansionCase cases[] = {
        {"%dl%\\%4y%", "D:\\Load\\2008"},
        {"%dated%", "D:\\%4y%"},             // the date rows ran before the value came in
        {"%My Documents%", "C:\\Docs 2008"},  // a folder's value meets the later date rows
        {"%windows%", "C:\\Windows"},        // a built-in token beats a parameter of that name
    };
    for (const auto& c : cases) EXPECT_EQ(Expand(c.text), c.expected) << c.text;

    platform.specialFolders.erase(36);
    EXPECT_EQ(Expand("%windows%"), "param");  // ... unless the shell cannot give the folder
}

TEST_F(PlaceholdersExpansionTest, TheShellIsAskedPerOccurrenceUntilItFails) {
    Expand("%Windows%%windows%%WINDOWS%");
    EXPECT_EQ(platform.specialFolderLookups, 3);
    platform.specialFolderLookups = 0;
    EXPECT_EQ(Expand("%My Video%%My Video%%My Video%"), "%My Video%%My Video%%My Video%");
    EXPECT_EQ(platform.specialFolderLookups, 1);
    platform.specialFolderLookups = 0;
    Expand("plain text");
    EXPECT_EQ(platform.specialFolderLookups, 0);
}

TEST_F(PlaceholdersExpansionTest, ExpansionStaysBounded) {
    run.params = {{"", "E"}, {"a", "aa"}};
    EXPECT_EQ(Expand("aaa"), "aaaaaa");  // neither the empty name nor the value's own name loops
    EXPECT_EQ(Expand(std::string(3900, 'x')), std::string(PLACEHOLDER_TEXT_MAX_CHARS, 'x'));
    EXPECT_EQ(Expand(std::string(3000, 'a')), std::string(PLACEHOLDER_TEXT_MAX_CHARS, 'a'));
    EXPECT_EQ(ExpandPlaceholdersWhole(platform, run, std::string(3000, 'a')), std::nullopt);
    EXPECT_EQ(ExpandPlaceholdersWhole(platform, run, std::string(1949, 'a')), std::string(3898, 'a'));

    // The cut never splits a character of two UTF-16 units: 2 + 2 x 1,949 units keep 1,948 of them.
    run.params = {{"#", "\xF0\x9F\x98\x80"}};
    std::string doubled;
    for (int i = 0; i < 1948; ++i) doubled += "\xF0\x9F\x98\x80";
    EXPECT_EQ(Expand("xy" + std::string(1949, '#')), "xy" + doubled);
}

}  // namespace
}  // namespace korvo
