#include <gtest/gtest.h>

#include "actions/download.h"

#include <tuple>

#include "actions/download_name.h"
#include "actions/download_progress.h"
#include "base/text.h"
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
    EXPECT_EQ(platform.closeOrder, (std::vector<std::string>{"file", "url", "internet"}));
}

TEST_F(DownloadTest, AFileTheMarkRemovedIsSaid) {
    platform.markResult = MarkResult::Removed;  // a virus scan
    Serve({"data"});
    EXPECT_EQ(Download(), 0);
    EXPECT_EQ(platform.messages.at(0).text, TEXT_REMOVED_BY_SECURITY);
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
        {"lowest error status", serve({400, -1, {"bad request"}, false, 0}), TEXT_DOWNLOAD_FAILED,
         TEXT_OPEN_ERROR_CAPTION},
        {"FTP transfer cut before the size the server reported",
         serve({0, 5000, {std::string(2000, 'f')}, false, 0}), TEXT_DOWNLOAD_FAILED,
         TEXT_READ_ERROR_CAPTION},
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
        {"close fails after good writes", [](FakePlatform& p, RunState&) {
             p.closeFails = true;
             p.urlScripts.push_back(std::make_shared<UrlScript>(UrlScript{200, 4, {"data"}, false, 0}));
         },
         TEXT_DOWNLOAD_FAILED, TEXT_WRITE_ERROR_CAPTION},
        {"the complete file cannot take the final name", [](FakePlatform& p, RunState&) {
             p.replaceFails = true;
             p.urlScripts.push_back(std::make_shared<UrlScript>(UrlScript{200, 4, {"data"}, false, 0}));
         },
         TEXT_DOWNLOAD_FAILED, TEXT_WRITE_ERROR_CAPTION},
        {"the worker thread cannot be started", [](FakePlatform& p, RunState&) {
             p.threadStartFails = true;
             p.urlScripts.push_back(std::make_shared<UrlScript>(UrlScript{200, 4, {"data"}, false, 0}));
         },
         TEXT_DOWNLOAD_FAILED, TEXT_INIT_ERROR_CAPTION},
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
        // The worker itself stops reading a second past the time-out, whatever the wait reports.
        EXPECT_LE(platform.now, 1000u + run.timeoutSeconds + 1);
    }
}

TEST_F(DownloadTest, TooLongDestinationIsAWriteErrorNotAnOverrun) {
    run.url.fileName = std::string(255, 'n') + ".zip";
    Serve({"data"});
    EXPECT_EQ(Download(), 0);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].caption, TEXT_WRITE_ERROR_CAPTION);
}

// The destination may use every one of its 259 characters, and the temporary file fits wherever
// the final file fits: its name is never longer than the room the folder leaves.
TEST_F(DownloadTest, DestinationFitsUpTo259CharactersWhateverTheFolderDepth) {
    struct Case {
        std::size_t folderChars;  // with its backslash
        std::size_t nameChars;
        int result;
        const char* folderLetter = "f";  // "表" takes three bytes and one UTF-16 unit
    };
    const Case cases[] = {
        {250, 9, 1}, {248, 11, 1}, {253, 6, 1}, {257, 2, 1}, {200, 58, 1}, {200, 59, 1},
        {200, 60, 0}, {250, 10, 0}, {200, 59, 1, "表"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.folderChars) + " + " + std::to_string(c.nameChars) + c.folderLetter);
        FakePlatform fresh;
        const std::string folder = "C:\\" + testing::Repeat(c.folderLetter, c.folderChars - 4);
        fresh.AddFolder(folder);
        RunState deep = run;
        deep.url.fileName = std::string(c.nameChars - 2, 'n') + ".z";
        fresh.urlScripts.push_back(std::make_shared<UrlScript>(UrlScript{200, 4, {"data"}, false, 0}));
        EXPECT_EQ(DownloadUrl(fresh, deep, "http://host/x", folder), c.result);
        const std::string destination = folder + "\\" + deep.url.fileName;
        EXPECT_EQ(fresh.HasFile(destination), c.result == 1);
        EXPECT_EQ(fresh.FilesIn(folder).size(), c.result == 1 ? 1u : 0u);
        for (const auto& created : fresh.createdFiles) EXPECT_LE(PathLength(created), 259u);
    }
}

