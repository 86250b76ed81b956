// zenalto_driver: looks at a running Zenalto.exe from outside, as another
// program on the same desktop would, for tools/check-windows-program.sh.
//
//   zenalto_driver launch PATH        starts PATH (a program, or the program a
//                                     shortcut names),
//                                     prints "exit N" when it ends (120 s at most)
//   zenalto_driver window TITLE       waits for a shown top-level window of
//                                     exactly that title, prints its client
//                                     area "LEFT TOP WIDTH HEIGHT" on the screen
//   zenalto_driver frame TITLE        the same window's outer rectangle, frame
//                                     and title bar included, "WxH+X+Y"
//   zenalto_driver gone TITLE         waits until no such window is left
//   zenalto_driver place NAME         the screen point at the middle of the
//                                     main window's control NAME, "X Y", from
//                                     the layout table
//   zenalto_driver text NAME          the text of the main window's control NAME
//   zenalto_driver controls           compares the place and size of each of the
//                                     main window's controls with the layout
//                                     table, prints each that differs, or
//                                     "all in place"
//   zenalto_driver close TITLE        asks the window of that title to close
//   zenalto_driver button TITLE ID    the screen point at the middle of the
//                                     control ID of the window of that title
//                                     that no other window owns, "X Y", once
//                                     the control is enabled
//   zenalto_driver message            waits for a message box, prints its text
//   zenalto_driver dialog TITLE       what a screen reader reads of the window
//                                     of that title as it opens, from its
//                                     client area's accessible object: "ROLE
//                                     \"NAME\"", then "description \"...\"" if
//                                     it has one, then "ROLE \"NAME\"" for each
//                                     child window with a name, from the top
//                                     of the stacking order
//   zenalto_driver focus TITLE        the control that has the focus in the
//                                     window of that title: its name in the
//                                     layout table, or its class
//   zenalto_driver listen COUNT       hooks the live-region events of every
//                                     program as a screen reader does, prints
//                                     "listening", then one line for each of
//                                     the next COUNT events (30 s at most):
//                                     the object it names, what that object
//                                     answers for its role and name, and the
//                                     control that has the focus as it comes
//   zenalto_driver hold PATH          opens the file for reading and lets no
//                                     one else write or delete it, prints
//                                     "held", keeps it so for 120 s at most
//   zenalto_driver answer ID          the screen point at the middle of the
//                                     message box's button ID (IDRETRY 4,
//                                     IDCANCEL 2...), "X Y"
//   zenalto_driver paste NAME COUNT   puts COUNT digits on the clipboard, pastes
//                                     them over the whole text of the main
//                                     window's control NAME, then types one
//                                     digit after them; prints the field's
//                                     length and the milliseconds until the
//                                     window answered and was repainted after
//                                     each (for bench/run-paste-wine.sh)
//
// A control is found by its identifier, 100 plus its index in the layout
// table, among all the window's descendants. The exit status is 0 when the
// command did what it says, 1 otherwise, with the reason on standard error.

#include <windows.h>

#include <objbase.h>
#include <objidl.h>
#include <oleacc.h>
#include <shlobj.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "about/frmAboutLayout.h"
#include "main_window/Form1Layout.h"

namespace {

using zenalto::Form1Layout;
using zenalto::frmAboutLayout;
using zenalto::layout::Control;
using zenalto::layout::Kind;
using zenalto::layout::pixels;

constexpr int FirstControlId = 100;
constexpr DWORD WaitMilliseconds = 30'000;
constexpr DWORD LaunchMilliseconds = 120'000;
constexpr DWORD PollMilliseconds = 100;

std::string utf8(std::wstring_view text) {
    if (text.empty()) {
        return {};
    }
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(),
                          size, nullptr, nullptr);
    return result;
}

int fail(const std::string& reason) {
    std::fprintf(stderr, "zenalto_driver: %s\n", reason.c_str());
    return 1;
}

struct WindowSearch {
    std::wstring_view title;
    HWND found = nullptr;
    bool unownedOnly = false;
};

