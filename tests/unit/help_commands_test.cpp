// "Instruktioner" and "Slump info" in the rows field.
#include <cstring>
#include <string>

#include "dialog_fixture.h"
#include "texts/portable/help_texts.h"

namespace {

using HelpTest = DialogTest;

const std::string kDrawInfo = std::string(kDrawInfoHeading) + kDrawInfoBody;

TEST_F(HelpTest, InstructionsReplaceTheFieldButKeepTheRows) {
    for (int code : {0, 1}) {
        Close();
        Open(1);
        Click(IDC_GENERATE);
        const std::string rows = test;
        SetStatus("before");
        Notify(IDC_INSTRUCTIONS, code);
        EXPECT_EQ(Rows(), kInstructionText);
        EXPECT_EQ(Status(), code == 0 ? "Instruktioner visas i f\xF6nstret." : "before");
        EXPECT_EQ(test, rows);
        Click(IDC_APPEND);
        Click(IDC_GENERATE);  // continues the rows, which appear again
        EXPECT_EQ(Rows().substr(0, rows.size()), rows);
        EXPECT_EQ(Rows().size(), rows.size() + 29);
    }
}

TEST_F(HelpTest, DrawInfoReplacesTheRowsTextEveryClick) {
    Click(IDC_GENERATE);
    SetStatus("before");
    for (int press = 0; press < 2; ++press) {
        Click(IDC_DRAW_INFO);
        EXPECT_EQ(Rows(), kDrawInfo);
        EXPECT_EQ(test, kDrawInfo);
    }
    EXPECT_EQ(Rows().size(), 575u);
    EXPECT_EQ(Status(), "before");
    EXPECT_EQ(Rader, 1);
}

TEST_F(HelpTest, DrawInfoWithOtherNotificationAppendsTheBody) {
    std::strcpy(test, "rows");
    Notify(IDC_DRAW_INFO, 1);
    EXPECT_EQ(Rows(), std::string("rows") + kDrawInfoBody);
}

TEST_F(HelpTest, DrawInfoWithOtherNotificationNeverOverrunsTheBuffer) {
    struct Case {
        std::size_t filled;
        bool appended;
    };
    const Case cases[] = {{254559 - 557, true}, {254559 - 556, false}, {254559, false}};
    for (const Case& c : cases) {
        std::memset(test, 'r', c.filled);
        test[c.filled] = '\0';
        Notify(IDC_DRAW_INFO, 1);
        EXPECT_EQ(std::strlen(test), c.appended ? c.filled + 557 : c.filled) << c.filled;
        EXPECT_EQ(Rows().size(), std::strlen(test)) << c.filled;
    }
}

}  // namespace
