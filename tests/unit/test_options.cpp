#include <gtest/gtest.h>

#include <string>

#include "app/options.h"
#include "fake_platform.h"
#include "url/targets.h"

namespace korvo {
namespace {

using testing::FakePlatform;

class OptionsTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform.AddFolder("C:\\Korvo\\");
        platform.AddFile("C:\\Korvo\\Korvo.ini", "");
        platform.AddFile("C:\\Korvo\\other.ini", "");
        platform.AddFolder("C:\\Korvo\\sub");
        platform.AddFolder("D:\\My Downloads");
        run = testing::StartedRun();
    }

    std::string Target(std::string_view text, int mode = TARGET_MODE_COMMAND_LINE) {
        ParseTargets(run.targets, text, mode, run.selectedProgram != -1);
        if (run.targets.refusal == TargetRefusal::TooLong) return "<too long>";
        return run.targets.targetCount ? run.targets.firstTarget : "<none>";
    }

    FakePlatform platform;
    RunState run;
};

struct TargetCase {
    const char* text;
    const char* expected;
};

TEST_F(OptionsTest, CommandLineModeKeepsTheFirstUrl) {
    const TargetCase cases[] = {
        {"http://a/x.zip", "http://a/x.zip"},
        {"junk http://a/1 http://b/2", "http://a/1"},
        {"\"http://a/with space.zip\"", "http://a/with space.zip"},
        {"http://a/with space.zip", "http://a/with"},
        {"HTTP://EXAMPLE.COM/A.ZIP", "HTTP://EXAMPLE.COM/A.ZIP"},
        {"https://a/secure.zip", "https://a/secure.zip"},
        {"HtTpS://a/b", "HtTpS://a/b"},
        {"ftp://a/f.bin", "ftp://a/f.bin"},
        {"junk \"http://a/unclosed", "<none>"},
        {"/#c", "<none>"},
        {"", "<none>"},
        {"http:/a", "<none>"},
        {"mailto:x@y", "<none>"},
        {"\thttp://a/t\tb\r\n", "http://a/tb"},
        {"x\"http://a/q\"y", "<none>"},  // a quote glued to a URL belongs to it
        {"http://a/b\"c\" http://d/e", "http://d/e"},
        {"\"  http://a/p  \"", "http://a/p"},
    };
    for (const auto& c : cases) EXPECT_EQ(Target(c.text), c.expected) << c.text;
}

TEST_F(OptionsTest, ClipboardModeSplitsAtLineFeedsOnly) {
    const TargetCase cases[] = {
        {"hello\r\n  http://a/b.zip  \r\nhttp://c/d", "http://a/b.zip"},
        {"get http://a/b.zip now\nhttp://c/d", "http://c/d"},
        {"\"http://a/b c\"\n", "http://a/b c"},
        {"\"open quote\nhttp://a/b", "http://a/b"},
        {"http://a/b\tc", "http://a/bc"},
        {"hello\r\n\"http://a/q z\"\r\nnext", "http://a/q z"},
    };
    for (const auto& c : cases) EXPECT_EQ(Target(c.text, TARGET_MODE_CLIPBOARD), c.expected) << c.text;
}

TEST_F(OptionsTest, FtpPassesOnlyWhileNoProgramIsRuledOut) {
    run.selectedProgram = -1;
    EXPECT_EQ(Target("ftp://a/f.bin", TARGET_MODE_CLIPBOARD), "<none>");
    EXPECT_EQ(Target("ftp://a/f.bin http://b/c"), "http://b/c");
    run.selectedProgram = 2;
    EXPECT_EQ(Target("FTP://a/f.bin", TARGET_MODE_CLIPBOARD), "FTP://a/f.bin");
    std::string token = "  ftp://x  ";
    EXPECT_EQ(ClassifyTarget(token, true), 2);
    EXPECT_EQ(token, "ftp://x");
}

TEST_F(OptionsTest, TargetsOfUpTo2083CharactersAreWholeLongerOnesRefused) {
    for (std::size_t length : {519, 520, 2083, 2084}) {
        const std::string url = "http://a/" + std::string(length - 9, 'x');
        const std::string expected = length <= 2083 ? url : "<too long>";
        EXPECT_EQ(Target(url + " http://b/"), expected) << length;
        EXPECT_EQ(Target("\"" + url + "\""), expected) << length;
        EXPECT_EQ(Target(url + "\r\nhttp://b/", TARGET_MODE_CLIPBOARD), expected) << length;
    }
    std::string kanji = "http://a/";  // 1,009 characters, whatever their bytes
    while (kanji.size() < 3009) kanji += "表";
    EXPECT_EQ(Target(kanji), kanji);
}

