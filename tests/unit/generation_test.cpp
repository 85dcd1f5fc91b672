// "GENERERA rader" through the real dialog, with the generator seeded with 1.
#include <cstring>
#include <string>

#include "../common/text_1252.h"
#include "dialog_fixture.h"

namespace {

const char kHeader[] = "Stryktipset";
const char kRow1[] = "\r\nE,X,2,1,2,1,X,2,2,1,X,1,X,1";  // England, seed 1, first row
const char kRow2[] = "\r\nE,2,1,1,2,1,X,2,X,2,2,2,1,1";  // and the second

class GenerateTest : public DialogTest {
public:
    void Generate() const { Click(IDC_GENERATE); }
    // Ticks one sign per match from a text such as "1X21X21X21X21"; '-' leaves a match free.
    void SetSigns(const char* signs) const {
        for (int m = 1; m <= 13; ++m)
            for (int k = 0; k < 3; ++k) SetChecked(SignId(m, k), signs[m - 1] == "1X2"[k]);
    }
    void ChooseRefRow() const { Click(IDC_REF_ROW); }
    bool FieldShowsTest() const {
        std::wstring shown(GetWindowTextLengthW(Item(IDC_ROWS)) + 1, L'\0');
        shown.resize(GetWindowTextW(Item(IDC_ROWS), &shown[0], static_cast<int>(shown.size())));
        return shown == From1252(test);
    }
    // Words drawn since seeding with 1 (the first draw regenerates the state).
    static int DrawsSinceSeeding() {
        TRandomMersenne fresh(1);
        for (int n = 0; n < 20000; ++n) {
            if (SameGenerator(fresh, rg)) return n;
            fresh.BRandom();
        }
        return -1;
    }
};

TEST_F(GenerateTest, StartUpSelectionGivesTheKnownFirstRow) {
    Generate();
    EXPECT_STREQ(test, (std::string(kHeader) + kRow1).c_str());
    EXPECT_EQ(Rows(), test);
    EXPECT_EQ(Rader, 1);
    EXPECT_EQ(ir, 36);
    EXPECT_TRUE(Shown(IDC_SAVE));
    EXPECT_EQ(Status(), "H\xE4r visas status och varningar!");  // success writes no status
}

TEST_F(GenerateTest, TwoRowsInOnePress) {
    Click(IDC_COUNT_2);
    Generate();
    EXPECT_EQ(Rows(), std::string(kHeader) + kRow1 + kRow2);
    EXPECT_EQ(std::strlen(test), 69u);
    EXPECT_EQ(ir, 184);
    EXPECT_EQ(Rader, 2);
}

TEST_F(GenerateTest, AppendContinuesAndWithoutItEachPressStartsAnew) {
    struct Case {
        bool appendBeforeSecond;
        std::string expected;
    };
    const Case cases[] = {{true, std::string(kHeader) + kRow1 + kRow2}, {false, std::string(kHeader) + kRow2}};
    for (const Case& c : cases) {
        Close();
        Open(1);
        Generate();
        if (c.appendBeforeSecond) Click(IDC_APPEND);
        Generate();
        EXPECT_EQ(Rows(), c.expected);
        EXPECT_EQ(Rader, 2);
    }
}

TEST_F(GenerateTest, AppendAfterGameClickStartsAnew) {
    Click(IDC_APPEND);
    Generate();  // Rader 0: a new text even in append mode
    EXPECT_EQ(Rows(), std::string(kHeader) + kRow1);
    Click(IDC_ITALIENSKA);
    Generate();
    EXPECT_EQ(Rows(), std::string("Italienska Stryktipset") + kRow2);
    EXPECT_EQ(Rader, 1);
}

TEST_F(GenerateTest, ItalianGameWithSwedishStatistics) {
    Click(IDC_ITALIENSKA);
    Click(IDC_SWEDEN);
    Generate();
    EXPECT_EQ(Rows(), "Italienska Stryktipset\r\nE,X,2,X,2,1,X,2,2,1,X,X,X,1");
    EXPECT_EQ(ir, 15);
}

TEST_F(GenerateTest, FixedSignsTakeNoDrawAndSureBoxesDoNotMatterUnderStatistics) {
    SetSigns("X-----------2");
    for (int m = 1; m <= 13; ++m) SetChecked(SureId(m), m % 2 == 0);
    Generate();
    EXPECT_EQ(Rows(), "Stryktipset\r\nE,X,X,2,1,2,1,X,2,2,1,X,1,2");
    EXPECT_EQ(DrawsSinceSeeding(), 11);
}

TEST_F(GenerateTest, ReferenceRowFirstThenDrawsAroundItKeepingSureMatches) {
    ChooseRefRow();
    SetSigns("1X21X21X21X21");
    Click(SureId(1));
    Click(IDC_COUNT_3);
    Generate();
    EXPECT_EQ(Rows(),
              "Stryktipset\r\nE,1,X,2,1,X,2,1,X,2,1,X,2,1\r\nE,1,1,X,1,2,2,X,1,X,1,1,2,X"
              "\r\nE,1,X,X,1,X,X,1,1,X,X,2,X,2");
    EXPECT_EQ(DrawsSinceSeeding(), 24);
    EXPECT_EQ(ir, 100);
}

TEST_F(GenerateTest, ReferenceRowContinuingATextDrawsEveryMatch) {
    std::strcpy(test, "Stryktipset\r\nE,1,1,1,1,1,1,1,1,1,1,1,1,1");
    Rader = 1;
    Click(IDC_APPEND);
    ChooseRefRow();
    SetSigns("1X21X21X21X21");
    Generate();
    EXPECT_EQ(Rows(), "Stryktipset\r\nE,1,1,1,1,1,1,1,1,1,1,1,1,1\r\nE,X,2,2,2,X,1,X,2,2,X,X,1,1");
    EXPECT_EQ(DrawsSinceSeeding(), 13);
}

TEST_F(GenerateTest, OneReferenceRowOnANewTextDrawsNothing) {
    ChooseRefRow();
    SetSigns("2X1X2X1X2X1X2");
    ir = 42;
    Generate();
    EXPECT_EQ(Rows(), "Stryktipset\r\nE,2,X,1,X,2,X,1,X,2,X,1,X,2");
    EXPECT_EQ(DrawsSinceSeeding(), 0);
    EXPECT_EQ(ir, 42);
}

// Refused presses change nothing but the status line (and show the save button on a click).
TEST_F(GenerateTest, RefusedPressesLeaveTextCountAndGeneratorAlone) {
    struct Case {
        const char* name;
        void (*prepare)(GenerateTest&);
        const char* status;
    };
    const Case cases[] = {
        {"no method", [](GenerateTest& t) { t.Click(IDC_ENGLAND); }, "V\xC4LJ slumpmetod!!!!!"},
        {"match 1 free", [](GenerateTest& t) { t.ChooseRefRow(); t.SetSigns("-X21X21X21X21"); },
         "Du M\xC5STE kryssa i alla matcher!!!!!"},
        {"match 13 free", [](GenerateTest& t) { t.ChooseRefRow(); t.SetSigns("1X21X21X21X2-"); },
         "Du M\xC5STE kryssa i alla matcher!!!!!"},
        {"no sign at all", [](GenerateTest& t) { t.ChooseRefRow(); }, "Du M\xC5STE kryssa i alla matcher!!!!!"},
    };
    for (const Case& c : cases) {
        for (bool append : {false, true}) {
            Close();
            Open(1);
            Generate();  // some rows to keep
            if (append) Click(IDC_APPEND);
            c.prepare(*this);
            Click(IDC_COUNT_5);
            const std::string before = test;
            const TRandomMersenne generator = rg;
            const int draw = ir;
            Generate();
            EXPECT_EQ(Status(), c.status) << c.name;
            EXPECT_EQ(test, before) << c.name;
            EXPECT_EQ(Rows(), before) << c.name;
            EXPECT_EQ(Rader, 1) << c.name;
            EXPECT_EQ(ir, draw) << c.name;
            EXPECT_TRUE(SameGenerator(rg, generator)) << c.name;
        }
    }
}

TEST_F(GenerateTest, NoMethodStillShowsSaveButtonOnAClick) {
    Click(IDC_ENGLAND);
    Generate();
    EXPECT_TRUE(Shown(IDC_SAVE));
    EXPECT_EQ(Rows(), "H\xE4r kommer dina rader visas!");
}

TEST_F(GenerateTest, OtherNotificationGeneratesButLeavesSaveButtonHidden) {
    Notify(IDC_GENERATE, 1);
    EXPECT_EQ(Rows(), std::string(kHeader) + kRow1);
    EXPECT_FALSE(Shown(IDC_SAVE));
}

TEST_F(GenerateTest, HeaderFollowsTheGameBoxes) {
    struct Case {
        bool stryktipset, italienska;
        const char* before;
        std::string expected;
    };
    const Case cases[] = {
        {true, true, "", std::string("Italienska Stryktipset") + kRow1},  // the dialog never allows both
        {false, false, "earlier text", std::string("earlier text") + kRow1},
        {true, false, "earlier text", std::string(kHeader) + kRow1},
    };
    for (const Case& c : cases) {
        Close();
        Open(1);
        std::strcpy(test, c.before);
        SetChecked(IDC_STRYKTIPSET, c.stryktipset);
        SetChecked(IDC_ITALIENSKA, c.italienska);
        Generate();
        EXPECT_EQ(Rows(), c.expected);
    }
}

TEST_F(GenerateTest, NoGameBoxWithReferenceRowPutsTheReferenceRowAfterTheText) {
    std::strcpy(test, "earlier text");
    Click(IDC_STRYKTIPSET);  // unchecks it: no game
    ChooseRefRow();
    SetSigns("1111111111111");
    Generate();
    EXPECT_EQ(Rows(), "earlier text\r\nE,1,1,1,1,1,1,1,1,1,1,1,1,1");
}

TEST_F(GenerateTest, RowsFollowTheMethodInformationWhenAppending) {
    Generate();
    Click(IDC_APPEND);
    Click(IDC_DRAW_INFO);
    Generate();
    const std::string text = Rows();
    EXPECT_EQ(text.rfind("Slumpmetod info:\r\n", 0), 0u);
    EXPECT_EQ(text.size(), 575u + 29u);
    EXPECT_EQ(text.substr(575), kRow2);
}

// A press that continues the text adds only its rows to the field when the
// field still shows the text; whatever else happened to the field, it ends
// up showing `test`, with the caret at the start and nothing to undo.
TEST_F(GenerateTest, ContinuingPressLeavesTheFieldShowingTheText) {
    struct Case {
        const char* name;
        void (*disturb)(GenerateTest&);
    };
    const Case cases[] = {
        {"nothing", [](GenerateTest&) {}},
        {"typed character", [](GenerateTest& t) { SendMessageA(t.Item(IDC_ROWS), WM_CHAR, 'Q', 0); }},
        {"same length, other bytes",
         [](GenerateTest& t) {
             std::string other = t.Rows();
             other[other.size() - 1] = other[other.size() - 1] == '1' ? '2' : '1';
             SendMessageA(t.Item(IDC_ROWS), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(other.c_str()));
         }},
        {"same length, a letter outside the code page",
         [](GenerateTest& t) {  // read as 8 bits it might look unchanged
             const std::string rows = t.Rows();
             std::wstring other(rows.begin(), rows.end());
             other[1] = L'\x0165';  // t with caron, in place of the header's t
             SetWindowTextW(t.Item(IDC_ROWS), other.c_str());
         }},
        {"instructions", [](GenerateTest& t) { t.Click(IDC_INSTRUCTIONS); }},
        {"method information", [](GenerateTest& t) { t.Click(IDC_DRAW_INFO); }},
    };
    for (const Case& c : cases) {
        Close();
        Open(1);
        Click(IDC_APPEND);
        Click(IDC_COUNT_3);
        Generate();
        c.disturb(*this);
        const std::size_t before = std::strlen(test);
        Generate();
        EXPECT_EQ(Rows(), test) << c.name;
        EXPECT_TRUE(FieldShowsTest()) << c.name;  // as characters: an 8-bit read maps the caron away
        EXPECT_EQ(std::strlen(test), before + 3 * 29) << c.name;  // the press continued the text
        HWND rows = Item(IDC_ROWS);
        DWORD first = 1, last = 1;
        SendMessageA(rows, EM_GETSEL, reinterpret_cast<WPARAM>(&first), reinterpret_cast<LPARAM>(&last));
        EXPECT_EQ(first + last, 0u) << c.name;
        EXPECT_EQ(SendMessageA(rows, EM_GETFIRSTVISIBLELINE, 0, 0), 0) << c.name;
        EXPECT_FALSE(SendMessageA(rows, EM_CANUNDO, 0, 0)) << c.name;
        EXPECT_FALSE(SendMessageA(rows, EM_GETMODIFY, 0, 0)) << c.name;
    }
}

// What reaches the rows field during a press: a full set, or only an addition.
struct FieldMessages {
    static LRESULT CALLBACK Count(HWND field, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_SETTEXT) ++fullSets;
        if (message == EM_REPLACESEL) ++additions;
        return CallWindowProcW(original, field, message, wParam, lParam);
    }
    static inline WNDPROC original = nullptr;
    static inline int fullSets = 0;
    static inline int additions = 0;
};

