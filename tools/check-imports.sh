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
