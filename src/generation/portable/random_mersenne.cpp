#include "generation/portable/random_mersenne.h"

#include <cstring>

namespace {

inline std::uint32_t Twist(std::uint32_t upperFrom, std::uint32_t lowerFrom,
                           std::uint32_t partner) {
    const std::uint32_t y = (upperFrom & TRandomMersenne::kUpperMask) |
                            (lowerFrom & TRandomMersenne::kLowerMask);
    return partner ^ (y >> 1) ^ ((y & 1u) ? TRandomMersenne::kTwist : 0u);
}

// The double 1 + r/2^32 built from its bits (exponent of 1.0, r in the top
// 32 bits of the fraction); subtracting 1.0 leaves exactly r * 2^-32.
inline double FractionOf(std::uint32_t r) {
    const std::uint64_t bits = (std::uint64_t{0x3FF00000u | (r >> 12)} << 32) |
                               static_cast<std::uint32_t>(r << 20);
    double onePlus;
    std::memcpy(&onePlus, &bits, sizeof onePlus);
    return onePlus - 1.0;
}

}  // namespace

void TRandomMersenne::RandomInit(std::int32_t seed) {
    std::uint32_t s = static_cast<std::uint32_t>(seed);
    for (std::uint32_t i = 0; i < kWords; ++i) {
        s = s * kSeedFactor - 1u;
        state[i] = s;
    }
    stateIndex = kWords;
}

void TRandomMersenne::Regenerate() {
    constexpr std::uint32_t kNoWrap = kWords - kPartner;  // 176: partner k + 175
    std::uint32_t* const mt = state;
    std::uint32_t k = 0;
    // Unrolled: the loop bookkeeping is a good part of the cost of a word.
#pragma GCC unroll 4
    for (; k < kNoWrap; ++k)
        mt[k] = Twist(mt[k], mt[k + 1], mt[k + kPartner]);
    // From here the partner has wrapped round to the words already renewed.
#pragma GCC unroll 4
    for (; k < kWords - 1; ++k)
        mt[k] = Twist(mt[k], mt[k + 1], mt[k - kNoWrap]);
    mt[kWords - 1] = Twist(mt[kWords - 1], mt[0], mt[kPartner - 1]);
    stateIndex = 0;
}

double TRandomMersenne::Random() { return FractionOf(BRandom()); }

std::int32_t TRandomMersenne::IRandom(std::int32_t min, std::int32_t max) {
    const std::uint32_t r = BRandom();  // one word, whatever the interval
    if (max < min) return INT32_MIN;
    const std::int64_t width = std::int64_t{max} - min + 1;
    if (width <= (std::int64_t{1} << 21)) {
        // width * r / 2^32 is exact in a double for these widths, so the
        // integer form gives the same value with no rounding question.
        const std::uint32_t n = static_cast<std::uint32_t>(width);  // 32 x 32 -> 64 bits
        const std::uint32_t v = static_cast<std::uint32_t>((std::uint64_t{r} * n) >> 32);
        return static_cast<std::int32_t>(min + static_cast<std::int64_t>(v));
    }
    // Wide intervals: the width as a signed 32-bit number times the fraction,
    // truncated toward zero, then clamped to max.
    const std::int32_t n = static_cast<std::int32_t>(static_cast<std::uint32_t>(width));
    const std::int64_t v = static_cast<std::int64_t>(n * FractionOf(r));
    const std::int64_t result = std::int64_t{min} + v;
    if (result > max) return max;
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(result));
}
