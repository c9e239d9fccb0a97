#include "win32/web_mark.h"

#include "win32/windows_api.h"

#include <shobjidl.h>

#include "win32/codepage.h"
#include "win32/com_apartment.h"

namespace korvo::win32 {

namespace {

// Korvo's own client id: the attachment services keep the user's "always ask" answers per client.
constexpr GUID KORVO_CLIENT_GUID = {
    0x6793319c, 0x0c7f, 0x4fa2, {0x9b, 0xa5, 0x00, 0x61, 0x8f, 0xe8, 0x5b, 0xd0}};

constexpr wchar_t ATTACHMENTS_POLICY[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Attachments";
constexpr DWORD DO_NOT_PRESERVE_ZONE = 1;

// The attachment services' verdict; false when the system has none (Wine), or they failed
// without touching the file.
bool SavedByAttachmentServices(const std::wstring& path, const std::wstring& url) {
    EnsureComForShell();
    IAttachmentExecute* services = nullptr;
    if (FAILED(CoCreateInstance(__uuidof(AttachmentServices), nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(&services)))) {
        return false;
    }
    const bool saved = SUCCEEDED(services->SetClientGuid(KORVO_CLIENT_GUID)) &&
                       SUCCEEDED(services->SetLocalPath(path.c_str())) &&
                       SUCCEEDED(services->SetSource(url.c_str())) && SUCCEEDED(services->Save());
    services->Release();
    return saved;
}

// "Do not preserve zone information in file attachments", set by the user's or the machine's
// policy.
bool PolicyKeepsNoZone() {
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        DWORD value = 0;
        DWORD size = sizeof(value);
        if (RegGetValueW(root, ATTACHMENTS_POLICY, L"SaveZoneInformation", RRF_RT_REG_DWORD,
                         nullptr, &value, &size) == ERROR_SUCCESS) {
            return value == DO_NOT_PRESERVE_ZONE;
        }
    }
    return false;
}

// The stream browsers write. A volume without streams (FAT32, exFAT, some shares) refuses it:
// the file then stays unmarked.
bool WriteZoneIdentifier(const std::wstring& path, const std::string& url) {
    const std::string text = "[ZoneTransfer]\r\nZoneId=3\r\nHostUrl=" + url + "\r\n";
    HANDLE stream = CreateFileW((path + L":Zone.Identifier").c_str(), GENERIC_WRITE, 0, nullptr,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (stream == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool whole = WriteFile(stream, text.data(), static_cast<DWORD>(text.size()), &written,
                                 nullptr) && written == text.size();
    CloseHandle(stream);
    return whole;
}

}  // namespace

MarkResult MarkDownloadedFile(const std::string& path, const std::string& sourceUrl) {
    const std::wstring widePath = ToWide(path);
    if (SavedByAttachmentServices(widePath, ToWide(sourceUrl))) {
        return PathFileExistsW(widePath.c_str()) ? MarkResult::Marked : MarkResult::Removed;
    }
    // Services that failed may still have removed the file (a scan that found something).
    if (!PathFileExistsW(widePath.c_str())) return MarkResult::Removed;
    if (PolicyKeepsNoZone()) return MarkResult::Unmarked;
    return WriteZoneIdentifier(widePath, sourceUrl) ? MarkResult::Marked : MarkResult::Unmarked;
}

}  // namespace korvo::win32
