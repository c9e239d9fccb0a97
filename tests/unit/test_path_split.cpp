#include <gtest/gtest.h>

#include <string>

#include "base/text.h"
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

    std::string pair = "/" + std::string(258, 'a') + "\xF0\x9F\x98\x80";  // two units straddle the 260th
    EXPECT_EQ(SplitPath(pair).name, std::string(255, 'a'));

    std::string folders;
    while (PathLength(folders) < 400) folders += "\\\xF0\x9F\x98\x80";
    parts = SplitPath(folders);
    EXPECT_LE(PathLength(parts.folder), 255u);
    EXPECT_EQ(PathLength(parts.folder) % 3, 0u);  // whole "\😀" groups only
}

TEST(PathSplitTest, ANulEndsThePath) {
    PathParts parts = SplitPath(std::string("/a/b.c\0/d.e", 11));
    EXPECT_EQ(parts.folder, "/a/");
    EXPECT_EQ(parts.name, "b");
    EXPECT_EQ(parts.extension, ".c");
}

}  // namespace
}  // namespace korvo
