// The native backend on POSIX systems. They have no registry, so the one
// value the platform is given is emulated (in the program, the key the System
// Information launcher reads first): it names the first of its programs found
// on PATH, looked up at each read. Every other key does not exist.

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <span>
#include <string>
#include <system_error>

#include "platform/NativePlatform.h"

namespace zenalto {

namespace {

// The handle the emulated key opens as. The key holds no state, so every open
// may share it.
constexpr RegistryKey EmulatedKeyHandle = 1;

constexpr std::int32_t ErrorInvalidHandle = 6;

// KEY_WOW64_64KEY and KEY_WOW64_32KEY choose a view of the registry; they ask
// for no right.
constexpr std::uint32_t KeyWow64Views = 0x0300;

// Registry names compare without regard to case, like the registry's own.
bool equalsIgnoringCase(std::string_view left, std::string_view right) {
    const auto lower = [](char c) {
        return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    };
    return std::ranges::equal(left, right, {}, lower, lower);
}

PlatformError errorFrom(std::string_view what, std::string_view path, int error) {
    return PlatformError(std::string(what) + " \"" + std::string(path) +
                         "\": " + std::generic_category().message(error));
}

// The path as a C string. The system calls would stop at a NUL inside it and
// act on another path, so such a path is refused.
std::string cPath(std::string_view what, std::string_view path) {
    if (path.find('\0') != std::string_view::npos) {
        throw errorFrom(what, path, EINVAL);
    }
    return std::string(path);
}

bool isExecutableFile(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
           ::access(path.c_str(), X_OK) == 0;
}

// The full path of the first of `programs` found on PATH, read afresh at each
// call. Empty and relative entries of PATH are passed over: the answer is a
// full path, whatever the working folder.
std::optional<std::string> findProgram(std::span<const std::string_view> programs) {
    const char* searchPath = std::getenv("PATH");
    if (searchPath == nullptr) {
        return std::nullopt;
    }
    const std::string_view folders(searchPath);
    for (const std::string_view program : programs) {
        std::size_t start = 0;
        while (start <= folders.size()) {
            const std::size_t end = std::min(folders.find(':', start), folders.size());
            const std::string_view folder = folders.substr(start, end - start);
            start = end + 1;
            if (!folder.starts_with('/')) {
                continue;
            }
            std::string candidate(folder);
            if (!candidate.ends_with('/')) {
                candidate += '/';
            }
            candidate += program;
            if (isExecutableFile(candidate)) {
                return candidate;
            }
        }
    }
    return std::nullopt;
}

class FileDescriptor {
public:
    explicit FileDescriptor(int descriptor) noexcept : m_descriptor(descriptor) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    FileDescriptor(FileDescriptor&&) = delete;
    FileDescriptor& operator=(FileDescriptor&&) = delete;
    ~FileDescriptor() { reset(); }

    [[nodiscard]] int get() const noexcept { return m_descriptor; }
    void reset() noexcept {
        if (m_descriptor >= 0) {
            ::close(m_descriptor);
            m_descriptor = -1;
        }
    }

private:
    int m_descriptor;
};

// Everything the new process needs, made before the fork: between the fork
// and the exec only async-signal-safe calls are made, since other threads of
// the program may hold locks that the child would never see released.
struct Launch {
    char* argv[2];
    char** envp;
    int input;      // becomes the program's standard input
    int errorPipe;  // the write end of the close-on-exec pipe that reports a failure
    sigset_t noSignals;
    struct sigaction defaultAction;
};

// fork without the fork handlers, which may take locks (glibc's _Fork is
// async-signal-safe, unlike fork): the child only makes async-signal-safe
// calls until it execs or exits.
pid_t forkBare() noexcept {
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 34))
    return ::_Fork();
#else
    return ::fork();
#endif
}

[[noreturn]] void reportAndExit(const Launch& launch, int error) noexcept {
    [[maybe_unused]] const auto written = ::write(launch.errorPipe, &error, sizeof error);
    ::_exit(127);
}

[[noreturn]] void execProgram(const Launch& launch) noexcept {
    // Signals our program ignores or handles start at their defaults in the
    // tool; they stay blocked (as the parent blocked them) until the exec.
    for (int number = 1; number < NSIG; ++number) {
        ::sigaction(number, &launch.defaultAction, nullptr);
    }
    // The tool is a window of its own and reads nothing from our standard
    // input; it shares our standard output and error for its diagnostics.
    if (::dup2(launch.input, STDIN_FILENO) < 0) {
        reportAndExit(launch, errno);
    }
#ifdef CLOSE_RANGE_CLOEXEC
    // Descriptors that libraries opened without close-on-exec stay ours.
    ::close_range(STDERR_FILENO + 1, ~0U, CLOSE_RANGE_CLOEXEC);
#endif
    ::sigprocmask(SIG_SETMASK, &launch.noSignals, nullptr);
    ::execve(launch.argv[0], launch.argv, launch.envp);
    reportAndExit(launch, errno);
}

// The first child: leaves our session, so that the terminal's signals and the
// end of our process group do not reach the tool, starts the tool as its own
// child and ends at once. The tool, an orphan, is reaped by the system.
[[noreturn]] void startDetached(const Launch& launch) noexcept {
    ::setsid();
    const pid_t grandchild = forkBare();
    if (grandchild == 0) {
        execProgram(launch);
    }
    if (grandchild < 0) {
        reportAndExit(launch, errno);
    }
    ::_exit(0);
}

