#!/usr/bin/env bash
# ravlo.exe may import only Windows' own DLLs: everything else is linked in.
#   tools/check-imports.sh path/to/ravlo.exe
set -euo pipefail
allowed='^(KERNEL32|USER32|COMDLG32|GDI32|MSVCRT)\.DLL$'
dlls=$(i686-w64-mingw32-objdump -p "$1" | awk '/DLL Name:/ {print toupper($3)}')
echo "imports: $(echo $dlls)"
bad=$(echo "$dlls" | grep -Ev "$allowed" || true)
if [ -n "$bad" ]; then
    echo "not a Windows system DLL: $bad"
    exit 1
fi
