#include "win32/clipboard.h"

#include <climits>

#include "win32/codepage.h"

namespace korvo::win32 {

namespace {

// The text of a clipboard block, bounded by the block's own size: a program may put text on the
// clipboard without its terminator.
template <typename Char>
std::basic_string<Char> CopyBlock(UINT format) {
    HANDLE block = GetClipboardData(format);
    if (block == nullptr) return {};
    const auto* text = static_cast<const Char*>(GlobalLock(block));
    if (text == nullptr) return {};
    const std::size_t capacity = GlobalSize(block) / sizeof(Char);
    std::size_t length = 0;
    while (length < capacity && text[length] != 0) ++length;
    std::basic_string<Char> copy(text, length);
    GlobalUnlock(block);
    return copy;
}

// One line in code page 932, or nothing when the line holds a character that code page 932 lacks:
// replaced by '?' or by a look-alike, such a line could pass for a URL it is not
// ("http://host/????.zip" asks for "http://host/" with a query).
std::string LineInCodePage932(std::wstring_view line) {
    if (line.empty() || line.size() > INT_MAX) return {};
    const int size = static_cast<int>(line.size());
    BOOL lossy = FALSE;
    const int needed = WideCharToMultiByte(KORVO_CODE_PAGE, WC_NO_BEST_FIT_CHARS, line.data(), size,
                                           nullptr, 0, nullptr, &lossy);
    if (needed <= 0 || lossy) return {};
    std::string narrow(static_cast<std::size_t>(needed), '\0');
    WideCharToMultiByte(KORVO_CODE_PAGE, WC_NO_BEST_FIT_CHARS, line.data(), size, narrow.data(),
                        needed, nullptr, nullptr);
    return narrow;
}

}  // namespace

std::string ClipboardTextInCodePage932(std::wstring_view text) {
    std::string narrow;
    for (;;) {
        const std::size_t end = text.find(L'\n');
        narrow += LineInCodePage932(text.substr(0, end));
        if (end == std::wstring_view::npos) break;
        narrow += '\n';
        text.remove_prefix(end + 1);
    }
    return narrow;
}

std::optional<std::string> ReadClipboardText(HWND owner) {
    const bool unicode = IsClipboardFormatAvailable(CF_UNICODETEXT) != FALSE;
    if (!unicode && !IsClipboardFormatAvailable(CF_TEXT)) return std::nullopt;
    if (!OpenClipboard(owner)) return std::nullopt;
    // Copied while open, converted once closed: other programs wait while Korvo holds it.
    std::wstring wide;
    std::string ansi;
    if (unicode) {
        wide = CopyBlock<wchar_t>(CF_UNICODETEXT);
    } else {
        ansi = CopyBlock<char>(CF_TEXT);
    }
    CloseClipboard();
    // Plain text is in the system's code page, which need not be 932.
    if (!unicode) wide = ToWide(ansi, CP_ACP);
    if (wide.empty()) return std::nullopt;
    return ClipboardTextInCodePage932(wide);
}

}  // namespace korvo::win32
