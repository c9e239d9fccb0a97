// The clipboard text as Korvo reads it: Unicode text in, UTF-8 out, exactly.
#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>

#include "text_samples.h"
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

// Whatever Unicode the clipboard holds arrives whole, as UTF-8: no line is dropped, no character
// respelt; text that is not valid Unicode is refused.
TEST(ClipboardText, ReadsUnicodeTextWithoutLoss) {
    const struct {
        const wchar_t* text;
        std::optional<std::string> expected;
    } cases[] = {
        {L"x\r\nhttp://127.0.0.1/\u8868.zip", "x\r\nhttp://127.0.0.1/" + std::string(HYOU) + ".zip"},
        {L"\u0e44\u0e1f\r\nhttp://h/caf\u00e9.zip\n\U0001F600", "\u0e44\u0e1f\r\nhttp://h/caf\u00e9.zip\n\U0001F600"},
        {L"http://h/a\xD800.zip", std::nullopt},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(PutUnicodeText(c.text));
        const std::optional<std::string> text = win32::ReadClipboardText(nullptr);
        EXPECT_EQ(Shown(text.value_or("<none>")), Shown(c.expected.value_or("<none>")));
    }
}

}  // namespace
}  // namespace korvo::testing
