#include <gtest/gtest.h>

#include "base/texts.h"
#include "fake_platform.h"
#include "app/dispatch.h"

namespace korvo {
namespace {

using testing::FakePlatform;

class MenuDisplayTest : public ::testing::Test {
protected:
    MenuDisplayTest() {
        run.baseName = "Korvo";
        run.configPath = "C:\\Korvo\\Korvo.ini";
        run.helpFilePath = "C:\\Korvo\\Korvo.txt";
        run.screenWidth = 1024;
        run.maximizedHeight = 740;
        run.menuMode = MENU_MODE_ACTIVE;
        run.selectedProgram = -1;
        run.folders = {{FolderKind::Folder, 0, "C:\\Down", "Down"},
                       {FolderKind::Separator, 0, "", ""},
                       {FolderKind::Folder, 0, "C:\\My Music", "Music"}};
        platform.AddFolder("C:\\Down");
        platform.AddFolder("C:\\My Music");
    }
    FakePlatform platform;
    RunState run;
};

struct PlacementCase {
    const char* name;
    int mode;
    std::optional<Rect> previous;
    Point expected;
    MenuAlignment alignment;
};

TEST_F(MenuDisplayTest, PlacesTheMenuAsItsModeSays) {
    const PlacementCase cases[] = {
        {"active window centre", MENU_MODE_ACTIVE, Rect{100, 50, 301, 251}, {200, 150}, {true, true}},
        {"no previous window", MENU_MODE_ACTIVE, std::nullopt, {512, 370}, {true, true}},
        {"previous window without width", MENU_MODE_ACTIVE, Rect{5, 5, 5, 90}, {512, 370}, {true, true}},
        {"explicit point", MENU_MODE_POINT, std::nullopt, {-7, 9000}, {false, false}},
        {"mouse", MENU_MODE_MOUSE, std::nullopt, {10, 20}, {false, false}},
        {"mouse, centred vertically", MENU_MODE_MOUSE_VCENTER, std::nullopt, {10, 20}, {false, true}},
        {"screen centre", MENU_MODE_CENTER, Rect{0, 0, 10, 10}, {512, 370}, {true, true}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        run.menuMode = c.mode;
        run.menuX = -7;
        run.menuY = 9000;
        platform.previousWindowRect = c.previous;
        ShowDestinationMenu(platform, run, true);
        EXPECT_EQ(platform.trackedAt.x, c.expected.x);
        EXPECT_EQ(platform.trackedAt.y, c.expected.y);
        EXPECT_EQ(platform.trackedAlignment.centerHorizontally, c.alignment.centerHorizontally);
        EXPECT_EQ(platform.trackedAlignment.centerVertically, c.alignment.centerVertically);
        EXPECT_EQ(run.menuAnchor.x, c.expected.x);
        EXPECT_EQ(run.menuAnchor.y, c.expected.y);
    }
}

TEST_F(MenuDisplayTest, MenuIsOpenOnlyWhileTrackedAndEveryMenuIsDestroyed) {
    bool openWhileTracked = false;
    platform.onTrack = [&](MenuHandle menu) {
        openWhileTracked = run.menuOpen;
        // Open the target's tool submenu, as a user browsing the menu would.
        (void)menu;
    };
    run.targets = {1, "http://host/a.zip"};
    ShowDestinationMenu(platform, run, false);
    EXPECT_TRUE(openWhileTracked);
    EXPECT_FALSE(run.menuOpen);
    EXPECT_EQ(platform.LiveMenuCount(), 0);
}

TEST_F(MenuDisplayTest, ChosenFolderIsDownloadedIntoAndDismissalDoesNothing) {
    run.targets = {1, "http://host/a.zip"};
    run.url.fileName = "a.zip";
    run.url.fileNameFromUrl = 1;

    platform.trackAnswer = 0;
    ShowDestinationMenu(platform, run, false);
    EXPECT_TRUE(platform.openedUrls.empty());

    // The first entry too: its id is the base id itself.
    for (auto [id, folder] : {std::pair{IDM_FOLDER_BASE, "C:\\Down"},
                              std::pair{IDM_FOLDER_BASE + 2, "C:\\My Music"}}) {
        platform.urlScripts.push_back(std::make_shared<testing::UrlScript>(
            testing::UrlScript{200, 5, {"hello"}, false, 0}));
        platform.trackAnswer = id;
        ShowDestinationMenu(platform, run, false);
        EXPECT_EQ(platform.FileContent(std::string(folder) + "\\a.zip"), "hello") << folder;
    }
    EXPECT_EQ(platform.openedUrls.size(), 2u);
}

TEST_F(MenuDisplayTest, IdsThatAreNoFolderEntryDoNothing) {
    for (int id : {IDM_FOLDER_BASE + 1 /* separator mark */, IDM_FOLDER_BASE + 3, IDM_TARGET,
                   IDM_SEPARATOR, IDM_FOLDER_BASE + 499, 1999, 99999}) {
        platform.trackAnswer = id;
        ShowDestinationMenu(platform, run, false);
    }
    EXPECT_TRUE(platform.openedUrls.empty());
    EXPECT_TRUE(platform.launches.empty());
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(MenuDisplayTest, FolderChosenWithControlHeldIsNotUsed) {
    platform.controlHeld = true;
    platform.trackAnswer = IDM_FOLDER_BASE;
    ShowDestinationMenu(platform, run, false);
    EXPECT_TRUE(platform.openedUrls.empty());
}

TEST_F(MenuDisplayTest, FolderChosenWithControlHeldGoesWhereTheBrowserSays) {
    platform.AddFolder("C:\\Picked");
    platform.urlScripts.push_back(std::make_shared<testing::UrlScript>(
        testing::UrlScript{200, 5, {"hello"}, false, 0}));
    run.targets = {1, "http://host/a.zip"};
    run.url.fileName = "a.zip";
    run.programFolder = "C:\\Korvo\\";
    platform.controlHeld = true;
    platform.browseAnswer = "C:\\Picked";
    platform.trackAnswer = IDM_FOLDER_BASE + 2;
    ShowDestinationMenu(platform, run, false);
    ASSERT_EQ(platform.browses.size(), 1u);
    EXPECT_EQ(platform.browses[0].start, "C:\\Korvo");  // not the entry that was clicked
    EXPECT_EQ(platform.FileContent("C:\\Picked\\a.zip"), "hello");
    EXPECT_TRUE(platform.FilesIn("C:\\My Music").empty());
}

TEST_F(MenuDisplayTest, ToolItemsOpenTheirFilesQuotedThroughTheShell) {
    run.configPath = "C:\\Program Files\\Korvo\\Korvo.ini";
    platform.trackAnswer = IDM_EDIT_CONFIG;
    ShowDestinationMenu(platform, run, true);
    platform.trackAnswer = IDM_HELP;
    ShowDestinationMenu(platform, run, true);
    ASSERT_EQ(platform.launches.size(), 2u);
    EXPECT_EQ(platform.launches[0].file, "\"C:\\Program Files\\Korvo\\Korvo.ini\"");
    EXPECT_EQ(platform.launches[1].file, "C:\\Korvo\\Korvo.txt");
}

TEST_F(MenuDisplayTest, ToolItemsUseTheEditorInItsOwnFolder) {
    run.editorPath = "D:\\Tools\\edit.exe";
    platform.AddFile(run.editorPath, "");
    platform.trackAnswer = IDM_EDIT_CONFIG;
    ShowDestinationMenu(platform, run, true);
    ASSERT_EQ(platform.launches.size(), 1u);
    EXPECT_EQ(platform.launches[0].file, "D:\\Tools\\edit.exe");
    EXPECT_EQ(platform.launches[0].parameters, "C:\\Korvo\\Korvo.ini");
    EXPECT_EQ(platform.launches[0].workingFolder, "D:\\Tools\\");
}

TEST_F(MenuDisplayTest, VersionItemShowsTheProgramAndItsVersion) {
    platform.trackAnswer = IDM_VERSION;
    ShowDestinationMenu(platform, run, true);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].caption, TEXT_VERSION_CAPTION);
    EXPECT_NE(platform.messages[0].text.find("Korvo"), std::string::npos);
    EXPECT_NE(platform.messages[0].text.find("1.2.3"), std::string::npos);
    EXPECT_EQ(platform.messages[0].icon, BoxIcon::Information);
}

}  // namespace
}  // namespace korvo
