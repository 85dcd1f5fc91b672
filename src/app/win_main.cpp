// Entry point: the one modeless dialog and its message loop.
#include <windows.h>

#include "app/dialog_proc.h"
#include "app/message_loop.h"
#include "app/system_library.h"
#include "controller/globals.h"
#include "resource.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // Before anything may load a DLL: none from the exe's folder or the current one.
    RestrictDllSearchToSystemFolder(KernelDllSearchFunctions());
    TheInstance = instance;
    // The template carries WS_VISIBLE, so the dialog shows itself. A Unicode
    // dialog keeps the template's letters and the program's texts clear of the
    // system's code page.
    HWND dialog = CreateDialogParamW(instance, MAKEINTRESOURCEW(IDD_MAIN), nullptr, DialogProc, 0);
    if (!dialog) {
        char text[32];
        wsprintfA(text, "Error x%x", GetLastError());
        MessageBoxA(nullptr, text, "CreateDialog", MB_ICONEXCLAMATION);
        return 1;
    }
    return RunMessageLoop(dialog);
}
