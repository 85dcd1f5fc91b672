#include "app/message_loop.h"

int RunMessageLoop(HWND dialog) {
    // Wide throughout: the dialog is a Unicode window, and an 8-bit loop would
    // pass typed letters through the system's code page.
    MSG msg;
    for (;;) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) return static_cast<int>(msg.wParam);
        if (got == -1) return -1;
        if (!IsDialogMessageW(dialog, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}
