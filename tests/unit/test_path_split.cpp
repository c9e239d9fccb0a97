#include <gtest/gtest.h>

#include <string>

#include "url/path_split.h"

namespace korvo {
namespace {

struct SplitCase {
    std::string path;
    std::string drive, folder, name, extension;
};

const std::string HYOU = "\x95\x5C";  // 表, trail byte 0x5C

TEST(PathSplitTest, SplitsIntoDriveFolderNameExtension) {
    const SplitCase cases[] = {
        {"D:\\Tools\\dl\\getter.exe", "D:", "\\Tools\\dl\\", "getter", ".exe"},
        {"/pub/archive.tar.gz", "", "/pub/", "archive.tar", ".gz"},
        {"/pub/", "", "/pub/", "", ""},
        {"/pub/readme", "", "/pub/", "readme", ""},
        {"D:\\Down\\Music", "D:", "\\Down\\", "Music", ""},
        {"D:\\Down\\Music\\", "D:", "\\Down\\Music\\", "", ""},
        {"D:\\My.Files\\Sub", "D:", "\\My.Files\\", "Sub", ""},
        {"D:\\Down\\Music.old", "D:", "\\Down\\", "Music", ".old"},
        {"D:", "D:", "", "", ""},
        {"D:\\", "D:", "\\", "", ""},
        {"D:\\a\\..", "D:", "\\a\\..", "", ""},
        {"D:\\a\\.", "D:", "\\a\\.", "", ""},
        {"..", "", "..", "", ""},
        {"D:..", "D:", "..", "", ""},
        {"file.", "", "", "file", "."},
        {".htaccess", "", "", "", ".htaccess"},
        {"/a:b/c", "", "/a:b/", "c", ""},
        {"a*?.t?t", "", "", "a*?", ".t?t"},
        {"", "", "", "", ""},
        {"C:/mixed\\seps/x.y", "C:", "/mixed\\seps/", "x", ".y"},
    };
    for (const auto& c : cases) {
        PathParts parts = SplitPath(c.path);
        EXPECT_EQ(parts.drive, c.drive) << c.path;
        EXPECT_EQ(parts.folder, c.folder) << c.path;
        EXPECT_EQ(parts.name, c.name) << c.path;
        EXPECT_EQ(parts.extension, c.extension) << c.path;
    }
}

TEST(PathSplitTest, TrailBytesAreNeverSeparatorsOrDots) {
    const SplitCase cases[] = {
        {"C:\\" + HYOU + "\\" + HYOU + ".txt", "C:", "\\" + HYOU + "\\", HYOU, ".txt"},
        {"C:\\dir\\" + HYOU, "C:", "\\dir\\", HYOU, ""},
        {"/x/a" + HYOU + "b", "", "/x/", "a" + HYOU + "b", ""},
        // 0x82 0x2E is no valid character, but the walk still treats it as one: no dot.
        {"/x/ab\x82.", "", "/x/", "ab\x82.", ""},
    };
    for (const auto& c : cases) {
        PathParts parts = SplitPath(c.path);
        EXPECT_EQ(parts.drive, c.drive);
        EXPECT_EQ(parts.folder, c.folder);
        EXPECT_EQ(parts.name, c.name);
        EXPECT_EQ(parts.extension, c.extension);
    }
}

TEST(PathSplitTest, LongPathsAreCutWithoutSplittingCharacters) {
    // Only the first 260 bytes count; each part holds at most 255.
    std::string longName = std::string(300, 'n') + ".ext";
    PathParts parts = SplitPath("/" + longName);
    EXPECT_EQ(parts.folder, "/");
    EXPECT_EQ(parts.name, std::string(255, 'n'));
    EXPECT_EQ(parts.extension, "");

    std::string dbcs = "/" + std::string(258, 'a') + HYOU;  // 表 straddles byte 260
    EXPECT_EQ(SplitPath(dbcs).name, std::string(255, 'a'));

    std::string folders;
    while (folders.size() < 400) folders += "\\" + HYOU;
    parts = SplitPath(folders);
    EXPECT_LE(parts.folder.size(), 255u);
    EXPECT_EQ(parts.folder.size() % 3, 0u);  // whole "\表" units only
}

TEST(PathSplitTest, ANulEndsThePath) {
    PathParts parts = SplitPath(std::string("/a/b.c\0/d.e", 11));
    EXPECT_EQ(parts.folder, "/a/");
    EXPECT_EQ(parts.name, "b");
    EXPECT_EQ(parts.extension, ".c");
}

}  // namespace
}  // namespace korvo
