// inject KEY...: types keys into whatever window has the keyboard focus, from inside Wine.
// X keyboard events reach a Wine window only under the pointer; SendInput reaches the menu loop.
// KEY: a name (Down, Return, Escape, F5...), a letter or digit, modifiers joined with "+"
// (Ctrl+X, Shift+Tab, Alt+F), "text:abc" typed as Unicode characters, "sleep:MS", or "time"
// (prints the wall clock in Unix seconds, so that "time Return" dates a pick).
// The mouse and held keys: "move:X,Y" (screen pixels), "click" (left button, where the pointer
// is), "click:X,Y" (move, then click), "hold:KEY" (pressed until "release:KEY"), so that
// "hold:Ctrl click:100,120 release:Ctrl" is a Control+click.
#include "common.h"

#include <cwctype>
#include <string>
#include <vector>

namespace {

struct NamedKey {
    const wchar_t* name;
    WORD vk;
    bool extended;
};

constexpr NamedKey kNamedKeys[] = {
    {L"Down", VK_DOWN, true},      {L"Up", VK_UP, true},          {L"Left", VK_LEFT, true},
    {L"Right", VK_RIGHT, true},    {L"Return", VK_RETURN, false}, {L"Enter", VK_RETURN, false},
    {L"Escape", VK_ESCAPE, false}, {L"Esc", VK_ESCAPE, false},    {L"Tab", VK_TAB, false},
    {L"Delete", VK_DELETE, true},  {L"Home", VK_HOME, true},      {L"End", VK_END, true},
    {L"PgUp", VK_PRIOR, true},     {L"Prior", VK_PRIOR, true},    {L"PgDn", VK_NEXT, true},
    {L"Next", VK_NEXT, true},      {L"Insert", VK_INSERT, true},  {L"Space", VK_SPACE, false},
    {L"BackSpace", VK_BACK, false}, {L"Backspace", VK_BACK, false}, {L"Ctrl", VK_CONTROL, false},
    {L"Control", VK_CONTROL, false}, {L"Shift", VK_SHIFT, false}, {L"Alt", VK_MENU, false},
    {L"Menu", VK_MENU, false},
};

bool LookUpKey(const std::wstring& name, WORD& vk, bool& extended) {
    for (const NamedKey& key : kNamedKeys) {
        if (_wcsicmp(key.name, name.c_str()) == 0) {
            vk = key.vk;
            extended = key.extended;
            return true;
        }
    }
    extended = false;
    if (name.size() == 1 && (iswalpha(name[0]) || iswdigit(name[0]))) {
        vk = static_cast<WORD>(towupper(name[0]));
        return true;
    }
    if ((name[0] == L'F' || name[0] == L'f') && name.size() <= 3) {
        int number = _wtoi(name.c_str() + 1);
        if (number >= 1 && number <= 24) {
            vk = static_cast<WORD>(VK_F1 + number - 1);
            return true;
        }
    }
    return false;
}

INPUT KeyInput(WORD vk, bool extended, bool up) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = (extended ? KEYEVENTF_EXTENDEDKEY : 0) | (up ? KEYEVENTF_KEYUP : 0);
    return input;
}

void TypeText(const std::wstring& text) {
    for (wchar_t ch : text) {
        INPUT pair[2] = {};
        for (int i = 0; i < 2; ++i) {
            pair[i].type = INPUT_KEYBOARD;
            pair[i].ki.wScan = ch;
            pair[i].ki.dwFlags = KEYEVENTF_UNICODE | (i == 1 ? KEYEVENTF_KEYUP : 0);
        }
        SendInput(2, pair, sizeof(INPUT));
        Sleep(10);
    }
}

// "Ctrl+Shift+X": press every key in order, release them in reverse.
bool PressChord(const std::wstring& chord) {
    std::vector<INPUT> downs;
    size_t start = 0;
    while (start <= chord.size()) {
        size_t plus = chord.find(L'+', start);
        // An empty name ("Ctrl+" or "++") is refused rather than guessed.
        std::wstring keyName = chord.substr(start, plus == std::wstring::npos ? std::wstring::npos : plus - start);
        WORD vk = 0;
        bool extended = false;
        if (keyName.empty() || !LookUpKey(keyName, vk, extended)) return false;
        downs.push_back(KeyInput(vk, extended, false));
        if (plus == std::wstring::npos) break;
        start = plus + 1;
    }
    std::vector<INPUT> sequence = downs;
    for (auto it = downs.rbegin(); it != downs.rend(); ++it) {
        INPUT up = *it;
        up.ki.dwFlags |= KEYEVENTF_KEYUP;
        sequence.push_back(up);
    }
    SendInput(static_cast<UINT>(sequence.size()), sequence.data(), sizeof(INPUT));
    return true;
}

