// The bounds of the two statistics methods: a draw in 1..total gives "1" up
// to `ones`, "X" up to `onesAndDraws`, else "2".
#ifndef RAVLO_TESTS_STATISTICS_H
#define RAVLO_TESTS_STATISTICS_H

#include "generation/portable/rows.h"

constexpr rows::Statistics kEnglandStatistics{793, 359, 560};
constexpr rows::Statistics kSwedenStatistics{325, 131, 206};

#endif