TEST_F(DownloadTest, TemporaryNamesInUseAreSkipped) {
    // Named from the clock's last four hex digits (5000000 ms is 0x4C4B40), one more each attempt.
    for (const char* taken : {"C:\\Down\\kv4b40.tmp", "C:\\Down\\kv4b41.tmp", "C:\\Down\\kv4b42.tmp"}) {
        platform.AddFile(taken, "someone else's");
    }
    Serve({"data"});
    EXPECT_EQ(Download(), 1);
    EXPECT_EQ(platform.createdFiles, std::vector<std::string>{"C:\\Down\\kv4b43.tmp"});
    EXPECT_EQ(platform.FileContent(DESTINATION), "data");
    EXPECT_EQ(platform.FilesIn(FOLDER).size(), 4u);  // the three others untouched, and ours
}

TEST(TemporaryName, FitsTheRoomLeftAndDiffersByAttempt) {
    EXPECT_EQ(TemporaryFileName(259, 0x1a2b), "kv1a2b.tmp");
    EXPECT_EQ(TemporaryFileName(10, 0xffff), "kvffff.tmp");
    EXPECT_EQ(TemporaryFileName(9, 0x1a2b), "1a2b");
    EXPECT_EQ(TemporaryFileName(2, 0x1a2b), "2b");
    EXPECT_EQ(TemporaryFileName(1, 0x1a2b), "b");
    EXPECT_EQ(TemporaryFileName(0, 0x1a2b), "");
    EXPECT_EQ(NumberedFileName(std::string(255, 'n'), 2, 300), std::string(251, 'n') + " (2)");  // a name's 255
    EXPECT_NE(TemporaryFileName(1, 7), TemporaryFileName(1, 8));
}

// The worker may outlive the Platform (abandoned after a time-out or a cancel): it reads only the
// clock the job owns.
TEST_F(DownloadTest, TheWorkerNeverCallsThePlatform) {
    Serve({"a", "b", "c"});
    EXPECT_EQ(Download(), 1);
    EXPECT_EQ(platform.clockReadsByWork, 0);
}

// --- The server's name, when the URL has none ------------------------------------------------

struct ServerNameCase {
    const char* name;
    std::string contentDisposition;
    std::string finalUrl;
    std::string saved;
    std::vector<std::string> existing = {};  // files of the folder, which must stay as they were
};

