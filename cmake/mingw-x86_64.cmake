# Cross-build for 64-bit Windows with MinGW-w64. The shipped program is the
# 32-bit build; this one exists for machines whose kernel runs no 32-bit
# processes, where Wine's 32-bit loader cannot start and the tests drive a
# 64-bit build of the same sources under wine64 instead (tools/wine-env.sh
# puts a `wine` that runs wine64 first on the PATH).
set(RAVLO_MINGW_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-i686.cmake)
