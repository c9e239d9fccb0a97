#include <gtest/gtest.h>

#include <string>

#include "config/loader.h"
#include "config/system_section.h"
#include "fake_platform.h"
#include "template/placeholders.h"

namespace korvo {
namespace {

using testing::FakePlatform;

class SystemSectionTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform.AddFolder("C:\\Korvo\\");
        platform.AddFolder("D:\\Load");
        platform.AddFolder("E:\\");
        Reset();
    }

    void Reset() {
        run = testing::StartedRun("Korvo.exe", 2);
    }

    void Load(const std::string& system) {
        platform.AddFile("C:\\Korvo\\Korvo.ini", "[system]\n" + system);
        ASSERT_EQ(LoadConfiguration(platform, run), 1);
    }

    FakePlatform platform;
    RunState run;
};

struct TimeoutCase {
    std::string lines;
    std::uint32_t seconds;
};

TEST_F(SystemSectionTest, Timeout) {
    const TimeoutCase cases[] = {
        {"", 30},
        {"@timeout=60\n", 60},
        {"@TIMEOUT=90\n", 90},
        {"@timeout=0\n", 30},
        {"@timeout=soon\n", 30},
        {"@timeout=\n", 30},
        {"@timeout=1234567\n", 123456},
        {"@timeout=60,more text\n", 60},
        {"@timeout=-1\n", 4294967295u},
        {"@timeout=10\n@timeout=20\n", 20},
        {"@timeout= 45\n", 30},  // a blank before the number is no number
        {"@timeout=45", 45},  // last line without a line feed
        {";@timeout=45\n", 30},
        {"  @timeout=45\n", 45},
    };
    for (const auto& c : cases) {
        Reset();
        Load(c.lines);
        EXPECT_EQ(run.timeoutSeconds, c.seconds) << c.lines;
    }
}

struct MenuCase {
    std::string value;
    int mode, x, y;
};

TEST_F(SystemSectionTest, MenuPosition) {
    const MenuCase cases[] = {
        {"100,200", MENU_MODE_POINT, 100, 200},
        {"MAX,MAX", MENU_MODE_POINT, 1920, 1040},
        {"max,10,", MENU_MODE_POINT, 1920, 10},
        {"100,max", MENU_MODE_POINT, 100, 0},     // lower case at the line end: a number, 0
        {"100,max,", MENU_MODE_POINT, 100, 1040},  // before a comma: any case
        {"-5,-7", MENU_MODE_POINT, -5, -7},
        {"1,2", MENU_MODE_POINT, 1, 2},  // a line of 9 characters counts
        {"1,", MENU_MODE_ACTIVE, 77, 0},  // one of 8 does not: parsed, it would be a point
        {"12", MENU_MODE_ACTIVE, 77, 0},  // a single number leaves menuX alone
        {"mouse", MENU_MODE_MOUSE, 77, 0},
        {"MOUSE,1", MENU_MODE_MOUSE, 77, 0},
        {"mous2", MENU_MODE_MOUSE_VCENTER, 77, 0},
        {"center", MENU_MODE_CENTER, 77, 0},
        {"Active", MENU_MODE_ACTIVE, 77, 0},
        {"1234567890,5", MENU_MODE_POINT, 123456, 5},
        {"garbage", MENU_MODE_ACTIVE, 77, 0},
    };
    for (const auto& c : cases) {
        Reset();
        run.menuX = 77;
        Load("@menu=" + c.value + "\n");
        EXPECT_EQ(run.menuMode, c.mode) << c.value;
        EXPECT_EQ(run.menuX, c.x) << c.value;
        EXPECT_EQ(run.menuY, c.y) << c.value;
    }
}

TEST_F(SystemSectionTest, MenuPositionRulesOfPrecedence) {
    Load("@menu=ab\n");  // two characters are too short to count
    EXPECT_EQ(run.menuMode, MENU_MODE_ACTIVE);

    Reset();
    Load("@menu=center\n@menu=mouse\n");
    EXPECT_EQ(run.menuMode, MENU_MODE_CENTER);

    Reset();
    run.menuMode = MENU_MODE_POINT;  // "/#m=" came first
    Load("@menu=center\n");
    EXPECT_EQ(run.menuMode, MENU_MODE_POINT);

    for (const std::string word : {"mouse", "mous2"}) {
        Reset();
        run.mouseButtonCount = 0;
        Load("@menu=" + word + "\n@menu=center\n");
        EXPECT_EQ(run.menuMode, MENU_MODE_ACTIVE) << word;  // the first line settled it, without a mouse
    }
}

