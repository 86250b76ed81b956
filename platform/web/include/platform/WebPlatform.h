#pragma once

// The platform of the program in a browser. Message boxes are <dialog>
// elements of the page shown modal: the rest of the page takes no input while
// one is open, so no other command runs, as on the desktop. A page cannot
// wait for the user inside a call, so messageBox() returns as soon as the box
// is shown; every command shows its message as its last step, and a second
// message shown while one is open waits for that one to close. The decimal
// separator is that of the browser's language. A browser has no registry, no
// files of its own and no programs to start: the registry answers that no key
// exists, no file exists, and no program starts, so the System Information
// launcher shows its message as on a system without the tool.

#include "platform/Platform.h"

namespace zenalto::web {

class WebPlatform : public Platform {
public:
    void messageBox(std::u16string_view prompt, MessageStyle style,
                    std::u16string_view title) override;
    void messageBoxInLanguage(std::u16string_view prompt, MessageStyle style,
                              std::u16string_view title, std::string_view language) override;
    [[nodiscard]] std::u16string decimalSeparator() override;
    // Closes the page's window where the browser lets a script close it (an
    // installed app's window, a tab that has shown nothing else); elsewhere
    // the program's windows leave the page, which stays empty.
    void endProgram() override;

    std::int32_t regOpenKeyEx(RegistryKey root, std::string_view subKey, std::uint32_t options,
                              std::uint32_t samDesired, RegistryKey& result) override;
    std::int32_t regQueryValueEx(RegistryKey key, std::string_view valueName, std::uint32_t& type,
                                 std::span<std::byte> data, std::int32_t& dataSize) override;
    std::int32_t regCloseKey(RegistryKey key) override;
    [[nodiscard]] bool fileExists(std::string_view path) override;
    void startProcess(std::string_view path) override;
};

}  // namespace zenalto::web
