#include "SystemFunction.h"

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

}  // namespace zenalto::win32
