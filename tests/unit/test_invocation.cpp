#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "app/dispatch.h"
#include "app/invocation.h"
#include "base/arguments.h"
#include "base/texts.h"
#include "fake_platform.h"

namespace korvo {
namespace {

using testing::FakePlatform;

constexpr char PROGRAM_FOLDER[] = "C:\\Korvo\\";

class InvocationTest : public ::testing::Test {
protected:
    InvocationTest() {
        platform.AddFolder("C:\\Korvo");
        platform.AddFolder("C:\\Down");
    }
    // What WinMain and the creation handler do, up to the run timer.
    bool StartUp(const std::string& program, const std::string& commandLine) {
        RecordModulePath(run, std::string(PROGRAM_FOLDER) + program);
        run.commandLineText = commandLine;
        SetUpPaths(run, 1024, 740, 3);
        return ReadCommandLineAndConfiguration(platform, run);
    }
    FakePlatform platform;
    RunState run;
};

TEST_F(InvocationTest, ProgramNameGivesBaseNameConfigurationAndHelpFile) {
    RecordModulePath(run, "\"C:\\Tools\\Get It\\tool.exe\"");
    SetUpPaths(run, 1024, 740, 0);
    EXPECT_EQ(run.modulePath, "C:\\Tools\\Get It\\tool.exe");
    EXPECT_EQ(run.baseName, "tool");
    EXPECT_EQ(run.defaultConfigName, "tool.ini");
    EXPECT_EQ(run.programFolder, "C:\\Tools\\Get It\\");
    EXPECT_EQ(run.helpFilePath, "C:\\Tools\\Get It\\Korvo.txt");
}

TEST_F(InvocationTest, MissingConfigurationIsCreatedEmptyAndTheRunGoesOn) {
    EXPECT_TRUE(StartUp("tool.exe", ""));
    EXPECT_TRUE(platform.HasFile("C:\\Korvo\\tool.ini"));
    EXPECT_EQ(platform.FileContent("C:\\Korvo\\tool.ini"), "");
    EXPECT_EQ(run.configPath, "C:\\Korvo\\tool.ini");
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(InvocationTest, ConfigurationThatCannotBeOpenedIsReportedAndEndsTheRun) {
    platform.AddFolder("C:\\Korvo\\sub");
    EXPECT_FALSE(StartUp("Korvo.exe", "/#s=sub http://host/a.zip"));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, TEXT_CONFIG_ERROR);
    EXPECT_EQ(platform.messages[0].caption, TEXT_ERROR_CAPTION);
}

TEST_F(InvocationTest, CommandLineOptionsOverrideTheConfiguration) {
    platform.AddFile("C:\\Korvo\\Korvo.ini", "[system]\r\n@menu=center\r\n%end\r\n");
    platform.AddFile("C:\\Korvo\\other.ini", "[system]\r\n@menu=mouse\r\n%end\r\n");
    EXPECT_TRUE(StartUp("Korvo.exe", "/#s=other.ini /#m=100,200, http://host/a.zip"));
    EXPECT_EQ(run.configPath, "C:\\Korvo\\other.ini");
    EXPECT_EQ(run.menuMode, MENU_MODE_POINT);
    EXPECT_EQ(run.menuX, 100);
    EXPECT_EQ(run.menuY, 200);
    EXPECT_EQ(run.targets.firstTarget, "http://host/a.zip");
}

TEST_F(InvocationTest, RunWithATargetShowsTheFullMenuWithTheDerivedName) {
    platform.AddFile("C:\\Korvo\\Korvo.ini", "[dir]\r\nC:\\Down\r\n%end\r\n");
    ASSERT_TRUE(StartUp("Korvo.exe", "http://host/pub/file.zip"));
    platform.onTrack = [&](MenuHandle menu) {
        const auto& items = platform.Menu(menu).items;
        ASSERT_EQ(items.size(), 3u);
        EXPECT_EQ(items[0].text, "Down");
        EXPECT_TRUE(items[1].separator);
        EXPECT_EQ(items[2].text, "file.zip");
    };
    RunInvocation(platform, run);
    EXPECT_EQ(platform.trackCount, 1);
    EXPECT_EQ(run.url.fileName, "file.zip");
}

TEST_F(InvocationTest, RunWithoutATargetShowsTheReducedMenu) {
    platform.AddFile("C:\\Korvo\\Korvo.ini", "[dir]\r\nC:\\Down\r\n%end\r\n");
    for (const char* commandLine : {"", "/#c", "https:/host/a.zip not-a-url"}) {
        SCOPED_TRACE(commandLine);
        run = RunState();
        ASSERT_TRUE(StartUp("Korvo.exe", commandLine));
        platform.onTrack = [&](MenuHandle menu) {
            const auto& items = platform.Menu(menu).items;
            ASSERT_EQ(items.size(), 4u);
            EXPECT_EQ(items[0].text, "Korvo.ini ( &1 )");
            EXPECT_EQ(items[3].text, "&Version");
        };
        RunInvocation(platform, run);
    }
    EXPECT_EQ(platform.trackCount, 3);  // each run showed its menu
}

class ClipboardRunTest : public InvocationTest {
protected:
    ClipboardRunTest() {
        platform.AddFile("C:\\Korvo\\Korvo.ini", "[dir]\r\nC:\\Down\r\n%end\r\n");
        platform.clipboardText = "copied from a page:\r\n  http://host/pub/clip.zip  \r\n";
        platform.urlScripts.push_back(std::make_shared<testing::UrlScript>(
            testing::UrlScript{200, 4, {"body"}, false, 0}));
    }
    std::vector<std::string> TrackedLabels() {
        std::vector<std::string> labels;
        platform.onTrack = [&](MenuHandle menu) {
            for (const auto& item : platform.Menu(menu).items) labels.push_back(item.text);
        };
        RunInvocation(platform, run);
        return labels;
    }
};

TEST_F(ClipboardRunTest, ClipboardUrlGivesTheFullMenuWithItsFileName) {
    ASSERT_TRUE(StartUp("Korvo.exe", "/#C"));
    EXPECT_EQ(TrackedLabels(), (std::vector<std::string>{"Down", "", "clip.zip"}));
    EXPECT_EQ(run.targets.firstTarget, "http://host/pub/clip.zip");
    EXPECT_TRUE(platform.browses.empty());
}

TEST_F(ClipboardRunTest, CommandLineUrlWinsAndTheClipboardIsNotRead) {
    ASSERT_TRUE(StartUp("Korvo.exe", "/#c /#0 http://host/cmd.zip"));
    EXPECT_EQ(TrackedLabels().back(), "cmd.zip");
    EXPECT_EQ(platform.clipboardReads, 0);
    EXPECT_TRUE(platform.browses.empty());  // "/#0" browses only for clipboard runs
}

TEST_F(ClipboardRunTest, ClipboardUrlLongerThan2083CharactersIsRefusedWithAMessage) {
    std::string kanji = "http://host/";  // 312 characters, but 2,712 as the download sends it
    while (kanji.size() < 912) kanji += "表";
    for (const std::string& url : {"http://host/" + std::string(2072, 'x'), kanji}) {
        platform.clipboardText = url;
        platform.messages.clear();
        ASSERT_TRUE(StartUp("Korvo.exe", "/#c"));
        EXPECT_TRUE(TrackedLabels().empty());
        EXPECT_EQ(platform.messages.at(0).text, TEXT_URL_TOO_LONG);
    }
}

TEST_F(ClipboardRunTest, ClipboardWithoutAUrlGivesTheReducedMenu) {
    platform.clipboardText = "no address here";
    ASSERT_TRUE(StartUp("Korvo.exe", "/#c /#0"));
    EXPECT_EQ(TrackedLabels().size(), 4u);
    EXPECT_TRUE(platform.browses.empty());
}

TEST_F(ClipboardRunTest, DirectBrowseSendsThePickedFolderWithoutAMenu) {
    platform.AddFolder("D:\\Start");
    platform.browseAnswer = "C:\\Down";
    ASSERT_TRUE(StartUp("Korvo.exe", "/#c /#0=\"D:\\Start\\\""));
    RunInvocation(platform, run);
    EXPECT_EQ(platform.trackCount, 0);
    ASSERT_EQ(platform.browses.size(), 1u);
    EXPECT_EQ(platform.browses[0].start, "D:\\Start");
    EXPECT_EQ(platform.FileContent("C:\\Down\\clip.zip"), "body");
}

class DispatchTest : public InvocationTest {
protected:
    DispatchTest() {
        run.targets = {1, "http://host/a.zip"};
        run.url.fileName = "a.zip";
        platform.urlScripts.push_back(std::make_shared<testing::UrlScript>(
            testing::UrlScript{200, 4, {"body"}, false, 0}));
        run.programs = {{"D:\\Tools\\getter.exe", "getter", "-o \"C:\\Down\" http://host/a.zip"}};
        platform.AddFile("D:\\Tools\\getter.exe", "");
    }
};

TEST_F(DispatchTest, NoSelectedProgramDownloadsIntoTheFolder) {
    run.selectedProgram = -1;
    DispatchToFolder(platform, run, "C:\\Down");
    EXPECT_EQ(platform.FileContent("C:\\Down\\a.zip"), "body");
    EXPECT_TRUE(platform.launches.empty());
}

TEST_F(DispatchTest, SelectedProgramStartsWithItsCommandLineInsteadOfDownloading) {
    run.selectedProgram = 0;
    DispatchToFolder(platform, run, "C:\\Down");
    EXPECT_TRUE(platform.openedUrls.empty());
    ASSERT_EQ(platform.launches.size(), 1u);
    EXPECT_EQ(platform.launches[0].file, "D:\\Tools\\getter.exe");
    EXPECT_EQ(SplitArguments(platform.launches[0].parameters), SplitArguments("-o \"C:\\Down\" http://host/a.zip"));
    EXPECT_EQ(platform.launches[0].workingFolder, "D:\\Tools\\");
}

// Programs and batch files start with CreateProcess, anything else through the shell, and only
// whole: `"program" parameters` and its terminator in 32,767 characters, in 8,191 for cmd.exe
// (which adds a pair of quotes), and 2,048 of program, blank and parameters for the shell.
TEST_F(DispatchTest, ProgramsStartWithTheirWholeCommandLineOrNotAtAll) {
    // "表" takes three bytes and one UTF-16 unit.
    const std::tuple<const char*, const char*, std::size_t, const char*> cases[] = {
        {"D:\\Tools\\getter.exe", "表", 32744, "process"}, {"D:\\Tools\\get.CMD", "表", 8149, "batch"},
        {"D:\\Tools\\get.vbs", "表", 2031, "shell"},
        {"D:\\Tools\\getter.exe", "x", 32744, "process"}, {"D:\\Tools\\getter.exe", "x", 32745, "refused"},
        {"D:\\Tools\\get.CMD", "x", 8149, "batch"}, {"D:\\Tools\\get.bat", "x", 8150, "refused"},
        {"D:\\Tools\\get.com", "x", 9, "process"},
        {"D:\\Tools\\get.vbs", "x", 2031, "shell"}, {"D:\\Tools\\get.vbs", "x", 2032, "refused"},
    };
    run.selectedProgram = 0;
    for (const auto& [program, unit, length, via] : cases) {
        platform.AddFile(program, "");
        platform.launches.clear();
        run.programs[0] = {program, "getter", testing::Repeat(unit, length)};
        DispatchToFolder(platform, run, "C:\\Down");
        EXPECT_EQ(platform.launches.empty() ? "refused" : platform.launches[0].via, via) << program << length;
    }
    EXPECT_EQ(platform.messages.size(), 3u);
    platform.processStart = ProcessStart::NeedsElevation;  // the shell asks the user for the rights
    run.programs[0] = {"D:\\Tools\\getter.exe", "getter", "-v"};
    DispatchToFolder(platform, run, "C:\\Down");
    EXPECT_EQ(platform.launches.at(1).via, "shell");
    run.programs[0].commandTemplate = std::string(2029, 'x');  // the shell takes 2,048 of it
    DispatchToFolder(platform, run, "C:\\Down");
    EXPECT_EQ(platform.messages.size(), 4u);
}

TEST_F(DispatchTest, OnlyTheExactCancelMarkerSuppressesTheStart) {
    run.selectedProgram = 0;
    const std::pair<const char*, bool> cases[] = {
        {"CancelData_Vanta", false},
        {"canceldata_vanta", true},
        {"CancelData_Vanta ", false},  // the blank is no argument
        {"x CancelData_Vanta", true},
    };
    for (const auto& [commandLine, started] : cases) {
        SCOPED_TRACE(commandLine);
        platform.launches.clear();
        run.programs[0].commandTemplate = commandLine;
        DispatchToFolder(platform, run, "C:\\Down");
        EXPECT_EQ(platform.launches.size(), started ? 1u : 0u);
    }
    EXPECT_TRUE(platform.openedUrls.empty());
}

}  // namespace
}  // namespace korvo
