// The one seam between Korvo's portable core and the operating system.
//
// Every string that crosses it is UTF-8, as the core keeps all its text. The Win32 layer
// implements it with the real APIs, converting exactly to and from UTF-16 at the boundary (text
// that is not valid on one side is refused, never respelt); the unit tests implement it in memory.
// Nothing here may include <windows.h>.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace korvo {

// Opaque handles: the Win32 layer stores HMENU / HWND values in them, the fake platform its own ids.
using MenuHandle = std::uintptr_t;
using WindowHandle = std::uintptr_t;

struct Point {
    int x = 0;
    int y = 0;
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// How the popup menu is aligned on its anchor point.
struct MenuAlignment {
    bool centerHorizontally = false;
    bool centerVertically = false;
};

// One opened URL. Destroying it closes the URL handle.
class UrlReader {
public:
    virtual ~UrlReader() = default;
    // Waits until some of the body has arrived or it has ended; how many bytes a read can take
    // now without waiting (0 at the end, or when the library cannot tell).
    virtual std::size_t WaitForData() = 0;
    // Reads `size` bytes, fewer only at the end of the body, waiting for them as long as it takes;
    // `received` 0 with a true result means the body is complete.
    virtual bool Read(char* buffer, std::size_t size, std::size_t& received) = 0;
    // HTTP status code of the response; 0 when the protocol has none (FTP).
    virtual int StatusCode() const = 0;
    // Content-Length the server announced, or -1 when it announced none.
    virtual long long ContentLength() const = 0;

    // --- Download: what the server says about the file ---
    // The Content-Disposition header as received; empty when there is none (FTP, or not sent).
    virtual std::string ContentDisposition() const = 0;
    // The URL the body came from, after redirects.
    virtual std::string FinalUrl() const = 0;
};

// One Internet session (the handle of InternetOpen). Destroying it closes the handle; every reader
// it opened must be destroyed first.
class InternetSession {
public:
    virtual ~InternetSession() = default;
    // A server or proxy that wants a user name and password the URL does not give has the user
    // asked in the system's own box, on the thread that opens the URL.
    virtual std::unique_ptr<UrlReader> OpenUrl(const std::string& url) = 0;
    // `asking` is told true just before that box opens and false once it has closed.
    virtual void WhileAskingUser(const std::function<void(bool)>& /*asking*/) {}
};

// A file being written. Until KeepWhenClosed, the system deletes it when it is closed or when the
// process ends, however it ends. Close reports whether everything written reached the disk.
class OutputFile {
public:
    virtual ~OutputFile() = default;
    virtual bool Write(const char* data, std::size_t size) = 0;
    // From now on the file stays when it is closed; false when the system refused.
    virtual bool KeepWhenClosed() = 0;
    virtual bool Close() = 0;
};

enum class OpenMode {
    Existing,      // the file must exist
    OpenOrCreate,  // an empty file is created when it is missing
};

enum class BoxIcon { None, Information };

enum class WaitResult {
    Finished,
    TimedOut,    // the watcher said the time was up
    Cancelled,   // the watcher asked to stop
    NotStarted,  // no thread could be started; the work has not run
};

// What the watcher of a running piece of work says at each look.
enum class WatchAnswer { GoOn, Cancel, TimeUp };

// What the download's progress window shows. The core composes every text.
struct ProgressView {
    std::string caption;  // the window's title, which its taskbar button and Alt+Tab show too
    std::string fileName;
    std::string folder;  // shortened by the window to fit its width
    std::string status;  // bytes received, total and rate
    // 0..100 on the window's bar and its taskbar button, or -1 when the size is unknown (both
    // moving); the button shows nothing once the window is closed.
    int percent = -1;
    Point anchor;        // where the menu was shown; the window is kept on screen around it
    std::string cancelLabel;
};

// How marking a downloaded file with its origin ended.
enum class MarkResult {
    Marked,
    Unmarked,  // the policy keeps no origin, or the volume has no room for it (no streams)
    Removed,   // the policy or a virus scan removed the file
};

// The local calendar date, as the system clock and time zone give it.
struct LocalDate {
    int year = 0;
    int month = 0;  // 1 to 12
    int day = 0;    // 1 to 31
};

// How CreateProcess answered.
enum class ProcessStart {
    Started,
    Failed,
    NeedsElevation,  // the program asks for administrator rights, which only the shell can ask for
};

// How the user ended the file-name box: Enter, Escape, or Delete (the URL's own name).
enum class FileNameEnd { Accepted, Cancelled, UrlName };

// The box's answer; `name` and `extension` hold the edited texts only when Accepted.
struct FileNameAnswer {
    FileNameEnd end = FileNameEnd::Cancelled;
    std::string name;
    std::string extension;
};

class Platform {
public:
    virtual ~Platform() = default;

