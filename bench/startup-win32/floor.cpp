// The floor of the Windows start-up benchmark: a bare Windows API program with
// the main window's shape and faces and nothing else. A sizable window with the
// program's icon and a menu bar (two menus, five items); three group boxes,
// seven labels, four edit fields, a drop-down list of ten entries, a
// horizontal scroll bar and four buttons, at the main window's places at 96
// dots per inch; one font each for MS Sans Serif, Tahoma, Tahoma bold and
// Arial at 8.25 points; the dialog manager's keys. No layout table, no COM,
// no manifest, no density scaling, no accessible names. Whatever Zenalto.exe
// spends before its window shows beyond this program is its own doing.

#include <windows.h>

namespace {

enum Face { SansSerif, Tahoma, TahomaBold, Arial, FaceCount };

HFONT fonts[FaceCount];

HFONT makeFont(const wchar_t* face, bool bold) {
    // 8.25 points at 96 dots per inch.
    return ::CreateFontW(-11, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                         ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                         DEFAULT_PITCH | FF_SWISS, face);
}

HWND add(HWND parent, const wchar_t* windowClass, const wchar_t* text, DWORD style, DWORD exStyle,
         int left, int top, int width, int height, Face face) {
    const HWND child =
        ::CreateWindowExW(exStyle, windowClass, text, WS_CHILD | WS_VISIBLE | style, left, top,
                          width, height, parent, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(fonts[face]), FALSE);
    return child;
}

void addLabel(HWND parent, const wchar_t* text, int left, int top, int width, int height,
              Face face) {
    add(parent, L"STATIC", text, SS_CENTER, 0, left, top, width, height, face);
}

void addEdit(HWND parent, const wchar_t* text, int left, int top, int width, int height) {
    add(parent, L"EDIT", text, WS_TABSTOP | ES_AUTOHSCROLL | ES_CENTER, WS_EX_CLIENTEDGE, left, top,
        width, height, SansSerif);
}

void addButton(HWND parent, const wchar_t* text, int left, int top, int width, int height) {
    add(parent, L"BUTTON", text, WS_TABSTOP | BS_PUSHBUTTON, 0, left, top, width, height, Tahoma);
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

HMENU makeMenu() {
    const HMENU bar = ::CreateMenu();
    const HMENU first = ::CreatePopupMenu();
    ::AppendMenuW(first, MF_STRING, 1, L"&One");
    ::AppendMenuW(first, MF_STRING, 2, L"&Two");
    ::AppendMenuW(first, MF_STRING, 3, L"T&hree");
    ::AppendMenuW(bar, MF_STRING | MF_POPUP, reinterpret_cast<UINT_PTR>(first), L"&First");
    const HMENU second = ::CreatePopupMenu();
    ::AppendMenuW(second, MF_STRING, 4, L"&Four");
    ::AppendMenuW(second, MF_STRING, 5, L"Fi&ve...");
    ::AppendMenuW(bar, MF_STRING | MF_POPUP, reinterpret_cast<UINT_PTR>(second), L"&Second");
    return bar;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int /*show*/) {
    fonts[SansSerif] = makeFont(L"MS Sans Serif", false);
    fonts[Tahoma] = makeFont(L"Tahoma", false);
    fonts[TahomaBold] = makeFont(L"Tahoma", true);
    fonts[Arial] = makeFont(L"Arial", false);

    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &windowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = ::LoadIconW(instance, MAKEINTRESOURCEW(1));
    windowClass.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    windowClass.hbrBackground = ::GetSysColorBrush(COLOR_3DFACE);
    windowClass.lpszClassName = L"ZenaltoFloor";
    ::RegisterClassExW(&windowClass);

    // The main window's client area: 522 by 369 at 147, 135.
    RECT frame{147, 135, 147 + 522, 135 + 369};
    ::AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, TRUE, 0);
    const HWND window =
        ::CreateWindowExW(0, windowClass.lpszClassName, L"Floor: a bare window of the same shape",
                          WS_OVERLAPPEDWINDOW, frame.left, frame.top, frame.right - frame.left,
                          frame.bottom - frame.top, nullptr, makeMenu(), instance, nullptr);

    add(window, L"BUTTON", L"", BS_GROUPBOX, 0, 112, 264, 345, 73, Tahoma);
    add(window, L"BUTTON", L"Input values", BS_GROUPBOX, 0, 8, 24, 241, 209, Tahoma);
    addLabel(window, L"First input value", 24, 56, 65, 33, TahomaBold);
    addLabel(window, L"u1", 192, 64, 25, 17, SansSerif);
    addLabel(window, L"Second input", 16, 128, 73, 25, TahomaBold);
    addLabel(window, L"u2", 192, 176, 25, 17, SansSerif);
    addEdit(window, L"100", 128, 56, 65, 25);
    addEdit(window, L"1234.567", 104, 168, 89, 25);
    const HWND list = add(window, L"COMBOBOX", L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN, 0, 104,
                          136, 105, 200, Arial);
    wchar_t item[] = L"Item 0";
    for (wchar_t digit = L'0'; digit <= L'9'; ++digit) {
        item[5] = digit;
        ::SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    }
    ::SetWindowTextW(list, L"Item 7");
    add(window, L"BUTTON", L"Output values", BS_GROUPBOX, 0, 264, 24, 249, 209, Tahoma);
    addLabel(window, L"First output", 280, 96, 81, 25, TahomaBold);
    addLabel(window, L"u3", 448, 104, 25, 17, SansSerif);
    addLabel(window, L"u4", 448, 152, 33, 17, SansSerif);
    addEdit(window, L"0", 368, 96, 81, 25);
    addEdit(window, L"0", 368, 144, 81, 25);
    addButton(window, L"One", 152, 288, 65, 25);
    addButton(window, L"Two", 216, 288, 57, 25);
    addButton(window, L"Three", 272, 288, 65, 25);
    addButton(window, L"Four...", 336, 288, 73, 25);
    const HWND bar =
        add(window, L"SCROLLBAR", L"", WS_TABSTOP | SBS_HORZ, 0, 104, 96, 105, 17, SansSerif);
    ::SetScrollRange(bar, SB_CTL, 100, 900, FALSE);

    ::ShowWindow(window, SW_SHOWNORMAL);
    MSG message{};
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (::IsDialogMessageW(window, &message) == FALSE) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
    }
    for (const HFONT font : fonts) {
        ::DeleteObject(font);
    }
    return static_cast<int>(message.wParam);
}
