// Taking a path apart into drive, folder, name and extension. '\\' and '/' both separate folders,
// so the same rules serve file-system paths and URL paths; characters are never cut in two, and
// no byte of a multi-byte UTF-8 character is ever a separator, a colon or a dot.
#pragma once

#include <string>
#include <string_view>

namespace korvo {

struct PathParts {
    std::string drive;      // "D:" when the second character is ':', else empty
    std::string folder;     // after the drive, up to and including the last separator
    std::string name;       // last segment without its extension
    std::string extension;  // from the last '.' of the last segment, dot included
};

// Looks at the first 260 bytes of `path` only; each part holds at most 255 bytes.
PathParts SplitPath(std::string_view path);

}  // namespace korvo
