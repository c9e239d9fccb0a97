#include "win32/codepage.h"

#include "win32/windows_api.h"

#include <climits>

namespace korvo::win32 {

std::wstring ToWide(std::string_view text, unsigned int codePage) {
    if (text.empty() || text.size() > INT_MAX) return {};
    const int size = static_cast<int>(text.size());
    const int needed = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
    if (needed <= 0) return {};
    std::wstring wide(static_cast<std::size_t>(needed), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), needed);
    return wide;
}

std::string ToNarrow(std::wstring_view text) {
    if (text.empty() || text.size() > INT_MAX) return {};
    const int size = static_cast<int>(text.size());
    const int needed =
        WideCharToMultiByte(KORVO_CODE_PAGE, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    if (needed <= 0) return {};
    std::string narrow(static_cast<std::size_t>(needed), '\0');
    WideCharToMultiByte(KORVO_CODE_PAGE, 0, text.data(), size, narrow.data(), needed, nullptr,
                        nullptr);
    return narrow;
}

}  // namespace korvo::win32
