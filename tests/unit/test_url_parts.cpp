#include <gtest/gtest.h>

#include <string>

#include "url/url_parts.h"

namespace korvo {
namespace {

struct CrackCase {
    std::string url;
    std::string scheme, host, user, password, path, extra;
};

TEST(UrlPartsTest, CrackUrlSplitsLikeTheInternetLibrary) {
    const CrackCase cases[] = {
        {"http://example.com/dir/file.zip", "http", "example.com", "", "", "/dir/file.zip", ""},
        {"https://Example.COM:8443/a?b=1#f", "https", "Example.COM", "", "", "/a", "?b=1#f"},
        {"ftp://user:pw@host:21/pub/x.bin", "ftp", "host", "user", "pw", "/pub/x.bin", ""},
        {"ftp://user@host/x", "ftp", "host", "user", "", "/x", ""},
        {"ftp://a:b:c@host/x", "ftp", "host", "a:b", "c", "/x", ""},
        {"http://host", "http", "host", "", "", "", ""},
        {"http://host?q", "http", "host", "", "", "", "?q"},
        {"http://host/a#frag", "http", "host", "", "", "/a", "#frag"},
        {"http://host/a#f?q", "http", "host", "", "", "/a#f", "?q"},
        {"http://host/p/@x", "http", "host", "", "", "/p/@x", ""},
        {"http://host/a%20b.txt", "http", "host", "", "", "/a%20b.txt", ""},
        {"http:relative/path", "http", "", "", "", "relative/path", ""},
        {"http://", "http", "", "", "", "", ""},
        {"x-y.z+1://h/", "x-y.z+1", "h", "", "", "/", ""},
        {"http://ァ/x", "http", "ァ", "", "", "/x", ""},
    };
    for (const auto& c : cases) {
        UrlParts parts;
        ASSERT_TRUE(CrackUrl(c.url, parts)) << c.url;
        EXPECT_EQ(parts.scheme, c.scheme) << c.url;
        EXPECT_EQ(parts.hostName, c.host) << c.url;
        EXPECT_EQ(parts.userName, c.user) << c.url;
        EXPECT_EQ(parts.password, c.password) << c.url;
        EXPECT_EQ(parts.urlPath, c.path) << c.url;
        EXPECT_EQ(parts.extraInfo, c.extra) << c.url;
    }
}

TEST(UrlPartsTest, CrackUrlFailsWithoutSchemeOrWhenAComponentDoesNotFit) {
    const std::string failing[] = {
        "",
        "no scheme here",
        "example.com/file.zip",
        "http//host",
        "http",
        "http://host/" + std::string(259, 'p'),  // path of 260 characters
        "http://host/?" + std::string(2083, 'q'),  // extra information of 2,084 characters
        std::string(32, 's') + "://host/",
        "http://" + std::string(260, 'h') + "/",
    };
    for (const auto& url : failing) {
        UrlParts parts;
        EXPECT_FALSE(CrackUrl(url, parts)) << url.substr(0, 40);
    }
    UrlParts parts;
    EXPECT_TRUE(CrackUrl("http://host/" + std::string(258, 'p'), parts));
    EXPECT_EQ(parts.urlPath.size(), 259u);
    EXPECT_TRUE(CrackUrl(std::string(31, 's') + "://host/", parts));
    EXPECT_TRUE(CrackUrl("http://host/?" + std::string(2082, 'q'), parts));
    EXPECT_EQ(parts.extraInfo.size(), 2083u);
}

struct NameCase {
    std::string url;
    std::string fileName;
    int fromUrl;
};

TEST(UrlPartsTest, DeriveFileNameTakesTheLastSegmentWithAnExtension) {
    const NameCase cases[] = {
        {"http://a/pub/archive.tar.gz", "archive.tar.gz", 1},
        {"http://a/x.zip?session=1&n=y.exe", "x.zip", 1},
        {"http://a/report.pdf?X-Signature=" + std::string(1400, 's'), "report.pdf", 1},
        {"http://a/dir/", "index.html", 0},
        {"http://a", "index.html", 0},
        {"http://a/dir/readme", "index.html", 0},
        {"http://a/my.dir/readme", "index.html", 0},
        {"http://a/file%20name.txt", "file%20name.txt", 1},
        {"http://a/file name.txt", "file name.txt", 1},  // a space is allowed in a name
        {"http://a/.htaccess", ".htaccess", 1},
        {"HTTPS://A/UPPER.ZIP", "UPPER.ZIP", 1},
        {"ftp://u:p@a/pub/f.bin", "f.bin", 1},
        {"not a url", "index.html", 0},
        {"http://a/" + std::string(300, 'x') + ".zip", "index.html", 0},
        {"http://a/表.txt", "表.txt", 1},
        {"http://a/café.zip", "café.zip", 1},  // not decoded, not respelt
        // Windows drops trailing dots and blanks: what is left is the name, and nothing is none.
        {"http://a/notes.txt. .", "notes.txt", 1},
        {"http://a/files/...", "index.html", 0},
        {"http://a/" + std::string(254, 'x') + ".zip", std::string(251, 'x') + ".zip", 1},
    };
    for (const auto& c : cases) {
        UrlParts parts;
        EXPECT_EQ(DeriveFileName(parts, c.url), c.fromUrl) << c.url;
        EXPECT_EQ(parts.fileName, c.fileName) << c.url;
        EXPECT_EQ(parts.fileNameFromUrl, c.fromUrl) << c.url;
    }
}

TEST(UrlPartsTest, DerivedNamesAreSafeForWindows) {
    const NameCase cases[] = {
        {"http://a/b:c.txt", "b_c.txt", 1},
        {"http://a/x<y>z|w*.q", "x_y_z_w_.q", 1},
        {"http://a/q\"uote.txt", "q_uote.txt", 1},
        {"http://a/tab\x01.txt", "tab_.txt", 1},
        {"http://a/con.txt", "_con.txt", 1},
        {"http://a/NUL.tar.gz", "_NUL.tar.gz", 1},
        {"http://a/Com1.log", "_Com1.log", 1},
        {"http://a/lpt9.x", "_lpt9.x", 1},
        {"http://a/com0.x", "com0.x", 1},
        {"http://a/console.txt", "console.txt", 1},
        {"http://a/aux", "index.html", 0},
        // Windows drops blanks and dots before the extension: these still name the device.
        {"http://a/con%20.txt", "con%20.txt", 1},
        {"http://a/con .txt", "_con .txt", 1},
        {"http://a/NUL  .tar.gz", "_NUL  .tar.gz", 1},
        {"http://a/aux..txt", "_aux..txt", 1},
        {"http://a/com1 . .log", "_com1 . .log", 1},
        {"http://a/cons .txt", "cons .txt", 1},
    };
    for (const auto& c : cases) {
        UrlParts parts;
        EXPECT_EQ(DeriveFileName(parts, c.url), c.fromUrl) << c.url;
        EXPECT_EQ(parts.fileName, c.fileName) << c.url;
    }
    EXPECT_EQ(MakeSafeFileName("ポ.txt"), "ポ.txt");
    EXPECT_EQ(MakeSafeFileName("a|ポ|"), "a_ポ_");
    EXPECT_EQ(MakeSafeFileName("COM\u00B9.txt"), "_COM\u00B9.txt");  // Windows' device, not a look-alike
    EXPECT_EQ(PercentEncodeNonAscii("http://h/caf\u00E9%20x.zip?q=\u8868"), "http://h/caf%C3%A9%20x.zip?q=%E8%A1%A8");
    EXPECT_EQ(MakeSafeFileName("PRN"), "_PRN");
    EXPECT_EQ(MakeSafeFileName("aux."), "_aux");
    EXPECT_EQ(MakeSafeFileName("prn   "), "_prn");
    // Every rule holds for the name as written, after the cut to 255 characters.
    EXPECT_EQ(MakeSafeFileName(std::string(300, ' ')), "");
    EXPECT_EQ(MakeSafeFileName(std::string(260, 'a') + "  .exe"), std::string(251, 'a') + ".exe");
    EXPECT_EQ(MakeSafeFileName("a" + std::string(300, ' ') + "b"), "a");
    EXPECT_EQ(MakeSafeFileName("com1" + std::string(252, ' ') + ".txt"), "_com1" + std::string(246, ' ') + ".txt");
}

}  // namespace
}  // namespace korvo
