// "Instruktioner" and "Slump info": fixed help texts in the rows field.
#include <cstring>

#include "controller/controller.h"
#include "controller/globals.h"
#include "texts/portable/help_texts.h"

void Controller::ShowInstructions(HWND, const Entry& entry, int, int notifyCode) {
    StatusOnClick(notifyCode, entry.message);
    rowsEdit.SetString(kInstructionText);  // the rows stay in `test`
}

void Controller::ShowDrawInfo(HWND, const Entry&, int, int notifyCode) {
    // A click replaces the rows text; any other code appends the body to it,
    // and only when it fits, so the buffer is never overrun.
    std::size_t length = 0;
    if (notifyCode == 0) {
        std::memcpy(test, kDrawInfoHeading, kDrawInfoHeadingLength + 1);
        length = kDrawInfoHeadingLength;
    } else {
        length = std::strlen(test);
    }
    if (length + kDrawInfoBodyLength <= kTestMaxLength)
        std::memcpy(test + length, kDrawInfoBody, kDrawInfoBodyLength + 1);
    rowsEdit.SetString(test);
}
