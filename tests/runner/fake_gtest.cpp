// A stand-in for a GoogleTest program, for the runner's rows. It lists and
// runs its tests with GoogleTest's flags and words; each test ends in one of
// the ways the runner must tell apart.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "fake_traces.h"

namespace {

enum class Ending { Passes, AbortsAfterPassing, Skips, Hangs, NeverRuns, Fails };

struct FakeTest {
    const char* suite;
    const char* name;
    const char* comment;  // what the listing prints after the name
    Ending ending;
};

const FakeTest kTests[] = {
    {"Fake.", "Passes", "", Ending::Passes},
    {"Fake.", "AbortsAfterPassing", "", Ending::AbortsAfterPassing},
    {"Fake.", "Skips", "", Ending::Skips},
    {"Fake.", "Hangs", "", Ending::Hangs},
    {"Fake.", "ListedButNeverRuns", "", Ending::NeverRuns},
    {"Fake.", "DISABLED_Fails", "", Ending::Fails},
    {"Values/FakeParam.", "Passes/0", "  # GetParam() = 7", Ending::Passes},
};

bool Matches(const char* pattern, const char* name) {
    if (*pattern == '\0') return *name == '\0';
    if (*pattern == '*') return Matches(pattern + 1, name) || (*name && Matches(pattern, name + 1));
    return *name && (*pattern == '?' || *pattern == *name) && Matches(pattern + 1, name + 1);
}

bool MatchesOne(std::string patterns, const std::string& name) {
    for (std::size_t start = 0;;) {
        const std::size_t end = patterns.find(':', start);
        if (Matches(patterns.substr(start, end - start).c_str(), name.c_str())) return true;
        if (end == std::string::npos) return false;
        start = end + 1;
    }
}

// GoogleTest's filter: "POSITIVE[-NEGATIVE]", each ':'-separated patterns.
bool Selected(const std::string& filter, const std::string& name) {
    const std::size_t dash = filter.find('-');
    const std::string positive = filter.substr(0, dash);
    return MatchesOne(positive.empty() ? "*" : positive, name) &&
           !(dash != std::string::npos && MatchesOne(filter.substr(dash + 1), name));
}

// A second process that hangs too and holds the output pipe, as a dialog or
// a ravlo.exe left behind would.
void StartHangingChild() {
    wchar_t path[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring commandLine = std::wstring(L"\"") + path + L"\" --hang";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (CreateProcessW(path, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &info)) {
        CloseHandle(info.hThread);
        CloseHandle(info.hProcess);
    }
}

void LeaveTraces() {
    wchar_t temp[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, temp);
    CreateDirectoryW((temp + std::wstring(kFakeScratchPrefix) + std::to_wstring(GetCurrentProcessId()) + L"-1").c_str(),
                     nullptr);
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kFakeDialogKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) ==
        ERROR_SUCCESS)
        RegCloseKey(key);
}

}  // namespace

int main(int argc, char** argv) {
    std::string filter;
    bool list = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--hang") == 0) Sleep(INFINITE);
        if (std::strcmp(argv[i], "--gtest_list_tests") == 0) list = true;
        if (std::strncmp(argv[i], "--gtest_filter=", 15) == 0) filter = argv[i] + 15;
    }
    std::printf("Running main() from fake_gtest.cpp\n");
    const char* suite = "";
    int ran = 0, failed = 0;
    bool abort = false;
    for (const FakeTest& test : kTests) {
        const std::string name = std::string(test.suite) + test.name;
        if (!Selected(filter, name)) continue;
        if (list) {
            if (std::strcmp(suite, test.suite) != 0) std::printf("%s\n", suite = test.suite);
            std::printf("  %s%s\n", test.name, test.comment);
            continue;
        }
        if (test.ending == Ending::NeverRuns) continue;
        ++ran;
        std::printf("[ RUN      ] %s\n", name.c_str());
        std::fflush(stdout);
        switch (test.ending) {
        case Ending::Hangs:
            LeaveTraces();
            StartHangingChild();
            Sleep(INFINITE);
            break;
        case Ending::Skips:
            std::printf("fake_gtest.cpp(95): Skipped\nneeds the moon; this sky has none\n\n");
            std::printf("[  SKIPPED ] %s (0 ms)\n", name.c_str());
            continue;
        case Ending::Fails:
            ++failed;
            std::printf("[  FAILED  ] %s (0 ms)\n", name.c_str());
            continue;
        case Ending::AbortsAfterPassing:
            abort = true;
            break;
        default:
            break;
        }
        std::printf("[       OK ] %s (0 ms)\n", name.c_str());
    }
    if (list) return 0;
    std::printf("[==========] %d tests ran.\n", ran);
    std::printf(failed ? "[  FAILED  ] %d tests.\n" : "[  PASSED  ] %d tests.\n", failed ? failed : ran);
    std::fflush(stdout);
    // As a test program whose teardown breaks after every test has passed.
    // (Not a crash: Wine would show its crash dialog, whatever the error mode.)
    if (abort) std::abort();
    return failed ? 1 : 0;
}
