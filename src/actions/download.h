// The built-in downloader: fetches the URL into the chosen folder under the derived file name.
//
// The body goes to a temporary file in the destination folder, which replaces the final name only
// once the transfer has completed; after any failure the temporary file is removed and an existing
// file of the final name is left as it was. When the URL gave no name, the server's name is used,
// and that one never replaces a file: the user did not see it. The transfer runs on a worker
// under a deadline, because a server that stalls would otherwise block the read for ever; a
// transfer that takes longer than a second shows a progress window, whose Cancel abandons the
// worker at once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/platform.h"
#include "state/run_state.h"

namespace korvo {

// One fixed buffer, reused for every block. WinINet under Wine moves 1024-byte reads about twenty
// times slower than 64 KiB ones, and 256 KiB ones faster again (see bench/download_throughput.sh
// and the README); memory stays flat either way.
constexpr std::size_t READ_BLOCK_SIZE = 256 * 1024;

// A read on a slow link should come back within this time, so that the progress and the time-out
// see the body move; on a fast link the reads grow to the whole buffer.
constexpr std::uint64_t READ_PACE_MS = 250;

// How much the read after one that took `tookMs` for `received` bytes asks for: at most twice as
// much, no more than that read's rate brings in READ_PACE_MS, at least 1 and at most `capacity`.
std::size_t NextReadSize(std::size_t received, std::uint64_t tookMs, std::size_t capacity);

// How many names the temporary file tries before the folder counts as unwritable.
constexpr unsigned TEMPORARY_NAME_ATTEMPTS = 16;

// How a transfer ended.
enum class TransferOutcome {
    Complete,
    OpenFailed,   // the URL could not be opened, or the server answered with an error status
    ReadFailed,   // a read failed, or the body ended before its announced length
    WriteFailed,  // the temporary file could not be written or closed
    TimedOut,
    Cancelled,   // the user cancelled in the progress window
    NotStarted,  // the worker could not be started
};

// A time-out this large came from a negative "@timeout=" value: it never expires.
bool IsUnlimitedTimeout(std::uint32_t timeoutSeconds);

// Whether a transfer that started at `start` has run longer than the time-out, at `now`.
bool TimeoutExceeded(std::uint64_t start, std::uint64_t now, std::uint32_t timeoutSeconds);

// Returns 1 when the file arrived whole, 0 after a reported failure or when the user cancelled it
// in the progress window (which is not reported: the user knows).
int DownloadUrl(Platform& platform, const RunState& run, const std::string& url,
                const std::string& folder);

}  // namespace korvo
