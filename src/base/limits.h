// The fixed limits of Korvo's texts and tables. Texts are std::string, but never longer than
// these: over-long input is cut or refused, never grown.
#pragma once

#include <cstddef>

namespace korvo {

constexpr std::size_t PATH_MAX_CHARS = 259;          // a 260-byte path or single value
constexpr std::size_t NAME_MAX_CHARS = 255;          // a part of a split path
constexpr std::size_t TOKEN_MAX_CHARS = 519;         // a command-line token or target
constexpr std::size_t LINE_MAX_CHARS = 517;          // one configuration line as read
constexpr std::size_t EXPANDED_LINE_MAX_CHARS = 519; // a configuration line after expansion
constexpr std::size_t COMMAND_LINE_MAX_CHARS = 1039; // a built command line
constexpr std::size_t SCHEME_MAX_CHARS = 31;         // UrlParts::scheme
constexpr std::size_t PARAM_NAME_MAX_CHARS = 19;
constexpr int FOLDER_MAX = 500;
constexpr int PARAM_MAX = 10;
constexpr int PROGRAM_MAX = 10;

}  // namespace korvo
