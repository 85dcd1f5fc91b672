// Tests of TRandomMersenne: seeding, the output stream across regenerations,
// the fraction and the closed-interval integer, checked against known values
// and against a slow step-by-step model of the generator.
#include "generation/portable/random_mersenne.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <type_traits>
#include <vector>

namespace {

// ---------------------------------------------------------------------------
// Helpers

// Undoes y ^= (y << shift) & mask, or y ^= y >> shift when right is true.
// Repeating the step from the known bits outward fixes all 32 bits.
std::uint32_t UndoStep(std::uint32_t out, int shift, std::uint32_t mask, bool right) {
    std::uint32_t y = out;
    for (int i = 0; i < 32; ++i)
        y = out ^ ((right ? (y >> shift) : (y << shift)) & mask);
    return y;
}

// The state word that the tempering turns into `word`.
std::uint32_t Untemper(std::uint32_t word) {
    std::uint32_t y = word;
    y = UndoStep(y, 17, 0xFFFFFFFFu, true);
    y = UndoStep(y, 15, 0xFFD58000u, false);
    y = UndoStep(y, 7, 0x655E5280u, false);
    y = UndoStep(y, 11, 0xFFFFFFFFu, true);
    return y;
}

// A generator whose next output word is `word`, without a regeneration first.
TRandomMersenne GeneratorAbout(std::uint32_t word, std::uint32_t index = 10) {
    TRandomMersenne g(1);
    g.BRandom();  // the state is now a regenerated one
    g.stateIndex = index;
    g.state[index] = Untemper(word);
    return g;
}

// Slow model: the generator exactly as described, one word per step, with
// the partner index taken modulo the word count.
class ModelGenerator {
public:
    explicit ModelGenerator(std::int32_t seed) {
        std::uint32_t s = static_cast<std::uint32_t>(seed);
        for (std::uint32_t i = 0; i < 351; ++i) {
            s = s * 29943829u - 1u;
            mt_[i] = s;
        }
        index_ = 351;
    }
    std::uint32_t Next() {
        if (index_ >= 351) {
            for (std::uint32_t k = 0; k < 351; ++k) {
                const std::uint32_t next = mt_[(k + 1) % 351];
                const std::uint32_t y = (mt_[k] & 0xFFF80000u) | (next & 0x0007FFFFu);
                std::uint32_t w = mt_[(k + 175) % 351] ^ (y >> 1);
                if (y % 2 == 1) w ^= 0xE4BD75F5u;
                mt_[k] = w;
            }
            index_ = 0;
        }
        std::uint32_t y = mt_[index_++];
        y ^= y >> 11;
        y ^= (y << 7) & 0x655E5280u;
        y ^= (y << 15) & 0xFFD58000u;
        y ^= y >> 17;
        return y;
    }

private:
    std::uint32_t mt_[351];
    std::uint32_t index_;
};

std::uint64_t BitsOf(double d) {
    std::uint64_t bits;
    std::memcpy(&bits, &d, sizeof bits);
    return bits;
}

// ---------------------------------------------------------------------------
// Layout

TEST(TRandomMersenneLayout, StateThenIndexAndNothingElse) {
    static_assert(std::is_same<decltype(TRandomMersenne::state), std::uint32_t[351]>::value,
                  "state is 351 unsigned 32-bit words");
    static_assert(std::is_same<decltype(TRandomMersenne::stateIndex), std::uint32_t>::value,
                  "stateIndex is an unsigned 32-bit word");
    static_assert(!std::is_polymorphic<TRandomMersenne>::value, "no virtual operations");
    static_assert(std::is_trivially_destructible<TRandomMersenne>::value, "no destructor work");
    EXPECT_EQ(offsetof(TRandomMersenne, state), 0u);
    EXPECT_EQ(offsetof(TRandomMersenne, stateIndex), 351u * 4u);
    EXPECT_EQ(sizeof(TRandomMersenne), 352u * 4u);
}

// ---------------------------------------------------------------------------
// Seeding

struct SeedWordCase {
    std::int32_t seed;
    std::uint32_t index;
    std::uint32_t expected;
};

class SeedWords : public ::testing::TestWithParam<SeedWordCase> {};

TEST_P(SeedWords, StateWordAfterSeeding) {
    const SeedWordCase& c = GetParam();
    TRandomMersenne g(c.seed);
    EXPECT_EQ(g.state[c.index], c.expected);
    EXPECT_EQ(g.stateIndex, 351u) << "the first output must regenerate";
}

INSTANTIATE_TEST_SUITE_P(
    Known, SeedWords,
    ::testing::Values(
        SeedWordCase{1, 0, 0x01C8E814u},   // 1 * 29943829 - 1: the seed itself never stands there
        SeedWordCase{1, 1, 0x9B6D29A3u},
        SeedWordCase{0, 0, 0xFFFFFFFFu},   // 0 * 29943829 - 1 wraps
        SeedWordCase{0, 1, 0xFE3717EAu},   // 0xFFFFFFFF * 29943829 - 1 mod 2^32
        SeedWordCase{-1, 0, 0xFE3717EAu},  // negative seed: its bit pattern 0xFFFFFFFF
        SeedWordCase{INT32_MIN, 0, 0x7FFFFFFFu}));

TEST(TRandomMersenneSeeding, RandomInitStartsTheStreamAfresh) {
    TRandomMersenne used(7);
    for (int i = 0; i < 500; ++i) used.BRandom();
    used.RandomInit(1);
    TRandomMersenne fresh(1);
    EXPECT_EQ(used.stateIndex, 351u);
    EXPECT_EQ(std::memcmp(used.state, fresh.state, sizeof used.state), 0);
    EXPECT_EQ(used.BRandom(), 0x869FE549u);
}

TEST(TRandomMersenneSeeding, EveryWordFollowsTheRecurrence) {
    for (std::int32_t seed : {0, 1, -1, 12345, INT32_MAX, INT32_MIN}) {
        TRandomMersenne g(seed);
        std::uint32_t s = static_cast<std::uint32_t>(seed);
        for (std::uint32_t i = 0; i < 351; ++i) {
            s = s * 29943829u - 1u;
            ASSERT_EQ(g.state[i], s) << "seed " << seed << " word " << i;
        }
    }
}

// ---------------------------------------------------------------------------
// The output stream

struct OutputCase {
    std::int32_t seed;
    int position;  // 1 = first output after seeding
    std::uint32_t expected;
};

class Outputs : public ::testing::TestWithParam<OutputCase> {};

TEST_P(Outputs, WordAtPosition) {
    const OutputCase& c = GetParam();
    TRandomMersenne g(c.seed);
    std::uint32_t word = 0;
    for (int i = 0; i < c.position; ++i) word = g.BRandom();
    EXPECT_EQ(word, c.expected) << std::hex << "got 0x" << word;
}

INSTANTIATE_TEST_SUITE_P(
    Known, Outputs,
    ::testing::Values(
        OutputCase{1, 1, 0x869FE549u}, OutputCase{1, 2, 0xFC5471FBu},
        OutputCase{1, 3, 0x6FBD4F13u}, OutputCase{1, 4, 0xF90D5455u},
        OutputCase{1, 5, 0x203F7A00u},
        OutputCase{1, 351, 0xA2B427F9u},  // last word of the first state
        OutputCase{1, 352, 0x41B82878u},  // first word of the second regeneration
        OutputCase{1, 353, 0x8127A5CEu},
        OutputCase{0, 1, 0x0ACB5648u}, OutputCase{0, 2, 0xA08C5AF8u},
        OutputCase{0, 3, 0x42234EDBu}, OutputCase{0, 4, 0x400CDDD2u},
        OutputCase{0, 5, 0xF2CFF883u}));

TEST(TRandomMersenneStream, FirstOutputRegeneratesThenAdvancesByOne) {
    TRandomMersenne g(1);
    g.BRandom();
    EXPECT_EQ(g.stateIndex, 1u);
    EXPECT_EQ(g.state[350], 0x18B4F0BDu);  // last word, built from the new state[0] and state[174]
}

TEST(TRandomMersenneStream, IndexRunsUpTo351ThenWraps) {
    TRandomMersenne g(3);
    for (std::uint32_t i = 1; i <= 351; ++i) {
        g.BRandom();
        ASSERT_EQ(g.stateIndex, i);
    }
    g.BRandom();
    EXPECT_EQ(g.stateIndex, 1u);
}

TEST(TRandomMersenneStream, DeliveredWordIsTheTemperedStateWord) {
    TRandomMersenne g(1);
    const std::uint32_t first = g.BRandom();
    EXPECT_EQ(Untemper(first), g.state[0]);
    const std::uint32_t second = g.BRandom();
    EXPECT_EQ(Untemper(second), g.state[1]);
}

// Many regenerations against the step-by-step model: the split loops, the
// wrap of the partner index and the last word must all agree with it.
class AgainstModel : public ::testing::TestWithParam<std::int32_t> {};

TEST_P(AgainstModel, TwentyRegenerations) {
    TRandomMersenne g(GetParam());
    ModelGenerator model(GetParam());
    for (int i = 0; i < 351 * 20 + 3; ++i)
        ASSERT_EQ(g.BRandom(), model.Next()) << "output " << i + 1;
}

INSTANTIATE_TEST_SUITE_P(Seeds, AgainstModel,
                         ::testing::Values(0, 1, -1, 2, 1700000000, INT32_MAX, INT32_MIN));

// ---------------------------------------------------------------------------
// Random(): one word r as exactly r * 2^-32

struct FractionCase {
    std::uint32_t word;
    double expected;
};

class Fractions : public ::testing::TestWithParam<FractionCase> {};

TEST_P(Fractions, ExactValue) {
    const FractionCase& c = GetParam();
    TRandomMersenne g = GeneratorAbout(c.word);
    const double f = g.Random();
    EXPECT_EQ(BitsOf(f), BitsOf(c.expected)) << f;
    EXPECT_EQ(g.stateIndex, 11u);
}

INSTANTIATE_TEST_SUITE_P(
    Words, Fractions,
    ::testing::Values(
        FractionCase{0x00000000u, 0.0},  // +0, not -0
        FractionCase{0x00000001u, 0x1p-32},
        FractionCase{0x00000FFFu, 0xFFFp-32},      // bits only in the low half of the double
        FractionCase{0x00001000u, 0x1p-20},        // first bit in the high half
        FractionCase{0x80000000u, 0.5},
        FractionCase{0xFFFFFFFFu, 1.0 - 0x1p-32},  // largest, never 1
        FractionCase{0x869FE549u, 0x869FE549p-32}));

TEST(TRandomMersenneRandom, FirstValueFromSeedOne) {
    TRandomMersenne g(1);
    const double f = g.Random();
    EXPECT_EQ(f, 0.525877313921228);
    char text[32];
    std::snprintf(text, sizeof text, "%.15g", f);
    EXPECT_STREQ(text, "0.525877313921228");
    EXPECT_EQ(g.stateIndex, 1u);
}

// ---------------------------------------------------------------------------
// IRandom(min, max)

struct SequenceCase {
    std::int32_t seed;
    std::int32_t min, max;
    std::vector<std::int32_t> expected;
};

class Sequences : public ::testing::TestWithParam<SequenceCase> {};

TEST_P(Sequences, FreshGenerator) {
    const SequenceCase& c = GetParam();
    TRandomMersenne g(c.seed);
    std::vector<std::int32_t> got;
    for (std::size_t i = 0; i < c.expected.size(); ++i) got.push_back(g.IRandom(c.min, c.max));
    EXPECT_EQ(got, c.expected);
    EXPECT_EQ(g.stateIndex, c.expected.size());
}

INSTANTIATE_TEST_SUITE_P(
    Known, Sequences,
    ::testing::Values(
        SequenceCase{1, 1, 13, {7, 13, 6, 13, 2}},
        SequenceCase{1, 1, 793, {418, 782, 347, 772, 100, 426, 571, 723, 16, 466, 354, 459, 36}},
        SequenceCase{1, 1, 325, {171, 321, 142, 317, 41, 175, 234, 297, 7, 191, 146, 189, 15}},
        SequenceCase{1, 1, 6, {4, 6, 3, 6, 1, 4, 5, 6, 1, 4, 3, 4, 1}},
        SequenceCase{0, 1, 6, {1, 4, 2, 2, 6, 6, 2, 3, 1, 1, 6, 5, 2}},
        SequenceCase{0, 1, 325, {14, 204, 84, 82, 309}}));

// Each call takes one word, so the next raw word is the second of the stream.
struct OneWordCase {
    std::int32_t min, max;
    std::int32_t expected;
};

class OneWordEach : public ::testing::TestWithParam<OneWordCase> {};

TEST_P(OneWordEach, ResultAndWordsConsumed) {
    const OneWordCase& c = GetParam();
    TRandomMersenne g(1);
    EXPECT_EQ(g.IRandom(c.min, c.max), c.expected);
    EXPECT_EQ(g.stateIndex, 1u);
    EXPECT_EQ(g.BRandom(), 0xFC5471FBu);
}

INSTANTIATE_TEST_SUITE_P(
    Edges, OneWordEach,
    ::testing::Values(
        OneWordCase{5, 5, 5},
        OneWordCase{2, 1, INT32_MIN},  // empty interval
        OneWordCase{0, -1, INT32_MIN},
        OneWordCase{INT32_MAX, INT32_MIN, INT32_MIN},
        OneWordCase{-7, -7, -7},
        OneWordCase{1, 100, 53}));  // 0x869FE549 * 100 >> 32

// Results for chosen words: both ends of the interval, negative bounds, the
// largest width of the integer form and a wider one.
struct WordCase {
    std::uint32_t word;
    std::int32_t min, max;
    std::int32_t expected;
};

class ForWord : public ::testing::TestWithParam<WordCase> {};

TEST_P(ForWord, Result) {
    const WordCase& c = GetParam();
    TRandomMersenne g = GeneratorAbout(c.word);
    EXPECT_EQ(g.IRandom(c.min, c.max), c.expected);
    EXPECT_EQ(g.stateIndex, 11u);
}

INSTANTIATE_TEST_SUITE_P(
    Words, ForWord,
    ::testing::Values(
        WordCase{0x00000000u, 1, 793, 1},
        WordCase{0xFFFFFFFFu, 1, 793, 793},  // never max + 1
        WordCase{0xFFFFFFFFu, 1, 6, 6},
        WordCase{0x2AAAAAAAu, 1, 6, 1},      // just under 1/6
        WordCase{0x2AAAAAABu, 1, 6, 2},      // 6 * r just reaches 2^32
        WordCase{0x80000000u, -100, 100, 0},
        WordCase{0xFFFFFFFFu, -10, -1, -1},
        WordCase{0x00000000u, INT32_MIN, INT32_MIN + 5, INT32_MIN},
        WordCase{0xFFFFFFFFu, INT32_MAX - 5, INT32_MAX, INT32_MAX},
        WordCase{0xFFFFFFFFu, 0, (1 << 21) - 1, (1 << 21) - 1},
        WordCase{0x80000000u, 0, (1 << 21), (1 << 20)},  // first width past 2^21
        WordCase{0x80000000u, -1000000000, 1000000000, 0},  // 1000000000.5 truncated
        WordCase{0xFFFFFFFFu, 0, INT32_MAX - 1, INT32_MAX - 1},
        WordCase{0x00000001u, 0, INT32_MAX - 1, 0}));

// Over a long run every width the program uses gives min + floor(r * n / 2^32)
// for the word r that a twin generator delivers at the same position.
class IntegerForm : public ::testing::TestWithParam<std::int32_t> {};

TEST_P(IntegerForm, MatchesWordByWord) {
    const std::int32_t n = GetParam();
    TRandomMersenne g(20240601);
    TRandomMersenne twin(20240601);
    for (int i = 0; i < 5000; ++i) {
        const std::uint64_t r = twin.BRandom();
        const std::int32_t want = 1 + static_cast<std::int32_t>((r * static_cast<std::uint64_t>(n)) >> 32);
        ASSERT_EQ(g.IRandom(1, n), want) << "draw " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Widths, IntegerForm,
                         ::testing::Values(1, 2, 6, 13, 100, 325, 793, 1 << 21));

}  // namespace
