// Win32Platform's file, clock and code page work on a real (Wine) file system, and the argument
// text that the entry point hands to the core.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "../unit/code_page_932_extras.h"
#include "base/text.h"
#include "text_samples.h"
#include "win32/codepage.h"
#include "win32/command_line.h"
#include "win32/win32_platform.h"

namespace korvo::testing {
namespace {

using std::string;
using win32::ToNarrow;
using win32::ToWide;

// A fresh folder with a name beyond code page 932 (コルボ表ë) under the temp folder.
class PlatformFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH] = {};
        ASSERT_NE(0u, GetTempPathW(MAX_PATH, temp));
        folder = ToNarrow(temp) + "コルボ" + string(HYOU) + E_DIAERESIS + "_" +
                 std::to_string(GetCurrentProcessId()) + "\\";
        ASSERT_TRUE(CreateDirectoryW(ToWide(folder).c_str(), nullptr)) << GetLastError();
    }
    void TearDown() override {
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW(ToWide(folder + "*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                DeleteFileW((ToWide(folder) + found.cFileName).c_str());
            } while (FindNextFileW(search, &found));
            FindClose(search);
        }
        RemoveDirectoryW(ToWide(folder).c_str());
    }
    // A new file of a name no other test uses.
    std::unique_ptr<OutputFile> CreateTemporaryFile(const string& in, string& path) {
        path = in + "kv" + std::to_string(next++) + ".tmp";
        return platform.CreateNewFile(path);
    }
    void WriteFile(const string& path, const string& content) {
        string ignored;
        auto file = CreateTemporaryFile(folder, ignored);
        ASSERT_TRUE(file);
        ASSERT_TRUE(file->Write(content.data(), content.size()));
        ASSERT_TRUE(file->KeepWhenClosed());
        ASSERT_TRUE(file->Close());
        ASSERT_TRUE(platform.ReplaceFile(ignored, path));
    }

    win32::Win32Platform platform{GetModuleHandleW(nullptr)};
    string folder;  // ends with a backslash
    int next = 1;
};

TEST_F(PlatformFilesTest, FolderWithJapaneseNameIsADirectory) {
    EXPECT_TRUE(platform.PathIsDirectory(folder));
    EXPECT_TRUE(platform.PathIsDirectory(folder.substr(0, folder.size() - 1)));
    EXPECT_TRUE(platform.PathFileExists(folder));
    EXPECT_FALSE(platform.PathIsDirectory(folder + "missing"));
    EXPECT_FALSE(platform.PathFileExists(folder + "missing"));
}

TEST_F(PlatformFilesTest, TemporaryFileReplacesTheTargetWhole) {
    const string target = folder + string(SO) + ".bin";
    WriteFile(target, "old contents, longer than the new");

    string temporary;
    auto file = CreateTemporaryFile(folder, temporary);
    ASSERT_TRUE(file);
    EXPECT_EQ(0u, temporary.rfind(folder, 0)) << temporary;  // made inside the folder itself
    EXPECT_TRUE(platform.PathFileExists(temporary));
    string content;
    for (int i = 0; i < 3000; ++i) content += static_cast<char>(i % 256);  // every byte value
    ASSERT_TRUE(file->Write(content.data(), content.size()));
    ASSERT_TRUE(file->KeepWhenClosed());
    ASSERT_TRUE(file->Close());
    EXPECT_EQ(content, platform.ReadWholeFile(temporary, OpenMode::Existing));

    ASSERT_TRUE(platform.ReplaceFile(temporary, target));
    EXPECT_FALSE(platform.PathFileExists(temporary));
    EXPECT_EQ(content, platform.ReadWholeFile(target, OpenMode::Existing));
}

TEST_F(PlatformFilesTest, ANewFileNeverReplacesAnExistingOne) {
    const string path = folder + "taken.bin";
    WriteFile(path, "someone else's");
    EXPECT_FALSE(platform.CreateNewFile(path));
    WriteFile(folder + "new.bin", "ours");
    EXPECT_FALSE(platform.MoveToNewFile(folder + "new.bin", path));
    EXPECT_EQ("someone else's", platform.ReadWholeFile(path, OpenMode::Existing));
    EXPECT_TRUE(platform.MoveToNewFile(folder + "new.bin", folder + "free.bin"));
    EXPECT_EQ("ours", platform.ReadWholeFile(folder + "free.bin", OpenMode::Existing));
}

