// record: stands in for an external program. Appends its full command line and its current folder,
// one per line, as UTF-8, to the file named by KORVO_RECORD, or to record.txt beside itself; the
// arguments as CommandLineToArgvW splits them go to argv.txt beside that file, one a line.
#include "common.h"

#include <shellapi.h>

#include <string>

int wmain() {
    wchar_t target[MAX_PATH * 2] = {};
    if (GetEnvironmentVariableW(L"KORVO_RECORD", target, MAX_PATH * 2) == 0) {
        GetModuleFileNameW(nullptr, target, MAX_PATH * 2);
        std::wstring path = target;
        path = path.substr(0, path.find_last_of(L"\\/") + 1) + L"record.txt";
        lstrcpynW(target, path.c_str(), MAX_PATH * 2);
    }
    wchar_t folder[MAX_PATH * 2] = {};
    GetCurrentDirectoryW(MAX_PATH * 2, folder);
    std::string text = korvo_tools::ToUtf8(GetCommandLineW()) + "\n" + korvo_tools::ToUtf8(folder) + "\n";
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    std::string split;
    for (int i = 1; arguments != nullptr && i < count; ++i) split += korvo_tools::ToUtf8(arguments[i]) + "\n";
    LocalFree(arguments);
    std::wstring argvPath = target;
    argvPath = argvPath.substr(0, argvPath.find_last_of(L"\\/") + 1) + L"argv.txt";
    // Before the record: a scenario reads the arguments once the record shows the run.
    HANDLE file = CreateFileW(argvPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    WriteFile(file, split.data(), static_cast<DWORD>(split.size()), &written, nullptr);
    CloseHandle(file);
    file = CreateFileW(target, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
    return 0;
}
