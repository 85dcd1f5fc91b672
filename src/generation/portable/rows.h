// Single rows for the pools coupon, as text: each row is CR LF, "E" and, for
// each of the 13 matches, a comma and its sign ("1", "X" or "2").
#ifndef RAVLO_ROWS_H
#define RAVLO_ROWS_H

#include <cstddef>

#include "generation/portable/random_mersenne.h"

namespace rows {

constexpr int kMatches = 13;
constexpr std::size_t kRowLength = 29;  // "\r\nE" + 13 x ",s"
constexpr int kNoSign = -1;             // signs are 0 for "1", 1 for "X", 2 for "2"

inline char SignChar(int sign) { return "1X2"[sign]; }

// A statistics draw in 1..total: "1" up to `ones`, "X" up to `onesAndDraws`, else "2".
int StatisticsSign(int draw, int ones, int onesAndDraws);

// A draw in 1..100 around a reference sign: up to 50 the reference itself,
// then the two other signs in the order 1, X, 2 (51..75 and 76..100).
int AroundReference(int reference, int draw);

// A draw in 1..6 for a reference match: 1-3 give "1", 4 gives "X", 5-6 give "2".
int SixSided(int draw);

struct Statistics {
    int total, ones, onesAndDraws;
};

// One draw in 1..total from `generator`, left in `lastDraw`, and the sign it gives.
int DrawStatisticsSign(TRandomMersenne& generator, const Statistics& statistics, int& lastDraw);

// Everything one press needs, read from the dialog once.
struct Press {
    bool referenceRow;         // else statistics
    Statistics statistics;     // England or Sweden bounds
    bool startsAnew;           // the first row is the reference row itself
    int rowCount;
    int sign[kMatches];        // fixed or reference sign, kNoSign when none
    bool sure[kMatches];       // keep the reference sign (reference row only)
};

// Writes press.rowCount rows at `out` (no terminator) and returns the end.
// Draws one word from `generator` for each sign that is not fixed, match by
// match and row by row, leaving the last draw in `lastDraw`.
char* WriteRows(const Press& press, TRandomMersenne& generator, int& lastDraw, char* out);

}  // namespace rows

#endif
