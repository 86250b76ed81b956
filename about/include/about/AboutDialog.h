#pragma once

// The About dialog as the main window sees it: one object for the whole run,
// made on the first "Acerca de...". Each face has its own.

namespace zenalto {

class AboutDialog {
public:
    AboutDialog() = default;
    AboutDialog(const AboutDialog&) = delete;
    AboutDialog& operator=(const AboutDialog&) = delete;
    AboutDialog(AboutDialog&&) = delete;
    AboutDialog& operator=(AboutDialog&&) = delete;
    virtual ~AboutDialog() = default;

    // Shows the dialog modeless and without an owner window, loading it anew
    // from its layout when it is not loaded; an open dialog comes to the front.
    virtual void Show() = 0;

    // Closes the dialog's window; the object stays for the next Show().
    // Nothing happens when it is not loaded.
    virtual void Unload() = 0;
};

}  // namespace zenalto
