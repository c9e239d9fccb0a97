#include <gtest/gtest.h>

#include "actions/download.h"
#include "base/texts.h"
#include "fake_platform.h"

namespace korvo {
namespace {

using testing::FakePlatform;
using testing::UrlScript;

constexpr char FOLDER[] = "C:\\Down";
constexpr char DESTINATION[] = "C:\\Down\\file.zip";
constexpr char OLD_CONTENT[] = "the file that was there before";

class DownloadTest : public ::testing::Test {
protected:
    DownloadTest() {
        platform.AddFolder(FOLDER);
        run.url.fileName = "file.zip";
        run.url.fileNameFromUrl = 1;
        run.timeoutSeconds = 30;
    }
    std::shared_ptr<UrlScript> Serve(std::vector<std::string> blocks, long long length = -1,
                                     int status = 200) {
        auto script = std::make_shared<UrlScript>();
        script->blocks = std::move(blocks);
        script->contentLength = length;
        script->statusCode = status;
        platform.urlScripts.push_back(script);
        return script;
    }
    int Download() { return DownloadUrl(platform, run, "http://host/file.zip", FOLDER); }

    FakePlatform platform;
    RunState run;
};

TEST_F(DownloadTest, BodyArrivesWholeUnderTheDerivedName) {
    Serve({std::string(1024, 'a'), std::string(1024, 'b'), "tail"}, 2052);
    EXPECT_EQ(Download(), 1);
    EXPECT_EQ(platform.FileContent(DESTINATION), std::string(1024, 'a') + std::string(1024, 'b') + "tail");
    EXPECT_EQ(platform.FilesIn(FOLDER), std::vector<std::string>{DESTINATION});
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(platform.internetAgent, "download");
    EXPECT_EQ(platform.closeOrder, (std::vector<std::string>{"url", "internet", "file"}));
}

TEST_F(DownloadTest, EmptyBodyGivesAnEmptyFile) {
    Serve({}, 0);
    EXPECT_EQ(Download(), 1);
    EXPECT_TRUE(platform.HasFile(DESTINATION));
    EXPECT_EQ(platform.FileContent(DESTINATION), "");
}

TEST_F(DownloadTest, CompleteBodyReplacesAnExistingFile) {
    platform.AddFile(DESTINATION, OLD_CONTENT);
    Serve({"new"});
    EXPECT_EQ(Download(), 1);
    EXPECT_EQ(platform.FileContent(DESTINATION), "new");
}

struct FailureCase {
    const char* name;
    std::function<void(FakePlatform&, RunState&)> arrange;
    const char* text;
    const char* caption;
};

// Every failure leaves the folder as it was: the old file untouched, no temporary file behind.
TEST(DownloadFailures, EveryFailureIsReportedAndLeavesTheFolderAsItWas) {
    auto serve = [](UrlScript script) {
        return [script](FakePlatform& p, RunState&) {
            p.urlScripts.push_back(std::make_shared<UrlScript>(script));
        };
    };
    const FailureCase cases[] = {
        {"Internet session cannot be opened", [](FakePlatform& p, RunState&) { p.internetOpenFails = true; },
         TEXT_DOWNLOAD_FAILED, TEXT_INIT_ERROR_CAPTION},
        {"URL cannot be opened", [](FakePlatform&, RunState&) {}, TEXT_DOWNLOAD_FAILED,
         TEXT_OPEN_ERROR_CAPTION},
        {"server error status", serve({404, -1, {"<h1>Not Found</h1>"}, false, 0}),
         TEXT_DOWNLOAD_FAILED, TEXT_OPEN_ERROR_CAPTION},
        {"server fault status", serve({500, 10, {"oops"}, false, 0}), TEXT_DOWNLOAD_FAILED,
         TEXT_OPEN_ERROR_CAPTION},
        {"read fails mid-body", serve({200, -1, {"part"}, true, 0}), TEXT_DOWNLOAD_FAILED,
         TEXT_READ_ERROR_CAPTION},
        {"connection dropped before the announced length",
         serve({200, 100000, {std::string(1000, 'x')}, false, 0}), TEXT_DOWNLOAD_FAILED,
         TEXT_READ_ERROR_CAPTION},
        {"temporary file cannot be created",
         [](FakePlatform& p, RunState&) { p.temporaryFileFails = true; }, TEXT_DOWNLOAD_FAILED,
         TEXT_WRITE_ERROR_CAPTION},
        {"disk full", [](FakePlatform& p, RunState&) {
             p.writeFails = true;
             p.urlScripts.push_back(std::make_shared<UrlScript>(UrlScript{200, -1, {"data"}, false, 0}));
         },
         TEXT_DOWNLOAD_FAILED, TEXT_WRITE_ERROR_CAPTION},
        // The whole body was written, but its last part never reached the disk: still no file.
        {"disk full when the file is closed", [](FakePlatform& p, RunState&) {
             p.closeFails = true;
             p.urlScripts.push_back(std::make_shared<UrlScript>(UrlScript{200, 4, {"data"}, false, 0}));
         },
         TEXT_DOWNLOAD_FAILED, TEXT_WRITE_ERROR_CAPTION},
        {"blocks keep arriving past the time-out",
         [](FakePlatform& p, RunState& r) {
             r.timeoutSeconds = 2;
             p.urlScripts.push_back(std::make_shared<UrlScript>(
                 UrlScript{200, -1, std::vector<std::string>(10, "x"), false, 1}));
         },
         TEXT_TIMEOUT, TEXT_TIMEOUT_CAPTION},
        {"the server stalls past the deadline",
         [](FakePlatform& p, RunState&) {
             p.deadlineExpires = true;
             p.urlScripts.push_back(std::make_shared<UrlScript>(UrlScript{200, -1, {"x"}, false, 0}));
         },
         TEXT_TIMEOUT, TEXT_TIMEOUT_CAPTION},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakePlatform platform;
        RunState run;
        run.url.fileName = "file.zip";
        platform.AddFolder(FOLDER);
        platform.AddFile(DESTINATION, OLD_CONTENT);
        c.arrange(platform, run);

        EXPECT_EQ(DownloadUrl(platform, run, "http://host/file.zip", FOLDER), 0);
        ASSERT_EQ(platform.messages.size(), 1u);
        EXPECT_EQ(platform.messages[0].text, c.text);
        EXPECT_EQ(platform.messages[0].caption, c.caption);
        EXPECT_EQ(platform.FileContent(DESTINATION), OLD_CONTENT);
        EXPECT_EQ(platform.FilesIn(FOLDER), std::vector<std::string>{DESTINATION});
    }
}

TEST_F(DownloadTest, TooLongDestinationIsAWriteErrorNotAnOverrun) {
    run.url.fileName = std::string(255, 'n') + ".zip";
    Serve({"data"});
    EXPECT_EQ(Download(), 0);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].caption, TEXT_WRITE_ERROR_CAPTION);
}

