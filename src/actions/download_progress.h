// What the download's progress window says. The window itself is the Win32 layer's; when it
// opens and what it reads are decided here.
#pragma once

#include <cstdint>
#include <string>

namespace korvo {

// A download still running this long after it started opens the progress window; a shorter one
// shows nothing, as a quick download always has.
constexpr std::uint64_t PROGRESS_DELAY_MS = 1000;

// "512 バイト", "12.5 KB", "3.4 MB", "1.25 GB" (units of 1024).
std::string FormatSize(unsigned long long bytes);

// Received of total and the average rate so far: "3.4 MB / 5.0 MB (1.2 MB/秒)"; without a
// total, "3.4 MB (1.2 MB/秒)".
std::string ProgressStatus(unsigned long long received, long long announced,
                           std::uint64_t elapsedMs);

// 0..100 when the size is known, else -1. Never past 100, even when more arrives than announced.
int ProgressPercent(unsigned long long received, long long announced);

// What and how far, for the progress window's title and so its taskbar button and Alt+Tab:
// "45% – report.pdf", or the name alone while the size is unknown (`percent` -1).
std::string ProgressTitle(const std::string& fileName, int percent);

}  // namespace korvo
