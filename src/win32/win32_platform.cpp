#include "win32/win32_platform.h"

#include <limits>
#include <vector>

#include "base/texts.h"
#include "win32/clipboard.h"
#include "win32/codepage.h"
#include "win32/com_apartment.h"
#include "win32/file_name_box.h"
#include "win32/folder_browser.h"
#include "win32/path_lookup.h"
#include "win32/process_launch.h"
#include "win32/watched_wait.h"
#include "win32/web_mark.h"
#include "win32/win32_internet.h"

namespace korvo::win32 {

namespace {

// --- Files ------------------------------------------------------------------------------------

// Sets or clears the mark that has the system delete a file when its last handle closes, which
// it also does when the process is ended from outside (Task Manager, the end of the session).
bool MarkForDeletion(HANDLE file, bool remove) {
    FILE_DISPOSITION_INFO disposition{static_cast<BOOLEAN>(remove ? TRUE : FALSE)};
    return SetFileInformationByHandle(file, FileDispositionInfo, &disposition, sizeof(disposition)) != FALSE;
}

class HandleFile : public OutputFile {
public:
    // A file system that refuses the mark still takes the file: the run removes it after a
    // failure itself, as long as it lives.
    explicit HandleFile(HANDLE file) : file_(file), marked_(MarkForDeletion(file, true)) {}
    ~HandleFile() override { Close(); }

    bool Write(const char* data, std::size_t size) override {
        while (size > 0 && file_ != INVALID_HANDLE_VALUE) {
            const DWORD chunk = size > MAXDWORD ? MAXDWORD : static_cast<DWORD>(size);
            DWORD written = 0;
            if (!WriteFile(file_, data, chunk, &written, nullptr) || written == 0) {
                failed_ = true;
                return false;
            }
            data += written;
            size -= written;
        }
        return file_ != INVALID_HANDLE_VALUE;
    }

    bool KeepWhenClosed() override {
        if (marked_ && file_ != INVALID_HANDLE_VALUE) marked_ = !MarkForDeletion(file_, false);
        return !marked_;
    }

    bool Close() override {
        if (file_ == INVALID_HANDLE_VALUE) return !failed_;
        const bool closed = CloseHandle(file_) != FALSE;
        file_ = INVALID_HANDLE_VALUE;
        failed_ = failed_ || !closed;
        return !failed_;
    }

private:
    HANDLE file_;
    bool marked_;
    bool failed_ = false;
};

std::optional<std::string> ReadOpenFile(HANDLE file) {
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file, &size) || size.QuadPart < 0 ||
        static_cast<unsigned long long>(size.QuadPart) > std::numeric_limits<std::size_t>::max() / 2) {
        return std::nullopt;
    }
    std::string content(static_cast<std::size_t>(size.QuadPart), '\0');
    std::size_t done = 0;
    while (done < content.size()) {
        const std::size_t left = content.size() - done;
        const DWORD chunk = left > MAXDWORD ? MAXDWORD : static_cast<DWORD>(left);
        DWORD got = 0;
        if (!ReadFile(file, content.data() + done, chunk, &got, nullptr)) return std::nullopt;
        if (got == 0) break;  // the file shrank while being read
        done += got;
    }
    content.resize(done);
    return content;
}

// --- Menus ------------------------------------------------------------------------------------

UINT AlignmentFlags(MenuAlignment alignment) {
    const UINT horizontal = alignment.centerHorizontally ? TPM_CENTERALIGN : TPM_LEFTALIGN;
    const UINT vertical = alignment.centerVertically ? TPM_VCENTERALIGN : TPM_TOPALIGN;
    return horizontal | vertical;
}

}  // namespace

// --- File system ------------------------------------------------------------------------------

bool Win32Platform::PathFileExists(const std::string& path) {
    return PathFileExistsW(ToWide(path).c_str()) != FALSE;
}

bool Win32Platform::PathIsDirectory(const std::string& path) {
    return PathIsDirectoryW(ToWide(path).c_str()) != FALSE;
}