BOOL CALLBACK matchTitle(HWND window, LPARAM parameter) {
    auto& search = *reinterpret_cast<WindowSearch*>(parameter);
    if (::IsWindowVisible(window) == FALSE ||
        (search.unownedOnly && ::GetWindow(window, GW_OWNER) != nullptr)) {
        return TRUE;
    }
    std::wstring title(512, L'\0');
    title.resize(static_cast<std::size_t>(
        ::GetWindowTextW(window, title.data(), static_cast<int>(title.size()))));
    if (title == search.title) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

HWND findWindow(std::wstring_view title, bool unownedOnly = false) {
    WindowSearch search{title, nullptr, unownedOnly};
    ::EnumWindows(matchTitle, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND waitForWindow(std::wstring_view title, bool unownedOnly = false) {
    for (DWORD waited = 0; waited < WaitMilliseconds; waited += PollMilliseconds) {
        if (HWND window = findWindow(title, unownedOnly)) {
            return window;
        }
        ::Sleep(PollMilliseconds);
    }
    return nullptr;
}

// A message box: a shown dialog that another window owns.
BOOL CALLBACK matchMessageBox(HWND window, LPARAM parameter) {
    std::wstring className(64, L'\0');
    className.resize(static_cast<std::size_t>(
        ::GetClassNameW(window, className.data(), static_cast<int>(className.size()))));
    if (::IsWindowVisible(window) == FALSE || className != L"#32770" ||
        ::GetWindow(window, GW_OWNER) == nullptr) {
        return TRUE;
    }
    *reinterpret_cast<HWND*>(parameter) = window;
    return FALSE;
}

HWND waitForMessageBox() {
    for (DWORD waited = 0; waited < WaitMilliseconds; waited += PollMilliseconds) {
        HWND found = nullptr;
        ::EnumWindows(matchMessageBox, reinterpret_cast<LPARAM>(&found));
        if (found != nullptr) {
            return found;
        }
        ::Sleep(PollMilliseconds);
    }
    return nullptr;
}

HWND mainWindow() {
    return waitForWindow(std::wstring(Form1Layout.title.begin(), Form1Layout.title.end()));
}

// The client area's top-left corner on the screen.
POINT clientOrigin(HWND window) {
    POINT origin{0, 0};
    ::ClientToScreen(window, &origin);
    return origin;
}

std::optional<std::size_t> controlIndex(std::string_view name) {
    for (std::size_t i = 0; i < Form1Layout.controls.size(); ++i) {
        if (Form1Layout.controls[i].name == name) {
            return i;
        }
    }
    return std::nullopt;
}

// The laid-out rectangle of a control, in pixels from the client area's corner.
RECT laidOut(const Control& control) {
    int left = pixels(control.left);
    int top = pixels(control.top);
    if (!control.container.empty()) {
        const Control* frame = zenalto::layout::find(Form1Layout, control.container);
        left += pixels(frame->left);
        top += pixels(frame->top);
    }
    return {left, top, left + pixels(control.width), top + pixels(control.height)};
}

struct ChildSearch {
    int id = 0;
    HWND found = nullptr;
};

BOOL CALLBACK matchId(HWND window, LPARAM parameter) {
    auto& search = *reinterpret_cast<ChildSearch*>(parameter);
    if (::GetDlgCtrlID(window) == search.id) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

HWND control(HWND window, std::size_t index) {
    ChildSearch search{FirstControlId + static_cast<int>(index)};
    ::EnumChildWindows(window, matchId, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring text(HWND window) {
    // Sent, not GetWindowTextW: that gives another process's edit box only
    // the text it was made with.
    DWORD_PTR length = 0;
    if (::SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length) ==
        0) {
        return {};
    }
    std::wstring result(length + 1, L'\0');
    DWORD_PTR copied = 0;
    ::SendMessageTimeoutW(window, WM_GETTEXT, result.size(),
                          reinterpret_cast<LPARAM>(result.data()), SMTO_ABORTIFHUNG, 5000, &copied);
    result.resize(copied);
    return result;
}

// The program and the working folder that a shortcut names.
bool resolveShortcut(const std::wstring& path, std::wstring& program, std::wstring& folder) {
    if (FAILED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
        return false;
    }
    bool resolved = false;
    IShellLinkW* link = nullptr;
    if (SUCCEEDED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                     IID_IShellLinkW, reinterpret_cast<void**>(&link)))) {
        IPersistFile* file = nullptr;
        if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
            std::wstring target(MAX_PATH, L'\0');
            std::wstring directory(MAX_PATH, L'\0');
            if (SUCCEEDED(file->Load(path.c_str(), STGM_READ)) &&
                link->GetPath(target.data(), MAX_PATH, nullptr, 0) == S_OK &&
                SUCCEEDED(link->GetWorkingDirectory(directory.data(), MAX_PATH))) {
                // The buffers cut at their first NUL.
                // cppcheck-suppress stlcstrAssignment
                program = target.c_str();
                // cppcheck-suppress stlcstrAssignment
                folder = directory.c_str();
                resolved = true;
            }
            file->Release();
        }
        link->Release();
    }
    ::CoUninitialize();
    return resolved;
}

int launch(const std::wstring& path) {
    // A shortcut starts the program it names, in its working folder, as the
    // shell starts it on a click in the Start menu.
    std::wstring program = path;
    std::wstring folder;
    if (path.ends_with(L".lnk") && !resolveShortcut(path, program, folder)) {
        return fail("cannot read the shortcut " + utf8(path));
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    std::wstring commandLine = L"\"" + program + L"\"";
    if (::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                         folder.empty() ? nullptr : folder.c_str(), &startup, &started) == FALSE) {
        return fail("cannot start " + utf8(program));
    }
    ::CloseHandle(started.hThread);
    HANDLE process = started.hProcess;
    std::printf("started\n");
    std::fflush(stdout);
    if (::WaitForSingleObject(process, LaunchMilliseconds) != WAIT_OBJECT_0) {
        ::TerminateProcess(process, 255);
        return fail("the program did not end");
    }
    DWORD code = 0;
    ::GetExitCodeProcess(process, &code);
    ::CloseHandle(process);
    std::printf("exit %lu\n", code);
    return 0;
}

int window(const std::wstring& title) {
    HWND found = waitForWindow(title);
    if (found == nullptr) {
        return fail("no window \"" + utf8(title) + "\"");
    }
    RECT client{};
    ::GetClientRect(found, &client);
    const POINT origin = clientOrigin(found);
    std::printf("%ld %ld %ld %ld\n", origin.x, origin.y, client.right, client.bottom);
    return 0;
}

int frame(const std::wstring& title) {
    HWND found = waitForWindow(title);
    RECT outer{};
    if (found == nullptr || ::GetWindowRect(found, &outer) == FALSE) {
        return fail("no window \"" + utf8(title) + "\"");
    }
    std::printf("%ldx%ld+%ld+%ld\n", outer.right - outer.left, outer.bottom - outer.top, outer.left,
                outer.top);
    return 0;
}

int gone(const std::wstring& title) {
    for (DWORD waited = 0; waited < WaitMilliseconds; waited += PollMilliseconds) {
        if (findWindow(title) == nullptr) {
            return 0;
        }
        ::Sleep(PollMilliseconds);
    }
    return fail("the window \"" + utf8(title) + "\" is still there");
}

int close(const std::wstring& title) {
    HWND found = waitForWindow(title);
    if (found == nullptr) {
        return fail("no window \"" + utf8(title) + "\"");
    }
    ::PostMessageW(found, WM_CLOSE, 0, 0);
    return 0;
}

// The screen point at the middle of the child ID of WINDOW, once it is
// enabled.
int middleOf(HWND window, int id) {
    HWND child = window != nullptr ? ::GetDlgItem(window, id) : nullptr;
    for (DWORD waited = 0;
         child != nullptr && ::IsWindowEnabled(child) == FALSE && waited < WaitMilliseconds;
         waited += PollMilliseconds) {
        ::Sleep(PollMilliseconds);
    }
    RECT rect{};
    if (child == nullptr || ::IsWindowEnabled(child) == FALSE ||
        ::GetWindowRect(child, &rect) == FALSE) {
        return fail("no enabled control " + std::to_string(id));
    }
    std::printf("%ld %ld\n", (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    return 0;
}

int button(const std::wstring& title, int id) {
    return middleOf(waitForWindow(title, true), id);
}

// The text of a message box is its static control 0xFFFF.
constexpr int MessageBoxTextId = 0xFFFF;

int message() {
    HWND box = waitForMessageBox();
    HWND textControl = box != nullptr ? ::GetDlgItem(box, MessageBoxTextId) : nullptr;
    if (textControl == nullptr) {
        return fail("no message box");
    }
    std::printf("%s\n", utf8(text(textControl)).c_str());
    return 0;
}

int answer(int id) {
    return middleOf(waitForMessageBox(), id);
}

// A file that another program keeps open, as an antivirus or a backup does.
int hold(const std::wstring& path) {
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return fail("cannot open " + utf8(path));
    }
    std::printf("held\n");
    std::fflush(stdout);
    ::Sleep(LaunchMilliseconds);
    ::CloseHandle(file);
    return 0;
}

int place(std::string_view name) {
    const auto index = controlIndex(name);
    if (!index) {
        return fail("no control " + std::string(name) + " in the layout");
    }
    HWND main = mainWindow();
    if (main == nullptr) {
        return fail("no main window");
    }
    const RECT rect = laidOut(Form1Layout.controls[*index]);
    const POINT origin = clientOrigin(main);
    std::printf("%ld %ld\n", origin.x + (rect.left + rect.right) / 2,
                origin.y + (rect.top + rect.bottom) / 2);
    return 0;
}

int textOf(std::string_view name) {
    const auto index = controlIndex(name);
    HWND main = mainWindow();
    HWND child = (index && main != nullptr) ? control(main, *index) : nullptr;
    if (child == nullptr) {
        return fail("no control " + std::string(name));
    }
    std::printf("%s\n", utf8(text(child)).c_str());
    return 0;
}

int controls() {
    HWND main = mainWindow();
    if (main == nullptr) {
        return fail("no main window");
    }
    const POINT origin = clientOrigin(main);
    int wrong = 0;
    for (std::size_t i = 0; i < Form1Layout.controls.size(); ++i) {
        const Control& laid = Form1Layout.controls[i];
        const RECT want = laidOut(laid);
        HWND child = control(main, i);
        RECT got{};
        if (child == nullptr || ::GetWindowRect(child, &got) == FALSE) {
            std::printf("%.*s: missing (no window with the identifier %d)\n",
                        static_cast<int>(laid.name.size()), laid.name.data(),
                        FirstControlId + static_cast<int>(i));
            ++wrong;
            continue;
        }
        ::OffsetRect(&got, -origin.x, -origin.y);
        // A drop-down list's height is that of its edit field, which follows
        // its font, not the layout.
        const bool heightCounts = laid.kind != Kind::ComboBox;
        if (got.left != want.left || got.top != want.top ||
            got.right - got.left != want.right - want.left ||
            (heightCounts && got.bottom - got.top != want.bottom - want.top)) {
            std::printf("%.*s: at %ld,%ld size %ldx%ld, laid out at %ld,%ld size %ldx%ld\n",
                        static_cast<int>(laid.name.size()), laid.name.data(), got.left, got.top,
                        got.right - got.left, got.bottom - got.top, want.left, want.top,
                        want.right - want.left, want.bottom - want.top);
            ++wrong;
        }
    }
    if (wrong != 0) {
        return 1;
    }
    std::printf("all in place\n");
    return 0;
}

// Milliseconds until the window has handled what was sent and repainted
// itself, or -1 when it did not answer within an hour.
constexpr UINT AnswerMilliseconds = 3'600'000;

long long answered(HWND main, HWND field, UINT message, WPARAM wParam) {
    const auto start = std::chrono::steady_clock::now();
    DWORD_PTR ignored = 0;
    if (::SendMessageTimeoutW(field, message, wParam, 0, SMTO_NORMAL, AnswerMilliseconds,
                              &ignored) == 0) {
        return -1;
    }
    // The repainting that the change asked for, done now; then the window's
    // own queue answers.
    ::RedrawWindow(main, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    if (::SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_NORMAL, AnswerMilliseconds, &ignored) ==
        0) {
        return -1;
    }
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                 start)
        .count();
}

bool putOnClipboard(const std::wstring& text) {
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (memory == nullptr) {
        return false;
    }
    std::memcpy(::GlobalLock(memory), text.c_str(), bytes);
    ::GlobalUnlock(memory);
    if (::OpenClipboard(nullptr) == FALSE) {
        ::GlobalFree(memory);
        return false;
    }
    ::EmptyClipboard();
    const bool put = ::SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    ::CloseClipboard();
    if (!put) {
        // The clipboard owns the memory only once it has taken it.
        // cppcheck-suppress doubleFree
        ::GlobalFree(memory);
    }
    return put;
}

int paste(std::string_view name, const std::wstring& count) {
    const auto index = controlIndex(name);
    HWND main = mainWindow();
    HWND child = (index && main != nullptr) ? control(main, *index) : nullptr;
    if (child == nullptr) {
        return fail("no control " + std::string(name));
    }
    // The drop-down list's edit area takes the paste.
    if (HWND edit = ::FindWindowExW(child, nullptr, L"Edit", nullptr)) {
        child = edit;
    }
    const auto digits = static_cast<std::size_t>(std::wcstoul(count.c_str(), nullptr, 10));
    std::wstring text(digits, L'0');
    for (std::size_t i = 0; i < digits; ++i) {
        text[i] = static_cast<wchar_t>(L'0' + (i * 7 + 3) % 10);
    }
    if (!putOnClipboard(text)) {
        return fail("cannot write the clipboard");
    }
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutW(child, EM_SETSEL, 0, -1, SMTO_NORMAL, 5000, &ignored);
    const long long pasted = answered(main, child, WM_PASTE, 0);
    DWORD_PTR length = 0;
    ::SendMessageTimeoutW(child, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, AnswerMilliseconds, &length);
    // A digit typed at the end of what was pasted.
    ::SendMessageTimeoutW(child, EM_SETSEL, length, static_cast<LPARAM>(length), SMTO_NORMAL,
                          AnswerMilliseconds, &ignored);
    const long long typed = answered(main, child, WM_CHAR, L'5');
    std::printf("%zu %lu %lld %lld\n", digits, static_cast<unsigned long>(length), pasted, typed);
    return pasted >= 0 && typed >= 0 ? 0 : fail("the window did not answer within an hour");
}

// The names of the roles that the windows' objects have.
std::string roleName(long role) {
    switch (role) {
        case ROLE_SYSTEM_DIALOG:
            return "ROLE_SYSTEM_DIALOG";
        case ROLE_SYSTEM_CLIENT:
            return "ROLE_SYSTEM_CLIENT";
        case ROLE_SYSTEM_WINDOW:
            return "ROLE_SYSTEM_WINDOW";
        case ROLE_SYSTEM_STATICTEXT:
            return "ROLE_SYSTEM_STATICTEXT";
        case ROLE_SYSTEM_TEXT:
            return "ROLE_SYSTEM_TEXT";
        case ROLE_SYSTEM_PUSHBUTTON:
            return "ROLE_SYSTEM_PUSHBUTTON";
        case ROLE_SYSTEM_GRAPHIC:
            return "ROLE_SYSTEM_GRAPHIC";
        default:
            return "role " + std::to_string(role);
    }
}

// What an accessible object answers for the child `child` (CHILDID_SELF: itself).
struct Answers {
    long role = 0;
    std::string name, description;
};

Answers answersOf(IAccessible* object, long child) {
    Answers answers;
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = child;
    VARIANT role{};
    if (object->get_accRole(self, &role) == S_OK && role.vt == VT_I4) {
        answers.role = role.lVal;
    }
    BSTR text = nullptr;
    if (object->get_accName(self, &text) == S_OK && text != nullptr) {
        answers.name = utf8({text, ::SysStringLen(text)});
    }
    ::SysFreeString(text);
    text = nullptr;
    if (object->get_accDescription(self, &text) == S_OK && text != nullptr) {
        answers.description = utf8({text, ::SysStringLen(text)});
    }
    ::SysFreeString(text);
    return answers;
}

// The layout name of the control that holds `window`, in the table of the
// window it lies in (the main window's or the About dialog's), or the class
// of `window` when no control holds it.
std::string controlName(HWND window) {
    if (window == nullptr) {
        return "nothing";
    }
    const HWND root = ::GetAncestor(window, GA_ROOT);
    std::wstring title(512, L'\0');
    title.resize(static_cast<std::size_t>(
        ::GetWindowTextW(root, title.data(), static_cast<int>(title.size()))));
    const auto& table =
        title == std::wstring(frmAboutLayout.title.begin(), frmAboutLayout.title.end())
            ? frmAboutLayout
            : Form1Layout;
    for (HWND at = window; at != nullptr && at != root; at = ::GetAncestor(at, GA_PARENT)) {
        const int id = ::GetDlgCtrlID(at);
        if (id >= FirstControlId &&
            static_cast<std::size_t>(id - FirstControlId) < table.controls.size()) {
            return std::string(table.controls[static_cast<std::size_t>(id - FirstControlId)].name);
        }
    }
    std::wstring className(64, L'\0');
    className.resize(static_cast<std::size_t>(
        ::GetClassNameW(window, className.data(), static_cast<int>(className.size()))));
    return utf8(className);
}

// The window that has the focus on the thread of `window`.
HWND focusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info) == FALSE) {
        return nullptr;
    }
    return info.hwndFocus;
}

