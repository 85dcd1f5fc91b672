// Prints the program's performance figures; nothing here passes or fails.
#include <cstdio>

#include "benchmarks.h"

int main() {
    RunGeneratorBenchmark();
    std::printf("\n");
    RunPressBenchmark();
    std::printf("\n");
    RunStartupBenchmark();
    return 0;
}
