#include "app/message_loop.h"

#include "resource.h"

namespace {

// A multi-line edit in a dialog closes the dialog on Esc, an old Windows
// habit, and would take every row with it. Esc means nothing in this
// program, so it never reaches the rows field, as key or as character.
bool IsEscForRowsField(const MSG& msg, HWND dialog) {
    return (msg.message == WM_KEYDOWN || msg.message == WM_CHAR) && msg.wParam == VK_ESCAPE &&
           msg.hwnd == GetDlgItem(dialog, IDC_ROWS);
}

}  // namespace

int RunMessageLoop(HWND dialog) {
    // Wide throughout: the dialog is a Unicode window, and an 8-bit loop would
    // pass typed letters through the system's code page.
    MSG msg;
    for (;;) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) return static_cast<int>(msg.wParam);
        if (got == -1) return -1;
        if (IsEscForRowsField(msg, dialog)) continue;
        if (!IsDialogMessageW(dialog, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}
