#include "app/system_library.h"

#include <cwchar>

namespace {

// Whether the whole process already looks in the system folder only.
bool searchRestricted = false;

// Without the restriction, the altered search looks for the DLL's own
// dependencies in its folder, the system folder, before the exe's.
constexpr DWORD kUnrestrictedFlags = LOAD_WITH_ALTERED_SEARCH_PATH;

HMODULE LoadFromSystemFolder(const wchar_t* name, HMODULE(WINAPI* load)(LPCWSTR, HANDLE, DWORD), DWORD flags) {
    wchar_t path[MAX_PATH];
    const UINT folder = GetSystemDirectoryW(path, MAX_PATH);
    if (folder == 0 || folder + 1 + std::wcslen(name) >= MAX_PATH) return nullptr;
    path[folder] = L'\\';
    std::wcscpy(path + folder + 1, name);
    return load(path, nullptr, flags);
}

}  // namespace

DllSearchFunctions KernelDllSearchFunctions() {
    // Looked up at run time: the program also starts on systems without them.
    const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    DllSearchFunctions functions;
    functions.setDefaultDllDirectories =
        ExportedFunction<decltype(functions.setDefaultDllDirectories)>(kernel, "SetDefaultDllDirectories");
    functions.setDllDirectory = ExportedFunction<decltype(functions.setDllDirectory)>(kernel, "SetDllDirectoryW");
    functions.loadLibraryEx = LoadLibraryExW;
    return functions;
}

HMODULE LoadSystemLibrary(const wchar_t* name) {
    return LoadFromSystemFolder(name, LoadLibraryExW, searchRestricted ? 0 : kUnrestrictedFlags);
}

void RestrictDllSearchToSystemFolder(const DllSearchFunctions& kernel) {
    // The registered folders too: extensions that the save dialog brings into
    // the process add their own folder on purpose and load from it by name.
    if (kernel.setDefaultDllDirectories &&
        kernel.setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32 | LOAD_LIBRARY_SEARCH_USER_DIRS)) {
        searchRestricted = true;
        return;
    }
    if (kernel.setDllDirectory) kernel.setDllDirectory(L"");
    if (!kernel.loadLibraryEx) return;
    for (const wchar_t* name : kDllsLookedUpByName)
        LoadFromSystemFolder(name, kernel.loadLibraryEx, kUnrestrictedFlags);
}
