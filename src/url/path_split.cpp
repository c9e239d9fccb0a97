#include "url/path_split.h"

#include "base/limits.h"
#include "base/text.h"

namespace korvo {

namespace {

constexpr std::size_t SPLIT_INPUT_MAX_CHARS = 260;

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// "." and ".." name folders, not files with an empty name.
bool IsDotSegment(std::string_view segment) { return segment == "." || segment == ".."; }

}  // namespace

PathParts SplitPath(std::string_view path) {
    // The path is a C string to the rest of Korvo: a NUL ends it.
    std::size_t terminator = path.find('\0');
    if (terminator != std::string_view::npos) path = path.substr(0, terminator);
    std::string text = CutToFit(path, SPLIT_INPUT_MAX_CHARS);

    PathParts parts;
    std::size_t rest = 0;
    if (text.size() >= 2 && text[1] == ':') {
        parts.drive = text.substr(0, 2);
        rest = 2;
    }

    std::size_t segmentStart = rest;
    std::size_t lastDot = std::string::npos;
    for (std::size_t at = rest; at < text.size(); ++at) {
        if (IsSeparator(text[at])) {
            segmentStart = at + 1;
            lastDot = std::string::npos;
        } else if (text[at] == '.') {
            lastDot = at;
        }
    }

    std::string_view whole(text);
    std::string_view segment = whole.substr(segmentStart);
    if (IsDotSegment(segment)) {
        parts.folder = CutToFit(whole.substr(rest), NAME_MAX_CHARS);
        return parts;
    }
    parts.folder = CutToFit(whole.substr(rest, segmentStart - rest), NAME_MAX_CHARS);
    if (lastDot == std::string::npos) {
        parts.name = CutToFit(segment, NAME_MAX_CHARS);
    } else {
        parts.name = CutToFit(whole.substr(segmentStart, lastDot - segmentStart), NAME_MAX_CHARS);
        parts.extension = CutToFit(whole.substr(lastDot), NAME_MAX_CHARS);
    }
    return parts;
}

}  // namespace korvo