// The whole path may take all of its 259 characters, however deep the folder.
TEST_F(PlatformFilesTest, ANewFileFillsThePathTo259Characters) {
    string deep = folder;
    while (PathLength(deep) < 240) {
        deep += string(std::min<std::size_t>(240 - PathLength(deep), 60), 'd') + "\\";
        ASSERT_TRUE(CreateDirectoryW(ToWide(deep).c_str(), nullptr)) << deep.size();
    }
    const string path = deep + string(259 - PathLength(deep), 'n');
    auto file = platform.CreateNewFile(path);
    ASSERT_TRUE(file) << PathLength(path);
    ASSERT_TRUE(file->KeepWhenClosed());
    ASSERT_TRUE(file->Close());
    EXPECT_TRUE(platform.RemoveFile(path));
    for (string cut = deep; cut.size() > folder.size();) {
        cut.pop_back();
        RemoveDirectoryW(ToWide(cut).c_str());
        cut.resize(cut.rfind('\\') + 1);
    }
}

TEST_F(PlatformFilesTest, OpenTemporaryFileCanBeRemoved) {
    // A transfer stuck past its deadline still holds its file; the run must clean it up anyway.
    string temporary;
    auto file = CreateTemporaryFile(folder, temporary);
    ASSERT_TRUE(file);
    ASSERT_TRUE(file->Write("partial", 7));
    EXPECT_TRUE(platform.RemoveFile(temporary));
    file->Close();
    EXPECT_FALSE(platform.PathFileExists(temporary));
}

// Not kept, the file goes with its handle, as it goes when the process is ended from outside.
TEST_F(PlatformFilesTest, ATemporaryFileNotKeptIsGoneOnceClosed) {
    string temporary;
    auto file = CreateTemporaryFile(folder, temporary);
    ASSERT_TRUE(file && file->Write("partial", 7) && file->Close());
    EXPECT_FALSE(platform.PathFileExists(temporary));
}

TEST_F(PlatformFilesTest, TemporaryFileInMissingFolderFails) {
    string temporary;
    EXPECT_FALSE(CreateTemporaryFile(folder + "missing\\", temporary));
    EXPECT_FALSE(platform.PathFileExists(temporary));
}

TEST_F(PlatformFilesTest, ReadWholeFileOpensOrCreates) {
    const string path = folder + "Korvo.ini";
    EXPECT_FALSE(platform.ReadWholeFile(path, OpenMode::Existing));
    EXPECT_FALSE(platform.PathFileExists(path));  // Existing never creates

    EXPECT_EQ(string(), platform.ReadWholeFile(path, OpenMode::OpenOrCreate));
    EXPECT_TRUE(platform.PathFileExists(path));

    WriteFile(path, "[dir]\r\n" + string(HYOU) + "\r\n");
    EXPECT_EQ("[dir]\r\n" + string(HYOU) + "\r\n", platform.ReadWholeFile(path, OpenMode::OpenOrCreate));
}

TEST_F(PlatformFilesTest, ReplaceFileFailsWhenTheSourceIsMissing) {
    EXPECT_FALSE(platform.ReplaceFile(folder + "nothing", folder + "target"));
    EXPECT_FALSE(platform.RemoveFile(folder + "nothing"));
}

// Finished work is Finished, even when the caller was held past the deadline (a window dragged, a
// system menu open) and the watcher, looking late, says the time is up or the user cancelled.
TEST(PlatformDeadline, FinishedWorkIsSeenByTheCaller) {
    win32::Win32Platform platform{GetModuleHandleW(nullptr)};
    for (WatchAnswer late : {WatchAnswer::GoOn, WatchAnswer::TimeUp, WatchAnswer::Cancel}) {
        auto value = std::make_shared<int>(0);
        EXPECT_EQ(WaitResult::Finished, platform.RunWatched([value] { Sleep(150); *value = 42; },
                                                            [late] { Sleep(400); return late; }));
        EXPECT_EQ(42, *value);
    }
}