TEST_F(SystemSectionTest, BaseFolder) {
    Load("@base=D:\\Load\n");
    EXPECT_EQ(run.baseFolder, "D:\\Load");

    Reset();
    Load("@base=D:\\Nowhere\n@base=E:\\\n@base=D:\\Load\n");
    EXPECT_EQ(run.baseFolder, "E:");  // a drive root loses its backslash

    Reset();
    run.baseFolder = "D:\\Load";  // "/#0=" wins
    Load("@base=E:\\\n");
    EXPECT_EQ(run.baseFolder, "D:\\Load");

    Reset();
    Load("@base=%dl%\n@param\n%dl% | D:\\Load\n@base=%DL%\\\n");
    EXPECT_EQ(run.baseFolder, "D:\\Load");  // only the line after "@param" is expanded
    Reset();
    Load("@base=%ins_Korvo%\n@param\n");
    EXPECT_EQ(run.baseFolder, "");  // not even a built-in token

    // Expanded beyond a path's 259 characters: refused, not cut down to an existing parent.
    Reset();
    const std::string parent = "D:\\" + std::string(256, 'p');
    platform.AddFolder(parent);
    Load("@param\n%p% | " + parent + "\n@base=%p%\\sub\n@base=%p%\n");
    EXPECT_EQ(run.baseFolder, parent);
    Reset();
    Load("@param\n%p% | " + parent + "\n@base=%p%\\sub\n");
    EXPECT_EQ(run.baseFolder, "");
}

TEST_F(SystemSectionTest, ParamBlock) {
    Load("@param ignored text\n%dl% | D:\\Load\n  x | y | z\n;c | d\n%end\n@timeout=5\n");
    EXPECT_TRUE(run.paramSeen);
    ASSERT_EQ(run.params.size(), 3u);
    EXPECT_EQ(run.params[0].name, "%dl%");
    EXPECT_EQ(run.params[0].value, "D:\\Load");
    EXPECT_EQ(run.params[1].name, "  x");  // block lines keep their blanks
    EXPECT_EQ(run.params[1].value, "y | z");
    EXPECT_EQ(run.params[2].name, ";c");
    EXPECT_EQ(run.timeoutSeconds, 30u);  // "%end" still ended the section

    Reset();
    std::string lines = "@param\n";
    for (int i = 0; i < 11; ++i) lines += "n" + std::to_string(i) + " | v\n";
    Load(lines + "@timeout=7\n");
    EXPECT_EQ(run.params.size(), 10u);
    EXPECT_EQ(run.timeoutSeconds, 7u);

    Reset();
    Load("@param\n@timeout=8\n");
    EXPECT_TRUE(run.paramSeen);
    EXPECT_TRUE(run.params.empty());
    EXPECT_EQ(run.timeoutSeconds, 8u);  // the line that ended the block is read normally

    Reset();
    Load("@param\na | 1\n@param\nb | 2\n");
    ASSERT_EQ(run.params.size(), 1u);
    EXPECT_EQ(run.params[0].name, "b");

    Reset();
    Load("@param\nlast | row");  // last line without a line feed
    ASSERT_EQ(run.params.size(), 1u);
    EXPECT_EQ(run.params[0].value, "row");

    Reset();
    Load("@param\n" + std::string(30, 'N') + " | " + std::string(300, 'V') + "\n");
    ASSERT_EQ(run.params.size(), 1u);
    EXPECT_EQ(run.params[0].name.size(), 19u);
    EXPECT_EQ(run.params[0].value.size(), 300u);
}

TEST_F(SystemSectionTest, UnsetPlacementBecomesActiveEvenWithoutSection) {
    platform.AddFile("C:\\Korvo\\Korvo.ini", "[dir]\n");
    ASSERT_EQ(LoadConfiguration(platform, run), 1);
    EXPECT_EQ(run.menuMode, MENU_MODE_ACTIVE);
}

struct SettingCase {
    std::string lines;
    std::string expected;
};

// Programs for "@path=" and "@editor=": the current folder is C:\Work.
void AddPrograms(FakePlatform& platform) {
    platform.AddFile("C:\\Windows\\system32\\notepad.exe", "");
    platform.AddFile("C:\\Korvo\\pick.exe", "");
    platform.AddFile("C:\\Tools\\pick.exe", "");
    platform.AddFolder("C:\\Work\\dir");
    platform.AddFile("C:\\Work\\paths.txt", "junk\r\nPath=C:\\Tools;C:\\Other\r\n");
    platform.AddFile("C:\\Work\\empty.txt", "\r\n\t\r\n");
    platform.AddFile("C:\\Work\\" + std::string(252, 'e'), "");
    platform.AddFile("C:\\Work\\" + std::string(251, 'e'), "");
    platform.AddFile("C:\\Work\\paths.exe", "PATH=C:\\Wrong\r\n");
}

