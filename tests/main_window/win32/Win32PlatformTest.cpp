// The main window over the real Windows platform: numbers written with the
// decimal separator of the user's regional settings (the test runs in a
// Spanish locale), and message boxes modal to the whole program, which give
// the focus back where it was when they close.

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <thread>

#include "about/win32/frmAbout.h"
#include "fakes/ProgramTexts.h"
#include "layout/LayoutWindow.h"
#include "layout/Win32Text.h"
#include "main_window/win32/Form1.h"
#include "platform/Win32Platform.h"

namespace {

using zenalto::MessageStyle;
using zenalto::win32::DispatchPendingMessages;
using zenalto::win32::windowText;

// A message box of the thread, once one is open.
HWND waitForMessageBox(DWORD thread) {
    for (int tries = 0; tries < 250; ++tries) {
        HWND found = nullptr;
        ::EnumThreadWindows(
            thread,
            [](HWND window, LPARAM result) -> BOOL {
                wchar_t name[16] = {};
                ::GetClassNameW(window, name, 16);
                if (std::wstring_view(name) == L"#32770" && ::IsWindowVisible(window) != FALSE) {
                    *reinterpret_cast<HWND*>(result) = window;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&found));
        if (found != nullptr) {
            return found;
        }
        ::Sleep(20);
    }
    return nullptr;
}

TEST(Win32Platform, RegionalSeparatorAndMessageBoxesModalToTheProgram) {
    zenalto::win32::Win32Platform platform;
    zenalto::win32::Form1 form(platform, ::GetModuleHandleW(nullptr));
    form.show();
    DispatchPendingMessages();

    form.commands().Command1_Click();
    EXPECT_EQ(windowText(form.control("Text3")), u"7812,50598");
    EXPECT_EQ(windowText(form.control("Text4")), u"28125,02151");

    form.commands().Command4_Click();
    DispatchPendingMessages();
    const auto* dialog = dynamic_cast<zenalto::win32::frmAbout*>(form.commands().aboutDialog());
    ASSERT_NE(dialog, nullptr);
    const HWND about = dialog->window();
    ASSERT_EQ(::GetActiveWindow(), about);
    // The button that asked for the message.
    const HWND pressed = dialog->control("cmdSysInfo");
    ::SetFocus(pressed);

    struct Seen {
        std::u16string title, text;
        HWND owner = nullptr;
        bool formEnabled = true, aboutEnabled = true;
    } seen;
    std::thread watcher([&, thread = ::GetCurrentThreadId()] {
        const HWND box = waitForMessageBox(thread);
        if (box == nullptr) {
            return;
        }
        seen = {windowText(box), windowText(::GetDlgItem(box, 0xFFFF)), ::GetWindow(box, GW_OWNER),
                ::IsWindowEnabled(form.window()) != FALSE, ::IsWindowEnabled(about) != FALSE};
        ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    platform.messageBox(zenalto::program_texts::SysInfoUnavailablePrompt, MessageStyle::OkOnly,
                        u"");
    watcher.join();

    EXPECT_EQ(seen.title, u"Zenalto");
    EXPECT_EQ(seen.text, zenalto::program_texts::SysInfoUnavailablePrompt);
    EXPECT_EQ(seen.owner, about);
    EXPECT_FALSE(seen.formEnabled);
    EXPECT_FALSE(seen.aboutEnabled);
    EXPECT_TRUE(::IsWindowEnabled(form.window()));
    EXPECT_TRUE(::IsWindowEnabled(about));
    DispatchPendingMessages();
    EXPECT_EQ(::GetFocus(), pressed);
}

}  // namespace
