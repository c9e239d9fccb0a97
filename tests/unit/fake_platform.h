// An in-memory Platform for the core's unit tests: files and folders with Windows path rules
// (case-insensitive, '\\' and '/' alike, a trailing backslash ignored), an in-memory menu tree,
// recorded message boxes and launches, and scripted URL readers.
#pragma once

#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "state/run_state.h"

namespace korvo::testing {

// `text` `times` over: names and lines of a given length in any script.
inline std::string Repeat(const std::string& text, std::size_t times) {
    std::string repeated;
    while (times-- > 0) repeated += text;
    return repeated;
}

// A run as start-up leaves it for `program` in C:\Korvo\ on a 1920x1080 screen (1040 pixels
// without the taskbar), before the command line and the configuration are read.
RunState StartedRun(const std::string& program = "Korvo.exe", int mouseButtonCount = 3);

// `bytes` converted between two encodings by the C library; nullopt when they do not convert.
std::optional<std::string> Recode(const std::string& bytes, const char* from, const char* to);

struct FakeMenuItem {
    int id = 0;
    std::string text;
    bool separator = false;
    bool newColumn = false;
    MenuHandle submenu = 0;
};

struct FakeMenu {
    bool popup = false;
    bool destroyed = false;
    std::vector<FakeMenuItem> items;
};

struct ShownMessage {
    std::string text;
    std::string caption;
    BoxIcon icon = BoxIcon::None;
};

// What the file-name box was shown with.
struct FileNameRequest {
    Point topLeft;
    std::string name;
    std::string extension;
};

struct BrowseRequest {
    std::string start;
    std::string title;
};

struct ShellLaunch {
    std::string file;
    std::string parameters;
    std::string workingFolder;
    std::string via = "shell";  // or "process", "batch"
};

// What one OpenUrl answers. A null script makes OpenUrl fail.
struct UrlScript {
    int statusCode = 200;
    long long contentLength = -1;
    std::vector<std::string> blocks;  // handed out in order, each cut to the read size asked for
    bool failAfterBlocks = false;     // the read after the last block fails
    int secondsPerBlock = 0;          // the fake clock advances this much on every read
    std::uint64_t openMs = 0;         // and this much while the URL is being opened
    std::string contentDisposition = {};  // the header, when the server sends one
    std::string finalUrl = {};            // the URL after redirects; empty: the URL opened
    std::uint64_t closeMs = 0;            // the fake clock advances this much as the URL closes
    std::size_t available = 0;            // what WaitForData reports; 0: the next block's size
    std::vector<std::size_t> asked = {};  // the size of every read, as asked
};

class FakePlatform : public Platform {
public:
    // --- Set-up helpers ---
    void AddFolder(const std::string& path);
    void AddFile(const std::string& path, const std::string& content);
    bool HasFile(const std::string& path) const;
    std::string FileContent(const std::string& path) const;
    std::vector<std::string> FilesIn(const std::string& folder) const;  // full paths

    // --- File system ---
    bool PathFileExists(const std::string& path) override;
    bool PathIsDirectory(const std::string& path) override;
    std::optional<std::string> ReadWholeFile(const std::string& path, OpenMode mode) override;
    bool ReplaceFile(const std::string& from, const std::string& to) override;
    bool MoveToNewFile(const std::string& from, const std::string& to) override;
    bool RemoveFile(const std::string& path) override;

    // --- Clock and threads ---
    std::uint64_t NowSeconds() override {
        clockReadsByWork += inWork;
        return now;
    }

    // --- Network ---
    std::unique_ptr<InternetSession> OpenInternet(const std::string& agent) override;

    // --- User interface ---
    void ShowMessage(const std::string& text, const std::string& caption, BoxIcon icon) override;
    std::string ProgramVersion() override { return "1.2.3"; }
    bool ControlKeyHeld() override { return controlHeld; }
    Point CursorPosition() override { return cursor; }
    std::optional<Rect> PreviousWindowRect() override { return previousWindowRect; }
    std::string CompactPath(const std::string& path, int pixels) override;

    // --- Menus ---
    MenuHandle CreatePopupMenu() override;
    MenuHandle CreateMenu() override;
    void AppendMenuString(MenuHandle menu, int id, const std::string& text, bool newColumn) override;
    void AppendMenuSeparator(MenuHandle menu, int id) override;
    void AttachSubmenu(MenuHandle menu, int id, MenuHandle submenu) override;
    int MenuItemCount(MenuHandle menu) override;
    void DeleteMenuItemAt(MenuHandle menu, int position) override;
    MenuHandle SubmenuAt(MenuHandle menu, int position) override;
    int MenuItemIdAt(MenuHandle menu, int position) override;
    void DestroyMenu(MenuHandle menu) override;
    int TrackMenu(MenuHandle menu, Point at, MenuAlignment alignment) override;

    // --- Programs and shell ---
    ProcessStart StartProcess(const std::string& program, const std::string& parameters,
                              const std::string& workingFolder, bool batchFile) override;
    bool EnvironmentVariableDefined(const std::string& name) override { return environment.count(name) > 0; }
    void ShellExecute(const std::string& file, const std::string& parameters,
                      const std::string& workingFolder) override;

    // --- Settings: special folders, path look-ups, today's date ---
    std::optional<std::string> SpecialFolderPath(int csidl) override;
    std::optional<std::string> FullPathName(const std::string& path) override;
    std::optional<std::string> SearchPathIn(const std::string& folders,
                                            const std::string& name) override;
    std::optional<std::string> SearchSystemPath(const std::string& name) override;
    LocalDate Today() override { return today; }

