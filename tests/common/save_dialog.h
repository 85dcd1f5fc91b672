// Drives the standard save dialog (and the boxes it may raise) from another
// thread or another process, the way a user would answer them.
#ifndef RAVLO_TESTS_SAVE_DIALOG_H
#define RAVLO_TESTS_SAVE_DIALOG_H

#include <windows.h>
#include <commdlg.h>

#include <cstring>
#include <cwchar>
#include <ostream>
#include <string>

namespace save_dialog {

// Control identifiers of the system's file dialog and of message boxes. The
// classic dialog, which Wine shows, has its fields as its own children; the
// Common Item Dialog of Vista and later has the name field deeper in its
// window tree, and asks whether to replace a file with a task dialog.
constexpr int kFileNameCombo = 0x47C;  // newer templates: a combo box holds the name
constexpr int kFileNameEdit = 0x480;   // older templates: a plain edit
constexpr int kItemDialogFileName = 0x3E9;  // the Common Item Dialog's name field
constexpr int kFileTypeCombo = 0x470;
constexpr UINT kTaskDialogClickButton = WM_USER + 102;  // TDM_CLICK_BUTTON

inline bool HasClass(HWND window, const char* name) {
    char className[32] = {};
    GetClassNameA(window, className, sizeof className);
    return std::strcmp(className, name) == 0;
}

struct ChildSearch {
    int id;
    HWND found;
};

inline BOOL CALLBACK VisitChild(HWND child, LPARAM param) {
    ChildSearch& s = *reinterpret_cast<ChildSearch*>(param);
    if (GetDlgCtrlID(child) != s.id ||
        !(HasClass(child, "Edit") || HasClass(child, "ComboBox") || HasClass(child, "ComboBoxEx32")))
        return TRUE;
    s.found = child;
    return FALSE;
}

// The dialog's edit or combo box with `id`, its own child or anywhere below.
inline HWND Field(HWND dialog, int id) {
    if (HWND child = GetDlgItem(dialog, id)) return child;
    ChildSearch s{id, nullptr};
    EnumChildWindows(dialog, VisitChild, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

// Where the file name is typed. Deep in the tree it is the edit inside the
// combo box (ComboBoxEx32, then ComboBox, then Edit).
inline HWND FileNameField(HWND dialog) {
    for (int id : {kFileNameCombo, kFileNameEdit})
        if (HWND field = GetDlgItem(dialog, id)) return field;
    for (int id : {kItemDialogFileName, kFileNameCombo}) {
        HWND field = Field(dialog, id);
        while (field && !HasClass(field, "Edit")) {
            HWND inner = FindWindowExA(field, nullptr, "ComboBox", nullptr);
            if (!inner) inner = FindWindowExA(field, nullptr, "Edit", nullptr);
            if (!inner) break;
            field = inner;
        }
        if (field) return field;
    }
    return nullptr;
}

inline HWND FileTypeField(HWND dialog) { return Field(dialog, kFileTypeCombo); }

// What a dialog of the process must be to be the one looked for.
struct Search {
    DWORD processId;
    bool (*matches)(HWND window, const Search& search);
    int childId;
    const char* caption;  // nullptr: any
    HWND owner;
    HWND found;
};

inline BOOL CALLBACK Visit(HWND window, LPARAM param) {
    Search& s = *reinterpret_cast<Search*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != s.processId || !IsWindowVisible(window) || !HasClass(window, "#32770") || !s.matches(window, s))
        return TRUE;
    if (s.caption) {
        char caption[64] = {};
        GetWindowTextA(window, caption, sizeof caption);
        if (std::strcmp(caption, s.caption) != 0) return TRUE;
    }
    s.found = window;
    return FALSE;
}

inline HWND FindDialog(Search s) {
    EnumWindows(Visit, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

// A visible dialog of the process that has a child with `childId`: a message box's button.
inline HWND Find(DWORD processId, int childId, const char* caption = nullptr) {
    return FindDialog({processId, [](HWND w, const Search& s) { return GetDlgItem(w, s.childId) != nullptr; },
                       childId, caption, nullptr, nullptr});
}

inline HWND WaitForSaveDialog(DWORD processId, DWORD timeoutMs) {
    for (DWORD start = GetTickCount(); GetTickCount() - start < timeoutMs; Sleep(20)) {
        HWND dialog = FindDialog({processId, [](HWND w, const Search&) { return FileNameField(w) != nullptr; }, 0,
                                  nullptr, nullptr, nullptr});
        if (dialog) return dialog;
    }
    return nullptr;
}

// The box that asks whether to replace a file: a message box with a Yes
// button, or a task dialog, whose buttons are no windows, owned by the save dialog.
inline HWND ReplacePrompt(DWORD processId, HWND saveDialog) {
    if (HWND box = Find(processId, IDYES)) return box;
    return FindDialog({processId, [](HWND w, const Search& s) { return GetWindow(w, GW_OWNER) == s.owner; }, 0,
                       nullptr, saveDialog, nullptr});
}

inline void Press(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// Waits until the dialog shows `folder`. It is asked with a buffer of this
// process, so only a dialog of this process is asked; a dialog that cannot
// tell goes on.
inline bool WaitForFolder(HWND dialog, const wchar_t* folder, DWORD timeoutMs) {
    DWORD owner = 0;
    GetWindowThreadProcessId(dialog, &owner);
    if (owner != GetCurrentProcessId()) return true;
    for (DWORD start = GetTickCount(); GetTickCount() - start < timeoutMs; Sleep(20)) {
        wchar_t shown[MAX_PATH] = L"";
        if (SendMessageW(dialog, CDM_GETFOLDERPATH, MAX_PATH, reinterpret_cast<LPARAM>(shown)) <= 0) return true;
        if (_wcsicmp(shown, folder) == 0) return true;
        if (!IsWindow(dialog)) return false;
    }
    return false;
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
        // Sent, not posted: the classic dialog has opened the folder when it
        // returns. The Common Item Dialog may open it a moment later.
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
        if (!IsWindow(dialog)) return Closed::kNot;
        if (!WaitForFolder(dialog, folder, timeoutMs)) return Closed::kNot;
    }
    SendMessageW(FileNameField(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(fileName));
    Press(dialog, IDOK);
    bool prompted = false;
    for (DWORD start = GetTickCount(); GetTickCount() - start < timeoutMs; Sleep(20)) {
        if (!IsWindow(dialog)) return prompted ? Closed::kAfterReplacePrompt : Closed::kWithoutPrompt;
        if (HWND prompt = ReplacePrompt(processId, dialog)) {
            if (GetDlgItem(prompt, IDYES))
                Press(prompt, IDYES);
            else
                PostMessageA(prompt, kTaskDialogClickButton, IDYES, 0);
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
