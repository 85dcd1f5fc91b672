#ifndef RAVLO_MESSAGE_LOOP_H
#define RAVLO_MESSAGE_LOOP_H

#include <windows.h>

// The program's message loop, with keyboard navigation in `dialog` (Tab,
// arrows, Enter); Esc never reaches the rows field. Returns the exit code
// WM_QUIT carries, or -1 when GetMessageW fails.
int RunMessageLoop(HWND dialog);

#endif
