// The name a server gives (Content-Disposition, else the final URL) on arbitrary headers: whatever
// arrives, the result is a bare file name that cannot leave the chosen folder.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "actions/download_name.h"
#include "safe_file_name.h"

namespace {

// Stands in for the system's conversion: ASCII stays, anything else becomes "_".
std::string AsciiOnly(const std::string& utf8) {
    std::string text;
    for (char c : utf8) text += static_cast<unsigned char>(c) < 0x80 ? c : '_';
    return text;
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
    if (!korvo::fuzz::IsSafeFileName(name)) __builtin_trap();
    return 0;
}
