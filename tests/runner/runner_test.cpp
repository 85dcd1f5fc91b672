// The bundle's test runner, run as run-tests.cmd runs it, on a folder that
// holds it and a fake GoogleTest program (fake_gtest.cpp) whose tests pass,
// abort after passing, skip, hang with a child process, or are listed and
// never run.
#include <gtest/gtest.h>
#include <windows.h>
#include <tlhelp32.h>

#include <cwchar>
#include <set>
#include <string>
#include <vector>

#include "../common/files.h"
#include "../common/scratch_folder.h"
#include "fake_traces.h"

namespace {

const wchar_t kRunner[] = L"ravlo_test_runner.exe";
const wchar_t kFake[] = L"ravlo_runner_fake.exe";
// The runner's limit for each test here. Without a working limit the hang
// would go on until the row gives up on the runner.
const wchar_t kLimit[] = L"--timeout=3";
constexpr DWORD kRunnerGivenUpMs = 60000;

struct RunnerCase {
    const char* label;
    const wchar_t* filter;  // nullptr: none
    bool withoutDesktop;    // started in a window station that no screen shows
    DWORD exitCode;
    const char* lastLine;
    std::vector<std::string> failed;  // named on a FAILED line
    std::vector<std::string> shown;   // somewhere in what it printed
    const char* results;              // in results.xml; nullptr: no results file
};

void PrintTo(const RunnerCase& c, std::ostream* out) { *out << c.label; }

const RunnerCase kCases[] = {
    {"Everything", nullptr, false, 1, "2 passed, 3 failed, 1 skipped",
     {"Fake.AbortsAfterPassing", "Fake.Hangs", "Fake.ListedButNeverRuns"},
     {"timed out after 3 s", "exit code 3 after GoogleTest reported it passed",
      "Fake.Skips: needs the moon; this sky has none"},
     "<testsuite name=\"ravlo_runner_fake.exe\" tests=\"6\" failures=\"3\" errors=\"0\" skipped=\"1\""},
    {"OnlyPassing", L"*Passes*", false, 0, "2 passed, 0 failed, 0 skipped", {}, {"Values/FakeParam.Passes/0"},
     "<testcase classname=\"Values/FakeParam\" name=\"Passes/0\""},
    {"NoneMatches", L"Nothing.*", false, 1, "0 passed, 0 failed, 0 skipped", {}, {"No test ran"},
     "<testsuites tests=\"0\""},
    {"NoDesktop", nullptr, true, 2, "0 passed, 0 failed, 0 skipped", {}, {"No test was run", "not shown on any screen"},
     nullptr},
};

std::wstring TempFolder() {
    wchar_t temp[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, temp);
    std::wstring folder = temp;
    if (!folder.empty() && folder.back() == L'\\') folder.pop_back();
    return folder;
}

std::wstring LongPath(const std::wstring& path) {
    wchar_t full[MAX_PATH] = L"";
    return GetLongPathNameW(path.c_str(), full, MAX_PATH) ? full : path;
}

// The processes whose exe lies in `folder`, ended once they are named.
std::vector<std::wstring> EndProcessesIn(const std::wstring& folder) {
    std::vector<std::wstring> found;
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
        const HANDLE process =
            OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE, FALSE, entry.th32ProcessID);
        wchar_t image[MAX_PATH] = L"";
        DWORD size = MAX_PATH;
        if (process && QueryFullProcessImageNameW(process, 0, image, &size) &&
            CompareStringOrdinal(image, static_cast<int>(folder.size()), folder.c_str(),
                                 static_cast<int>(folder.size()), TRUE) == CSTR_EQUAL) {
            found.push_back(image);
            TerminateProcess(process, 1);
        }
        if (process) CloseHandle(process);
    }
    CloseHandle(snapshot);
    return found;
}

// A window station of its own, with a desktop, as a service has: windows
// created there are on no screen.
class HiddenWindowStation {
public:
    HiddenWindowStation() : name_(L"ravlo-runner-" + std::to_wstring(GetCurrentProcessId())) {
        const HWINSTA ours = GetProcessWindowStation();
        station_ = CreateWindowStationW(name_.c_str(), 0, WINSTA_ALL_ACCESS, nullptr);
        if (station_ && SetProcessWindowStation(station_)) {
            desktop_ = CreateDesktopW(L"Default", nullptr, nullptr, 0, GENERIC_ALL, nullptr);
            SetProcessWindowStation(ours);
        }
    }
    ~HiddenWindowStation() {
        if (desktop_) CloseDesktop(desktop_);
        if (station_) CloseWindowStation(station_);
    }
    HiddenWindowStation(const HiddenWindowStation&) = delete;
    HiddenWindowStation& operator=(const HiddenWindowStation&) = delete;

