/* A DLL planted beside a program under the name of one of Windows' own, by
 * tools/check-dll-planting.sh: it does nothing but leave a mark when a
 * process loads it. The mark is a file NAME.PROCESS.mark (NAME the DLL's own
 * file name, PROCESS that of the program that loaded it) in the folder that
 * ZENALTO_PLANT_MARKS names, or beside the DLL without it. It exports
 * nothing, so that a process that binds a function from it fails as loudly
 * as one that runs planted code would be harmed. The mark names the modules
 * on the call stack as it loads, so that the script can tell who asked. */
#include <windows.h>

static const wchar_t* fileNameOf(const wchar_t* path) {
    const wchar_t* name = path;
    for (const wchar_t* at = path; *at != L'\0'; ++at) {
        if (*at == L'\\' || *at == L'/') {
            name = at + 1;
        }
    }
    return name;
}

static void writeLine(HANDLE file, const wchar_t* text) {
    DWORD written = 0;
    WriteFile(file, text, (DWORD)lstrlenW(text) * sizeof text[0], &written, NULL);
    WriteFile(file, L"\n", sizeof(wchar_t), &written, NULL);
}

static void leaveMark(HINSTANCE self) {
    wchar_t dll[MAX_PATH];
    wchar_t program[MAX_PATH];
    wchar_t mark[3 * MAX_PATH];
    const DWORD dllLength = GetModuleFileNameW(self, dll, MAX_PATH);
    if (dllLength == 0 || dllLength >= MAX_PATH ||
        GetModuleFileNameW(NULL, program, MAX_PATH) == 0) {
        return;
    }
    const DWORD folderLength = GetEnvironmentVariableW(L"ZENALTO_PLANT_MARKS", mark, MAX_PATH);
    if (folderLength == 0 || folderLength >= MAX_PATH) {
        lstrcpyW(mark, dll);
        mark[fileNameOf(dll) - dll] = L'\0';
    } else {
        lstrcatW(mark, L"\\");
    }
    lstrcatW(mark, fileNameOf(dll));
    lstrcatW(mark, L".");
    lstrcatW(mark, fileNameOf(program));
    lstrcatW(mark, L".mark");
    const HANDLE file =
        CreateFileW(mark, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) {
        return;
    }
    /* The DLL's full path, where the process found it, then the modules on
     * the call stack, from the loader up to whoever asked for the DLL: one a
     * line, in UTF-16. */
    writeLine(file, dll);
    void* frames[64];
    const USHORT count = RtlCaptureStackBackTrace(0, 64, frames, NULL);
    HMODULE previous = NULL;
    for (USHORT i = 0; i < count; ++i) {
        HMODULE module = NULL;
        if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                    GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                                (LPCWSTR)frames[i], &module) ||
            module == previous) {
            continue;
        }
        previous = module;
        wchar_t path[MAX_PATH];
        if (GetModuleFileNameW(module, path, MAX_PATH) != 0) {
            writeLine(file, fileNameOf(path));
        }
    }
    CloseHandle(file);
}

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID reserved) {
    (void)reserved;
    if (reason == DLL_PROCESS_ATTACH) {
        leaveMark(self);
    }
    return TRUE;
}
