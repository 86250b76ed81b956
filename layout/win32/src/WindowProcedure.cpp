// A layout window's messages: its controls' notifications, reported to the
// handlers as the table's events, their colours, the close box, a change of
// density or of the system's colours, and the window's end.

#include "layout/LayoutWindow.h"

#include <algorithm>

#include "GdiObjects.h"
#include "LayoutWindowParts.h"
#include "layout/TableRules.h"

namespace zenalto::win32 {

namespace {

using layout::Kind;

// Posted to a window when a choice from a dropped list has been reported.
constexpr UINT ListChosenMessage = WM_APP + 1;

COLORREF colourRef(const layout::Colour& colour) {
    return RGB(colour.red, colour.green, colour.blue);
}

// The system colour that stands for a line's laid-out one under a
// high-contrast theme: an etched rule's white edge is the theme's 3-D
// highlight, any other line its 3-D shadow, as Windows draws its own etched
// lines.
int lineSystemColour(const layout::Colour& colour) {
    return colour == layout::White ? COLOR_3DHILIGHT : COLOR_3DSHADOW;
}

}  // namespace

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
