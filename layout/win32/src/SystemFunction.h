#pragma once

// Functions of Windows' own libraries bound by name at their first use rather
// than imported. The windows need oleaut32 and oleacc only to decode the About
// dialog's picture and to answer a screen reader; imported, both would be
// loaded at every start, which under Wine costs some 0.6 MiB of resident
// memory and a tenth of the start-up's processor time.

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace zenalto::win32 {

// The address of `name` in the system library `library` ("oleacc.dll"),
// loaded from the system folder only; nullptr when either is missing.
[[nodiscard]] FARPROC SystemProcedure(const wchar_t* library, const char* name) noexcept;

// The same as a pointer to a function of the type of `Function`, such as
// decltype(&::SysAllocString).
template <typename Function>
[[nodiscard]] Function SystemFunction(const wchar_t* library, const char* name) noexcept {
    // Through void (*)(), the function pointer type that stands for any.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(SystemProcedure(library, name)));
}

}  // namespace zenalto::win32
