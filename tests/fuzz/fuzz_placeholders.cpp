// Placeholder expansion on arbitrary parameter tables and texts. The input's lines up to the first
// empty one are "name | value" rows (as many as the table holds); the rest is the text expanded.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fake_platform.h"
#include "template/placeholders.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    korvo::testing::FakePlatform platform;
    korvo::RunState run = korvo::testing::StartedRun("Korvo.exe", 1);
    run.paramSeen = true;
    std::size_t at = 0;
    while (at < input.size() && run.params.size() < static_cast<std::size_t>(korvo::PARAM_MAX)) {
        std::size_t end = input.find('\n', at);
        if (end == std::string_view::npos || end == at) break;
        std::string_view line = input.substr(at, end - at);
        at = end + 1;
        std::size_t separator = line.find(" | ");
        if (separator == std::string_view::npos) continue;
        korvo::ParamEntry row;
        row.name = std::string(line.substr(0, separator)).substr(0, korvo::PARAM_NAME_MAX_CHARS);
        row.value = std::string(line.substr(separator + 3)).substr(0, korvo::PATH_MAX_CHARS);
        run.params.push_back(row);
    }
    if (at < input.size() && input[at] == '\n') ++at;
    std::string_view text = input.substr(at);

    std::string expanded = korvo::ExpandPlaceholders(platform, run, text);
    if (expanded.size() > korvo::EXPANDED_LINE_MAX_CHARS) __builtin_trap();
    // Without parameters nothing changes but the cut.
    run.params.clear();
    std::string plain = korvo::ExpandPlaceholders(platform, run, text);
    if (plain != text.substr(0, plain.size())) __builtin_trap();
    return 0;
}
