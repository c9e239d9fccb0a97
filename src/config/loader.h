// Finding, reading and walking the configuration file. The file is read whole once per run; each
// section is found by its header anywhere in the text and read line by line up to "%end" or the
// end of the file.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "platform/platform.h"
#include "state/run_state.h"

namespace korvo {

// One line as ReadConfigLine gives it: at most LINE_MAX_CHARS bytes as the file counts them
// (`encoding`), no CR or tab, ending at a NUL if the physical line holds one. `consumed` counts
// the bytes of the decoded text stepped over, the line feed included; for a last line without a
// line feed it is one more than the bytes that remained.
struct ConfigLine {
    std::string text;
    std::size_t consumed = 0;
};

ConfigLine ReadConfigLine(std::string_view configText, std::size_t start, FileEncoding encoding);

// What a section's line handler tells the walk.
struct LineOutcome {
    bool endSection = false;
    std::size_t advance = 0;  // bytes to step over; 0 means the line's own consumed count
};

// `line` has its leading blanks removed; `lineStart` is its offset in the text, for handlers that
// read further lines themselves.
using SectionLineHandler =
    std::function<LineOutcome(const std::string& line, std::size_t lineStart)>;

// Finds `header` (any case, up to the first NUL) and hands every following line to `handler` up to
// a "%end" line or the end of the text. False when the header does not occur.
bool WalkSection(std::string_view configText, FileEncoding encoding, std::string_view header,
                 const SectionLineHandler& handler);

// Discovers and reads the configuration file, decodes it (code page 932 or UTF-8), then reads its
// sections. 1 on success; 0 (after telling the user) when the file cannot be opened or read, or
// claims UTF-8 and is not.
int LoadConfiguration(Platform& platform, RunState& run);

}  // namespace korvo
