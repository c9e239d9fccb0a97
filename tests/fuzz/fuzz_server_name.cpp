// The name a server gives (Content-Disposition, else the final URL) on arbitrary headers: whatever
// arrives, the result is a bare file name that cannot leave the chosen folder.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "actions/download_name.h"
#include "base/text.h"

namespace {

// Stands in for the system's conversion: ASCII stays, anything else becomes "_".
std::string AsciiOnly(const std::string& utf8) {
    std::string text;
    for (char c : utf8) text += static_cast<unsigned char>(c) < 0x80 ? c : '_';
    return text;
}

bool IsForbidden(unsigned char c) {
    return c < 0x20 || c == '<' || c == '>' || c == ':' || c == '"' || c == '|' || c == '?' || c == '*' ||
           c == '/' || c == '\\';
}

}  // namespace

// The input is the header, a line break, then the final URL.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t lineEnd = input.find('\n');
    const std::string_view header = input.substr(0, lineEnd);
    const std::string_view url = lineEnd == std::string_view::npos ? std::string_view() : input.substr(lineEnd + 1);

    const std::string name = korvo::ServerFileName(header, url, AsciiOnly);
    if (name.empty()) return 0;
    if (name.find_first_not_of(". ") == std::string::npos) __builtin_trap();
    for (std::size_t at = 0; at < name.size(); ++at) {
        const auto c = static_cast<unsigned char>(name[at]);
        if (korvo::IsLeadByte(c) && at + 1 < name.size()) {
            ++at;
            continue;
        }
        if (IsForbidden(c)) __builtin_trap();
    }
    return 0;
}
