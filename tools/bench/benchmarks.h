// Benchmarks run by the bench program; each prints its own figures.
#ifndef RAVLO_TOOLS_BENCH_BENCHMARKS_H
#define RAVLO_TOOLS_BENCH_BENCHMARKS_H

// Output words per second of TRandomMersenne::BRandom against std::mt19937
// over the same count, their ratio, and IRandom(1, 793) calls per second.
void RunGeneratorBenchmark();

// Time of 256-row presses in the real dialog (anew, and appended onto a
// nearly full text) beside one WM_SETTEXT of the same text, and their ratio.
void RunPressBenchmark();

// Median time from launch to the dialog on screen, ravlo.exe beside a minimal
// dialog program of the same build, and their ratio.
void RunStartupBenchmark();

#endif
