#ifndef RAVLO_DIALOG_PROC_H
#define RAVLO_DIALOG_PROC_H

#include <windows.h>

// The main dialog's procedure: owns the Controller from WM_INITDIALOG to WM_CLOSE.
INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

#endif
