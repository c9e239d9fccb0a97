#include "win32/process_launch.h"

#include "actions/program_launch.h"
#include "win32/codepage.h"

namespace korvo::win32 {

namespace {

// ERROR_ELEVATION_REQUIRED, which MinGW-w64's headers lack.
constexpr DWORD ELEVATION_REQUIRED = 740;

// cmd.exe from the system folder, never one found beside Korvo or in the current folder.
std::wstring CommandInterpreterPath() {
    wchar_t folder[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return {};
    return std::wstring(folder, length) + L"\\cmd.exe";
}

}  // namespace

ProcessStart StartProgramProcess(const std::string& program, const std::string& parameters,
                                 const std::string& workingFolder, bool batchFile) {
    std::wstring line = ToWide(ProcessCommandLine(program, parameters, batchFile));
    const std::wstring application = batchFile ? CommandInterpreterPath() : ToWide(program);
    if (application.empty()) return ProcessStart::Failed;
    const std::wstring folder = ToWide(workingFolder);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(application.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &process)) {
        return GetLastError() == ELEVATION_REQUIRED ? ProcessStart::NeedsElevation
                                                          : ProcessStart::Failed;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return ProcessStart::Started;
}

}  // namespace korvo::win32
