#!/usr/bin/env bash
# ravlo.exe may import only Windows' own DLLs: everything else is linked in.
# Only those that the loader always takes from the system folder itself: any
# other (the common dialogs) is loaded from there at run time, once the
# program has restricted the DLL search, so that nothing that lies beside the
# exe in a Downloads folder is loaded in its name.
#   tools/check-imports.sh path/to/ravlo.exe
set -euo pipefail
allowed='^(KERNEL32|USER32|MSVCRT)\.DLL$'
dlls=$(i686-w64-mingw32-objdump -p "$1" | awk '/DLL Name:/ {print toupper($3)}')
echo "imports: $(echo $dlls)"
bad=$(echo "$dlls" | grep -Ev "$allowed" || true)
if [ -n "$bad" ]; then
    echo "not a Windows system DLL: $bad"
    exit 1
fi
# Nor any function that Windows XP lacks: the program targets XP, and a newer
# compiler's runtime may bring such an import along (GetThreadId, GCC 13).
newer=$(i686-w64-mingw32-objdump -p "$1" | grep -owE 'GetThreadId|GetTickCount64|InitOnceExecuteOnce|(Initialize|Sleep|Wake|WakeAll)ConditionVariable(CS|SRW)?|(Initialize|Acquire|Release|TryAcquire)SRWLock(Exclusive|Shared)?' | sort -u || true)
if [ -n "$newer" ]; then
    echo "imports functions that Windows XP lacks: $(echo $newer)"
    exit 1
fi
