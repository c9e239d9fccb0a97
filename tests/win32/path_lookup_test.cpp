// The system's special folders, full paths and search path as Win32Platform reports them: the
// answers the core's program resolution and placeholders build on (their e2e scenarios use both).
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "template/placeholders.h"
#include "text_samples.h"
#include "win32/codepage.h"
#include "win32/win32_platform.h"

#include <shlobj.h>  // after the Windows headers Korvo includes, which undefine their A/W names

namespace korvo::testing {
namespace {

using std::string;
using win32::ToNarrow;
using win32::ToWide;

string WindowsFolder() {
    wchar_t folder[MAX_PATH] = {};
    GetWindowsDirectoryW(folder, MAX_PATH);
    return ToNarrow(folder);
}

string SystemFolder() {
    wchar_t folder[MAX_PATH] = {};
    GetSystemDirectoryW(folder, MAX_PATH);
    return ToNarrow(folder);
}

// A fresh folder with a name beyond code page 932 made the current folder.
class PathLookupTest : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH] = {};
        ASSERT_NE(0u, GetTempPathW(MAX_PATH, temp));
        wchar_t current[MAX_PATH] = {};
        GetCurrentDirectoryW(MAX_PATH, current);
        previous = current;
        folder = ToNarrow(temp) + "look" + string(HYOU) + E_DIAERESIS + std::to_string(GetCurrentProcessId()) + "\\";
        ASSERT_TRUE(CreateDirectoryW(ToWide(folder).c_str(), nullptr)) << GetLastError();
        ASSERT_TRUE(CreateDirectoryW(ToWide(folder + "sub").c_str(), nullptr));
        Touch(folder + "tool.exe");
        Touch(folder + "sub\\inner.exe");
        ASSERT_TRUE(SetCurrentDirectoryW(ToWide(folder).c_str()));
    }
    void TearDown() override {
        SetCurrentDirectoryW(previous.c_str());
        DeleteFileW(ToWide(folder + "sub\\inner.exe").c_str());
        DeleteFileW(ToWide(folder + "tool.exe").c_str());
        RemoveDirectoryW(ToWide(folder + "sub").c_str());
        RemoveDirectoryW(ToWide(folder).c_str());
    }
    static void Touch(const string& path) {
        HANDLE file = CreateFileW(ToWide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, file);
        CloseHandle(file);
    }

    win32::Win32Platform platform{GetModuleHandleW(nullptr)};
    string folder;  // ends with a backslash
    std::wstring previous;
};

TEST_F(PathLookupTest, SpecialFoldersComeWithoutATrailingBackslash) {
    EXPECT_EQ(WindowsFolder(), platform.SpecialFolderPath(36).value_or("<none>"));
    EXPECT_EQ(SystemFolder(), platform.SpecialFolderPath(37).value_or("<none>"));
    for (int csidl : {0, 5, 16, 38}) {
        std::optional<string> path = platform.SpecialFolderPath(csidl);
        ASSERT_TRUE(path) << csidl;
        EXPECT_TRUE(platform.PathIsDirectory(*path)) << *path;
        EXPECT_NE('\\', path->back()) << *path;
    }
    EXPECT_FALSE(platform.SpecialFolderPath(0x7F));  // no such folder: a failure, not a guess
}

// Each special-folder token asks the shell for the folder the SDK's own constant names.
TEST(SpecialFolderTokens, AskForTheFolderTheSdkNames) {
    struct Asked : win32::Win32Platform {
        using Win32Platform::Win32Platform;
        std::optional<string> SpecialFolderPath(int csidl) override { return std::to_string(csidl); }
    } platform{GetModuleHandleW(nullptr)};
    const std::pair<const char*, int> tokens[] = {
        {"%Windows%", CSIDL_WINDOWS}, {"%Program Files%", CSIDL_PROGRAM_FILES}, {"%System%", CSIDL_SYSTEM},
        {"%My Pictures%", CSIDL_MYPICTURES}, {"%My Music%", CSIDL_MYMUSIC}, {"%My Video%", CSIDL_MYVIDEO},
        {"%My Documents%", CSIDL_PERSONAL}, {"%Favorites%", CSIDL_FAVORITES}, {"%Start Menu%", CSIDL_STARTMENU},
        {"%Programs%", CSIDL_PROGRAMS}, {"%StartUp%", CSIDL_STARTUP}, {"%SendTo%", CSIDL_SENDTO},
        {"%Internet Cache%", CSIDL_INTERNET_CACHE}, {"%Fonts%", CSIDL_FONTS}, {"%Cookies%", CSIDL_COOKIES},
        {"%History%", CSIDL_HISTORY}, {"%Desktop%", CSIDL_DESKTOP}, {"%DesktopDirectory%", CSIDL_DESKTOPDIRECTORY},
        {"%Recent%", CSIDL_RECENT}, {"%Common Start Menu%", CSIDL_COMMON_STARTMENU},
        {"%Common Programs%", CSIDL_COMMON_PROGRAMS}, {"%Common StartUp%", CSIDL_COMMON_STARTUP},
        {"%Common Desktop%", CSIDL_COMMON_DESKTOPDIRECTORY}, {"%Common Favorites%", CSIDL_COMMON_FAVORITES},
        {"%Common My Documents%", CSIDL_COMMON_DOCUMENTS}, {"%Common My Pictures%", CSIDL_COMMON_PICTURES},
        {"%Common My Music%", CSIDL_COMMON_MUSIC}, {"%Common My Video%", CSIDL_COMMON_VIDEO},
    };
    for (const auto& [token, csidl] : tokens) {
        EXPECT_EQ(std::to_string(csidl), ExpandPlaceholders(platform, RunState(), token)) << token;
    }
}

TEST_F(PathLookupTest, FullPathNameResolvesAgainstTheCurrentFolder) {
    EXPECT_EQ(folder + "tool.exe", platform.FullPathName("tool.exe").value_or("<none>"));
    EXPECT_EQ(folder + "tool.exe", platform.FullPathName("sub\\..\\.\\tool.exe").value_or("<none>"));
    EXPECT_FALSE(platform.FullPathName(""));
    // Longer than a path buffer: given whole, so that the core can refuse it.
    const string longName(300, 'n');
    EXPECT_EQ(folder + longName, platform.FullPathName(longName).value_or("<none>"));
}

TEST_F(PathLookupTest, SearchPathTakesTheNameAsGivenWithoutDefaultExtension) {
    const string list = "C:\\nowhere;" + folder + "sub;" + folder;
    EXPECT_EQ(folder + "tool.exe", platform.SearchPathIn(list, "tool.exe").value_or("<none>"));
    EXPECT_EQ(folder + "sub\\inner.exe", platform.SearchPathIn(list, "inner.exe").value_or("<none>"));
    EXPECT_FALSE(platform.SearchPathIn(list, "tool"));  // ".exe" is the core's own retry

    const string notepad = SystemFolder() + "\\notepad.exe";
    EXPECT_EQ(0, lstrcmpiW(ToWide(notepad).c_str(),
                           ToWide(platform.SearchSystemPath("notepad.exe").value_or("")).c_str()));
    EXPECT_FALSE(platform.SearchSystemPath("notepad"));
    // The current folder is part of the system's order.
    EXPECT_EQ(folder + "tool.exe", platform.SearchSystemPath("tool.exe").value_or("<none>"));
}

}  // namespace
}  // namespace korvo::testing
