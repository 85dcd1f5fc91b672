// Sign bands and the row writer, without any window.
#include <gtest/gtest.h>

#include <string>

#include "generation/portable/rows.h"

namespace {

struct BandCase {
    int draw, ones, onesAndDraws;
    char sign;
};

TEST(StatisticsBands, BoundariesOfBothStatistics) {
    const BandCase cases[] = {
        {1, 359, 560, '1'},   {359, 359, 560, '1'}, {360, 359, 560, 'X'}, {560, 359, 560, 'X'},
        {561, 359, 560, '2'}, {793, 359, 560, '2'}, {1, 131, 206, '1'},   {131, 131, 206, '1'},
        {132, 131, 206, 'X'}, {206, 131, 206, 'X'}, {207, 131, 206, '2'}, {325, 131, 206, '2'},
    };
    for (const BandCase& c : cases)
        EXPECT_EQ(rows::SignChar(rows::StatisticsSign(c.draw, c.ones, c.onesAndDraws)), c.sign) << c.draw;
}

TEST(ReferenceBands, HalfKeepsTheReferenceThenTheOthersInOrder) {
    struct Case {
        char reference;
        const char* byDraw;  // signs for the draws 1, 50, 51, 75, 76, 100
    };
    const Case cases[] = {{'1', "11XX22"}, {'X', "XX1122"}, {'2', "2211XX"}};
    const int draws[] = {1, 50, 51, 75, 76, 100};
    for (const Case& c : cases) {
        const int reference = c.reference == '1' ? 0 : c.reference == 'X' ? 1 : 2;
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(rows::SignChar(rows::AroundReference(reference, draws[i])), c.byDraw[i])
                << c.reference << " draw " << draws[i];
    }
}

TEST(SixSidedBands, ThreeOneTwo) {
    const std::string expected = "111X22";
    for (int draw = 1; draw <= 6; ++draw) EXPECT_EQ(rows::SignChar(rows::SixSided(draw)), expected[draw - 1]);
}

rows::Press StatisticsPress(int rowCount) {
    rows::Press press{};
    press.statistics = {793, 359, 560};
    press.startsAnew = true;
    press.rowCount = rowCount;
    for (int& s : press.sign) s = rows::kNoSign;
    return press;
}

TEST(WriteRows, EnglandFromSeedOneGivesTheKnownRowsAndLastDraw) {
    TRandomMersenne generator(1);
    int lastDraw = 0;
    char buffer[128] = {};
    char* end = rows::WriteRows(StatisticsPress(2), generator, lastDraw, buffer);
    EXPECT_EQ(std::string(buffer, end), "\r\nE,X,2,1,2,1,X,2,2,1,X,1,X,1\r\nE,2,1,1,2,1,X,2,X,2,2,2,1,1");
    EXPECT_EQ(lastDraw, 184);
}

TEST(WriteRows, FixedSignsTakeNoDraw) {
    rows::Press press = StatisticsPress(1);
    for (int& s : press.sign) s = 2;
    TRandomMersenne generator(1);
    int lastDraw = 17;
    char buffer[64] = {};
    char* end = rows::WriteRows(press, generator, lastDraw, buffer);
    EXPECT_EQ(std::string(buffer, end), "\r\nE,2,2,2,2,2,2,2,2,2,2,2,2,2");
    EXPECT_EQ(lastDraw, 17);
    EXPECT_EQ(generator.stateIndex, 351u);  // untouched since seeding
}

}  // namespace
