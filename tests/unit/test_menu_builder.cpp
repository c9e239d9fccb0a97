#include <gtest/gtest.h>

#include "fake_platform.h"
#include "menu/menu_builder.h"
#include "menu/menu_display.h"

namespace korvo {
namespace {

using testing::FakeMenu;
using testing::FakePlatform;

FolderEntry Folder(int level, const std::string& label) {
    return {FolderKind::Folder, level, "C:\\" + label, label};
}
FolderEntry Mark(FolderKind kind, int level) { return {kind, level, "", ""}; }
FolderEntry Group(int level, const std::string& label) {
    return {FolderKind::GroupHeader, level, "", label};
}

// One menu item as a short text: "2003:Music", "-2001" for a separator, "|2004:x" for a new column,
// "2002:Group>" for an item with a submenu.
std::string Describe(const testing::FakeMenuItem& item) {
    if (item.separator) return "-" + std::to_string(item.id);
    return (item.newColumn ? "|" : "") + std::to_string(item.id) + ":" + item.text +
           (item.submenu ? ">" : "");
}

std::vector<std::string> Items(FakePlatform& platform, MenuHandle menu) {
    std::vector<std::string> described;
    for (const auto& item : platform.Menu(menu).items) described.push_back(Describe(item));
    return described;
}

MenuHandle SubmenuOf(FakePlatform& platform, MenuHandle menu, int id) {
    for (const auto& item : platform.Menu(menu).items)
        if (item.id == id) return item.submenu;
    return 0;
}

class MenuBuilderTest : public ::testing::Test {
protected:
    MenuBuilderTest() {
        run.configPath = "C:\\Korvo\\Korvo.ini";
        run.targets = {1, "http://host/pub/file.zip"};
        run.url.fileName = "file.zip";
        run.url.fileNameFromUrl = 1;
    }
    std::vector<std::string> FillTop() {
        menu = platform.CreatePopupMenu();
        run.shownMenu = menu;  // as while the menu is tracked
        FillMenuLevel(platform, run, menu, 0, 0);
        return Items(platform, menu);
    }
    // Opens the group whose header has `headerIndex`, inside `parent` (the top level by default).
    std::vector<std::string> OpenGroup(int headerIndex, MenuHandle parent = 0) {
        MenuHandle submenu = SubmenuOf(platform, parent ? parent : menu, IDM_FOLDER_BASE + headerIndex);
        EXPECT_NE(submenu, 0u);
        OnMenuPopupOpening(platform, run, submenu);
        return Items(platform, submenu);
    }

