#pragma once

// The operating system's services that the program uses, behind one small
// interface so that the windows and the System Information launcher can be
// driven by tests that watch every message box, registry read and process
// start, and never end the test process.

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/MessageStyle.h"

namespace zenalto {

// A registry key handle as the registry calls pass it; 0 is no key. Handles,
// the predefined roots among them, travel as their 32-bit value zero-extended,
// whatever the pointer size: HKEY_LOCAL_MACHINE is 0x80000002 everywhere. Only
// the low 32 bits of a Windows handle are significant, so the Win32 backend
// widens a key back to the HKEY Win64 expects by sign extension.
using RegistryKey = std::uintptr_t;

// The predefined root key HKEY_LOCAL_MACHINE, as its 32-bit value.
inline constexpr std::int32_t HkeyLocalMachine = static_cast<std::int32_t>(0x80000002U);

// The RegistryKey of a 32-bit handle or root such as HkeyLocalMachine.
[[nodiscard]] constexpr RegistryKey registryKeyOf(std::int32_t handle) noexcept {
    return static_cast<std::uint32_t>(handle);
}

// Registry value types that the program converts to text.
inline constexpr std::uint32_t RegSz = 1;
inline constexpr std::uint32_t RegDword = 4;

// Registry result codes the program tells apart.
inline constexpr std::int32_t ErrorSuccess = 0;
inline constexpr std::int32_t ErrorFileNotFound = 2;
inline constexpr std::int32_t ErrorAccessDenied = 5;
inline constexpr std::int32_t ErrorMoreData = 234;

// Access rights for opening a key: read only.
inline constexpr std::uint32_t KeyRead = 0x20019;

// A run-time error of a platform operation: a file test on a path the file
// system rejects, or a program that cannot be started.
class PlatformError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class Platform {
public:
    Platform() = default;
    Platform(const Platform&) = delete;
    Platform& operator=(const Platform&) = delete;
    Platform(Platform&&) = delete;
    Platform& operator=(Platform&&) = delete;
    virtual ~Platform() = default;

    // A message box modal to the application, with an OK button, the icon its
    // style asks for and the title MessageTitle(title): "Zenalto" for none.
    // Returns when the user has closed it; where the platform cannot wait (a
    // web page), it returns once the box is up, and the box keeps every other
    // control from taking input until it is closed. Callers therefore show a
    // message as the last thing they do.
    virtual void messageBox(std::u16string_view prompt, MessageStyle style,
                            std::u16string_view title) = 0;

    // The same for a prompt in another language than the program's Spanish,
    // named by its tag ("en"), for a platform whose readers are told the
    // language of a text (a web page); the others show it as any message.
    virtual void messageBoxInLanguage(std::u16string_view prompt, MessageStyle style,
                                      std::u16string_view title, std::string_view language) {
        static_cast<void>(language);
        messageBox(prompt, style, title);
    }

    // The decimal separator of the user's regional settings.
    [[nodiscard]] virtual std::u16string decimalSeparator() = 0;

    // Ends the program at once, whatever windows are open.
    virtual void endProgram() = 0;

    // The three registry calls, shaped like their Win32 counterparts. Texts
    // are in the system's ANSI code page. Each returns a Win32 error code,
    // ErrorSuccess (0) when it worked.
    //
    // regOpenKeyEx opens `subKey` below `root` and fills `result`; on failure
    // `result` is left as it was.
    virtual std::int32_t regOpenKeyEx(RegistryKey root, std::string_view subKey,
                                      std::uint32_t options, std::uint32_t samDesired,
                                      RegistryKey& result) = 0;
    // regQueryValueEx reads the value `valueName` into `data`. `dataSize`
    // holds the room in bytes on the way in and the data's length on the way
    // out; `type` receives the value type. Data longer than the room is an
    // error (ErrorMoreData) and leaves `data` unspecified.
    virtual std::int32_t regQueryValueEx(RegistryKey key, std::string_view valueName,
                                         std::uint32_t& type, std::span<std::byte> data,
                                         std::int32_t& dataSize) = 0;
    virtual std::int32_t regCloseKey(RegistryKey key) = 0;

    // True when `path` names an ordinary file: not a folder, not a hidden or
    // system file. Throws PlatformError where the file system rejects the path.
    [[nodiscard]] virtual bool fileExists(std::string_view path) = 0;

    // Starts the program at `path`, the whole path being the program's name
    // (never split at blanks, never through a shell), shown at its normal size
    // with the focus. Returns at once; nothing waits for the program. Throws
    // PlatformError when no program can be started from `path`.
    virtual void startProcess(std::string_view path) = 0;
};

}  // namespace zenalto
