// The real dialog from the real template, with its real dialog procedure,
// created in this process. Each test starts from the program's start-up
// state with the generator seeded as the test asks.
#ifndef RAVLO_DIALOG_FIXTURE_H
#define RAVLO_DIALOG_FIXTURE_H

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "../common/dialog_ids.h"
#include "app/dialog_proc.h"
#include "controller/globals.h"
#include "resource.h"

// Program-wide variables as they stand when the program starts.
inline void ResetProgramState(std::int32_t generatorSeed) {
    antal_enkelrader = 1;
    Rader = 0;
    antalsakra = 0;
    ir = 0;
    test[0] = '\0';
    rg.RandomInit(generatorSeed);
}

inline bool SameGenerator(const TRandomMersenne& a, const TRandomMersenne& b) {
    if (a.stateIndex != b.stateIndex) return false;
    for (int i = 0; i < 351; ++i)
        if (a.state[i] != b.state[i]) return false;
    return true;
}

class DialogTest : public ::testing::Test {
public:
    void SetUp() override { Open(1); }
    void TearDown() override { Close(); }

    void Open(std::int32_t generatorSeed) {
        ResetProgramState(generatorSeed);
        TheInstance = GetModuleHandleA(nullptr);
        // A Unicode dialog, as the program creates it.
        dialog = CreateDialogParamW(TheInstance, MAKEINTRESOURCEW(IDD_MAIN), nullptr, DialogProc, 0);
        ASSERT_NE(dialog, nullptr);
    }
    void Close() {
        if (dialog) SendMessageA(dialog, WM_CLOSE, 0, 0);
        dialog = nullptr;
        MSG msg;  // the WM_QUIT that closing posts belongs to the program's loop, not to ours
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {}
    }

    HWND Item(int id) const { return GetDlgItem(dialog, id); }
    // What the user does: the button toggles itself, then notifies the dialog.
    void Click(int id) const { SendMessageA(Item(id), BM_CLICK, 0, 0); }
    // Only the handler, with any notification code.
    void Notify(int id, int code) const {
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(Item(id)));
    }
    void SetChecked(int id, bool checked) const {
        SendMessageA(Item(id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    bool Checked(int id) const { return SendMessageA(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    // Children of a dialog that is not on screen never report IsWindowVisible, so read the style bit.
    bool Shown(int id) const { return (GetWindowLongA(Item(id), GWL_STYLE) & WS_VISIBLE) != 0; }
    std::string Text(int id) const {
        std::string text(GetWindowTextLengthA(Item(id)) + 1, '\0');
        text.resize(GetWindowTextA(Item(id), &text[0], static_cast<int>(text.size())));
        return text;
    }
    std::string Status() const { return Text(IDC_STATUS); }
    std::string Rows() const { return Text(IDC_ROWS); }
    void SetStatus(const char* text) const { SetWindowTextA(Item(IDC_STATUS), text); }

    HWND dialog = nullptr;
};

#endif
