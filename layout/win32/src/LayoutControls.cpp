// The controls of a layout window: each made as the window class of its kind,
// at its place, with its text, entries, range and accessible name.

#include "layout/LayoutWindow.h"

#include <optional>
#include <string>

#include "AccessibleName.h"
#include "LayoutWindowParts.h"
#include "SubclassedWindows.h"
#include "layout/TableRules.h"
#include "layout/Win32Text.h"

namespace zenalto::win32 {

namespace {

using layout::Kind;

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

}  // namespace zenalto::win32
