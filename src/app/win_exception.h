// The program's own exception: a message and the system's last error code.
#ifndef RAVLO_WIN_EXCEPTION_H
#define RAVLO_WIN_EXCEPTION_H

#include <windows.h>

class WinException {
public:
    // The text is not copied: pass string constants.
    explicit WinException(const char* msg) : errorCode(GetLastError()), message(msg) {}
    const char* GetMessageA() const { return message; }

    DWORD errorCode;
    const char* message;
};

#endif
