// URL cracking and the file name derived from it, on arbitrary text: components within their
// limits (UTF-16 units), and from valid UTF-8 a valid UTF-8 name.
#include <cstddef>
#include <cstdint>
#include <string>

#include "base/text.h"
#include "safe_file_name.h"
#include "url/url_parts.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string url(reinterpret_cast<const char*>(data), size);
    korvo::UrlParts parts;
    if (korvo::CrackUrl(url, parts)) {
        using korvo::PathLength;
        if (PathLength(parts.scheme) > korvo::SCHEME_MAX_CHARS || PathLength(parts.urlPath) > korvo::PATH_MAX_CHARS ||
            PathLength(parts.hostName) > korvo::PATH_MAX_CHARS || PathLength(parts.extraInfo) > korvo::URL_MAX_CHARS) {
            __builtin_trap();
        }
    }
    korvo::UrlParts derived;
    int fromUrl = korvo::DeriveFileName(derived, url);
    if (fromUrl != derived.fileNameFromUrl || !korvo::fuzz::IsSafeFileName(derived.fileName) ||
        (korvo::IsValidUtf8(url) && !korvo::IsValidUtf8(derived.fileName))) {
        __builtin_trap();
    }
    return 0;
}
