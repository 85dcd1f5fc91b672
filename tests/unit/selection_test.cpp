// Start-up state and the selection clicks, driven through the real dialog.
#include <cstring>
#include <vector>

#include "app/message_loop.h"
#include "dialog_fixture.h"

namespace {

const int kOptionBoxes[] = {IDC_APPEND, IDC_STRYKTIPSET, IDC_ITALIENSKA, IDC_REF_ROW, IDC_ENGLAND, IDC_SWEDEN};

struct CountCase {
    int id;
    int rows;
    const char* message;
};
const CountCase kCountCases[] = {
    {1040, 1, "1 enkelrad vald."},      {1041, 2, "2 enkelrader vald."},    {1042, 3, "3 enkelrader vald."},
    {1043, 4, "4 enkelrader vald."},    {1044, 5, "5 enkelrader vald."},    {1045, 6, "6 enkelrader vald."},
    {1046, 7, "7 enkelrader vald."},    {1047, 8, "8 enkelrader vald."},    {1048, 9, "9 enkelrader vald."},
    {1049, 10, "10 enkelrader vald."},  {1050, 11, "11 enkelrader vald."},  {1051, 12, "12 enkelrader vald."},
    {1052, 13, "13 enkelrader vald."},  {1053, 14, "14 enkelrader vald."},  {1054, 72, "72 enkelrader vald."},
    {1055, 15, "15 enkelrad vald."},    {1056, 16, "16 enkelrader vald."},  {1057, 17, "17 enkelrader vald."},
    {1058, 18, "18 enkelrader vald."},  {1059, 19, "19 enkelrader vald."},  {1060, 20, "20 enkelrader vald."},
    {1061, 21, "21 enkelrader vald."},  {1062, 22, "22 enkelrader vald."},  {1063, 23, "23 enkelrader vald."},
    {1064, 24, "24 enkelrader vald."},  {1065, 36, "36 enkelrader vald."},  {1066, 50, "50 enkelrader vald."},
    {1067, 60, "60 enkelrader vald."},  {1071, 144, "144 enkelrader vald."}, {1113, 256, "256 enkelrader vald."},
};

// A key as the keyboard delivers it: to the focused window, through the queue.
void PostKey(HWND focused, UINT key) {
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(key, 0)) << 16;
    const LPARAM extended = key >= VK_LEFT && key <= VK_DOWN ? 1 << 24 : 0;  // the arrow keys of their own block
    PostMessageW(focused, WM_KEYDOWN, key, 1 | scan | extended);
    PostMessageW(focused, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u) | scan | extended);
}

}  // namespace

using StartUpTest = DialogTest;
using SelectionTest = DialogTest;

TEST_F(StartUpTest, ChoosesStryktipsetEnglandAndOneRow) {
    for (int id : kOptionBoxes)
        EXPECT_EQ(Checked(id), id == IDC_STRYKTIPSET || id == IDC_ENGLAND) << id;
    for (int id = IDC_SIGN_FIRST; id <= IDC_SIGN_LAST; ++id) EXPECT_FALSE(Checked(id)) << id;
    for (int id = IDC_SURE_FIRST; id <= IDC_SURE_LAST; ++id) EXPECT_FALSE(Checked(id)) << id;
    for (const CountCase& c : kCountCases) EXPECT_EQ(Checked(c.id), c.id == IDC_COUNT_1) << c.id;
    EXPECT_EQ(antal_enkelrader, 1);
    EXPECT_EQ(Rader, 0);
    EXPECT_EQ(Status(), "H\xE4r visas status och varningar!");
    EXPECT_EQ(Rows(), "H\xE4r kommer dina rader visas!");
}

TEST_F(StartUpTest, HidesSaveButtonAndSureBoxesOnly) {
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const int id = GetDlgCtrlID(child);
        const bool hidden = id == IDC_SAVE || (id >= IDC_SURE_FIRST && id <= IDC_SURE_LAST);
        EXPECT_EQ((GetWindowLongA(child, GWL_STYLE) & WS_VISIBLE) != 0, !hidden) << id;
    }
}

