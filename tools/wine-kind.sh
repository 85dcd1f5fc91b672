# Which Wine runs what; sourced by the scripts that start Windows programs.
# Wine's 32-bit loader starts only where 32-bit Wine is installed and the
# kernel runs 32-bit processes.
wine32_starts() { /usr/lib/wine/wine --version >/dev/null 2>&1; }
# A build made with cmake/mingw-x86_64.cmake, whose programs wine64 runs.
is_64bit_build() { grep -q 'mingw-x86_64' "$1/CMakeCache.txt" 2>/dev/null; }
