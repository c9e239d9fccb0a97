#include "win32/host_window.h"

#include "app/invocation.h"
#include "menu/menu_display.h"

namespace korvo::win32 {

namespace {

// Posted by the creation handler: the one run starts when the message loop delivers it.
constexpr UINT WM_KORVO_RUN = WM_APP + 1;

HostWindowState* StateOf(HWND window) {
    return reinterpret_cast<HostWindowState*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

// One press and release of the Down arrow. Sent when a menu opens, it highlights the first item,
// so that Enter picks it at once.
void InjectDownArrow() {
    INPUT keys[2] = {};
    for (INPUT& key : keys) {
        key.type = INPUT_KEYBOARD;
        key.ki.wVk = VK_DOWN;
        key.ki.wScan = static_cast<WORD>(MapVirtualKeyW(VK_DOWN, MAPVK_VK_TO_VSC));
        key.ki.dwFlags = KEYEVENTF_EXTENDEDKEY;  // the arrow key, not the keypad's 2
    }
    keys[1].ki.dwFlags |= KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof(INPUT));
}

LRESULT OnCreate(HWND window, HostWindowState& state) {
    state.platform.SetPreviousWindow(GetForegroundWindow());
    SetUpPaths(state.run, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYMAXIMIZED),
               GetSystemMetrics(SM_CMOUSEBUTTONS));
    if (ReadCommandLineAndConfiguration(state.platform, state.run)) {
        // The run starts as soon as the message loop is running, outside the creation handler. A
        // posted message rather than a 0 ms timer: the system holds a timer back for at least
        // 10 ms, and that wait would come before the menu.
        PostMessageW(window, WM_KORVO_RUN, 0, 0);
    } else {
        SendMessageW(window, WM_CLOSE, 0, 0);
    }
    return 0;
}

LRESULT OnRun(HWND window, HostWindowState& state) {
    // The run's modal loops (menu, dialogs, message boxes) dispatch posted messages, and another
    // program could post this one: the run must happen once.
    if (state.runStarted) return 0;
    state.runStarted = true;
    RunInvocation(state.platform, state.run);
    SendMessageW(window, WM_CLOSE, 0, 0);
    return 0;
}

LRESULT OnKillFocus(HWND window, HostWindowState& state) {
    if (state.run.menuOpen) {
        // The menu's modal loop takes this posted press as a click outside the menu and closes
        // it: switching to another window must not leave Korvo's menu open.
        state.focusLost = true;
        PostMessageW(window, WM_LBUTTONDOWN, 0, 0);
    }
    return 0;
}

LRESULT OnLButtonDown(HostWindowState& state) {
    if (!state.focusLost) return 0;
    state.focusLost = false;
    return 1;
}

LRESULT OnMenuSelect(HostWindowState& state, WPARAM wParam, LPARAM lParam) {
    state.lastSelMenu = reinterpret_cast<HMENU>(lParam);
    state.lastSelByMouse = (HIWORD(wParam) & MF_MOUSESELECT) != 0;
    return 0;
}

// The position in the parent that lParam carries is not used: the group is found by its submenu.
LRESULT OnInitMenuPopup(HostWindowState& state, WPARAM wParam) {
    if (state.lastSelMenu == nullptr) return 0;
    // Group submenus are created empty and filled only now, when the user opens them.
    OnMenuPopupOpening(state.platform, state.run, FromHmenu(reinterpret_cast<HMENU>(wParam)));
    // A submenu opened by the keyboard already has its first item highlighted; one opened by
    // the mouse does not.
    if (state.lastSelByMouse) InjectDownArrow();
    return 0;
}

LRESULT OnInitMenu() {
    InjectDownArrow();
    return 0;
}

// Korvo never holds the session up; once it ends, a download under way is cancelled (its file,
// marked for deletion, goes with the process in any case), and one already whole is kept.
LRESULT OnEndSession(HostWindowState& state, WPARAM wParam) {
    if (wParam != FALSE) state.platform.EndSession();
    return 0;
}

LRESULT HandleMessage(HWND window, HostWindowState& state, UINT message, WPARAM wParam,
                      LPARAM lParam) {
    switch (message) {
        case WM_CREATE: return OnCreate(window, state);
        case WM_KORVO_RUN: return OnRun(window, state);
        case WM_CLOSE: DestroyWindow(window); return 0;
        case WM_DESTROY: PostQuitMessage(0); return 0;
        case WM_KILLFOCUS: return OnKillFocus(window, state);
        case WM_LBUTTONDOWN: return OnLButtonDown(state);
        case WM_MENUSELECT: return OnMenuSelect(state, wParam, lParam);
        case WM_INITMENUPOPUP: return OnInitMenuPopup(state, wParam);
        case WM_INITMENU: return OnInitMenu();
        case WM_QUERYENDSESSION: return TRUE;
        case WM_ENDSESSION: return OnEndSession(state, wParam);
        default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

LRESULT CALLBACK HostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        // The state arrives as creation data; the window is usable from here on, so the platform
        // gets it now: the creation handler may already have to show a message box.
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        auto* state = static_cast<HostWindowState*>(create->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
        state->platform.SetHostWindow(window);
        return DefWindowProcW(window, message, wParam, lParam);
    }
    HostWindowState* state = StateOf(window);
    if (state == nullptr) return DefWindowProcW(window, message, wParam, lParam);
    return HandleMessage(window, *state, message, wParam, lParam);
}

bool RegisterHostWindowClass(HINSTANCE instance, const std::wstring& className) {
    WNDCLASSW windowClass{};
    windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    windowClass.lpfnWndProc = HostWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, L"MYICON");
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    windowClass.lpszClassName = className.c_str();
    return RegisterClassW(&windowClass) != 0;
}

HWND CreateHostWindow(HINSTANCE instance, const std::wstring& className, HostWindowState& state) {
    HWND window = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_ACCEPTFILES | WS_EX_TOPMOST,
                                  className.c_str(), className.c_str(), WS_POPUP, CW_USEDEFAULT,
                                  CW_USEDEFAULT, 32, 32, nullptr, nullptr, instance, &state);
    if (window == nullptr) return nullptr;
    ShowWindow(window, SW_HIDE);
    UpdateWindow(window);
    return window;
}

}  // namespace korvo::win32
