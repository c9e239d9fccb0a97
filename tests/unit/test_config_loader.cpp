#include <gtest/gtest.h>

#include <random>
#include <regex>
#include <string>

#include "base/texts.h"
#include "config/loader.h"
#include "fake_platform.h"

namespace korvo {
namespace {

using testing::FakePlatform;

class ConfigLoaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform.AddFolder("C:\\Korvo\\");
        for (const char* name : {"A", "B", "C", "D"}) platform.AddFolder(std::string("C:\\Dl\\") + name);
        run = testing::StartedRun("tool.exe");
    }

    // Loads `content` as tool.ini and lists the folder paths read.
    std::string LoadFolders(const std::string& content) {
        platform.AddFile("C:\\Korvo\\tool.ini", content);
        EXPECT_EQ(LoadConfiguration(platform, run), 1);
        std::string paths;
        for (const auto& entry : run.folders) paths += (paths.empty() ? "" : ",") + entry.path;
        return paths;
    }

    FakePlatform platform;
    RunState run;
};

TEST_F(ConfigLoaderTest, DiscoveryPrefersTheChosenFileThenDefaultThenKorvoIni) {
    platform.AddFile("C:\\Korvo\\Korvo.ini", "[dir]\nC:\\Dl\\A\n");
    platform.AddFile("C:\\Korvo\\tool.ini", "[dir]\nC:\\Dl\\B\n");
    platform.AddFile("C:\\Korvo\\chosen.ini", "[dir]\nC:\\Dl\\C\n");

    run.configPath = "C:\\Korvo\\chosen.ini";
    ASSERT_EQ(LoadConfiguration(platform, run), 1);
    EXPECT_EQ(run.folders.at(0).path, "C:\\Dl\\C");

    run.configPath = "C:\\Korvo\\gone.ini";
    ASSERT_EQ(LoadConfiguration(platform, run), 1);
    EXPECT_EQ(run.configPath, "C:\\Korvo\\tool.ini");
    EXPECT_EQ(run.folders.at(0).path, "C:\\Dl\\B");

    platform.RemoveFile("C:\\Korvo\\tool.ini");
    run.configPath = "C:\\Korvo\\tool.ini";
    ASSERT_EQ(LoadConfiguration(platform, run), 1);
    EXPECT_EQ(run.configPath, "C:\\Korvo\\Korvo.ini");
    EXPECT_EQ(run.folders.at(0).path, "C:\\Dl\\A");
}

TEST_F(ConfigLoaderTest, MissingFilesGiveAnEmptyDefaultFile) {
    ASSERT_EQ(LoadConfiguration(platform, run), 1);
    EXPECT_TRUE(platform.HasFile("C:\\Korvo\\tool.ini"));
    EXPECT_EQ(run.configPath, "C:\\Korvo\\tool.ini");
    EXPECT_TRUE(run.folders.empty());
    EXPECT_EQ(run.menuMode, MENU_MODE_ACTIVE);
    EXPECT_EQ(run.timeoutSeconds, DEFAULT_TIMEOUT_SECONDS);
    EXPECT_EQ(run.selectedProgram, -1);
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(ConfigLoaderTest, AFileThatCannotBeOpenedIsReported) {
    platform.AddFolder("C:\\Korvo\\sub");
    run.configPath = "C:\\Korvo\\sub";  // "/#s=" naming a folder
    EXPECT_EQ(LoadConfiguration(platform, run), 0);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, TEXT_CONFIG_ERROR);
    EXPECT_EQ(platform.messages[0].caption, TEXT_ERROR_CAPTION);

    FakePlatform noFolder;  // the program folder is gone: nothing can be created
    RunState other = run;
    other.configPath = "C:\\Korvo\\tool.ini";
    EXPECT_EQ(LoadConfiguration(noFolder, other), 0);
    EXPECT_EQ(noFolder.messages.size(), 1u);
}

TEST_F(ConfigLoaderTest, SettingsAreResetButCommandLineChoicesKept) {
    run.paramSeen = true;
    run.params.push_back({"%x%", "y"});
    run.editorPath = "old.exe";
    run.searchPathSet = true;
    run.menuMode = MENU_MODE_CENTER;
    run.baseFolder = "C:\\Dl\\A";
    LoadFolders("");
    EXPECT_FALSE(run.paramSeen);
    EXPECT_TRUE(run.params.empty());
    EXPECT_EQ(run.editorPath, "");
    EXPECT_FALSE(run.searchPathSet);
    EXPECT_EQ(run.menuMode, MENU_MODE_CENTER);
    EXPECT_EQ(run.baseFolder, "C:\\Dl\\A");
}

struct WalkCase {
    const char* name;
    std::string content;
    std::string folders;
};

