// URL cracking and the file name derived from it, on arbitrary text.
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
        if (parts.scheme.size() > korvo::SCHEME_MAX_CHARS || parts.urlPath.size() > korvo::PATH_MAX_CHARS ||
            parts.hostName.size() > korvo::PATH_MAX_CHARS || parts.extraInfo.size() > korvo::URL_MAX_CHARS) {
            __builtin_trap();
        }
    }
    korvo::UrlParts derived;
    int fromUrl = korvo::DeriveFileName(derived, url);
    if (fromUrl != derived.fileNameFromUrl || !korvo::fuzz::IsSafeFileName(derived.fileName)) __builtin_trap();
    return 0;
}
