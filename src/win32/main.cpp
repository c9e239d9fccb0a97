// Korvo's entry point: record where the program lies, create the hidden host window and run the
// message loop until the one run has ended.
#include <string>

#include "app/invocation.h"
#include "base/texts.h"
#include "state/run_state.h"
#include "win32/codepage.h"
#include "win32/command_line.h"
#include "win32/host_window.h"
#include "win32/win32_platform.h"

namespace {

std::wstring ModuleFileName() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);  // truncated: the core cuts it to its own limit later
    }
}

void RunMessageLoop() {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    using namespace korvo::win32;
    korvo::RunState run;
    korvo::RecordModulePath(run, ToNarrow(ModuleFileName()));
    const std::optional<std::string> arguments = WideToUtf8(ArgumentText(GetCommandLineW()));
    if (!arguments) {
        // A URL or option that cannot be read exactly would become another one.
        MessageBoxW(nullptr, ToWide(korvo::TEXT_INVALID_TEXT).c_str(),
                    ToWide(korvo::TEXT_ERROR_CAPTION).c_str(), MB_OK);
        return 0;
    }
    run.commandLineText = *arguments;

    Win32Platform platform(instance);
    HostWindowState state{run, platform};
    const std::wstring className = ToWide(run.baseName);
    if (RegisterHostWindowClass(instance, className) &&
        CreateHostWindow(instance, className, state) != nullptr) {
        RunMessageLoop();
    }
    return 0;
}
