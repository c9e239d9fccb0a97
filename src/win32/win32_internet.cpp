#include "win32/win32_internet.h"

#include <cwchar>

#include "url/url_parts.h"
#include "win32/codepage.h"
#include "win32/windows_api.h"

namespace korvo::win32 {

namespace {

// Connect and receive time-outs asked of WinINet so that a dead peer ends a transfer even when the
// configured download time-out is unlimited. Wine accepts and ignores them; Korvo's own deadline
// (RunWatched's deadline) is what bounds a transfer there.
constexpr DWORD CONNECT_TIMEOUT_MS = 60 * 1000;
constexpr DWORD RECEIVE_TIMEOUT_MS = 10 * 60 * 1000;

// Always what the server has now, and never a second copy in the user's Internet cache: the file
// goes only where the user chose.
constexpr DWORD FRESH_FROM_SERVER = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE;
// Over HTTP, a caching proxy on the way is asked for a fresh copy too ("Pragma: no-cache"), which
// the reload flag alone does not send under Wine.
constexpr DWORD FRESH_OVER_HTTP = FRESH_FROM_SERVER | INTERNET_FLAG_PRAGMA_NOCACHE;

// The most of a refused request's body read away before the request is sent again.
constexpr DWORD REFUSAL_BODY_MAX = 64 * 1024;

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

// A header's text, as WinINet gives it; empty when the response has none.
std::string QueryHeader(HINTERNET request, DWORD header) {
    std::wstring text(256, L'\0');
    for (int attempt = 0; attempt < 2; ++attempt) {
        DWORD length = static_cast<DWORD>(text.size() * sizeof(wchar_t));
        if (HttpQueryInfoW(request, header, text.data(), &length, nullptr)) {
            text.resize(length / sizeof(wchar_t));
            return ToNarrow(text);
        }
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) return {};
        text.assign(length / sizeof(wchar_t) + 1, L'\0');
    }
    return {};
}

DWORD HttpStatusOf(HINTERNET request) {
    DWORD status = 0;
    DWORD length = sizeof(status);
    if (!HttpQueryInfoW(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &length,
                        nullptr)) {
        return 0;  // not HTTP (FTP has no status line)
    }
    return status;
}

bool AsksForPassword(DWORD status) {
    return status == HTTP_STATUS_DENIED || status == HTTP_STATUS_PROXY_AUTH_REQ;
}

// The refusal's own page, read away so that the connection can carry the request again.
void DiscardBody(HINTERNET request) {
    char buffer[4096];
    DWORD total = 0;
    DWORD got = 0;
    while (total < REFUSAL_BODY_MAX && InternetReadFile(request, buffer, sizeof(buffer), &got) &&
           got > 0) {
        total += got;
    }
}

class WinInetUrlReader : public UrlReader {
public:
    // `connection` is the FTP connection a file was opened on, closed after the file; null for
    // URLs that InternetOpenUrl opened. `ftpSize` is the size the FTP server listed, or -1.
    explicit WinInetUrlReader(HINTERNET url, HINTERNET connection = nullptr, long long ftpSize = -1)
        : connection_(connection), url_(url), ftpSize_(ftpSize) {}

    std::size_t WaitForData() override {
        DWORD available = 0;
        if (!InternetQueryDataAvailable(url_.Get(), &available, 0, 0)) return 0;
        return available;
    }

    bool Read(char* buffer, std::size_t size, std::size_t& received) override {
        received = 0;
        const DWORD ask = size > MAXDWORD ? MAXDWORD : static_cast<DWORD>(size);
        DWORD got = 0;
        if (!InternetReadFile(url_.Get(), buffer, ask, &got)) return false;
        received = got;
        return true;
    }

    int StatusCode() const override { return static_cast<int>(HttpStatusOf(url_.Get())); }

