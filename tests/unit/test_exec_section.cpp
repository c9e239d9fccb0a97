#include <gtest/gtest.h>

#include <string>

#include "config/exec_section.h"
#include "config/loader.h"
#include "config/program_path.h"
#include "fake_platform.h"

namespace korvo {
namespace {

using testing::FakePlatform;

class ExecSectionTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform.AddFolder("C:\\Korvo\\");
        platform.AddFolder("D:\\Tools\\dir.exe");
        for (const char* name : {"getter.exe", "other.exe", "one two.exe", "表.exe"}) {
            platform.AddFile(std::string("D:\\Tools\\") + name, "");
        }
    }

    // Loads `section` as the [exec] section with "/#e=`requested`"; lists the table as
    // "path>display>template" rows.
    std::string Load(const std::string& section, const std::string& requested = "") {
        run = testing::StartedRun();
        run.requestedProgramName = requested;
        platform.AddFile("C:\\Korvo\\Korvo.ini", "[dir]\n%end\n[exec]\n" + section);
        EXPECT_EQ(LoadConfiguration(platform, run), 1);
        std::string rows;
        for (const ProgramEntry& entry : run.programs) {
            rows += (rows.empty() ? "" : ",") + entry.programPath + ">" + entry.displayName + ">" +
                    entry.commandTemplate;
        }
        return rows;
    }

    FakePlatform platform;
    RunState run;
};

TEST_F(ExecSectionTest, ProgramsTheirNamesAndTemplates) {
    struct Case {
        const char* section;
        const char* expected;
    };
    const Case cases[] = {
        {"D:\\Tools\\getter.exe\n>-o %P %L\n", "D:\\Tools\\getter.exe>getter>-o %P %L"},
        {"  D:\\Tools\\getter.exe | Get It  \n>a\n  >b\n", "D:\\Tools\\getter.exe>Get It  >b"},
        {"D:\\Tools\\getter.exe\n", "D:\\Tools\\getter.exe>getter>"},
        {"D:\\Tools\\getter.exe |  x | y\n", "D:\\Tools\\getter.exe> x | y>"},
        {"D:\\Tools\\one two.exe|odd\n", ""},  // no " | ": the whole text is the program
        {"D:\\Tools\\\x95\x5C.exe\n", "D:\\Tools\\表.exe>表>"},  // code page 932
        {">before any program\nD:\\Tools\\getter.exe\n", "D:\\Tools\\getter.exe>getter>"},
        {"D:\\Tools\\missing.exe\n>t\n", ""},
        {"D:\\Tools\\dir.exe\n", ""},  // a folder is no program
        // A missing program takes its templates along instead of handing them to the one before.
        {"D:\\Tools\\getter.exe\n>mine\nD:\\Tools\\missing.exe\n>theirs\n", "D:\\Tools\\getter.exe>getter>mine"},
        {"D:\\Tools\\getter.exe\n%end\nD:\\Tools\\other.exe\n", "D:\\Tools\\getter.exe>getter>"},
        {"D:\\Tools\\getter\n>x\n", "D:\\Tools\\getter.exe>getter>x"},  // found with ".exe"
    };
    for (const Case& c : cases) EXPECT_EQ(Load(c.section), c.expected) << c.section;
}

TEST_F(ExecSectionTest, LongTemplatesAndNamesAreKeptWhole) {
    Load("D:\\Tools\\getter.exe | " + std::string(300, 'n') + "\n>" + std::string(300, 't') + "\n", std::string(300, 'n'));
    EXPECT_EQ(run.selectedProgram, 0);
    EXPECT_EQ(run.programs.at(0).commandTemplate, std::string(300, 't'));

    // A program path of 259 characters is found; a longer one, cut to it, would be another file.
    const std::string name(250, 'g');
    platform.AddFile("D:\\Tools\\" + name, "");
    EXPECT_EQ(Load("D:\\Tools\\" + name + "\n"), "D:\\Tools\\" + name + ">" + name + ">");
    EXPECT_EQ(Load("D:\\Tools\\" + name + "x.exe\n"), "");
}

TEST_F(ExecSectionTest, TheEleventhProgramLineEndsTheSection) {
    std::string section;
    for (int i = 0; i < 9; ++i) section += "D:\\Tools\\getter.exe | g" + std::to_string(i) + "\n";
    section += "D:\\Tools\\missing.exe\n;comment\n";  // dropped lines do not count
    section += "D:\\Tools\\other.exe\n>tenth\n>still the tenth's\n";
    Load(section + "D:\\Tools\\missing.exe\nD:\\Tools\\getter.exe | late\n");
    ASSERT_EQ(run.programs.size(), 10u);
    EXPECT_EQ(run.programs[9].displayName, "other");
    EXPECT_EQ(run.programs[9].commandTemplate, "still the tenth's");

    // With the table full, even a comment line ends the section: the template after it is lost.
    Load(section + ";comment\n>late template\n");
    EXPECT_EQ(run.programs[9].commandTemplate, "still the tenth's");
}

TEST_F(ExecSectionTest, SelectionByExactDisplayNameIgnoringCase) {
    const std::string section =
        "D:\\Tools\\getter.exe | Fetch\nD:\\Tools\\other.exe | fetch\nD:\\Tools\\other.exe\nD:\\Tools\\other.exe | ɐb\n";
    struct Case {
        const char* requested;
        int selected;
    };
    const Case cases[] = {
        {"FETCH", 0}, {"fetch", 0}, {"other", 2}, {"Fetc", -1}, {"Fetcher", -1}, {"", -1}, {"getter", -1},
        {"\u2C6FB", 3},  // Ɐ is ɐ's capital, one byte longer in UTF-8
    };
    for (const Case& c : cases) {
        Load(section, c.requested);
        EXPECT_EQ(run.selectedProgram, c.selected) << c.requested;
    }
    Load("", "fetch");
    EXPECT_EQ(run.selectedProgram, -1);

    run = testing::StartedRun();
    run.requestedProgramName = "fetch";
    platform.AddFile("C:\\Korvo\\Korvo.ini", "[dir]\n");  // no [exec] section at all
    ASSERT_EQ(LoadConfiguration(platform, run), 1);
    EXPECT_EQ(run.selectedProgram, -1);
}

TEST_F(ExecSectionTest, LinesExpandOnlyAfterTheParamBlock) {
    platform.AddFile("C:\\Korvo\\Korvo.ini",
                     "[system]\n@param\n%t% | D:\\Tools\n%end\n[exec]\n%t%\\getter.exe | %t%\n>%t%\\%K\n");
    run = testing::StartedRun();
    ASSERT_EQ(LoadConfiguration(platform, run), 1);
    ASSERT_EQ(run.programs.size(), 1u);
    EXPECT_EQ(run.programs[0].displayName, "D:\\Tools");
    EXPECT_EQ(run.programs[0].commandTemplate, "D:\\Tools\\%K");
}

}  // namespace
}  // namespace korvo