std::optional<std::string> Win32Platform::ReadWholeFile(const std::string& path, OpenMode mode) {
    const DWORD disposition = mode == OpenMode::OpenOrCreate ? OPEN_ALWAYS : OPEN_EXISTING;
    HANDLE file = CreateFileW(ToWide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    std::optional<std::string> content = ReadOpenFile(file);
    CloseHandle(file);
    return content;
}

bool Win32Platform::ReplaceFile(const std::string& from, const std::string& to) {
    return MoveFileExW(ToWide(from).c_str(), ToWide(to).c_str(), MOVEFILE_REPLACE_EXISTING) !=
           FALSE;
}

// Without MOVEFILE_REPLACE_EXISTING the system itself refuses an existing target, so no file can
// slip in between a check and the move.
bool Win32Platform::MoveToNewFile(const std::string& from, const std::string& to) {
    return MoveFileExW(ToWide(from).c_str(), ToWide(to).c_str(), 0) != FALSE;
}

bool Win32Platform::RemoveFile(const std::string& path) {
    return DeleteFileW(ToWide(path).c_str()) != FALSE;
}

// --- Clock and threads ------------------------------------------------------------------------

std::uint64_t Win32Platform::NowSeconds() { return GetTickCount64() / 1000; }

// --- Download: files, worker, clock, progress window ---------------------------------------------

std::unique_ptr<OutputFile> Win32Platform::CreateNewFile(const std::string& path) {
    // Shared for deletion: a transfer that overran its deadline or was cancelled keeps writing on
    // its worker thread, and the UI thread must still be able to delete the file it leaves behind.
    // DELETE access lets the handle carry the mark that removes the file when it closes.
    HANDLE file = CreateFileW(ToWide(path).c_str(), GENERIC_WRITE | DELETE,
                              FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return nullptr;
    return std::make_unique<HandleFile>(file);
}

std::uint64_t Win32Platform::NowMilliseconds() { return GetTickCount64(); }

std::function<std::uint64_t()> Win32Platform::WorkerClock() {
    return [] { return static_cast<std::uint64_t>(GetTickCount64()); };
}

WaitResult Win32Platform::RunWatched(std::function<void()> work,
                                     std::function<WatchAnswer()> watch) {
    // At the end of the session the transfer is cancelled, so that nothing half-written is moved
    // into place before the system ends the process.
    auto watchOrEnd = [this, &watch] { return sessionEnding_ ? WatchAnswer::Cancel : watch(); };
    return RunWatchedWork(std::move(work), watchOrEnd, [this] { return progress_.get(); });
}

bool Win32Platform::ShowProgress(const ProgressView& view) {
    if (!progress_) progress_ = std::make_unique<ProgressWindow>(instance_);
    return progress_->Show(view);
}

void Win32Platform::CloseProgress() { progress_.reset(); }

MarkResult Win32Platform::MarkAsDownloaded(const std::string& path, const std::string& sourceUrl) {
    return MarkDownloadedFile(path, sourceUrl);
}

void Win32Platform::ReturnForeground() {
    if (previous_ != nullptr && IsWindow(previous_)) SetForegroundWindow(previous_);
}

// The system's own table: the configuration file reads the same on a system of any locale.
std::optional<std::string> Win32Platform::CodePage932ToUtf8(const std::string& bytes) {
    return CodePageToUtf8(bytes, 932, true);
}

// --- Network ----------------------------------------------------------------------------------

std::unique_ptr<InternetSession> Win32Platform::OpenInternet(const std::string& agent) {
    return OpenInternetSession(agent, host_);
}

// --- User interface ---------------------------------------------------------------------------

void Win32Platform::ShowMessage(const std::string& text, const std::string& caption,
                                BoxIcon icon) {
    // Korvo has no visible window of its own: without the foreground the box would open behind
    // the window the user is working in.
    SetForegroundWindow(host_);
    const UINT type = MB_OK | (icon == BoxIcon::Information ? MB_ICONINFORMATION : 0);
    MessageBoxW(host_, ToWide(text).c_str(), ToWide(caption).c_str(), type);
}

std::string Win32Platform::ProgramVersion() {
    wchar_t module[MAX_PATH] = {};
    if (GetModuleFileNameW(instance_, module, MAX_PATH) == 0) return {};
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(module, &ignored);
    if (size == 0) return {};
    std::vector<unsigned char> block(size);
    if (!GetFileVersionInfoW(module, 0, size, block.data())) return {};
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT fixedSize = 0;
    if (!VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &fixedSize) ||
        fixed == nullptr || fixedSize < sizeof(VS_FIXEDFILEINFO)) {
        return {};
    }
    return std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." +
           std::to_string(LOWORD(fixed->dwFileVersionMS)) + "." +
           std::to_string(HIWORD(fixed->dwFileVersionLS));
}

bool Win32Platform::ControlKeyHeld() { return (GetKeyState(VK_CONTROL) & 0x8000) != 0; }

Point Win32Platform::CursorPosition() {
    POINT cursor{};
    GetCursorPos(&cursor);
    return {cursor.x, cursor.y};
}

std::optional<Rect> Win32Platform::PreviousWindowRect() {
    RECT rect{};
    if (previous_ == nullptr || !GetWindowRect(previous_, &rect)) return std::nullopt;
    return Rect{rect.left, rect.top, rect.right, rect.bottom};
}

std::string Win32Platform::CompactPath(const std::string& path, int pixels) {
    std::wstring wide = ToWide(path);
    if (wide.size() >= MAX_PATH) wide.resize(MAX_PATH - 1);
    wchar_t buffer[MAX_PATH] = {};
    wide.copy(buffer, wide.size());
    HDC dc = GetDC(host_);
    PathCompactPathW(dc, buffer, static_cast<UINT>(pixels < 0 ? 0 : pixels));
    ReleaseDC(host_, dc);
    // An ellipsis placed between the two halves of a surrogate pair leaves no text to show exactly:
    // the whole path is shown instead.
    return WideToUtf8(buffer).value_or(path);
}

// --- Menus ------------------------------------------------------------------------------------

MenuHandle Win32Platform::CreatePopupMenu() { return FromHmenu(::CreatePopupMenu()); }

MenuHandle Win32Platform::CreateMenu() { return FromHmenu(::CreateMenu()); }

void Win32Platform::AppendMenuString(MenuHandle menu, int id, const std::string& text,
                                     bool newColumn) {
    const UINT flags = MF_STRING | (newColumn ? MF_MENUBARBREAK : 0);
    AppendMenuW(ToHmenu(menu), flags, static_cast<UINT_PTR>(id), ToWide(text).c_str());
}

void Win32Platform::AppendMenuSeparator(MenuHandle menu, int id) {
    AppendMenuW(ToHmenu(menu), MF_SEPARATOR, static_cast<UINT_PTR>(id), nullptr);
}

void Win32Platform::AttachSubmenu(MenuHandle menu, int id, MenuHandle submenu) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_SUBMENU;
    info.hSubMenu = ToHmenu(submenu);
    SetMenuItemInfoW(ToHmenu(menu), static_cast<UINT>(id), FALSE, &info);
}