    // Relative names are taken from `currentFolder`; the system's search order is the program's
    // folder (C:\Korvo), the current folder, then `systemFolders`. Special folders missing from
    // the map are ones the shell cannot give.
    std::string currentFolder = "C:\\Work";
    std::string systemFolders = "C:\\Windows\\system32;C:\\Windows;C:\\Bin";
    std::map<int, std::string> specialFolders = {
        {0, "C:\\Users\\Tester\\Desktop"},        {5, "C:\\Users\\Tester\\Documents"},
        {16, "C:\\Users\\Tester\\Desktop"},       {36, "C:\\Windows"},
        {37, "C:\\Windows\\system32"},              {38, "C:\\Program Files"},
        {46, "C:\\Users\\Public\\Documents"},
    };
    LocalDate today{2008, 7, 1};
    int specialFolderLookups = 0;

    // --- File-name box ---
    FileNameAnswer AskFileName(Point topLeft, const std::string& name,
                               const std::string& extension) override;

    // --- Clipboard and folder browser ---
    std::optional<std::string> ReadClipboardText() override;
    std::string BrowseForFolder(const std::string& start, const std::string& title) override;

    // --- Download: files, worker, clock, progress window ---
    // Refuses a path of more than 259 characters, as the file system does.
    std::unique_ptr<OutputFile> CreateNewFile(const std::string& path) override;
    std::uint64_t NowMilliseconds() override {
        clockReadsByWork += inWork;
        return nowMs;
    }
    std::function<std::uint64_t()> WorkerClock() override {
        return [this] { return nowMs; };
    }
    // Runs the work, the watcher looking each time the work moves the clock; then calls `watch`
    // `watchTicks` times, advancing the clock by `watchStepMs` before each, as the real wait does
    // while the worker runs. The first answer other than GoOn ends the wait.
    WaitResult RunWatched(std::function<void()> work, std::function<WatchAnswer()> watch) override;
    // The work's clock moved by `ms`: the watcher, on the other thread, may look.
    void WorkTakes(std::uint64_t ms);
    bool ShowProgress(const ProgressView& view) override;
    void CloseProgress() override { ++progressCloses; }
    MarkResult MarkAsDownloaded(const std::string& path, const std::string&) override {
        if (markResult == MarkResult::Removed) RemoveFile(path);  // as a virus scan would
        return markResult;
    }
    void ReturnForeground() override {}
    // As Windows decodes it (MultiByteToWideChar with MB_ERR_INVALID_CHARS).
    std::optional<std::string> CodePage932ToUtf8(const std::string& bytes) override;

    // --- Knobs and records ---
    FakeMenu& Menu(MenuHandle handle) { return menus.at(handle); }
    int LiveMenuCount() const;  // menus created and not destroyed

    std::uint64_t now = 1000;
    bool controlHeld = false;
    Point cursor{10, 20};
    std::optional<Rect> previousWindowRect;
    bool internetOpenFails = false;
    bool temporaryFileFails = false;  // CreateNewFile always fails
    bool writeFails = false;          // every Write fails (a full disk)
    bool closeFails = false;          // writes succeed, the final Close fails
    bool replaceFails = false;        // ReplaceFile fails (the destination is locked)
    bool threadStartFails = false;    // RunWatched cannot start its worker
    std::uint64_t nowMs = 5000000;
    int watchTicks = 0;
    std::uint64_t watchStepMs = 0;
    bool cancelOnShow = false;        // ShowProgress answers "cancel" (the user pressed Cancel)
    std::vector<ProgressView> progressViews;
    int progressCloses = 0;
    MarkResult markResult = MarkResult::Marked;
    std::vector<std::string> createdFiles;  // every path CreateNewFile was asked for
    bool deadlineExpires = false;     // RunWatched runs the work, then reports TimedOut
    int clockReadsByWork = 0;         // NowSeconds / NowMilliseconds called from inside the work
    bool inWork = false;
    std::deque<std::shared_ptr<UrlScript>> urlScripts;  // one per OpenUrl; empty or null: fails
    std::vector<std::string> openedUrls;
    std::string internetAgent;
    std::vector<std::string> closeOrder;  // "url", "internet", "file" as handles close

    // TrackMenu answers this id, after running `onTrack` (which may open groups, as the user would).
    int trackAnswer = 0;
    std::function<void(MenuHandle)> onTrack;
    MenuHandle trackedMenu = 0;
    Point trackedAt;
    MenuAlignment trackedAlignment;
    int trackCount = 0;

    std::vector<ShownMessage> messages;
    std::vector<ShellLaunch> launches;
    ProcessStart processStart = ProcessStart::Started;  // what StartProcess answers
    std::set<std::string> environment;                  // defined variables
    std::function<WatchAnswer()> watching;
    WatchAnswer answerDuringWork = WatchAnswer::GoOn;

    std::map<MenuHandle, FakeMenu> menus;

    // The file-name box answers these in order; once they run out it answers Cancelled, as a box
    // that could not be created does.
    std::deque<FileNameAnswer> fileNameAnswers;
    std::vector<FileNameRequest> fileNameRequests;

    std::optional<std::string> clipboardText;  // nullopt: the clipboard holds no text
    int clipboardReads = 0;
    std::string browseAnswer;  // what the folder browser answers; empty: Cancel
    std::vector<BrowseRequest> browses;

private:
    std::string Key(const std::string& path) const;
    bool InExistingFolder(const std::string& key) const;
    std::optional<std::string> FullPath(const std::string& path) const;
    std::set<std::string> folders_;
    std::map<std::string, std::string> files_;  // key -> content
    std::map<std::string, std::string> names_;  // key -> path as first written
    MenuHandle nextMenu_ = 0x100;
    friend class FakeOutputFile;
};

}  // namespace korvo::testing
