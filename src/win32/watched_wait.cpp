#include "win32/watched_wait.h"

#include <memory>

namespace korvo::win32 {

namespace {

// What the worker thread and the waiting UI thread share. The worker owns a reference, so the
// state outlives a wait that gave up on it.
struct WorkerState {
    HANDLE finished = nullptr;
    std::function<void()> work;
    ~WorkerState() {
        if (finished != nullptr) CloseHandle(finished);
    }
};

DWORD WINAPI RunWorker(void* parameter) {
    // The thread's own reference, handed over by StartWorker.
    std::unique_ptr<std::shared_ptr<WorkerState>> owned(static_cast<std::shared_ptr<WorkerState>*>(parameter));
    const std::shared_ptr<WorkerState> state = *owned;
    owned.reset();
    try {
        state->work();
    } catch (...) {
        // Nothing to report to: the core does not throw; an allocation failure ends the work.
    }
    state->work = nullptr;  // what the work held (files, Internet handles) is released here
    SetEvent(state->finished);
    return 0;
}

// Starts the worker, detached: a blocking WinINet call cannot be interrupted (closing its handle
// from another thread does not wake it under Wine), so a wait that gives up leaves it to finish
// or to end with the process. False when no thread could be started.
bool StartWorker(const std::shared_ptr<WorkerState>& state) {
    auto* reference = new std::shared_ptr<WorkerState>(state);
    HANDLE thread = CreateThread(nullptr, 0, RunWorker, reference, 0, nullptr);
    if (thread == nullptr) {
        delete reference;
        return false;
    }
    CloseHandle(thread);
    return true;
}

bool HasFinished(const WorkerState& state) {
    return WaitForSingleObject(state.finished, 0) == WAIT_OBJECT_0;
}

// Dispatches the messages waiting in the queue. A quit message is kept for later: the wait must
// not swallow it, and it must not end the wait either. The progress window, when open, sees its
// keys first (Escape cancels).
void DispatchWaitingMessages(bool& quitSeen, WPARAM& quitCode,
                             const std::function<ProgressWindow*()>& progress) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            quitSeen = true;
            quitCode = message.wParam;
            continue;
        }
        ProgressWindow* window = progress();
        if (window != nullptr && window->HandleDialogMessage(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

WaitResult EndedBy(WatchAnswer answer) {
    return answer == WatchAnswer::TimeUp ? WaitResult::TimedOut : WaitResult::Cancelled;
}

}  // namespace

WaitResult RunWatchedWork(std::function<void()> work, const std::function<WatchAnswer()>& watch,
                          const std::function<ProgressWindow*()>& progress) {
    auto state = std::make_shared<WorkerState>();
    state->finished = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (state->finished == nullptr) return WaitResult::NotStarted;
    state->work = std::move(work);
    if (!StartWorker(state)) {
        state->work = nullptr;  // the work's handles are released before the core removes its file
        return WaitResult::NotStarted;
    }

    ULONGLONG nextLook = GetTickCount64() + WATCH_INTERVAL_MS;
    bool quitSeen = false;
    WPARAM quitCode = 0;
    WaitResult result = WaitResult::Finished;
    while (!HasFinished(*state)) {
        const ULONGLONG now = GetTickCount64();
        if (now >= nextLook) {
            nextLook = now + WATCH_INTERVAL_MS;
            const WatchAnswer answer = watch();
            if (answer != WatchAnswer::GoOn) {
                result = EndedBy(answer);
                break;
            }
            continue;  // the look may have taken a while: whether the work finished comes first
        }
        // Keep the UI thread's messages flowing (the progress window, repaints of windows behind
        // a closed menu, the system's hung-window checks) while the worker runs.
        const DWORD woke = MsgWaitForMultipleObjects(1, &state->finished, FALSE,
                                                     static_cast<DWORD>(nextLook - now), QS_ALLINPUT);
        if (woke == WAIT_OBJECT_0 + 1) {
            DispatchWaitingMessages(quitSeen, quitCode, progress);
            // Cancel ends the wait at once, not at the next look.
            ProgressWindow* window = progress();
            if (window != nullptr && window->CancelRequested()) {
                result = WaitResult::Cancelled;
                break;
            }
        } else if (woke == WAIT_FAILED) {
            WaitForSingleObject(state->finished, INFINITE);  // waiting itself failed: just wait
        }
    }
    // A dispatched message may have held this thread past the moment the work ended (a window
    // dragged, a menu open): what finished counts as finished, and a Cancel that came after it
    // keeps the file.
    if (HasFinished(*state)) result = WaitResult::Finished;
    if (quitSeen) PostQuitMessage(static_cast<int>(quitCode));
    return result;
}

}  // namespace korvo::win32