// Reads the error number a child reports; 0 when the pipe closed without one,
// because the exec succeeded.
int readReportedError(int descriptor) {
    int error = 0;
    auto* bytes = reinterpret_cast<char*>(&error);
    std::size_t received = 0;
    while (received < sizeof error) {
        const ssize_t count = ::read(descriptor, bytes + received, sizeof error - received);
        if (count > 0) {
            received += static_cast<std::size_t>(count);
        } else if (count == 0 || errno != EINTR) {
            break;
        }
    }
    return received == sizeof error ? error : 0;
}

}  // namespace

std::int32_t NativePlatform::regOpenKeyEx(RegistryKey root, std::string_view subKey,
                                          std::uint32_t /*options*/, std::uint32_t samDesired,
                                          RegistryKey& result) {
    if (root != registryKeyOf(HkeyLocalMachine) || m_emulated.key.empty() ||
        !equalsIgnoringCase(subKey, m_emulated.key)) {
        return ErrorFileNotFound;
    }
    // The key is read-only, as HKEY_LOCAL_MACHINE is to an ordinary user.
    if ((samDesired & ~(KeyRead | KeyWow64Views)) != 0) {
        return ErrorAccessDenied;
    }
    result = EmulatedKeyHandle;
    return ErrorSuccess;
}

std::int32_t NativePlatform::regQueryValueEx(RegistryKey key, std::string_view valueName,
                                             std::uint32_t& type, std::span<std::byte> data,
                                             std::int32_t& dataSize) {
    if (key != EmulatedKeyHandle) {
        return ErrorInvalidHandle;
    }
    if (!equalsIgnoringCase(valueName, m_emulated.valueName)) {
        return ErrorFileNotFound;
    }
    const std::optional<std::string> program = findProgram(m_emulated.programs);
    if (!program) {
        return ErrorFileNotFound;
    }
    // A REG_SZ value, stored with its terminating NUL. Like the registry, tell
    // the size the data needs also when it does not fit.
    const std::size_t needed = program->size() + 1;
    const std::size_t room = std::min(data.size(), static_cast<std::size_t>(std::max(dataSize, 0)));
    type = RegSz;
    dataSize = static_cast<std::int32_t>(needed);
    if (needed > room) {
        return ErrorMoreData;
    }
    std::memcpy(data.data(), program->data(), program->size());
    data[program->size()] = std::byte{0};
    return ErrorSuccess;
}

std::int32_t NativePlatform::regCloseKey(RegistryKey key) {
    return key == EmulatedKeyHandle ? ErrorSuccess : ErrorInvalidHandle;
}

bool NativePlatform::fileExists(std::string_view path) {
    const std::string name = cPath("cannot test the file", path);
    struct stat status {};
    if (::stat(name.c_str(), &status) != 0) {
        const int error = errno;
        if (error == ENOENT || error == ENOTDIR) {
            return false;
        }
        throw errorFrom("cannot test the file", path, error);
    }
    if (!S_ISREG(status.st_mode)) {
        return false;
    }
    // A name that starts with a dot is hidden.
    const std::size_t slash = name.rfind('/');
    const std::string_view base =
        std::string_view(name).substr(slash == std::string::npos ? 0 : slash + 1);
    return !base.starts_with('.');
}

void NativePlatform::startProcess(std::string_view path) {
    constexpr std::string_view what = "cannot start";
    if (path.empty()) {
        throw errorFrom(what, path, ENOENT);
    }
    std::string program = cPath(what, path);

    const FileDescriptor input(::open("/dev/null", O_RDONLY | O_CLOEXEC));
    if (input.get() < 0) {
        throw errorFrom(what, path, errno);
    }
    std::array<int, 2> pipeEnds{};
    if (::pipe2(pipeEnds.data(), O_CLOEXEC) != 0) {
        throw errorFrom(what, path, errno);
    }
    const FileDescriptor errorRead(pipeEnds[0]);
    FileDescriptor errorWrite(pipeEnds[1]);

    // The whole path is the program and its only argument is its name: no
    // shell, no splitting at blanks, no search of PATH. A window style has no
    // meaning here; the desktop places the tool's window.
    Launch launch{};
    launch.argv[0] = program.data();
    launch.argv[1] = nullptr;
    launch.envp = environ;
    launch.input = input.get();
    launch.errorPipe = errorWrite.get();
    sigemptyset(&launch.noSignals);
    // A zeroed sigaction is SIG_DFL with no flags.

    // Block every signal around the fork, so that no handler of ours runs in
    // the children before the exec.
    sigset_t allSignals;
    sigset_t previousSignals;
    sigfillset(&allSignals);
    ::pthread_sigmask(SIG_SETMASK, &allSignals, &previousSignals);
    const pid_t child = forkBare();
    if (child == 0) {
        startDetached(launch);
    }
    const int forkError = errno;
    ::pthread_sigmask(SIG_SETMASK, &previousSignals, nullptr);
    if (child < 0) {
        throw errorFrom(what, path, forkError);
    }

    // Our copy of the write end closes, so the read ends once both children
    // are done with theirs: at the exec of the tool or at a reported failure.
    errorWrite.reset();
    const int execError = readReportedError(errorRead.get());
    while (::waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
    }
    if (execError != 0) {
        throw errorFrom(what, path, execError);
    }
}

}  // namespace zenalto
