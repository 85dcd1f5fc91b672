/* A DLL that only tells that it was loaded: on attach it creates the file
   "<its own path>.loaded" beside itself. The planted-DLL tests copy it beside
   an exe and into its current folder, under the names a program may load. It
   imports nothing but KERNEL32 and has no runtime, so it loads whatever else
   lies beside it. */
#include <windows.h>

BOOL WINAPI DllEntry(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    (void)reserved;
    if (reason == DLL_PROCESS_ATTACH) {
        WCHAR marker[MAX_PATH + 8];
        DWORD length = GetModuleFileNameW(instance, marker, MAX_PATH);
        if (length > 0 && length < MAX_PATH) {
            const WCHAR suffix[] = L".loaded";
            for (DWORD i = 0; i < sizeof suffix / sizeof suffix[0]; ++i) marker[length + i] = suffix[i];
            HANDLE file = CreateFileW(marker, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
            if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
        }
    }
    return TRUE;
}
