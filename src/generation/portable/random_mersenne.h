// Mersenne Twister with the MT11213A parameter set (351 state words,
// period 2^11213 - 1), its own seeding recurrence, and conversions to a
// fraction in [0, 1) and to an integer in a closed interval.
//
// Plain class: no base, no virtuals, nothing to clean up. The members are
// public so that the state can be inspected and set up directly.
#ifndef RAVLO_GENERATION_PORTABLE_RANDOM_MERSENNE_H
#define RAVLO_GENERATION_PORTABLE_RANDOM_MERSENNE_H

#include <cstdint>

class TRandomMersenne {
public:
    static constexpr std::uint32_t kWords = 351;           // words in state
    static constexpr std::uint32_t kPartner = 175;         // partner offset
    static constexpr std::uint32_t kLowerMask = 0x0007FFFFu;  // low 19 bits
    static constexpr std::uint32_t kUpperMask = 0xFFF80000u;  // high 13 bits
    static constexpr std::uint32_t kTwist = 0xE4BD75F5u;
    static constexpr std::uint32_t kTemperB = 0x655E5280u;
    static constexpr std::uint32_t kTemperC = 0xFFD58000u;
    static constexpr std::uint32_t kSeedFactor = 29943829u;   // 0x01C8E815

    explicit TRandomMersenne(std::int32_t seed) { RandomInit(seed); }

    // Fills the state from the seed; the next output regenerates it first.
    void RandomInit(std::int32_t seed);

    // Next tempered 32-bit output word.
    std::uint32_t BRandom() {
        if (stateIndex >= kWords) Regenerate();
        std::uint32_t y = state[stateIndex++];
        y ^= y >> 11;
        y ^= (y << 7) & kTemperB;
        y ^= (y << 15) & kTemperC;
        y ^= y >> 17;
        return y;
    }

    // One output word r as the double r * 2^-32, in [0, 1).
    double Random();

    // Integer in [min, max] from one output word; INT32_MIN when max < min
    // (the word is consumed all the same).
    std::int32_t IRandom(std::int32_t min, std::int32_t max);

    std::uint32_t state[kWords];
    std::uint32_t stateIndex;

private:
    // Recomputes all words in place and sets stateIndex to 0.
    void Regenerate();
};

#endif
