// clip TEXT | clip --file FILE.utf8 | clip --empty | clip --print: sets the clipboard's Unicode text from inside
// Wine (Wine synthesises CF_TEXT from it, as Windows does), empties it, or prints it.
#include "common.h"

#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

namespace {

bool PutText(const std::wstring& text) {
    if (!OpenClipboard(nullptr)) return false;
    EmptyClipboard();
    bool ok = true;
    {
        size_t bytes = (text.size() + 1) * sizeof(wchar_t);
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
        if (block) {
            std::memcpy(GlobalLock(block), text.c_str(), bytes);
            GlobalUnlock(block);
            ok = SetClipboardData(CF_UNICODETEXT, block) != nullptr;
            if (!ok) GlobalFree(block);
        } else {
            ok = false;
        }
    }
    CloseClipboard();
    return ok;
}

}  // namespace

int PrintText() {
    if (!OpenClipboard(nullptr)) return 1;
    HANDLE block = GetClipboardData(CF_UNICODETEXT);
    int status = 1;
    if (block) {
        korvo_tools::PrintLine(static_cast<const wchar_t*>(GlobalLock(block)));
        GlobalUnlock(block);
        status = 0;
    }
    CloseClipboard();
    return status;
}

int wmain(int argc, wchar_t** argv) {
    if (argc == 2 && std::wstring(argv[1]) == L"--print") return PrintText();
    if (argc == 2 && std::wstring(argv[1]) == L"--empty") {
        if (!OpenClipboard(nullptr)) return 1;
        EmptyClipboard();
        CloseClipboard();
        return 0;
    }
    if (argc == 3 && std::wstring(argv[1]) == L"--file") {
        std::ifstream in(argv[2], std::ios::binary);
        if (!in) return 1;
        std::stringstream content;
        content << in.rdbuf();
        return PutText(korvo_tools::FromUtf8(content.str())) ? 0 : 1;
    }
    if (argc != 2) {
        fwprintf(stderr, L"usage: clip TEXT | clip --file FILE | clip --empty | clip --print\n");
        return 2;
    }
    return PutText(argv[1]) ? 0 : 1;
}
