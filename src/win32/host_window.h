// The hidden host window: owner of the menu, the dialogs and the message boxes, and the place
// where the one run of Korvo starts (from a message it posts itself) and the menu messages are handled.
#pragma once

#include <string>

#include "state/run_state.h"
#include "win32/win32_platform.h"
#include "win32/windows_api.h"

namespace korvo::win32 {

// Everything the window procedure works with, reached through the one pointer the window keeps.
struct HostWindowState {
    RunState& run;
    Win32Platform& platform;
    bool focusLost = false;         // a dismissing click has been posted and not yet received
    HMENU lastSelMenu = nullptr;    // the menu of the most recent WM_MENUSELECT
    bool lastSelByMouse = false;    // that selection came from the mouse
    bool runStarted = false;        // the one run has begun
};

LRESULT CALLBACK HostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

bool RegisterHostWindowClass(HINSTANCE instance, const std::wstring& className);

// Creates the hidden window; its creation handler reads the command line and the configuration.
// Null when creation failed or the window closed itself (configuration not loaded).
HWND CreateHostWindow(HINSTANCE instance, const std::wstring& className, HostWindowState& state);

}  // namespace korvo::win32
