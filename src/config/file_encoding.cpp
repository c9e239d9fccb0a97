#include "config/file_encoding.h"

#include "base/text.h"

namespace korvo {

namespace {

constexpr std::string_view BYTE_ORDER_MARK = "\xEF\xBB\xBF";

bool HoldsMultiByteCharacter(std::string_view text) {
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) return true;
    }
    return false;
}

// Line by line, so that one stray byte costs its own line and not the whole menu. A line feed
// is never part of a double-byte character, so the lines are those the file has.
std::string DecodeCodePage932(Platform& platform, std::string_view bytes) {
    std::string text;
    for (;;) {
        const std::size_t end = bytes.find('\n');
        const std::string line(bytes.substr(0, end));
        if (!HoldsMultiByteCharacter(line)) {
            text += line;
        } else if (std::optional<std::string> decoded = platform.CodePage932ToUtf8(line)) {
            text += *decoded;
        }
        if (end == std::string_view::npos) return text;
        text += '\n';
        bytes.remove_prefix(end + 1);
    }
}

}  // namespace

std::optional<DecodedFile> DecodeFileText(Platform& platform, const std::string& bytes) {
    std::string_view view(bytes);
    if (view.substr(0, BYTE_ORDER_MARK.size()) == BYTE_ORDER_MARK) {
        view.remove_prefix(BYTE_ORDER_MARK.size());
        if (!IsValidUtf8(view)) return std::nullopt;
        return DecodedFile{std::string(view), FileEncoding::Utf8};
    }
    if (HoldsMultiByteCharacter(view) && IsValidUtf8(view)) {
        return DecodedFile{bytes, FileEncoding::Utf8};
    }
    return DecodedFile{DecodeCodePage932(platform, view), FileEncoding::CodePage932};
}

std::size_t FileCharLength(char32_t c, FileEncoding encoding) {
    if (encoding == FileEncoding::CodePage932) {
        // ASCII and the half-width katakana are single bytes, and so are the few bytes Windows
        // maps to U+0080 and to private-use characters; everything else takes two.
        const bool single = c < 0x81 || (c >= 0xFF61 && c <= 0xFF9F) || (c >= 0xF8F0 && c <= 0xF8F3);
        return single ? 1 : 2;
    }
    if (c >= INVALID_BYTE_BASE) return 1;
    return c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
}

std::string CutToFileBytes(std::string_view text, std::size_t maxBytes, FileEncoding encoding) {
    std::size_t bytes = 0;
    std::size_t kept = 0;
    while (kept < text.size()) {
        std::size_t length = 1;
        bytes += FileCharLength(CodePointAt(text, kept, length), encoding);
        if (bytes > maxBytes) break;
        kept += length;
    }
    return std::string(text.substr(0, kept));
}

}  // namespace korvo
