#include "win32/clipboard.h"

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

}  // namespace

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
    // Plain text is in the system's code page, whichever it is; bytes it does not define refuse the
    // text rather than become "?" inside a URL.
    std::optional<std::string> text = unicode ? WideToUtf8(wide) : CodePageToUtf8(ansi, CP_ACP, true);
    if (!text || text->empty()) return std::nullopt;
    return text;
}

}  // namespace korvo::win32
