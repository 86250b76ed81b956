#pragma once

// A top-level window built from a layout table with the Windows API's own
// controls: EDIT, COMBOBOX, SCROLLBAR, BUTTON and STATIC windows, made in the
// table's order from the bottom of the stacking order up, at the laid-out
// places scaled to the monitor's density, with the laid-out fonts and colours
// and the accessible names of the table. The window is of a dialog class, so
// that the dialog manager gives it Enter, Esc and the Alt+letter keys; Tab
// follows the table's tab indexes. Under a high-contrast theme the system's
// colours take the place of the table's. A window with a dialog's border is a
// dialog to screen readers, which say its texts as it opens.
//
// Its events reach the hooks of layout::WindowEvents; a subclass maps them
// to its handlers by the controls' names.

#include <windows.h>

#include <cstddef>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "layout/Layout.h"
#include "layout/WindowEvents.h"

namespace zenalto::win32 {

class GdiObjects;

// The ID of the control at `index` of a layout's controls; outside tools find
// the controls by these IDs.
inline constexpr int FirstControlId = 100;
// Menu items are numbered from here in the order of the layout's menus.
inline constexpr int FirstMenuItemId = 200;

[[nodiscard]] constexpr int controlId(std::size_t index) noexcept {
    return FirstControlId + static_cast<int>(index);
}

// Screen pixels at `dpi` dots per inch of a length in twips, rounded.
[[nodiscard]] int pixelsAt(int twips, unsigned dpi) noexcept;

// The pixel height of the layouts' fonts (8.25 points) at `dpi`.
[[nodiscard]] int fontPixelHeight(unsigned dpi) noexcept;

class LayoutWindow : public layout::WindowEvents {
public:
    // `className` names the window class, registered at the first load.
    LayoutWindow(const layout::Window& layout, HINSTANCE instance, const wchar_t* className);
    LayoutWindow(const LayoutWindow&) = delete;
    LayoutWindow& operator=(const LayoutWindow&) = delete;
    LayoutWindow(LayoutWindow&&) = delete;
    LayoutWindow& operator=(LayoutWindow&&) = delete;
    ~LayoutWindow() override;

    // Makes the window with every control at its design values, hidden, its
    // client area at the laid-out place of the screen. Does nothing when the
    // window is loaded.
    void load(HWND owner);
    // Shows the loaded window, brings it to the front and, when it is shown
    // for the first time, gives the focus to the first control in tab order.
    void show();
    // Destroys the window and its controls; nothing happens when not loaded.
    void unload();

    [[nodiscard]] bool isLoaded() const noexcept { return m_window != nullptr; }
    [[nodiscard]] HWND window() const noexcept { return m_window; }
    // The control of that name, or nullptr when unloaded or unknown.
    [[nodiscard]] HWND control(std::string_view name) const noexcept;
    [[nodiscard]] const layout::Window& layout() const noexcept { return m_layout; }

    // Moves the focus to the next (or previous) control in tab order from the
    // one that has it, as Tab and Shift+Tab do.
    void tab(bool backwards);

    // Has a screen reader say `text` politely, whatever has the focus, without
    // moving it (see LiveRegion.h). Nothing happens when not loaded.
    void announce(std::u16string_view text);

protected:
    // The hooks of layout::WindowEvents. A scroll bar reports no change while
    // its thumb is dragged. The close box or Alt+F4 unloads the window
    // unless overridden.
    void onClose() override { unload(); }

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void registerClass() const;
    void createControls();
    void place(unsigned dpi, const RECT* suggested);
    void placeControls();
    void placeWindow(const RECT* suggested);
    void command(int id, int notification, HWND from);
    void listChosen(HWND list);
    void scroll(HWND bar, int request, int thumbPosition);
    [[nodiscard]] LRESULT colour(HDC dc, HWND control);
    // Reads whether a high-contrast theme is on and, if that changed while
    // loaded, draws the window again in the colours it calls for.
    void followContrastTheme();
    // The indexes of the controls that take the focus, in Tab's order; none
    // while the window's controls are not made.
    [[nodiscard]] std::vector<std::size_t> focusOrder() const;
    [[nodiscard]] const layout::Control* controlOf(HWND child) const noexcept;
    [[nodiscard]] RECT controlRect(const layout::Control& control) const noexcept;
    // The window's laid-out client area on the screen, and its frame around
    // it, at that density.
    [[nodiscard]] RECT clientAt(unsigned dpi) const noexcept;
    [[nodiscard]] RECT frameAt(unsigned dpi, bool withMenu) const noexcept;
    void windowGone();

    const layout::Window& m_layout;
    HINSTANCE m_instance;
    const wchar_t* m_className;
    HWND m_window = nullptr;
    std::vector<HWND> m_controls;                      // by index in the layout
    std::vector<const layout::MenuItem*> m_menuItems;  // by ID - FirstMenuItemId
    std::unique_ptr<GdiObjects> m_gdi;                 // while loaded, at m_dpi
    unsigned m_dpi = USER_DEFAULT_SCREEN_DPI;
    HWND m_liveRegion = nullptr;  // made at the first announcement
    bool m_shown = false;
    bool m_listChoicePending = false;
    bool m_highContrast = false;
};

// The thread's message loop for layout windows, until WM_QUIT; returns its
// exit code.
int RunMessageLoop();

// The messages already queued for the thread, handled as that loop handles
// them, without waiting for more.
void DispatchPendingMessages();

// One step of that loop before the message is dispatched: Tab, Enter, Esc and
// the Alt+letter keys of a layout window. True when the message was used up.
bool TranslateDialogMessage(MSG& message);

// Called once the last loaded layout window of the thread is unloaded or
// destroyed; the program quits then. Empty: nothing is called.
void SetLastWindowClosedHandler(std::function<void()> handler);

}  // namespace zenalto::win32
