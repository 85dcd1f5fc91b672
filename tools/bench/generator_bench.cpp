// Throughput of the row generator's random source. Each figure is the best of
// many short rounds, the rounds of the generators taken in turn, so that other
// work on the machine (a time slice lost now and then) hurts neither side alone.
#include "benchmarks.h"

#include "generation/portable/random_mersenne.h"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <random>

namespace {

constexpr std::uint64_t kWords = 2000000;  // per round and generator
constexpr std::uint64_t kDraws = 1000000;  // IRandom calls per round
constexpr int kRounds = 100;

// Every result is folded into this, so no loop can be dropped as dead code.
volatile std::uint32_t g_sink;

// Runs `count` calls of next() and returns calls per second.
template <class Next>
double CallsPerSecond(std::uint64_t count, Next next) {
    const auto start = std::chrono::steady_clock::now();
    std::uint32_t acc = 0;
    for (std::uint64_t i = 0; i < count; ++i) acc += static_cast<std::uint32_t>(next());
    const auto stop = std::chrono::steady_clock::now();
    g_sink = g_sink + acc;
    const double seconds = std::chrono::duration<double>(stop - start).count();
    return seconds > 0 ? static_cast<double>(count) / seconds : 0.0;
}

double Max(double a, double b) { return a > b ? a : b; }

}  // namespace

void RunGeneratorBenchmark() {
    TRandomMersenne ours(1);
    std::mt19937 reference(1);
    TRandomMersenne drawing(1);

    double oursRate = 0, referenceRate = 0, drawRate = 0;
    for (int round = 0; round < kRounds; ++round) {
        oursRate = Max(oursRate, CallsPerSecond(kWords, [&] { return ours.BRandom(); }));
        referenceRate = Max(referenceRate, CallsPerSecond(kWords, [&] { return reference(); }));
        drawRate = Max(drawRate, CallsPerSecond(kDraws, [&] { return drawing.IRandom(1, 793); }));
    }

    std::printf("Random generator (best of %d rounds)\n", kRounds);
    std::printf("  TRandomMersenne::BRandom  %10.1f M words/s  (%llu words a round)\n",
                oursRate / 1e6, static_cast<unsigned long long>(kWords));
    std::printf("  std::mt19937              %10.1f M words/s  (%llu words a round)\n",
                referenceRate / 1e6, static_cast<unsigned long long>(kWords));
    std::printf("  ratio BRandom / mt19937   %10.2f  (goal >= 1.00)\n",
                referenceRate > 0 ? oursRate / referenceRate : 0.0);
    std::printf("  IRandom(1, 793)           %10.1f M calls/s  (%llu calls a round)\n",
                drawRate / 1e6, static_cast<unsigned long long>(kDraws));
    std::printf("  (sink %08lx)\n", static_cast<unsigned long>(g_sink));
}
