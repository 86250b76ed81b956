// A layout window and its controls at the monitor's density: the table's
// twips scaled to its pixels, its fonts and pictures made for it, and placed
// anew when the window moves to a monitor of another density.

#include "layout/LayoutWindow.h"

#include <cmath>
#include <memory>
#include <utility>

#include "GdiObjects.h"
#include "LayoutWindowParts.h"
#include "Picture.h"
#include "layout/TableRules.h"

namespace zenalto::win32 {

using layout::Kind;

int pixelsAt(int twips, unsigned dpi) noexcept {
    return ::MulDiv(twips, static_cast<int>(dpi), 1440);
}

int fontPixelHeight(unsigned dpi) noexcept {
    // Half pixels are rounded down (16.5 to 16 at 144 dots per inch), so that
    // captions keep within the boxes laid out for them at 96.
    return static_cast<int>(std::ceil(layout::FontPointSize * dpi / 72.0 - 0.5));
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

}  // namespace zenalto::win32