TEST_F(StartUpTest, SetsBothIconsAndLiftsTheRowsTypingLimit) {
    EXPECT_NE(SendMessageA(dialog, WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_NE(SendMessageA(dialog, WM_GETICON, ICON_SMALL, 0), 0);
    // The default limit of 30,000 characters would stop hand edits of a long rows text.
    EXPECT_GT(static_cast<unsigned long>(SendMessageA(Item(IDC_ROWS), EM_GETLIMITTEXT, 0, 0)), 254560ul);
}

TEST_F(StartUpTest, HandEditsWorkBeyondThirtyThousandCharacters) {
    std::string big(40000, 'x');
    SetWindowTextA(Item(IDC_ROWS), big.c_str());
    SendMessageA(Item(IDC_ROWS), EM_SETSEL, 39999, 39999);
    SendMessageA(Item(IDC_ROWS), WM_CHAR, '1', 0);
    EXPECT_EQ(Rows().size(), 40001u);
}

TEST_F(SelectionTest, EveryCountButtonSetsRowsPerPressAndSaysSo) {
    for (const CountCase& c : kCountCases) {
        Click(c.id);
        EXPECT_EQ(antal_enkelrader, c.rows) << c.id;
        EXPECT_EQ(Status(), c.message) << c.id;
        for (const CountCase& other : kCountCases) EXPECT_EQ(Checked(other.id), other.id == c.id) << c.id;
    }
}

TEST_F(SelectionTest, CountButtonWithOtherNotificationChangesCountOnly) {
    for (const CountCase& c : kCountCases) {
        SetStatus("before");
        Notify(c.id, 1);
        EXPECT_EQ(antal_enkelrader, c.rows) << c.id;
        EXPECT_EQ(Status(), "before") << c.id;
    }
}

TEST_F(SelectionTest, GameBoxesExcludeEachOtherAndResetRowCount) {
    struct Case {
        int click;
        bool stryktipset, italienska;
        const char* message;
    };
    const Case cases[] = {
        {IDC_ITALIENSKA, false, true, "Italienska stryktipset."},
        {IDC_STRYKTIPSET, true, false, "Stryktipset."},
        {IDC_STRYKTIPSET, false, false, "Stryktipset."},  // clicking the checked box leaves none
        {IDC_ITALIENSKA, false, true, "Italienska stryktipset."},
        {IDC_ITALIENSKA, false, false, "Italienska stryktipset."},
    };
    for (const Case& c : cases) {
        Rader = 7;
        Click(c.click);
        EXPECT_EQ(Checked(IDC_STRYKTIPSET), c.stryktipset) << c.click;
        EXPECT_EQ(Checked(IDC_ITALIENSKA), c.italienska) << c.click;
        EXPECT_EQ(Status(), c.message);
        EXPECT_EQ(Rader, 0);
    }
}

TEST_F(SelectionTest, MethodBoxesExcludeEachOtherAndRefRowShowsSureBoxes) {
    struct Case {
        int click;
        bool refRow, england, sweden, sureShown;
        const char* message;
    };
    const Case cases[] = {
        {IDC_ENGLAND, false, false, false, false, "Statistiskt England generering vald."},
        {IDC_SWEDEN, false, false, true, false, "Statistiskt Sverige generering vald."},
        {IDC_REF_ROW, true, false, false, true, "Rad referens generering vald."},
        {IDC_ENGLAND, false, true, false, true, "Statistiskt England generering vald."},  // stay visible
        {IDC_REF_ROW, true, false, false, true, "Rad referens generering vald."},
        {IDC_SWEDEN, false, false, true, true, "Statistiskt Sverige generering vald."},
        {IDC_REF_ROW, true, false, false, true, "Rad referens generering vald."},
        {IDC_REF_ROW, false, false, false, false, "Rad referens generering vald."},
    };
    for (const Case& c : cases) {
        Click(c.click);
        EXPECT_EQ(Checked(IDC_REF_ROW), c.refRow) << c.click;
        EXPECT_EQ(Checked(IDC_ENGLAND), c.england) << c.click;
        EXPECT_EQ(Checked(IDC_SWEDEN), c.sweden) << c.click;
        EXPECT_EQ(Status(), c.message);
        for (int m = 1; m <= 13; ++m) EXPECT_EQ(Shown(SureId(m)), c.sureShown) << c.click << " match " << m;
    }
}

TEST_F(SelectionTest, SureMarksSurviveHidingAndSayWhichMatch) {
    Click(IDC_REF_ROW);
    for (int m = 1; m <= 13; ++m) {
        Click(SureId(m));
        EXPECT_EQ(Status(), "Match " + std::to_string(m) + " s\xE4ker.");
    }
    Click(IDC_REF_ROW);  // hides them
    Click(IDC_REF_ROW);  // shows them again
    for (int m = 1; m <= 13; ++m) {
        EXPECT_TRUE(Shown(SureId(m)));
        EXPECT_TRUE(Checked(SureId(m))) << m;
    }
    SetStatus("before");
    Notify(SureId(4), 1);
    EXPECT_EQ(Status(), "before");
}

TEST_F(SelectionTest, EverySignBoxClearsItsSiblingsOnlyAndNamesItself) {
    const char* const kWords[3] = {" s\xE4ker etta vald.", " s\xE4kert kryss vald.", " s\xE4ker tv\xE5" "a vald."};
    for (int m = 1; m <= 13; ++m) {
        for (int k = 0; k < 3; ++k) {
            const int neighbour = SignId(m == 13 ? 1 : m + 1, k);
            for (int s = 0; s < 3; ++s) SetChecked(SignId(m, s), s != k);
            SetChecked(neighbour, true);
            Click(SignId(m, k));
            for (int s = 0; s < 3; ++s) EXPECT_EQ(Checked(SignId(m, s)), s == k) << m << "/" << k;
            EXPECT_TRUE(Checked(neighbour)) << "another match was touched: " << m << "/" << k;
            const std::string message = "Match " + std::to_string(m) + kWords[k];
            EXPECT_EQ(Status(), message);
            Click(SignId(m, k));  // again: the match is left without a sign, same words
            EXPECT_FALSE(Checked(SignId(m, k)));
            EXPECT_EQ(Status(), message);
            SetChecked(neighbour, false);
        }
    }
}

TEST_F(SelectionTest, SignBoxWithOtherNotificationClearsSiblingsSilently) {
    SetChecked(SignId(5, 0), true);
    SetChecked(SignId(5, 1), true);
    SetStatus("before");
    Notify(SignId(5, 1), 3);
    EXPECT_FALSE(Checked(SignId(5, 0)));
    EXPECT_TRUE(Checked(SignId(5, 1)));
    EXPECT_EQ(Status(), "before");
}

TEST_F(SelectionTest, AppendBoxSaysTheSameEitherWay) {
    for (bool expected : {true, false}) {
        SetStatus("before");
        Click(IDC_APPEND);
        EXPECT_EQ(Checked(IDC_APPEND), expected);
        EXPECT_EQ(Status(), "Nu l\xE4ggs det till p\xE5 slutet.");
    }
    SetStatus("before");
    Notify(IDC_APPEND, 1);
    EXPECT_EQ(Status(), "before");
}

TEST_F(SelectionTest, SelectionLeavesRowsTextAndCountsAlone) {
    std::strcpy(test, "Stryktipset\r\nE,1,1,1,1,1,1,1,1,1,1,1,1,1");
    Rader = 3;
    const std::vector<int> clicks = {IDC_COUNT_72, IDC_REF_ROW, SignId(2, 1), SureId(2), IDC_APPEND, IDC_SWEDEN};
    for (int id : clicks) Click(id);
    EXPECT_STREQ(test, "Stryktipset\r\nE,1,1,1,1,1,1,1,1,1,1,1,1,1");
    EXPECT_EQ(Rows(), "H\xE4r kommer dina rader visas!");
    EXPECT_EQ(Rader, 3);
}

TEST_F(SelectionTest, KeysAndIdentifiersWithoutHandlerDoNothing) {
    // Enter and Esc arrive as identifiers 1 and 2; the rest are gaps in the handled range.
    const int ids[] = {1, 2, 1006, 1010, 1038, 1068, 1117, 1213, 1215, 1499, 1513, 40000};
    SetStatus("before");
    for (int id : ids) {
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, 0), 0);
        EXPECT_TRUE(IsWindow(dialog)) << id;
    }
    EXPECT_EQ(Status(), "before");
    EXPECT_EQ(antal_enkelrader, 1);
    EXPECT_EQ(Rader, 0);
    EXPECT_EQ(Rows(), "H\xE4r kommer dina rader visas!");
}