    bool Made() const { return desktop_ != nullptr; }
    std::wstring Desktop() const { return name_ + L"\\Default"; }

private:
    std::wstring name_;
    HWINSTA station_ = nullptr;
    HDESK desktop_ = nullptr;
};

class RunnerRun : public ::testing::TestWithParam<RunnerCase> {};

TEST_P(RunnerRun, CountsNamesEndsAndLeavesOnlyItsResults) {
    const RunnerCase& c = GetParam();
    ScratchFolder scratch("ravlo-runner");
    ASSERT_TRUE(scratch.Created());
    // Unzipped under a Swedish user name.
    const std::wstring bundle = LongPath(scratch.WidePath()) + L"\\bundle \u00E5\u00E4\u00F6";
    ASSERT_TRUE(CreateDirectoryW(bundle.c_str(), nullptr));
    for (const wchar_t* name : {kRunner, kFake})
        ASSERT_TRUE(CopyFileW(BesideThisExe(name).c_str(), (bundle + L"\\" + name).c_str(), TRUE)) << name;

    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    const std::wstring outputPath = scratch.WidePath() + L"\\output.txt";
    const HANDLE output = CreateFileW(outputPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inheritable, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(output, INVALID_HANDLE_VALUE);
    HiddenWindowStation hidden;
    std::wstring desktop;
    if (c.withoutDesktop) {
        ASSERT_TRUE(hidden.Made()) << "error " << GetLastError();
        desktop = hidden.Desktop();
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = output;
    startup.lpDesktop = desktop.empty() ? nullptr : &desktop[0];
    std::wstring commandLine = L"\"" + bundle + L"\\" + kRunner + L"\" " + kLimit +
                               (c.filter ? std::wstring(L" --filter=") + c.filter : L"") + L" " + kFake;
    PROCESS_INFORMATION runner{};
    // No console window: none could be made on the hidden window station.
    ASSERT_TRUE(CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                               bundle.c_str(), &startup, &runner))
        << "error " << GetLastError();
    CloseHandle(output);
    CloseHandle(runner.hThread);
    const bool ended = WaitForSingleObject(runner.hProcess, kRunnerGivenUpMs) == WAIT_OBJECT_0;
    DWORD exitCode = 0;
    GetExitCodeProcess(runner.hProcess, &exitCode);
    CloseHandle(runner.hProcess);

    EXPECT_TRUE(ended) << "the runner still ran after " << kRunnerGivenUpMs / 1000 << " s";
    const std::vector<std::wstring> left = EndProcessesIn(bundle);
    EXPECT_TRUE(left.empty()) << left.size() << " processes of the bundle still ran after the runner";
    EXPECT_EQ(exitCode, c.exitCode);

    const std::string printed = FileBytes(outputPath);
    std::vector<std::string> lines;
    for (std::size_t start = 0, end; start < printed.size(); start = end + 1) {
        end = printed.find('\n', start);
        if (end == std::string::npos) end = printed.size();
        lines.push_back(printed.substr(start, end - start - (end > start && printed[end - 1] == '\r')));
    }
    EXPECT_EQ(lines.empty() ? "" : lines.back(), c.lastLine) << printed;
    for (const std::string& name : c.failed) {
        bool named = false;
        for (const std::string& line : lines) named = named || (line.find("FAILED") != std::string::npos &&
                                                                line.find(name + ":") != std::string::npos);
        EXPECT_TRUE(named) << name << " is not named as failed in:\n" << printed;
    }
    for (const std::string& text : c.shown)
        EXPECT_NE(printed.find(text), std::string::npos) << "\"" << text << "\" is not in:\n" << printed;

    std::set<std::wstring> expected{kRunner, kFake};
    if (c.results) {
        expected.insert(L"results.xml");
        const std::string results = FileBytes(bundle + L"\\results.xml");
        EXPECT_NE(results.find(c.results), std::string::npos) << c.results << " is not in:\n" << results;
    }
    EXPECT_EQ(FilesIn(bundle), expected);

    // Nothing left in the profile either.
    std::vector<std::wstring> fakeScratch;
    for (const std::wstring& name : FilesIn(TempFolder()))
        if (name.compare(0, std::wcslen(kFakeScratchPrefix), kFakeScratchPrefix) == 0) fakeScratch.push_back(name);
    EXPECT_EQ(fakeScratch, std::vector<std::wstring>{});
    HKEY key = nullptr;
    EXPECT_NE(RegOpenKeyExW(HKEY_CURRENT_USER, kFakeDialogKey, 0, KEY_READ, &key), ERROR_SUCCESS);
    if (key) RegCloseKey(key);
}

INSTANTIATE_TEST_SUITE_P(Runs, RunnerRun, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<RunnerCase>& info) { return info.param.label; });

}  // namespace
