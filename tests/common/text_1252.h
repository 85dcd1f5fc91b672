// The program's own texts are Windows-1252 whatever the system's code page.
#ifndef RAVLO_TESTS_TEXT_1252_H
#define RAVLO_TESTS_TEXT_1252_H

#include <windows.h>

#include <string>

// What those bytes must read as in UTF-16, on screen or in a control.
inline std::wstring From1252(const std::string& bytes) {
    std::wstring wide(bytes.size(), L'\0');
    wide.resize(MultiByteToWideChar(1252, 0, bytes.data(), static_cast<int>(bytes.size()), &wide[0],
                                    static_cast<int>(wide.size())));
    return wide;
}

#endif
