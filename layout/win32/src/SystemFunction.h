#pragma once

// What the windows need only to decode the About dialog's picture and to
// answer a screen reader, started at its first use rather than at every start:
// the functions of ole32, oleaut32 and oleacc, bound by name instead of
// imported (loading oleaut32 and oleacc costs some 0.6 MiB of resident memory
// under Wine, and loading ole32 with the libraries it needs some 5 ms before
// the window shows), and COM itself (starting it costs a sixth of the
// start-up's processor time there).

#include <windows.h>

namespace zenalto::win32 {

// The address of `name` in the system library `library` ("oleacc.dll"),
// loaded from the system folder only; nullptr when either is missing.
[[nodiscard]] FARPROC SystemProcedure(const wchar_t* library, const char* name) noexcept;

// Starts COM on the calling thread (a single-threaded apartment) at the first
// call, for the rest of the thread's life. True when the thread can use COM,
// also when it had started COM itself.
bool UseCom() noexcept;

// The same as a pointer to a function of the type of `Function`, such as
// decltype(&::SysAllocString).
template <typename Function>
[[nodiscard]] Function SystemFunction(const wchar_t* library, const char* name) noexcept {
    // Through void (*)(), the function pointer type that stands for any.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(SystemProcedure(library, name)));
}

}  // namespace zenalto::win32
