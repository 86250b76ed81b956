#include "SystemFunction.h"

#include <objbase.h>

namespace zenalto::win32 {

FARPROC SystemProcedure(const wchar_t* library, const char* name) noexcept {
    HMODULE module = ::GetModuleHandleW(library);
    if (module == nullptr) {
        // Never from the program's folder or the current one. Loaded for the
        // rest of the run: the objects it makes may outlive any caller.
        module = ::LoadLibraryExW(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    }
    return module != nullptr ? ::GetProcAddress(module, name) : nullptr;
}

bool UseCom() noexcept {
    // Never ended: the pictures and accessible objects made with it may be
    // in use until the program ends. A thread already in the multithreaded
    // apartment can use COM as it is.
    thread_local const bool usable = [] {
        const auto coInitializeEx =
            SystemFunction<decltype(&::CoInitializeEx)>(L"ole32.dll", "CoInitializeEx");
        if (coInitializeEx == nullptr) {
            return false;
        }
        const HRESULT started = coInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        return SUCCEEDED(started) || started == RPC_E_CHANGED_MODE;
    }();
    return usable;
}

}  // namespace zenalto::win32
