#include "app/clipboard.h"

#include "base/text.h"
#include "url/targets.h"

namespace korvo {

namespace {

// The text cut to CLIPBOARD_TEXT_MAX_CHARS, less a last line that the limit cuts
// through: a cut line could pass for a shorter URL. A line whose text ends exactly at the limit
// is whole.
std::string WithinClipboardLimit(const std::string& text) {
    std::string kept = CutToFit(text, CLIPBOARD_TEXT_MAX_CHARS);
    if (kept.size() == text.size() || text[kept.size()] == '\r' || text[kept.size()] == '\n') {
        return kept;
    }
    const std::size_t lastLineFeed = kept.rfind('\n');
    kept.erase(lastLineFeed == std::string::npos ? 0 : lastLineFeed + 1);
    return kept;
}

}  // namespace

int ReadClipboardTargets(Platform& platform, RunState& run) {
    // The platform hands over a copy and has closed the clipboard already: another program may
    // use it while the text is tokenised.
    std::optional<std::string> text = platform.ReadClipboardText();
    if (!text || text->empty()) return 0;
    ParseTargets(run.targets, WithinClipboardLimit(*text), TARGET_MODE_CLIPBOARD,
                 run.selectedProgram != -1);
    return 1;
}

}  // namespace korvo
