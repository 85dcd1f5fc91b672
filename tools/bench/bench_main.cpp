// Prints the program's performance figures; nothing here passes or fails.
#include <cstdio>

#include "benchmarks.h"

int main() {
    RunGeneratorBenchmark();
    std::printf("\n");
    RunPressBenchmark();
    return 0;
}