TEST_F(ConfigLoaderTest, SectionWalk) {
    const WalkCase cases[] = {
        {"plain", "[dir]\nC:\\Dl\\A\nC:\\Dl\\B\n%end\n", "C:\\Dl\\A,C:\\Dl\\B"},
        {"capitals", "[DIR]\nC:\\Dl\\A\n%END\nC:\\Dl\\B\n", "C:\\Dl\\A"},
        {"first capital", "[Dir]\r\nC:\\Dl\\A\r\n%End of it\r\nC:\\Dl\\B\r\n", "C:\\Dl\\A"},
        {"rest of header line ignored", "[dir] C:\\Dl\\A\nC:\\Dl\\B\n", "C:\\Dl\\B"},
        {"header in a comment", "; see [dir] below\nC:\\Dl\\A\n[dir]\nC:\\Dl\\B\n",
         "C:\\Dl\\A,C:\\Dl\\B"},
        {"no %end runs on", "[dir]\nC:\\Dl\\A\n[exec]\nC:\\Dl\\B\n", "C:\\Dl\\A,C:\\Dl\\B"},
        {"last line without line feed", "[dir]\nC:\\Dl\\A\nC:\\Dl\\B", "C:\\Dl\\A,C:\\Dl\\B"},
        {"header as last line", "C:\\Dl\\A\n[dir]", ""},
        {"CR-only line ends", "[dir]\rC:\\Dl\\A\rC:\\Dl\\B\r%end\r", ""},
        {"leading blanks and tabs", "[dir]\n   C:\\Dl\\A\n\t \tC:\\Dl\\B\n  %end\nC:\\Dl\\C\n",
         "C:\\Dl\\A,C:\\Dl\\B"},
        {"tab inside a path", "[dir]\nC:\\D\tl\\A\n", "C:\\Dl\\A"},
        {"blank last line", "[dir]\nC:\\Dl\\A\n   ", "C:\\Dl\\A"},
        {"empty file", "", ""},
        {"no section", "[system]\n@timeout=5\n", ""},
        {"sections in any order", "[dir]\nC:\\Dl\\B\n%end\n[system]\n%end\n", "C:\\Dl\\B"},
    };
    for (const auto& c : cases) {
        run = testing::StartedRun("tool.exe");
        EXPECT_EQ(LoadFolders(c.content), c.folders) << c.name;
    }
}

TEST_F(ConfigLoaderTest, ANulByteEndsTheSearchAndItsLine) {
    std::string hidden("C:\\Dl\\A\n", 8);
    hidden += '\0';
    hidden += "[dir]\nC:\\Dl\\B\n";
    EXPECT_EQ(LoadFolders(hidden), "");

    std::string content = "[dir]\nC:\\Dl\\A";
    content += '\0';
    content += "garbage\nC:\\Dl\\B\n";
    EXPECT_EQ(LoadFolders(content), "C:\\Dl\\A,C:\\Dl\\B");
}

TEST_F(ConfigLoaderTest, ReadConfigLineCutsLongLinesAndCountsBytes) {
    std::string text = std::string(600, 'x') + "\r\nnext\n";
    ConfigLine line = ReadConfigLine(text, 0);
    EXPECT_EQ(line.text, std::string(517, 'x'));
    EXPECT_EQ(line.consumed, 602u);
    line = ReadConfigLine(text, 602);
    EXPECT_EQ(line.text, "next");
    EXPECT_EQ(line.consumed, 5u);

    line = ReadConfigLine("tail", 0);  // no line feed: one more than what remained
    EXPECT_EQ(line.text, "tail");
    EXPECT_EQ(line.consumed, 5u);

    // A character straddling the limit is left out whole; the limit counts the bytes as code page
    // 932 does, whatever the file's encoding: 表 is two.
    EXPECT_EQ(ReadConfigLine(std::string(516, 'x') + "表\n", 0).text, std::string(516, 'x'));
    EXPECT_EQ(ReadConfigLine(std::string(515, 'x') + "表\n", 0).text, std::string(515, 'x') + "表");
}

