# Cross-build for 32-bit Windows with MinGW-w64; run results under Wine.
# The program is built with the win32 thread model, which needs no threading
# runtime in the exe. GoogleTest and the tests need std::thread, which the
# win32 model has only from GCC 13 on; with an older compiler the tests are
# built apart with RAVLO_MINGW_THREADS=posix (see RAVLO_TEST_BUILD_ARGS in
# CMakeLists.txt).
set(RAVLO_MINGW_THREADS win32 CACHE STRING "MinGW-w64 thread model: win32 or posix")
# try_compile projects read this file again: they must pick the same compiler.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES RAVLO_MINGW_THREADS)
# mingw-x86_64.cmake reads this file with the processor set to x86_64.
if(NOT RAVLO_MINGW_PROCESSOR)
  set(RAVLO_MINGW_PROCESSOR i686)
endif()
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${RAVLO_MINGW_PROCESSOR})
set(CMAKE_C_COMPILER   ${RAVLO_MINGW_PROCESSOR}-w64-mingw32-gcc-${RAVLO_MINGW_THREADS})
set(CMAKE_CXX_COMPILER ${RAVLO_MINGW_PROCESSOR}-w64-mingw32-g++-${RAVLO_MINGW_THREADS})
set(CMAKE_RC_COMPILER  ${RAVLO_MINGW_PROCESSOR}-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${RAVLO_MINGW_PROCESSOR}-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
# What a build of the tests beside this one is configured with.
set(RAVLO_TEST_BUILD_ARGS -DRAVLO_MINGW_THREADS=posix)
