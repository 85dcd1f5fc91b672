#include "console.h"

#include <windows.h>

#include <algorithm>
#include <cwchar>

void Print(const std::wstring& text) {
    const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    if (out == nullptr || out == INVALID_HANDLE_VALUE) return;
    DWORD mode = 0, written = 0;
    if (GetConsoleMode(out, &mode)) {
        for (std::size_t at = 0; at < text.size(); at += 8192)
            WriteConsoleW(out, text.data() + at, static_cast<DWORD>(std::min<std::size_t>(8192, text.size() - at)),
                          &written, nullptr);
        return;
    }
    std::wstring crlf;
    for (wchar_t c : text) {
        if (c == L'\n') crlf += L'\r';
        crlf += c;
    }
    const std::string bytes = Utf8(crlf);
    WriteFile(out, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

std::wstring Widen(const std::string& bytes) {
    if (bytes.empty()) return L"";
    const int size = static_cast<int>(bytes.size());
    UINT codePage = CP_UTF8;
    int length = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0);
    if (length == 0) {
        codePage = CP_ACP;
        length = MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
    }
    std::wstring text(length, L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), size, &text[0], length);
    return text;
}

std::string Utf8(const std::wstring& text) {
    if (text.empty()) return "";
    const int size = static_cast<int>(text.size());
    const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string bytes(length, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), size, &bytes[0], length, nullptr, nullptr);
    return bytes;
}

// Explorer gives a double-clicked cmd a console of its own, with nothing but
// the cmd and the runner in it. Windows Terminal's console window is a
// hidden stand-in of class PseudoConsoleWindow while the Terminal shows the
// text. A CI job (CI set) or anything that feeds stdin from a pipe does not wait.
bool ConsoleClosesAtEnd() {
    if (GetEnvironmentVariableW(L"CI", nullptr, 0) > 1) return false;
    DWORD mode = 0;
    if (!GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode)) return false;
    DWORD processes[3];
    if (GetConsoleProcessList(processes, 3) > 2) return false;
    const HWND window = GetConsoleWindow();
    if (!window) return false;
    wchar_t className[64] = L"";
    GetClassNameW(window, className, 64);
    return IsWindowVisible(window) || std::wcscmp(className, L"PseudoConsoleWindow") == 0;
}

void WaitForKey() {
    const HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
    FlushConsoleInputBuffer(in);
    INPUT_RECORD record{};
    DWORD got = 0;
    while (ReadConsoleInputW(in, &record, 1, &got) && got == 1)
        if (record.EventType == KEY_EVENT && record.Event.KeyEvent.bKeyDown) return;
}

// A service, a scheduled task run while nobody is signed in, or an SSH
// session runs in a window station of its own that is never shown (no
// WSF_VISIBLE); on a locked screen or a disconnected session the input
// desktop is Winlogon's, which no program may open.
std::wstring NoDesktopReason() {
    const HWINSTA station = GetProcessWindowStation();
    USEROBJECTFLAGS flags{};
    DWORD size = 0;
    if (!station || !GetUserObjectInformationW(station, UOI_FLAGS, &flags, sizeof flags, &size))
        return L"this process has no window station";
    if (!(flags.dwFlags & WSF_VISIBLE)) {
        wchar_t name[256] = L"";
        GetUserObjectInformationW(station, UOI_NAME, name, sizeof name, &size);
        return std::wstring(L"this process runs in window station \"") + name +
               L"\", which is not shown on any screen (a service, a scheduled task or an SSH session)";
    }
    const HDESK input = OpenInputDesktop(0, FALSE, DESKTOP_READOBJECTS);
    if (!input) return L"the desktop that takes input cannot be opened (a locked screen or a disconnected session)";
    CloseDesktop(input);
    return L"";
}
