#include "generation/portable/rows.h"

namespace rows {

int StatisticsSign(int draw, int ones, int onesAndDraws) {
    if (draw <= ones) return 0;
    if (draw <= onesAndDraws) return 1;
    return 2;
}

int AroundReference(int reference, int draw) {
    static const int kOthers[3][2] = {{1, 2}, {0, 2}, {0, 1}};
    if (draw <= 50) return reference;
    return kOthers[reference][draw <= 75 ? 0 : 1];
}

int SixSided(int draw) {
    if (draw <= 3) return 0;
    if (draw == 4) return 1;
    return 2;
}

int DrawStatisticsSign(TRandomMersenne& generator, const Statistics& statistics, int& lastDraw) {
    lastDraw = generator.IRandom(1, statistics.total);
    return StatisticsSign(lastDraw, statistics.ones, statistics.onesAndDraws);
}

char* WriteRows(const Press& press, TRandomMersenne& generator, int& lastDraw, char* out) {
    for (int row = 0; row < press.rowCount; ++row) {
        *out++ = '\r';
        *out++ = '\n';
        *out++ = 'E';
        const bool referenceItself = press.referenceRow && press.startsAnew && row == 0;
        for (int m = 0; m < kMatches; ++m) {
            int sign;
            if (press.referenceRow) {
                if (referenceItself || press.sure[m]) {
                    sign = press.sign[m];
                } else {
                    lastDraw = generator.IRandom(1, 100);
                    sign = AroundReference(press.sign[m], lastDraw);
                }
            } else if (press.sign[m] != kNoSign) {
                sign = press.sign[m];
            } else {
                sign = DrawStatisticsSign(generator, press.statistics, lastDraw);
            }
            *out++ = ',';
            *out++ = SignChar(sign);
        }
    }
    return out;
}

}  // namespace rows
