// GCC 13 and later build their win32 thread support on GetThreadId, which
// Windows has only from Vista on: imported by name, it would keep the exe
// from starting on XP, where it starts when built by GCC 12. The program
// starts no threads, so the one import that the runtime names is answered
// here instead, by the function itself where Windows has it.
#if defined(__MINGW32__) && !defined(_WIN64) && __GNUC__ >= 13
#include <windows.h>

#include "app/system_library.h"

namespace {

DWORD WINAPI ThreadIdOf(HANDLE thread) {
    using GetThreadIdFunction = DWORD(WINAPI*)(HANDLE);
    const auto getThreadId = ExportedFunction<GetThreadIdFunction>(GetModuleHandleW(L"kernel32.dll"), "GetThreadId");
    return getThreadId ? getThreadId(thread) : 0;
}

}  // namespace

// The import slot the runtime calls through, under its linker name.
extern "C" DWORD(WINAPI* const ravloGetThreadIdSlot)(HANDLE) __asm__("__imp__GetThreadId@4");
extern "C" DWORD(WINAPI* const ravloGetThreadIdSlot)(HANDLE) = ThreadIdOf;
#endif
