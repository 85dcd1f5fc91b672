#include "app/system_library.h"

#include <cwchar>

namespace {

// Whether the whole process already looks in the system folder only.
bool searchRestricted = false;

// Looked up by name, on systems without the search restriction, by the
// common controls, the themes and the save dialog with its shell views.
const wchar_t* const kLookedUpByName[] = {
    L"uxtheme.dll",  L"dwmapi.dll",   L"propsys.dll", L"version.dll", L"cryptbase.dll", L"userenv.dll",
    L"setupapi.dll", L"apphelp.dll",  L"oleacc.dll",  L"clbcatq.dll", L"profapi.dll",   L"ntmarta.dll",
    L"linkinfo.dll", L"ntshrui.dll",  L"cscapi.dll",  L"sspicli.dll", L"secur32.dll",   L"msimg32.dll",
    L"shcore.dll",   L"compstui.dll", L"winspool.drv",
};

}  // namespace

HMODULE LoadSystemLibrary(const wchar_t* name) {
    wchar_t path[MAX_PATH];
    const UINT folder = GetSystemDirectoryW(path, MAX_PATH);
    if (folder == 0 || folder + 1 + std::wcslen(name) >= MAX_PATH) return nullptr;
    path[folder] = L'\\';
    std::wcscpy(path + folder + 1, name);
    // Without the restriction, the altered search looks for the DLL's own
    // dependencies in its folder, the system folder, before the exe's.
    return LoadLibraryExW(path, nullptr, searchRestricted ? 0 : LOAD_WITH_ALTERED_SEARCH_PATH);
}

void RestrictDllSearchToSystemFolder() {
    // Looked up at run time: the program also starts on systems without them.
    const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
    using SetDllDirectoryFunction = BOOL(WINAPI*)(LPCWSTR);
    const auto setDefault = ExportedFunction<SetDefaultDllDirectoriesFunction>(kernel, "SetDefaultDllDirectories");
    if (setDefault && setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32)) {
        searchRestricted = true;
        return;
    }
    if (const auto setDllDirectory = ExportedFunction<SetDllDirectoryFunction>(kernel, "SetDllDirectoryW"))
        setDllDirectory(L"");
    for (const wchar_t* name : kLookedUpByName) LoadSystemLibrary(name);
}