int Win32Platform::MenuItemCount(MenuHandle menu) { return GetMenuItemCount(ToHmenu(menu)); }

void Win32Platform::DeleteMenuItemAt(MenuHandle menu, int position) {
    DeleteMenu(ToHmenu(menu), static_cast<UINT>(position), MF_BYPOSITION);
}

MenuHandle Win32Platform::SubmenuAt(MenuHandle menu, int position) {
    return FromHmenu(GetSubMenu(ToHmenu(menu), position));
}

int Win32Platform::MenuItemIdAt(MenuHandle menu, int position) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_ID;
    if (!GetMenuItemInfoW(ToHmenu(menu), static_cast<UINT>(position), TRUE, &info)) return -1;
    return static_cast<int>(info.wID);
}

void Win32Platform::DestroyMenu(MenuHandle menu) { ::DestroyMenu(ToHmenu(menu)); }

int Win32Platform::TrackMenu(MenuHandle menu, Point at, MenuAlignment alignment) {
    // The owner must be the foreground window while the menu is tracked: otherwise a click
    // elsewhere does not close the menu, and keys (the injected Down arrow included) go to
    // whichever window the user was in.
    SetForegroundWindow(host_);
    const UINT flags = TPM_RETURNCMD | TPM_RIGHTBUTTON | AlignmentFlags(alignment);
    const int id = static_cast<int>(
        TrackPopupMenu(ToHmenu(menu), flags, at.x, at.y, 0, host_, nullptr));
    // A message of its own lets the system finish the switch away from a menu of a background
    // window; without it the next time the menu opens it may close at once.
    PostMessageW(host_, WM_NULL, 0, 0);
    return id;
}

