// inspect SUBCOMMAND: looks at the top-level windows of the Wine session, so that a scenario waits
// for what the user would see instead of sleeping.
//   wait-window (--class C | --title T)... [--timeout S] [--hidden]
//                                                        waits for a visible (or, with --hidden, any)
//                                                        top-level window, prints "class<TAB>title";
//                                                        exit 1 on time-out
//   wait-gone (--class C | --title T)... [--timeout S]    waits until no such window is visible
//   rect (--class C | --title T) [--timeout S]            prints "left top right bottom"
//   menu-rect [--timeout S]                               the same for the popup menu (#32768)
//   box [--timeout S]                                     caption and text of an open dialog (#32770)
//   press-ok [--timeout S]                                presses OK on it
//   item (--class C | --title T) --id N [--timeout S]     prints the text of the window's control N
//   set-item (--class C | --title T) --id N --text X      sets that control's text (WM_SETTEXT)
//   metrics                                               prints the screen width and the height
//                                                        of a maximized window
//   dialog-items [--title T] [--timeout S]                every control of a dialog (titled T), any depth:
//                                                        "id<TAB>class<TAB>text"
//   menu-rects [--timeout S]                              every open menu window's rectangle, one a
//                                                        line, the top-level menu first
//   owner-style (--class C | --title T) [--timeout S]     prints "OWNED EXSTYLE": 1 when the window has
//                                                        an owner, else 0, and its extended style
//   list                                                  prints every top-level window: visibility, class, title
//   foreground                                            prints the foreground window's class and title
//   window --title T [--rect X Y W H] [--seconds S]       shows a window of its own, takes the
//                                                        foreground, and lives S seconds or until closed
#include "common.h"

#include <string>
#include <vector>

using korvo_tools::ClassOf;
using korvo_tools::PrintLine;
using korvo_tools::TextOf;

