// The name a server gives (Content-Disposition, else the final URL) on arbitrary headers: whatever
// arrives, the result is a bare file name that cannot leave the chosen folder, and valid UTF-8
// headers give a valid UTF-8 name (an invalid filename*= value is never taken).
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "actions/download_name.h"
#include "base/text.h"
#include "safe_file_name.h"

// The input is the header, a line break, then the final URL.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t lineEnd = input.find('\n');
    const std::string_view header = input.substr(0, lineEnd);
    const std::string_view url = lineEnd == std::string_view::npos ? std::string_view() : input.substr(lineEnd + 1);

    const std::string name = korvo::ServerFileName(header, url);
    if (name.empty()) return 0;
    if (!korvo::fuzz::IsSafeFileName(name)) __builtin_trap();
    if (korvo::IsValidUtf8(input) && !korvo::IsValidUtf8(name)) __builtin_trap();
    return 0;
}
