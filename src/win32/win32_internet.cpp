#include "win32/win32_internet.h"

#include <cwchar>

#include "win32/codepage.h"
#include "win32/windows_api.h"

namespace korvo::win32 {

namespace {

// Connect and receive time-outs asked of WinINet so that a dead peer ends a transfer even when the
// configured download time-out is unlimited. Wine accepts and ignores them; Korvo's own deadline
// (RunWithDeadline) is what bounds a transfer there.
constexpr DWORD CONNECT_TIMEOUT_MS = 60 * 1000;
constexpr DWORD RECEIVE_TIMEOUT_MS = 10 * 60 * 1000;

class InternetHandle {
public:
    explicit InternetHandle(HINTERNET handle) : handle_(handle) {}
    ~InternetHandle() {
        if (handle_ != nullptr) InternetCloseHandle(handle_);
    }
    InternetHandle(const InternetHandle&) = delete;
    InternetHandle& operator=(const InternetHandle&) = delete;
    HINTERNET Get() const { return handle_; }

private:
    HINTERNET handle_;
};

class WinInetUrlReader : public UrlReader {
public:
    explicit WinInetUrlReader(HINTERNET url) : url_(url) {}

    bool Read(char* buffer, std::size_t size, std::size_t& received) override {
        received = 0;
        const DWORD ask = size > MAXDWORD ? MAXDWORD : static_cast<DWORD>(size);
        DWORD got = 0;
        if (!InternetReadFile(url_.Get(), buffer, ask, &got)) return false;
        received = got;
        return true;
    }

    int StatusCode() const override {
        DWORD status = 0;
        DWORD length = sizeof(status);
        if (!HttpQueryInfoW(url_.Get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status,
                            &length, nullptr)) {
            return 0;  // not HTTP (FTP has no status line)
        }
        return static_cast<int>(status);
    }

    long long ContentLength() const override {
        // Read as text: HTTP_QUERY_FLAG_NUMBER is 32 bits wide and a body may be larger.
        wchar_t text[32] = {};
        DWORD length = sizeof(text);
        if (!HttpQueryInfoW(url_.Get(), HTTP_QUERY_CONTENT_LENGTH, text, &length, nullptr)) {
            return -1;
        }
        wchar_t* end = nullptr;
        const long long value = std::wcstoll(text, &end, 10);
        if (end == text || value < 0) return -1;
        return value;
    }

private:
    InternetHandle url_;
};

class WinInetSession : public InternetSession {
public:
    explicit WinInetSession(HINTERNET session) : session_(session) {}

    std::unique_ptr<UrlReader> OpenUrl(const std::string& url) override {
        const std::wstring wideUrl = ToWide(url);
        HINTERNET handle =
            InternetOpenUrlW(session_.Get(), wideUrl.c_str(), nullptr, 0, 0, 0);
        if (handle == nullptr) return nullptr;
        return std::make_unique<WinInetUrlReader>(handle);
    }

private:
    InternetHandle session_;
};

void AskForTimeouts(HINTERNET session) {
    DWORD connect = CONNECT_TIMEOUT_MS;
    DWORD receive = RECEIVE_TIMEOUT_MS;
    InternetSetOptionW(session, INTERNET_OPTION_CONNECT_TIMEOUT, &connect, sizeof(connect));
    InternetSetOptionW(session, INTERNET_OPTION_RECEIVE_TIMEOUT, &receive, sizeof(receive));
}

}  // namespace

std::unique_ptr<InternetSession> OpenInternetSession(const std::string& agent) {
    const std::wstring wideAgent = ToWide(agent);
    HINTERNET session =
        InternetOpenW(wideAgent.c_str(), INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
    if (session == nullptr) return nullptr;
    AskForTimeouts(session);
    return std::make_unique<WinInetSession>(session);
}

}  // namespace korvo::win32
