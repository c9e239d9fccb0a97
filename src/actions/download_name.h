// The names a download is written under: the name the server gives when the URL has none, and the
// temporary file's name while the body arrives.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace korvo {

// The file name a Content-Disposition header carries: the "filename*=UTF-8''..." form when
// present and valid UTF-8 (kept exactly as sent), else the plain "filename=" form as the
// Internet library decoded it. `found` tells whether the header names a file at all,
// so that a refused name (empty, dots only) can be told from no name. Made safe; empty when
// refused.
struct DispositionName {
    bool found = false;
    std::string name;
};
DispositionName ContentDispositionName(std::string_view header);

// A name chosen by the server, reduced to what may stand in the chosen folder: only what follows
// the last "/" or "\" counts, made safe as a derived name is; empty when nothing is left of it
// (nothing, or only dots and blanks).
std::string SafeServerName(std::string_view name);

// The name the server gives: the Content-Disposition name when the header names a file, else the
// last path segment of the final URL when it has an extension; empty when neither gives one.
std::string ServerFileName(std::string_view contentDisposition, std::string_view finalUrl);

// The `number`th choice of a name for a file Korvo named: the name itself for 1, else
// "name (n).ext", its stem shortened so that the whole stays within `room` characters (and a
// name's 255), so that a deep folder still gets the server's name and type. Empty when it cannot
// fit.
std::string NumberedFileName(std::string_view name, unsigned number, std::size_t room);

// The name as the progress window shows it: runs of blanks collapsed, so that the extension stays
// in sight.
std::string DisplayedFileName(std::string_view name);

// The temporary file's name for attempt `attempt`, at most `room` characters long, so that it
// fits wherever the final name fits. Empty when `room` is 0.
std::string TemporaryFileName(std::size_t room, unsigned attempt);

}  // namespace korvo