TEST(DownloadServerName, UsedOnlyWhenTheUrlHasNoNameAndMadeSafe) {
    const ServerNameCase cases[] = {
        {"plain", "attachment; filename=\"report.pdf\"", "", "report.pdf"},
        {"plain, unquoted", "attachment;filename=data.csv", "", "data.csv"},
        {"UTF-8 form", "attachment; filename*=UTF-8''%E6%97%A5%E6%9C%AC.txt", "", "日本.txt"},
        {"UTF-8 form wins over the plain one",
         "attachment; filename=\"fallback.txt\"; filename*=utf-8''real%20name.txt", "", "real name.txt"},
        {"any character, as sent", "inline; filename*=UTF-8''Caf%C3%A9%20%E2%80%93%20%F0%9F%98%80.pdf", "",
         "Café – 😀.pdf"},
        {"bytes that are not UTF-8 fall back to the plain form",
         "attachment; filename*=UTF-8''caf%E9.txt; filename=\"plain.txt\"", "", "plain.txt"},
        {"a plain name as the library decoded it", "attachment; filename=\"表.txt\"", "", "表.txt"},
        {"a broken escape falls back to the plain form",
         "attachment; filename*=UTF-8''bad%G1.txt; filename=\"good.txt\"", "", "good.txt"},
        {"ISO-8859-1 form", "attachment; filename*=iso-8859-1'en'caf%E9.txt", "", "café.txt"},
        {"path parts are dropped", "attachment; filename=\"..\\..\\evil.txt\"", "", "evil.txt"},
        {"slashes too", "attachment; filename=\"../../etc/evil.txt\"", "", "evil.txt"},
        {"a name of dots is refused", "attachment; filename=\"..\"", "", "index.html"},
        {"an empty name is refused", "attachment; filename=\"\"", "", "index.html"},
        {"a refused name is not replaced by the URL's", "attachment; filename=\"...\"",
         "http://host/named.zip", "index.html"},
        {"device names", "attachment; filename=\"con .txt\"", "", "_con .txt"},
        {"forbidden characters", "attachment; filename=\"a:b*c?.txt\"", "", "a_b_c_.txt"},
        {"a semicolon inside quotes", "attachment; filename=\"a;b.txt\"", "", "a;b.txt"},
        {"an escaped quote does not end the name", "attachment; filename=\"say \\\"hi\\\".txt\"", "",
         "say _hi_.txt"},
        {"an unknown charset falls back to the plain name",
         "attachment; filename*=koi8-r''%C1.txt; filename=\"plain.txt\"", "", "plain.txt"},
        {"no file name in the header: the redirect target", "inline", "http://host/dl/named.tar.gz?x=1",
         "named.tar.gz"},
        {"a final URL without an extension", "", "http://host/download", "index.html"},
        {"nothing from the server", "", "", "index.html"},
        {"nor does the fallback replace a file", "", "", "index (2).html", {"index.html"}},
        {"an empty extended name gives way to the plain one",
         "attachment; filename=\"report.pdf\"; filename*=UTF-8''", "", "report.pdf", {"index.html"}},
        {"dots", "attachment; filename=a.pdf; filename*=UTF-8''...", "", "a.pdf"},
        {"a blank", "attachment; filename=a.pdf; filename*=UTF-8'en'%20", "", "a.pdf"},
        {"a folder", "attachment; filename=a.pdf; filename*=UTF-8''a%2F", "", "a.pdf"},
        {"a right-to-left override", "attachment; filename*=UTF-8''report%E2%80%AEfdp.exe", "", "report_fdp.exe"},
        {"ISO-8859-1 is read as windows-1252", "attachment; filename*=ISO-8859-1''Report%20%96%20Q3%81.pdf", "",
         "Report – Q3_.pdf"},
        {"an escaped quote before a semicolon", "attachment; filename=\"a\\\";b.txt\"", "", "a_;b.txt"},
        {"an escape at the very end", "attachment; filename*=UTF-8''a.tx%74", "", "a.txt"},
        {"a second .htaccess", "attachment; filename=.htaccess", "", ".htaccess (2)", {".htaccess"}},
        {"a name too long for the folder keeps its type", "attachment; filename=\"" + std::string(250, 'x') + ".txt\"",
         "", std::string(247, 'x') + ".txt"},
        {"the first file name counts", "attachment; filename=\"a.pdf\"; filename=\"b.exe\"", "", "a.pdf"},
        {"a lone quote is no name", "attachment; filename=\"", "", "index.html"},
        {"blanks without a closing quote", "attachment; filename=\"" + std::string(300, ' '), "", "index.html"},
        {"lower-case escapes", "attachment; filename*=UTF-8''%e6%97%a5.txt", "", "日.txt"},
        {"trailing dots and blanks go", "attachment; filename=\"notes.txt. .\"", "", "notes.txt"},
        // The server chose the name, the user never saw it: it replaces nothing.
        {"beside a file of that name", "attachment; filename=\"report.pdf\"", "", "report (2).pdf", {"report.pdf"}},
        {"the first free number", "inline; filename=report.pdf", "", "report (3).pdf", {"report.pdf", "Report (2).PDF"}},
        {"a redirect's name", "", "http://host/thesis.docx", "thesis (2).docx", {"thesis.docx"}},
        {"what Windows keeps is checked", "inline; filename=\"evil.exe.\"", "", "evil (2).exe", {"evil.exe"}},
        // The name itself fills the path to 259 characters; numbered, its stem gives way.
        {"numbered within the path limit", "inline; filename=" + std::string(247, 'x') + ".txt", "",
         std::string(243, 'x') + " (2).txt", {std::string(247, 'x') + ".txt"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakePlatform platform;
        platform.AddFolder(FOLDER);
        RunState run;  // fileName "index.html", fileNameFromUrl 0: the URL had no name
        auto script = std::make_shared<UrlScript>(UrlScript{200, 4, {"data"}, false, 0});
        script->contentDisposition = c.contentDisposition;
        script->finalUrl = c.finalUrl;
        platform.urlScripts.push_back(script);
        for (const auto& name : c.existing) platform.AddFile(std::string(FOLDER) + "\\" + name, OLD_CONTENT);
        EXPECT_EQ(DownloadUrl(platform, run, "http://host/dl/", FOLDER), 1);
        EXPECT_EQ(platform.FileContent(std::string(FOLDER) + "\\" + c.saved), "data");
        EXPECT_EQ(platform.FilesIn(FOLDER).size(), c.existing.size() + 1);
        for (const auto& name : c.existing) EXPECT_EQ(platform.FileContent(std::string(FOLDER) + "\\" + name), OLD_CONTENT);
    }
}

TEST_F(DownloadTest, TheUrlsOwnNameStandsWhateverTheServerSays) {
    auto script = Serve({"data"}, 4);
    script->contentDisposition = "attachment; filename=\"other.bin\"";
    script->finalUrl = "http://host/else.iso";
    EXPECT_EQ(Download(), 1);
    EXPECT_EQ(platform.FilesIn(FOLDER), std::vector<std::string>{DESTINATION});
}

// --- Progress window and Cancel ------------------------------------------------------------------

TEST_F(DownloadTest, ADownloadEndingWithinASecondShowsNoWindow) {
    platform.watchTicks = 9;
    platform.watchStepMs = 100;  // the last look comes at 900 ms
    Serve({"data"}, 4);
    EXPECT_EQ(Download(), 1);
    EXPECT_TRUE(platform.progressViews.empty());
    EXPECT_EQ(platform.progressCloses, 0);
}

TEST_F(DownloadTest, ALongDownloadShowsItsProgressAfterOneSecond) {
    run.menuAnchor = {300, 200};
    platform.watchTicks = 12;
    platform.watchStepMs = 100;
    Serve({std::string(1024, 'a'), std::string(1024, 'b')}, 4096);
    EXPECT_EQ(Download(), 0);  // the body ended short: the window closes before the message
    ASSERT_EQ(platform.progressViews.size(), 3u);  // at 1000, 1100 and 1200 ms
    const ProgressView& view = platform.progressViews[0];
    EXPECT_EQ(view.caption, "50% – file.zip");
    EXPECT_EQ(view.fileName, "file.zip");
    EXPECT_EQ(view.folder, "C:\\Down\\");
    EXPECT_EQ(view.percent, 50);
    EXPECT_EQ(view.status, "2.0 KB / 4.0 KB (2.0 KB" + std::string(TEXT_PER_SECOND) + ")");
    EXPECT_EQ(view.anchor.x, 300);
    EXPECT_EQ(view.anchor.y, 200);
    EXPECT_EQ(view.cancelLabel, TEXT_CANCEL);
    EXPECT_EQ(platform.progressCloses, 1);
    ASSERT_EQ(platform.messages.size(), 1u);
}

// The title says what and how far; the percent fills the bar and the taskbar button, which the
// window's closing clears: mid-way, with no size known, and at the end.
TEST_F(DownloadTest, TheTitleAndTheTaskbarButtonSayHowFar) {
    platform.watchTicks = 10;
    platform.watchStepMs = 100;
    const std::tuple<long long, const char*, int> rows[] = {
        {8, "50% – file.zip", 50}, {-1, "file.zip", -1}, {4, "100% – file.zip", 100}};
    for (const auto& [length, title, percent] : rows) {
        Serve({"data"}, length);
        const std::size_t views = platform.progressViews.size();
        Download();
        ASSERT_EQ(platform.progressViews.size(), views + 1);
        EXPECT_EQ(platform.progressViews.back().caption, title);
        EXPECT_EQ(platform.progressViews.back().percent, percent);
    }
    EXPECT_EQ(platform.progressCloses, 3);
}

TEST_F(DownloadTest, TheWindowNamesTheFileByTheServersName) {
    run.url.fileName = "index.html";
    run.url.fileNameFromUrl = 0;
    platform.watchTicks = 10;
    platform.watchStepMs = 100;
    auto script = Serve({"data"}, 4);
    script->contentDisposition = "attachment; filename=\"big   .iso\"";
    platform.AddFile("C:\\Down\\big   .iso", OLD_CONTENT);
    EXPECT_EQ(Download(), 1);
    ASSERT_EQ(platform.progressViews.size(), 1u);
    EXPECT_EQ(platform.progressViews[0].fileName, "big (2).iso");  // blanks never hide the type
    EXPECT_EQ(platform.FileContent("C:\\Down\\big    (2).iso"), "data");
}

TEST_F(DownloadTest, CancelLeavesNothingAndSaysNothing) {
    platform.AddFile(DESTINATION, OLD_CONTENT);
    platform.watchTicks = 20;
    platform.watchStepMs = 100;
    platform.cancelOnShow = true;
    Serve({"new data"}, 8);
    EXPECT_EQ(Download(), 0);
    EXPECT_EQ(platform.progressViews.size(), 1u);
    EXPECT_EQ(platform.progressCloses, 1);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(platform.FileContent(DESTINATION), OLD_CONTENT);
    EXPECT_EQ(platform.FilesIn(FOLDER), std::vector<std::string>{DESTINATION});
}

TEST(DownloadProgressText, SizesRatesAndPercent) {
    EXPECT_EQ(FormatSize(0), "0 " + std::string(TEXT_BYTES));
    EXPECT_EQ(FormatSize(1023), "1023 " + std::string(TEXT_BYTES));
    EXPECT_EQ(FormatSize(1024), "1.0 KB");
    EXPECT_EQ(FormatSize(1024 * 1024), "1.0 MB");
    EXPECT_EQ(FormatSize(1ull << 30), "1.00 GB");
    EXPECT_EQ(FormatSize(5 * 1024 * 1024), "5.0 MB");
    EXPECT_EQ(FormatSize(3ull << 30), "3.00 GB");
    EXPECT_EQ(ProgressStatus(2048, -1, 2000), "2.0 KB (1.0 KB" + std::string(TEXT_PER_SECOND) + ")");
    EXPECT_EQ(ProgressStatus(0, 100, 0), "0 " + std::string(TEXT_BYTES) + " / 100 " + TEXT_BYTES);
    const std::tuple<unsigned long long, long long, int> percents[] = {
        {0, -1, -1}, {5, -1, -1}, {0, 0, 100}, {0, 10, 0}, {5, 10, 50}, {10, 10, 100}, {20, 10, 100},
        {1ull << 40, 1ll << 41, 50}};
    for (const auto& [received, announced, percent] : percents) {
        EXPECT_EQ(ProgressPercent(received, announced), percent) << received << "/" << announced;
    }
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
    EXPECT_EQ(platform.now, 1003u);  // the third read was the last
    EXPECT_EQ(platform.openedUrls.size(), 1u);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].caption, TEXT_TIMEOUT_CAPTION);
}

