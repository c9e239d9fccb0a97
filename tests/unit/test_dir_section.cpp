#include <gtest/gtest.h>

#include <string>

#include "config/loader.h"
#include "fake_platform.h"

namespace korvo {
namespace {

using testing::FakePlatform;

class DirSectionTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform.AddFolder("C:\\Korvo\\");
        for (const char* folder : {"C:\\Dl\\A", "C:\\Dl\\B", "C:\\Dl\\C", "C:\\Dl\\Music.old",
                                   "C:\\Dl\\.hidden", "E:\\", "C:\\Dl\\表", "C:\\Dl\\ア", "C:\\Dl\\é"}) {
            platform.AddFolder(folder);
        }
        run = testing::StartedRun();
    }

    // One letter per entry (F folder, + separator, - column, { header, } end) and its level.
    std::string Shape(const std::string& dir) {
        platform.AddFile("C:\\Korvo\\Korvo.ini", "[dir]\n" + dir);
        run.folders.clear();
        EXPECT_EQ(LoadConfiguration(platform, run), 1);
        std::string shape;
        for (const auto& entry : run.folders) {
            switch (entry.kind) {
                case FolderKind::Folder: shape += 'F'; break;
                case FolderKind::Separator: shape += '+'; break;
                case FolderKind::Column: shape += '-'; break;
                case FolderKind::GroupHeader: shape += '{'; break;
                case FolderKind::GroupEnd: shape += '}'; break;
            }
            shape += std::to_string(entry.level);
        }
        return shape;
    }

    FakePlatform platform;
    RunState run;
};

struct ShapeCase {
    const char* name;
    std::string dir;
    std::string shape;
};

TEST_F(DirSectionTest, MarksAndLevels) {
    const ShapeCase cases[] = {
        {"folders", "C:\\Dl\\A\nC:\\Dl\\B\n", "F0F0"},
        {"marks after a folder", "C:\\Dl\\A\n+\n-\nC:\\Dl\\B\n", "F0+0-0F0"},
        {"marks at the top", "-\n+\nC:\\Dl\\A\n", "F0"},
        {"two columns in a row", "C:\\Dl\\A\n-\n-\n", "F0-0-0"},
        {"rest of a mark line", "C:\\Dl\\A\n+ anything\n", "F0+0"},
        {"group", "C:\\Dl\\A\n{Group\nC:\\Dl\\B\n}\nC:\\Dl\\C\n", "F0{0F1}1F0"},
        {"mark right after a header", "{G\n-\nC:\\Dl\\A\n}\n", "{0F1}1"},
        {"mark after a group with folders", "{G\nC:\\Dl\\A\n}\n-\n", "{0F1}1-0"},
        {"mark after an empty group", "C:\\Dl\\A\n{G\n}\n-\n", "F0{0}1"},
        {"nested", "{G\n{H\nC:\\Dl\\A\n}\n}\n", "{0{1F2}2}1"},
        {"lone brace", "{\nC:\\Dl\\A\n", "F0"},
        {"close at depth 0", "}\nC:\\Dl\\A\n", "F0"},
        {"unclosed group", "{G\nC:\\Dl\\A\n", "{0F1"},
        {"too many ends", "{G\n}\n}\n}\n", "{0}1"},
        {"dropped folder is not there", "{G\nC:\\Nowhere\n-\nC:\\Dl\\A\n", "{0F1"},
        {"comments", ";C:\\Dl\\A\n  ; x\nC:\\Dl\\B\n", "F0"},
    };
    for (const auto& c : cases) EXPECT_EQ(Shape(c.dir), c.shape) << c.name;
}

struct EntryCase {
    std::string line;
    std::string path;
    std::string label;
};

TEST_F(DirSectionTest, PathsAndLabels) {
    const EntryCase cases[] = {
        {"C:\\Dl\\A", "C:\\Dl\\A", "A"},
        {"C:\\Dl\\A\\", "C:\\Dl\\A", "A"},
        {"c:\\dl\\a | Archive & more", "c:\\dl\\a", "Archive & more"},
        {"C:\\Dl\\A | ", "C:\\Dl\\A", ""},
        {"C:\\Dl\\A |  two", "C:\\Dl\\A", " two"},
        {"C:\\Dl\\Music.old", "C:\\Dl\\Music.old", "Music"},
        {"C:\\Dl\\.hidden", "C:\\Dl\\.hidden", "C:\\Dl\\.hidden\\"},
        {"E:\\", "E:", "E:\\"},
        {"E:\\ | Drive", "E:", "Drive"},
        {"C:\\Dl\\\x95\x5C", "C:\\Dl\\表", "表"},  // code page 932: its 0x5C is no backslash
        {"{Group | x", "", "Group | x"},
    };
    for (const auto& c : cases) {
        Shape(c.line + "\n");
        ASSERT_EQ(run.folders.size(), 1u) << c.line;
        EXPECT_EQ(run.folders[0].path, c.path) << c.line;
        EXPECT_EQ(run.folders[0].label, c.label) << c.line;
    }
    EXPECT_EQ(Shape("C:\\Dl\\A  | x\n"), "");  // the blank before " | " belongs to the folder
    EXPECT_EQ(Shape("C:\\Nowhere | x\n"), "");
    // Names compare as Windows compares them: É is é, but ヂ is no other form of ア.
    EXPECT_EQ(Shape("C:\\DL\\É\nC:\\Dl\\ヂ\n"), "F0");
}

TEST_F(DirSectionTest, PlaceholdersOnlyAfterParam) {
    platform.AddFile("C:\\Korvo\\Korvo.ini", "[system]\n@param\n%d% | C:\\Dl\n%end\n[dir]\n%D%\\A | %d%\n");
    ASSERT_EQ(LoadConfiguration(platform, run), 1);
    ASSERT_EQ(run.folders.size(), 1u);
    EXPECT_EQ(run.folders[0].path, "C:\\Dl\\A");
    EXPECT_EQ(run.folders[0].label, "C:\\Dl");

    EXPECT_EQ(Shape("%d%\\A\n"), "");  // no "@param": taken literally
}

TEST_F(DirSectionTest, FiveHundredEntriesAtMost) {
    std::string dir = "{Open\n";
    for (int i = 0; i < 498; ++i) dir += "C:\\Dl\\A\n";
    dir += "-\nC:\\Dl\\B\n}\n{Late\n";
    std::string shape = Shape(dir);
    ASSERT_EQ(run.folders.size(), 500u);
    EXPECT_EQ(run.folders[499].kind, FolderKind::Column);  // the group stays open
    EXPECT_EQ(run.folders[0].kind, FolderKind::GroupHeader);
}

TEST_F(DirSectionTest, OverLongLinesAreCut) {
    std::string label(400, 'L');
    Shape("C:\\Dl\\A | " + label + "\n{" + label + "\n");
    ASSERT_EQ(run.folders.size(), 2u);
    EXPECT_EQ(run.folders[0].label.size(), 259u);
    EXPECT_EQ(run.folders[1].label.size(), 259u);

    // A folder of 263 characters is dropped, though its first 259 name an existing folder.
    const std::string parent = "C:\\Dl\\" + std::string(253, 'x');
    platform.AddFolder(parent);
    EXPECT_EQ(Shape(parent + "\\sub | Cut\n" + parent + " | Whole\n"), "F0");
    EXPECT_EQ(run.folders[0].label, "Whole");
}

}  // namespace
}  // namespace korvo
