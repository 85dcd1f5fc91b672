// Cost of a "GENERERA rader" press in the real dialog, beside the cost of the
// one WM_SETTEXT of the same text that any press must pay.
#include <windows.h>

#include <cstdio>
#include <initializer_list>
#include <cstring>

#include "app/dialog_proc.h"
#include "benchmarks.h"
#include "controller/globals.h"
#include "resource.h"

namespace {

double Seconds() {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

const char kRow[] = "\r\nE,1,X,2,1,X,2,1,X,2,1,X,2,1";

void Click(HWND dialog, int id) { SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

// Times one 256-row press after `rowsBefore` rows, then one WM_SETTEXT of the result.
void Measure(HWND dialog, int rowsBefore) {
    rg.RandomInit(1);
    Rader = 0;
    Click(dialog, IDC_STRYKTIPSET);  // resets Rader; leaves no game checked
    Click(dialog, IDC_STRYKTIPSET);  // checked again
    std::size_t length = 11;
    std::memcpy(test, "Stryktipset", length);
    for (int row = 0; row < rowsBefore; ++row, length += 29) std::memcpy(test + length, kRow, 29);
    test[length] = '\0';
    Rader = rowsBefore;
    const bool append = rowsBefore > 0;
    if ((SendMessageA(GetDlgItem(dialog, IDC_APPEND), BM_GETCHECK, 0, 0) == BST_CHECKED) != append)
        Click(dialog, IDC_APPEND);
    SetWindowTextA(GetDlgItem(dialog, IDC_ROWS), test);  // the field as the earlier presses left it

    const double start = Seconds();
    Click(dialog, IDC_GENERATE);
    const double press = Seconds() - start;

    SetWindowTextA(GetDlgItem(dialog, IDC_ROWS), "");
    const double setStart = Seconds();
    SendMessageA(GetDlgItem(dialog, IDC_ROWS), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(test));
    const double setText = Seconds() - setStart;

    std::printf("256-row press after %5d rows (%6u bytes): press %8.4f s, one WM_SETTEXT %8.4f s, ratio %.3f\n",
                rowsBefore, static_cast<unsigned>(std::strlen(test)), press, setText, press / setText);
}

}  // namespace

void RunPressBenchmark() {
    TheInstance = GetModuleHandleA(nullptr);
    HWND dialog = CreateDialogParamA(TheInstance, MAKEINTRESOURCEA(IDD_MAIN), nullptr, DialogProc, 0);
    if (!dialog) {
        std::printf("press benchmark: the dialog could not be created\n");
        return;
    }
    Click(dialog, IDC_COUNT_256);
    for (int rowsBefore : {0, 4096, 8521}) Measure(dialog, rowsBefore);
    SendMessageA(dialog, WM_CLOSE, 0, 0);
}
