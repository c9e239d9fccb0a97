#include "win32/taskbar_progress.h"

#include "win32/com_apartment.h"

namespace korvo::win32 {

TaskbarProgress::~TaskbarProgress() {
    if (list_ != nullptr) list_->Release();
}

UINT TaskbarProgress::ButtonCreatedMessage() {
    static const UINT message = RegisterWindowMessageW(L"TaskbarButtonCreated");
    return message;
}

void TaskbarProgress::Show(HWND window, int percent) {
    if (percent == shown_) return;
    if (!tried_) {
        tried_ = true;
        EnsureComForShell();
        if (FAILED(CoCreateInstance(__uuidof(TaskbarList), nullptr, CLSCTX_INPROC_SERVER,
                                    __uuidof(ITaskbarList3), reinterpret_cast<void**>(&list_))) ||
            FAILED(list_->HrInit())) {
            if (list_ != nullptr) list_->Release();
            list_ = nullptr;
        }
    }
    if (list_ == nullptr) return;
    shown_ = percent;
    if (percent < 0) {
        list_->SetProgressState(window, TBPF_INDETERMINATE);
        return;
    }
    // The state first: a button that was moving takes a value only once it is in the normal state.
    list_->SetProgressState(window, TBPF_NORMAL);
    list_->SetProgressValue(window, static_cast<ULONGLONG>(percent), 100);
}

void TaskbarProgress::Clear(HWND window) {
    if (list_ != nullptr && shown_ != NOTHING_SHOWN) list_->SetProgressState(window, TBPF_NOPROGRESS);
    shown_ = NOTHING_SHOWN;
}

}  // namespace korvo::win32
