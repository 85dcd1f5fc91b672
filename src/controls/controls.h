// Typed, non-owning handles on the dialog's controls. Each operation is one
// call into the window system; the dialog owns and destroys the controls.
#ifndef RAVLO_CONTROLS_H
#define RAVLO_CONTROLS_H

#include <windows.h>

#include "controls/windows_1252.h"

class SimpleControl {
public:
    SimpleControl(HWND dialog, int id, int enabled) : handle(GetDlgItem(dialog, id)) {
        if (enabled == 0) Disable();
    }
    void Show() { ShowWindow(handle, SW_SHOW); }
    void Hide() { ShowWindow(handle, SW_HIDE); }
    void Disable() { EnableWindow(handle, FALSE); }

    HWND handle;
};

class Button : public SimpleControl {
public:
    Button(HWND dialog, int id, int enabled) : SimpleControl(dialog, id, enabled) {}
};

class CheckBox : public Button {
public:
    CheckBox(HWND dialog, int id, int enabled) : Button(dialog, id, enabled) {}
    void Check() { SendMessageA(handle, BM_SETCHECK, BST_CHECKED, 0); }
    void UnCheck() { SendMessageA(handle, BM_SETCHECK, BST_UNCHECKED, 0); }
    // The indeterminate state (2) counts as not checked.
    bool IsChecked() const { return SendMessageA(handle, BM_GETCHECK, 0, 0) == BST_CHECKED; }
};

class RadioButton : public Button {
public:
    RadioButton(HWND dialog, int id, int enabled) : Button(dialog, id, enabled) {}
    void Select() { SendMessageA(handle, BM_SETCHECK, BST_CHECKED, 0); }
};

class Edit : public SimpleControl {
public:
    Edit(HWND dialog, int id, int enabled) : SimpleControl(dialog, id, enabled) {}
    // The program's texts are 1252 bytes; the field gets them as characters,
    // never through the system's code page.
    void SetString(const char* text) { SendWide(WM_SETTEXT, 0, Wide1252(text)); }
    void RemoveTypingLimit() { SendMessageA(handle, EM_SETLIMITTEXT, 0, 0); }
    // In characters, as the field itself counts them.
    int Length() const { return GetWindowTextLengthW(handle); }
    void SelectRange(int first, int last) { SendMessageA(handle, EM_SETSEL, first, last); }
    void ReplaceSelection(const char* text) { SendWide(EM_REPLACESEL, FALSE, Wide1252(text)); }
    void ScrollCaret() { SendMessageA(handle, EM_SCROLLCARET, 0, 0); }
    void ClearModified() { SendMessageA(handle, EM_SETMODIFY, FALSE, 0); }
    void EmptyUndo() { SendMessageA(handle, EM_EMPTYUNDOBUFFER, 0, 0); }

private:
    // Without memory for the wide copy the field is left as it is.
    void SendWide(UINT message, WPARAM wParam, const Wide1252& text) {
        if (text.Get()) SendMessageW(handle, message, wParam, reinterpret_cast<LPARAM>(text.Get()));
    }
};

#endif