    // --- File system -------------------------------------------------------------------------
    virtual bool PathFileExists(const std::string& path) = 0;
    virtual bool PathIsDirectory(const std::string& path) = 0;
    // Reads a whole file (opened for reading, shared for reading only). nullopt when it cannot be
    // opened or read; with OpenOrCreate a missing file is created empty first.
    virtual std::optional<std::string> ReadWholeFile(const std::string& path, OpenMode mode) = 0;
    // Moves `from` over `to`, replacing an existing file of that name.
    virtual bool ReplaceFile(const std::string& from, const std::string& to) = 0;
    // Moves `from` to `to`, which must not exist: false when it does, or the move fails.
    virtual bool MoveToNewFile(const std::string& from, const std::string& to) = 0;
    virtual bool RemoveFile(const std::string& path) = 0;

    // --- Clock and threads -------------------------------------------------------------------
    // Whole seconds of a monotonic or wall clock: only differences are used.
    virtual std::uint64_t NowSeconds() = 0;

    // --- Network ----------------------------------------------------------------------------
    // InternetOpen with the agent name and the system's proxy settings; nullptr on failure.
    virtual std::unique_ptr<InternetSession> OpenInternet(const std::string& agent) = 0;

    // --- User interface ---------------------------------------------------------------------
    // A message box with an OK button, owned by the host window, after bringing it to the front.
    virtual void ShowMessage(const std::string& text, const std::string& caption,
                             BoxIcon icon = BoxIcon::None) = 0;
    // Version of the program file ("1.0.0"), from its version resource.
    virtual std::string ProgramVersion() = 0;
    virtual bool ControlKeyHeld() = 0;
    virtual Point CursorPosition() = 0;
    // Window rectangle of the window that was in the foreground at start-up, if there was one.
    virtual std::optional<Rect> PreviousWindowRect() = 0;
    // Shortens a path with ellipses to fit `pixels` in the host window's font.
    virtual std::string CompactPath(const std::string& path, int pixels) = 0;

    // --- Menus ------------------------------------------------------------------------------
    virtual MenuHandle CreatePopupMenu() = 0;
    virtual MenuHandle CreateMenu() = 0;
    virtual void AppendMenuString(MenuHandle menu, int id, const std::string& text,
                                  bool newColumn) = 0;
    virtual void AppendMenuSeparator(MenuHandle menu, int id) = 0;
    // Attaches `submenu` to the item of `menu` whose command id is `id`.
    virtual void AttachSubmenu(MenuHandle menu, int id, MenuHandle submenu) = 0;
    virtual int MenuItemCount(MenuHandle menu) = 0;
    // Deletes the item at `position`, destroying the submenu it holds.
    virtual void DeleteMenuItemAt(MenuHandle menu, int position) = 0;
    virtual MenuHandle SubmenuAt(MenuHandle menu, int position) = 0;  // 0 when none
    virtual int MenuItemIdAt(MenuHandle menu, int position) = 0;     // -1 when none
    virtual void DestroyMenu(MenuHandle menu) = 0;
    // Brings the host window to the front and tracks the menu modally; returns the chosen id or 0.
    virtual int TrackMenu(MenuHandle menu, Point at, MenuAlignment alignment) = 0;

    // --- Programs and shell -----------------------------------------------------------------
    // ShellExecute with the default verb and SW_SHOWNORMAL; empty strings are passed as none.
    virtual void ShellExecute(const std::string& file, const std::string& parameters,
                              const std::string& workingFolder) = 0;
    // CreateProcess of `program` (a full path) with the command line `"program" parameters` (no
    // blank when `parameters` is empty), in `workingFolder`, shown normally. A batch file is run
    // by the system's command interpreter as `cmd.exe /v:off /s /c ""program" parameters"`.
    virtual ProcessStart StartProcess(const std::string& program, const std::string& parameters,
                                      const std::string& workingFolder, bool batchFile) = 0;
    // Whether Korvo's environment, which a started program inherits, defines this variable.
    virtual bool EnvironmentVariableDefined(const std::string& name) = 0;

