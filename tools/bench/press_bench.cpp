// Cost of a "GENERERA rader" press in the real dialog, beside the cost of the
// one WM_SETTEXT of the same text that any press must pay.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
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

struct Figures {
    double press, setText;  // seconds
};

// One 256-row press after `rowsBefore` rows, then one WM_SETTEXT of the
// resulting text; best of five of each, so a busy moment does not count.
Figures Measure(HWND dialog, int rowsBefore) {
    Figures best{1e9, 1e9};
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
        best.press = std::min(best.press, Seconds() - start);

        SetWindowTextA(GetDlgItem(dialog, IDC_ROWS), "");
        start = Seconds();
        SendMessageA(GetDlgItem(dialog, IDC_ROWS), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(test));
        best.setText = std::min(best.setText, Seconds() - start);
    }
    std::printf("256-row press %-22s (%6u bytes): press %7.1f ms, one WM_SETTEXT of the text %7.1f ms, ratio %.3f\n",
                rowsBefore ? ("onto " + std::to_string(rowsBefore) + " rows").c_str() : "starting anew",
                static_cast<unsigned>(std::strlen(test)), best.press * 1000, best.setText * 1000,
                best.press / best.setText);
    return best;
}

}  // namespace

void RunPressBenchmark() {
    TheInstance = GetModuleHandleA(nullptr);
    // A Unicode dialog, as the program creates it, so the figures are the program's.
    HWND dialog = CreateDialogParamW(TheInstance, MAKEINTRESOURCEW(IDD_MAIN), nullptr, DialogProc, 0);
    if (!dialog) {
        std::printf("press benchmark: the dialog could not be created\n");
        return;
    }
    Click(dialog, IDC_COUNT_256);
    Click(dialog, IDC_APPEND);  // presses onto earlier rows continue them
    Click(dialog, IDC_GENERATE);  // the save button is shown once, outside the timing
    const Figures anew = Measure(dialog, 0);
    Measure(dialog, 4096);
    const Figures full = Measure(dialog, 8521);
    std::printf("  growth: press onto 8521 rows / press anew   %6.2f  (goal <= 1.25)\n", full.press / anew.press);
    std::printf("  press onto 8521 rows / one full WM_SETTEXT  %6.2f  (goal <= 0.2)\n", full.press / full.setText);
    SendMessageA(dialog, WM_CLOSE, 0, 0);
}
