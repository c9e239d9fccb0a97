// The file-name box in this process, on the "OPTION" template of Korvo.exe (beside this test
// program): its layout, font and control ids, the keys that end it, and dragging it by its surface.
// A thread timer, dispatched by the box's own modal loop, plays the user.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "win32/file_name_box.h"
#include "win32/windows_api.h"

namespace korvo::testing {
namespace {

using win32::IDC_FILENAME_CAPTION;
using win32::IDC_FILENAME_EXT;
using win32::IDC_FILENAME_NAME;

std::function<void(HWND)> userAction;

BOOL CALLBACK FindBox(HWND window, LPARAM found) {
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (IsWindowVisible(window) && std::wstring(className) == L"#32770") {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK ActOnBox(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND box = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindBox, reinterpret_cast<LPARAM>(&box));
    if (box == nullptr) return;
    KillTimer(nullptr, timer);
    userAction(box);
}

std::wstring TextOf(HWND window) {
    wchar_t text[300] = {};
    GetWindowTextW(window, text, 300);
    return text;
}

void PostKey(HWND box, int id, UINT key) {
    PostMessageW(GetDlgItem(box, id), WM_KEYDOWN, key, 1);
}

class FileNameBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t self[MAX_PATH] = {};
        GetModuleFileNameW(nullptr, self, MAX_PATH);
        std::wstring path = self;
        path = path.substr(0, path.find_last_of(L"\\/") + 1) + L"Korvo.exe";
        module = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        if (module == nullptr) GTEST_SKIP() << "Korvo.exe is not beside the test program";
    }
    void TearDown() override {
        if (module != nullptr) FreeLibrary(module);
        userAction = nullptr;
    }
    FileNameAnswer Show(std::function<void(HWND)> action, Point at = {120, 80}) {
        userAction = std::move(action);
        SetTimer(nullptr, 0, 20, ActOnBox);
        return win32::ShowFileNameBox(module, nullptr, at, "file", ".zip");
    }
    HMODULE module = nullptr;
};

TEST_F(FileNameBoxTest, LayoutFontAndFocus) {
    RECT rect{};
    std::wstring caption, name, extension;
    HWND focus = nullptr, nameBox = nullptr;
    LONG editStyle = 0, editExStyle = 0;
    LOGFONTW font{};
    FileNameAnswer answer = Show([&](HWND box) {
        GetWindowRect(box, &rect);
        caption = TextOf(GetDlgItem(box, IDC_FILENAME_CAPTION));
        nameBox = GetDlgItem(box, IDC_FILENAME_NAME);
        name = TextOf(nameBox);
        extension = TextOf(GetDlgItem(box, IDC_FILENAME_EXT));
        focus = GetFocus();
        editStyle = GetWindowLongW(nameBox, GWL_STYLE);
        editExStyle = GetWindowLongW(GetDlgItem(box, IDC_FILENAME_EXT), GWL_EXSTYLE);
        auto handle = reinterpret_cast<HFONT>(SendMessageW(nameBox, WM_GETFONT, 0, 0));
        GetObjectW(handle, sizeof(font), &font);
        PostKey(box, IDC_FILENAME_NAME, VK_ESCAPE);
    });
    EXPECT_EQ(answer.end, FileNameEnd::Cancelled);
    EXPECT_EQ(rect.left, 120);
    EXPECT_EQ(rect.top, 80);
    EXPECT_EQ(rect.right - rect.left, 160);
    EXPECT_EQ(rect.bottom - rect.top, 65);
    EXPECT_EQ(caption, L"\x30D5\x30A1\x30A4\x30EB\x540D\x5165\x529B");
    EXPECT_EQ(name, L"file");
    EXPECT_EQ(extension, L".zip");
    EXPECT_EQ(focus, nameBox);
    const LONG wanted = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_MULTILINE | ES_AUTOHSCROLL;
    EXPECT_EQ(editStyle & wanted, wanted);
    EXPECT_TRUE(editExStyle & WS_EX_CLIENTEDGE);
    EXPECT_EQ(font.lfHeight, 13);
    EXPECT_EQ(font.lfCharSet, SHIFTJIS_CHARSET);
    EXPECT_EQ(font.lfPitchAndFamily, FIXED_PITCH | FF_MODERN);
    EXPECT_EQ(std::wstring(font.lfFaceName), L"\xFF2D\xFF33 \xFF30\x30B4\x30B7\x30C3\x30AF");
}

TEST_F(FileNameBoxTest, KeysInEitherBoxEndIt) {
    FileNameAnswer answer = Show([](HWND box) {
        SetWindowTextW(GetDlgItem(box, IDC_FILENAME_NAME), L"\x540D\x524D\x00EB");  // 名前ë
        SetWindowTextW(GetDlgItem(box, IDC_FILENAME_EXT), L".txt");
        PostKey(box, IDC_FILENAME_EXT, VK_RETURN);
    });
    EXPECT_EQ(answer.end, FileNameEnd::Accepted);
    EXPECT_EQ(answer.name, "名前ë");  // exactly, and no line break from the Enter
    EXPECT_EQ(answer.extension, ".txt");

    answer = Show([](HWND box) {
        SetWindowTextW(GetDlgItem(box, IDC_FILENAME_NAME), std::wstring(300, L'n').c_str());
        PostKey(box, IDC_FILENAME_NAME, VK_RETURN);
    });
    EXPECT_EQ(answer.name, std::string(259, 'n'));
}

TEST_F(FileNameBoxTest, DraggingItsSurfaceMovesIt) {
    RECT before{}, after{};
    Show([&](HWND box) {
        GetWindowRect(box, &before);
        SetCursorPos(before.left + 80, before.top + 5);
        SendMessageW(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(80, 5));
        SetCursorPos(before.left + 110, before.top + 25);
        SendMessageW(box, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(110, 25));
        SendMessageW(box, WM_LBUTTONUP, 0, MAKELPARAM(110, 25));
        GetWindowRect(box, &after);
        PostKey(box, IDC_FILENAME_NAME, VK_ESCAPE);
    });
    EXPECT_EQ(after.left - before.left, 30);
    EXPECT_EQ(after.top - before.top, 20);
}

}  // namespace
}  // namespace korvo::testing
