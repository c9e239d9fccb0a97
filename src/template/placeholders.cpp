#include "template/placeholders.h"

#include "base/text.h"

namespace korvo {

namespace {

// Replaces every occurrence of `token` by `value`. The search resumes after the inserted value,
// so a value holding its own token is not expanded again; the cut keeps the text bounded however
// often the token occurs.
void ReplaceAll(std::string& text, std::string_view token, std::string_view value) {
    std::size_t from = 0;
    while (from < text.size()) {
        std::size_t found = FindNoCase(std::string_view(text).substr(from), token);
        if (found == std::string_view::npos) return;
        std::size_t at = from + found;
        text = CutToFit(text.substr(0, at) + std::string(value) + text.substr(at + token.size()),
                        EXPANDED_LINE_MAX_CHARS);
        from = at + value.size();
    }
}

}  // namespace

std::string ExpandPlaceholders(Platform& /*platform*/, const RunState& run, std::string_view text) {
    std::string expanded = CutToFit(text, EXPANDED_LINE_MAX_CHARS);
    // The shell's special folders, the program folder and the date tokens are expanded before the
    // user parameters once they are supported; the user parameters come last, as here.
    for (const ParamEntry& row : run.params) ReplaceAll(expanded, row.name, row.value);
    return expanded;
}

}  // namespace korvo
