// The download's progress window: file name, destination folder, a progress bar, the bytes and
// the rate, and a Cancel button; a title that says what and how far, and a taskbar button of its
// own that shows the progress too. It shows what the core hands it and remembers whether the user
// asked to cancel; it decides nothing else.
#pragma once

#include <string>

#include "platform/platform.h"
#include "win32/taskbar_progress.h"
#include "win32/windows_api.h"

namespace korvo::win32 {

class ProgressWindow {
public:
    explicit ProgressWindow(HINSTANCE instance) : instance_(instance) {}
    ~ProgressWindow() { Close(); }
    ProgressWindow(const ProgressWindow&) = delete;
    ProgressWindow& operator=(const ProgressWindow&) = delete;

    // Opens the window at the view's anchor (kept on the anchor's monitor) the first time, then
    // updates what changed. False once the user has asked to cancel.
    bool Show(const ProgressView& view);
    void Close();
    // Escape anywhere in the window cancels, Tab moves between its controls. True when the
    // message was the window's and has been handled.
    bool HandleDialogMessage(MSG& message);

    HWND Window() const { return window_; }
    bool CancelRequested() const { return cancelled_; }

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:
    bool Create(const ProgressView& view);
    void ApplyDpi(UINT dpi);
    void Layout();
    void SetText(HWND control, std::wstring& shown, const std::string& text);
    void SetPercent(int percent);
    void PlaceNear(Point anchor);

    HINSTANCE instance_;
    HWND window_ = nullptr;
    HWND name_ = nullptr;
    HWND folder_ = nullptr;
    HWND bar_ = nullptr;
    HWND status_ = nullptr;
    HWND cancel_ = nullptr;
    HFONT font_ = nullptr;
    TaskbarProgress taskbar_;
    UINT dpi_ = 96;
    int percent_ = -2;  // nothing shown yet
    bool cancelled_ = false;
    std::wstring shownCaption_, shownName_, shownFolder_, shownStatus_, shownCancel_;
};

}  // namespace korvo::win32
