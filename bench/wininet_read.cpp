// Downloads one URL with WinINet the way Korvo does, with a read block size given on the command
// line, and prints the time taken and the peak working set. Used by bench/download_throughput.sh
// to weigh Korvo's 1024-byte reads against larger ones on the same machine.
//
//   wininet_read.exe URL OUTPUT_FILE BLOCK_BYTES
#include <windows.h>
#include <psapi.h>
#include <wininet.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

int wmain(int argc, wchar_t** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: wininet_read URL OUTPUT_FILE BLOCK_BYTES\n");
        return 2;
    }
    const DWORD blockSize = static_cast<DWORD>(_wtoi(argv[3]));
    LARGE_INTEGER frequency, started, finished;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&started);

    HINTERNET internet = InternetOpenW(L"download", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
    HINTERNET url = internet ? InternetOpenUrlW(internet, argv[1], nullptr, 0, 0, 0) : nullptr;
    HANDLE file = CreateFileW(argv[2], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (!url || file == INVALID_HANDLE_VALUE) {
        std::fprintf(stderr, "cannot open the URL or the output file\n");
        return 1;
    }
    std::vector<char> buffer(blockSize);
    unsigned long long total = 0;
    for (;;) {
        DWORD received = 0;
        if (!InternetReadFile(url, buffer.data(), blockSize, &received)) return 1;
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
    std::printf("bytes=%llu block=%lu seconds=%.3f peak_working_set_kib=%llu\n", total,
                static_cast<unsigned long>(blockSize), seconds,
                static_cast<unsigned long long>(memory.PeakWorkingSetSize / 1024));
    return 0;
}
