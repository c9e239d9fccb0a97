// record: stands in for an external program. Appends its full command line and its current folder,
// one per line, as UTF-8, to the file named by KORVO_RECORD, or to record.txt beside itself; and
// writes its arguments as the C run-time splits them (CommandLineToArgvW), one per line, to
// args.txt beside itself, replacing the last run's.
#include "common.h"

#include <shellapi.h>

#include <string>

namespace {

std::wstring BesideProgram(const wchar_t* name) {
    wchar_t module[MAX_PATH * 2] = {};
    GetModuleFileNameW(nullptr, module, MAX_PATH * 2);
    std::wstring path = module;
    return path.substr(0, path.find_last_of(L"\\/") + 1) + name;
}

bool Write(const std::wstring& path, DWORD disposition, const std::string& text) {
    HANDLE file = CreateFileW(path.c_str(), disposition == OPEN_ALWAYS ? FILE_APPEND_DATA : GENERIC_WRITE,
                              FILE_SHARE_READ, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
    return true;
}

}  // namespace

int wmain() {
    wchar_t target[MAX_PATH * 2] = {};
    const bool named = GetEnvironmentVariableW(L"KORVO_RECORD", target, MAX_PATH * 2) != 0;
    wchar_t folder[MAX_PATH * 2] = {};
    GetCurrentDirectoryW(MAX_PATH * 2, folder);
    std::string text = korvo_tools::ToUtf8(GetCommandLineW()) + "\n" + korvo_tools::ToUtf8(folder) + "\n";
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    std::string split;
    for (int i = 1; arguments != nullptr && i < count; ++i) split += korvo_tools::ToUtf8(arguments[i]) + "\n";
    LocalFree(arguments);
    // The arguments first: a scenario reads them once the record shows the run.
    const bool written = Write(BesideProgram(L"args.txt"), CREATE_ALWAYS, split) &&
                         Write(named ? target : BesideProgram(L"record.txt"), OPEN_ALWAYS, text);
    return written ? 0 : 1;
}
