#include "controller/controller.h"

#include <utility>

#include "controller/globals.h"
#include "resource.h"

namespace {

// Count buttons in member order: "72" (1054) between "14" and "15", then "144" and "256".
constexpr int kCountButtonIds[kCountButtons] = {
    IDC_COUNT_1,  IDC_COUNT_2,  IDC_COUNT_3,  IDC_COUNT_4,  IDC_COUNT_5,  IDC_COUNT_6,
    IDC_COUNT_7,  IDC_COUNT_8,  IDC_COUNT_9,  IDC_COUNT_10, IDC_COUNT_11, IDC_COUNT_12,
    IDC_COUNT_13, IDC_COUNT_14, IDC_COUNT_72, IDC_COUNT_15, IDC_COUNT_16, IDC_COUNT_17,
    IDC_COUNT_18, IDC_COUNT_19, IDC_COUNT_20, IDC_COUNT_21, IDC_COUNT_22, IDC_COUNT_23,
    IDC_COUNT_24, IDC_COUNT_36, IDC_COUNT_50, IDC_COUNT_60, IDC_COUNT_144, IDC_COUNT_256};

// Binds a run of wrappers in order: identifiers taken from a table, or counted up from a first one.
template <class T, std::size_t... I>
std::array<T, sizeof...(I)> BindEach(HWND dialog, const int* ids, std::index_sequence<I...>) {
    return {{T(dialog, ids[I], 1)...}};
}
template <class T, std::size_t... I>
std::array<T, sizeof...(I)> BindFrom(HWND dialog, int first, std::index_sequence<I...>) {
    return {{T(dialog, first + static_cast<int>(I), 1)...}};
}

void SetBigAndSmallIcons(HWND dialog) {
    HICON big = LoadIconA(TheInstance, MAKEINTRESOURCEA(IDI_BIG));
    SendMessageA(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    HICON small = LoadIconA(TheInstance, MAKEINTRESOURCEA(IDI_SMALL));
    SendMessageA(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
}

}  // namespace

Controller::Controller(HWND dialog)
    : statusEdit(dialog, IDC_STATUS, 1),
      rowsEdit(dialog, IDC_ROWS, 1),
      countButtons(BindEach<RadioButton>(dialog, kCountButtonIds, std::make_index_sequence<kCountButtons>())),
      appendBox(dialog, IDC_APPEND, 1),
      stryktipsetBox(dialog, IDC_STRYKTIPSET, 1),
      italienskaBox(dialog, IDC_ITALIENSKA, 1),
      generateButton(dialog, IDC_GENERATE, 1),
      saveButton(dialog, IDC_SAVE, 1),
      instructionsButton(dialog, IDC_INSTRUCTIONS, 1),
      drawButton(dialog, IDC_DRAW, 1),
      drawInfoButton(dialog, IDC_DRAW_INFO, 1),
      refRowBox(dialog, IDC_REF_ROW, 1),
      englandBox(dialog, IDC_ENGLAND, 1),
      swedenBox(dialog, IDC_SWEDEN, 1),
      signBoxes(BindFrom<CheckBox>(dialog, IDC_SIGN_FIRST, std::make_index_sequence<3 * rows::kMatches>())),
      sureBoxes(BindFrom<CheckBox>(dialog, IDC_SURE_FIRST, std::make_index_sequence<rows::kMatches>())) {
    // The field's default typing limit (30,000 characters) would stop hand
    // edits in a long rows text; lift it.
    rowsEdit.RemoveTypingLimit();
    SetBigAndSmallIcons(dialog);
    saveButton.Hide();  // nothing to save until rows exist
    for (CheckBox& box : sureBoxes) box.Hide();
    stryktipsetBox.Check();
    countButtons[0].Select();
    englandBox.Check();
}

// clang-format off
const Controller::CommandEntry Controller::kCommands[] = {
    {IDC_GENERATE,     IDC_GENERATE,     &Controller::Generate,          0,   nullptr},
    {IDC_SAVE,         IDC_SAVE,         &Controller::Save,              0,   nullptr},
    {IDC_INSTRUCTIONS, IDC_INSTRUCTIONS, &Controller::ShowInstructions,  0,   "Instruktioner visas i f\xF6nstret."},
    {IDC_COUNT_1,      IDC_COUNT_1,      &Controller::ChooseCount,       1,   "1 enkelrad vald."},
    {IDC_COUNT_2,      IDC_COUNT_2,      &Controller::ChooseCount,       2,   "2 enkelrader vald."},
    {IDC_COUNT_3,      IDC_COUNT_3,      &Controller::ChooseCount,       3,   "3 enkelrader vald."},
    {IDC_COUNT_4,      IDC_COUNT_4,      &Controller::ChooseCount,       4,   "4 enkelrader vald."},
    {IDC_COUNT_5,      IDC_COUNT_5,      &Controller::ChooseCount,       5,   "5 enkelrader vald."},
    {IDC_COUNT_6,      IDC_COUNT_6,      &Controller::ChooseCount,       6,   "6 enkelrader vald."},
    {IDC_COUNT_7,      IDC_COUNT_7,      &Controller::ChooseCount,       7,   "7 enkelrader vald."},
    {IDC_COUNT_8,      IDC_COUNT_8,      &Controller::ChooseCount,       8,   "8 enkelrader vald."},
    {IDC_COUNT_9,      IDC_COUNT_9,      &Controller::ChooseCount,       9,   "9 enkelrader vald."},
    {IDC_COUNT_10,     IDC_COUNT_10,     &Controller::ChooseCount,       10,  "10 enkelrader vald."},
    {IDC_COUNT_11,     IDC_COUNT_11,     &Controller::ChooseCount,       11,  "11 enkelrader vald."},
    {IDC_COUNT_12,     IDC_COUNT_12,     &Controller::ChooseCount,       12,  "12 enkelrader vald."},
    {IDC_COUNT_13,     IDC_COUNT_13,     &Controller::ChooseCount,       13,  "13 enkelrader vald."},
    {IDC_COUNT_14,     IDC_COUNT_14,     &Controller::ChooseCount,       14,  "14 enkelrader vald."},
    {IDC_COUNT_72,     IDC_COUNT_72,     &Controller::ChooseCount,       72,  "72 enkelrader vald."},
    {IDC_COUNT_15,     IDC_COUNT_15,     &Controller::ChooseCount,       15,  "15 enkelrad vald."},
    {IDC_COUNT_16,     IDC_COUNT_16,     &Controller::ChooseCount,       16,  "16 enkelrader vald."},
    {IDC_COUNT_17,     IDC_COUNT_17,     &Controller::ChooseCount,       17,  "17 enkelrader vald."},
    {IDC_COUNT_18,     IDC_COUNT_18,     &Controller::ChooseCount,       18,  "18 enkelrader vald."},
    {IDC_COUNT_19,     IDC_COUNT_19,     &Controller::ChooseCount,       19,  "19 enkelrader vald."},
    {IDC_COUNT_20,     IDC_COUNT_20,     &Controller::ChooseCount,       20,  "20 enkelrader vald."},
    {IDC_COUNT_21,     IDC_COUNT_21,     &Controller::ChooseCount,       21,  "21 enkelrader vald."},
    {IDC_COUNT_22,     IDC_COUNT_22,     &Controller::ChooseCount,       22,  "22 enkelrader vald."},
    {IDC_COUNT_23,     IDC_COUNT_23,     &Controller::ChooseCount,       23,  "23 enkelrader vald."},
    {IDC_COUNT_24,     IDC_COUNT_24,     &Controller::ChooseCount,       24,  "24 enkelrader vald."},
    {IDC_COUNT_36,     IDC_COUNT_36,     &Controller::ChooseCount,       36,  "36 enkelrader vald."},
    {IDC_COUNT_50,     IDC_COUNT_50,     &Controller::ChooseCount,       50,  "50 enkelrader vald."},
    {IDC_COUNT_60,     IDC_COUNT_60,     &Controller::ChooseCount,       60,  "60 enkelrader vald."},
    {IDC_COUNT_144,    IDC_COUNT_144,    &Controller::ChooseCount,       144, "144 enkelrader vald."},
    {IDC_COUNT_256,    IDC_COUNT_256,    &Controller::ChooseCount,       256, "256 enkelrader vald."},
    {IDC_STRYKTIPSET,  IDC_STRYKTIPSET,  &Controller::ChooseStryktipset, 0,   "Stryktipset."},
    {IDC_ITALIENSKA,   IDC_ITALIENSKA,   &Controller::ChooseItalienska,  0,   "Italienska stryktipset."},
    {IDC_REF_ROW,      IDC_REF_ROW,      &Controller::ChooseRefRow,      0,   "Rad referens generering vald."},
    {IDC_ENGLAND,      IDC_ENGLAND,      &Controller::ChooseEngland,     0,   "Statistiskt England generering vald."},
    {IDC_SWEDEN,       IDC_SWEDEN,       &Controller::ChooseSweden,      0,   "Statistiskt Sverige generering vald."},
    {IDC_SIGN_FIRST,   IDC_SIGN_LAST,    &Controller::FixSign,           0,   nullptr},
    {IDC_DRAW,         IDC_DRAW,         &Controller::DrawMatch,         0,   "S\xE4ker/REF match slumpad."},
    {IDC_APPEND,       IDC_APPEND,       &Controller::ToggleAppend,      0,   "Nu l\xE4ggs det till p\xE5 slutet."},
    {IDC_DRAW_INFO,    IDC_DRAW_INFO,    &Controller::ShowDrawInfo,      0,   nullptr},
    {IDC_SURE_FIRST,   IDC_SURE_LAST,    &Controller::MarkSure,          0,   nullptr},
};
// clang-format on

void Controller::Command(HWND dialog, int controlId, int notifyCode) {
    if (controlId < IDC_GENERATE || controlId > IDC_SURE_LAST) return;
    for (const CommandEntry& entry : kCommands) {
        if (controlId >= entry.first && controlId <= entry.last) {
            (this->*entry.handler)(dialog, entry, controlId, notifyCode);
            return;
        }
    }
}

void Controller::StatusOnClick(int notifyCode, const char* text) {
    if (notifyCode == 0) statusEdit.SetString(text);
}