TEST_F(OptionsTest, ConfigFileOption) {
    struct Case {
        std::string text;
        std::string expected;
    };
    // C:\Korvo\ and a name of 250 characters make a path of 259, the most that fits.
    const std::string name250 = std::string(246, 'n') + ".ini";
    platform.AddFile("C:\\Korvo\\" + name250, "");
    platform.AddFile("C:\\Korvo\\n" + name250, "");
    const Case cases[] = {
        {"/#s=" + name250, "C:\\Korvo\\" + name250},
        {"/#s=n" + name250, "C:\\Korvo\\Korvo.ini"},  // 260 characters never fit
        {"/#s=other.ini http://a/b", "C:\\Korvo\\other.ini"},
        {"/#S=OTHER.INI", "C:\\Korvo\\OTHER.INI"},
        {"/#s=missing.ini", "C:\\Korvo\\Korvo.ini"},
        {"/#s=C:\\Korvo\\other.ini", "C:\\Korvo\\Korvo.ini"},  // a full path never exists inside
        {"/#s= http://a/b", "C:\\Korvo\\"},                    // empty: the folder itself
        {"/#s=sub", "C:\\Korvo\\sub"},                         // a folder: loading fails later
        {"\"/#s=other.ini\"", "C:\\Korvo\\Korvo.ini"},         // the closing quote is kept
        {"http://a/x?/#s=other.ini", "C:\\Korvo\\other.ini"},  // inside a URL it still counts
    };
    for (const auto& c : cases) {
        run.configPath = "C:\\Korvo\\Korvo.ini";
        ParseOptions(platform, run, c.text);
        EXPECT_EQ(run.configPath, c.expected) << c.text;
    }
    run.configPath = "unchanged";
    ParseOptions(platform, run, "http://a/b");
    EXPECT_EQ(run.configPath, "unchanged");
}

TEST_F(OptionsTest, ProgramNamesAreTakenWhole) {
    std::string name258(258, 'e');
    ParseOptions(platform, run, "/#e=" + name258);
    EXPECT_EQ(run.requestedProgramName, name258);
    ParseOptions(platform, run, "/#e=" + name258 + "f");
    EXPECT_EQ(run.requestedProgramName, name258 + "f");
    ParseOptions(platform, run, "/#e=Getter \"x\"");
    EXPECT_EQ(run.requestedProgramName, "Getter");
    ParseOptions(platform, run, "/#e=\"Get");
    EXPECT_EQ(run.requestedProgramName, "\"Get");
    ParseOptions(platform, run, "http://a/b");
    EXPECT_EQ(run.requestedProgramName, "");  // every scan clears it
}

TEST_F(OptionsTest, MenuOption) {
    ParseOptions(platform, run, "/#m=100,200 http://a");
    EXPECT_EQ(run.menuMode, MENU_MODE_POINT);
    EXPECT_EQ(run.menuX, 100);
    EXPECT_EQ(run.menuY, 200);

    run.menuMode = MENU_MODE_UNSET;
    ParseOptions(platform, run, "/#m= http://a");
    EXPECT_EQ(run.menuMode, MENU_MODE_UNSET);  // empty value ignored

    ParseOptions(platform, run, "/#m=nonsense");
    EXPECT_EQ(run.menuMode, MENU_MODE_ACTIVE);  // unrecognised still settles the placement

    ParseOptions(platform, run, "/#m=mouse");
    EXPECT_EQ(run.menuMode, MENU_MODE_MOUSE);
    ParseOptions(platform, run, "/#m=MAX,MAX");
    EXPECT_EQ(run.menuX, 1920);
    EXPECT_EQ(run.menuY, 1040);
}

TEST_F(OptionsTest, BrowseFolderOptions) {
    ParseOptions(platform, run, "/#0=\"D:\\My Downloads\" http://a/b");
    EXPECT_EQ(run.baseFolder, "D:\\My Downloads");
    EXPECT_EQ(run.directBrowse, 1);

    run = RunState{};
    ParseOptions(platform, run, "/#0=\"D:\\My Downloads\\\"");
    EXPECT_EQ(run.baseFolder, "D:\\My Downloads");

    run = RunState{};
    run.baseFolder = "kept";
    ParseOptions(platform, run, "/#0=\"D:\\Nowhere\"");
    EXPECT_EQ(run.baseFolder, "kept");
    EXPECT_EQ(run.directBrowse, 1);

    run = RunState{};
    ParseOptions(platform, run, "/#0=D:\\My");  // without the quote no folder is read
    EXPECT_EQ(run.baseFolder, "");
    EXPECT_EQ(run.directBrowse, 1);

    run = RunState{};
    ParseOptions(platform, run, "/#0=\"D:\\My Downloads");  // unclosed: up to the end
    EXPECT_EQ(run.baseFolder, "D:\\My Downloads");

    const std::string parent = "D:\\" + std::string(256, 'p');  // 259 characters
    platform.AddFolder(parent);
    std::string kanji = "D:\\";
    while (kanji.size() < 303) kanji += "表";
    platform.AddFolder(kanji);
    for (const std::string tail : {"", "\\sub"}) {
        run = RunState{};
        ParseOptions(platform, run, "/#0=\"" + parent + tail + "\"");
        EXPECT_EQ(run.baseFolder, tail.empty() ? parent : "");  // cut, "\sub" would be the parent
    }
    ParseOptions(platform, run, "/#0=\"" + kanji + "\"");
    EXPECT_EQ(run.baseFolder, kanji);

    run = RunState{};
    ParseOptions(platform, run, "http://a/b#m");
    EXPECT_EQ(run.directBrowse, 0);
    ParseOptions(platform, run, "http://a/b/#0");
    EXPECT_EQ(run.directBrowse, 1);
}

}  // namespace
}  // namespace korvo
