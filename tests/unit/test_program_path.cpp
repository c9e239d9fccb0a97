#include <gtest/gtest.h>

#include <string>

#include "config/program_path.h"
#include "fake_platform.h"

namespace korvo {
namespace {

using testing::FakePlatform;

// The current folder is C:\Work; the system's order is C:\Korvo, C:\Work, then C:\Windows\system32,
// C:\Windows and C:\Bin.
class ProgramPathTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* file :
             {"C:\\Windows\\system32\\notepad.exe", "C:\\Bin\\only.exe", "C:\\Korvo\\pick.exe",
              "C:\\Tools\\pick.exe", "C:\\Work\\local.exe", "C:\\Tools\\local.exe", "C:\\Work\\both",
              "C:\\Tools\\both.exe", "C:\\Work\\sub\\rel.exe", "C:\\Work\\here.txt",
              "C:\\Tools\\twice.exe.exe"}) {
            platform.AddFile(file, "");
        }
        platform.AddFolder("C:\\Work\\dir");
        run = testing::StartedRun();
        run.searchPath = "C:\\Nowhere;C:\\Tools";
        run.searchPathSet = true;
    }

    FakePlatform platform;
    RunState run;
};

struct ResolveCase {
    std::string name;
    bool retry;
    bool searchPathSet;
    std::string path;
    int found;
};

TEST_F(ProgramPathTest, ResolutionOrder) {
    const std::string longName = std::string(251, 'n') + ".txt";  // C:\Work\ + 255 = 263 characters
    platform.AddFile("C:\\Work\\" + longName, "");
    const std::string farFolder = "C:\\Tools\\" + std::string(245, 'f');
    platform.AddFile(farFolder + "\\far.exe", "");  // 262 characters: too long to be accepted

    const ResolveCase cases[] = {
        {"notepad", true, true, "C:\\Windows\\system32\\notepad.exe", 1},
        {"notepad", false, true, "notepad", 0},
        {"pick", true, true, "C:\\Tools\\pick.exe", 1},     // the search path before the system's
        {"pick", true, false, "C:\\Korvo\\pick.exe", 1},    // ... and only while it is in force
        {"local", true, true, "C:\\Work\\local.exe", 1},    // the current folder before both
        {"both", true, true, "C:\\Work\\both", 1},          // as written before ".exe"
        {"dir", true, true, "C:\\Work\\dir", 1},            // a folder is found; callers refuse it
        {"sub\\rel", true, true, "C:\\Work\\sub\\rel.exe", 1},
        {"sub\\..\\here.txt", false, true, "C:\\Work\\here.txt", 1},
        {"only", true, true, "C:\\Bin\\only.exe", 1},
        {"ghost.exe", true, true, "ghost.exe", 0},
        {"twice.exe", true, true, "C:\\Tools\\twice.exe.exe", 1},  // ".exe" goes on regardless
        {"", true, true, "", 0},
        {longName, false, true, longName, 1},  // its full path does not fit: kept as written
        {"far", true, true, "far", 0},
    };
    for (const auto& c : cases) {
        run.searchPathSet = c.searchPathSet;
        ResolvedProgram resolved = ResolveProgramPath(platform, run, c.name, c.retry);
        EXPECT_EQ(resolved.path, c.path) << c.name;
        EXPECT_EQ(resolved.found, c.found) << c.name;
    }

    const std::string nearFolder = "C:\\Tools\\" + std::string(241, 'f');
    platform.AddFile(nearFolder + "\\near.exe", "");  // 259 characters: accepted
    run.searchPath = farFolder + ";" + nearFolder;
    EXPECT_EQ(ResolveProgramPath(platform, run, "far", true).found, 0);
    EXPECT_EQ(ResolveProgramPath(platform, run, "near", true).path, nearFolder + "\\near.exe");
}

struct SearchFileCase {
    std::string content;
    std::string expected;  // "<unset>" when no search path is in force
};

TEST_F(ProgramPathTest, SearchPathFileForms) {
    const SearchFileCase cases[] = {
        {"TEMP=C:\\T\r\nPATH=C:\\A;C:\\B\r\nX=1\r\n", "C:\\A;C:\\B"},
        {"MYPATH=C:\\Mine\r\nPath=C:\\Sys\r\n", "C:\\Mine"},  // found inside a longer name
        {"x\r\npath=C:\\Last", "C:\\Last"},                   // last line without a line feed
        {"path=C:\\\tA\r\n", "C:\\A"},                        // tabs dropped
        {"C:\\A;\r\nC:\\B\r\n", "C:\\A;C:\\B"},               // a plain list: lines joined
        {"C:\\A\r\n\tC:\\B", "C:\\AC:\\B"},                   // ... with nothing between them
        {"", "<unset>"},
        {"\r\n\t\r\n", "<unset>"},
        {"path=\r\nC:\\A", "<unset>"},                        // the found line is empty
        {std::string("C:\\A;\0path=C:\\B", 15), "C:\\A;"},  // a NUL byte ends the text
        {"path=C:\\\x95\x5C;", "C:\\表;"},         // code page 932
        {"\xEF\xBB\xBFpath=C:\\Zoë;", "C:\\Zoë;"},   // UTF-8
        {"\xEF\xBB\xBF" "C:\\A;\r\nC:\\B", "C:\\A;C:\\B"},  // the mark is not part of the first folder
        {"path=" + std::string(6000, 'a'), "<unset>"},  // a folder the limit cuts names no folder
        {"path=" + std::string(5198, 'a') + "\xF0\x9F\x98\x80", "<unset>"},
        {"path=C:\\A;" + std::string(5300, 'b'), "C:\\A;"},
        {"path=" + std::string(5199, 'a') + ";C:\\B", std::string(5199, 'a')},
    };
    for (const auto& c : cases) {
        platform.AddFile("C:\\Work\\paths.txt", c.content);
        ReadSearchPathFile(platform, run, "C:\\Work\\paths.txt");
        EXPECT_EQ(run.searchPathSet ? run.searchPath : "<unset>", c.expected) << c.content.substr(0, 40);
    }

    run.searchPathSet = true;
    ReadSearchPathFile(platform, run, "C:\\Work\\missing.txt");
    EXPECT_FALSE(run.searchPathSet);
    run.searchPathSet = true;
    ReadSearchPathFile(platform, run, "C:\\Work\\dir");
    EXPECT_FALSE(run.searchPathSet);
}

}  // namespace
}  // namespace korvo
