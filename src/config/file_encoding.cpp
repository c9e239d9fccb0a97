#include "config/file_encoding.h"

#include <optional>

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

// Line by line, so that one stray byte costs its own line and not the whole menu. A line feed is
// never part of a double-byte character nor of a UTF-8 sequence, so the lines are those the file
// has. A line that does not decode goes with its line feed: left empty, it would end a block.
template <typename DecodeLine>
std::string DecodeLines(std::string_view bytes, bool& dropped, DecodeLine decode) {
    std::string text;
    for (;;) {
        const std::size_t end = bytes.find('\n');
        const std::string_view line = bytes.substr(0, end);
        const std::optional<std::string> decoded =
            HoldsMultiByteCharacter(line) ? decode(std::string(line)) : std::string(line);
        if (decoded) text += *decoded;
        dropped = dropped || !decoded;
        if (end == std::string_view::npos) return text;
        if (decoded) text += '\n';
        bytes.remove_prefix(end + 1);
    }
}

std::optional<std::string> Utf8Line(const std::string& line) {
    if (!IsValidUtf8(line)) return std::nullopt;
    return line;
}

}  // namespace

std::vector<DecodedFile> FileReadings(Platform& platform, const std::string& bytes) {
    std::string_view view(bytes);
    bool dropped = false;
    if (view.substr(0, BYTE_ORDER_MARK.size()) == BYTE_ORDER_MARK) {
        view.remove_prefix(BYTE_ORDER_MARK.size());
        return {{DecodeLines(view, dropped, Utf8Line), FileEncoding::Utf8}};
    }
    DecodedFile codePage932{
        DecodeLines(view, dropped, [&](const std::string& line) { return platform.CodePage932ToUtf8(line); }),
        FileEncoding::CodePage932};
    if (!HoldsMultiByteCharacter(view) || !IsValidUtf8(view)) return {codePage932};
    DecodedFile utf8{bytes, FileEncoding::Utf8};
    // A line that is not code page 932 says the file is not one.
    if (dropped) return {utf8};
    return {utf8, codePage932};
}

std::size_t ConfigCharLength(char32_t c) {
    // ASCII and the half-width katakana are single bytes, and so are the few bytes Windows maps to
    // U+0080 and to private-use characters; everything else takes two.
    const bool single = c < 0x81 || (c >= 0xFF61 && c <= 0xFF9F) || (c >= 0xF8F0 && c <= 0xF8F3);
    return single ? 1 : 2;
}

std::string CutToFileBytes(std::string_view text, std::size_t maxBytes) {
    std::size_t bytes = 0;
    std::size_t kept = 0;
    while (kept < text.size()) {
        std::size_t length = 1;
        bytes += ConfigCharLength(CodePointAt(text, kept, length));
        if (bytes > maxBytes) break;
        kept += length;
    }
    return std::string(text.substr(0, kept));
}

}  // namespace korvo
