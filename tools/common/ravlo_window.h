// Finds the dialog of a started ravlo (or yardstick) process: its visible
// top-level window whose title begins with "Ravlo".
#ifndef RAVLO_TOOLS_RAVLO_WINDOW_H
#define RAVLO_TOOLS_RAVLO_WINDOW_H

#include <windows.h>

#include <cstring>

namespace ravlo_window {

struct Search {
    DWORD processId;
    HWND found;
};

inline BOOL CALLBACK Visit(HWND window, LPARAM param) {
    Search& s = *reinterpret_cast<Search*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    char title[8] = {};
    GetWindowTextA(window, title, sizeof title);
    if (pid != s.processId || !IsWindowVisible(window) || std::strncmp(title, "Ravlo", 5) != 0) return TRUE;
    s.found = window;
    return FALSE;
}

// The dialog of the process, or null while it has none.
inline HWND Find(DWORD processId) {
    Search s{processId, nullptr};
    EnumWindows(Visit, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

}  // namespace ravlo_window

#endif
