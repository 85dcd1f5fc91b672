// Drives ravlo.exe as a separate process: starts it, finds its dialog by
// process id, and talks to the dialog's controls with window messages, as
// another program on the same desktop would.
//
// Everything here works across processes: BM_CLICK, BM_GETCHECK and the
// window style carry no pointers, and the system copies the text of
// WM_GETTEXT / WM_SETTEXT between the processes. GetWindowTextA would not do
// for the edit fields, since for another process's window it returns the
// stored caption instead of asking the control.
#ifndef RAVLO_E2E_RAVLO_PROCESS_H
#define RAVLO_E2E_RAVLO_PROCESS_H

#include <windows.h>

#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "../common/files.h"

namespace e2e {

// How long one sent message may take before the program counts as hung.
constexpr UINT kMessageTimeoutMs = 5000;

// The program under test: the ravlo.exe that lies beside the tests.
inline std::string ProgramPath() { return BesideThisExe("ravlo.exe"); }

struct WindowSearch {
    DWORD processId;
    std::vector<HWND> found;
};

inline BOOL CALLBACK CollectWindowOf(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window)) search->found.push_back(window);
    return TRUE;
}

// Visible top-level windows that belong to the given process.
inline std::vector<HWND> TopLevelWindowsOf(DWORD processId) {
    WindowSearch search{processId, {}};
    EnumWindows(CollectWindowOf, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The caption of a top-level window; for those the system keeps a copy, so
// this works for other processes as well.
inline std::string Caption(HWND window) {
    char text[512] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

class RavloProcess {
public:
    RavloProcess() { std::memset(&info_, 0, sizeof info_); }
    ~RavloProcess() { Kill(); }
    RavloProcess(const RavloProcess&) = delete;
    RavloProcess& operator=(const RavloProcess&) = delete;

    // Starts the program and waits until its dialog is on screen. Reads the
    // clock just before the launch and again once the dialog is there, so the
    // program's own start-up reading lies between the two.
    bool Start(DWORD timeoutMs = 15000) { return StartProgram(ProgramPath(), nullptr, timeoutMs); }

    // The same for a copy of the program at `program`, started in
    // `currentFolder` (nullptr: this process's current folder).
    bool StartProgram(const std::string& program, const char* currentFolder, DWORD timeoutMs = 15000) {
        std::string commandLine = "\"" + program + "\"";
        STARTUPINFOA startup;
        std::memset(&startup, 0, sizeof startup);
        startup.cb = sizeof startup;
        clockBeforeLaunch = std::time(nullptr);
        if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, currentFolder,
                            &startup, &info_)) {
            error_ = "CreateProcessA failed for " + commandLine + ", error " +
                     std::to_string(GetLastError());
            return false;
        }
        const DWORD start = GetTickCount();
        while (!dialog_) {
            for (HWND window : TopLevelWindowsOf(info_.dwProcessId))
                if (Caption(window).compare(0, 5, "Ravlo") == 0) dialog_ = window;
            if (dialog_) break;
            if (WaitForSingleObject(info_.hProcess, 20) == WAIT_OBJECT_0) {
                error_ = "the program ended before its dialog appeared";
                return false;
            }
            if (GetTickCount() - start > timeoutMs) {
                error_ = "no dialog within " + std::to_string(timeoutMs) + " ms";
                return false;
            }
        }
        clockDialogShown = std::time(nullptr);
        return true;
    }

    // Why Start failed.
    const std::string& Error() const { return error_; }

    DWORD ProcessId() const { return info_.dwProcessId; }
    HWND Dialog() const { return dialog_; }
    HWND Item(int id) const { return GetDlgItem(dialog_, id); }

    // A click that returns once the program has handled it: the button
    // toggles itself and sends its notification to the dialog before
    // BM_CLICK returns.
    bool Click(int id) const { return Send(Item(id), BM_CLICK, 0, 0, nullptr); }

    // A click for buttons that open a modal window (the save button): the
    // caller must not wait for the handler, which runs until the window closes.
    bool PostClick(int id) const { return PostMessageA(Item(id), BM_CLICK, 0, 0) != 0; }

    std::string Text(int id) const {
        const HWND control = Item(id);
        DWORD_PTR length = 0;
        if (!Send(control, WM_GETTEXTLENGTH, 0, 0, &length)) return "<no answer>";
        std::string text(length + 1, '\0');
        DWORD_PTR copied = 0;
        if (!Send(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]), &copied))
            return "<no answer>";
        text.resize(copied);
        return text;
    }

    bool SetText(int id, const std::string& text) const {
        DWORD_PTR result = 0;
        return Send(Item(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), &result) &&
               result != 0;
    }

    bool Checked(int id) const {
        DWORD_PTR state = 0;
        return Send(Item(id), BM_GETCHECK, 0, 0, &state) && state == BST_CHECKED;
    }

    // The control's own visibility bit: the dialog may lie under other
    // windows, which IsWindowVisible does not care about either, but the bit
    // is what the program sets.
    bool IsShown(int id) const { return (GetWindowLongA(Item(id), GWL_STYLE) & WS_VISIBLE) != 0; }

    // Returns once the program's thread has taken a sent message, that is,
    // once it is back in a message loop.
    bool RoundTrip() const { return Send(dialog_, WM_NULL, 0, 0, nullptr); }

    bool Running() const {
        return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
    }

    // Closes the dialog as the title bar's close button does and returns the
    // process's exit code, or -1 if it did not end within the time.
    long Close(DWORD timeoutMs = 10000) {
        if (!info_.hProcess) return -1;
        PostMessageA(dialog_, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(info_.hProcess, timeoutMs) != WAIT_OBJECT_0) return -1;
        DWORD code = 0;
        GetExitCodeProcess(info_.hProcess, &code);
        Release();
        return static_cast<long>(code);
    }

    time_t clockBeforeLaunch = 0;
    time_t clockDialogShown = 0;

private:
    bool Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR* result) const {
        DWORD_PTR ignored = 0;
        return window && SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL,
                                             kMessageTimeoutMs, result ? result : &ignored) != 0;
    }

    void Kill() {
        if (!info_.hProcess) return;
        if (Running()) {
            TerminateProcess(info_.hProcess, 99);
            WaitForSingleObject(info_.hProcess, 5000);
        }
        Release();
    }

    void Release() {
        if (info_.hThread) CloseHandle(info_.hThread);
        if (info_.hProcess) CloseHandle(info_.hProcess);
        info_.hThread = info_.hProcess = nullptr;
    }

    PROCESS_INFORMATION info_;
    HWND dialog_ = nullptr;
    std::string error_;
};

}  // namespace e2e

#endif
