#include "layout/LayoutWindow.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "AccessibleName.h"
#include "GdiObjects.h"
#include "LiveRegion.h"
#include "Picture.h"
#include "SubclassedWindows.h"
#include "WindowRegistry.h"
#include "layout/TableRules.h"
#include "layout/Win32Text.h"

namespace zenalto::win32 {

namespace {

using layout::Kind;

// Posted to a window when a choice from a dropped list has been reported.
constexpr UINT ListChosenMessage = WM_APP + 1;

DWORD styleOf(layout::Border border) {
    switch (border) {
        case layout::Border::FixedDialog:
            return WS_POPUP | WS_CAPTION | WS_SYSMENU;
        case layout::Border::Sizable:
            break;
    }
    return WS_OVERLAPPEDWINDOW;
}

DWORD exStyleOf(layout::Border border) {
    // The dialog frame: fixed, with no icon in the caption.
    return border == layout::Border::FixedDialog ? WS_EX_DLGMODALFRAME : 0;
}

COLORREF colourRef(const layout::Colour& colour) {
    return RGB(colour.red, colour.green, colour.blue);
}

bool highContrastOn() {
    HIGHCONTRASTW theme{};
    theme.cbSize = sizeof theme;
    return ::SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof theme, &theme, 0) != FALSE &&
           (theme.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

// The index in its window's table of one of the table's controls.
std::size_t indexOf(const layout::Window& window, const layout::Control& control) noexcept {
    return static_cast<std::size_t>(&control - window.controls.data());
}

// The system colour that stands for a line's laid-out one under a
// high-contrast theme: an etched rule's white edge is the theme's 3-D
// highlight, any other line its 3-D shadow, as Windows draws its own etched
// lines.
int lineSystemColour(const layout::Colour& colour) {
    return colour == layout::White ? COLOR_3DHILIGHT : COLOR_3DSHADOW;
}

// What a screen reader says of a dialog as it opens: the captions of its
// labels in reading order, from the top down and, on one line, from the left.
std::u16string dialogText(const layout::Window& window) {
    struct Placed {
        int top, left;
        std::u16string_view caption;
    };
    std::vector<Placed> labels;
    for (const layout::Control& control : window.controls) {
        if (control.kind != Kind::Label || control.caption.empty()) {
            continue;
        }
        int left = control.left;
        int top = control.top;
        if (const layout::Control* frame = layout::find(window, control.container)) {
            left += frame->left;
            top += frame->top;
        }
        labels.push_back({top, left, control.caption});
    }
    std::stable_sort(labels.begin(), labels.end(), [](const Placed& a, const Placed& b) {
        return a.top != b.top ? a.top < b.top : a.left < b.left;
    });
    std::u16string text;
    for (const Placed& label : labels) {
        if (!text.empty()) {
            text += u'\n';
        }
        // A label's "&" marks its access key, as in its drawing; "&&" is one "&".
        for (std::size_t i = 0; i < label.caption.size(); ++i) {
            if (label.caption[i] == u'&' && i + 1 < label.caption.size()) {
                ++i;
            }
            text += label.caption[i];
        }
    }
    return text;
}

// A control that the table's rule names (layout::wheelNeedsFocus) takes the
// mouse wheel only while it has the focus, so that a stray turn over it never
// overwrites a typed radius or altitude: since Windows 10 the wheel goes to
// the control under the pointer, focused or not. Unused, the turn goes to the
// parent, as for any window that does not handle it.
struct WheelGuard {
    WNDPROC original;
    HWND control;  // the laid-out control: the guarded window or its parent

    std::optional<LRESULT> answer(HWND window, UINT message, WPARAM wParam, LPARAM lParam) const {
        if (message == WM_MOUSEWHEEL || message == WM_MOUSEHWHEEL) {
            const HWND focus = ::GetFocus();
            if (focus != control && ::IsChild(control, focus) == FALSE) {
                return ::DefWindowProcW(window, message, wParam, lParam);
            }
        }
        return std::nullopt;
    }
};

void acceptWheelOnlyWithFocus(HWND window, HWND control) {
    SubclassedWindows<WheelGuard>::add(window, WheelGuard{nullptr, control});
}

}  // namespace

int pixelsAt(int twips, unsigned dpi) noexcept {
    return ::MulDiv(twips, static_cast<int>(dpi), 1440);
}

int fontPixelHeight(unsigned dpi) noexcept {
    // Half pixels are rounded down (16.5 to 16 at 144 dots per inch), so that
    // captions keep within the boxes laid out for them at 96.
    return static_cast<int>(std::ceil(layout::FontPointSize * dpi / 72.0 - 0.5));
}

LayoutWindow::LayoutWindow(const layout::Window& layout, HINSTANCE instance,
                           const wchar_t* className)
    : m_layout(layout), m_instance(instance), m_className(className) {}

LayoutWindow::~LayoutWindow() {
    if (m_window != nullptr) {
        ::DestroyWindow(m_window);
    }
}

HWND LayoutWindow::control(std::string_view name) const noexcept {
    for (std::size_t i = 0; i < m_controls.size(); ++i) {
        if (m_layout.controls[i].name == name) {
            return m_controls[i];
        }
    }
    return nullptr;
}

void LayoutWindow::registerClass() const {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (::GetClassInfoExW(m_instance, m_className, &existing) != FALSE) {
        return;
    }
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = &LayoutWindow::windowProc;
    // A dialog class: DefDlgProc keeps its state in these bytes.
    windowClass.cbWndExtra = DLGWINDOWEXTRA;
    windowClass.hInstance = m_instance;
    // The program's icon is icon 1 of the executable's resources; a dialog
    // border shows none.
    if (m_layout.border == layout::Border::Sizable) {
        windowClass.hIcon = static_cast<HICON>(
            ::LoadImageW(m_instance, MAKEINTRESOURCEW(1), IMAGE_ICON, ::GetSystemMetrics(SM_CXICON),
                         ::GetSystemMetrics(SM_CYICON), LR_SHARED));
        windowClass.hIconSm = static_cast<HICON>(::LoadImageW(
            m_instance, MAKEINTRESOURCEW(1), IMAGE_ICON, ::GetSystemMetrics(SM_CXSMICON),
            ::GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    }
    windowClass.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    windowClass.hbrBackground = ::GetSysColorBrush(COLOR_3DFACE);
    windowClass.lpszClassName = m_className;
    ::RegisterClassExW(&windowClass);
}

void LayoutWindow::load(HWND owner) {
    if (m_window != nullptr) {
        return;
    }
    registerClass();
    HMENU menu = nullptr;
    m_menuItems.clear();
    if (!m_layout.menus.empty()) {
        menu = ::CreateMenu();
        for (const layout::Menu& each : m_layout.menus) {
            const HMENU popup = ::CreatePopupMenu();
            for (const layout::MenuItem& item : each.items) {
                const int id = FirstMenuItemId + static_cast<int>(m_menuItems.size());
                ::AppendMenuW(popup, MF_STRING, static_cast<UINT_PTR>(id),
                              wide(item.caption).c_str());
                m_menuItems.push_back(&item);
            }
            ::AppendMenuW(menu, MF_STRING | MF_POPUP, reinterpret_cast<UINT_PTR>(popup),
                          wide(each.caption).c_str());
        }
    }
    const std::wstring title = wide(m_layout.title);
    // Made hidden, at its place for the system's density, which is its
    // monitor's on nearly every desktop: moving a window after it is made
    // takes a round trip to the window server and its messages. Placed anew
    // below if the monitor it lands on has another density.
    const RECT frame = frameAt(::GetDpiForSystem(), menu != nullptr);
    // The window procedure keeps the handle in m_window from the window's
    // first message on.
    const HWND made =
        ::CreateWindowExW(exStyleOf(m_layout.border), m_className, title.c_str(),
                          styleOf(m_layout.border), frame.left, frame.top, frame.right - frame.left,
                          frame.bottom - frame.top, owner, menu, m_instance, this);
    if (made == nullptr || m_window == nullptr) {
        if (menu != nullptr) {
            ::DestroyMenu(menu);
        }
        return;
    }
    const UINT dpi = ::GetDpiForWindow(m_window);
    m_dpi = dpi != 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
    m_shown = false;
    m_listChoicePending = false;
    m_highContrast = highContrastOn();
    if (m_layout.border == layout::Border::FixedDialog) {
        SetAccessibleDialog(m_window, dialogText(m_layout));
    }
    createControls();
    place(m_dpi, nullptr);
    loadedWindows().push_back(this);
}

namespace {

// The window class, styles and text a control is made with, by its kind;
// WS_TABSTOP comes from the table's rule (layout::takesFocus).
struct ChildWindow {
    const wchar_t* windowClass = L"STATIC";
    DWORD style = 0;
    DWORD exStyle = 0;
    bool captioned = true;  // made with the caption as its text
};

ChildWindow childWindowOf(const layout::Control& control, bool isDefault) {
    const bool centred = control.align == layout::Align::Centre;
    switch (control.kind) {
        case Kind::Frame:
            return {L"BUTTON", BS_GROUPBOX};
        case Kind::Label:
            // Both break a caption at blanks onto the next lines.
            return {L"STATIC", static_cast<DWORD>(centred ? SS_CENTER : SS_LEFT)};
        case Kind::TextBox:
            return {L"EDIT", static_cast<DWORD>(ES_AUTOHSCROLL | (centred ? ES_CENTER : ES_LEFT)),
                    WS_EX_CLIENTEDGE};
        case Kind::ComboBox:
            // Its edit area gets its text once the entries are in.
            return {L"COMBOBOX", WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0, false};
        case Kind::HScrollBar:
            return {L"SCROLLBAR", SBS_HORZ};
        case Kind::PushButton:
            return {L"BUTTON", static_cast<DWORD>(isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON)};
        case Kind::Picture:
            return {L"STATIC", SS_BITMAP, 0, false};
        case Kind::Line:
            // An empty label in the line's colour (see colour()).
            return {L"STATIC", SS_LEFT, 0, false};
    }
    return {};
}

void setUpTextBox(HWND child, const layout::Control& control) {
    // 0: no limit.
    ::SendMessageW(child, EM_SETLIMITTEXT, static_cast<WPARAM>(control.maxLength), 0);
}

// Gives back the list's edit area, a window of its own, or nullptr.
HWND setUpComboBox(HWND child, const layout::Control& control) {
    for (const std::u16string_view item : control.items) {
        ::SendMessageW(child, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide(item).c_str()));
    }
    ::SetWindowTextW(child, wide(control.caption).c_str());
    ::SendMessageW(child, CB_LIMITTEXT, static_cast<WPARAM>(control.maxLength), 0);
    COMBOBOXINFO parts{};
    parts.cbSize = sizeof parts;
    if (::GetComboBoxInfo(child, &parts) == FALSE) {
        return nullptr;
    }
    // The screen reader meets the edit area, and so may the wheel.
    SetAccessibleName(parts.hwndItem, control.accessibleName, control.accessibleDescription);
    return parts.hwndItem;
}

void setUpScrollBar(HWND child, const layout::Control& control) {
    SCROLLINFO range{};
    range.cbSize = sizeof range;
    range.fMask = SIF_RANGE | SIF_POS | SIF_PAGE;
    range.nMin = control.scroll.minimum;
    range.nMax = control.scroll.maximum;
    range.nPos = control.scroll.value;
    ::SetScrollInfo(child, SB_CTL, &range, FALSE);
}

}  // namespace

void LayoutWindow::createControls() {
    // Each control lies above those before it in the table. A new child
    // window goes to the bottom of its siblings, so they are made from the
    // last to the first, each at its place: no control is moved or restacked
    // after it is made, which would take a round trip to the window server
    // for each under Wine.
    m_controls.assign(m_layout.controls.size(), nullptr);
    const layout::Control* const defaultButton = layout::defaultButton(m_layout);
    for (std::size_t i = m_layout.controls.size(); i-- > 0;) {
        const layout::Control& control = m_layout.controls[i];
        const ChildWindow made = childWindowOf(control, &control == defaultButton);
        // Every control is a group of its own, so that the arrow keys never
        // move the focus in the stacking order.
        const DWORD style = WS_CHILD | WS_VISIBLE | WS_GROUP | WS_CLIPSIBLINGS |
                            (layout::takesFocus(control.kind) ? WS_TABSTOP : 0) | made.style;
        const std::wstring text = made.captioned ? wide(control.caption) : std::wstring();
        // A picture takes its size from its bitmap.
        const RECT rect = controlRect(control);
        const bool sized = control.kind != Kind::Picture;
        const HWND child = ::CreateWindowExW(
            made.exStyle, made.windowClass, text.c_str(), style, rect.left, rect.top,
            sized ? rect.right - rect.left : 0, sized ? rect.bottom - rect.top : 0, m_window,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId(i))), m_instance, nullptr);
        m_controls[i] = child;
        HWND part = nullptr;  // a window of the control's own under the pointer
        switch (control.kind) {
            case Kind::TextBox:
                setUpTextBox(child, control);
                break;
            case Kind::ComboBox:
                part = setUpComboBox(child, control);
                break;
            case Kind::HScrollBar:
                setUpScrollBar(child, control);
                break;
            default:
                break;
        }
        if (layout::wheelNeedsFocus(control.kind)) {
            acceptWheelOnlyWithFocus(child, child);
            if (part != nullptr) {
                acceptWheelOnlyWithFocus(part, child);
            }
        }
        SetAccessibleName(child, control.accessibleName, control.accessibleDescription);
    }
    // A system that puts new children on top instead gets the order set here.
    if (!m_controls.empty() && ::GetWindow(m_window, GW_CHILD) != m_controls.back()) {
        for (const HWND child : m_controls) {
            ::SetWindowPos(child, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
    }
    if (defaultButton != nullptr) {
        ::SendMessageW(m_window, DM_SETDEFID,
                       static_cast<WPARAM>(controlId(indexOf(m_layout, *defaultButton))), 0);
    }
}

RECT LayoutWindow::controlRect(const layout::Control& control) const noexcept {
    int left = control.left;
    int top = control.top;
    if (!control.container.empty()) {
        if (const layout::Control* frame = layout::find(m_layout, control.container)) {
            left += frame->left;
            top += frame->top;
        }
    }
    // The edges are scaled, so that neighbours keep touching or overlapping
    // as laid out at any density.
    return RECT{pixelsAt(left, m_dpi), pixelsAt(top, m_dpi), pixelsAt(left + control.width, m_dpi),
                pixelsAt(top + control.height, m_dpi)};
}

RECT LayoutWindow::clientAt(unsigned dpi) const noexcept {
    return RECT{pixelsAt(m_layout.clientLeft, dpi), pixelsAt(m_layout.clientTop, dpi),
                pixelsAt(m_layout.clientLeft + m_layout.clientWidth, dpi),
                pixelsAt(m_layout.clientTop + m_layout.clientHeight, dpi)};
}

RECT LayoutWindow::frameAt(unsigned dpi, bool withMenu) const noexcept {
    RECT frame = clientAt(dpi);
    ::AdjustWindowRectExForDpi(&frame, styleOf(m_layout.border), withMenu ? TRUE : FALSE,
                               exStyleOf(m_layout.border), dpi);
    return frame;
}

void LayoutWindow::place(unsigned dpi, const RECT* suggested) {
    m_dpi = dpi;
    auto fonts = std::make_unique<GdiObjects>(dpi);
    std::swap(fonts, m_gdi);
    placeControls();
    placeWindow(suggested);
    // The old fonts go only once no control uses them.
    fonts.reset();
    ::InvalidateRect(m_window, nullptr, TRUE);
}

void LayoutWindow::placeControls() {
    constexpr UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    for (std::size_t i = 0; i < m_controls.size(); ++i) {
        const layout::Control& control = m_layout.controls[i];
        const HWND child = m_controls[i];
        const RECT rect = controlRect(control);
        const int width = rect.right - rect.left;
        const int height = rect.bottom - rect.top;
        if (control.kind != Kind::Line && control.kind != Kind::Picture &&
            control.kind != Kind::HScrollBar) {
            const layout::Font& font = control.font.face.empty() ? m_layout.font : control.font;
            ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(m_gdi->font(font)), FALSE);
        }
        switch (control.kind) {
            case Kind::ComboBox: {
                // The closed box takes its height from its edit area's, by a
                // margin that differs between systems and changes once that
                // height is set: set, measured, and set again if need be.
                // Each change resizes the list and its parts, some fifteen
                // round trips to the window server under Wine, so a change
                // that changes nothing is not made.
                const auto editHeight =
                    ::SendMessageW(child, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
                ::SendMessageW(child, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), editHeight);
                RECT closed{};
                ::GetWindowRect(child, &closed);
                if (closed.bottom - closed.top != height) {
                    ::SendMessageW(child, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1),
                                   editHeight + height - (closed.bottom - closed.top));
                }
                // The height given is the dropped list's: its rows below the
                // closed box, and its border.
                const auto itemHeight =
                    static_cast<int>(::SendMessageW(child, CB_GETITEMHEIGHT, 0, 0));
                ::SetWindowPos(child, nullptr, rect.left, rect.top, width,
                               height + layout::DroppedListRows * itemHeight + 2, flags);
                break;
            }
            case Kind::Picture: {
                // Drawn at its natural size at 96 dots per inch, scaled with
                // the rest of the window.
                const HBITMAP natural = LoadPictureResource(m_instance, control.picture);
                const HBITMAP shown = BitmapAtDpi(natural, m_dpi);
                if (natural != nullptr) {
                    ::DeleteObject(natural);
                }
                if (shown != nullptr) {
                    m_gdi->keepPicture(i, shown);
                }
                ::SendMessageW(child, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(shown));
                ::SetWindowPos(child, nullptr, rect.left, rect.top, 0, 0, flags | SWP_NOSIZE);
                break;
            }
            default: {
                // Made at its place; moved when the density changes.
                RECT now{};
                ::GetWindowRect(child, &now);
                ::MapWindowPoints(nullptr, m_window, reinterpret_cast<POINT*>(&now), 2);
                if (::EqualRect(&now, &rect) == FALSE) {
                    ::SetWindowPos(child, nullptr, rect.left, rect.top, width, height, flags);
                }
                break;
            }
        }
    }
}

void LayoutWindow::placeWindow(const RECT* suggested) {
    constexpr UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    if (suggested != nullptr) {
        ::SetWindowPos(m_window, nullptr, suggested->left, suggested->top,
                       suggested->right - suggested->left, suggested->bottom - suggested->top,
                       flags);
        return;
    }
    const RECT client = clientAt(m_dpi);
    const RECT frame = frameAt(m_dpi, ::GetMenu(m_window) != nullptr);
    RECT now{};
    ::GetWindowRect(m_window, &now);
    if (::EqualRect(&now, &frame) == FALSE) {
        ::SetWindowPos(m_window, nullptr, frame.left, frame.top, frame.right - frame.left,
                       frame.bottom - frame.top, flags);
    }
    // A menu bar of another height than the one reckoned with moves the
    // client area; correct by what is measured.
    RECT actual{};
    ::GetClientRect(m_window, &actual);
    POINT origin{0, 0};
    ::ClientToScreen(m_window, &origin);
    const int dx = client.left - origin.x;
    const int dy = client.top - origin.y;
    const int dw = (client.right - client.left) - actual.right;
    const int dh = (client.bottom - client.top) - actual.bottom;
    if (dx != 0 || dy != 0 || dw != 0 || dh != 0) {
        ::SetWindowPos(m_window, nullptr, frame.left + dx, frame.top + dy,
                       frame.right - frame.left + dw, frame.bottom - frame.top + dh, flags);
    }
}

void LayoutWindow::show() {
    if (m_window == nullptr) {
        return;
    }
    ::ShowWindow(m_window, SW_SHOWNORMAL);
    ::SetForegroundWindow(m_window);
    if (!m_shown) {
        m_shown = true;
        const std::vector<std::size_t> order = focusOrder();
        if (!order.empty()) {
            const layout::Control* first = &m_layout.controls[order.front()];
            const HWND firstWindow = m_controls[order.front()];
            ::SendMessageW(m_window, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(firstWindow), TRUE);
            // The dialog manager selects a text box's whole text as Tab
            // reaches it; at the start the caret only stands after the text.
            if (first->kind == Kind::TextBox) {
                const int length = ::GetWindowTextLengthW(firstWindow);
                ::SendMessageW(firstWindow, EM_SETSEL, static_cast<WPARAM>(length), length);
            }
        }
    }
}

void LayoutWindow::unload() {
    if (m_window != nullptr) {
        ::DestroyWindow(m_window);
    }
}

void LayoutWindow::announce(std::u16string_view text) {
    if (m_window == nullptr) {
        return;
    }
    if (m_liveRegion == nullptr) {
        m_liveRegion = MakeLiveRegion(m_window, m_instance);
    }
    Announce(m_liveRegion, text);
}

void LayoutWindow::windowGone() {
    m_window = nullptr;
    m_liveRegion = nullptr;
    m_controls.clear();
    m_menuItems.clear();
    m_gdi.reset();
    auto& windows = loadedWindows();
    std::erase(windows, this);
    if (windows.empty() && lastWindowClosed()) {
        lastWindowClosed()();
    }
}

void LayoutWindow::tab(bool backwards) {
    if (m_window == nullptr) {
        return;
    }
    const std::vector<std::size_t> order = focusOrder();
    if (order.empty()) {
        return;
    }
    // The control that has the focus, or holds the window that has it (the
    // edit area of a list).
    HWND focus = ::GetFocus();
    while (focus != nullptr && ::GetAncestor(focus, GA_PARENT) != m_window) {
        focus = ::IsChild(m_window, focus) != FALSE ? ::GetAncestor(focus, GA_PARENT) : nullptr;
    }
    const auto count = static_cast<std::ptrdiff_t>(order.size());
    std::ptrdiff_t at = backwards ? 0 : -1;
    for (std::ptrdiff_t k = 0; k < count; ++k) {
        if (m_controls[order[static_cast<std::size_t>(k)]] == focus) {
            at = k;
        }
    }
    for (std::ptrdiff_t step = 1; step <= count; ++step) {
        const std::ptrdiff_t next = ((at + (backwards ? -step : step)) % count + count) % count;
        const HWND candidate = m_controls[order[static_cast<std::size_t>(next)]];
        if (::IsWindowVisible(candidate) != FALSE && ::IsWindowEnabled(candidate) != FALSE) {
            ::SendMessageW(m_window, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(candidate), TRUE);
            return;
        }
    }
}

std::vector<std::size_t> LayoutWindow::focusOrder() const {
    std::vector<std::size_t> order;
    if (m_controls.size() == m_layout.controls.size()) {
        for (const layout::Control* control : layout::focusOrder(m_layout)) {
            order.push_back(static_cast<std::size_t>(control - m_layout.controls.data()));
        }
    }
    return order;
}

const layout::Control* LayoutWindow::controlOf(HWND child) const noexcept {
    for (std::size_t i = 0; i < m_controls.size(); ++i) {
        if (m_controls[i] == child) {
            return &m_layout.controls[i];
        }
    }
    return nullptr;
}

void LayoutWindow::command(int id, int notification, HWND from) {
    if (from == nullptr && id >= FirstMenuItemId) {
        const auto index = static_cast<std::size_t>(id - FirstMenuItemId);
        if (index < m_menuItems.size()) {
            onMenu(*m_menuItems[index]);
        }
        return;
    }
    if (id == IDOK || id == IDCANCEL) {
        // Enter with no default button or Esc, from the dialog manager: the
        // laid-out default or cancel button, if any, is pressed.
        const layout::Control* button =
            id == IDOK ? layout::defaultButton(m_layout) : layout::cancelButton(m_layout);
        if (button != nullptr && m_controls.size() == m_layout.controls.size() &&
            ::IsWindowEnabled(m_controls[indexOf(m_layout, *button)]) != FALSE) {
            onClick(*button);
        }
        return;
    }
    const layout::Control* control = controlOf(from);
    if (control == nullptr) {
        return;
    }
    const layout::Event event = layout::eventOf(control->kind);
    if (event == layout::Event::Click && notification == BN_CLICKED) {
        onClick(*control);
    } else if (event == layout::Event::ListClick) {
        // A choice from the list: the mouse or Enter in the dropped list
        // (CBN_SELENDOK), or an arrow key in the closed box (CBN_SELCHANGE
        // with the list closed). Typing only changes the edit area's text.
        // Closing the list on a choice also reports CBN_SELCHANGE, before or
        // after CBN_SELENDOK as the system has it; the choice is reported
        // once, when all of them have come.
        if (notification == CBN_SELENDOK) {
            if (!m_listChoicePending) {
                m_listChoicePending = true;
                ::PostMessageW(m_window, ListChosenMessage, 0, reinterpret_cast<LPARAM>(from));
            }
        } else if (notification == CBN_SELCHANGE && !m_listChoicePending &&
                   ::SendMessageW(from, CB_GETDROPPEDSTATE, 0, 0) == FALSE) {
            onListClick(*control, static_cast<int>(::SendMessageW(from, CB_GETCURSEL, 0, 0)));
        }
    }
}

void LayoutWindow::listChosen(HWND list) {
    m_listChoicePending = false;
    const layout::Control* control = controlOf(list);
    const auto index = static_cast<int>(::SendMessageW(list, CB_GETCURSEL, 0, 0));
    if (control != nullptr && index >= 0) {
        onListClick(*control, index);
    }
}

void LayoutWindow::scroll(HWND bar, int request, int thumbPosition) {
    const layout::Control* control = controlOf(bar);
    if (control == nullptr || layout::eventOf(control->kind) != layout::Event::ScrollChange) {
        return;
    }
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_POS;
    ::GetScrollInfo(bar, SB_CTL, &info);
    int position = info.nPos;
    switch (request) {
        case SB_LINELEFT:
            position -= control->scroll.smallChange;
            break;
        case SB_LINERIGHT:
            position += control->scroll.smallChange;
            break;
        case SB_PAGELEFT:
            position -= control->scroll.largeChange;
            break;
        case SB_PAGERIGHT:
            position += control->scroll.largeChange;
            break;
        case SB_LEFT:
            position = info.nMin;
            break;
        case SB_RIGHT:
            position = info.nMax;
            break;
        case SB_THUMBPOSITION:
            // The thumb was released; while it is dragged (SB_THUMBTRACK)
            // nothing changes.
            position = thumbPosition;
            break;
        default:
            return;
    }
    position = std::clamp(position, info.nMin, info.nMax);
    if (position == info.nPos) {
        return;
    }
    ::SetScrollPos(bar, SB_CTL, position, TRUE);
    onScrollChange(*control, position);
}

LRESULT LayoutWindow::colour(HDC dc, HWND child) {
    const layout::Control* control = controlOf(child);
    if (control != nullptr && control->kind == Kind::Line && control->colour && m_gdi) {
        return reinterpret_cast<LRESULT>(
            m_highContrast ? ::GetSysColorBrush(lineSystemColour(*control->colour))
                           : m_gdi->brush(colourRef(*control->colour)));
    }
    // Labels and frame captions: their colour, or the system's when they have
    // none or a high-contrast theme is on, on the window's background. The
    // live region's text is there for screen readers only.
    COLORREF text = ::GetSysColor(COLOR_BTNTEXT);
    if (child == m_liveRegion) {
        text = ::GetSysColor(COLOR_3DFACE);
    } else if (control != nullptr && control->colour && !m_highContrast) {
        text = colourRef(*control->colour);
    }
    ::SetTextColor(dc, text);
    ::SetBkColor(dc, ::GetSysColor(COLOR_3DFACE));
    return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_3DFACE));
}

