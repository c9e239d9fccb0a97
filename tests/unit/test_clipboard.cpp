#include <gtest/gtest.h>

#include <string>

#include "app/clipboard.h"
#include "fake_platform.h"

namespace korvo {
namespace {

using testing::FakePlatform;

constexpr int BUILT_IN = -1;
constexpr int A_PROGRAM = 0;

struct ClipboardCase {
    const char* name;
    std::string text;
    int selectedProgram;
    const char* expected;  // "<none>" when no line passes
};

// A line of `bytes` filler characters, then the URL on the next line.
std::string AfterFiller(std::size_t bytes, const std::string& url) {
    return std::string(bytes, 'x') + "\r\n" + url;
}

TEST(ClipboardTest, FirstLineHoldingOnlyAUrlBecomesTheTarget) {
    const std::string url = "http://127.0.0.1/pub/file.zip";
    const ClipboardCase cases[] = {
        {"the URL on the third line", "Dear all,\r\nthe file is here:\r\n" + url + "\r\nbye", BUILT_IN, url.c_str()},
        {"blanks around it", "   " + url + "  \r\n", BUILT_IN, url.c_str()},
        {"words beside it", "get " + url + "\r\n" + url + " now\r\n", BUILT_IN, "<none>"},
        {"words beside, then alone", "see " + url + "\r\nhttp://b/2.zip", BUILT_IN, "http://b/2.zip"},
        {"ftp without a program", "ftp://h/f.bin\r\nhttp://b/2.zip", BUILT_IN, "http://b/2.zip"},
        {"ftp with a program", "ftp://h/f.bin\r\nhttp://b/2.zip", A_PROGRAM, "ftp://h/f.bin"},
        {"split over two lines", "htt\r\np://h/a.zip\r\n", BUILT_IN, "<none>"},
        {"Japanese text before", "表示\r\n" + url, BUILT_IN, url.c_str()},
        {"a URL beyond code page 932", "http://h/caf\u00E9.zip\r\n", BUILT_IN, "http://h/caf\u00E9.zip"},
        {"ending exactly at the limit", AfterFiller(5119 - 2 - url.size(), url), BUILT_IN, url.c_str()},
        {"ending at the limit, more after", AfterFiller(5117 - url.size(), url) + "\r\nx", BUILT_IN, url.c_str()},
        {"ending a byte past the limit", AfterFiller(5118 - url.size(), url) + "\r\n", BUILT_IN, "<none>"},
        {"starting past the limit", AfterFiller(5119, url), BUILT_IN, "<none>"},
        {"text over the limit", AfterFiller(6000, url), BUILT_IN, "<none>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakePlatform platform;
        RunState run;
        run.selectedProgram = c.selectedProgram;
        platform.clipboardText = c.text;
        EXPECT_EQ(ReadClipboardTargets(platform, run), 1);
        EXPECT_EQ(run.targets.targetCount ? run.targets.firstTarget : "<none>", c.expected);
    }
}

TEST(ClipboardTest, NoTextLeavesTheTargetListAlone) {
    for (const auto& text : {std::optional<std::string>(), std::optional<std::string>("")}) {
        FakePlatform platform;
        RunState run;
        run.targets = {1, "http://kept/"};
        platform.clipboardText = text;
        EXPECT_EQ(ReadClipboardTargets(platform, run), 0);
        EXPECT_EQ(run.targets.firstTarget, "http://kept/");
        EXPECT_EQ(platform.clipboardReads, 1);
    }
}

}  // namespace
}  // namespace korvo
