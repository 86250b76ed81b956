#include "layout/LayoutWindow.h"

#include <algorithm>
#include <string>
#include <vector>

#include "AccessibleName.h"
#include "GdiObjects.h"
#include "LayoutWindowParts.h"
#include "LiveRegion.h"
#include "WindowRegistry.h"
#include "layout/TableRules.h"
#include "layout/Win32Text.h"

namespace zenalto::win32 {

namespace {

using layout::Kind;

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

}  // namespace

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

}  // namespace zenalto::win32
