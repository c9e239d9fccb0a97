// The placeholder expander: the first line of the input is cut into up to ten parameter rows
// ("name=value" pairs separated by "|"), the rest is the text to expand.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/text.h"
#include "fake_platform.h"
#include "template/placeholders.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    std::size_t lineEnd = input.find('\n');
    std::string_view rows = input.substr(0, lineEnd);
    std::string_view text = lineEnd == std::string_view::npos ? std::string_view() : input.substr(lineEnd + 1);

    korvo::testing::FakePlatform platform;
    korvo::RunState run = korvo::testing::StartedRun("Korvo.exe", 1);
    while (!rows.empty() && run.params.size() < static_cast<std::size_t>(korvo::PARAM_MAX)) {
        std::string_view row = rows.substr(0, rows.find('|'));
        rows = row.size() < rows.size() ? rows.substr(row.size() + 1) : std::string_view();
        std::size_t equals = row.find('=');
        korvo::ParamEntry entry;
        entry.name = korvo::CutToFit(row.substr(0, equals), korvo::PARAM_NAME_MAX_CHARS);
        if (equals != std::string_view::npos) {
            entry.value = std::string(row.substr(equals + 1));  // whole, as the reader keeps it
        }
        run.params.push_back(entry);
    }

    std::string expanded = korvo::ExpandPlaceholders(platform, run, text);
    if (korvo::PathLength(expanded) > korvo::PLACEHOLDER_TEXT_MAX_CHARS) __builtin_trap();
    if (korvo::IsValidUtf8(input) && !korvo::IsValidUtf8(expanded)) __builtin_trap();
    // Text without any "%" and no parameters comes back unchanged (when it fits).
    if (run.params.empty() && text.find('%') == std::string_view::npos &&
        korvo::PathLength(text) <= korvo::PLACEHOLDER_TEXT_MAX_CHARS && expanded != text) {
        __builtin_trap();
    }
    return 0;
}
