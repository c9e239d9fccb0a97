// The least a program can do to show a popup menu under Windows: one hidden tool window, one
// popup menu with one item, tracked at the screen's centre, then exit. bench/start_to_menu.sh
// measures Korvo's start-to-menu time against this program's.
//
// Built a further four times, each adding one thing Korvo did before its menu, so that what each
// costs can be laid out step by step (Korvo keeps only the manifest of these now):
//   KORVO_PROBE_LIBRARIES  imports at start the DLLs Korvo delay-loads (shell, WinINet, COM...)
//   KORVO_PROBE_TIMER      shows the menu from a 0 ms timer armed at WM_CREATE
//   KORVO_PROBE_MANIFEST   carries Korvo's manifest (common controls 6, per-monitor DPI)
//   KORVO_PROBE_COM        initialises COM on its thread first
// and once on its own:
//   KORVO_PROBE_JAPANESE   the item's label is Japanese, as Korvo's labels are: the text is drawn
//                          in a font that holds kana and kanji, which costs its own load
#include <windows.h>
#ifdef KORVO_PROBE_LIBRARIES
#include <objbase.h>
#include <shlobj.h>
#include <shlwapi.h>
#include <wininet.h>
#endif

namespace {

void ShowProbeMenu(HWND window) {
    HMENU menu = CreatePopupMenu();
#ifdef KORVO_PROBE_JAPANESE
    AppendMenuW(menu, MF_STRING, 1, L"\u30D5\u30A9\u30EB\u30C0 &Probe");  // "folder"
#else
    AppendMenuW(menu, MF_STRING, 1, L"&Probe");
#endif
    // As Korvo does: the owner in the foreground, or the menu would not take the keys.
    SetForegroundWindow(window);
    TrackPopupMenu(menu, TPM_RETURNCMD, GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2,
                   0, window, nullptr);
    DestroyMenu(menu);
}

LRESULT CALLBACK ProbeProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
#ifdef KORVO_PROBE_TIMER
        case WM_CREATE: SetTimer(window, 1, 0, nullptr); return 0;
        case WM_TIMER:
            KillTimer(window, 1);
            ShowProbeMenu(window);
            DestroyWindow(window);
            return 0;
#endif
        case WM_DESTROY: PostQuitMessage(0); return 0;
        default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

#ifdef KORVO_PROBE_LIBRARIES
// Never true at run time; it makes the linker import what Korvo imports, so the loader maps the
// same DLLs before the first line of the program runs.
void ImportKorvosLibraries() {
    if (GetTickCount() != 1) return;
    wchar_t path[MAX_PATH];
    SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, 0, path);
    PathIsDirectoryW(path);
    InternetCloseHandle(InternetOpenW(L"probe", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0));
    CoTaskMemFree(nullptr);
    DWORD ignored = 0;
    GetFileVersionInfoSizeW(path, &ignored);
    ShellExecuteW(nullptr, L"open", path, nullptr, nullptr, SW_SHOWNORMAL);
}
#endif

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
#ifdef KORVO_PROBE_COM
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
#endif
#ifdef KORVO_PROBE_LIBRARIES
    ImportKorvosLibraries();
#endif
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = ProbeProcedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = L"MenuProbe";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, L"MenuProbe", L"MenuProbe", WS_POPUP,
                                  0, 0, 32, 32, nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
#ifdef KORVO_PROBE_TIMER
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
#else
    ShowProbeMenu(window);
    DestroyWindow(window);
#endif
#ifdef KORVO_PROBE_COM
    if (SUCCEEDED(com)) CoUninitialize();
#endif
    return 0;
}
