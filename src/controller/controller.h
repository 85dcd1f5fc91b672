// The one object behind the main dialog: a wrapper for every control the
// program reads or changes, the start-up state, and the command dispatch.
#ifndef RAVLO_CONTROLLER_H
#define RAVLO_CONTROLLER_H

#include <array>

#include "controls/controls.h"
#include "generation/portable/rows.h"

constexpr int kCountButtons = 30;

class Controller {
public:
    explicit Controller(HWND dialog);
    ~Controller() = default;
    Controller(const Controller&) = delete;
    Controller& operator=(const Controller&) = delete;

    void Command(HWND dialog, int controlId, int notifyCode);

    // One line of the dispatch table: identifiers first..last go to handler.
    struct CommandEntry {
        int first, last;
        void (Controller::*handler)(HWND dialog, const CommandEntry& entry, int controlId, int notifyCode);
        int value;            // rows per press, for the count buttons
        const char* message;  // status text written on a click
    };

private:
    using Entry = CommandEntry;

    // Selection
    void ChooseCount(HWND, const Entry&, int, int);
    void ChooseStryktipset(HWND, const Entry&, int, int);
    void ChooseItalienska(HWND, const Entry&, int, int);
    void ChooseRefRow(HWND, const Entry&, int, int);
    void ChooseEngland(HWND, const Entry&, int, int);
    void ChooseSweden(HWND, const Entry&, int, int);
    void FixSign(HWND, const Entry&, int, int);
    void MarkSure(HWND, const Entry&, int, int);
    void ToggleAppend(HWND, const Entry&, int, int);
    // Generation
    void Generate(HWND, const Entry&, int, int);
    void DrawMatch(HWND, const Entry&, int, int);
    // Texts and files
    void Save(HWND, const Entry&, int, int);
    void ShowInstructions(HWND, const Entry&, int, int);
    void ShowDrawInfo(HWND, const Entry&, int, int);

    // Writes a status message, but only for a click (notification code 0).
    void StatusOnClick(int notifyCode, const char* text);
    CheckBox& SignBox(int match, int sign) { return signBoxes[3 * (match - 1) + sign]; }

    static const CommandEntry kCommands[];

    Edit statusEdit;
    Edit rowsEdit;
    std::array<RadioButton, kCountButtons> countButtons;
    CheckBox appendBox;
    CheckBox stryktipsetBox;
    CheckBox italienskaBox;
    Button generateButton;
    Button saveButton;
    Button instructionsButton;
    Button drawButton;
    Button drawInfoButton;
    CheckBox refRowBox;
    CheckBox englandBox;
    CheckBox swedenBox;
    std::array<CheckBox, 3 * rows::kMatches> signBoxes;
    std::array<CheckBox, rows::kMatches> sureBoxes;
};

#endif
