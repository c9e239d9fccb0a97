// The real HMENU that Korvo's menu builder makes through Win32Platform, read back with
// GetMenuItemInfoW: ids, texts in code page 932, separators, column breaks and submenus.
#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "state/run_state.h"
#include "text_samples.h"
#include "menu/menu_builder.h"
#include "menu/menu_display.h"
#include "win32/codepage.h"
#include "win32/win32_platform.h"

namespace korvo::testing {
namespace {

using win32::FromHmenu;
using win32::ToHmenu;

struct Item {
    int id = 0;
    std::string text;  // code page 932
    bool separator = false;
    bool newColumn = false;
    bool hasSubmenu = false;
};

std::vector<Item> ReadMenu(HMENU menu) {
    std::vector<Item> items;
    const int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        wchar_t text[300] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STRING | MIIM_SUBMENU;
        info.dwTypeData = text;
        info.cch = static_cast<UINT>(std::size(text));
        EXPECT_TRUE(GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info));
        Item item;
        item.id = static_cast<int>(info.wID);
        item.separator = (info.fType & MFT_SEPARATOR) != 0;
        item.newColumn = (info.fType & MFT_MENUBARBREAK) != 0;
        item.hasSubmenu = info.hSubMenu != nullptr;
        if (!item.separator) item.text = win32::ToNarrow(text);
        items.push_back(item);
    }
    return items;
}

FolderEntry Folder(int level, const std::string& label) {
    return {FolderKind::Folder, level, "C:\\x\\" + label, label};
}
FolderEntry Mark(FolderKind kind, int level) { return {kind, level, "", ""}; }

class MenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        run.configPath = "C:\\tools\\Korvo.ini";
        run.targets = {1, "http://127.0.0.1/file.zip"};
        run.url.fileName = "file.zip";
        run.url.fileNameFromUrl = 1;
        run.folders = {
            Folder(0, "Alpha"),                       // 0
            Mark(FolderKind::Separator, 0),           // 1
            Folder(0, "&Beta"),                       // 2
            {FolderKind::GroupHeader, 0, "", "Group " + std::string(HYOU)},  // 3
            Folder(1, "Inner1"),                      // 4
            Mark(FolderKind::Column, 1),              // 5
            Folder(1, std::string(SO) + "Inner2"),   // 6
            Mark(FolderKind::GroupEnd, 1),            // 7
            Mark(FolderKind::Column, 0),              // 8
            Folder(0, "Gamma"),                       // 9
        };
        menu = platform.CreatePopupMenu();
        ASSERT_NE(0u, menu);
        run.shownMenu = menu;  // as while the menu is tracked
    }
    void TearDown() override {
        DestroySubmenus(platform, menu);
        platform.DestroyMenu(menu);
    }

    win32::Win32Platform platform{GetModuleHandleW(nullptr)};
    RunState run;
    MenuHandle menu = 0;
};

TEST_F(MenuTest, TopLevelHoldsFoldersMarksGroupAndTailItems) {
    FillMenuLevel(platform, run, menu, 0, 0);
    AppendTailItems(platform, run, menu, false);

    const std::vector<Item> items = ReadMenu(ToHmenu(menu));
    ASSERT_EQ(7u, items.size());
    EXPECT_EQ(2000, items[0].id);
    EXPECT_EQ("Alpha", items[0].text);
    EXPECT_TRUE(items[1].separator);
    EXPECT_EQ(2001, items[1].id);  // the separator carries its mark's index
    EXPECT_EQ(2002, items[2].id);
    EXPECT_EQ("&Beta", items[2].text);
    EXPECT_EQ(2003, items[3].id);
    EXPECT_EQ("Group " + std::string(HYOU), items[3].text);
    EXPECT_TRUE(items[3].hasSubmenu);
    EXPECT_EQ(0, GetMenuItemCount(GetSubMenu(ToHmenu(menu), 3)));  // filled only when opened
    EXPECT_EQ(2009, items[4].id);
    EXPECT_TRUE(items[4].newColumn);
    EXPECT_FALSE(items[0].newColumn || items[2].newColumn || items[3].newColumn);
    EXPECT_TRUE(items[5].separator);
    EXPECT_EQ(IDM_SEPARATOR, items[5].id);
    EXPECT_EQ(IDM_TARGET, items[6].id);
    EXPECT_EQ("file.zip", items[6].text);
    ASSERT_TRUE(items[6].hasSubmenu);

    const std::vector<Item> tools = ReadMenu(GetSubMenu(ToHmenu(menu), 6));
    ASSERT_EQ(4u, tools.size());
    EXPECT_EQ(IDM_EDIT_CONFIG, tools[0].id);
    EXPECT_EQ("Korvo.ini ( &1 )", tools[0].text);
    EXPECT_TRUE(tools[1].separator);
    EXPECT_EQ(IDM_HELP, tools[2].id);
    EXPECT_EQ("&Help", tools[2].text);
    EXPECT_EQ(IDM_VERSION, tools[3].id);
    EXPECT_EQ("&Version", tools[3].text);
}

