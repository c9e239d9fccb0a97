// The resources built into Korvo.exe (which lies beside this test program): the byte layout of
// the empty "OPTION" dialog template, the icon group, the manifest and the version.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "win32/windows_api.h"

namespace korvo::testing {
namespace {

std::wstring KorvoExePath() {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path = self;
    return path.substr(0, path.find_last_of(L"\\/") + 1) + L"Korvo.exe";
}

class KorvoResources : public ::testing::Test {
protected:
    void SetUp() override {
        module = LoadLibraryExW(KorvoExePath().c_str(), nullptr,
                                LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        if (module == nullptr) GTEST_SKIP() << "Korvo.exe is not beside the test program";
    }
    void TearDown() override {
        if (module != nullptr) FreeLibrary(module);
    }
    std::vector<unsigned char> Bytes(LPCWSTR type, LPCWSTR name, WORD language) {
        HRSRC found = FindResourceExW(module, type, name, language);
        if (found == nullptr) return {};
        const auto* data = static_cast<const unsigned char*>(LockResource(LoadResource(module, found)));
        return {data, data + SizeofResource(module, found)};
    }
    HMODULE module = nullptr;
};

TEST_F(KorvoResources, OptionDialogIsTheEmpty24ByteTemplateInJapanese) {
    const std::vector<unsigned char> bytes =
        Bytes(RT_DIALOG, L"OPTION", MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT));
    const std::vector<unsigned char> expected = {
        0x80, 0x00, 0x00, 0x80,  // style WS_POPUP | DS_MODALFRAME
        0x00, 0x00, 0x00, 0x00,  // extended style
        0x00, 0x00,              // no items
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,  // x, y, cx, cy
        0x00, 0x00,              // no menu
        0x00, 0x00,              // the standard dialog class
        0x00, 0x00,              // no title
    };
    EXPECT_EQ(expected, bytes);
}

TEST_F(KorvoResources, IconGroupMyiconHoldsOne32x32SixteenColourImage) {
    HRSRC group = FindResourceW(module, L"MYICON", RT_GROUP_ICON);
    ASSERT_NE(nullptr, group);
    const auto* dir = static_cast<const unsigned char*>(LockResource(LoadResource(module, group)));
    ASSERT_GE(SizeofResource(module, group), 6u + 14u);
    EXPECT_EQ(1, dir[4] | (dir[5] << 8));  // image count
    EXPECT_EQ(32, dir[6]);                  // width
    EXPECT_EQ(32, dir[7]);                  // height
    EXPECT_EQ(16, dir[8]);                  // colours
    EXPECT_NE(nullptr, LoadImageW(module, L"MYICON", IMAGE_ICON, 32, 32, 0));
}

TEST_F(KorvoResources, ManifestAsksForCommonControls6AndPerMonitorDpi) {
    std::vector<unsigned char> bytes;
    for (WORD language : {WORD(0), WORD(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US))}) {
        if (bytes.empty()) bytes = Bytes(RT_MANIFEST, MAKEINTRESOURCEW(1), language);
    }
    const std::string text(bytes.begin(), bytes.end());
    EXPECT_NE(std::string::npos, text.find("Microsoft.Windows.Common-Controls"));
    EXPECT_NE(std::string::npos, text.find("PerMonitorV2"));
    EXPECT_NE(std::string::npos, text.find("asInvoker"));
}

TEST(KorvoVersion, VersionResourceNamesTheProduct) {
    const std::wstring path = KorvoExePath();
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    if (size == 0) GTEST_SKIP() << "Korvo.exe is not beside the test program";
    std::vector<unsigned char> block(size);
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, block.data()));
    wchar_t* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\StringFileInfo\\041103a4\\ProductName",
                               reinterpret_cast<void**>(&value), &length));
    EXPECT_STREQ(L"Korvo", value);
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\StringFileInfo\\041103a4\\FileVersion",
                               reinterpret_cast<void**>(&value), &length));
    EXPECT_STREQ(L"1.0.0", value);
}

}  // namespace
}  // namespace korvo::testing