// The press that continues a text the field still shows adds only its rows,
// whatever letters the kept text holds and whatever the system's code page
// (ctest runs this under 1251 and 65001 as well): the comparison and the
// addition both read the program's text as Windows-1252.
TEST_F(GenerateTest, ContinuingPressAddsOnlyItsRowsOnAnyCodePage) {
    const struct {
        const char* name;
        int between;  // clicked between the presses; 0 for none
    } cases[] = {{"rows", 0}, {"method information, with its Swedish letters", IDC_DRAW_INFO}};
    for (const auto& c : cases) {
        Close();
        Open(1);
        Click(IDC_APPEND);
        Click(IDC_COUNT_3);
        Generate();
        if (c.between) Click(c.between);
        const std::size_t kept = std::strlen(test);
        HWND rows = Item(IDC_ROWS);
        FieldMessages::original = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(rows, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FieldMessages::Count)));
        FieldMessages::fullSets = FieldMessages::additions = 0;
        Generate();
        SetWindowLongPtrW(rows, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FieldMessages::original));
        EXPECT_EQ(FieldMessages::fullSets, 0) << c.name;
        EXPECT_EQ(FieldMessages::additions, 1) << c.name;
        EXPECT_EQ(std::strlen(test), kept + 3 * 29) << c.name;
        EXPECT_TRUE(FieldShowsTest()) << c.name;
    }
}

