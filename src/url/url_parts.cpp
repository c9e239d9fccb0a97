#include "url/url_parts.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <utility>

#include "base/text.h"
#include "url/path_split.h"

namespace korvo {

namespace {

constexpr char DEFAULT_FILE_NAME[] = "index.html";

bool IsSchemeCharacter(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '+' || c == '.' || c == '-';
}

// The library tests scheme characters as Unicode letters and digits, so Japanese letters pass.
// Approximated by the blocks of letters: Latin, Greek, Cyrillic, kana, the ideographs, Hangul
// and the full- and half-width forms pass; punctuation and symbols do not. Only the success of
// cracking a scheme nobody downloads from depends on it.
std::size_t SchemeLetterLength(std::string_view text, std::size_t at) {
    std::size_t length = 1;
    const char32_t c = CodePointAt(text, at, length);
    const bool letter = (c >= 0xC0 && c <= 0x24F && c != 0xD7 && c != 0xF7) || (c >= 0x370 && c <= 0x52F) ||
                        (c >= 0x3041 && c <= 0x30FF && c != 0x30FB) || (c >= 0x3400 && c <= 0x9FFF) ||
                        (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xFF10 && c <= 0xFF19) ||
                        (c >= 0xFF21 && c <= 0xFF3A) || (c >= 0xFF41 && c <= 0xFF5A) ||
                        (c >= 0xFF66 && c <= 0xFF9F);
    return letter ? length : 0;
}

// Like the library, a component that does not fit its buffer with its terminator fails the call.
bool SetComponent(std::string& component, std::string_view value, std::size_t maxChars) {
    if (PathLength(value) > maxChars) return false;
    component = std::string(value);
    return true;
}

// <user>[:<password>]@<host>[:<port>] between `from` and `end`; `from` is left at the host's end.
bool CrackNetworkLocation(std::string_view url, std::size_t& from, std::size_t end,
                          UrlParts& parts) {
    std::size_t at = url.find('@', from);
    if (at != std::string_view::npos && at <= end) {
        // The last colon before "@" separates the password, so a user name may hold colons.
        std::size_t colon = url.substr(from, at - from).rfind(':');
        std::size_t userEnd = colon == std::string_view::npos ? at : from + colon;
        if (!SetComponent(parts.userName, url.substr(from, userEnd - from), PATH_MAX_CHARS)) return false;
        std::string_view password =
            userEnd == at ? std::string_view() : url.substr(userEnd + 1, at - userEnd - 1);
        if (!SetComponent(parts.password, password, PATH_MAX_CHARS)) return false;
        from = at + 1;
    }
    // The port, after the last colon of the host part, is not kept.
    std::size_t colon = url.substr(from, end - from).rfind(':');
    std::size_t hostEnd = colon == std::string_view::npos ? end : from + colon;
    if (!SetComponent(parts.hostName, url.substr(from, hostEnd - from), PATH_MAX_CHARS)) return false;
    from = end;
    return true;
}

bool IsDeviceName(std::string_view stem) {
    static constexpr std::array<std::string_view, 4> plain = {"CON", "PRN", "AUX", "NUL"};
    for (std::string_view device : plain) {
        if (stem.size() == device.size() && StartsWithNoCase(stem, device, device.size())) return true;
    }
    if (!StartsWithNoCase(stem, "COM", 3) && !StartsWithNoCase(stem, "LPT", 3)) return false;
    // Windows takes the superscript digits one to three for device numbers too.
    const std::string_view number = stem.substr(3);
    if (number == "\u00B9" || number == "\u00B2" || number == "\u00B3") return true;
    return number.size() == 1 && number[0] >= '1' && number[0] <= '9';
}

bool IsRefusedCharacter(unsigned char c) {
    return c < 0x20 || c == '<' || c == '>' || c == ':' || c == '"' || c == '|' || c == '?' ||
           c == '*';
}

// Windows drops blanks and dots at the end of a name: the file would be written under another
// name than the one shown and checked.
void StripTrailingDotsAndBlanks(std::string& name) {
    while (!name.empty() && (name.back() == ' ' || name.back() == '.')) name.pop_back();
}

// What Windows reads as the device part: before the first dot, without the blanks and dots it
// drops, so "con .txt" still opens the device.
std::string_view DeviceStem(std::string_view name) {
    std::string_view stem = name.substr(0, name.find('.'));
    while (!stem.empty() && (stem.back() == ' ' || stem.back() == '.')) stem.remove_suffix(1);
    return stem;
}

// A name over the limit loses characters before its extension, so its type stays what it was.
// An extension that alone fills the limit is cut like the rest.
std::string ShortenKeepingExtension(std::string_view name) {
    if (PathLength(name) <= NAME_MAX_CHARS) return std::string(name);
    const std::size_t dot = name.rfind('.');
    std::string_view extension = dot == std::string_view::npos ? std::string_view() : name.substr(dot);
    if (PathLength(extension) >= NAME_MAX_CHARS) extension = {};
    const std::string_view stem = name.substr(0, name.size() - extension.size());
    return CutToFit(stem, NAME_MAX_CHARS - PathLength(extension)) + std::string(extension);
}

// The name as it will stand on disk: within the limit, with nothing Windows would drop at its end.
std::string FittedName(std::string name) {
    StripTrailingDotsAndBlanks(name);
    name = ShortenKeepingExtension(name);
    StripTrailingDotsAndBlanks(name);
    return name;
}

}  // namespace

bool CrackUrl(std::string_view url, UrlParts& parts) {
    url = url.substr(0, url.find('\0'));
    if (url.empty()) return false;

    std::size_t colon = 0;
    while (colon < url.size()) {
        std::size_t length = IsSchemeCharacter(url[colon]) ? 1 : SchemeLetterLength(url, colon);
        if (length == 0) break;
        colon += length;
    }
    if (colon >= url.size() || url[colon] != ':') return false;

    // The query starts at the first "?"; only without one does a "#" start the extra information.
    std::size_t extra = url.find('?', colon);
    if (extra == std::string_view::npos) extra = url.find('#', colon);
    std::string_view extraInfo = extra == std::string_view::npos ? std::string_view() : url.substr(extra);
    // Query and fragment may be as long as the URL itself (a signed link carries its credentials
    // there); only the parts that become paths and names keep the path limit.
    if (!SetComponent(parts.extraInfo, extraInfo, URL_MAX_CHARS)) return false;
    if (!SetComponent(parts.scheme, url.substr(0, colon), SCHEME_MAX_CHARS)) return false;

    std::size_t cursor = colon + 1;
    parts.userName.clear();
    parts.password.clear();
    parts.hostName.clear();
    if (url.substr(cursor, 2) == "//") {
        cursor += 2;
        std::size_t locationEnd = std::min({url.find('/', cursor), extra, url.size()});
        if (!CrackNetworkLocation(url, cursor, locationEnd, parts)) return false;
    }

    parts.urlPath.clear();
    if (cursor < url.size() && (extra == std::string_view::npos || cursor <= extra)) {
        std::size_t pathEnd = extra == std::string_view::npos ? url.size() : extra;
        if (!SetComponent(parts.urlPath, url.substr(cursor, pathEnd - cursor), PATH_MAX_CHARS)) {
            return false;
        }
    }
    return true;
}

std::string MakeSafeFileName(std::string_view name) {
    std::string safe;
    for (char c : name) safe += IsRefusedCharacter(static_cast<unsigned char>(c)) ? '_' : c;
    safe = FittedName(std::move(safe));
    // The "_" may push the name past its limit: fitted again, it still starts with the "_".
    if (IsDeviceName(DeviceStem(safe))) safe = FittedName("_" + safe);
    return safe;
}

std::string PercentEncodeNonAscii(std::string_view url) {
    static constexpr char HEX[] = "0123456789ABCDEF";
    std::string encoded;
    for (char c : url) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            encoded += c;
        } else {
            encoded += '%';
            encoded += HEX[byte >> 4];
            encoded += HEX[byte & 0xF];
        }
    }
    return encoded;
}

int DeriveFileName(UrlParts& parts, std::string_view url) {
    parts.fileNameFromUrl = 1;
    if (CrackUrl(url, parts)) {
        PathParts split = SplitPath(parts.urlPath);
        std::string name = split.extension.empty() ? std::string() : MakeSafeFileName(split.name + split.extension);
        if (!name.empty()) {
            parts.fileName = std::move(name);
            return 1;
        }
    }
    parts.fileName = DEFAULT_FILE_NAME;
    parts.fileNameFromUrl = 0;
    return 0;
}

}  // namespace korvo
