// UTF-8 text helpers and the portable equivalents of the shell's string and path functions that
// Korvo relies on. Every string of the core is UTF-8; in UTF-8 no byte of a multi-byte character
// is ever '\\', '/', '.', ':' or an ASCII letter, so scans for them need no character walk.
// Case-insensitive comparisons follow Windows' ordinal rules (CompareStringOrdinal with
// bIgnoreCase): each UTF-16 unit is compared after its simple uppercase mapping, so the fake
// platform of the tests and Windows agree on which names are one name.
//
// A Win32 test checks each of these against the real Windows function on the same inputs.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace korvo {

// Whether `text` is well-formed UTF-8: no stray continuation bytes, no overlong forms, no
// surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view text);

// The code point that starts at `at` and its length in bytes. A byte that starts no well-formed
// sequence stands alone (length 1) as INVALID_BYTE_BASE plus the byte, so it equals only itself.
constexpr char32_t INVALID_BYTE_BASE = 0x110000;
char32_t CodePointAt(std::string_view text, std::size_t at, std::size_t& length);

// The length of `text` as Windows counts a path's characters against its limits (PATH_MAX_CHARS,
// NAME_MAX_CHARS): UTF-16 units, so a character beyond U+FFFF counts twice. New checks of a path
// or a name's length go through this, not size().
std::size_t PathLength(std::string_view text);

// Cuts `text` to at most `maxChars` UTF-16 units without splitting a character.
std::string CutToFit(std::string_view text, std::size_t maxChars);

// The simple uppercase mapping of Windows' ordinal comparisons; characters beyond U+FFFF (two
// UTF-16 units) have none.
char32_t OrdinalUpperCase(char32_t c);

// StrStrI: offset of the first case-insensitive occurrence of `needle` in `haystack`, or npos.
// Matches start only on character boundaries. An empty needle is not found.
std::size_t FindNoCase(std::string_view haystack, std::string_view needle);

// StrCmpNI(a, b, n) == 0: the first n characters compare equal ignoring case (a shorter text
// compares equal only if the other is equally short).
bool StartsWithNoCase(std::string_view text, std::string_view prefix, std::size_t n);

// StrToIntA: an optional '-' and decimal digits (no leading blanks, no '+'); 0 when there are none.
int StrToInt(std::string_view text);

// PathAddBackslash: appends '\\' unless the text already ends with one. Like the shell, it gives
// up (text unchanged) when the result would not fit 259 characters.
void PathAddBackslash(std::string& path);
// Removes exactly one trailing backslash.
void RemoveTrailingBackslash(std::string& path);
// PathUnquoteSpaces: removes one pair of enclosing double quotes.
void PathUnquoteSpaces(std::string& text);
// PathRemoveBlanks: removes leading and trailing spaces.
void PathRemoveBlanks(std::string& text);
// PathQuoteSpaces: encloses the text in double quotes when it contains a space.
void PathQuoteSpaces(std::string& text);

}  // namespace korvo