TEST_F(DownloadTest, FolderWithTrailingBackslashIsUsedAsIs) {
    Serve({"data"});
    EXPECT_EQ(DownloadUrl(platform, run, "http://host/file.zip", "C:\\Down\\"), 1);
    EXPECT_EQ(platform.FileContent(DESTINATION), "data");
}

TEST_F(DownloadTest, TimeoutStopsAtTheFirstBlockOnceASecondPastTheLimitIsCounted) {
    run.timeoutSeconds = 2;
    // Each read takes one second on the fake clock: reads at t = 1, 2, 3 give elapsed 1, 2, 3.
    auto script = Serve(std::vector<std::string>(10, "x"));
    script->secondsPerBlock = 1;
    EXPECT_EQ(Download(), 0);
    EXPECT_EQ(platform.openedUrls.size(), 1u);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].caption, TEXT_TIMEOUT_CAPTION);
}

TEST_F(DownloadTest, DeadlineIsOneSecondPastTheTimeoutAndNoneForANegativeTimeout) {
    const std::pair<std::uint32_t, std::uint32_t> cases[] = {
        {2, 3}, {30, 31}, {0x7FFFFFFFu, 0x80000000u}, {0xFFFFFFFFu, 0xFFFFFFFFu}, {0x80000000u, 0xFFFFFFFFu}};
    for (const auto& [timeout, recorded] : cases) {
        SCOPED_TRACE(timeout);
        platform.deadlines.clear();
        run.timeoutSeconds = timeout;
        Serve({"x"});
        Download();
        ASSERT_EQ(platform.deadlines.size(), 1u);
        EXPECT_EQ(platform.deadlines[0], recorded);
    }
}

TEST(TimeoutArithmetic, ElapsedSecondsAreComparedUnsigned) {
    struct Case {
        std::uint64_t start, now;
        std::uint32_t timeout;
        bool exceeded;
    };
    const Case cases[] = {
        {100, 100, 0, false},       {100, 101, 0, true},
        {100, 102, 2, false},       {100, 103, 2, true},
        {100, 130, 30, false},      {100, 131, 30, true},
        {0, 5000000000ull, 0xFFFFFFFFu, false},  // -1: never
        {100, 99, 30, true},        // a clock that went back reads as a huge elapsed time
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TimeoutExceeded(c.start, c.now, c.timeout), c.exceeded)
            << c.start << " " << c.now << " " << c.timeout;
    }
    EXPECT_FALSE(IsUnlimitedTimeout(30));
    EXPECT_FALSE(IsUnlimitedTimeout(999999));
    EXPECT_TRUE(IsUnlimitedTimeout(0xFFFFFFFFu));  // "@timeout=-1"
    EXPECT_TRUE(IsUnlimitedTimeout(static_cast<std::uint32_t>(-999999)));
}

}  // namespace
}  // namespace korvo
