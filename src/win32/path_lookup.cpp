#include "win32/path_lookup.h"

#include <shlobj.h>

#include "win32/codepage.h"

namespace korvo::win32 {

namespace {

// Asks `call` with a buffer of MAX_PATH characters, and once more with the size it asks for when
// that was too small: the core, not the buffer, decides which lengths it accepts.
template <typename Call>
std::optional<std::string> WithGrowingBuffer(Call call) {
    std::wstring buffer(MAX_PATH, L'\0');
    for (int attempt = 0; attempt < 2; ++attempt) {
        const DWORD length = call(buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return std::nullopt;
        if (length < buffer.size()) {
            buffer.resize(length);
            return WideToUtf8(buffer);
        }
        buffer.assign(length, L'\0');  // `length` counts the terminator here
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> LookUpSpecialFolder(HWND owner, int csidl) {
    wchar_t folder[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathW(owner, folder, csidl, FALSE) || folder[0] == L'\0') {
        return std::nullopt;
    }
    // A name that is not valid Unicode is no folder Korvo can name: the placeholder fails.
    return WideToUtf8(folder);
}

std::optional<std::string> LookUpFullPath(const std::string& path) {
    if (path.empty()) return std::nullopt;
    const std::wstring wide = ToWide(path);
    if (wide.empty()) return std::nullopt;  // refused text names nothing
    return WithGrowingBuffer([&wide](wchar_t* buffer, DWORD size) {
        return GetFullPathNameW(wide.c_str(), size, buffer, nullptr);
    });
}

std::optional<std::string> LookUpSearchPath(const std::string* folders, const std::string& name) {
    if (name.empty()) return std::nullopt;
    const std::wstring wideName = ToWide(name);
    const std::wstring wideFolders = folders ? ToWide(*folders) : std::wstring();
    if (wideName.empty() || (folders && wideFolders.empty())) return std::nullopt;
    const wchar_t* path = folders ? wideFolders.c_str() : nullptr;
    return WithGrowingBuffer([&](wchar_t* buffer, DWORD size) {
        return SearchPathW(path, wideName.c_str(), nullptr, size, buffer, nullptr);
    });
}

LocalDate LookUpLocalDate() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay};
}

}  // namespace korvo::win32
