// trust-cert FILE.der: adds a certificate to the prefix's trusted roots, so that a loopback TLS
// server with a self-signed certificate is accepted by WinINet.
#include "common.h"

#include <wincrypt.h>

#include <vector>

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        fwprintf(stderr, L"usage: trust-cert FILE.der\n");
        return 2;
    }
    HANDLE file = CreateFileW(argv[1], GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    DWORD size = GetFileSize(file, nullptr);
    std::vector<BYTE> bytes(size);
    DWORD read = 0;
    BOOL ok = ReadFile(file, bytes.data(), size, &read, nullptr);
    CloseHandle(file);
    if (!ok || read != size) return 1;
    if (!CertAddEncodedCertificateToSystemStoreW(L"ROOT", bytes.data(), size)) {
        fwprintf(stderr, L"trust-cert: error %lu\n", GetLastError());
        return 1;
    }
    return 0;
}
