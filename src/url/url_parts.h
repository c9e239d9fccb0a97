// Taking the run's URL apart, and the name under which its download is saved.
#pragma once

#include <string>
#include <string_view>

#include "state/run_state.h"

namespace korvo {

// Splits `url` into scheme, host, user name, password, path and extra information (query and
// fragment) the way the Internet client library's URL parser does with no decoding and buffers of
// 32 characters for the scheme, URL_MAX_CHARS + 1 for the extra information and 260 for the rest.
// False when the text has no scheme or a component does not fit; `parts` may then hold some
// components. Leaves fileName and fileNameFromUrl alone.
bool CrackUrl(std::string_view url, UrlParts& parts);

// Makes `name` usable as a file name on Windows, exactly as it will stand on disk: characters the
// file system refuses become "_", trailing dots and blanks go, a name over 255 characters is
// shortened before its extension, and a device name (CON, NUL, COM1...) before the first dot gets
// a "_" in front. Empty when nothing is left: that is no name.
std::string MakeSafeFileName(std::string_view name);

// The URL as a request sends it: each byte of a character beyond ASCII percent-encoded, which is
// UTF-8 as browsers send an address typed with such characters; everything else, escapes
// included, as it is. The Internet library would otherwise respell such characters itself.
std::string PercentEncodeNonAscii(std::string_view url);

// Fills `parts` from `url`; the name is the last path segment when it has an extension and
// something is left of it once made safe, else "index.html". Returns 1 when the name came from the URL.
int DeriveFileName(UrlParts& parts, std::string_view url);

}  // namespace korvo