void LayoutWindow::followContrastTheme() {
    const bool on = highContrastOn();
    if (on != m_highContrast) {
        m_highContrast = on;
        ::RedrawWindow(m_window, nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
    }
}

LRESULT CALLBACK LayoutWindow::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        auto* self = static_cast<LayoutWindow*>(creation->lpCreateParams);
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->m_window = window;
    }
    auto* self = reinterpret_cast<LayoutWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr || self->m_window != window) {
        return ::DefDlgProcW(window, message, wParam, lParam);
    }
    return self->handle(message, wParam, lParam);
}

LRESULT LayoutWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND window = m_window;
    switch (message) {
        case WM_COMMAND:
            command(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
            return 0;
        case WM_HSCROLL:
            if (lParam != 0) {
                scroll(reinterpret_cast<HWND>(lParam), LOWORD(wParam),
                       static_cast<short>(HIWORD(wParam)));
                return 0;
            }
            break;
        case ListChosenMessage:
            listChosen(reinterpret_cast<HWND>(lParam));
            return 0;
        case WM_CTLCOLORSTATIC:
            return colour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case WM_CLOSE:
            // Not the dialog's default, which would press a cancel button.
            onClose();
            return 0;
        case WM_DPICHANGED:
            place(LOWORD(wParam), reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_SYSCOLORCHANGE:
        case WM_SETTINGCHANGE:
            // Turning a high-contrast theme on or off changes the system's
            // colours and sends both.
            followContrastTheme();
            break;
        case WM_NCDESTROY: {
            const LRESULT result = ::DefDlgProcW(window, message, wParam, lParam);
            ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            windowGone();
            return result;
        }
        default:
            break;
    }
    return ::DefDlgProcW(window, message, wParam, lParam);
}

}  // namespace zenalto::win32
