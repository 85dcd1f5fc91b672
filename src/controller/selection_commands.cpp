// What the user chooses: rows per press, game, method, fixed signs, sure
// matches and append mode. Check boxes are automatic, so each handler sees
// the clicked box already toggled; exclusive choices are kept exclusive by
// unchecking the siblings here.
#include <windows.h>

#include "controller/controller.h"
#include "controller/globals.h"
#include "resource.h"

void Controller::ChooseCount(HWND, const Entry& entry, int, int notifyCode) {
    StatusOnClick(notifyCode, entry.message);
    antal_enkelrader = entry.value;
}

void Controller::ChooseStryktipset(HWND, const Entry& entry, int, int notifyCode) {
    StatusOnClick(notifyCode, entry.message);
    italienskaBox.UnCheck();
    Rader = 0;  // the next press starts a new text, append or not
}

void Controller::ChooseItalienska(HWND, const Entry& entry, int, int notifyCode) {
    StatusOnClick(notifyCode, entry.message);
    stryktipsetBox.UnCheck();
    Rader = 0;
}

void Controller::ChooseRefRow(HWND, const Entry& entry, int, int notifyCode) {
    StatusOnClick(notifyCode, entry.message);
    // The "säker?" boxes only mean something around a reference row.
    const bool show = refRowBox.IsChecked();
    for (CheckBox& box : sureBoxes) {
        if (show) box.Show(); else box.Hide();
    }
    englandBox.UnCheck();
    swedenBox.UnCheck();
}

void Controller::ChooseEngland(HWND, const Entry& entry, int, int notifyCode) {
    StatusOnClick(notifyCode, entry.message);
    refRowBox.UnCheck();
    swedenBox.UnCheck();
}

void Controller::ChooseSweden(HWND, const Entry& entry, int, int notifyCode) {
    StatusOnClick(notifyCode, entry.message);
    refRowBox.UnCheck();
    englandBox.UnCheck();
}

void Controller::FixSign(HWND, const Entry&, int controlId, int notifyCode) {
    static const char* const kSignTexts[3] = {" s\xE4ker etta vald.", " s\xE4kert kryss vald.", " s\xE4ker tv\xE5" "a vald."};
    // The two other boxes of the match, in the order they are unchecked.
    static const int kSiblings[3][2] = {{1, 2}, {0, 2}, {1, 0}};
    const int offset = controlId - IDC_SIGN_FIRST;
    const int match = offset / 3 + 1;
    const int sign = offset % 3;
    if (notifyCode == 0) {
        char text[48];
        wsprintfA(text, "Match %d%s", match, kSignTexts[sign]);
        statusEdit.SetString(text);
    }
    SignBox(match, kSiblings[sign][0]).UnCheck();
    SignBox(match, kSiblings[sign][1]).UnCheck();
}

void Controller::MarkSure(HWND, const Entry&, int controlId, int notifyCode) {
    if (notifyCode != 0) return;
    char text[24];
    wsprintfA(text, "Match %d s\xE4ker.", controlId - IDC_SURE_FIRST + 1);
    statusEdit.SetString(text);
}

void Controller::ToggleAppend(HWND, const Entry& entry, int, int notifyCode) {
    StatusOnClick(notifyCode, entry.message);
}
