// What the tests leave in the user's profile through the system, put back as
// it was once they have run: the save dialog's recent folders and files, the
// shell's folder views, recent-document links and jump lists, Wine's
// per-program settings, and scratch folders of tests that were ended. What
// another program changes there meanwhile is put back too.
#ifndef RAVLO_TEST_RUNNER_TRACES_H
#define RAVLO_TEST_RUNNER_TRACES_H

#include <windows.h>

#include <map>
#include <set>
#include <string>
#include <vector>

struct NoCase {
    bool operator()(const std::wstring& a, const std::wstring& b) const { return _wcsicmp(a.c_str(), b.c_str()) < 0; }
};

// A registry key with all it holds.
struct KeyState {
    std::map<std::wstring, std::pair<DWORD, std::vector<BYTE>>, NoCase> values;
    std::map<std::wstring, KeyState, NoCase> keys;
};

class Traces {
public:
    Traces();  // takes the picture of before
    // Removes what came since and writes back what changed; returns what was
    // put back, a line each. Scratch folders are removed only where their
    // name holds the id of one of `testProcesses` (ravlo-NAME-ID-TICKS), so
    // that other programs' folders stay, a concurrent test run's too.
    std::vector<std::wstring> Remove(const std::set<DWORD>& testProcesses) const;

private:
    struct Key {
        std::wstring path;
        bool existed;
        KeyState before;
    };
    std::vector<Key> keys_;
    std::wstring recent_, temp_;
    std::set<std::wstring, NoCase> recentFiles_, tempEntries_;
};

#endif
