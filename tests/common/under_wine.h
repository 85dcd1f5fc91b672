// Whether the tests run under Wine or on Windows itself, for the few things
// that only Wine has or needs: its registry settings, its Unix side.
#ifndef RAVLO_TESTS_UNDER_WINE_H
#define RAVLO_TESTS_UNDER_WINE_H

#include <windows.h>

// Wine's ntdll exports its version; Windows' does not.
inline bool UnderWine() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

#endif
