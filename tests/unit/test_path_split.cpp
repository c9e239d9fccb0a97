#include <gtest/gtest.h>

#include <string>

#include "base/text.h"
#include "fake_platform.h"
#include "url/path_split.h"

namespace korvo {
namespace {

struct SplitCase {
    std::string path;
    std::string drive, folder, name, extension;
};

const std::string HYOU = "表";

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

TEST(PathSplitTest, MultiByteCharactersAreNeverSeparatorsOrDots) {
    const SplitCase cases[] = {
        {"C:\\" + HYOU + "\\" + HYOU + ".txt", "C:", "\\" + HYOU + "\\", HYOU, ".txt"},
        {"C:\\dir\\" + HYOU, "C:", "\\dir\\", HYOU, ""},
        {"/x/a" + HYOU + "b", "", "/x/", "a" + HYOU + "b", ""},
        {"/x/a\xF0\x9F\x98\x80.b", "", "/x/", "a\xF0\x9F\x98\x80", ".b"},
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

    // Two units straddle the 260th: the pair goes, the 57 characters before it stay.
    std::string pair = "/" + std::string(200, 'a') + "/" + testing::Repeat(HYOU, 57) + "\xF0\x9F\x98\x80";
    EXPECT_EQ(SplitPath(pair).name, testing::Repeat(HYOU, 57));

    std::string folders;
    while (PathLength(folders) < 400) folders += "\\\xF0\x9F\x98\x80";
    parts = SplitPath(folders);
    EXPECT_EQ(parts.folder, testing::Repeat("\\\xF0\x9F\x98\x80", 85));  // 255 units, whole "\😀" groups
}

TEST(PathSplitTest, ANulEndsThePath) {
    PathParts parts = SplitPath(std::string("/a/b.c\0/d.e", 11));
    EXPECT_EQ(parts.folder, "/a/");
    EXPECT_EQ(parts.name, "b");
    EXPECT_EQ(parts.extension, ".c");
}

}  // namespace
}  // namespace korvo
