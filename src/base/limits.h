// The fixed limits of Korvo's texts and tables. Texts are std::string, but never longer than
// these: over-long input is cut or refused, never grown.
#pragma once

#include <cstddef>

namespace korvo {

constexpr std::size_t PATH_MAX_CHARS = 259;          // a 260-byte path or single value
constexpr std::size_t NAME_MAX_CHARS = 255;          // a part of a split path
constexpr std::size_t TOKEN_MAX_CHARS = 519;         // a command-line token
// A target: WinINet's own limit on a URL (INTERNET_MAX_URL_LENGTH). A longer URL is refused,
// never cut: a cut URL names another resource.
constexpr std::size_t URL_MAX_CHARS = 2083;
constexpr std::size_t LINE_MAX_CHARS = 517;          // one configuration line as read
constexpr std::size_t EXPANDED_LINE_MAX_CHARS = 519; // a configuration line after expansion
// What each way of starting a program hands over whole, counted as Windows counts (UTF-16
// units, without the terminator). CreateProcess takes 32,767 with its terminator; cmd.exe reads
// at most 8,191; the shell's ShellExecute passes on about INTERNET_MAX_PATH_LENGTH.
constexpr std::size_t PROCESS_LINE_MAX_CHARS = 32766;
constexpr std::size_t CMD_LINE_MAX_CHARS = 8191;
constexpr std::size_t SHELL_LINE_MAX_CHARS = 2048;
constexpr std::size_t SCHEME_MAX_CHARS = 31;         // UrlParts::scheme
constexpr std::size_t PARAM_NAME_MAX_CHARS = 19;
constexpr int FOLDER_MAX = 500;
constexpr int PARAM_MAX = 10;
constexpr int PROGRAM_MAX = 10;

}  // namespace korvo
