// Starts a program and measures how long it takes until its popup menu is on the screen:
//   menu_timer.exe PROGRAM [ARGUMENTS...]
// Prints the milliseconds from CreateProcess to the first visible menu window (class #32768) of
// that process, then ends the process. Polls every millisecond; gives up after 30 s (exit 1).
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

struct MenuSearch {
    DWORD processId;
    bool found;
};

BOOL CALLBACK FindMenuWindow(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<MenuSearch*>(parameter);
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window) && lstrcmpW(name, L"#32768") == 0) {
        search->found = true;
        return FALSE;
    }
    return TRUE;
}

std::wstring QuotedCommandLine(int count, wchar_t** arguments) {
    std::wstring line;
    for (int i = 1; i < count; ++i) {
        if (!line.empty()) line += L' ';
        line += L'"';
        line += arguments[i];
        line += L'"';
    }
    return line;
}

}  // namespace

int wmain(int count, wchar_t** arguments) {
    if (count < 2) {
        std::fputs("usage: menu_timer.exe PROGRAM [ARGUMENTS...]\n", stderr);
        return 2;
    }
    std::wstring commandLine = QuotedCommandLine(count, arguments);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    LARGE_INTEGER frequency, start, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        std::fprintf(stderr, "menu_timer: cannot start the program (error %lu)\n", GetLastError());
        return 1;
    }
    MenuSearch search{process.dwProcessId, false};
    double elapsed = 0;
    while (!search.found && elapsed < 30000) {
        EnumWindows(FindMenuWindow, reinterpret_cast<LPARAM>(&search));
        QueryPerformanceCounter(&now);
        elapsed = 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
        if (!search.found) {
            if (WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0) break;
        }
    }
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 5000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (!search.found) {
        std::fputs("menu_timer: no menu appeared\n", stderr);
        return 1;
    }
    std::printf("%.1f\n", elapsed);
    return 0;
}
