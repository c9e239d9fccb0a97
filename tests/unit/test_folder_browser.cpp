#include <gtest/gtest.h>

#include "actions/folder_browser.h"
#include "app/dispatch.h"
#include "base/texts.h"
#include "fake_platform.h"

namespace korvo {
namespace {

using testing::FakePlatform;

struct StartCase {
    std::string name;
    std::string programFolder;
    std::string baseFolder;
    std::string expected;
};

TEST(FolderBrowserTest, StartsAtAnExistingBaseFolderElseAtTheProgramFolder) {
    const StartCase cases[] = {
        {"no base folder", "C:\\Korvo\\", "", "C:\\Korvo"},
        {"existing base folder", "C:\\Korvo\\", "D:\\Down", "D:\\Down"},
        {"base folder gone", "C:\\Korvo\\", "D:\\Gone", "C:\\Korvo"},
        {"program on a drive root", "E:\\", "", "E:\\"},
        {"base folder a bare drive", "C:\\Korvo\\", "D:", "D:\\"},
        // Beyond code page 932, and 258 UTF-16 units in 767 bytes: kept whole.
        {"a name beyond code page 932", "C:\\Zoë" + testing::Repeat("表", 252) + "\\", "",
         "C:\\Zoë" + testing::Repeat("表", 252)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakePlatform platform;
        platform.AddFolder("D:\\Down");
        RunState run;
        run.programFolder = c.programFolder;
        run.baseFolder = c.baseFolder;
        EXPECT_EQ(BrowseStartFolder(platform, run), c.expected);
    }
}

class BrowseDispatchTest : public ::testing::Test {
protected:
    BrowseDispatchTest() {
        run.programFolder = "C:\\Korvo\\";
        run.selectedProgram = -1;
        run.targets = {1, "http://host/a.zip"};
        run.url.fileName = "a.zip";
        platform.AddFolder("C:\\Korvo");
        platform.AddFolder("C:\\Picked");
        platform.urlScripts.push_back(std::make_shared<testing::UrlScript>(
            testing::UrlScript{200, 4, {"body"}, false, 0}));
    }
    FakePlatform platform;
    RunState run;
};

TEST_F(BrowseDispatchTest, TitleNamesTheFileAndThePickedFolderReceivesIt) {
    platform.browseAnswer = "C:\\Picked";
    BrowseAndDispatch(platform, run);
    ASSERT_EQ(platform.browses.size(), 1u);
    EXPECT_EQ(platform.browses[0].start, "C:\\Korvo");
    EXPECT_EQ(platform.browses[0].title, std::string(TEXT_BROWSE_TITLE) + "a.zip");
    EXPECT_EQ(platform.FileContent("C:\\Picked\\a.zip"), "body");
}

TEST_F(BrowseDispatchTest, AnAnswerOf259CharactersIsTheFolderAProgramReceives) {
    const std::string folder = "C:\\" + std::string(256, 'f');
    platform.AddFolder(folder);
    platform.AddFile("C:\\Tools\\get.exe", "");
    run.programs = {{"C:\\Tools\\get.exe", "get", "%P"}};
    run.selectedProgram = 0;
    platform.browseAnswer = folder;
    BrowseAndDispatch(platform, run);
    EXPECT_EQ(platform.launches.at(0).parameters, folder + "\\");
}

TEST_F(BrowseDispatchTest, CancelOrAnAnswerThatIsNoFolderDoesNothing) {
    // The long one exists, but cut to a path's 259 characters it would name another folder.
    const std::string tooLong = "C:\\Picked\\" + std::string(300, 'x');
    platform.AddFolder(tooLong);
    platform.AddFolder("C:\\Picked\\" + std::string(249, 'x'));  // the answer cut to 259 characters
    for (const std::string& answer : {std::string(), std::string("C:\\Nowhere"), tooLong}) {
        platform.browseAnswer = answer;
        BrowseAndDispatch(platform, run);
    }
    EXPECT_EQ(platform.browses.size(), 3u);
    EXPECT_TRUE(platform.openedUrls.empty());
    EXPECT_TRUE(platform.FilesIn("C:\\Picked").empty());
    EXPECT_TRUE(platform.messages.empty());
}

}  // namespace
}  // namespace korvo