TEST_F(SelectionTest, SaveWithOtherNotificationOpensNothing) {
    Notify(IDC_SAVE, 1);  // would block in the modal save dialog if it ran
    EXPECT_TRUE(IsWindow(dialog));
}

// Tab and the arrows are the dialog's own navigation, which exists only when
// the program's loop offers each key to the dialog before dispatching it.
TEST_F(SelectionTest, KeysThroughTheMessageLoopMoveFocusAndCount) {
    struct Case {
        const char* name;
        int focused;
        UINT key;
        int focusAfter, countChecked;
        const char* message;  // the status, as a click on the count button writes it
        bool rowsFirst = false;  // "GENERERA rader" pressed before the key
    };
    const char* const kStartStatus = "H\xE4r visas status och varningar!";
    const Case cases[] = {
        {"Tab from the rows field", IDC_ROWS, VK_TAB, IDC_GENERATE, IDC_COUNT_1, kStartStatus},
        {"Right arrow from 1", IDC_COUNT_1, VK_RIGHT, IDC_COUNT_2, IDC_COUNT_2, "2 enkelrader vald."},
        {"Left arrow from 144", IDC_COUNT_144, VK_LEFT, IDC_COUNT_72, IDC_COUNT_72, "72 enkelrader vald."},
        // A multi-line edit in a dialog would close it on Esc, and every row with it.
        {"Esc in the rows field holding rows", IDC_ROWS, VK_ESCAPE, IDC_ROWS, IDC_COUNT_1, kStartStatus, true},
    };
    for (const Case& c : cases) {
        Close();
        Open(1);
        if (c.rowsFirst) Click(IDC_GENERATE);
        SetForegroundWindow(dialog);  // no window manager under Xvfb activates it
        SetFocus(Item(c.focused));
        ASSERT_EQ(GetFocus(), Item(c.focused)) << c.name;
        const std::string rowsBefore = Rows();
        const LRESULT selectionBefore = SendMessageW(Item(IDC_ROWS), EM_GETSEL, 0, 0);
        PostKey(Item(c.focused), c.key);
        PostQuitMessage(7);
        EXPECT_EQ(RunMessageLoop(dialog), 7) << c.name;
        ASSERT_TRUE(IsWindow(dialog)) << c.name;
        EXPECT_EQ(GetFocus(), Item(c.focusAfter)) << c.name;
        EXPECT_EQ(Rows(), rowsBefore) << c.name;
        EXPECT_EQ(SendMessageW(Item(IDC_ROWS), EM_GETSEL, 0, 0), selectionBefore) << c.name;
        for (const CountCase& other : kCountCases) EXPECT_EQ(Checked(other.id), other.id == c.countChecked) << c.name;
        EXPECT_EQ(Status(), c.message) << c.name;
    }
}