// --- Programs and shell -----------------------------------------------------------------------

// A program is started with exactly the text it was given, or not at all.
bool Win32Platform::RefusedAsInexact(std::initializer_list<std::string_view> texts) {
    for (std::string_view text : texts) {
        if (!Utf8ToWide(text)) {
            ShowMessage(TEXT_INVALID_TEXT, TEXT_ERROR_CAPTION, BoxIcon::None);
            return true;
        }
    }
    return false;
}

void Win32Platform::ShellExecute(const std::string& file, const std::string& parameters,
                                 const std::string& workingFolder) {
    if (RefusedAsInexact({file, parameters, workingFolder})) return;
    EnsureComForShell();
    const std::wstring wideParameters = ToWide(parameters);
    const std::wstring wideFolder = ToWide(workingFolder);
    ShellExecuteW(nullptr, nullptr, ToWide(file).c_str(),
                  wideParameters.empty() ? nullptr : wideParameters.c_str(),
                  wideFolder.empty() ? nullptr : wideFolder.c_str(), SW_SHOWNORMAL);
}

ProcessStart Win32Platform::StartProcess(const std::string& program, const std::string& parameters,
                                         const std::string& workingFolder, bool batchFile) {
    if (RefusedAsInexact({program, parameters, workingFolder})) return ProcessStart::Failed;
    return StartProgramProcess(program, parameters, workingFolder, batchFile);
}

bool Win32Platform::EnvironmentVariableDefined(const std::string& name) {
    // An empty variable still has its terminator counted.
    return GetEnvironmentVariableW(ToWide(name).c_str(), nullptr, 0) > 0;
}

// --- Settings: special folders, path look-ups, today's date ----------------------------------

std::optional<std::string> Win32Platform::SpecialFolderPath(int csidl) {
    return LookUpSpecialFolder(host_, csidl);
}

std::optional<std::string> Win32Platform::FullPathName(const std::string& path) {
    return LookUpFullPath(path);
}

std::optional<std::string> Win32Platform::SearchPathIn(const std::string& folders,
                                                       const std::string& name) {
    return LookUpSearchPath(&folders, name);
}

std::optional<std::string> Win32Platform::SearchSystemPath(const std::string& name) {
    return LookUpSearchPath(nullptr, name);
}

LocalDate Win32Platform::Today() { return LookUpLocalDate(); }

// --- File-name box ---------------------------------------------------------------------------

FileNameAnswer Win32Platform::AskFileName(Point topLeft, const std::string& name,
                                          const std::string& extension) {
    return ShowFileNameBox(instance_, host_, topLeft, name, extension);
}

// --- Clipboard and folder browser -------------------------------------------------------------

std::optional<std::string> Win32Platform::ReadClipboardText() {
    return win32::ReadClipboardText(host_);
}

std::string Win32Platform::BrowseForFolder(const std::string& start, const std::string& title) {
    std::optional<std::string> folder = BrowseFolder(host_, start, title);
    if (!folder) ShowMessage(TEXT_INVALID_TEXT, TEXT_ERROR_CAPTION, BoxIcon::None);
    return folder.value_or(std::string());
}

}  // namespace korvo::win32
