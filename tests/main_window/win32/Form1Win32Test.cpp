// The Win32 main window and About dialog as a user drives them, by the window
// messages that the mouse and the keyboard make: texts typed, buttons
// pressed, list entries picked, the scroll bar moved, menu commands, Tab, Esc,
// Enter and access keys. Every message box and the end of the program are
// watched through the recording platform. And what they draw, in the
// system's colours under a high-contrast theme.

#include <gtest/gtest.h>

#include <oleacc.h>
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "about/frmAboutLayout.h"
#include "about/win32/frmAbout.h"
#include "fakes/FakePlatform.h"
#include "fakes/ProgramTexts.h"
#include "layout/LayoutWindow.h"
#include "layout/TableRules.h"
#include "layout/Win32Text.h"
#include "main_window/Form1Layout.h"
#include "main_window/win32/Form1.h"

namespace {

using zenalto::Form1Layout;
using zenalto::frmAboutLayout;
using zenalto::MessageStyle;
using zenalto::testing::FakePlatform;
using zenalto::win32::DispatchPendingMessages;
using zenalto::win32::Form1;
using zenalto::win32::utf16;
using zenalto::win32::windowText;
using Shown = FakePlatform::ShownMessage;

namespace texts = zenalto::program_texts;

const std::u16string InputTitle(texts::InputErrorTitle);
const std::u16string Help(texts::HelpPrompt);

// Pixels of a laid-out length at `dpi`.
int px(int twips, UINT dpi) {
    return static_cast<int>((static_cast<long long>(twips) * dpi + 720) / 1440);
}

// The top-level windows of this thread of a class.
std::vector<HWND> windowsOfClass(const wchar_t* className) {
    struct Search {
        const wchar_t* className;
        std::vector<HWND> found;
    } search{className, {}};
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND window, LPARAM data) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(data);
            wchar_t name[64] = {};
            ::GetClassNameW(window, name, 64);
            if (std::wstring_view(name) == s.className && ::IsWindowVisible(window) != FALSE) {
                s.found.push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The virtual key of a key's name as the DOM's KeyboardEvent.key gives it.
UINT virtualKeyOf(const std::string& name) {
    const std::map<std::string, UINT> keys{
        {"ArrowLeft", VK_LEFT}, {"ArrowRight", VK_RIGHT}, {"ArrowUp", VK_UP},
        {"ArrowDown", VK_DOWN}, {"PageUp", VK_PRIOR},     {"PageDown", VK_NEXT},
        {"Home", VK_HOME},      {"End", VK_END},
    };
    const auto found = keys.find(name);
    return found != keys.end() ? found->second : 0;
}

// The relative luminance of a colour and the contrast ratio of two, as WCAG
// reckons them.
double luminance(COLORREF colour) {
    const auto linear = [](BYTE channel) {
        const double c = channel / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(GetRValue(colour)) + 0.7152 * linear(GetGValue(colour)) +
           0.0722 * linear(GetBValue(colour));
}
double contrast(COLORREF a, COLORREF b) {
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The pixels of `area` of a window's client area, as drawn.
std::vector<COLORREF> pixelsOf(HWND window, const RECT& area) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    const HDC source = ::GetDC(window);
    const HDC copy = ::CreateCompatibleDC(source);
    void* bits = nullptr;
    const HBITMAP bitmap = ::CreateDIBSection(copy, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ old = ::SelectObject(copy, bitmap);
    ::BitBlt(copy, 0, 0, width, height, source, area.left, area.top, SRCCOPY);
    ::GdiFlush();
    std::vector<COLORREF> pixels(static_cast<std::size_t>(width) *
                                 static_cast<std::size_t>(height));
    const auto* bgra = static_cast<const BYTE*>(bits);
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        pixels[i] = RGB(bgra[4 * i + 2], bgra[4 * i + 1], bgra[4 * i]);
    }
    ::SelectObject(copy, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(copy);
    ::ReleaseDC(window, source);
    return pixels;
}

// Wine answers that no high-contrast theme is on, whatever it is asked
// (SPI_GETHIGHCONTRAST is not implemented there), so this process's import of
// the function is pointed here while a theme is set; every other question
// goes to the system.
using SystemParametersInfoFunction = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT);
// NOLINTNEXTLINE(bugprone-reserved-identifier): the import's own name
extern "C" SystemParametersInfoFunction __imp_SystemParametersInfoW;

class HighContrastTheme {
public:
    // Turns the theme on with those system colours, as Windows does: the
    // colours change, and every window is told.
    explicit HighContrastTheme(const std::map<int, COLORREF>& colours) {
        for (const auto& [index, colour] : colours) {
            m_indexes.push_back(index);
            m_colours.push_back(colour);
            m_saved.push_back(::GetSysColor(index));
        }
        point(&answer);
        s_system = m_original;
        ::SetSysColors(static_cast<int>(m_indexes.size()), m_indexes.data(), m_colours.data());
    }
    HighContrastTheme(const HighContrastTheme&) = delete;
    HighContrastTheme& operator=(const HighContrastTheme&) = delete;
    ~HighContrastTheme() {
        point(m_original);
        ::SetSysColors(static_cast<int>(m_indexes.size()), m_indexes.data(), m_saved.data());
    }

private:
    static BOOL WINAPI answer(UINT action, UINT parameter, PVOID data, UINT flags) {
        if (action == SPI_GETHIGHCONTRAST && data != nullptr) {
            auto* theme = static_cast<HIGHCONTRASTW*>(data);
            theme->dwFlags = HCF_AVAILABLE | HCF_HIGHCONTRASTON;
            theme->lpszDefaultScheme = nullptr;
            return TRUE;
        }
        return s_system(action, parameter, data, flags);
    }
    void point(SystemParametersInfoFunction to) {
        DWORD was = 0;
        ::VirtualProtect(&__imp_SystemParametersInfoW, sizeof to, PAGE_READWRITE, &was);
        if (m_original == nullptr) {
            m_original = __imp_SystemParametersInfoW;
        }
        __imp_SystemParametersInfoW = to;
        ::VirtualProtect(&__imp_SystemParametersInfoW, sizeof to, was, &was);
    }

    static inline SystemParametersInfoFunction s_system = nullptr;
    SystemParametersInfoFunction m_original = nullptr;
    std::vector<int> m_indexes;
    std::vector<COLORREF> m_colours, m_saved;
};

class Win32Windows : public ::testing::Test {
public:
    void SetUp() override {
        ::OleInitialize(nullptr);
        zenalto::win32::SetLastWindowClosedHandler([this] { ++m_lastWindowClosed; });
        m_form = std::make_unique<Form1>(m_platform, ::GetModuleHandleW(nullptr));
        m_form->show();
        DispatchPendingMessages();
    }
    void TearDown() override {
        m_form.reset();
        DispatchPendingMessages();
        zenalto::win32::SetLastWindowClosedHandler({});
        ::OleUninitialize();
    }

    HWND control(const char* name) const {
        const HWND found = m_form->control(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    std::u16string text(const char* name) const { return windowText(control(name)); }
    void type(const char* name, const wchar_t* text) const {
        ::SendMessageW(control(name), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    }
    static void press(HWND button) {
        ::SendMessageW(button, BM_CLICK, 0, 0);
        DispatchPendingMessages();
    }
    void click(const char* button) const { press(control(button)); }
    // The menu item of that name, found in the window's menu bar by its caption.
    void choose(std::string_view itemName) const {
        std::u16string caption;
        for (const auto& menu : Form1Layout.menus) {
            for (const auto& item : menu.items) {
                if (item.name == itemName) {
                    caption = item.caption;
                }
            }
        }
        const HMENU bar = ::GetMenu(m_form->window());
        for (int m = 0; m < ::GetMenuItemCount(bar); ++m) {
            const HMENU popup = ::GetSubMenu(bar, m);
            for (int i = 0; i < ::GetMenuItemCount(popup); ++i) {
                wchar_t shown[64] = {};
                ::GetMenuStringW(popup, static_cast<UINT>(i), shown, 64, MF_BYPOSITION);
                if (std::u16string(shown, shown + std::wcslen(shown)) == caption) {
                    ::PostMessageW(m_form->window(), WM_COMMAND, ::GetMenuItemID(popup, i), 0);
                    DispatchPendingMessages();
                    return;
                }
            }
        }
        ADD_FAILURE() << "no menu item " << itemName;
    }
    // A key pressed and released where the focus is.
    static void key(UINT virtualKey) {
        const HWND focus = ::GetFocus();
        ::PostMessageW(focus, WM_KEYDOWN, virtualKey, 1);
        ::PostMessageW(focus, WM_KEYUP, virtualKey, static_cast<LPARAM>(0xC0000001U));
        DispatchPendingMessages();
    }
    // Alt and a letter, as the keyboard sends it.
    static void altKey(wchar_t letter) {
        ::PostMessageW(::GetFocus(), WM_SYSCHAR, letter, static_cast<LPARAM>(0x20000001U));
        DispatchPendingMessages();
    }
    void scroll(int request, int position = 0) const {
        ::SendMessageW(m_form->window(), WM_HSCROLL,
                       MAKEWPARAM(static_cast<WORD>(request), static_cast<WORD>(position)),
                       reinterpret_cast<LPARAM>(control("HScroll1")));
        DispatchPendingMessages();
    }
    // One notch of the wheel turned down with the pointer over `window`.
    static void wheelDown(HWND window) {
        RECT rect{};
        ::GetWindowRect(window, &rect);
        ::SendMessageW(window, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)),
                       MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2));
        DispatchPendingMessages();
    }
    HWND listEdit() const {
        COMBOBOXINFO parts{};
        parts.cbSize = sizeof parts;
        ::GetComboBoxInfo(control("Combo1"), &parts);
        return parts.hwndItem;
    }
    HWND about() const {
        const auto found = windowsOfClass(L"ZenaltofrmAbout");
        return found.size() == 1 ? found.front() : nullptr;
    }

    FakePlatform m_platform;
    std::unique_ptr<Form1> m_form;
    int m_lastWindowClosed = 0;
};

// Each row starts from a fresh window, acts, and checks the four fields, the
// list's text and what the platform was asked.
TEST_F(Win32Windows, EventsReachTheCommands) {
    struct Row {
        const char* what;
        std::function<void(Win32Windows&)> act;
        std::u16string text1, text2, text3, text4, list;
        std::vector<Shown> messages;
        int endProgram = 0;
    };
    const std::u16string start1 = u"159", start2 = u"6378.206", clarke = u"Clarke 1866";
    const std::vector<Row> rows{
        {"Calcular pressed",
         [](Win32Windows& t) { t.click("Command1"); },
         start1,
         start2,
         u"7812.50598",
         u"28125.02151",
         clarke,
         {}},
        {"geostationary altitude typed, Calcular pressed",
         [](Win32Windows& t) {
             t.type("Text1", L"35786");
             t.type("Text2", L"6378.137");
             t.click("Command1");
         },
         u"35786",
         u"6378.137",
         u"3076.20193",
         u"11074.32694",
         clarke,
         {}},
        {"&Calcular chosen with no altitude",
         [](Win32Windows& t) {
             t.type("Text1", L"");
             t.choose("Calcular");
         },
         u"",
         start2,
         u"0",
         u"0",
         clarke,
         {{std::u16string(texts::NoAltitudePrompt.menu), MessageStyle::Critical, InputTitle}}},
        {"Calcular pressed with no radius",
         [](Win32Windows& t) {
             t.type("Text2", L"");
             t.click("Command1");
         },
         start1,
         u"",
         u"0",
         u"0",
         clarke,
         {{std::u16string(texts::NoRadiusPrompt.button), MessageStyle::Critical, InputTitle}}},
        {"Borrar pressed",
         [](Win32Windows& t) { t.click("Command2"); },
         u"",
         u"",
         u"",
         u"",
         u"",
         {}},
        {"&Borrar chosen",
         [](Win32Windows& t) { t.choose("Borrar"); },
         u"",
         u"",
         u"",
         u"",
         u"",
         {}},
        {"Salir pressed",
         [](Win32Windows& t) { t.click("Command3"); },
         start1,
         start2,
         u"0",
         u"0",
         clarke,
         {},
         1},
        {"&Salir chosen",
         [](Win32Windows& t) { t.choose("Salir"); },
         start1,
         start2,
         u"0",
         u"0",
         clarke,
         {},
         1},
        {"A&yuda chosen",
         [](Win32Windows& t) { t.choose("Ayuda"); },
         start1,
         start2,
         u"0",
         u"0",
         clarke,
         {{Help, MessageStyle::OkOnly, std::u16string(texts::HelpTitle)}}},
        {"three arrow keys in the closed list",
         [](Win32Windows& t) {
             ::SetFocus(t.control("Combo1"));
             key(VK_DOWN);
             key(VK_DOWN);
             key(VK_DOWN);
         },
         start1,
         u"6378.135",
         u"0",
         u"0",
         u"WGS72",
         {}},
        // Dropping the list selects the entry that the edit area names.
        {"list dropped, two entries down, Enter",
         [](Win32Windows& t) {
             ::SetFocus(t.control("Combo1"));
             ::SendMessageW(t.control("Combo1"), CB_SHOWDROPDOWN, TRUE, 0);
             key(VK_DOWN);
             key(VK_DOWN);
             // Moving in the dropped list chooses nothing yet.
             EXPECT_EQ(t.text("Text2"), u"6378.206");
             key(VK_RETURN);
         },
         start1,
         u"6377.563",
         u"0",
         u"0",
         u"AIRY",
         {}},
        {"a click on the dropped list's fifth entry, then an arrow key",
         [](Win32Windows& t) {
             const HWND combo = t.control("Combo1");
             ::SetFocus(combo);
             ::SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
             COMBOBOXINFO parts{};
             parts.cbSize = sizeof parts;
             ASSERT_NE(::GetComboBoxInfo(combo, &parts), FALSE);
             RECT item{};
             ::SendMessageW(parts.hwndList, LB_GETITEMRECT, 4, reinterpret_cast<LPARAM>(&item));
             const LPARAM at =
                 MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
             ::SendMessageW(parts.hwndList, WM_LBUTTONDOWN, MK_LBUTTON, at);
             ::SendMessageW(parts.hwndList, WM_LBUTTONUP, 0, at);
             DispatchPendingMessages();
             EXPECT_EQ(t.text("Text2"), u"6378.245");
             EXPECT_EQ(::SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0), FALSE);
             key(VK_DOWN);
         },
         start1,
         u"6378.388",
         u"0",
         u"0",
         u"INTERNACIONAL",
         {}},
        // The focus selects the edit area's text, which the typing replaces.
        {"typing in the list's edit area",
         [](Win32Windows& t) {
             ::SetFocus(t.control("Combo1"));
             for (const wchar_t c : std::wstring(L"WGS72")) {
                 ::PostMessageW(::GetFocus(), WM_CHAR, c, 1);
             }
             DispatchPendingMessages();
         },
         start1,
         start2,
         u"0",
         u"0",
         u"WGS72",
         {}},
        {"right arrow of the scroll bar",
         [](Win32Windows& t) { t.scroll(SB_LINERIGHT); },
         u"160",
         start2,
         u"0",
         u"0",
         clarke,
         {}},
        {"scroll bar to its right end (End)",
         [](Win32Windows& t) { t.scroll(SB_RIGHT); },
         u"900",
         start2,
         u"0",
         u"0",
         clarke,
         {}},
        {"thumb dragged to 500, not released",
         [](Win32Windows& t) {
             t.type("Text1", L"abc");
             t.scroll(SB_THUMBTRACK, 500);
         },
         u"abc",
         start2,
         u"0",
         u"0",
         clarke,
         {}},
        {"thumb released at 500",
         [](Win32Windows& t) {
             t.type("Text1", L"abc");
             t.scroll(SB_THUMBTRACK, 500);
             t.scroll(SB_THUMBPOSITION, 500);
         },
         u"500",
         start2,
         u"0",
         u"0",
         clarke,
         {}},
        {"left arrow at the left end changes nothing",
         [](Win32Windows& t) {
             t.type("Text1", L"abc");
             t.scroll(SB_LINELEFT);
             t.scroll(SB_PAGELEFT);
         },
         u"abc",
         start2,
         u"0",
         u"0",
         clarke,
         {}},
        // A stray wheel turn, with the focus elsewhere, moves neither the list
        // nor the scroll bar.
        {"the wheel over the list, its edit area and the scroll bar, focus in Text1",
         [](Win32Windows& t) {
             t.type("Text1", L"300");
             wheelDown(t.control("Combo1"));
             wheelDown(t.listEdit());
             wheelDown(t.control("HScroll1"));
             EXPECT_EQ(::GetFocus(), t.control("Text1"));
         },
         u"300",
         start2,
         u"0",
         u"0",
         clarke,
         {}},
        {"the wheel over the list with the focus in its edit area",
         [](Win32Windows& t) {
             ::SetFocus(t.control("Combo1"));
             wheelDown(t.control("Combo1"));
         },
         start1,
         u"6378.137",
         u"0",
         u"0",
         u"WGS84",
         {}},
        {"Enter and Esc press no button",
         [](Win32Windows&) {
             key(VK_RETURN);
             key(VK_ESCAPE);
         },
         start1,
         start2,
         u"0",
         u"0",
         clarke,
         {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        TearDown();
        m_platform.messages.clear();
        m_platform.endProgramCalls = 0;
        SetUp();
        row.act(*this);
        EXPECT_EQ(text("Text1"), row.text1);
        EXPECT_EQ(text("Text2"), row.text2);
        EXPECT_EQ(text("Text3"), row.text3);
        EXPECT_EQ(text("Text4"), row.text4);
        EXPECT_EQ(text("Combo1"), row.list);
        EXPECT_EQ(m_platform.messages, row.messages);
        EXPECT_EQ(m_platform.endProgramCalls, row.endProgram);
        EXPECT_EQ(m_form->commands().aboutDialog(), nullptr);
    }
}

// A long paste of digits, which the edit control of Wine measures in a time
// that grows with the square of its length, stops at the field's length: the
// edit control's default, which still answers within a second. A key typed
// then adds nothing.
TEST_F(Win32Windows, LongPastesStopAtTheFieldsLength) {
    constexpr std::size_t Pasted = 100'000;
    constexpr LRESULT Kept = 32'767;
    std::wstring digits(Pasted, L'0');
    for (std::size_t i = 0; i < Pasted; ++i) {
        digits[i] = static_cast<wchar_t>(L'0' + i % 10);
    }
    const std::size_t bytes = (digits.size() + 1) * sizeof(wchar_t);
    const HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
    ASSERT_NE(memory, nullptr);
    std::memcpy(::GlobalLock(memory), digits.c_str(), bytes);
    ::GlobalUnlock(memory);
    ASSERT_NE(::OpenClipboard(m_form->window()), FALSE);
    ::EmptyClipboard();
    ASSERT_NE(::SetClipboardData(CF_UNICODETEXT, memory), nullptr);
    ::CloseClipboard();

    for (const std::string name : {"Text1", "Text2", "Text3", "Text4", "Combo1"}) {
        SCOPED_TRACE(name);
        const HWND field = name == "Combo1" ? listEdit() : control(name.c_str());
        ::SetFocus(field);
        ::SendMessageW(field, EM_SETSEL, 0, -1);
        ::SendMessageW(field, WM_PASTE, 0, 0);
        const std::u16string kept = windowText(field);
        EXPECT_EQ(static_cast<LRESULT>(kept.size()), Kept);
        EXPECT_EQ(kept.substr(0, 12), u"012345678901");
        ::SendMessageW(field, WM_CHAR, L'5', 1);
        EXPECT_EQ(::SendMessageW(field, WM_GETTEXTLENGTH, 0, 0), Kept);
    }
}

// Windows closes a list on a choice with CBN_SELENDOK, CBN_CLOSEUP, then
// CBN_SELCHANGE; the choice is still one Click, one radius written.
TEST_F(Win32Windows, ListChoiceIsOneClickWhateverTheNotificationOrder) {
    static int radiusWrites = 0;
    static WNDPROC original = nullptr;
    const HWND radius = control("Text2");
    original = reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(
        radius, GWLP_WNDPROC,
        reinterpret_cast<LONG_PTR>(+[](HWND window, UINT message, WPARAM w, LPARAM l) {
            radiusWrites += message == WM_SETTEXT ? 1 : 0;
            return ::CallWindowProcW(original, window, message, w, l);
        })));
    const HWND combo = control("Combo1");
    const auto notify = [&](WORD notification) {
        ::SendMessageW(m_form->window(), WM_COMMAND,
                       MAKEWPARAM(::GetDlgCtrlID(combo), notification),
                       reinterpret_cast<LPARAM>(combo));
    };
    ::SendMessageW(combo, CB_SETCURSEL, 3, 0);
    notify(CBN_SELENDOK);
    notify(CBN_CLOSEUP);
    notify(CBN_SELCHANGE);
    DispatchPendingMessages();
    EXPECT_EQ(text("Text2"), u"6378.160");
    EXPECT_EQ(radiusWrites, 1);
    ::SetWindowLongPtrW(radius, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
}

TEST_F(Win32Windows, TabFollowsTheTabIndexes) {
    EXPECT_EQ(::GetFocus(), control("Text1"));
    const char* order[] = {"Text3",    "Text2",    "Text4",    "Combo1",   "Command1",
                           "Command2", "Command3", "Command4", "HScroll1", "Text1"};
    for (const char* next : order) {
        key(VK_TAB);
        const HWND focus = ::GetFocus();
        EXPECT_TRUE(focus == control(next) || ::IsChild(control(next), focus) != FALSE) << next;
    }
}

// Every control at its laid-out place and size, with its ID, font and
// stacking; the client area at its place on the screen.
TEST_F(Win32Windows, GeometryAndFontsFollowTheTables) {
    Form1 form(m_platform, ::GetModuleHandleW(nullptr));
    form.show();
    zenalto::win32::frmAbout dialog(m_platform, ::GetModuleHandleW(nullptr));
    dialog.Show();
    DispatchPendingMessages();
    const zenalto::win32::LayoutWindow* windows[] = {&form, &dialog};
    for (const auto* window : windows) {
        const auto& layout = window->layout();
        SCOPED_TRACE(std::string(layout.name));
        const HWND topWindow = window->window();
        const UINT dpi = ::GetDpiForWindow(topWindow);
        RECT client{};
        ::GetClientRect(topWindow, &client);
        POINT origin{0, 0};
        ::ClientToScreen(topWindow, &origin);
        EXPECT_EQ(origin.x, px(layout.clientLeft, dpi));
        EXPECT_EQ(origin.y, px(layout.clientTop, dpi));
        // Edges are scaled, not sizes.
        EXPECT_EQ(origin.x + client.right, px(layout.clientLeft + layout.clientWidth, dpi));
        EXPECT_EQ(origin.y + client.bottom, px(layout.clientTop + layout.clientHeight, dpi));
        EXPECT_EQ(windowText(topWindow), layout.title);

        HWND below = nullptr;
        for (std::size_t i = 0; i < layout.controls.size(); ++i) {
            const auto& control = layout.controls[i];
            SCOPED_TRACE(std::string(control.name));
            const HWND child = window->control(control.name);
            ASSERT_NE(child, nullptr);
            EXPECT_EQ(::GetDlgCtrlID(child), 100 + static_cast<int>(i));
            // Made from the bottom of the stacking order up.
            if (below != nullptr) {
                EXPECT_EQ(::GetWindow(child, GW_HWNDNEXT), below);
            }
            below = child;

            int left = control.left;
            int top = control.top;
            if (const auto* frame = zenalto::layout::find(layout, control.container)) {
                left += frame->left;
                top += frame->top;
            }
            RECT rect{};
            ::GetWindowRect(child, &rect);
            ::MapWindowPoints(nullptr, window->window(), reinterpret_cast<POINT*>(&rect), 2);
            EXPECT_EQ(rect.left, px(left, dpi));
            EXPECT_EQ(rect.top, px(top, dpi));
            EXPECT_EQ(rect.right, px(left + control.width, dpi));
            EXPECT_EQ(rect.bottom, px(top + control.height, dpi));
            if (!control.caption.empty() && control.kind != zenalto::layout::Kind::ComboBox) {
                EXPECT_EQ(windowText(child), control.caption);
            }
            if (control.kind == zenalto::layout::Kind::ComboBox) {
                // Its height is the dropped list's: the rows every face shows.
                COMBOBOXINFO parts{};
                parts.cbSize = sizeof parts;
                ::GetComboBoxInfo(child, &parts);
                ::SendMessageW(child, CB_SHOWDROPDOWN, TRUE, 0);
                RECT list{};
                ::GetClientRect(parts.hwndList, &list);
                EXPECT_EQ(list.bottom, zenalto::layout::DroppedListRows *
                                           ::SendMessageW(parts.hwndList, LB_GETITEMHEIGHT, 0, 0));
                ::SendMessageW(child, CB_SHOWDROPDOWN, FALSE, 0);
            }

            const auto font = reinterpret_cast<HFONT>(::SendMessageW(child, WM_GETFONT, 0, 0));
            if (control.kind == zenalto::layout::Kind::Line ||
                control.kind == zenalto::layout::Kind::Picture ||
                control.kind == zenalto::layout::Kind::HScrollBar) {
                continue;
            }
            ASSERT_NE(font, nullptr);
            LOGFONTW logical{};
            ::GetObjectW(font, sizeof logical, &logical);
            const auto& expected = control.font.face.empty() ? layout.font : control.font;
            // The bitmap font's TrueType twin away from 96 dots per inch.
            const std::u16string face = dpi != 96 && expected.face == u"MS Sans Serif"
                                            ? u"Microsoft Sans Serif"
                                            : std::u16string(expected.face);
            EXPECT_EQ(std::u16string(logical.lfFaceName,
                                     logical.lfFaceName + std::wcslen(logical.lfFaceName)),
                      face);
            EXPECT_EQ(logical.lfWeight, expected.bold ? FW_BOLD : FW_NORMAL);
            // 8.25 points are 165 twips; half pixels round down.
            EXPECT_EQ(logical.lfHeight, -((165 * static_cast<int>(dpi) + 719) / 1440));
        }
    }
}

// What a screen reader asks each named control for.
TEST_F(Win32Windows, FieldsAnswerScreenReadersWithTheirNames) {
    m_form->commands().Command4_Click();
    DispatchPendingMessages();
    auto* dialog = dynamic_cast<zenalto::win32::frmAbout*>(m_form->commands().aboutDialog());
    ASSERT_NE(dialog, nullptr);
    const zenalto::win32::LayoutWindow* windows[] = {m_form.get(), dialog};
    int named = 0;
    for (const auto* window : windows) {
        for (const auto& control : window->layout().controls) {
            if (control.accessibleName.empty()) {
                continue;
            }
            SCOPED_TRACE(std::string(control.name));
            ++named;
            IAccessible* accessible = nullptr;
            ASSERT_EQ(::AccessibleObjectFromWindow(
                          window->control(control.name), static_cast<DWORD>(OBJID_CLIENT),
                          __uuidof(IAccessible), reinterpret_cast<void**>(&accessible)),
                      S_OK);
            VARIANT self{};
            self.vt = VT_I4;
            self.lVal = CHILDID_SELF;
            BSTR name = nullptr;
            ASSERT_EQ(accessible->get_accName(self, &name), S_OK);
            EXPECT_EQ(std::u16string(name, name + ::SysStringLen(name)), control.accessibleName);
            ::SysFreeString(name);
            if (!control.accessibleDescription.empty()) {
                BSTR description = nullptr;
                ASSERT_EQ(accessible->get_accDescription(self, &description), S_OK);
                EXPECT_EQ(std::u16string(description, description + ::SysStringLen(description)),
                          control.accessibleDescription);
                ::SysFreeString(description);
            }
            accessible->Release();
        }
    }
    EXPECT_EQ(named, 7);

    // The About dialog is a dialog to a screen reader, which says its texts,
    // from the top down, as it opens; the main window is not.
    std::u16string texts;
    for (const char* label : {"lblDescription", "Label3", "Label4", "lblVersion", "Label2",
                              "Label1", "lblDisclaimer"}) {
        texts += (texts.empty() ? u"" : u"\n");
        texts += zenalto::layout::find(frmAboutLayout, label)->caption;
    }
    struct Window {
        const char* what;
        HWND window;
        long role;
        std::u16string name, description;
    };
    const Window rows[] = {
        {"About dialog", dialog->window(), ROLE_SYSTEM_DIALOG, std::u16string(frmAboutLayout.title),
         texts},
        {"main window", m_form->window(), ROLE_SYSTEM_CLIENT, std::u16string(Form1Layout.title),
         u""},
    };
    for (const Window& row : rows) {
        SCOPED_TRACE(row.what);
        IAccessible* accessible = nullptr;
        ASSERT_EQ(::AccessibleObjectFromWindow(row.window, static_cast<DWORD>(OBJID_CLIENT),
                                               __uuidof(IAccessible),
                                               reinterpret_cast<void**>(&accessible)),
                  S_OK);
        VARIANT self{};
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        VARIANT role{};
        ASSERT_EQ(accessible->get_accRole(self, &role), S_OK);
        EXPECT_EQ(role.lVal, row.role);
        BSTR name = nullptr;
        ASSERT_EQ(accessible->get_accName(self, &name), S_OK);
        EXPECT_EQ(std::u16string(name, name + ::SysStringLen(name)), row.name);
        ::SysFreeString(name);
        BSTR description = nullptr;
        accessible->get_accDescription(self, &description);
        EXPECT_EQ(std::u16string(description, description + ::SysStringLen(description)),
                  row.description);
        ::SysFreeString(description);
        accessible->Release();
    }
}

// The keys of the focused scroll bar, as Windows' own scroll bar takes them:
// each row of the table that every face's tests read, pressed on HScroll1.
TEST_F(Win32Windows, ScrollBarKeysFollowTheKeyTable) {
    std::ifstream table(ZENALTO_SCROLL_BAR_KEYS);
    ASSERT_TRUE(table) << ZENALTO_SCROLL_BAR_KEYS;
    const HWND bar = control("HScroll1");
    int rows = 0;
    for (std::string line; std::getline(table, line);) {
        if (line.empty() || line.front() == '#') {
            continue;
        }
        SCOPED_TRACE(line);
        std::istringstream fields(line);
        int start = 0;
        int after = 0;
        std::string key;
        fields >> start >> key >> after;
        ASSERT_NE(virtualKeyOf(key), 0U) << key;
        ::SetScrollPos(bar, SB_CTL, start, TRUE);
        type("Text1", std::to_wstring(start).c_str());
        ::SetFocus(bar);
        Win32Windows::key(virtualKeyOf(key));
        EXPECT_EQ(::GetScrollPos(bar, SB_CTL), after);
        EXPECT_EQ(text("Text1"), utf16(std::to_wstring(after)));
        EXPECT_EQ(::GetFocus(), bar);
        ++rows;
    }
    EXPECT_GT(rows, 0);
}

// Every caption of a label or frame and every line of both windows as drawn:
// in the table's colours, or the system's where the table gives none; under
// a high-contrast theme, turned on while the main window is open and before
// the About dialog opens, in the theme's colours instead. Every text stands
// at 4.5:1 or more against the window.
TEST_F(Win32Windows, ColoursFollowTheContrastTheme) {
    // Yellow on black, with 3-D edges of colours of their own.
    const std::map<int, COLORREF> highContrast{
        {COLOR_3DFACE, RGB(0, 0, 0)},     {COLOR_BTNTEXT, RGB(255, 255, 0)},
        {COLOR_WINDOW, RGB(0, 0, 0)},     {COLOR_WINDOWTEXT, RGB(255, 255, 0)},
        {COLOR_3DSHADOW, RGB(0, 255, 0)}, {COLOR_3DHILIGHT, RGB(0, 255, 255)},
    };
    using zenalto::layout::Kind;
    for (const bool themed : {false, true}) {
        SCOPED_TRACE(themed ? "under a high-contrast theme" : "in the system's usual colours");
        std::optional<HighContrastTheme> theme;
        if (themed) {
            theme.emplace(highContrast);
        }
        m_form->commands().Command4_Click();
        DispatchPendingMessages();
        auto* dialog = dynamic_cast<zenalto::win32::frmAbout*>(m_form->commands().aboutDialog());
        ASSERT_NE(dialog, nullptr);
        const zenalto::win32::LayoutWindow* windows[] = {m_form.get(), dialog};
        const COLORREF face = ::GetSysColor(COLOR_3DFACE);
        const COLORREF edges[] = {::GetSysColor(COLOR_3DSHADOW), ::GetSysColor(COLOR_3DHILIGHT)};
        for (const auto* window : windows) {
            const HWND top = window->window();
            ::RedrawWindow(top, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
            for (const auto& control : window->layout().controls) {
                const bool line = control.kind == Kind::Line;
                if (!line && (control.caption.empty() ||
                              (control.kind != Kind::Label && control.kind != Kind::Frame))) {
                    continue;
                }
                SCOPED_TRACE(std::string(control.name));
                RECT area{};
                ::GetWindowRect(window->control(control.name), &area);
                ::MapWindowPoints(nullptr, top, reinterpret_cast<POINT*>(&area), 2);
                if (control.kind == Kind::Frame) {
                    // The caption's strip across the top.
                    area.bottom =
                        area.top + zenalto::win32::fontPixelHeight(::GetDpiForWindow(top)) + 2;
                }
                const std::vector<COLORREF> pixels = pixelsOf(top, area);
                const auto count = [&](COLORREF colour) {
                    return std::count(pixels.begin(), pixels.end(), colour);
                };
                const auto laidOut = [](const zenalto::layout::Colour& c) {
                    return RGB(c.red, c.green, c.blue);
                };
                if (line) {
                    const COLORREF want =
                        !themed ? laidOut(*control.colour)
                                : ::GetSysColor(*control.colour == zenalto::layout::White
                                                    ? COLOR_3DHILIGHT
                                                    : COLOR_3DSHADOW);
                    EXPECT_EQ(count(want), static_cast<std::ptrdiff_t>(pixels.size()));
                    continue;
                }
                const COLORREF ink = control.colour && !themed ? laidOut(*control.colour)
                                                               : ::GetSysColor(COLOR_BTNTEXT);
                EXPECT_GT(count(ink), 0);
                // The strongest ink against the window, a frame's edges left out.
                double strongest = 1;
                for (const COLORREF pixel : pixels) {
                    if (std::find(std::begin(edges), std::end(edges), pixel) == std::end(edges)) {
                        strongest = std::max(strongest, contrast(pixel, face));
                    }
                }
                EXPECT_GE(strongest, 4.5);
            }
        }
        dialog->Unload();
        DispatchPendingMessages();
    }
}

TEST_F(Win32Windows, OneAboutDialogUnloadedAndLoadedAgain) {
    click("Command4");
    choose("Acerca");
    click("Command4");
    const HWND first = about();
    ASSERT_NE(first, nullptr) << "one visible About dialog";
    auto* dialog = dynamic_cast<zenalto::win32::frmAbout*>(m_form->commands().aboutDialog());
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(::GetFocus(), dialog->control("cmdOK"));

    // Modeless, not owned by the main window, no task-bar button, fixed border.
    const HWND owner = ::GetWindow(first, GW_OWNER);
    EXPECT_NE(owner, nullptr);
    EXPECT_NE(owner, m_form->window());
    EXPECT_FALSE(::IsWindowVisible(owner));
    const auto style = static_cast<DWORD>(::GetWindowLongPtrW(first, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(::GetWindowLongPtrW(first, GWL_EXSTYLE));
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0U);
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU), static_cast<DWORD>(WS_CAPTION | WS_SYSMENU));
    EXPECT_EQ(exStyle & (WS_EX_APPWINDOW | WS_EX_TOOLWINDOW), 0U);
    EXPECT_TRUE(::IsWindowEnabled(m_form->window()));

    // The picture, decoded by Windows, at its natural size.
    const auto picture = reinterpret_cast<HBITMAP>(
        ::SendMessageW(dialog->control("Image1"), STM_GETIMAGE, IMAGE_BITMAP, 0));
    ASSERT_NE(picture, nullptr);
    BITMAP bitmap{};
    ::GetObjectW(picture, sizeof bitmap, &bitmap);
    const UINT dpi = ::GetDpiForWindow(first);
    EXPECT_EQ(bitmap.bmWidth, px(150 * 15, dpi));
    EXPECT_EQ(bitmap.bmHeight, px(121 * 15, dpi));

    // Alt+S presses "&System Info...": with no tool registered, its message.
    altKey(L's');
    EXPECT_EQ(m_platform.messages,
              (std::vector<Shown>{
                  {std::u16string(texts::SysInfoUnavailablePrompt), MessageStyle::OkOnly, u""}}));
    EXPECT_NE(about(), nullptr);

    // OK, Esc and the close box each unload it; the next showing loads it anew.
    const std::function<void()> closers[] = {
        [&] { press(dialog->control("cmdOK")); },
        [&] {
            ::SetFocus(dialog->control("cmdSysInfo"));
            key(VK_ESCAPE);
        },
        [&] {
            ::PostMessageW(about(), WM_CLOSE, 0, 0);
            DispatchPendingMessages();
        },
        [&] { key(VK_RETURN); },
    };
    for (const auto& close : closers) {
        ASSERT_NE(about(), nullptr);
        close();
        EXPECT_EQ(about(), nullptr);
        EXPECT_FALSE(dialog->isLoaded());
        EXPECT_EQ(m_form->commands().aboutDialog(), dialog);
        choose("Acerca");
        EXPECT_EQ(::GetFocus(), dialog->control("cmdOK"));
    }
    EXPECT_EQ(m_platform.messages.size(), 1U);
}

// The program runs on while a window of it is open, and ends with the last.
TEST_F(Win32Windows, LastWindowClosedEndsTheProgram) {
    click("Command4");
    ::PostMessageW(m_form->window(), WM_CLOSE, 0, 0);
    DispatchPendingMessages();
    EXPECT_FALSE(m_form->isLoaded());
    EXPECT_EQ(m_lastWindowClosed, 0);
    ::PostMessageW(about(), WM_CLOSE, 0, 0);
    DispatchPendingMessages();
    EXPECT_EQ(m_lastWindowClosed, 1);
}

}  // namespace
