// Drives the standard save dialog (and the boxes it may raise) from another
// thread or another process, the way a user would answer them.
#ifndef RAVLO_TESTS_SAVE_DIALOG_H
#define RAVLO_TESTS_SAVE_DIALOG_H

#include <windows.h>

#include <cstring>
#include <ostream>
#include <string>

namespace save_dialog {

// Control identifiers of the system's file dialog and of message boxes.
constexpr int kFileNameCombo = 0x47C;  // newer templates: a combo box holds the name
constexpr int kFileNameEdit = 0x480;   // older templates: a plain edit
constexpr int kFileTypeCombo = 0x470;

struct Search {
    DWORD processId;
    int childId;
    const char* caption;  // nullptr: any
    HWND found;
};

inline BOOL CALLBACK Visit(HWND window, LPARAM param) {
    Search& s = *reinterpret_cast<Search*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != s.processId || !IsWindowVisible(window)) return TRUE;
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    if (std::strcmp(className, "#32770") != 0 || !GetDlgItem(window, s.childId)) return TRUE;
    if (s.caption) {
        char caption[64] = {};
        GetWindowTextA(window, caption, sizeof caption);
        if (std::strcmp(caption, s.caption) != 0) return TRUE;
    }
    s.found = window;
    return FALSE;
}

// A visible dialog of the process that has a child with `childId`.
inline HWND Find(DWORD processId, int childId, const char* caption = nullptr) {
    Search s{processId, childId, caption, nullptr};
    EnumWindows(Visit, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

inline HWND FileNameField(HWND dialog) {
    HWND field = GetDlgItem(dialog, kFileNameCombo);
    return field ? field : GetDlgItem(dialog, kFileNameEdit);
}

inline HWND WaitForSaveDialog(DWORD processId, DWORD timeoutMs) {
    for (DWORD start = GetTickCount(); GetTickCount() - start < timeoutMs; Sleep(20)) {
        HWND dialog = Find(processId, kFileNameCombo);
        if (!dialog) dialog = Find(processId, kFileNameEdit);
        if (dialog) return dialog;
    }
    return nullptr;
}

inline void Press(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// How a filled-in save dialog ended. Replacing an existing file must be
// asked first; saving under a new name must not ask.
enum class Closed {
    kNot,                 // never shown, or still open when the time was up
    kWithoutPrompt,
    kAfterReplacePrompt,  // asked whether to replace the file, and answered Yes
};

inline std::ostream& operator<<(std::ostream& out, Closed closed) {
    switch (closed) {
    case Closed::kNot: return out << "not closed";
    case Closed::kWithoutPrompt: return out << "closed without a prompt";
    case Closed::kAfterReplacePrompt: return out << "closed after a replace prompt";
    }
    return out << "?";
}

// Types `fileName`, presses Save and says Yes if asked to replace a file.
// With `folder`, browses into it first: its path typed and Save pressed,
// which opens it in the dialog.
inline Closed FillSaveDialog(DWORD processId, const wchar_t* fileName, DWORD timeoutMs,
                             const wchar_t* folder = nullptr) {
    HWND dialog = WaitForSaveDialog(processId, timeoutMs);
    if (!dialog) return Closed::kNot;
    if (folder) {
        SendMessageW(FileNameField(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(folder));
        // Sent, not posted: it returns once the dialog has opened the folder.
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
        if (!IsWindow(dialog)) return Closed::kNot;
    }
    SendMessageW(FileNameField(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(fileName));
    Press(dialog, IDOK);
    bool prompted = false;
    for (DWORD start = GetTickCount(); GetTickCount() - start < timeoutMs; Sleep(20)) {
        if (!IsWindow(dialog)) return prompted ? Closed::kAfterReplacePrompt : Closed::kWithoutPrompt;
        if (HWND prompt = Find(processId, IDYES)) {
            Press(prompt, IDYES);
            prompted = true;
        }
    }
    return Closed::kNot;
}

// The same for a name in the ANSI code page.
inline Closed FillSaveDialog(DWORD processId, const char* fileName, DWORD timeoutMs) {
    wchar_t wide[2 * MAX_PATH] = L"";
    MultiByteToWideChar(CP_ACP, 0, fileName, -1, wide, 2 * MAX_PATH);
    return FillSaveDialog(processId, wide, timeoutMs);
}

inline bool CancelSaveDialog(DWORD processId, DWORD timeoutMs) {
    HWND dialog = WaitForSaveDialog(processId, timeoutMs);
    if (!dialog) return false;
    Press(dialog, IDCANCEL);
    for (DWORD start = GetTickCount(); GetTickCount() - start < timeoutMs; Sleep(20))
        if (!IsWindow(dialog)) return true;
    return false;
}

// Waits for a message box with `caption`, returns the text it shows and closes it with OK.
inline std::string DismissMessageBox(DWORD processId, const char* caption, DWORD timeoutMs) {
    for (DWORD start = GetTickCount(); GetTickCount() - start < timeoutMs; Sleep(20)) {
        HWND box = Find(processId, IDOK, caption);
        if (!box) box = Find(processId, IDCANCEL, caption);
        if (!box) continue;
        std::string text;
        for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            char className[16] = {}, buffer[256] = {};
            GetClassNameA(child, className, sizeof className);
            if (_stricmp(className, "Static") != 0) continue;
            GetWindowTextA(child, buffer, sizeof buffer);
            if (buffer[0]) text = buffer;
        }
        Press(box, IDOK);
        return text;
    }
    return std::string();
}

}  // namespace save_dialog

#endif
