// The download's progress on the progress window's taskbar button, as the shell's own copy window
// shows it. Where the shell offers no taskbar (no ITaskbarList3, or one that fails) it shows
// nothing, and nothing else fails.
#pragma once

#include <shobjidl.h>

#include "win32/windows_api.h"

namespace korvo::win32 {

class TaskbarProgress {
public:
    TaskbarProgress() = default;
    ~TaskbarProgress();
    TaskbarProgress(const TaskbarProgress&) = delete;
    TaskbarProgress& operator=(const TaskbarProgress&) = delete;

    // 0..100 fills the button, -1 (size unknown) sets it moving; unchanged values are not sent.
    void Show(HWND window, int percent);
    // The button was created (again): the next Show sends its value even if unchanged.
    void ButtonCreated() { shown_ = NOTHING_SHOWN; }
    // Takes the progress off the button.
    void Clear(HWND window);

    // The message the shell sends a window once its taskbar button exists.
    static UINT ButtonCreatedMessage();

private:
    static constexpr int NOTHING_SHOWN = -2;
    ITaskbarList3* list_ = nullptr;
    bool tried_ = false;
    int shown_ = NOTHING_SHOWN;
};

}  // namespace korvo::win32
