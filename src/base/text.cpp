#include "base/text.h"

#include <cstdint>

namespace korvo {

namespace {

constexpr std::size_t SHELL_PATH_MAX_CHARS = 259;

char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Length in bytes of the character that starts at `at`: two for a lead byte followed by a trail,
// one otherwise (a lead byte cut off by the end of the text stands alone).
std::size_t CharLength(std::string_view text, std::size_t at) {
    return IsLeadByte(static_cast<unsigned char>(text[at])) && at + 1 < text.size() ? 2 : 1;
}

// Offset of the last character's first byte, as CharPrevA finds it from the end; npos when empty.
std::size_t LastCharStart(std::string_view text) {
    std::size_t last = std::string_view::npos;
    for (std::size_t at = 0; at < text.size(); at += CharLength(text, at)) last = at;
    return last;
}

// The shell compares case-insensitively in Unicode, so the full-width Latin, Greek and Cyrillic
// letters of code page 932 fold too, and the two codes of each Roman numeral count as one.
unsigned FoldDoubleByte(char leadByte, char trailByte) {
    unsigned lead = static_cast<unsigned char>(leadByte);
    unsigned trail = static_cast<unsigned char>(trailByte);
    if (lead == 0x82 && trail >= 0x81 && trail <= 0x9A) trail -= 0x21;  // ａ-ｚ to Ａ-Ｚ
    if (lead == 0x83 && trail >= 0xBF && trail <= 0xD6) trail -= 0x20;  // Greek
    if (lead == 0x84 && trail >= 0x70 && trail <= 0x7E) trail -= 0x30;  // Cyrillic а-н
    if (lead == 0x84 && trail >= 0x80 && trail <= 0x91) trail -= 0x31;  // Cyrillic о-я
    unsigned code = lead << 8 | trail;
    if (code >= 0xEEEF && code <= 0xEEF8) code = 0x8754 + (code - 0xEEEF);  // ⅰ-ⅹ
    if (code >= 0xFA40 && code <= 0xFA49) code = 0x8754 + (code - 0xFA40);  // ⅰ-ⅹ
    if (code >= 0xFA4A && code <= 0xFA53) code = 0x8754 + (code - 0xFA4A);  // Ⅰ-Ⅹ
    return code;
}

// StrCmpNIA treats a text as ending at its terminator; a view ends at its size or at a NUL.
char CharAt(std::string_view text, std::size_t at) { return at < text.size() ? text[at] : '\0'; }

}  // namespace

bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// The ANSI functions count a code page 932 path in bytes.
std::size_t PathLength(std::string_view text) { return text.size(); }

std::string CutToFit(std::string_view text, std::size_t maxChars) {
    if (text.size() <= maxChars) return std::string(text);
    std::size_t kept = 0;
    while (kept < text.size()) {
        std::size_t length = CharLength(text, kept);
        if (kept + length > maxChars) break;
        kept += length;
    }
    return std::string(text.substr(0, kept));
}

std::size_t FindNoCase(std::string_view haystack, std::string_view needle) {
    if (needle.empty()) return std::string_view::npos;
    for (std::size_t at = 0; at + needle.size() <= haystack.size(); at += CharLength(haystack, at)) {
        if (StartsWithNoCase(haystack.substr(at), needle, needle.size())) return at;
    }
    return std::string_view::npos;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix, std::size_t n) {
    std::size_t at = 0;
    while (at < n) {
        char a = CharAt(text, at);
        char b = CharAt(prefix, at);
        if (a == '\0' || b == '\0') return a == b;
        bool aDouble = IsLeadByte(static_cast<unsigned char>(a)) && at + 1 < n && CharAt(text, at + 1) != '\0';
        bool bDouble = IsLeadByte(static_cast<unsigned char>(b)) && at + 1 < n && CharAt(prefix, at + 1) != '\0';
        if (aDouble != bDouble) return false;
        if (!aDouble) {
            if (FoldAscii(a) != FoldAscii(b)) return false;
            ++at;
            continue;
        }
        if (FoldDoubleByte(a, CharAt(text, at + 1)) != FoldDoubleByte(b, CharAt(prefix, at + 1))) return false;
        at += 2;
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
    if (path.empty() || path.size() >= SHELL_PATH_MAX_CHARS) return;
    std::size_t last = LastCharStart(path);
    if (path[last] == '\\' && last + 1 == path.size()) return;
    path += '\\';
}

void RemoveTrailingBackslash(std::string& path) {
    if (path.empty()) return;
    std::size_t last = LastCharStart(path);
    if (last + 1 == path.size() && path[last] == '\\') path.pop_back();
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
    // The shell quotes only when the quoted text and its terminator still fit 260 bytes with a
    // byte to spare.
    if (text.find(' ') == std::string::npos || text.size() + 3 >= SHELL_PATH_MAX_CHARS + 1) return;
    text = '"' + text + '"';
}

}  // namespace korvo
