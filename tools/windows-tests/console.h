// The runner's console: what it prints, whether its window would close at
// the end, and whether there is a desktop for the tests' windows.
#ifndef RAVLO_TEST_RUNNER_CONSOLE_H
#define RAVLO_TEST_RUNNER_CONSOLE_H

#include <string>

// Text to stdout: to a console as UTF-16, redirected as UTF-8 with CR LF.
void Print(const std::wstring& text);

// Bytes a program printed: UTF-8 where they are valid UTF-8, else the ANSI code page.
std::wstring Widen(const std::string& bytes);
std::string Utf8(const std::wstring& text);

// True when the console window is this run's own and closes when it ends:
// a double-clicked run-tests.cmd, not a console someone typed in, not CI.
bool ConsoleClosesAtEnd();
void WaitForKey();

// Why the tests would find no desktop to show their windows on; empty when
// they would.
std::wstring NoDesktopReason();

#endif
