// One program run to its end or to its time limit, with everything it
// starts, its output captured.
#ifndef RAVLO_TEST_RUNNER_CHILD_RUN_H
#define RAVLO_TEST_RUNNER_CHILD_RUN_H

#include <windows.h>

#include <string>

struct ChildRun {
    bool started = false;
    DWORD processId = 0;
    std::wstring error;  // why it did not start
    bool timedOut = false;
    DWORD exitCode = 0;
    std::string output;  // its stdout and stderr as bytes, interleaved as written
    double seconds = 0;
};

// Runs `exe` with `arguments` in `folder`, with no input. At the end, or at
// `limitSeconds`, every process of the run is ended.
ChildRun RunChild(const std::wstring& exe, const std::wstring& arguments, const std::wstring& folder,
                  DWORD limitSeconds);

// One argument quoted so that the C runtime's parser gives it back unchanged.
std::wstring QuoteArgument(const std::wstring& argument);

// The system's words for an error code.
std::wstring ErrorText(DWORD error);

#endif