// The opening of the URL and the body each have the time-out plus one second, counted
// separately: the body's from the moment the URL had been opened; a negative time-out never ends.
TEST_F(DownloadTest, TheOpeningAndTheBodyEachHaveTheirOwnLimit) {
    // The time-out, the opening's milliseconds, blocks of one second each, the closing's
    // milliseconds after the last read, the result.
    const std::tuple<std::uint32_t, std::uint64_t, std::size_t, std::uint64_t, int> cases[] = {
        {3, 2500, 2, 0, 1},  // slow to answer, then a body of 2 s: within both limits
        {3, 3900, 2, 0, 1},
        {3, 4000, 0, 0, 0},  // the opening alone runs out
        {2, 0, 4, 0, 0},     // the body runs out
        {3, 0, 2, 1500, 1},  // complete at 3.0 s: a slow goodbye past the limit keeps the file
        {0xFFFFFFFFu, 5000000000000, 5, 0, 1},  // longer than 2^32 seconds
        {0x7FFFFFFFu, 86400000, 5, 0, 1},
    };
    for (const auto& [timeout, openMs, blocks, closeMs, result] : cases) {
        SCOPED_TRACE(std::to_string(timeout) + " " + std::to_string(openMs));
        FakePlatform fresh;
        fresh.AddFolder(FOLDER);
        run.timeoutSeconds = timeout;
        auto script = std::make_shared<UrlScript>();
        script->blocks.assign(blocks, "x");
        script->secondsPerBlock = 1;
        script->openMs = openMs;
        script->closeMs = closeMs;
        fresh.urlScripts.push_back(script);
        EXPECT_EQ(DownloadUrl(fresh, run, "http://host/file.zip", FOLDER), result);
        EXPECT_EQ(fresh.HasFile(DESTINATION), result == 1);
        if (result == 0) { EXPECT_EQ(fresh.messages.at(0).caption, TEXT_TIMEOUT_CAPTION); }
        EXPECT_LE(fresh.now, 1000 + std::uint64_t{timeout} + 1);  // no read after the time-out
    }
}

