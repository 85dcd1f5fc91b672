// Cost of a "GENERERA rader" press in the real dialog, beside the cost of the
// one WM_SETTEXT of the same text that any press must pay.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
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

// One 256-row press after `rowsBefore` rows, then one WM_SETTEXT of the
// resulting text; best of five of each, so a busy moment does not count.
void Measure(HWND dialog, int rowsBefore) {
    double press = 1e9, setText = 1e9;
    for (int round = 0; round < 5; ++round) {
        rg.RandomInit(1);
        std::size_t length = 11;
        std::memcpy(test, "Stryktipset", length);
        for (int row = 0; row < rowsBefore; ++row, length += 29) std::memcpy(test + length, kRow, 29);
        test[length] = '\0';
        Rader = rowsBefore;
        SetWindowTextA(GetDlgItem(dialog, IDC_ROWS), test);  // the field as the earlier presses left it

        double start = Seconds();
        Click(dialog, IDC_GENERATE);
        press = std::min(press, Seconds() - start);

        SetWindowTextA(GetDlgItem(dialog, IDC_ROWS), "");
        start = Seconds();
        SendMessageA(GetDlgItem(dialog, IDC_ROWS), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(test));
        setText = std::min(setText, Seconds() - start);
    }
    std::printf("256-row press %-22s (%6u bytes): press %7.1f ms, one WM_SETTEXT %7.1f ms, ratio %.3f\n",
                rowsBefore ? ("onto " + std::to_string(rowsBefore) + " rows").c_str() : "starting anew",
                static_cast<unsigned>(std::strlen(test)), press * 1000, setText * 1000, press / setText);
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
    Click(dialog, IDC_APPEND);  // presses onto earlier rows continue them
    Click(dialog, IDC_GENERATE);  // the save button is shown once, outside the timing
    for (int rowsBefore : {0, 4096, 8521}) Measure(dialog, rowsBefore);
    SendMessageA(dialog, WM_CLOSE, 0, 0);
}
