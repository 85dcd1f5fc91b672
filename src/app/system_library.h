// DLLs come from the system folder only. A player starts the program from a
// Downloads folder, where a web page can have dropped a DLL under any name;
// nothing beside the exe, and nothing in the current folder, may ever run.
#ifndef RAVLO_SYSTEM_LIBRARY_H
#define RAVLO_SYSTEM_LIBRARY_H

#include <windows.h>

#include <cstring>

// The first thing the program does: restricts the process's DLL search to
// the system folder. Where the system lacks that restriction, takes the
// current folder out of the search and loads from the system folder, by full
// path, the DLLs that the common controls and the save dialog would otherwise
// look up by name, so that those look-ups find them already loaded.
void RestrictDllSearchToSystemFolder();

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
