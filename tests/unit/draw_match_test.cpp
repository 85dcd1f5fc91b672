// "SLUMPA säker/REF match": one more free match gets a drawn sign.
#include <string>

#include "dialog_fixture.h"

namespace {

class DrawMatchTest : public DialogTest {
public:
    void Draw() const { Click(IDC_DRAW); }
    // The signs of the 13 matches as text, '-' for a free match, '*' for more than one box.
    std::string Signs() const {
        std::string signs;
        for (int m = 1; m <= 13; ++m) {
            char c = '-';
            for (int k = 0; k < 3; ++k)
                if (Checked(SignId(m, k))) c = c == '-' ? "1X2"[k] : '*';
            signs += c;
        }
        return signs;
    }
};

struct Step {
    const char* signs;  // after the press
    int lastDraw;
};

TEST_F(DrawMatchTest, EnglandDrawOrderFromSeedOne) {
    const Step steps[] = {
        {"------2------", 782}, {"-----22------", 772}, {"-X---22------", 426},
        {"-X---22--2---", 723}, {"XX---22--2---", 466}, {"XX---221-2---", 36},
    };
    for (const Step& s : steps) {
        Draw();
        EXPECT_EQ(Signs(), s.signs);
        EXPECT_EQ(ir, s.lastDraw);
        EXPECT_EQ(Status(), "S\xE4ker/REF match slumpad.");
    }
    for (int press = 7; press <= 13; ++press) Draw();
    EXPECT_EQ(Signs(), "XXX21221221X2");
    EXPECT_EQ(antalsakra, 12);

    const TRandomMersenne generator = rg;
    const int draw = ir;
    Draw();
    EXPECT_EQ(Status(), "13 matcher redan s\xE4kra.");
    EXPECT_EQ(Signs(), "XXX21221221X2");
    EXPECT_EQ(antalsakra, 13);
    EXPECT_EQ(ir, draw);
    EXPECT_TRUE(SameGenerator(rg, generator));
}

TEST_F(DrawMatchTest, ReferenceRowDrawsOneToSix) {
    Click(IDC_REF_ROW);
    for (int m = 1; m <= 13; ++m) SetChecked(SureId(m), m == 3);
    const Step steps[] = {
        {"------2------", 6}, {"-----22------", 6}, {"-X---22------", 4},
        {"-X---22--2---", 6}, {"XX---22--2---", 4}, {"XX---221-2---", 1},
    };
    for (const Step& s : steps) {
        Draw();
        EXPECT_EQ(Signs(), s.signs);
        EXPECT_EQ(ir, s.lastDraw);
    }
    for (int m = 1; m <= 13; ++m) EXPECT_EQ(Checked(SureId(m)), m == 3);
}

TEST_F(DrawMatchTest, TheLastFreeMatchIsAlwaysFound) {
    for (int free = 1; free <= 13; ++free) {
        for (int m = 1; m <= 13; ++m)
            for (int k = 0; k < 3; ++k) SetChecked(SignId(m, k), k == 0 && m != free);
        Draw();
        std::string expected(13, '1');
        const std::string signs = Signs();
        EXPECT_NE(signs[free - 1], '-') << free;
        expected[free - 1] = signs[free - 1];
        EXPECT_EQ(signs, expected);
    }
}

TEST_F(DrawMatchTest, OtherNotificationDrawsWithoutStatusButStillWarnsWhenFull) {
    SetStatus("before");
    Notify(IDC_DRAW, 1);
    EXPECT_EQ(Signs(), "------2------");
    EXPECT_EQ(Status(), "before");
    for (int m = 1; m <= 13; ++m) SetChecked(SignId(m, 1), true);
    for (int m = 1; m <= 13; ++m) SetChecked(SignId(m, 2), false);
    Notify(IDC_DRAW, 1);
    EXPECT_EQ(Status(), "13 matcher redan s\xE4kra.");
}

TEST_F(DrawMatchTest, TwoSignsInOneMatchCannotMakeItLoopForever) {
    // Twelve boxes over eleven matches plus one doubled match, so two matches
    // are free but the count reaches 13: the press stops instead of searching.
    for (int m = 1; m <= 11; ++m) SetChecked(SignId(m, 0), true);
    SetChecked(SignId(1, 1), true);
    SetChecked(SignId(2, 2), true);
    Draw();
    EXPECT_EQ(Status(), "13 matcher redan s\xE4kra.");
    EXPECT_EQ(Signs(), "**111111111--");
}

TEST_F(DrawMatchTest, SwedishSignsFollowTheirStatistics) {
    Click(IDC_SWEDEN);
    int counts[3] = {};
    const int presses = 3250;
    for (int i = 0; i < presses; ++i) {
        Notify(IDC_DRAW, 0);
        if ((i + 1) % 13 == 0) {  // a full coupon: count its signs and clear it
            for (int m = 1; m <= 13; ++m)
                for (int k = 0; k < 3; ++k)
                    if (Checked(SignId(m, k))) {
                        ++counts[k];
                        SetChecked(SignId(m, k), false);
                    }
        }
    }
    // 131 : 75 : 119 of 325, within a generous margin for 3,250 signs.
    EXPECT_NEAR(counts[0] / double(presses), 131.0 / 325, 0.04);
    EXPECT_NEAR(counts[1] / double(presses), 75.0 / 325, 0.04);
    EXPECT_NEAR(counts[2] / double(presses), 119.0 / 325, 0.04);
}

}  // namespace