TEST(PlatformDeadline, StuckWorkTimesOutAndIsLeftRunning) {
    win32::Win32Platform platform{GetModuleHandleW(nullptr)};
    std::shared_ptr<void> release(CreateEventW(nullptr, TRUE, FALSE, nullptr), CloseHandle);
    auto finished = std::make_shared<LONG>(0);
    const WaitResult result = platform.RunWatched(
        [release, finished] {
            WaitForSingleObject(release.get(), 30000);
            InterlockedExchange(finished.get(), 1);
        },
        [start = GetTickCount64()] {
            return GetTickCount64() - start >= 1000 ? WatchAnswer::TimeUp : WatchAnswer::GoOn;
        });
    EXPECT_EQ(WaitResult::TimedOut, result);
    EXPECT_EQ(0, InterlockedCompareExchange(finished.get(), 0, 0));
    SetEvent(release.get());  // let the worker end before the process does
}

TEST(PlatformDeadline, WaitingKeepsAQuitMessageForTheMessageLoop) {
    win32::Win32Platform platform{GetModuleHandleW(nullptr)};
    PostQuitMessage(3);
    platform.RunWatched([] { Sleep(50); }, [] { return WatchAnswer::GoOn; });
    MSG message;
    ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(3u, message.wParam);
}

// Cancel ends the wait while the work is still blocked, and no later than the next look.
TEST(PlatformDeadline, AWatcherThatSaysStopEndsTheWaitAtOnce) {
    win32::Win32Platform platform{GetModuleHandleW(nullptr)};
    std::shared_ptr<void> release(CreateEventW(nullptr, TRUE, FALSE, nullptr), CloseHandle);
    int looks = 0;
    const ULONGLONG start = GetTickCount64();
    const WaitResult result = platform.RunWatched(
        [release] { WaitForSingleObject(release.get(), 30000); },
        [&looks] { return ++looks < 3 ? WatchAnswer::GoOn : WatchAnswer::Cancel; });
    const ULONGLONG waited = GetTickCount64() - start;
    EXPECT_EQ(WaitResult::Cancelled, result);
    EXPECT_EQ(3, looks);
    EXPECT_LT(waited, 5000u);
    SetEvent(release.get());
}

// UTF-8 and UTF-16 convert exactly both ways, or not at all; code page 932 only from the file.
TEST(CodePage, ConversionsAreExactOrRefused) {
    win32::Win32Platform platform{GetModuleHandleW(nullptr)};
    EXPECT_EQ(string(HYOU) + "a.txt", platform.CodePage932ToUtf8("\x95\x5C" "a.txt"));
    EXPECT_EQ("\uFF71\uFF72", platform.CodePage932ToUtf8("\xB1\xB2"));  // half-width kana
    EXPECT_EQ(std::nullopt, platform.CodePage932ToUtf8("a\x95"));         // a lead byte alone
    // As the fake platform decodes them: Windows' table maps all five, Wine 8's all but 0x80 not.
    for (const auto& [byte, text] : CODE_PAGE_932_EXTRA_BYTES) {
        const std::optional<string> decoded = platform.CodePage932ToUtf8(string(1, byte));
        EXPECT_TRUE(decoded == text || (!decoded && byte != '\x80')) << Shown(string(1, byte));
    }
    EXPECT_EQ(L"\u8868\u00EB\U0001F600", ToWide(string(HYOU) + E_DIAERESIS + EMOJI));
    EXPECT_EQ(string(HYOU) + E_DIAERESIS + EMOJI, ToNarrow(L"\u8868\u00EB\U0001F600"));
    EXPECT_EQ(std::nullopt, win32::Utf8ToWide("a\xC3"));
    EXPECT_EQ(std::nullopt, win32::WideToUtf8(L"a\xD800" L"b"));  // a lone surrogate
    EXPECT_EQ(L"", ToWide(""));
    EXPECT_EQ("", ToNarrow(L""));
}

TEST(CommandLine, ArgumentTextFollowsTheProgramNameAndItsBlanks) {
    const struct {
        const wchar_t* commandLine;
        const wchar_t* arguments;
    } cases[] = {
        {L"Korvo.exe http://x/a.zip", L"http://x/a.zip"},
        {L"\"C:\\Program Files\\Korvo.exe\"  /#c", L"/#c"},
        {L"\"C:\\Program Files\\Korvo.exe\"/#c", L"/#c"},
        {L"Z:\\tmp\\Korvo.exe", L""},
        {L"Korvo.exe \t ", L""},
        {L"\"unclosed quote /#c", L""},
        {L"Korvo.exe \"a b\" c ", L"\"a b\" c "},
        {L"", L""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(std::wstring_view(c.arguments), win32::ArgumentText(c.commandLine))
            << "command line: " << ToNarrow(c.commandLine);
    }
}

}  // namespace
}  // namespace korvo::testing
