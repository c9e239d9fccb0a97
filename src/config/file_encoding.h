// The two encodings a configuration or search-path file may be written in. Code page 932
// (Shift-JIS) is what every existing file holds; UTF-8 is what current editors save. A file is
// UTF-8 when it starts with a byte-order mark or, without one, when it is valid UTF-8 holding at
// least one multi-byte character: Japanese text in code page 932 practically never is. Either
// way the core reads the file as UTF-8 text; only the limits of a line and of its fields still
// count the bytes the characters take in the file itself.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "platform/platform.h"
#include "state/run_state.h"

namespace korvo {

struct DecodedFile {
    std::string text;  // UTF-8, without a byte-order mark
    FileEncoding encoding = FileEncoding::Utf8;
};

// The file's text as UTF-8. A code page 932 line that is not valid code page 932 is emptied,
// like any line that names nothing; a file that claims UTF-8 with a byte-order mark and is not
// valid UTF-8 is refused (nullopt).
std::optional<DecodedFile> DecodeFileText(Platform& platform, const std::string& bytes);

// The bytes one character takes in a file of `encoding`.
std::size_t FileCharLength(char32_t c, FileEncoding encoding);

// Cuts `text` to what fits `maxBytes` bytes of a file of `encoding`, never splitting a character.
std::string CutToFileBytes(std::string_view text, std::size_t maxBytes, FileEncoding encoding);

}  // namespace korvo