    // --- Settings: special folders, path look-ups, today's date ------------------------------
    // The path of the shell's special folder with this CSIDL number, never creating it; nullopt
    // when the shell has no such folder here.
    virtual std::optional<std::string> SpecialFolderPath(int csidl) = 0;
    // GetFullPathName: `path` made absolute against the current folder; nullopt on failure. The
    // result may be longer than the core accepts: the core decides.
    virtual std::optional<std::string> FullPathName(const std::string& path) = 0;
    // SearchPath for `name` (no default extension) in the ";"-separated `folders`; nullopt when
    // nothing is found. The result may be longer than the core accepts.
    virtual std::optional<std::string> SearchPathIn(const std::string& folders,
                                                    const std::string& name) = 0;
    // The same along the system's own search order (program folder, current folder, system
    // folders, PATH).
    virtual std::optional<std::string> SearchSystemPath(const std::string& name) = 0;
    virtual LocalDate Today() = 0;

    // --- File-name box ----------------------------------------------------------------------
    // Shows the small modal box owned by the host window, its top-left corner at `topLeft`, with
    // `name` and `extension` to edit, and waits for the key that ends it. A box that cannot be
    // shown answers Cancelled.
    virtual FileNameAnswer AskFileName(Point topLeft, const std::string& name,
                                       const std::string& extension) = 0;
    // --- Clipboard and folder browser -------------------------------------------------------
    // The clipboard's text up to its first NUL: the Unicode text when the clipboard offers it, else
    // the plain text in the system's code page. nullopt when there is no text or it is not valid
    // Unicode; the clipboard is closed again before this returns.
    virtual std::optional<std::string> ReadClipboardText() = 0;
    // The shell's folder browser, owned by the host window and titled `title`, with `start`
    // selected when it opens. The folder the user chose, or an empty string on Cancel.
    virtual std::string BrowseForFolder(const std::string& start, const std::string& title) = 0;

    // --- Download: files, worker, clock, progress window ------------------------------------
    // Creates `path`, which must not exist yet, for writing, marked to be deleted when it is
    // closed (see OutputFile). Other threads may delete the file while it is open. nullptr when it
    // exists or cannot be created.
    virtual std::unique_ptr<OutputFile> CreateNewFile(const std::string& path) = 0;
    // Milliseconds of a monotonic clock: only differences are used.
    virtual std::uint64_t NowMilliseconds() = 0;
    // The same clock as NowMilliseconds, for a worker thread. It must not refer to this Platform:
    // a worker abandoned after a time-out may still read it while the process ends.
    virtual std::function<std::uint64_t()> WorkerClock() = 0;
    // Runs `work` on a worker thread and waits for it, keeping the calling thread's messages
    // flowing and calling `watch` on it every WATCH_INTERVAL_MS or so; an answer other than GoOn
    // ends the wait (Cancelled, TimedOut) unless the work has finished by then: finished work is
    // Finished, however late the caller looks. On TimedOut and Cancelled the work may still be
    // running and must only touch state it owns.
    virtual WaitResult RunWatched(std::function<void()> work,
                                  std::function<WatchAnswer()> watch) = 0;
    // Opens the progress window, or updates it when it is open. False once the user has asked to
    // cancel (its Cancel button, Escape, or closing it).
    virtual bool ShowProgress(const ProgressView& view) = 0;
    virtual void CloseProgress() = 0;
    // Records that the file at `path` came from the Internet at `sourceUrl`, as the user's
    // attachment policy asks, for the system's later checks (the "Mark of the Web"). The policy
    // or a virus scan run now may remove the file.
    virtual MarkResult MarkAsDownloaded(const std::string& path, const std::string& sourceUrl) = 0;
    // Gives the keyboard back to the window that was in the foreground at start-up, if it still
    // exists; the host window keeps nothing the user types to.
    virtual void ReturnForeground() = 0;
    // --- Text ------------------------------------------------------------------------------
    // Decodes code page 932 (Shift-JIS) bytes to UTF-8; nullopt when they are not valid code page
    // 932, so that no byte is ever guessed at.
    virtual std::optional<std::string> CodePage932ToUtf8(const std::string& bytes) = 0;
};

constexpr int WATCH_INTERVAL_MS = 100;

}  // namespace korvo
