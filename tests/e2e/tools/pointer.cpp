// pointer: the mouse and the screen as Korvo sees them, from inside Wine.
//   pointer move X Y      puts the cursor at (X, Y) and prints where it ended
//   pointer metrics       prints SM_CXSCREEN, SM_CYMAXIMIZED and SM_CMOUSEBUTTONS
#include "common.h"

#include <string>

int wmain(int argc, wchar_t** argv) {
    const std::wstring command = argc > 1 ? argv[1] : L"";
    if (command == L"move" && argc > 3) {
        SetCursorPos(_wtoi(argv[2]), _wtoi(argv[3]));
        POINT at{};
        GetCursorPos(&at);
        korvo_tools::PrintLine(std::to_wstring(at.x) + L" " + std::to_wstring(at.y));
        return 0;
    }
    if (command == L"metrics") {
        korvo_tools::PrintLine(std::to_wstring(GetSystemMetrics(SM_CXSCREEN)) + L" " +
                               std::to_wstring(GetSystemMetrics(SM_CYMAXIMIZED)) + L" " +
                               std::to_wstring(GetSystemMetrics(SM_CMOUSEBUTTONS)));
        return 0;
    }
    fwprintf(stderr, L"usage: pointer move X Y | pointer metrics\n");
    return 2;
}
