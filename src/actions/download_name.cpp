#include "actions/download_name.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "base/limits.h"
#include "base/text.h"
#include "url/path_split.h"
#include "url/url_parts.h"

namespace korvo {

namespace {

std::string_view Trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

// The header's parameters, split at the semicolons that are not inside a quoted string.
std::vector<std::string_view> SplitParameters(std::string_view header) {
    std::vector<std::string_view> parts;
    bool quoted = false;
    std::size_t start = 0;
    for (std::size_t at = 0; at < header.size(); ++at) {
        const char c = header[at];
        if (quoted && c == '\\') {
            ++at;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (c == ';' && !quoted) {
            parts.push_back(header.substr(start, at - start));
            start = at + 1;
        }
    }
    parts.push_back(header.substr(start));
    return parts;
}

// A quoted value ends at its closing quote or, when that is missing, at the end of the text; a
// lone quote is an empty value.
std::string Unquote(std::string_view value) {
    if (value.empty() || value.front() != '"') return std::string(value);
    std::string text;
    for (std::size_t at = 1; at < value.size() && value[at] != '"'; ++at) {
        // Only an escaped quote or backslash is unescaped: servers send Windows paths with single
        // backslashes, which must stay separators and not vanish into "....evil.txt".
        if (value[at] == '\\' && at + 1 < value.size() && (value[at + 1] == '"' || value[at + 1] == '\\')) {
            ++at;
        }
        text += value[at];
    }
    return text;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Percent-decoding of an extended value; false on a broken escape.
bool PercentDecode(std::string_view text, std::string& bytes) {
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text[at] != '%') {
            bytes += text[at];
            continue;
        }
        if (at + 2 >= text.size()) return false;
        const int high = HexValue(text[at + 1]);
        const int low = HexValue(text[at + 2]);
        if (high < 0 || low < 0) return false;
        bytes += static_cast<char>(high * 16 + low);
        at += 2;
    }
    return true;
}

void AppendUtf8(std::string& utf8, char32_t c) {
    if (c < 0x80) {
        utf8 += static_cast<char>(c);
    } else if (c < 0x800) {
        utf8 += static_cast<char>(0xC0 | (c >> 6));
        utf8 += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        utf8 += static_cast<char>(0xE0 | (c >> 12));
        utf8 += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        utf8 += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Servers label windows-1252 text "ISO-8859-1", and browsers read it so: bytes 0x80-0x9F are its
// letters and signs (an en dash, the euro), not invisible controls. The five it leaves undefined
// stay controls, and a safe name turns them into "_".
std::string Windows1252ToUtf8(std::string_view bytes) {
    static constexpr std::array<char16_t, 32> HIGH_CONTROLS = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    std::string utf8;
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        AppendUtf8(utf8, b >= 0x80 && b <= 0x9F ? HIGH_CONTROLS[b - 0x80] : b);
    }
    return utf8;
}

// charset'language'percent-encoded-value; only UTF-8 and ISO-8859-1 are defined for it. Bytes
// that are not the UTF-8 they claim to be make the value unusable, not a guess.
bool DecodeExtendedValue(std::string_view value, std::string& name) {
    const std::size_t first = value.find('\'');
    const std::size_t second = first == std::string_view::npos ? first : value.find('\'', first + 1);
    if (second == std::string_view::npos) return false;
    const std::string_view charset = value.substr(0, first);
    std::string bytes;
    if (!PercentDecode(value.substr(second + 1), bytes)) return false;
    if (charset.size() == 5 && StartsWithNoCase(charset, "UTF-8", 5)) {
        if (!IsValidUtf8(bytes)) return false;
        name = bytes;
        return true;
    }
    if (charset.size() == 10 && StartsWithNoCase(charset, "ISO-8859-1", 10)) {
        name = Windows1252ToUtf8(bytes);
        return true;
    }
    return false;
}

bool IsNameOf(std::string_view parameter, std::string_view key) {
    return parameter.size() == key.size() && StartsWithNoCase(parameter, key, key.size());
}

}  // namespace

DispositionName ContentDispositionName(std::string_view header) {
    DispositionName result;
    std::string plain;
    bool havePlain = false;
    std::string extended;
    bool haveExtended = false;
    for (std::string_view parameter : SplitParameters(header)) {
        const std::size_t equals = parameter.find('=');
        if (equals == std::string_view::npos) continue;
        const std::string_view key = Trim(parameter.substr(0, equals));
        const std::string_view value = Trim(parameter.substr(equals + 1));
        if (IsNameOf(key, "filename*")) {
            result.found = true;
            haveExtended = haveExtended || DecodeExtendedValue(Unquote(value), extended);
        } else if (IsNameOf(key, "filename") && !havePlain) {
            // The first one counts: a second one may have been added after the server's own.
            result.found = true;
            havePlain = true;
            plain = Unquote(value);
        }
    }
    // The extended form is the one meant for clients that read it; the plain one is its fallback,
    // also when the extended one gives no usable name ("UTF-8''", a folder, blanks).
    if (haveExtended) result.name = SafeServerName(extended);
    if (result.name.empty()) result.name = SafeServerName(plain);
    return result;
}

std::string SafeServerName(std::string_view name) {
    const std::size_t separator = name.find_last_of("/\\");
    if (separator != std::string_view::npos) name.remove_prefix(separator + 1);
    return MakeSafeFileName(name);
}

std::string ServerFileName(std::string_view contentDisposition, std::string_view finalUrl) {
    const DispositionName disposition = ContentDispositionName(contentDisposition);
    if (disposition.found) return disposition.name;
    UrlParts parts;
    if (!CrackUrl(finalUrl, parts)) return {};
    const PathParts split = SplitPath(parts.urlPath);
    if (split.extension.empty()) return {};
    return SafeServerName(split.name + split.extension);
}

std::string TemporaryFileName(std::size_t room, unsigned attempt) {
    static constexpr char HEX[] = "0123456789abcdef";
    std::string digits;
    for (int shift = 12; shift >= 0; shift -= 4) digits += HEX[(attempt >> shift) & 0xF];
    const std::string preferred = "kv" + digits + ".tmp";
    if (preferred.size() <= room) return preferred;
    // A folder this deep leaves room for a few characters only: hex digits, as many as fit.
    return digits.substr(digits.size() - std::min(room, digits.size()));
}

std::string NumberedFileName(std::string_view name, unsigned number, std::size_t room) {
    const std::size_t limit = std::min(room, NAME_MAX_CHARS);
    if (number <= 1 && PathLength(name) <= limit) return std::string(name);
    const std::size_t dot = name.rfind('.');
    // A name that is all extension (".htaccess") is numbered at its end.
    const std::size_t stemEnd = dot == std::string_view::npos || dot == 0 ? name.size() : dot;
    const std::string mark = number <= 1 ? std::string() : " (" + std::to_string(number) + ")";
    const std::string suffix = mark + std::string(name.substr(stemEnd));
    if (PathLength(suffix) >= limit) return {};
    std::string stem = CutToFit(name.substr(0, stemEnd), limit - PathLength(suffix));
    // Windows would drop a blank or dot the cut leaves at the very end.
    while (suffix.empty() && !stem.empty() && (stem.back() == ' ' || stem.back() == '.')) stem.pop_back();
    if (stem.empty()) return {};
    return stem + suffix;
}

std::string DisplayedFileName(std::string_view name) {
    // A run of blanks could push the extension out of sight: the user must see what the file is.
    std::string shown;
    for (char c : name) {
        if (c != ' ' || shown.empty() || shown.back() != ' ') shown += c;
    }
    return shown;
}

}  // namespace korvo
