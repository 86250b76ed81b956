// A stand-in for the System Information tool. It is started with no arguments
// of its own, so it reports next to its own file: "<its path>.started" holds
// the command line it was given and the window style it was asked to show
// with ("none" when none was asked for). Then it runs until the test creates
// "<its path>.release" (or a minute has passed) and leaves
// "<its path>.finished" as it ends.

#include <windows.h>

#include <string>

namespace {

// Shared for every use: the test looks at and removes these files while we
// may still hold them open, and must not fail on that.
bool writeFile(const std::string& path, const std::string& text) {
    const HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    const BOOL ok =
        ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    ::CloseHandle(file);
    return ok != FALSE && written == text.size();
}

}  // namespace

int main() {
    std::string self(MAX_PATH, '\0');
    const DWORD length = ::GetModuleFileNameA(nullptr, self.data(), MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return 1;
    }
    self.resize(length);

    STARTUPINFOA startup{};
    startup.cb = static_cast<DWORD>(sizeof startup);
    ::GetStartupInfoA(&startup);
    const std::string show = (startup.dwFlags & STARTF_USESHOWWINDOW) != 0
                                 ? std::to_string(startup.wShowWindow)
                                 : std::string("none");

    // Written whole under another name first, so that the test never reads
    // half of it.
    const std::string report = std::string(::GetCommandLineA()) + "\n" + show + "\n";
    if (!writeFile(self + ".tmp", report) ||
        ::MoveFileA((self + ".tmp").c_str(), (self + ".started").c_str()) == FALSE) {
        return 1;
    }

    const std::string release = self + ".release";
    for (int wait = 0;
         wait < 3000 && ::GetFileAttributesA(release.c_str()) == INVALID_FILE_ATTRIBUTES; ++wait) {
        ::Sleep(20);
    }
    return writeFile(self + ".finished", "") ? 0 : 1;
}
