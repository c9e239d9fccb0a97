#include "app/clipboard.h"

#include "base/text.h"
#include "url/targets.h"

namespace korvo {

int ReadClipboardTargets(Platform& platform, RunState& run) {
    // The platform hands over a copy and has closed the clipboard already: another program may
    // use it while the text is tokenised.
    std::optional<std::string> text = platform.ReadClipboardText();
    if (!text || text->empty()) return 0;
    ParseTargets(run.targets, CutToFit(*text, CLIPBOARD_TEXT_MAX_CHARS), TARGET_MODE_CLIPBOARD,
                 run.selectedProgram != -1);
    return 1;
}

}  // namespace korvo