TEST_F(MenuTest, DoubleByteLabelReachesTheMenuAsUtf16) {
    FillMenuLevel(platform, run, menu, 0, 0);
    wchar_t text[64] = {};
    GetMenuStringW(ToHmenu(menu), 2003, text, 64, MF_BYCOMMAND);
    EXPECT_STREQ(L"Group \u8868", text);
}

TEST_F(MenuTest, GroupFilledTwiceShowsItsItemsOnce) {
    FillMenuLevel(platform, run, menu, 0, 0);
    const MenuHandle group = FromHmenu(GetSubMenu(ToHmenu(menu), 3));
    ASSERT_NE(0u, group);

    for (int opening = 0; opening < 2; ++opening) {
        OnMenuPopupOpening(platform, run, group);
        const std::vector<Item> items = ReadMenu(ToHmenu(group));
        ASSERT_EQ(2u, items.size()) << "opening " << opening;
        EXPECT_EQ(2004, items[0].id);
        EXPECT_EQ("Inner1", items[0].text);
        EXPECT_FALSE(items[0].newColumn);
        EXPECT_EQ(2006, items[1].id);
        EXPECT_EQ(std::string(SO) + "Inner2", items[1].text);
        EXPECT_TRUE(items[1].newColumn);
    }
}

TEST_F(MenuTest, OpeningANonGroupItemFillsNothing) {
    FillMenuLevel(platform, run, menu, 0, 0);
    AppendTailItems(platform, run, menu, false);
    const MenuHandle tools = FromHmenu(GetSubMenu(ToHmenu(menu), 6));
    OnMenuPopupOpening(platform, run, tools);
    EXPECT_EQ(4, GetMenuItemCount(ToHmenu(tools)));
}

TEST_F(MenuTest, NoTargetMenuHoldsOnlyTheToolItems) {
    AppendTailItems(platform, run, menu, true);
    const std::vector<Item> items = ReadMenu(ToHmenu(menu));
    ASSERT_EQ(4u, items.size());
    EXPECT_EQ(IDM_EDIT_CONFIG, items[0].id);
    EXPECT_TRUE(items[1].separator);
    EXPECT_EQ(IDM_HELP, items[2].id);
    EXPECT_EQ(IDM_VERSION, items[3].id);
}

TEST_F(MenuTest, PlatformReadsItemsBackByPosition) {
    FillMenuLevel(platform, run, menu, 0, 0);
    EXPECT_EQ(5, platform.MenuItemCount(menu));
    EXPECT_EQ(2001, platform.MenuItemIdAt(menu, 1));
    EXPECT_EQ(-1, platform.MenuItemIdAt(menu, 99));
    EXPECT_NE(0u, platform.SubmenuAt(menu, 3));
    EXPECT_EQ(0u, platform.SubmenuAt(menu, 0));
    platform.DeleteMenuItemAt(menu, 0);
    EXPECT_EQ(2001, platform.MenuItemIdAt(menu, 0));
}

}  // namespace
}  // namespace korvo::testing
