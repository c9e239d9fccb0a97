#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "actions/file_name_dialog.h"
#include "actions/program_launch.h"
#include "base/arguments.h"
#include "base/texts.h"
#include "fake_platform.h"
#include "template/command_template.h"
#include "url/url_parts.h"

namespace korvo {
namespace {

using testing::FakePlatform;

constexpr FileNameAnswer ACCEPT_UNCHANGED{FileNameEnd::Accepted, "", ""};

class CommandTemplateTest : public ::testing::Test {
protected:
    void SetUp() override { Target("http://server/pub/file.zip"); }

    void Target(const std::string& url) {
        run.targets = {1, url};
        DeriveFileName(run.url, url);
    }

    std::string Build(const std::string& commandTemplate, const std::string& folder = "D:\\Down\\Music") {
        return BuildCommandLine(platform, run, commandTemplate, folder,
                                [this] { return AskForFileName(platform, run, run.url); });
    }

    // What the program gets: the line split as its C run-time splits it.
    static std::vector<std::string> Args(const std::string& line) { return SplitArguments(line); }

    static FileNameAnswer Accept(const std::string& name, const std::string& extension) {
        return {FileNameEnd::Accepted, name, extension};
    }

    FakePlatform platform;
    RunState run = testing::StartedRun();
};

TEST_F(CommandTemplateTest, EveryTokenOnTheWorkedExample) {
    struct Case {
        const char* commandTemplate;
        const char* expected;
    };
    const Case cases[] = {
        {"%S", "http"},
        {"%G", "server"},
        {"[%H][%I]", "[][]"},
        {"%J", "/pub/file.zip"},
        {"%-J", "/pub/"},
        {"%K", "file.zip"},
        {"%L|%-L", "http://server/pub/file.zip|http://server/pub/file.zip"},
        {"%P", "D:\\Down\\Music\\"},
        {"%-P", "D:\\Down\\Music"},
        {"%D", "D:\\Down\\"},
        {"%-D", "D:\\Down"},
        {"%F", "Down"},
        {"%s %g %k %p %-d %-p %-j", "http server file.zip D:\\Down\\Music\\ D:\\Down D:\\Down\\Music /pub/"},
        {"-o \"%P%K\" %L", "-o \"D:\\Down\\Music\\file.zip\" http://server/pub/file.zip"},
        {"-d\t\"C:\\Out\\\\\" \"%-P\\%K\" \\", "-d C:\\Out\\ D:\\Down\\Music\\file.zip \"\\\\\""},  // as the program reads it
        {"no tokens, 100% sure %X %", "no tokens, 100% sure %X %"},
        {"%\"K\" %$\"\"K", "\"%K\" \"%$K\""},  // a token is what the template writes, not what quotes leave
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(Args(Build(c.commandTemplate)), Args(c.expected)) << c.commandTemplate;
    EXPECT_TRUE(platform.fileNameRequests.empty());
}

TEST_F(CommandTemplateTest, FolderTokensOnOtherFolders) {
    struct Case {
        const char* folder;
        const char* expected;  // %P|%-P|%D|%-D|%F
    };
    const Case cases[] = {
        {"D:\\Down\\Music\\", "D:\\Down\\Music\\|D:\\Down\\Music\\|D:\\Down\\Music\\|D:\\Down\\Music|Music"},
        {"D:\\My.Files\\Sub", "D:\\My.Files\\Sub\\|D:\\My.Files\\Sub|D:\\My.Files\\|D:\\My.Files|My"},
        {"D:", "D:\\|D:\\|D:|D:|"},  // a drive root stays the root
        {"C:\\", "C:\\|C:\\|C:\\|C:|"},
        {"D:\\表", "D:\\表\\|D:\\表|D:\\|D:|"},
    };
    for (const Case& c : cases) EXPECT_EQ(Args(Build("%P|%-P|%D|%-D|%F", c.folder)), Args(c.expected)) << c.folder;
}

TEST_F(CommandTemplateTest, DroppingTheBackslashLooksAtTheLineBuiltSoFar) {
    // An empty "%D" text leaves the backslash written before the token as the end of the line.
    EXPECT_EQ(Args(Build("x\\%-D", "Down")), Args("x"));
    EXPECT_EQ(Args(Build("x\\\\%-D|", "Down")), Args("\"x\\|\""));
    EXPECT_EQ(Args(Build("%-D\\", "D:\\Down\\Music")), Args("D:\\Down\\"));
}

TEST_F(CommandTemplateTest, UrlTokensOnOtherTargets) {
    struct Case {
        const char* target;
        const char* expected;  // %S|%G|%H|%I|%J|%-J|%K|%L|%-L
    };
    const Case cases[] = {
        {"http://server/pub/getfile", "http|server|||/pub/getfile|/pub/|index.html|http://server/pub/getfile|http://server/pub/getfile"},
        {"http://server/pub/file.tar.gz", "http|server|||/pub/file.tar.gz|/pub/|file.tar.gz|http://server/pub/file.tar.gz|http://server/pub/file.tar.gz"},
        {"http://server/", "http|server|||/|/|index.html|http://server/|http://server/"},
        {"ftp://me:pw@host/a.bin?x=1#top", "ftp|host|me|pw|/a.bin|/|a.bin|\"ftp://me:pw@host/a.bin?x=1#top\"|\"ftp://me:pw@host/a.bin?x=1\""},
        {"http://h/a.zip?x=1", "http|h|||/a.zip|/|a.zip|\"http://h/a.zip?x=1\"|http://h/a.zip"},
        {"http://h/wiki/File:Example.jpg", "http|h|||/wiki/File:Example.jpg|/wiki/|File_Example.jpg|http://h/wiki/File:Example.jpg|http://h/wiki/File:Example.jpg"},
        {"http://h/con.zip", "http|h|||/con.zip|/|_con.zip|http://h/con.zip|http://h/con.zip"},
        {"http://h/a b.zip", "\"http|h|||/a b.zip|/|a b.zip|http://h/a b.zip|http://h/a b.zip\""},
    };
    for (const Case& c : cases) {
        Target(c.target);
        EXPECT_EQ(Args(Build("%S|%G|%H|%I|%J|%-J|%K|%L|%-L")), Args(c.expected)) << c.target;
    }
}

// A value is put in where its token stands and never read again for tokens: percent escapes
// whose first digit is D or F, common in non-ASCII URLs, reach the program unchanged.
TEST_F(CommandTemplateTest, InsertedValuesAreNeverScannedForTokens) {
    Target("http://h/%D0%F0%d1/%Fa%-D%$K.zip?q=%P#%L");
    EXPECT_EQ(Args(Build("%L %J %K")),
              Args("\"http://h/%D0%F0%d1/%Fa%-D%$K.zip?q=%P#%L\" /%D0%F0%d1/%Fa%-D%$K.zip %Fa%-D%$K.zip"));
    EXPECT_EQ(Args(Build("%-L")), Args("\"http://h/%D0%F0%d1/%Fa%-D%$K.zip?q=%P\""));
    EXPECT_TRUE(platform.fileNameRequests.empty());
    // Folders and names the user typed are as safe.
    EXPECT_EQ(Build("%P%F", "D:\\%S%G"), "D:\\%S%G\\");
    platform.fileNameAnswers = {Accept("%D%F", ".%S")};
    EXPECT_EQ(Build("%$K %D"), "%D%F.%S D:\\Down\\");
}

TEST_F(CommandTemplateTest, PlaceholdersExpandBeforeTokensOnlyAfterTheParamBlock) {
    run.params = {{"%out%", "-o %P"}, {"%k", "never"}};
    EXPECT_EQ(Build("%out%%K"), "%out%file.zip");  // "%o" is no token; "%K" is taken
    run.paramSeen = true;
    // The parameter's value is read for tokens, as it stands in the template once expanded.
    EXPECT_EQ(Build("%out%%K"), "-o D:\\Down\\Music\\never");
}

TEST_F(CommandTemplateTest, FileNameBoxAnswers) {
    struct Case {
        const char* target;
        FileNameAnswer answer;
        const char* proposedName;
        const char* proposedExtension;
        const char* expected;
    };
    const Case cases[] = {
        {"http://h/pub/file.zip", Accept("file", ".zip"), "file", ".zip", "[file.zip]"},
        {"http://h/pub/file.zip", Accept("other", ".7z"), "file", ".zip", "[other.7z]"},
        {"http://h/pub/file.tar.gz", Accept("file.tar", ".gz"), "file.tar", ".gz", "[file.tar.gz]"},
        {"http://h/pub/getfile", Accept("index", ".html"), "index", ".html", "[index.html]"},
        {"http://h/pub/getfile", {FileNameEnd::UrlName, "", ""}, "index", ".html", "[getfile]"},
        {"http://h/pub/getfile", Accept("", ".html"), "index", ".html", "[getfile]"},  // emptied name
        {"http://h/pub/getfile", Accept("index", "html"), "index", ".html", "[getfile]"},  // no dot
        {"http://h/pub/getfile", Accept("index", "."), "index", ".html", "[getfile]"},  // only a dot
        {"http://h/wiki/File:Example.jpg", {FileNameEnd::UrlName, "", ""}, "File_Example", ".jpg", "[File_Example.jpg]"},
        {"http://h/", {FileNameEnd::UrlName, "", ""}, "index", ".html", "[]"},
        {"http://h/pub/file.zip", {FileNameEnd::UrlName, "x", ".y"}, "file", ".zip", "[file.zip]"},
        {"http://h/pub/file.zip", {FileNameEnd::Cancelled, "x", ".y"}, "file", ".zip", CANCEL_MARKER},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.target) + " -> " + c.expected);
        Target(c.target);
        platform.fileNameRequests.clear();
        platform.fileNameAnswers = {c.answer};
        EXPECT_EQ(Build("[%$K]"), c.expected);
        ASSERT_EQ(platform.fileNameRequests.size(), 1u);
        EXPECT_EQ(platform.fileNameRequests[0].name, c.proposedName);
        EXPECT_EQ(platform.fileNameRequests[0].extension, c.proposedExtension);
    }
}

TEST_F(CommandTemplateTest, EveryAskedNameOpensTheBoxAgainAndACancelDiscardsAll) {
    platform.fileNameAnswers = {Accept("one", ".a"), Accept("two", ".b")};
    EXPECT_EQ(Build("%$k %$K %K"), "one.a two.b file.zip");
    EXPECT_EQ(platform.fileNameRequests.size(), 2u);

    platform.fileNameRequests.clear();
    platform.fileNameAnswers = {Accept("one", ".a"), {FileNameEnd::Cancelled, "", ""}};
    EXPECT_EQ(Build("%L %$K %$K %P"), CANCEL_MARKER);
    EXPECT_EQ(platform.fileNameRequests.size(), 2u);
    EXPECT_EQ(platform.fileNameRequests[1].name, "file");  // a fresh proposal each time
    EXPECT_EQ(platform.fileNameRequests[1].extension, ".zip");

    platform.fileNameAnswers.clear();  // the box could not be shown
    EXPECT_EQ(Build("%$K"), CANCEL_MARKER);
}

TEST_F(CommandTemplateTest, TypedNamesAreCutTo259Bytes) {
    platform.fileNameAnswers = {Accept(testing::Repeat("表", 300), "." + std::string(300, 'e'))};
    EXPECT_EQ(Build("%$K"), testing::Repeat("表", 259) + "." + std::string(258, 'e'));  // units, not bytes
}

TEST_F(CommandTemplateTest, TheBoxOpensAtTheMenuAnchorKeptOnScreen) {
    struct Case {
        Point anchor;
        Point expected;
    };
    // The screen is 1920 wide and 1040 high without the taskbar.
    const Case cases[] = {
        {{300, 200}, {300, 200}},
        {{1760, 975}, {1760, 975}},
        {{1761, 976}, {1750, 970}},
        {{0, 0}, {0, 0}},
    };
    for (const Case& c : cases) {
        run.menuAnchor = c.anchor;
        platform.fileNameRequests.clear();
        platform.fileNameAnswers = {ACCEPT_UNCHANGED};
        Build("%$K");
        ASSERT_EQ(platform.fileNameRequests.size(), 1u);
        EXPECT_EQ(platform.fileNameRequests[0].topLeft.x, c.expected.x) << c.anchor.x;
        EXPECT_EQ(platform.fileNameRequests[0].topLeft.y, c.expected.y) << c.anchor.y;
        EXPECT_EQ(run.menuAnchor.x, c.expected.x);
        EXPECT_EQ(run.menuAnchor.y, c.expected.y);
    }
}

TEST_F(CommandTemplateTest, WithoutAMenuTheBoxOpensWhereTheMenuWouldHave) {
    run.menuAnchor = {-1, -1};
    run.menuMode = MENU_MODE_POINT;
    run.menuX = 1900;
    run.menuY = 40;
    platform.fileNameAnswers = {ACCEPT_UNCHANGED};
    Build("%$K");
    EXPECT_EQ(platform.fileNameRequests.at(0).topLeft.x, 1750);
    EXPECT_EQ(platform.fileNameRequests.at(0).topLeft.y, 40);

    run.menuAnchor = {-1, 5};
    run.menuMode = MENU_MODE_MOUSE;
    platform.cursor = {70, 80};
    platform.fileNameAnswers = {ACCEPT_UNCHANGED};
    Build("%$K");
    EXPECT_EQ(platform.fileNameRequests.at(1).topLeft.x, 70);
    EXPECT_EQ(platform.fileNameRequests.at(1).topLeft.y, 80);
}

TEST_F(CommandTemplateTest, LongUrlsStayWhole) {
    const std::string url = "http://h/r.pdf?X-Signature=" + std::string(2056, 's');  // 2,083 characters
    Target(url);
    EXPECT_EQ(Args(Build("%G|%J|%K %L %L")), Args("h|/r.pdf|r.pdf \"" + url + "\" \"" + url + "\""));
}

// Each URL reaches the program as one argument, even through cmd.exe, which reads these
// characters as syntax outside quotes; a closing quote never follows a lone backslash.
TEST_F(CommandTemplateTest, UrlTextIsQuotedWhereCmdWouldReadIt) {
    for (char c : std::string(" &|<>^(),;=")) {
        Target(std::string("http://h/a") + c + "b");
        EXPECT_EQ(Args(Build("%L")), Args(std::string("\"http://h/a") + c + "b\"")) << c;
    }
    const char* url = "http://u&1:p|2@h&i/d(x)/y&.zip";
    const std::array<std::array<const char*, 4>, 9> cases{{  // target, template, batch file, result
        {"http://h/a?b#c%!", "%L", "", "http://h/a?b#c%!"},
        {"http://h/a&b", "\"%L\" '%L'", "", "\"http://h/a&b\" '\"http://h/a&b\"'"},
        {"http://h/a b\\", "%L \"%J\"", "", "\"http://h/a b\\\\\" \"/a b\\\\\""},
        {url, "%G %H %I %J %-J %K", "", "h&i u&1 p|2 /d(x)/y&.zip /d(x)/ y&.zip"},
        {url, "%G %H %I %J %-J %K \"%K\"", "batch", "\"h&i\" \"u&1\" \"p|2\" \"/d(x)/y&.zip\" \"/d(x)/\" \"y&.zip\" \"y&.zip\""},
        // cmd.exe would put its variables' values in place of these, even inside quotes.
        {"http://h/%CD%B1.zip", "%K", "", "%CD%B1.zip"},
        {"http://h/%CD%B1.zip", "%K", "batch", CANCEL_MARKER},
        {"http://h/?u=%USERNAME:~0%", "\"%L\"", "batch", CANCEL_MARKER},
        {"http://h/%E3%81%82%20.zip", "%L %K", "batch", "http://h/%E3%81%82%20.zip %E3%81%82%20.zip"},
    }};
    platform.environment = {"USERNAME"};
    platform.AddFile("D:\\T\\dl.bat", "");
    for (const auto& [target, commandTemplate, batch, expected] : cases) {
        Target(target);
        platform.launches.clear();
        std::string line = Build(commandTemplate, "C:");
        if (*batch != '\0') RunProgram(platform, "D:\\T\\dl.bat", line);
        if (*batch != '\0') line = platform.launches.empty() ? CANCEL_MARKER : platform.launches[0].parameters;
        EXPECT_EQ(Args(line), Args(expected)) << commandTemplate;
    }
    EXPECT_EQ(platform.messages.size(), 2u);
    Target("http://h/a.zip");
    EXPECT_EQ(Args(Build("-P \"%-P\" \"%P\" %L", "C:")), Args("-P \"C:\\\\\" \"C:\\\\\" http://h/a.zip"));
    platform.fileNameAnswers = {Accept("a&b", ".zip")};
    EXPECT_EQ(Args(Build("%$K")), Args("\"a&b.zip\""));
}

// A value lands whole in its token's argument, wherever it stands and whatever it holds; a batch
// file gets the same arguments through cmd.exe, or is not started when cmd.exe would change them.
TEST_F(CommandTemplateTest, EveryValueLandsWholeInItsOwnArgument) {
    const std::pair<const char*, bool> values[] = {  // the folder, and whether a batch file gets it
        {"C:\\a(1),b;c=d", true}, {"C:\\Tom&Jerry", true}, {"x^y|z<w>v", true}, {"C:\\my dl", true}, {"", true},
        {"C:\\my dl\\", true}, {"C:\\dl\\\\", true}, {"a\\\"b \\\"", false}, {"%PROMPT%", false}, {"%CD%", false},
        {"%cd:~0,1%", false}, {"%E3%81%82%", true}, {"a\nb", false},
    };
    const std::pair<const char*, const char*> templates[] = {  // template, text before the value
        {"%-P %L", ""}, {"C:\\dl\\%-P %L", "C:\\dl\\"}, {"\"%-P\" %L", ""}, {"-o%-P %L", "-o"},
    };
    Target("http://h/a&b(1).zip?x=1");
    platform.AddFile("D:\\T\\dl.bat", "");
    for (const auto& [value, batchGetsIt] : values) {
        for (const auto& [commandTemplate, before] : templates) {
            SCOPED_TRACE(std::string(value) + " in " + commandTemplate);
            const std::vector<std::string> expected{before + std::string(value), run.targets.firstTarget};
            const std::string line = Build(commandTemplate, value);
            EXPECT_EQ(Args(line), expected);
            platform.launches.clear();
            RunProgram(platform, "D:\\T\\dl.bat", line);
            EXPECT_EQ(platform.launches.empty() ? std::vector<std::string>{} : Args(platform.launches[0].parameters),
                      batchGetsIt ? expected : std::vector<std::string>{});
        }
    }
    RunProgram(platform, "D:\\T\\dl.bat", "C:\\a&b");  // a line with a command character outside quotes
    EXPECT_EQ(platform.messages.back().text, TEXT_NOT_PASSABLE_TO_CMD);
}

}  // namespace
}  // namespace korvo
