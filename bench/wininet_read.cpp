// Downloads one URL with WinINet the way Korvo does, with a read block size given on the command
// line, and prints the time taken, the number of reads and the peak working set. Used by
// bench/download_throughput.sh to weigh read sizes, the cache flags and reads bounded by what has
// arrived against each other on the same machine.
//
//   wininet_read.exe URL OUTPUT_FILE BLOCK_BYTES [MODE]
//   MODE: "plain" (flags 0, each read waits for a full block), "fresh" (reload, no cache copy),
//         "korvo" (fresh, each read sized by what has arrived and the pace of the last, as Korvo
//         reads: actions/download.cpp)
#include <windows.h>
#include <psapi.h>
#include <wininet.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "actions/download.h"

int wmain(int argc, wchar_t** argv) {
    if (argc != 4 && argc != 5) {
        std::fprintf(stderr, "usage: wininet_read URL OUTPUT_FILE BLOCK_BYTES [plain|fresh|korvo]\n");
        return 2;
    }
    const DWORD blockSize = static_cast<DWORD>(_wtoi(argv[3]));
    const std::wstring mode = argc == 5 ? argv[4] : L"plain";
    const DWORD flags = mode == L"plain" ? 0 : INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE;
    const bool paced = mode == L"korvo";
    std::size_t pace = 1;
    LARGE_INTEGER frequency, started, finished;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&started);

    HINTERNET internet = InternetOpenW(L"download", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    HINTERNET url = internet ? InternetOpenUrlW(internet, argv[1], nullptr, 0, flags, 0) : nullptr;
    HANDLE file = CreateFileW(argv[2], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (!url || file == INVALID_HANDLE_VALUE) {
        std::fprintf(stderr, "cannot open the URL or the output file\n");
        return 1;
    }
    std::vector<char> buffer(blockSize);
    unsigned long long total = 0;
    unsigned long long reads = 0;
    for (;;) {
        DWORD ask = blockSize;
        const ULONGLONG before = GetTickCount64();
        DWORD available = 0;
        if (paced && pace < blockSize) {
            if (!InternetQueryDataAvailable(url, &available, 0, 0)) available = 0;
            ask = static_cast<DWORD>(std::min<std::size_t>(std::max<std::size_t>(available, pace), blockSize));
        }
        DWORD received = 0;
        if (!InternetReadFile(url, buffer.data(), ask, &received)) return 1;
        pace = korvo::NextReadSize(received, GetTickCount64() - before, blockSize);
        ++reads;
        if (received == 0) break;
        DWORD written = 0;
        WriteFile(file, buffer.data(), received, &written, nullptr);
        total += received;
    }
    CloseHandle(file);
    InternetCloseHandle(url);
    InternetCloseHandle(internet);

    QueryPerformanceCounter(&finished);
    PROCESS_MEMORY_COUNTERS memory{};
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
    const double seconds =
        static_cast<double>(finished.QuadPart - started.QuadPart) / static_cast<double>(frequency.QuadPart);
    std::printf("bytes=%llu block=%lu reads=%llu seconds=%.3f peak_working_set_kib=%llu\n", total,
                static_cast<unsigned long>(blockSize), reads, seconds,
                static_cast<unsigned long long>(memory.PeakWorkingSetSize / 1024));
    return 0;
}
