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
# Nor any function but these, each one that Windows XP's own DLL has: the
# program targets XP, and a newer compiler's runtime may bring a newer import
# along (GetThreadId, GCC 13). These are what the exe imports as built by
# Debian 12's GCC 12 and Debian 13's GCC 14; a new import fails here until it
# is known to be in XP and added.
xp_has='
KERNEL32: CloseHandle CreateFileW CreateSemaphoreW DeleteCriticalSection
  DeleteFileW EnterCriticalSection FlushFileBuffers FreeLibrary
  GetCurrentThreadId GetFileAttributesW GetLastError GetModuleHandleA
  GetModuleHandleW GetProcAddress GetStartupInfoA GetSystemDirectoryW
  GetTickCount GlobalAlloc GlobalFree InitializeCriticalSection
  LeaveCriticalSection LoadLibraryA LoadLibraryExW MoveFileExW
  MultiByteToWideChar ReleaseSemaphore SetLastError
  SetUnhandledExceptionFilter Sleep TlsAlloc TlsFree TlsGetValue TlsSetValue
  TryEnterCriticalSection VirtualProtect VirtualQuery WaitForSingleObject
  WideCharToMultiByte WriteFile
USER32: CreateDialogParamW DestroyWindow DispatchMessageW GetDlgItem
  GetMessageW GetWindowTextLengthW GetWindowTextW IsDialogMessageW LoadIconA
  MessageBoxA PostQuitMessage SendMessageA SendMessageW ShowWindow
  TranslateMessage wsprintfA wsprintfW
MSVCRT: __getmainargs __initenv __p__acmdln __p__commode __p__fmode
  __set_app_type __setusermatherr _amsg_exit _cexit _initterm _iob _ismbblead
  _onexit abort calloc exit fprintf free fwrite getenv malloc memcmp memcpy
  memset realloc signal strchr strcmp strlen strncmp strtoul time vfprintf
  wcscat wcscpy wcslen wcsrchr
'
# Each import as DLL!function, the name last on its line (binutils 2.40 and
# 2.44 differ in the columns before it); one by ordinal has none, and fails.
imports=$(i686-w64-mingw32-objdump -p "$1" | awk '
    /DLL Name:/ { dll = toupper($3); sub(/\.DLL$/, "", dll); next }
    dll && NF == 0 { dll = "" }
    dll && $1 != "vma:" { print dll "!" ($NF == "<none>" ? "by-ordinal-" $2 : $NF) }')
known=$(awk '/^[A-Z0-9]+:/ { dll = substr($1, 1, length($1) - 1); $1 = "" } { for (i = 1; i <= NF; i++) if ($i != "") print dll "!" $i }' <<<"$xp_has")
unknown=$(awk -v known="$known" 'BEGIN { n = split(known, k, "\n"); for (i = 1; i <= n; i++) ok[k[i]] }
                                 !($0 in ok)' <<<"$imports")
if [ -n "$unknown" ]; then
    echo "imports functions not known to be in Windows XP: $(echo $unknown)"
    exit 1
fi
