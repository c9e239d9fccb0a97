#include "win32/codepage.h"

#include "win32/windows_api.h"

#include <climits>

namespace korvo::win32 {

namespace {

std::optional<std::wstring> ToUtf16(std::string_view text, unsigned int codePage, DWORD flags) {
    if (text.empty()) return std::wstring();
    if (text.size() > INT_MAX) return std::nullopt;
    const int size = static_cast<int>(text.size());
    const int needed = MultiByteToWideChar(codePage, flags, text.data(), size, nullptr, 0);
    if (needed <= 0) return std::nullopt;
    std::wstring wide(static_cast<std::size_t>(needed), L'\0');
    if (MultiByteToWideChar(codePage, flags, text.data(), size, wide.data(), needed) != needed) {
        return std::nullopt;
    }
    return wide;
}

}  // namespace

std::optional<std::wstring> Utf8ToWide(std::string_view text) {
    return ToUtf16(text, CP_UTF8, MB_ERR_INVALID_CHARS);
}

std::optional<std::string> WideToUtf8(std::wstring_view text) {
    if (text.empty()) return std::string();
    if (text.size() > INT_MAX) return std::nullopt;
    const int size = static_cast<int>(text.size());
    const int needed =
        WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, text.data(), size, nullptr, 0, nullptr, nullptr);
    if (needed <= 0) return std::nullopt;
    std::string narrow(static_cast<std::size_t>(needed), '\0');
    if (WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, text.data(), size, narrow.data(), needed,
                            nullptr, nullptr) != needed) {
        return std::nullopt;
    }
    return narrow;
}

std::wstring ToWide(std::string_view text) { return Utf8ToWide(text).value_or(std::wstring()); }

std::string ToNarrow(std::wstring_view text) { return WideToUtf8(text).value_or(std::string()); }

std::optional<std::string> CodePageToUtf8(std::string_view text, unsigned int codePage, bool exact) {
    const std::optional<std::wstring> wide = ToUtf16(text, codePage, exact ? MB_ERR_INVALID_CHARS : 0);
    if (!wide) return std::nullopt;
    return WideToUtf8(*wide);
}

}  // namespace korvo::win32