TEST_F(SystemSectionTest, SearchPath) {
    AddPrograms(platform);
    const SettingCase cases[] = {
        {"@path=C:\\Tools;D:\\Bin\n", "C:\\Tools;D:\\Bin"},
        {"@PATH= C:\\Tools\n", " C:\\Tools"},  // the value as written, blank included
        {"@path=\n", "<unset>"},
        {"@path=C:\\Tools\n@path=C:\\Other\n", "C:\\Other"},
        {"@path=paths.txt\n", "C:\\Tools;C:\\Other"},  // a file, found from the current folder
        {"@path=paths\n", "paths"},  // no ".exe" or other retry for a search-path file
        {"@path=C:\\Work\\dir\n", "C:\\Work\\dir"},  // a folder is a list of one
        {"@path=C:\\Tools\n@path=empty.txt\n", "<unset>"},  // an empty file leaves none in force
        {"@param\n%p% | C:\\Tools\n@path=%p%\n", "%p%"},  // never expanded
    };
    for (const auto& c : cases) {
        Reset();
        Load(c.lines);
        EXPECT_EQ(run.searchPathSet ? run.searchPath : "<unset>", c.expected) << c.lines;
    }
}

TEST_F(SystemSectionTest, Editor) {
    AddPrograms(platform);
    const SettingCase cases[] = {
        {"@editor=notepad\n", "C:\\Windows\\system32\\notepad.exe"},
        {"@EDITOR=notepad.exe\n", "C:\\Windows\\system32\\notepad.exe"},
        {"@editor=C:\\Work\\dir\n", ""},  // a folder is found but refused
        {"@editor=ghost\n", ""},
        {"@editor= notepad\n", ""},  // the blank is part of the name
        {"@editor=notepad\n@editor=ghost\n", "C:\\Windows\\system32\\notepad.exe"},
        {"@editor=notepad\n@editor=pick\n", "C:\\Korvo\\pick.exe"},
        // The search path in force at the line decides.
        {"@editor=pick\n@path=C:\\Tools\n", "C:\\Korvo\\pick.exe"},
        {"@path=C:\\Tools\n@editor=pick\n", "C:\\Tools\\pick.exe"},
        {"@editor=%ed%\n@param\n%ed% | notepad\n", ""},
        {"@param\n%ed% | note\n@editor=%ed%pad\n", "C:\\Windows\\system32\\notepad.exe"},
        {"@param\n@editor=%windows%\\system32\\notepad\n", "C:\\Windows\\system32\\notepad.exe"},
        // Kept as written (its full path would not fit) and too long for the field: refused.
        {"@editor=C:\\Work\\" + std::string(252, 'e') + "\n", ""},
        {"@editor=C:\\Work\\" + std::string(251, 'e') + "\n", "C:\\Work\\" + std::string(251, 'e')},
        {"@editor=%windows%\\system32\\notepad\n@param\n", ""},
    };
    for (const auto& c : cases) {
        Reset();
        Load(c.lines);
        EXPECT_EQ(run.editorPath, c.expected) << c.lines;
    }
}

TEST_F(SystemSectionTest, NearMissesOfDirectivesAreIgnored) {
    Load("@pathway=x\n@editorial\n@timeouts=4\n@menus=center\n");
    EXPECT_FALSE(run.searchPathSet);
    EXPECT_EQ(run.editorPath, "");
    EXPECT_EQ(run.timeoutSeconds, 30u);
    EXPECT_EQ(run.menuMode, MENU_MODE_ACTIVE);
}

struct ExpandCase {
    std::string text;
    std::string expected;
};

TEST(PlaceholdersTest, UserParametersInTableOrder) {
    FakePlatform platform;
    RunState run;
    run.params = {{"%dl%", "D:\\Load"}, {"%b%", "x%c%"}, {"%c%", "C"}, {"%self%", "<%self%>"}, {"", "E"}};
    const ExpandCase cases[] = {
        {"plain", "plain"},
        {"%dl%\\sub", "D:\\Load\\sub"},
        {"%DL%|%Dl%|%dL%", "D:\\Load|D:\\Load|D:\\Load"},
        {"%b%", "xC"},            // a later row expands an earlier row's value
        {"%self%", "<%self%>"},  // a value is not expanded by its own row again
        {"%c%%b%", "CxC"},
    };
    for (const auto& c : cases) EXPECT_EQ(ExpandPlaceholders(platform, run, c.text), c.expected);

    run.params = {{"a", std::string(259, 'v')}};
    std::string grown = ExpandPlaceholders(platform, run, std::string(517, 'a'));
    EXPECT_EQ(grown, std::string(PLACEHOLDER_TEXT_MAX_CHARS, 'v'));
    run.params = {{"a", std::string(260, 'v')}};  // too long for a path: never inserted, not even cut
    EXPECT_EQ(ExpandPlaceholders(platform, run, "a"), "a");
}

}  // namespace
}  // namespace korvo