// SendInput's absolute coordinates run from 0 to 65535 over the primary screen; rounded up so
// that the system's conversion back lands on the pixel asked for.
LONG Normalised(int pixel, int screenPixels) {
    if (screenPixels <= 0) return 0;
    return static_cast<LONG>((static_cast<long long>(pixel) * 65536 + screenPixels - 1) / screenPixels);
}

bool ParsePoint(const std::wstring& text, int& x, int& y) {
    const size_t comma = text.find(L',');
    if (comma == std::wstring::npos || comma == 0 || comma + 1 >= text.size()) return false;
    x = _wtoi(text.substr(0, comma).c_str());
    y = _wtoi(text.substr(comma + 1).c_str());
    return true;
}

void MoveMouse(int x, int y) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = Normalised(x, GetSystemMetrics(SM_CXSCREEN));
    input.mi.dy = Normalised(y, GetSystemMetrics(SM_CYSCREEN));
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof(INPUT));
}

void ClickLeft() {
    INPUT pair[2] = {};
    for (INPUT& input : pair) input.type = INPUT_MOUSE;
    pair[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    pair[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(1, &pair[0], sizeof(INPUT));
    Sleep(30);  // a press and a release the menu loop sees as two messages
    SendInput(1, &pair[1], sizeof(INPUT));
}

// "hold:Ctrl" / "release:Ctrl": one key's press or release alone.
bool SendKeyEdge(const std::wstring& name, bool up) {
    WORD vk = 0;
    bool extended = false;
    if (name.empty() || !LookUpKey(name, vk, extended)) return false;
    INPUT input = KeyInput(vk, extended, up);
    SendInput(1, &input, sizeof(INPUT));
    return true;
}

bool IsPointerVerb(const std::wstring& arg) {
    for (const wchar_t* verb : {L"move:", L"click", L"hold:", L"release:"}) {
        if (arg.rfind(verb, 0) == 0) return true;
    }
    return false;
}

// The mouse and held-key verbs; false when `arg` is malformed.
bool PointerAction(const std::wstring& arg) {
    int x = 0, y = 0;
    if (arg.rfind(L"move:", 0) == 0) {
        if (!ParsePoint(arg.substr(5), x, y)) return false;
        MoveMouse(x, y);
        return true;
    }
    if (arg == L"click") {
        ClickLeft();
        return true;
    }
    if (arg.rfind(L"click:", 0) == 0) {
        if (!ParsePoint(arg.substr(6), x, y)) return false;
        MoveMouse(x, y);
        Sleep(60);  // the pointer is over the item before the button goes down, as with a hand
        ClickLeft();
        return true;
    }
    if (arg.rfind(L"hold:", 0) == 0) return SendKeyEdge(arg.substr(5), false);
    if (arg.rfind(L"release:", 0) == 0) return SendKeyEdge(arg.substr(8), true);
    return false;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        fwprintf(stderr, L"usage: inject KEY...\n");
        return 2;
    }
    int status = 0;
    for (int i = 1; i < argc; ++i) {
        std::wstring arg = argv[i];
        if (arg == L"time") {
            // The wall clock as Unix seconds, for a benchmark that times what follows the next key.
            FILETIME now{};
            GetSystemTimePreciseAsFileTime(&now);
            const unsigned long long ticks =
                (static_cast<unsigned long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
            const unsigned long long unixTicks = ticks - 116444736000000000ULL;
            wprintf(L"%llu.%07llu\n", unixTicks / 10000000ULL, unixTicks % 10000000ULL);
            fflush(stdout);
            continue;
        }
        if (arg.rfind(L"text:", 0) == 0) {
            TypeText(arg.substr(5));
        } else if (arg.rfind(L"sleep:", 0) == 0) {
            Sleep(static_cast<DWORD>(_wtoi(arg.c_str() + 6)));
        } else if (IsPointerVerb(arg)) {
            if (!PointerAction(arg)) {
                korvo_tools::PrintLine(L"inject: cannot do " + arg);
                status = 2;
            }
        } else if (!PressChord(arg)) {
            korvo_tools::PrintLine(L"inject: unknown key " + arg);
            status = 2;
        }
        // The menu loop handles each key as its own message; a short pause keeps the order
        // readable in traces and lets a submenu finish opening before the next key.
        Sleep(60);
    }
    return status;
}