namespace {

struct Wanted {
    std::vector<std::wstring> classes;
    std::vector<std::wstring> titles;
    DWORD timeoutMs = 10000;
    bool includeHidden = false;
    int id = -1;
    std::wstring text;
    std::vector<std::wstring> rest;
};

Wanted ParseWanted(int argc, wchar_t** argv, int first) {
    Wanted wanted;
    for (int i = first; i < argc; ++i) {
        std::wstring arg = argv[i];
        if (arg == L"--class" && i + 1 < argc) {
            wanted.classes.push_back(argv[++i]);
        } else if (arg == L"--title" && i + 1 < argc) {
            wanted.titles.push_back(argv[++i]);
        } else if (arg == L"--id" && i + 1 < argc) {
            wanted.id = _wtoi(argv[++i]);
        } else if (arg == L"--text" && i + 1 < argc) {
            wanted.text = argv[++i];
        } else if (arg == L"--hidden") {
            wanted.includeHidden = true;
        } else if (arg == L"--timeout" && i + 1 < argc) {
            wanted.timeoutMs = static_cast<DWORD>(_wtof(argv[++i]) * 1000.0);
        } else {
            wanted.rest.push_back(arg);
        }
    }
    return wanted;
}

bool Matches(const Wanted& wanted, HWND window) {
    std::wstring className = ClassOf(window);
    for (const auto& name : wanted.classes) {
        if (_wcsicmp(name.c_str(), className.c_str()) == 0) return true;
    }
    if (!wanted.titles.empty()) {
        std::wstring title = TextOf(window);
        for (const auto& name : wanted.titles) {
            if (name == title) return true;
        }
    }
    return false;
}

struct Search {
    const Wanted* wanted;
    HWND found;
};

BOOL CALLBACK CheckWindow(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<Search*>(context);
    if ((search->wanted->includeHidden || IsWindowVisible(window)) && Matches(*search->wanted, window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindVisible(const Wanted& wanted) {
    Search search{&wanted, nullptr};
    EnumWindows(CheckWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Polls every 50 ms up to the deadline; `present` chooses waiting for appearance or disappearance.
// A wait that runs out says on stderr how long it waited by the performance counter and how often
// it looked, so that a scenario can tell a full wait from one whose clock misled it.
HWND WaitFor(const Wanted& wanted, bool present) {
    const DWORD start = GetTickCount();
    LARGE_INTEGER frequency{}, begun{}, ended{};
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&begun);
    for (int looks = 1;; ++looks) {
        HWND window = FindVisible(wanted);
        if ((window != nullptr) == present) return present ? window : reinterpret_cast<HWND>(1);
        if (GetTickCount() - start >= wanted.timeoutMs) {
            QueryPerformanceCounter(&ended);
            fwprintf(stderr, L"inspect: waited %lld ms, looked %d times\n",
                     (ended.QuadPart - begun.QuadPart) * 1000 / frequency.QuadPart, looks);
            return nullptr;
        }
        Sleep(50);
    }
}

void PrintRect(HWND window) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    PrintLine(std::to_wstring(rect.left) + L" " + std::to_wstring(rect.top) + L" " + std::to_wstring(rect.right) +
              L" " + std::to_wstring(rect.bottom));
}

int WaitWindow(const Wanted& wanted) {
    HWND window = WaitFor(wanted, true);
    if (!window) {
        PrintLine(L"inspect: no such window before the time-out");
        return 1;
    }
    PrintLine(ClassOf(window) + L"\t" + TextOf(window));
    return 0;
}

int WaitGone(const Wanted& wanted) {
    if (!WaitFor(wanted, false)) {
        PrintLine(L"inspect: the window is still there");
        return 1;
    }
    return 0;
}

int Rect(const Wanted& wanted) {
    HWND window = WaitFor(wanted, true);
    if (!window) return 1;
    PrintRect(window);
    return 0;
}

Wanted DialogWanted(Wanted wanted) {
    wanted.classes = {L"#32770"};
    wanted.titles.clear();
    return wanted;
}

int Box(const Wanted& wanted) {
    HWND box = WaitFor(DialogWanted(wanted), true);
    if (!box) {
        PrintLine(L"inspect: no dialog before the time-out");
        return 1;
    }
    // A message box fills its static text in WM_INITDIALOG, before it is shown; the caption line
    // comes first, then the text, which may itself span lines.
    PrintLine(TextOf(box));
    HWND text = GetDlgItem(box, 0xFFFF);
    PrintLine(text ? TextOf(text) : L"");
    return 0;
}

int PressOk(const Wanted& wanted) {
    HWND box = WaitFor(DialogWanted(wanted), true);
    if (!box) return 1;
    HWND ok = GetDlgItem(box, IDOK);
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(ok));
    return 0;
}

HWND WaitForItem(const Wanted& wanted) {
    HWND window = WaitFor(wanted, true);
    return window ? GetDlgItem(window, wanted.id) : nullptr;
}

int Item(const Wanted& wanted) {
    HWND item = WaitForItem(wanted);
    if (!item) {
        PrintLine(L"inspect: no such control before the time-out");
        return 1;
    }
    PrintLine(TextOf(item));
    return 0;
}

int SetItem(const Wanted& wanted) {
    HWND item = WaitForItem(wanted);
    if (!item) return 1;
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutW(item, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wanted.text.c_str()),
                               SMTO_ABORTIFHUNG, 2000, &ignored)
               ? 0
               : 1;
}

int Metrics() {
    PrintLine(std::to_wstring(GetSystemMetrics(SM_CXSCREEN)) + L" " +
              std::to_wstring(GetSystemMetrics(SM_CYMAXIMIZED)));
    return 0;
}

Wanted TitledDialog(Wanted wanted) {
    std::vector<std::wstring> titles = wanted.titles;
    wanted = DialogWanted(wanted);
    if (!titles.empty()) {
        wanted.classes.clear();  // a title names one dialog among several
        wanted.titles = titles;
    }
    return wanted;
}

struct Controls {
    std::vector<HWND> found;
};

BOOL CALLBACK CollectControl(HWND control, LPARAM context) {
    reinterpret_cast<Controls*>(context)->found.push_back(control);
    return TRUE;
}

std::vector<HWND> ControlsOf(HWND dialog) {
    Controls controls;
    EnumChildWindows(dialog, CollectControl, reinterpret_cast<LPARAM>(&controls));
    return controls.found;
}

int DialogItems(const Wanted& wanted) {
    HWND window = WaitFor(TitledDialog(wanted), true);
    if (!window) return 1;
    for (HWND control : ControlsOf(window)) {
        PrintLine(std::to_wstring(GetDlgCtrlID(control)) + L"\t" + ClassOf(control) + L"\t" +
                  TextOf(control));
    }
    return 0;
}

BOOL CALLBACK CollectMenu(HWND window, LPARAM context) {
    if (IsWindowVisible(window) && ClassOf(window) == L"#32768") {
        reinterpret_cast<Controls*>(context)->found.push_back(window);
    }
    return TRUE;
}

// Submenus open above their parents in the Z order, so the list is reversed: top level first.
int MenuRects(const Wanted& wanted) {
    Wanted menus = wanted;
    menus.classes = {L"#32768"};
    menus.titles.clear();
    if (!WaitFor(menus, true)) return 1;
    Controls found;
    EnumWindows(CollectMenu, reinterpret_cast<LPARAM>(&found));
    for (auto it = found.found.rbegin(); it != found.found.rend(); ++it) PrintRect(*it);
    return 0;
}

int OwnerStyle(const Wanted& wanted) {
    HWND window = WaitFor(wanted, true);
    if (window) PrintLine(std::to_wstring(GetWindow(window, GW_OWNER) != nullptr) + L" " +
                          std::to_wstring(GetWindowLongW(window, GWL_EXSTYLE)));
    return window ? 0 : 1;
}

BOOL CALLBACK ListWindow(HWND window, LPARAM) {
    PrintLine(std::wstring(IsWindowVisible(window) ? L"visible" : L"hidden") + L"\t" + ClassOf(window) + L"\t" +
              TextOf(window));
    return TRUE;
}

int List() {
    EnumWindows(ListWindow, 0);
    return 0;
}

int Foreground() {
    HWND window = GetForegroundWindow();
    if (!window) {
        PrintLine(L"");
        return 1;
    }
    PrintLine(ClassOf(window) + L"\t" + TextOf(window));
    return 0;
}

LRESULT CALLBACK OwnWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

int ShowOwnWindow(int argc, wchar_t** argv) {
    std::wstring title = L"KorvoProbe";
    int x = 200, y = 150, width = 400, height = 300;
    DWORD seconds = 30;
    for (int i = 2; i < argc; ++i) {
        std::wstring arg = argv[i];
        if (arg == L"--title" && i + 1 < argc) {
            title = argv[++i];
        } else if (arg == L"--rect" && i + 4 < argc) {
            x = _wtoi(argv[++i]);
            y = _wtoi(argv[++i]);
            width = _wtoi(argv[++i]);
            height = _wtoi(argv[++i]);
        } else if (arg == L"--seconds" && i + 1 < argc) {
            seconds = static_cast<DWORD>(_wtoi(argv[++i]));
        }
    }
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = OwnWindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = L"KorvoProbe";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowExW(0, L"KorvoProbe", title.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, y, width,
                                  height, nullptr, nullptr, windowClass.hInstance, nullptr);
    if (!window) return 1;
    SetForegroundWindow(window);
    SetFocus(window);
    SetTimer(window, 1, seconds * 1000, nullptr);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_TIMER && message.hwnd == window) {
            DestroyWindow(window);
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        fwprintf(stderr, L"usage: inspect wait-window|wait-gone|rect|menu-rect|box|press-ok|item|set-item|metrics|list|foreground|window ...\n");
        return 2;
    }
    std::wstring command = argv[1];
    Wanted wanted = ParseWanted(argc, argv, 2);
    if (command == L"wait-window") return WaitWindow(wanted);
    if (command == L"wait-gone") return WaitGone(wanted);
    if (command == L"rect") return Rect(wanted);
    if (command == L"menu-rect") {
        wanted.classes = {L"#32768"};
        wanted.titles.clear();
        return Rect(wanted);
    }
    if (command == L"box") return Box(wanted);
    if (command == L"press-ok") return PressOk(wanted);
    if (command == L"dialog-items") return DialogItems(wanted);
    if (command == L"menu-rects") return MenuRects(wanted);
    if (command == L"foreground") return Foreground();
    if (command == L"list") return List();
    if (command == L"owner-style") return OwnerStyle(wanted);
    if (command == L"item") return Item(wanted);
    if (command == L"set-item") return SetItem(wanted);
    if (command == L"metrics") return Metrics();
    if (command == L"window") return ShowOwnWindow(argc, argv);
    fwprintf(stderr, L"inspect: unknown subcommand\n");
    return 2;
}
