#include "base/text.h"

#include <cstdint>

namespace korvo {

namespace {

constexpr std::size_t SHELL_PATH_MAX_CHARS = 259;

bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// UTF-16 units of one character: two for a character beyond U+FFFF.
std::size_t Utf16Units(char32_t c) { return c >= 0x10000 && c < INVALID_BYTE_BASE ? 2 : 1; }

// StrCmpNI treats a text as ending at its terminator; a view ends at its size or at a NUL.
char32_t NextCharacter(std::string_view text, std::size_t& at) {
    if (at >= text.size() || text[at] == '\0') return 0;
    std::size_t length = 1;
    const char32_t c = CodePointAt(text, at, length);
    at += length;
    return c;
}

}  // namespace

char32_t CodePointAt(std::string_view text, std::size_t at, std::size_t& length) {
    const auto first = static_cast<unsigned char>(text[at]);
    length = 1;
    if (first < 0x80) return first;
    const char32_t invalid = INVALID_BYTE_BASE + first;
    std::size_t size = 0;
    char32_t c = 0;
    char32_t smallest = 0;
    if (first >= 0xC2 && first <= 0xDF) {
        size = 2, c = first & 0x1F, smallest = 0x80;
    } else if (first >= 0xE0 && first <= 0xEF) {
        size = 3, c = first & 0x0F, smallest = 0x800;
    } else if (first >= 0xF0 && first <= 0xF4) {
        size = 4, c = first & 0x07, smallest = 0x10000;
    } else {
        return invalid;
    }
    if (at + size > text.size()) return invalid;
    for (std::size_t k = 1; k < size; ++k) {
        const auto next = static_cast<unsigned char>(text[at + k]);
        if (!IsContinuation(next)) return invalid;
        c = c << 6 | (next & 0x3F);
    }
    if (c < smallest || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return invalid;
    length = size;
    return c;
}

bool IsValidUtf8(std::string_view text) {
    for (std::size_t at = 0; at < text.size();) {
        std::size_t length = 1;
        if (CodePointAt(text, at, length) >= INVALID_BYTE_BASE) return false;
        at += length;
    }
    return true;
}

std::size_t PathLength(std::string_view text) {
    std::size_t units = 0;
    for (std::size_t at = 0; at < text.size();) {
        std::size_t length = 1;
        units += Utf16Units(CodePointAt(text, at, length));
        at += length;
    }
    return units;
}

std::string CutToFit(std::string_view text, std::size_t maxChars) {
    std::size_t units = 0;
    std::size_t kept = 0;
    while (kept < text.size()) {
        std::size_t length = 1;
        units += Utf16Units(CodePointAt(text, kept, length));
        if (units > maxChars) break;
        kept += length;
    }
    return std::string(text.substr(0, kept));
}

std::size_t FindNoCase(std::string_view haystack, std::string_view needle) {
    if (needle.empty()) return std::string_view::npos;
    const auto first = static_cast<unsigned char>(needle[0]);
    for (std::size_t at = 0; at < haystack.size();) {
        // An ASCII character folds only to ASCII: most starts are refused on their first byte.
        const auto start = static_cast<unsigned char>(haystack[at]);
        if (start < 0x80 && (first >= 0x80 || OrdinalUpperCase(start) != OrdinalUpperCase(first))) {
            ++at;
            continue;
        }
        std::size_t h = at;
        std::size_t n = 0;
        bool same = true;
        while (same && n < needle.size()) {
            const char32_t wanted = NextCharacter(needle, n);
            same = wanted != 0 && OrdinalUpperCase(NextCharacter(haystack, h)) == OrdinalUpperCase(wanted);
        }
        if (same) return at;
        std::size_t length = 1;
        CodePointAt(haystack, at, length);
        at += length;
    }
    return std::string_view::npos;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix, std::size_t n) {
    std::size_t a = 0;
    std::size_t b = 0;
    for (std::size_t count = 0; count < n; ++count) {
        const char32_t x = NextCharacter(text, a);
        const char32_t y = NextCharacter(prefix, b);
        if (x == 0 || y == 0) return x == y;
        if (OrdinalUpperCase(x) != OrdinalUpperCase(y)) return false;
    }
    return true;
}

int StrToInt(std::string_view text) {
    // Like the shell, only a minus sign or a digit may start the number: no blanks, no plus.
    std::size_t at = 0;
    bool negative = at < text.size() && text[at] == '-';
    if (negative) ++at;
    // Unsigned arithmetic wraps like the shell's 32-bit result instead of overflowing.
    std::uint32_t value = 0;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9') {
        value = value * 10u + static_cast<std::uint32_t>(text[at] - '0');
        ++at;
    }
    if (negative) value = 0u - value;
    return static_cast<int>(static_cast<std::int32_t>(value));
}

void PathAddBackslash(std::string& path) {
    if (path.empty() || PathLength(path) >= SHELL_PATH_MAX_CHARS) return;
    if (path.back() != '\\') path += '\\';
}

void RemoveTrailingBackslash(std::string& path) {
    if (!path.empty() && path.back() == '\\') path.pop_back();
}

void PathUnquoteSpaces(std::string& text) {
    // A lone quote counts as both ends, as it does for the shell.
    if (!text.empty() && text.front() == '"' && text.back() == '"') {
        text.pop_back();
        if (!text.empty()) text.erase(0, 1);
    }
}

void PathRemoveBlanks(std::string& text) {
    std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) {
        text.clear();
        return;
    }
    std::size_t last = text.find_last_not_of(' ');
    text = text.substr(first, last - first + 1);
}

void PathQuoteSpaces(std::string& text) {
    // The shell quotes only when the quoted text and its terminator still fit 260 characters with
    // one to spare.
    if (text.find(' ') == std::string::npos || PathLength(text) + 3 >= SHELL_PATH_MAX_CHARS + 1) return;
    text = '"' + text + '"';
}

}  // namespace korvo