int dialog(const std::wstring& title) {
    HWND found = waitForWindow(title);
    if (found == nullptr) {
        return fail("no window \"" + utf8(title) + "\"");
    }
    if (FAILED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
        return fail("cannot start COM");
    }
    IAccessible* client = nullptr;
    if (::AccessibleObjectFromWindow(found, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                     reinterpret_cast<void**>(&client)) != S_OK) {
        return fail("no accessible object for \"" + utf8(title) + "\"");
    }
    const Answers window = answersOf(client, CHILDID_SELF);
    std::printf("%s \"%s\"\n", roleName(window.role).c_str(), window.name.c_str());
    if (!window.description.empty()) {
        std::printf("description \"%s\"\n", window.description.c_str());
    }
    // The child windows' objects, in the order a screen reader meets them:
    // from the top of the stacking order down.
    for (HWND child = ::GetWindow(found, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        IAccessible* object = nullptr;
        if (::AccessibleObjectFromWindow(child, static_cast<DWORD>(OBJID_CLIENT),
                                         __uuidof(IAccessible),
                                         reinterpret_cast<void**>(&object)) == S_OK) {
            const Answers answers = answersOf(object, CHILDID_SELF);
            if (!answers.name.empty()) {
                std::printf("%s \"%s\"\n", roleName(answers.role).c_str(), answers.name.c_str());
            }
            object->Release();
        }
    }
    client->Release();
    ::CoUninitialize();
    return 0;
}

int focus(const std::wstring& title) {
    HWND found = waitForWindow(title);
    if (found == nullptr) {
        return fail("no window \"" + utf8(title) + "\"");
    }
    std::printf("%s\n", controlName(focusOf(found)).c_str());
    return 0;
}

std::vector<std::string> heard;

void CALLBACK liveRegionChanged(HWINEVENTHOOK /*hook*/, DWORD /*event*/, HWND window, LONG object,
                                LONG child, DWORD /*thread*/, DWORD /*time*/) {
    // The focus first, as it stands when the event comes.
    const std::string focused = controlName(focusOf(window));
    std::string line =
        "EVENT_OBJECT_LIVEREGIONCHANGED on " + controlName(window) + ", object " +
        (object == OBJID_CLIENT ? std::string("OBJID_CLIENT") : std::to_string(object)) +
        ", child " + (child == CHILDID_SELF ? std::string("CHILDID_SELF") : std::to_string(child));
    IAccessible* accessible = nullptr;
    VARIANT which{};
    if (::AccessibleObjectFromEvent(window, static_cast<DWORD>(object), static_cast<DWORD>(child),
                                    &accessible, &which) == S_OK) {
        const Answers answers = answersOf(accessible, which.vt == VT_I4 ? which.lVal : 0);
        line += ": " + roleName(answers.role) + " \"" + answers.name + "\"";
        accessible->Release();
    } else {
        line += ": no accessible object";
    }
    heard.push_back(line + "; focus on " + focused);
}

int listen(int count) {
    if (FAILED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
        return fail("cannot start COM");
    }
    // Out of context: the events come to this thread's queue, from any process.
    const HWINEVENTHOOK hook =
        ::SetWinEventHook(EVENT_OBJECT_LIVEREGIONCHANGED, EVENT_OBJECT_LIVEREGIONCHANGED, nullptr,
                          liveRegionChanged, 0, 0, WINEVENT_OUTOFCONTEXT);
    if (hook == nullptr) {
        return fail("cannot hook the live-region events");
    }
    std::printf("listening\n");
    std::fflush(stdout);
    std::size_t printed = 0;
    const auto start = std::chrono::steady_clock::now();
    while (printed < static_cast<std::size_t>(count) &&
           std::chrono::steady_clock::now() - start < std::chrono::milliseconds(WaitMilliseconds)) {
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, PollMilliseconds, QS_ALLINPUT);
        MSG message{};
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
            ::DispatchMessageW(&message);
        }
        for (; printed < heard.size(); ++printed) {
            std::printf("%s\n", heard[printed].c_str());
            std::fflush(stdout);
        }
    }
    ::UnhookWinEvent(hook);
    ::CoUninitialize();
    return printed >= static_cast<std::size_t>(count) ? 0 : fail("fewer events than awaited");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2 || argc > 4) {
        return fail("usage: zenalto_driver COMMAND [ARGUMENT...]");
    }
    const std::wstring command = argv[1];
    const std::wstring argument = argc >= 3 ? argv[2] : L"";
    const std::string name = utf8(argument);
    if (command == L"button" && argc == 4) {
        return button(argument, static_cast<int>(std::wcstol(argv[3], nullptr, 10)));
    }
    if (command == L"hold" && argc == 3) {
        return hold(argument);
    }
    if (command == L"message" && argc == 2) {
        return message();
    }
    if (command == L"dialog" && argc == 3) {
        return dialog(argument);
    }
    if (command == L"focus" && argc == 3) {
        return focus(argument);
    }
    if (command == L"listen" && argc == 3) {
        return listen(static_cast<int>(std::wcstol(argument.c_str(), nullptr, 10)));
    }
    if (command == L"answer" && argc == 3) {
        return answer(static_cast<int>(std::wcstol(argument.c_str(), nullptr, 10)));
    }
    if (command == L"launch" && argc == 3) {
        return launch(argument);
    }
    if (command == L"window" && argc == 3) {
        return window(argument);
    }
    if (command == L"frame" && argc == 3) {
        return frame(argument);
    }
    if (command == L"gone" && argc == 3) {
        return gone(argument);
    }
    if (command == L"close" && argc == 3) {
        return close(argument);
    }
    if (command == L"place" && argc == 3) {
        return place(name);
    }
    if (command == L"text" && argc == 3) {
        return textOf(name);
    }
    if (command == L"paste" && argc == 4) {
        return paste(name, argv[3]);
    }
    if (command == L"controls" && argc == 2) {
        return controls();
    }
    return fail("unknown command " + utf8(command));
}
