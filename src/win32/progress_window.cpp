#include "win32/progress_window.h"

#include <commctrl.h>

#include <algorithm>

#include "win32/codepage.h"

namespace korvo::win32 {

namespace {

constexpr wchar_t PROGRESS_CLASS_NAME[] = L"KorvoProgress";

// Layout in pixels at 96 DPI, scaled to the window's DPI.
constexpr int CLIENT_WIDTH = 420;
constexpr int MARGIN = 12;
constexpr int LINE_HEIGHT = 18;
constexpr int LINE_GAP = 4;
constexpr int BAR_HEIGHT = 16;
constexpr int BUTTON_WIDTH = 96;
constexpr int BUTTON_HEIGHT = 26;

constexpr DWORD WINDOW_STYLE = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
// No owner, and a taskbar button and Alt+Tab entry of its own: a long download gone behind other
// windows can be found again (an owned window, like one of Korvo's hidden tool window, has
// neither). Not topmost.
constexpr DWORD WINDOW_EX_STYLE = WS_EX_DLGMODALFRAME | WS_EX_APPWINDOW;

// Functions of Windows 10 and later, looked up so that Korvo still starts where they are missing.
using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using SystemParametersInfoForDpiFunction = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);
using AdjustWindowRectExForDpiFunction = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);

template <typename Function>
Function User32Function(const char* name) {
    return reinterpret_cast<Function>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

UINT DpiOf(HWND window) {
    static const auto getDpiForWindow = User32Function<GetDpiForWindowFunction>("GetDpiForWindow");
    if (getDpiForWindow != nullptr) {
        const UINT dpi = getDpiForWindow(window);
        if (dpi != 0) return dpi;
    }
    HDC dc = GetDC(window);
    const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(window, dc);
    return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

// The message font, the one Korvo's message boxes and dialogs use, at the window's DPI.
HFONT CreateMessageFont(UINT dpi) {
    static const auto forDpi =
        User32Function<SystemParametersInfoForDpiFunction>("SystemParametersInfoForDpi");
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (forDpi != nullptr && forDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, dpi)) {
        return CreateFontIndirectW(&metrics.lfMessageFont);
    }
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
        return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    }
    metrics.lfMessageFont.lfHeight = MulDiv(metrics.lfMessageFont.lfHeight, static_cast<int>(dpi), 96);
    return CreateFontIndirectW(&metrics.lfMessageFont);
}

RECT WindowRectForClient(int width, int height, UINT dpi) {
    static const auto forDpi =
        User32Function<AdjustWindowRectExForDpiFunction>("AdjustWindowRectExForDpi");
    RECT rect{0, 0, width, height};
    if (forDpi == nullptr || !forDpi(&rect, WINDOW_STYLE, FALSE, WINDOW_EX_STYLE, dpi)) {
        AdjustWindowRectEx(&rect, WINDOW_STYLE, FALSE, WINDOW_EX_STYLE);
    }
    return rect;
}

int ClientHeight() {
    return MARGIN + 3 * (LINE_HEIGHT + LINE_GAP) + BAR_HEIGHT + 2 * LINE_GAP + BUTTON_HEIGHT + MARGIN;
}

bool RegisterProgressClass(HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    if (GetClassInfoExW(instance, PROGRESS_CLASS_NAME, &windowClass)) return true;
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = ProgressWindow::WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.hIcon = LoadIconW(instance, L"MYICON");
    windowClass.lpszClassName = PROGRESS_CLASS_NAME;
    return RegisterClassExW(&windowClass) != 0;
}

HWND CreateChild(HWND parent, HINSTANCE instance, const wchar_t* className, DWORD style, int id) {
    return CreateWindowExW(0, className, L"", WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
}

}  // namespace