    FakePlatform platform;
    RunState run;
    MenuHandle menu = 0;
};

using Strings = std::vector<std::string>;

TEST_F(MenuBuilderTest, MarksShapeTheTopLevelInTableOrder) {
    run.folders = {Folder(0, "A"), Mark(FolderKind::Separator, 0), Folder(0, "B"),
                   Mark(FolderKind::Column, 0), Folder(0, "C"), Group(0, "G"), Folder(1, "D"),
                   Mark(FolderKind::GroupEnd, 1)};
    EXPECT_EQ(FillTop(), (Strings{"2000:A", "-2001", "2002:B", "|2004:C", "2005:G>"}));
}

TEST_F(MenuBuilderTest, GroupIsFilledWhenOpenedAndOnlyOnceWhenOpenedAgain) {
    run.folders = {Group(0, "G"), Folder(1, "D"), Folder(1, "E"), Mark(FolderKind::GroupEnd, 1),
                   Folder(0, "F")};
    EXPECT_EQ(FillTop(), (Strings{"2000:G>", "2004:F"}));
    EXPECT_TRUE(platform.Menu(SubmenuOf(platform, menu, 2000)).items.empty());
    EXPECT_EQ(OpenGroup(0), (Strings{"2001:D", "2002:E"}));
    EXPECT_EQ(OpenGroup(0), (Strings{"2001:D", "2002:E"}));
}

TEST_F(MenuBuilderTest, NestedGroupShowsOnlyItsHeaderInTheOuterGroup) {
    run.folders = {Group(0, "Outer"), Folder(1, "A"), Group(1, "Inner"), Folder(2, "B"),
                   Mark(FolderKind::GroupEnd, 2), Folder(1, "C"), Mark(FolderKind::GroupEnd, 1)};
    FillTop();
    EXPECT_EQ(OpenGroup(0), (Strings{"2001:A", "2002:Inner>", "2005:C"}));
}

TEST_F(MenuBuilderTest, EmptyGroupsOpenEmpty) {
    run.folders = {Group(0, "Empty"), Mark(FolderKind::GroupEnd, 1), Group(0, "Last")};
    EXPECT_EQ(FillTop(), (Strings{"2000:Empty>", "2002:Last>"}));
    EXPECT_TRUE(OpenGroup(0).empty());
    EXPECT_TRUE(OpenGroup(2).empty());
}

TEST_F(MenuBuilderTest, UnclosedGroupTakesEveryLaterDeeperEntry) {
    run.folders = {Folder(0, "A"), Group(0, "G"), Folder(1, "B"), Folder(1, "C")};
    EXPECT_EQ(FillTop(), (Strings{"2000:A", "2001:G>"}));
    EXPECT_EQ(OpenGroup(1), (Strings{"2002:B", "2003:C"}));
}

TEST_F(MenuBuilderTest, LaterOfTwoMarksDecidesAndNamesTheSeparator) {
    run.folders = {Folder(0, "A"), Mark(FolderKind::Column, 0), Mark(FolderKind::Separator, 0),
                   Folder(0, "B")};
    EXPECT_EQ(FillTop(), (Strings{"2000:A", "-2002", "2003:B"}));
}

TEST_F(MenuBuilderTest, GroupEndDropsAPendingMark) {
    run.folders = {Group(0, "G"), Folder(1, "A"), Mark(FolderKind::Separator, 1),
                   Mark(FolderKind::GroupEnd, 1), Folder(0, "B")};
    FillTop();
    EXPECT_EQ(OpenGroup(0), (Strings{"2001:A"}));
}

TEST_F(MenuBuilderTest, MarkEndingALevelCarriesIntoTheNextFillingPass) {
    run.folders = {Group(0, "G"), Folder(1, "A"), Mark(FolderKind::GroupEnd, 1), Folder(0, "B"),
                   Mark(FolderKind::Separator, 0)};
    EXPECT_EQ(FillTop(), (Strings{"2000:G>", "2003:B"}));
    EXPECT_EQ(OpenGroup(0), (Strings{"-2004", "2001:A"}));
}

TEST_F(MenuBuilderTest, OnlyGroupHeadersFillWhenTheirSubmenuOpens) {
    run.folders = {Folder(0, "A"), Folder(0, "B")};
    FillTop();
    AppendTailItems(platform, run, menu, false);
    MenuHandle tools = SubmenuOf(platform, menu, IDM_TARGET);
    MenuHandle unattached = platform.CreateMenu();
    platform.AppendMenuString(unattached, IDM_FOLDER_BASE, "keep", false);
    for (MenuHandle submenu : {tools, unattached, menu}) OnMenuPopupOpening(platform, run, submenu);
    EXPECT_EQ(Items(platform, unattached), (Strings{"2000:keep"}));
    EXPECT_EQ(Items(platform, tools).size(), 4u);
    EXPECT_EQ(Items(platform, menu), (Strings{"2000:A", "2001:B", "-2600", "2650:file.zip>"}));
}

TEST_F(MenuBuilderTest, ReopenedGroupIsRefilledWithItsOwnEntriesOnceEach) {
    // {G holding {H holding X}, then Y: G opened, H opened inside it, G closed and opened again.
    run.folders = {Group(0, "G"), Group(1, "H"), Folder(2, "X"), Mark(FolderKind::GroupEnd, 2),
                   Folder(1, "Y"), Mark(FolderKind::GroupEnd, 1)};
    FillTop();
    EXPECT_EQ(OpenGroup(0), (Strings{"2001:H>", "2004:Y"}));
    EXPECT_EQ(OpenGroup(1, SubmenuOf(platform, menu, 2000)), (Strings{"2002:X"}));
    EXPECT_EQ(OpenGroup(0), (Strings{"2001:H>", "2004:Y"}));
    EXPECT_EQ(OpenGroup(1, SubmenuOf(platform, menu, 2000)), (Strings{"2002:X"}));
}

TEST_F(MenuBuilderTest, TailWithTargetFollowsTheFoldersAfterASeparator) {
    run.folders = {Folder(0, "A")};
    FillTop();
    AppendTailItems(platform, run, menu, false);
    EXPECT_EQ(Items(platform, menu), (Strings{"2000:A", "-2600", "2650:file.zip>"}));
    EXPECT_EQ(Items(platform, SubmenuOf(platform, menu, IDM_TARGET)),
              (Strings{"2660:Korvo.ini ( &1 )", "-2600", "2670:&Help", "2680:&Version"}));
}

TEST_F(MenuBuilderTest, TailWithTargetAndNoFoldersHasNoSeparator) {
    FillTop();
    AppendTailItems(platform, run, menu, false);
    EXPECT_EQ(Items(platform, menu), (Strings{"2650:file.zip>"}));
}

TEST_F(MenuBuilderTest, TargetWithoutFileNameShowsTheShortenedUrlWithAccessKey) {
    run.targets.firstTarget = "http://host/" + std::string(400, 'x');
    run.url.fileName = "index.html";
    run.url.fileNameFromUrl = 0;
    menu = platform.CreatePopupMenu();
    AppendTailItems(platform, run, menu, false);
    EXPECT_EQ(platform.Menu(menu).items.at(0).text, "http://host/" + std::string(22, 'x') + "... ( &0 )");
    // Shortened with its ellipsis inside a pair of units, the URL comes back whole: it is cut.
    run.targets.firstTarget = "http://host/x" + testing::Repeat("\xF0\x9F\x98\x80", 200);
    menu = platform.CreatePopupMenu();
    AppendTailItems(platform, run, menu, false);
    EXPECT_EQ(platform.Menu(menu).items.at(0).text, "http://host/x" + testing::Repeat("\xF0\x9F\x98\x80", 123) + " ( &0 )");
}

TEST_F(MenuBuilderTest, TailWithoutTargetIsTheToolItemsAlone) {
    run.folders = {Folder(0, "A")};
    run.configPath = "C:\\Korvo\\tool.ini";
    menu = platform.CreatePopupMenu();
    AppendTailItems(platform, run, menu, true);
    EXPECT_EQ(Items(platform, menu),
              (Strings{"2660:tool.ini ( &1 )", "-2600", "2670:&Help", "2680:&Version"}));
}

TEST_F(MenuBuilderTest, LabelsReachTheMenuUnchanged) {
    run.folders = {Folder(0, "Rock && Roll &Music")};
    EXPECT_EQ(FillTop(), (Strings{"2000:Rock && Roll &Music"}));
}

}  // namespace
}  // namespace korvo
