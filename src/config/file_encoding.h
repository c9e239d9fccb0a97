// The two encodings a configuration or search-path file may be written in. Code page 932
// (Shift-JIS) is what every existing file holds; UTF-8 is what current editors save. A file with a
// byte-order mark is UTF-8, a file that is not valid UTF-8 is code page 932; a file that reads
// validly both ways (half-width katakana pairs often are valid UTF-8, and "Zoë" in UTF-8 is two
// of them) has two readings, and the caller chooses between them. Either way the core reads the
// file as UTF-8 text, and the limits of a line and of its fields count what the text takes in
// code page 932, so that a file gives the same menu whichever encoding it was saved in.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"
#include "state/run_state.h"

namespace korvo {

// How a file's bytes were read.
enum class FileEncoding { CodePage932, Utf8 };

struct DecodedFile {
    std::string text;  // UTF-8, without a byte-order mark
    FileEncoding encoding = FileEncoding::Utf8;
};

// The file's readings as UTF-8 text, UTF-8 first when it is one of them; never empty. A line that
// is not valid in its encoding is dropped with its line feed, so that it costs that line alone
// (a block of lines read as one goes on past it).
std::vector<DecodedFile> FileReadings(Platform& platform, const std::string& bytes);

// The bytes one character takes in a configuration line as code page 932 counts: one for ASCII
// and the half-width katakana, two for everything else, a character the code page lacks included.
std::size_t ConfigCharLength(char32_t c);

// Cuts `text` to what fits `maxBytes` bytes so counted, never splitting a character.
std::string CutToFileBytes(std::string_view text, std::size_t maxBytes);

}  // namespace korvo
