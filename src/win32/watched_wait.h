// The download's wait: the work on a worker thread, the user-interface thread kept responsive
// while it runs, and a watcher asked at regular intervals whether to go on.
#pragma once

#include <functional>

#include "platform/platform.h"
#include "win32/progress_window.h"

namespace korvo::win32 {

// Runs `work` on a worker thread and waits for it, dispatching the calling thread's messages
// (the progress window, when there is one, sees its keys first) and calling `watch` every
// WATCH_INTERVAL_MS or so. Work that has finished is Finished whatever the watcher said, and
// however long the calling thread was held elsewhere (a window being dragged, a system menu).
WaitResult RunWatchedWork(std::function<void()> work, const std::function<WatchAnswer()>& watch,
                          const std::function<ProgressWindow*()>& progress);

}  // namespace korvo::win32