    long long ContentLength() const override {
        if (connection_.Get() != nullptr) return ftpSize_;
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

    std::string ContentDisposition() const override {
        if (connection_.Get() != nullptr) return {};
        return QueryHeader(url_.Get(), HTTP_QUERY_CONTENT_DISPOSITION);
    }

    std::string FinalUrl() const override {
        DWORD length = 0;
        InternetQueryOptionW(url_.Get(), INTERNET_OPTION_URL, nullptr, &length);
        if (length == 0) return {};
        std::wstring url(length / sizeof(wchar_t) + 1, L'\0');
        length = static_cast<DWORD>(url.size() * sizeof(wchar_t));
        if (!InternetQueryOptionW(url_.Get(), INTERNET_OPTION_URL, url.data(), &length)) return {};
        url.resize(std::wcslen(url.c_str()));
        return ToNarrow(url);
    }

private:
    // Declared first so that it is closed last, after the file opened on it.
    InternetHandle connection_;
    InternetHandle url_;
    long long ftpSize_;
};

bool IsFtpUrl(const std::wstring& url) { return _wcsnicmp(url.c_str(), L"ftp://", 6) == 0; }

// An FTP file, opened on a connection of its own so that its size can be listed first: WinINet's
// FtpGetFileSize is not implemented under Wine, and a data connection that drops mid-file looks
// like the end of the file to the reads. The listed size tells the two apart.
std::unique_ptr<UrlReader> OpenFtpFile(HINTERNET session, const std::wstring& url) {
    wchar_t host[INTERNET_MAX_HOST_NAME_LENGTH + 1] = {};
    wchar_t user[INTERNET_MAX_USER_NAME_LENGTH + 1] = {};
    wchar_t password[INTERNET_MAX_PASSWORD_LENGTH + 1] = {};
    wchar_t path[INTERNET_MAX_PATH_LENGTH + 1] = {};
    URL_COMPONENTSW parts{};
    parts.dwStructSize = sizeof(parts);
    parts.lpszHostName = host;
    parts.dwHostNameLength = INTERNET_MAX_HOST_NAME_LENGTH;
    parts.lpszUserName = user;
    parts.dwUserNameLength = INTERNET_MAX_USER_NAME_LENGTH;
    parts.lpszPassword = password;
    parts.dwPasswordLength = INTERNET_MAX_PASSWORD_LENGTH;
    parts.lpszUrlPath = path;
    parts.dwUrlPathLength = INTERNET_MAX_PATH_LENGTH;
    if (!InternetCrackUrlW(url.c_str(), 0, ICU_DECODE, &parts)) return nullptr;
    HINTERNET connection =
        InternetConnectW(session, host, parts.nPort, user[0] != L'\0' ? user : nullptr,
                         password[0] != L'\0' ? password : nullptr, INTERNET_SERVICE_FTP, 0, 0);
    if (connection == nullptr) return nullptr;
    long long size = -1;
    WIN32_FIND_DATAW found{};
    if (HINTERNET find = FtpFindFirstFileW(connection, path, &found, FRESH_FROM_SERVER, 0)) {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            size = (static_cast<long long>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
        }
        InternetCloseHandle(find);
    }
    HINTERNET file = FtpOpenFileW(connection, path, GENERIC_READ, FTP_TRANSFER_TYPE_BINARY | FRESH_FROM_SERVER, 0);
    if (file == nullptr) {
        InternetCloseHandle(connection);
        return nullptr;
    }
    return std::make_unique<WinInetUrlReader>(file, connection, size);
}

class WinInetSession : public InternetSession {
public:
    WinInetSession(HINTERNET session, HWND owner) : session_(session), owner_(owner) {}

    std::unique_ptr<UrlReader> OpenUrl(const std::string& url) override {
        const std::wstring wideUrl = ToWide(url);
        if (IsFtpUrl(wideUrl)) return OpenFtpFile(session_.Get(), wideUrl);
        HINTERNET handle =
            InternetOpenUrlW(session_.Get(), ToWide(RequestUrl(url)).c_str(), nullptr, 0,
                             FRESH_OVER_HTTP, 0);
        if (handle == nullptr) return nullptr;
        auto reader = std::make_unique<WinInetUrlReader>(handle);
        if (!AnswerPasswordRequests(handle)) return nullptr;
        return reader;
    }

    void WhileAskingUser(const std::function<void(bool)>& asking) override { asking_ = asking; }

private:
    // While the server (401) or the proxy (407) asks for a user name and password that the URL
    // did not give, asks the user in the system's own box, as browsers do, and sends the request
    // again with the answer; nothing is stored. A refusal the user cancels stays the response.
    // False when the request could not be sent again.
    bool AnswerPasswordRequests(HINTERNET request) {
        while (AsksForPassword(HttpStatusOf(request))) {
            DiscardBody(request);
            if (asking_) asking_(true);
            // The keyboard went back to the user's window when the menu closed: the box needs it.
            SetForegroundWindow(owner_);
            const DWORD answer = InternetErrorDlg(
                owner_, request, ERROR_INTERNET_INCORRECT_PASSWORD,
                FLAGS_ERROR_UI_FILTER_FOR_ERRORS | FLAGS_ERROR_UI_FLAGS_GENERATE_DATA |
                    FLAGS_ERROR_UI_FLAGS_CHANGE_OPTIONS,
                nullptr);
            if (asking_) asking_(false);
            if (answer != ERROR_INTERNET_FORCE_RETRY) return true;
            if (!HttpSendRequestW(request, nullptr, 0, nullptr, 0)) return false;
        }
        return true;
    }

    InternetHandle session_;
    HWND owner_;
    std::function<void(bool)> asking_;
};

void AskForTimeouts(HINTERNET session) {
    DWORD connect = CONNECT_TIMEOUT_MS;
    DWORD receive = RECEIVE_TIMEOUT_MS;
    InternetSetOptionW(session, INTERNET_OPTION_CONNECT_TIMEOUT, &connect, sizeof(connect));
    InternetSetOptionW(session, INTERNET_OPTION_RECEIVE_TIMEOUT, &receive, sizeof(receive));
}

}  // namespace

std::unique_ptr<InternetSession> OpenInternetSession(const std::string& agent, HWND owner) {
    const std::wstring wideAgent = ToWide(agent);
    // The proxy and bypass list the user's Internet settings name, as every other program uses:
    // on a network that requires a proxy a direct connection fails.
    HINTERNET session =
        InternetOpenW(wideAgent.c_str(), INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    if (session == nullptr) return nullptr;
    AskForTimeouts(session);
    return std::make_unique<WinInetSession>(session, owner);
}

}  // namespace korvo::win32
