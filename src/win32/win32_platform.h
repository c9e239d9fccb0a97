// Korvo's Platform on the real Win32 API. It translates between the core's UTF-8 strings
// and the UTF-16 W functions; it decides nothing.
#pragma once

#include <initializer_list>
#include <string_view>

#include "win32/windows_api.h"

#include "platform/platform.h"
#include "win32/progress_window.h"

namespace korvo::win32 {

inline HMENU ToHmenu(MenuHandle menu) { return reinterpret_cast<HMENU>(menu); }
inline MenuHandle FromHmenu(HMENU menu) { return reinterpret_cast<MenuHandle>(menu); }

class Win32Platform : public Platform {
public:
    explicit Win32Platform(HINSTANCE instance) : instance_(instance) {}

    // The host window owns menus and message boxes. It is set as soon as the window exists
    // (WM_NCCREATE), before the creation handler reads the configuration and may report on it.
    void SetHostWindow(HWND window) { host_ = window; }
    HWND HostWindow() const { return host_; }
    // The window that was in the foreground while the host window was being created.
    void SetPreviousWindow(HWND window) { previous_ = window; }
    HINSTANCE Instance() const { return instance_; }

    bool PathFileExists(const std::string& path) override;
    bool PathIsDirectory(const std::string& path) override;
    std::optional<std::string> ReadWholeFile(const std::string& path, OpenMode mode) override;
    bool ReplaceFile(const std::string& from, const std::string& to) override;
    bool MoveToNewFile(const std::string& from, const std::string& to) override;
    bool RemoveFile(const std::string& path) override;

    std::uint64_t NowSeconds() override;

    std::unique_ptr<InternetSession> OpenInternet(const std::string& agent) override;

    void ShowMessage(const std::string& text, const std::string& caption,
                     BoxIcon icon) override;
    std::string ProgramVersion() override;
    bool ControlKeyHeld() override;
    Point CursorPosition() override;
    std::optional<Rect> PreviousWindowRect() override;
    std::string CompactPath(const std::string& path, int pixels) override;

    MenuHandle CreatePopupMenu() override;
    MenuHandle CreateMenu() override;
    void AppendMenuString(MenuHandle menu, int id, const std::string& text,
                          bool newColumn) override;
    void AppendMenuSeparator(MenuHandle menu, int id) override;
    void AttachSubmenu(MenuHandle menu, int id, MenuHandle submenu) override;
    int MenuItemCount(MenuHandle menu) override;
    void DeleteMenuItemAt(MenuHandle menu, int position) override;
    MenuHandle SubmenuAt(MenuHandle menu, int position) override;
    int MenuItemIdAt(MenuHandle menu, int position) override;
    void DestroyMenu(MenuHandle menu) override;
    int TrackMenu(MenuHandle menu, Point at, MenuAlignment alignment) override;

    void ShellExecute(const std::string& file, const std::string& parameters,
                      const std::string& workingFolder) override;
    ProcessStart StartProcess(const std::string& program, const std::string& parameters,
                              const std::string& workingFolder, bool batchFile) override;
    bool EnvironmentVariableDefined(const std::string& name) override;

    std::optional<std::string> SpecialFolderPath(int csidl) override;
    std::optional<std::string> FullPathName(const std::string& path) override;
    std::optional<std::string> SearchPathIn(const std::string& folders,
                                            const std::string& name) override;
    std::optional<std::string> SearchSystemPath(const std::string& name) override;
    LocalDate Today() override;

    FileNameAnswer AskFileName(Point topLeft, const std::string& name,
                               const std::string& extension) override;

    std::optional<std::string> ReadClipboardText() override;
    std::string BrowseForFolder(const std::string& start, const std::string& title) override;

    // Download: files, worker, clock, progress window.
    std::unique_ptr<OutputFile> CreateNewFile(const std::string& path) override;
    std::uint64_t NowMilliseconds() override;
    std::function<std::uint64_t()> WorkerClock() override;
    WaitResult RunWatched(std::function<void()> work, std::function<WatchAnswer()> watch) override;
    bool ShowProgress(const ProgressView& view) override;
    void CloseProgress() override;
    MarkResult MarkAsDownloaded(const std::string& path, const std::string& sourceUrl) override;
    void ReturnForeground() override;
    std::optional<std::string> CodePage932ToUtf8(const std::string& bytes) override;
    HWND ProgressWindowHandle() const { return progress_ ? progress_->Window() : nullptr; }
    // The session is ending: a transfer under way is cancelled at the watcher's next look.
    void EndSession() { sessionEnding_ = true; }

private:
    // True, after telling the user, when a text has no exact UTF-16 form.
    bool RefusedAsInexact(std::initializer_list<std::string_view> texts);

    std::unique_ptr<ProgressWindow> progress_;
    HINSTANCE instance_ = nullptr;
    HWND host_ = nullptr;
    HWND previous_ = nullptr;
    bool sessionEnding_ = false;
};

}  // namespace korvo::win32
