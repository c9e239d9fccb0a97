// Small shared helpers of the e2e tool programs: UTF-8 output and window look-ups.
#pragma once
#include <windows.h>

#include <cstdio>
#include <string>

namespace korvo_tools {

inline std::string ToUtf8(const std::wstring& text) {
    if (text.empty()) return {};
    int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0,
                                   nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), size, nullptr,
                        nullptr);
    return out;
}

inline std::wstring FromUtf8(const std::string& text) {
    if (text.empty()) return {};
    int size = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), size);
    return out;
}

// The console's code page does not matter: the shell reading our output expects UTF-8 bytes.
inline void PrintLine(const std::wstring& text) {
    std::string bytes = ToUtf8(text);
    bytes += '\n';
    fwrite(bytes.data(), 1, bytes.size(), stdout);
    fflush(stdout);
}

inline std::wstring ClassOf(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

// A hung window must not hang the test: every cross-process text read has a deadline.
inline std::wstring TextOf(HWND window) {
    wchar_t text[4096] = {};
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                        &ignored);
    return text;
}

}  // namespace korvo_tools