TEST_F(GenerateTest, LargestPressOnItalianText) {
    Click(IDC_ITALIENSKA);
    Click(IDC_COUNT_256);
    Generate();
    EXPECT_EQ(Rows().size(), 7446u);
    EXPECT_EQ(DrawsSinceSeeding(), 3328);
    EXPECT_EQ(Rader, 256);
}

// The rows text holds at most 254,559 bytes: the press that just fits is
// taken, the one that would not is refused before anything changes.
TEST_F(GenerateTest, CapacityBoundary) {
    struct Case {
        std::size_t filled;
        int rows;
        bool taken;
    };
    const Case cases[] = {
        {254559 - 29, 1, true},       {254559 - 28, 1, false},
        {254559 - 256 * 29, 256, true}, {254559 - 256 * 29 + 1, 256, false},
    };
    for (const Case& c : cases) {
        Close();
        Open(1);
        std::memset(test, 'a', c.filled);
        test[c.filled] = '\0';
        Rader = 1;
        antal_enkelrader = c.rows;
        Click(IDC_APPEND);
        SetWindowTextA(Item(IDC_ROWS), "field");
        Generate();
        if (c.taken) {
            EXPECT_EQ(std::strlen(test), c.filled + 29 * c.rows) << c.filled;
            EXPECT_EQ(Rows().size(), c.filled + 29 * c.rows) << c.filled;
            EXPECT_EQ(Rader, 1 + c.rows);
        } else {
            EXPECT_EQ(Status(), "Texten \xE4r full! Spara raderna och b\xF6rja om.") << c.filled;
            EXPECT_EQ(std::strlen(test), c.filled);
            EXPECT_EQ(Rows(), "field");
            EXPECT_EQ(Rader, 1);
            EXPECT_EQ(DrawsSinceSeeding(), 0);
        }
    }
}

TEST_F(GenerateTest, FullestRealTextStillTakesOneMoreRow) {
    // "Italienska Stryktipset" and 8,776 rows, then the 8,777th: 254,555 bytes.
    Click(IDC_ITALIENSKA);
    Click(IDC_APPEND);
    Click(IDC_COUNT_256);
    for (int press = 0; press < 34; ++press) Generate();  // 8,704 rows
    Click(IDC_COUNT_72);
    Generate();  // 8,776
    Click(IDC_COUNT_1);
    Generate();
    EXPECT_EQ(std::strlen(test), 254555u);
    EXPECT_EQ(Rows().size(), 254555u);
    Generate();
    EXPECT_EQ(Status(), "Texten \xE4r full! Spara raderna och b\xF6rja om.");
    EXPECT_EQ(std::strlen(test), 254555u);
    EXPECT_EQ(Rader, 8777);
}

}  // namespace
