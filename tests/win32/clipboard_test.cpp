// The clipboard text as Korvo reads it: Unicode text in, code page 932 out, line by line.
#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>

#include "code_page_932.h"
#include "win32/clipboard.h"

namespace korvo::testing {
namespace {

bool PutUnicodeText(const std::wstring& text) {
    if (!OpenClipboard(nullptr)) return false;
    EmptyClipboard();
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
    bool placed = false;
    if (block != nullptr) {
        std::memcpy(GlobalLock(block), text.c_str(), bytes);
        GlobalUnlock(block);
        placed = SetClipboardData(CF_UNICODETEXT, block) != nullptr;
        if (!placed) GlobalFree(block);
    }
    CloseClipboard();
    return placed;
}

TEST(ClipboardText, LinesWithCharactersCodePage932LacksAreEmptied) {
    struct Case {
        const wchar_t* text;
        std::string expected;
    };
    const Case cases[] = {
        {L"\u8868\r\nhttp://h/a.zip", std::string(HYOU) + "\r\nhttp://h/a.zip"},
        {L"\u0e44\u0e1f\u0e25\u0e4c\r\nhttp://h/a.zip\r\n", "\nhttp://h/a.zip\r\n"},
        // Not "http://h/????.zip" (a query) nor a best-fit "http://h/cafe.zip".
        {L"http://h/\u0e44\u0e1f.zip\nhttp://h/caf\u00e9.zip\nhttp://h/ok", "\n\nhttp://h/ok"},
        {L"\U0001F600 smile\n", "\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Shown(win32::ClipboardTextInCodePage932(c.text)), Shown(c.expected));
    }
}

TEST(ClipboardText, ReadsUnicodeTextInCodePage932) {
    ASSERT_TRUE(PutUnicodeText(L"x\r\nhttp://127.0.0.1/\u8868.zip"));
    std::optional<std::string> text = win32::ReadClipboardText(nullptr);
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(Shown(*text), Shown(std::string("x\r\nhttp://127.0.0.1/") + HYOU + ".zip"));
}

}  // namespace
}  // namespace korvo::testing