// Reads grow fast on a fast link and stay small enough on a slow one to come back in a quarter
// of a second.
TEST(ReadPace, TwiceTheLastReadAtMostAndNoMoreThanItsRateBringsIn) {
    const std::tuple<std::size_t, std::uint64_t, std::size_t> cases[] = {
        {8192, 0, 16384},       {8192, 1, 16384},   {200000, 0, 262144}, {262144, 1, 262144},
        {4096, 200, 5120},      {2000, 100, 4000},  {400, 2000, 50},     {10, 1000, 2},
        {0, 0, 1},              {0, 500, 1},
    };
    for (const auto& [received, tookMs, next] : cases) {
        EXPECT_EQ(NextReadSize(received, tookMs, 262144), next) << received << " in " << tookMs << " ms";
    }
}

// On a fast link a read asks for more than has arrived, up to the whole buffer.
TEST_F(DownloadTest, ReadsGrowPastWhatHasArrivedOnAFastLink) {
    auto script = Serve(std::vector<std::string>(8, std::string(READ_BLOCK_SIZE, 'r')));
    script->available = 8192;
    EXPECT_EQ(Download(), 1);
    EXPECT_EQ(script->asked.front(), 8192u);
    EXPECT_EQ(script->asked.back(), READ_BLOCK_SIZE);
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
