// URL cracking and the file name derived from it, on arbitrary text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/url_parts.h"
#include "base/text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string url(reinterpret_cast<const char*>(data), size);
    korvo::UrlParts parts;
    if (korvo::CrackUrl(url, parts)) {
        if (parts.scheme.size() > korvo::SCHEME_MAX_CHARS || parts.urlPath.size() > korvo::PATH_MAX_CHARS ||
            parts.hostName.size() > korvo::PATH_MAX_CHARS || parts.extraInfo.size() > korvo::PATH_MAX_CHARS) {
            __builtin_trap();
        }
    }
    korvo::RunState run;
    int fromUrl = korvo::DeriveFileName(run, url);
    if (fromUrl != run.url.fileNameFromUrl || run.url.fileName.empty() ||
        run.url.fileName.size() > korvo::PATH_MAX_CHARS) {
        __builtin_trap();
    }
    for (std::size_t at = 0; at < run.url.fileName.size(); ++at) {
        unsigned char c = static_cast<unsigned char>(run.url.fileName[at]);
        if (korvo::IsLeadByte(c) && at + 1 < run.url.fileName.size()) {
            ++at;
            continue;
        }
        if (c < 0x20 || c == '<' || c == '>' || c == ':' || c == '"' || c == '|' || c == '?' || c == '*' ||
            c == '/' || c == '\\') {
            __builtin_trap();
        }
    }
    return 0;
}