TEST_F(ConfigLoaderTest, ReadsCodePage932AndUtf8Files) {
    for (const char* name : {"表", "Zoë", "다운로드", "ﾗｼﾞｵ", "\uF8F0"}) platform.AddFolder(std::string("C:\\Dl\\") + name);
    // Code page 932, with a byte Windows maps to the private use area.
    EXPECT_EQ(LoadFolders("[dir]\nC:\\Dl\\\x95\x5C\nC:\\Dl\\\xA0\n"), "C:\\Dl\\表,C:\\Dl\\\uF8F0");
    EXPECT_EQ(LoadFolders("[dir]\nC:\\Dl\\다운로드\nC:\\Dl\\Zoë\n"), "C:\\Dl\\다운로드,C:\\Dl\\Zoë");
    EXPECT_EQ(LoadFolders("\xEF\xBB\xBF[dir]\nC:\\Dl\\Zoë\n"), "C:\\Dl\\Zoë");
    // Valid both ways: the reading whose folders exist.
    EXPECT_EQ(LoadFolders("[dir]\nC:\\Dl\\\xD7\xBC\xDE\xB5\n"), "C:\\Dl\\ﾗｼﾞｵ");
    // A line that is not in the file's encoding costs that line only, with a mark or without.
    EXPECT_EQ(LoadFolders("[dir]\nC:\\Dl\\\x95\nC:\\Dl\\\x95\x5C\n"), "C:\\Dl\\表");
    EXPECT_EQ(LoadFolders("\xEF\xBB\xBF[dir]\nC:\\Dl\\\x95\x5C\nC:\\Dl\\Zoë\n"), "C:\\Dl\\Zoë");
}

// Each text is loaded as code page 932 and as UTF-8 with its mark ("\x7F" stands for a line's
// byte that is not in the file's encoding): both give the same menu.
TEST_F(ConfigLoaderTest, BothEncodingsGiveTheSameMenu) {
    auto kanji = [](int n) { std::string s; while (n-- > 0) s += "表"; return s; };
    const std::string parent = "C:\\Dl\\" + kanji(244), deep = parent + "\\" + kanji(8);  // 259 characters
    const std::string near = "C:\\Dl\\" + kanji(170), long620 = near + "\\" + kanji(37);
    for (const auto& folder : {parent, deep, near, long620}) platform.AddFolder(folder);
    const WalkCase cases[] = {
        {"a 620-byte UTF-8 line", "[dir]\n" + long620 + "\n", long620},
        {"a cut after a backslash names nothing", "[dir]\n" + std::string(22, ' ') + deep + "\n", ""},
        {"a cut label", "[dir]\nC:\\Dl\\A | " + kanji(300) + "\n{" + kanji(300) + "\nC:\\Dl\\B\n", "C:\\Dl\\A,,C:\\Dl\\B"},
        {"a bad line inside @param", "[system]\n@param\n%a% | C:\\Dl\n\x7F | x\n%b% | C:\\Dl\n[dir]\n%b%\\A\n", "C:\\Dl\\A"},
        {"a cut row inside @param", "[system]\n@param\n%aaaaaaaaaaaaaaaaa% | " + deep + "\n%b% | C:\\Dl\n[dir]\n%aaaaaaaaaaaaaaaaa%\n%b%\\B\n",
         "C:\\Dl\\B"},
    };
    for (const auto& c : cases) {
        const std::string cp932 = std::regex_replace(*testing::Recode(c.content, "UTF-8", "CP932"), std::regex("\x7F"), "\x95");
        for (const std::string& bytes : {cp932, "\xEF\xBB\xBF" + std::regex_replace(c.content, std::regex("\x7F"), "\xFF")}) {
            run = testing::StartedRun("tool.exe");
            EXPECT_EQ(LoadFolders(bytes), c.folders) << c.name << (bytes[0] == '\xEF' ? " in UTF-8" : " in 932");
        }
    }
}

TEST_F(ConfigLoaderTest, A600CharacterLineDoesNotDisturbTheNext) {
    std::string content = "[dir]\n" + std::string(600, 'z') + "\nC:\\Dl\\A\n";
    EXPECT_EQ(LoadFolders(content), "C:\\Dl\\A");
}

TEST_F(ConfigLoaderTest, SurvivesHostileInput) {
    std::mt19937 random(1234);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 50; ++round) {
        std::string content = "[system]\n@param\n[dir]\n";
        // Bytes of every value among folder lines enough to pass the limit many times over.
        for (int i = 0; i < 4000; ++i) {
            content += byte(random) < 64 ? std::string(1, static_cast<char>(byte(random))) : "C:\\Dl\\A\n";
        }
        LoadFolders(content);
        EXPECT_LE(run.folders.size(), 500u);
    }

    std::string megaLine = "[system]\n@menu=" + std::string(1 << 20, '9') + "\n[dir]\n" +
                           std::string(1 << 20, 'q') + "\nC:\\Dl\\A";
    EXPECT_EQ(LoadFolders(megaLine), "C:\\Dl\\A");

    std::string many = "[dir]\n";
    for (int i = 0; i < 10000; ++i) many += "C:\\Dl\\" + std::string(1, "ABCD"[i % 4]) + "\n";
    LoadFolders(many);
    EXPECT_EQ(run.folders.size(), 500u);
}

}  // namespace
}  // namespace korvo
