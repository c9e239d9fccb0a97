#include "win32/folder_browser.h"

#include <shlobj.h>

#include "win32/codepage.h"
#include "win32/com_apartment.h"

namespace korvo::win32 {

namespace {

// The start folder can only be selected once the browser's tree exists.
int CALLBACK BrowseCallback(HWND window, UINT message, LPARAM, LPARAM data) {
    if (message == BFFM_INITIALIZED) SendMessageW(window, BFFM_SETSELECTIONW, TRUE, data);
    return 0;
}

}  // namespace

std::optional<std::string> BrowseFolder(HWND owner, const std::string& start, const std::string& title) {
    const std::wstring wideStart = ToWide(start);
    const std::wstring wideTitle = ToWide(title);
    BROWSEINFOW info{};
    info.hwndOwner = owner;
    info.lpszTitle = wideTitle.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    info.lpfn = BrowseCallback;
    info.lParam = reinterpret_cast<LPARAM>(wideStart.c_str());
    // Korvo's own window is hidden: without the foreground the browser would open behind the
    // window the user is working in, and keys would not reach it.
    SetForegroundWindow(owner);
    EnsureComForShell();
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&info);
    if (chosen == nullptr) return std::string();
    wchar_t path[MAX_PATH] = {};
    const bool converted = SHGetPathFromIDListW(chosen, path) != FALSE;
    CoTaskMemFree(chosen);
    return converted ? WideToUtf8(path) : std::string();
}

}  // namespace korvo::win32
