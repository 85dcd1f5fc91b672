// Entry point: the one modeless dialog and its message loop.
#include <windows.h>

#include "app/dialog_proc.h"
#include "controller/globals.h"
#include "resource.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    TheInstance = instance;
    // The template carries WS_VISIBLE, so the dialog shows itself.
    HWND dialog = CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_MAIN), nullptr, DialogProc, 0);
    if (!dialog) {
        char text[32];
        wsprintfA(text, "Error x%x", GetLastError());
        MessageBoxA(nullptr, text, "CreateDialog", MB_ICONEXCLAMATION);
        return 1;
    }
    MSG msg;
    for (;;) {
        BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) return static_cast<int>(msg.wParam);
        if (got == -1) return -1;
        if (!IsDialogMessageA(dialog, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
}
