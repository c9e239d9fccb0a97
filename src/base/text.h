// Code page 932 text helpers and the portable equivalents of the shell's string and path
// functions that Korvo relies on. Every scan steps over double-byte characters, whose trail byte
// may be '\\' (0x5C) or an ASCII letter. Case-insensitive comparisons fold ASCII letters and the
// full-width Latin, Greek and Cyrillic letters (and the Roman numerals), as the shell's functions
// do for code page 932 text; an ASCII letter never matches a trail byte.
//
// A Win32 test checks each of these against the real shlwapi function on the same inputs.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace korvo {

// 0x81-0x9F and 0xE0-0xFC.
bool IsLeadByte(unsigned char c);

// The length of `text` as Windows counts a path's characters against its limits (PATH_MAX_CHARS,
// NAME_MAX_CHARS). New checks of a path or a name's length go through this, not size().
std::size_t PathLength(std::string_view text);

// Cuts `text` to at most `maxChars` bytes without splitting a double-byte character.
std::string CutToFit(std::string_view text, std::size_t maxChars);

// StrStrIA: offset of the first case-insensitive occurrence of `needle` in `haystack`, or npos.
// Matches start only on character boundaries. An empty needle is not found.
std::size_t FindNoCase(std::string_view haystack, std::string_view needle);

// StrCmpNIA(a, b, n) == 0: the first n characters compare equal ignoring ASCII case (a shorter
// text compares equal only if the other is equally short).
bool StartsWithNoCase(std::string_view text, std::string_view prefix, std::size_t n);

// StrToIntA: an optional '-' and decimal digits (no leading blanks, no '+'); 0 when there are none.
int StrToInt(std::string_view text);

// PathAddBackslashA: appends '\\' unless the text already ends with a (single-byte) backslash.
// Like the shell, it gives up (text unchanged) when the result would not fit 259 characters.
void PathAddBackslash(std::string& path);
// Removes exactly one trailing single-byte backslash, whatever precedes it.
void RemoveTrailingBackslash(std::string& path);
// PathUnquoteSpacesA: removes one pair of enclosing double quotes.
void PathUnquoteSpaces(std::string& text);
// PathRemoveBlanksA: removes leading and trailing spaces.
void PathRemoveBlanks(std::string& text);
// PathQuoteSpacesA: encloses the text in double quotes when it contains a space.
void PathQuoteSpaces(std::string& text);

}  // namespace korvo
