#include "win32/file_name_box.h"

#include "base/text.h"
#include "state/run_state.h"
#include "win32/codepage.h"

namespace korvo::win32 {

namespace {

constexpr int BOX_WIDTH = 160;
constexpr int BOX_HEIGHT = 65;
constexpr int FONT_HEIGHT = 13;
// ＭＳ Ｐゴシック
constexpr wchar_t FONT_FACE[] = L"\xFF2D\xFF33 \xFF30\x30B4\x30B7\x30C3\x30AF";
// ファイル名入力 (file-name input)
constexpr wchar_t CAPTION_TEXT[] = L"\x30D5\x30A1\x30A4\x30EB\x540D\x5165\x529B";

constexpr INT_PTR END_ACCEPTED = 0;
constexpr INT_PTR END_CANCELLED = -1;
constexpr INT_PTR END_URL_NAME = 1;

// Everything one showing of the box works with; the dialog keeps a pointer to it (DWLP_USER).
struct BoxState {
    HINSTANCE instance = nullptr;
    Point topLeft;
    std::wstring name;
    std::wstring extension;
    HWND nameBox = nullptr;
    HWND extensionBox = nullptr;
    WNDPROC previousNameProc = nullptr;
    WNDPROC previousExtensionProc = nullptr;
    HFONT font = nullptr;
    bool dragging = false;
    POINT lastCursor{};
};

BoxState* StateOf(HWND dialog) {
    return reinterpret_cast<BoxState*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

HFONT CreateUiFont(const wchar_t* faceName, int height) {
    return CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY,
                       FIXED_PITCH | FF_MODERN, faceName);
}

std::wstring TextOfBox(HWND box) {
    const int length = GetWindowTextLengthW(box);
    std::wstring text(static_cast<std::size_t>(length < 0 ? 0 : length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(box, text.data(), length + 1)));
    return text;
}

LRESULT CALLBACK FileNameEditProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam);

HWND CreateChild(HWND dialog, BoxState& state, const wchar_t* className, const std::wstring& text,
                 DWORD exStyle, DWORD style, int y, int height, int id) {
    const auto menuId = reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
    HWND child = CreateWindowExW(exStyle, className, text.c_str(), WS_CHILD | WS_VISIBLE | style,
                                 2, y, 150, height, dialog, menuId, state.instance, nullptr);
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(state.font), TRUE);
    return child;
}

// Both edit boxes take the three keys that end the box before the edit control sees them.
WNDPROC Subclass(HWND box) {
    return reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FileNameEditProc)));
}

void LayoutFileNameDialog(HWND dialog, BoxState& state) {
    MoveWindow(dialog, state.topLeft.x, state.topLeft.y, BOX_WIDTH, BOX_HEIGHT, TRUE);
    ShowWindow(dialog, SW_SHOW);
    state.font = CreateUiFont(FONT_FACE, FONT_HEIGHT);
    const DWORD editStyle = WS_TABSTOP | ES_MULTILINE | ES_AUTOHSCROLL;
    CreateChild(dialog, state, L"STATIC", CAPTION_TEXT, 0, SS_LEFTNOWORDWRAP, 2, 16,
                IDC_FILENAME_CAPTION);
    state.nameBox = CreateChild(dialog, state, L"EDIT", state.name, WS_EX_CLIENTEDGE, editStyle, 20,
                                17, IDC_FILENAME_NAME);
    state.previousNameProc = Subclass(state.nameBox);
    state.extensionBox = CreateChild(dialog, state, L"EDIT", state.extension, WS_EX_CLIENTEDGE,
                                     editStyle, 40, 17, IDC_FILENAME_EXT);
    state.previousExtensionProc = Subclass(state.extensionBox);
    // The owner is a hidden window: without this the box may open behind the window the user
    // was working in, and the keys would not reach it.
    SetForegroundWindow(dialog);
    SetFocus(state.nameBox);
}

void EndBox(HWND box, UINT key) {
    HWND dialog = GetParent(box);
    BoxState* state = StateOf(dialog);
    if (state == nullptr) return;
    switch (key) {
        case VK_RETURN:
            // Read before the multi-line box inserts the line break that Enter types.
            state->name = TextOfBox(state->nameBox);
            state->extension = TextOfBox(state->extensionBox);
            EndDialog(dialog, END_ACCEPTED);
            return;
        case VK_ESCAPE: EndDialog(dialog, END_CANCELLED); return;
        case VK_DELETE: EndDialog(dialog, END_URL_NAME); return;
        default: return;
    }
}

LRESULT CALLBACK FileNameEditProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    BoxState* state = StateOf(GetParent(box));
    WNDPROC previous = nullptr;
    if (state != nullptr) {
        previous = box == state->nameBox ? state->previousNameProc : state->previousExtensionProc;
    }
    if (message == WM_KEYDOWN) EndBox(box, static_cast<UINT>(wParam));
    if (previous == nullptr) return DefWindowProcW(box, message, wParam, lParam);
    return CallWindowProcW(previous, box, message, wParam, lParam);
}

void StartDrag(HWND dialog, BoxState& state) {
    state.dragging = true;
    SetCapture(dialog);
    GetCursorPos(&state.lastCursor);
}

void Drag(HWND dialog, BoxState& state) {
    if (!state.dragging) return;
    RECT rect{};
    POINT cursor{};
    GetWindowRect(dialog, &rect);
    GetCursorPos(&cursor);
    MoveWindow(dialog, rect.left + cursor.x - state.lastCursor.x,
               rect.top + cursor.y - state.lastCursor.y, rect.right - rect.left,
               rect.bottom - rect.top, TRUE);
    state.lastCursor = cursor;
}

void EndDrag(BoxState& state) {
    ReleaseCapture();
    state.dragging = false;
}

INT_PTR CALLBACK FileNameDialogProc(HWND dialog, UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        LayoutFileNameDialog(dialog, *reinterpret_cast<BoxState*>(lParam));
        return TRUE;
    }
    BoxState* state = StateOf(dialog);
    if (state == nullptr) return FALSE;
    switch (message) {
        // A press anywhere on the box's own surface (the caption lets clicks through) drags it.
        case WM_LBUTTONDOWN: StartDrag(dialog, *state); return FALSE;
        case WM_MOUSEMOVE: Drag(dialog, *state); return FALSE;
        case WM_LBUTTONUP: EndDrag(*state); return FALSE;
        default: return FALSE;
    }
}

std::string Cut(const std::wstring& text) { return CutToFit(ToNarrow(text), PATH_MAX_CHARS); }

}  // namespace

FileNameAnswer ShowFileNameBox(HINSTANCE instance, HWND owner, Point topLeft,
                               const std::string& name, const std::string& extension) {
    BoxState state;
    state.instance = instance;
    state.topLeft = topLeft;
    state.name = ToWide(name);
    state.extension = ToWide(extension);
    const INT_PTR end = DialogBoxParamW(instance, L"OPTION", owner, FileNameDialogProc,
                                        reinterpret_cast<LPARAM>(&state));
    // Deleted here rather than by the keys: whatever ends the box, the font goes with it.
    if (state.font != nullptr) DeleteObject(state.font);

    FileNameAnswer answer;
    if (end == END_ACCEPTED) {
        answer.end = FileNameEnd::Accepted;
        answer.name = Cut(state.name);
        answer.extension = Cut(state.extension);
    } else if (end == END_URL_NAME) {
        answer.end = FileNameEnd::UrlName;
    }
    return answer;
}

}  // namespace korvo::win32
