#include "app/dialog_proc.h"

#include "app/win_exception.h"
#include "controller/controller.h"

namespace {

// Exceptions never leave this function: a failed Controller leaves the dialog
// open and inert, and the user can still close it.
INT_PTR CreateController(HWND dialog, Controller*& control) {
    try {
        control = new Controller(dialog);  // stored only once fully built
        return TRUE;
    } catch (const WinException& e) {
        MessageBoxA(nullptr, e.GetMessageA(), "Exception", MB_ICONEXCLAMATION);
        return TRUE;
    } catch (...) {
        MessageBoxA(nullptr, "Unknown", "Exception", MB_ICONEXCLAMATION);
        return -1;
    }
}

}  // namespace

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    static Controller* control = nullptr;
    switch (message) {
    case WM_INITDIALOG:
        return CreateController(dialog, control);
    case WM_COMMAND:
        if (control) {
            try {
                control->Command(dialog, LOWORD(wParam), HIWORD(wParam));
            } catch (...) {
                // Nothing the handlers do is expected to throw; never let it cross into the system.
            }
        }
        return TRUE;
    case WM_CLOSE:
        delete control;
        control = nullptr;
        DestroyWindow(dialog);
        return TRUE;
    case WM_DESTROY:
        PostQuitMessage(0);
        return TRUE;
    default:
        return FALSE;
    }
}
