#include <gtest/gtest.h>

#include <array>
#include <string>

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
        return BuildCommandLine(platform, run, commandTemplate, folder);
    }

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
        {"no tokens, 100% sure %X %", "no tokens, 100% sure %X %"},
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(Build(c.commandTemplate), c.expected) << c.commandTemplate;
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
    for (const Case& c : cases) EXPECT_EQ(Build("%P|%-P|%D|%-D|%F", c.folder), c.expected) << c.folder;
}

TEST_F(CommandTemplateTest, DroppingTheBackslashLooksAtTheLineBuiltSoFar) {
    // An empty "%D" text leaves the backslash written before the token as the end of the line.
    EXPECT_EQ(Build("x\\%-D", "Down"), "x");
    EXPECT_EQ(Build("x\\\\%-D|", "Down"), "x\\|");
    EXPECT_EQ(Build("%-D\\", "D:\\Down\\Music"), "D:\\Down\\");
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
        {"http://h/a b.zip", "http|h|||/a b.zip|/|a b.zip|\"http://h/a b.zip\"|\"http://h/a b.zip\""},
    };
    for (const Case& c : cases) {
        Target(c.target);
        EXPECT_EQ(Build("%S|%G|%H|%I|%J|%-J|%K|%L|%-L"), c.expected) << c.target;
    }
    // The folder is never quoted, even with a space in it.
    EXPECT_EQ(Build("%P|%-P", "D:\\My Down"), "D:\\My Down\\|D:\\My Down");
}

// A value is put in where its token stands and never read again for tokens: percent escapes
// whose first digit is D or F, common in non-ASCII URLs, reach the program unchanged.
TEST_F(CommandTemplateTest, InsertedValuesAreNeverScannedForTokens) {
    Target("http://h/%D0%F0%d1/%Fa%-D%$K.zip?q=%P#%L");
    EXPECT_EQ(Build("%L %J %K"),
              "\"http://h/%D0%F0%d1/%Fa%-D%$K.zip?q=%P#%L\" /%D0%F0%d1/%Fa%-D%$K.zip %Fa%-D%$K.zip");
    EXPECT_EQ(Build("%-L"), "\"http://h/%D0%F0%d1/%Fa%-D%$K.zip?q=%P\"");
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
    EXPECT_EQ(Build("%G|%J|%K %L %L"), "h|/r.pdf|r.pdf \"" + url + "\" \"" + url + "\"");
}

// Each URL reaches the program as one argument, even through cmd.exe, which reads these
// characters as syntax outside quotes; a closing quote never follows a lone backslash.
TEST_F(CommandTemplateTest, UrlTextIsQuotedWhereCmdWouldReadIt) {
    for (char c : std::string(" &|<>^(),;=")) {
        Target(std::string("http://h/a") + c + "b");
        EXPECT_EQ(Build("%L"), std::string("\"http://h/a") + c + "b\"") << c;
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
    for (const auto& [target, commandTemplate, batch, expected] : cases) {
        Target(target);
        EXPECT_EQ(BuildCommandLine(platform, run, commandTemplate, "C:", *batch != '\0'), expected) << commandTemplate;
    }
    EXPECT_EQ(platform.messages.size(), 2u);
    Target("http://h/a.zip");
    EXPECT_EQ(Build("-P \"%-P\" \"%P\" %L", "C:"), "-P \"C:\\\\\" \"C:\\\\\" http://h/a.zip");
    platform.fileNameAnswers = {Accept("a&b", ".zip")};
    EXPECT_EQ(BuildCommandLine(platform, run, "%$K", "C:", true), "\"a&b.zip\"");
}

}  // namespace
}  // namespace korvo
