#include "actions/download_progress.h"

#include <cstdio>

#include "base/texts.h"

namespace korvo {

std::string FormatSize(unsigned long long bytes) {
    char text[64];
    const double value = static_cast<double>(bytes);
    if (bytes < 1024) {
        std::snprintf(text, sizeof(text), "%llu %s", bytes, TEXT_BYTES);
    } else if (bytes < 1024ull * 1024) {
        std::snprintf(text, sizeof(text), "%.1f KB", value / 1024);
    } else if (bytes < 1024ull * 1024 * 1024) {
        std::snprintf(text, sizeof(text), "%.1f MB", value / (1024.0 * 1024));
    } else {
        std::snprintf(text, sizeof(text), "%.2f GB", value / (1024.0 * 1024 * 1024));
    }
    return text;
}

std::string ProgressStatus(unsigned long long received, long long announced,
                           std::uint64_t elapsedMs) {
    std::string status = FormatSize(received);
    if (announced >= 0) status += " / " + FormatSize(static_cast<unsigned long long>(announced));
    if (elapsedMs > 0) {
        const auto rate = static_cast<unsigned long long>(static_cast<double>(received) * 1000.0 /
                                                          static_cast<double>(elapsedMs));
        status += " (" + FormatSize(rate) + TEXT_PER_SECOND + ")";
    }
    return status;
}

int ProgressPercent(unsigned long long received, long long announced) {
    if (announced <= 0) return announced == 0 ? 100 : -1;
    if (received >= static_cast<unsigned long long>(announced)) return 100;
    return static_cast<int>(received * 100 / static_cast<unsigned long long>(announced));
}

std::string ProgressTitle(const std::string& fileName, int percent) {
    if (percent < 0) return fileName;
    return std::to_string(percent) + "% – " + fileName;
}

}  // namespace korvo
