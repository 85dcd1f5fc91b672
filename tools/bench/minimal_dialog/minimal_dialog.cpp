// The smallest modeless-dialog program of the same build, as the yardstick
// for ravlo's start-up time. Built twice: with a one-button dialog, and with
// ravlo's own dialog template but none of its code (DIALOG_ID 200).
#include <windows.h>

#ifndef DIALOG_ID
#define DIALOG_ID 100
#endif

namespace {

INT_PTR CALLBACK Proc(HWND dialog, UINT message, WPARAM, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: return TRUE;
    case WM_CLOSE: DestroyWindow(dialog); return TRUE;
    case WM_DESTROY: PostQuitMessage(0); return TRUE;
    default: return FALSE;
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // A Unicode dialog and loop, as ravlo's.
    HWND dialog = CreateDialogParamW(instance, MAKEINTRESOURCEW(DIALOG_ID), nullptr, Proc, 0);
    if (!dialog) return 1;
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0)
        if (!IsDialogMessageW(dialog, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    return 0;
}