LRESULT CALLBACK ProgressWindow::WindowProc(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<ProgressWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
    if (message == TaskbarProgress::ButtonCreatedMessage()) {
        // Progress sent before the shell had made the button is lost: it is sent again.
        self->taskbar_.ButtonCreated();
        self->taskbar_.Show(window, self->percent_);
        return 0;
    }
    switch (message) {
        case WM_COMMAND:
            if (LOWORD(wParam) == IDCANCEL) self->cancelled_ = true;
            return 0;
        case WM_CLOSE:  // the caption's close box: the same as Cancel; the core closes the window
            self->cancelled_ = true;
            return 0;
        case WM_DPICHANGED: {
            // Per-monitor DPI: moved to a screen of another scale, the window takes the size and
            // place the system suggests and redraws its texts at the new scale.
            const auto* suggested = reinterpret_cast<const RECT*>(lParam);
            self->ApplyDpi(HIWORD(wParam));
            SetWindowPos(window, nullptr, suggested->left, suggested->top,
                         suggested->right - suggested->left, suggested->bottom - suggested->top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            return 0;
        }
        case WM_SIZE:
            self->Layout();
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

bool ProgressWindow::Show(const ProgressView& view) {
    if (window_ == nullptr && !cancelled_ && !Create(view)) {
        return !cancelled_;  // no window: the download goes on without one, as it always did
    }
    if (window_ == nullptr) return !cancelled_;
    SetText(window_, shownCaption_, view.caption);
    SetText(name_, shownName_, view.fileName);
    SetText(folder_, shownFolder_, view.folder);
    SetText(status_, shownStatus_, view.status);
    SetText(cancel_, shownCancel_, view.cancelLabel);
    SetPercent(view.percent);
    taskbar_.Show(window_, view.percent);
    return !cancelled_;
}

void ProgressWindow::Close() {
    if (window_ != nullptr) {
        taskbar_.Clear(window_);
        DestroyWindow(window_);
        window_ = nullptr;
    }
    if (font_ != nullptr) {
        DeleteObject(font_);
        font_ = nullptr;
    }
}

bool ProgressWindow::HandleDialogMessage(MSG& message) {
    if (window_ == nullptr) return false;
    if (message.hwnd != window_ && !IsChild(window_, message.hwnd)) return false;
    if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE) {
        cancelled_ = true;
        return true;
    }
    return IsDialogMessageW(window_, &message) != FALSE;
}

bool ProgressWindow::Create(const ProgressView& view) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    if (!RegisterProgressClass(instance_)) return false;
    // Created hidden at the anchor, so that the system gives it that monitor's DPI; sized and
    // shown once its DPI is known.
    window_ = CreateWindowExW(WINDOW_EX_STYLE, PROGRESS_CLASS_NAME, L"", WINDOW_STYLE, view.anchor.x,
                              view.anchor.y, 1, 1, nullptr, nullptr, instance_, this);
    if (window_ == nullptr) return false;
    name_ = CreateChild(window_, instance_, L"STATIC", SS_LEFT | SS_NOPREFIX | SS_PATHELLIPSIS, 101);
    folder_ = CreateChild(window_, instance_, L"STATIC", SS_LEFT | SS_NOPREFIX | SS_PATHELLIPSIS, 102);
    bar_ = CreateChild(window_, instance_, PROGRESS_CLASSW, 0, 103);
    status_ = CreateChild(window_, instance_, L"STATIC", SS_LEFT | SS_NOPREFIX, 104);
    cancel_ = CreateChild(window_, instance_, L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, IDCANCEL);
    SendMessageW(bar_, PBM_SETRANGE32, 0, 100);
    ApplyDpi(DpiOf(window_));
    PlaceNear(view.anchor);
    // Shown without taking the foreground or the keyboard: by now the user is usually typing in
    // another window, and a Space or Return meant for it must not press Cancel. Cancel takes a
    // click; Escape works once the user has clicked into the window.
    ShowWindow(window_, SW_SHOWNOACTIVATE);
    return true;
}

void ProgressWindow::ApplyDpi(UINT dpi) {
    dpi_ = dpi == 0 ? 96 : dpi;
    HFONT font = CreateMessageFont(dpi_);
    for (HWND control : {name_, folder_, status_, cancel_}) {
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
    if (font_ != nullptr) DeleteObject(font_);
    font_ = font;
    const RECT frame = WindowRectForClient(MulDiv(CLIENT_WIDTH, static_cast<int>(dpi_), 96),
                                           MulDiv(ClientHeight(), static_cast<int>(dpi_), 96), dpi_);
    SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Layout();
}

void ProgressWindow::Layout() {
    if (cancel_ == nullptr) return;  // WM_SIZE during creation, before the controls exist
    const auto scale = [this](int pixels) { return MulDiv(pixels, static_cast<int>(dpi_), 96); };
    RECT client{};
    GetClientRect(window_, &client);
    const int width = client.right - 2 * scale(MARGIN);
    int y = scale(MARGIN);
    for (HWND line : {name_, folder_}) {
        MoveWindow(line, scale(MARGIN), y, width, scale(LINE_HEIGHT), TRUE);
        y += scale(LINE_HEIGHT + LINE_GAP);
    }
    MoveWindow(bar_, scale(MARGIN), y, width, scale(BAR_HEIGHT), TRUE);
    y += scale(BAR_HEIGHT + LINE_GAP);
    MoveWindow(status_, scale(MARGIN), y, width, scale(LINE_HEIGHT), TRUE);
    y += scale(LINE_HEIGHT + 2 * LINE_GAP);
    MoveWindow(cancel_, client.right - scale(MARGIN + BUTTON_WIDTH), y, scale(BUTTON_WIDTH),
               scale(BUTTON_HEIGHT), TRUE);
}

void ProgressWindow::SetText(HWND control, std::wstring& shown, const std::string& text) {
    std::wstring wide = ToWide(text);
    if (wide == shown) return;  // unchanged texts are not redrawn, so nothing flickers
    SetWindowTextW(control, wide.c_str());
    shown = std::move(wide);
}

void ProgressWindow::SetPercent(int percent) {
    if (percent == percent_) return;
    const bool moving = percent < 0;
    if (moving != (percent_ < 0) || percent_ == -2) {
        // A moving bar when the size is unknown, a filling one when it is known.
        LONG_PTR style = GetWindowLongPtrW(bar_, GWL_STYLE);
        style = moving ? (style | PBS_MARQUEE) : (style & ~static_cast<LONG_PTR>(PBS_MARQUEE));
        SetWindowLongPtrW(bar_, GWL_STYLE, style);
        SendMessageW(bar_, PBM_SETMARQUEE, moving ? TRUE : FALSE, 30);
    }
    if (!moving) SendMessageW(bar_, PBM_SETPOS, static_cast<WPARAM>(percent), 0);
    percent_ = percent;
}

void ProgressWindow::PlaceNear(Point anchor) {
    POINT at{anchor.x, anchor.y};
    if (at.x < 0 && at.y < 0) GetCursorPos(&at);  // no menu was shown (the folder browser)
    RECT rect{};
    GetWindowRect(window_, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromPoint(at, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    const int x = std::max<int>(work.left, std::min<int>(at.x, work.right - width));
    const int y = std::max<int>(work.top, std::min<int>(at.y, work.bottom - height));
    SetWindowPos(window_, HWND_TOP, x, y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
}

}  // namespace korvo::win32
