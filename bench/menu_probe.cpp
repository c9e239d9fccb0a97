// The least a program can do to show a popup menu under Windows: one hidden tool window, one
// popup menu with one item, tracked at the screen's centre, then exit. bench/start_to_menu.sh
// measures Korvo's start-to-menu time against this program's.
#include <windows.h>

namespace {

LRESULT CALLBACK ProbeProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = ProbeProcedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = L"MenuProbe";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, L"MenuProbe", L"MenuProbe", WS_POPUP,
                                  0, 0, 32, 32, nullptr, nullptr, instance, nullptr);
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, 1, L"&Probe");
    // As Korvo does: the owner in the foreground, or the menu would not take the keys.
    SetForegroundWindow(window);
    TrackPopupMenu(menu, TPM_RETURNCMD, GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2,
                   0, window, nullptr);
    DestroyMenu(menu);
    DestroyWindow(window);
    return 0;
}
