// DLLs come from the system folder, and from folders registered on purpose
// with AddDllDirectory or SetDllDirectory. A player starts the program from a
// Downloads folder, where a web page can have dropped a DLL under any name;
// nothing beside the exe, and nothing in the current folder, may ever run.
#ifndef RAVLO_SYSTEM_LIBRARY_H
#define RAVLO_SYSTEM_LIBRARY_H

#include <windows.h>

#include <cstring>

// The kernel functions the restriction calls; null where the system lacks one.
struct DllSearchFunctions {
    BOOL(WINAPI* setDefaultDllDirectories)(DWORD) = nullptr;
    BOOL(WINAPI* setDllDirectory)(LPCWSTR) = nullptr;
    HMODULE(WINAPI* loadLibraryEx)(LPCWSTR, HANDLE, DWORD) = nullptr;
};

// The real ones from kernel32.
DllSearchFunctions KernelDllSearchFunctions();

// Looked up by name, on systems without the search restriction, by the
// common controls, the themes and the save dialog with its shell views.
inline const wchar_t* const kDllsLookedUpByName[] = {
    L"uxtheme.dll",  L"dwmapi.dll",   L"propsys.dll", L"version.dll", L"cryptbase.dll", L"userenv.dll",
    L"setupapi.dll", L"apphelp.dll",  L"oleacc.dll",  L"clbcatq.dll", L"profapi.dll",   L"ntmarta.dll",
    L"linkinfo.dll", L"ntshrui.dll",  L"cscapi.dll",  L"sspicli.dll", L"secur32.dll",   L"msimg32.dll",
    L"shcore.dll",   L"compstui.dll", L"winspool.drv",
};

// The first thing the program does: restricts the process's DLL search to
// the system folder and the registered folders. Where the system lacks that
// restriction, takes the current folder out of the search and loads from the
// system folder, by full path, the DLLs above, so that the look-ups by name
// find them already loaded.
void RestrictDllSearchToSystemFolder(const DllSearchFunctions& kernel);

// Loads `name` from the system folder by its full path, its own dependencies
// looked up from there too. Null when it cannot be loaded.
HMODULE LoadSystemLibrary(const wchar_t* name);

// An exported function as the pointer type F, or null. The address is copied,
// not cast: F and FARPROC are different function types.
template <class F>
F ExportedFunction(HMODULE module, const char* name) {
    static_assert(sizeof(F) == sizeof(FARPROC), "a function pointer is a function pointer");
    F function = nullptr;
    const FARPROC found = module ? GetProcAddress(module, name) : nullptr;
    if (found) std::memcpy(&function, &found, sizeof function);
    return function;
}

#endif
