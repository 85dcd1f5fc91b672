// Runs the GoogleTest programs beside it, each test in a process of its own
// with a time limit, and writes results.xml beside itself:
//   ravlo_test_runner.exe [--filter=PATTERN] [--timeout=SECONDS] [--results=FILE]
//                         [--pause-if-own-window] PROGRAM.exe...
// Its last line is "N passed, N failed, N skipped". Exit code 0: no test
// failed and at least one ran; 1: a test failed or none ran; 2: it could not
// run them (wrong arguments, no desktop, no results file).
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cwchar>
#include <set>
#include <string>
#include <vector>

#include "child_run.h"
#include "console.h"
#include "gtest_text.h"
#include "results_xml.h"
#include "traces.h"

namespace {

constexpr unsigned kDefaultLimitSeconds = 300;
// Lines of a failed test's output shown on screen; results.xml keeps it all.
constexpr std::size_t kTailLines = 40;

const wchar_t kUsage[] =
    L"usage: ravlo_test_runner.exe [--filter=PATTERN] [--timeout=SECONDS] [--results=FILE]\n"
    L"                             [--pause-if-own-window] PROGRAM.exe...\n"
    L"Runs each test of the GoogleTest programs (found beside the runner) in a process of its own.\n"
    L"  --filter=PATTERN       a --gtest_filter pattern: only the tests it matches\n"
    L"  --timeout=SECONDS      a test still running then is ended and fails (default 300)\n"
    L"  --results=FILE         the results file (default: results.xml beside the runner)\n"
    L"  --pause-if-own-window  wait for a key at the end if the console window closes then\n";

struct Options {
    std::wstring filter;
    unsigned limitSeconds = kDefaultLimitSeconds;
    std::wstring results;
    bool pause = false;
    std::vector<std::wstring> programs;
};

bool StartsWith(const std::wstring& text, const wchar_t* start) {
    return text.compare(0, std::wcslen(start), start) == 0;
}

bool Parse(int count, wchar_t** arguments, Options& options) {
    for (int i = 1; i < count; ++i) {
        const std::wstring argument = arguments[i];
        const std::wstring value = argument.substr(argument.find(L'=') + 1);
        if (StartsWith(argument, L"--filter=")) {
            options.filter = value;
        } else if (StartsWith(argument, L"--timeout=")) {
            wchar_t* end = nullptr;
            const unsigned long seconds = std::wcstoul(value.c_str(), &end, 10);
            if (value.empty() || *end || seconds == 0 || seconds > 86400) return false;
            options.limitSeconds = static_cast<unsigned>(seconds);
        } else if (StartsWith(argument, L"--results=") && !value.empty()) {
            options.results = value;
        } else if (argument == L"--pause-if-own-window") {
            options.pause = true;
        } else if (StartsWith(argument, L"-") || argument.empty()) {
            return false;
        } else {
            options.programs.push_back(argument);
        }
    }
    return !options.programs.empty();
}

std::wstring RunnerFolder() {
    std::wstring path(32768, L'\0');
    path.resize(GetModuleFileNameW(nullptr, &path[0], static_cast<DWORD>(path.size())));
    return path.substr(0, path.find_last_of(L'\\'));
}

bool IsAbsolute(const std::wstring& path) {
    return path.size() > 2 && (path[1] == L':' || (path[0] == L'\\' && path[1] == L'\\'));
}

std::wstring Duration(double seconds) {
    wchar_t text[32];
    std::swprintf(text, 32, L"%.1f s", seconds);
    return text;
}

// The end of a failed test's output, indented under its name.
void PrintTail(const std::string& output) {
    const std::vector<std::string> lines = Lines(output);
    const std::size_t first = lines.size() > kTailLines ? lines.size() - kTailLines : 0;
    std::wstring text = first ? L"    | (" + std::to_wstring(first) + L" earlier lines in the results file)\n" : L"";
    for (std::size_t i = first; i < lines.size(); ++i) text += L"    | " + Widen(lines[i]) + L"\n";
    Print(text);
}

void PrintResult(const TestResult& result) {
    const wchar_t* label = result.outcome.verdict == Verdict::Passed    ? L"passed "
                           : result.outcome.verdict == Verdict::Skipped ? L"skipped"
                                                                        : L"FAILED ";
    std::wstring line = std::wstring(L"  ") + label + L" " + Widen(result.name);
    if (!result.outcome.why.empty()) line += L": " + Widen(result.outcome.why);
    Print(line + L" (" + Duration(result.seconds) + L")\n");
    if (result.outcome.verdict == Verdict::Failed) PrintTail(result.output);
}

// Fills `results` with each test of `program`; a program whose tests cannot
// be listed counts as one failed test.
void RunProgram(const Options& options, const std::wstring& folder, const std::wstring& program,
                std::vector<TestResult>& results, std::set<DWORD>& processes) {
    const std::wstring path = IsAbsolute(program) ? program : folder + L"\\" + program;
    const std::wstring name = path.substr(path.find_last_of(L'\\') + 1);
    std::wstring listArguments = L"--gtest_list_tests";
    if (!options.filter.empty()) listArguments += L" " + QuoteArgument(L"--gtest_filter=" + options.filter);
    const ChildRun listing = RunChild(path, listArguments, folder, options.limitSeconds);
    if (!listing.started || listing.timedOut || listing.exitCode != 0) {
        Outcome failed = Judge("", listing, options.limitSeconds);
        if (!listing.started) failed.why += ": " + Utf8(listing.error);
        results.push_back({name, "(its list of tests)", failed, listing.output, listing.seconds});
        Print(name + L": its tests could not be listed\n");
        PrintResult(results.back());
        return;
    }
    std::vector<std::string> tests;
    for (const std::string& test : ListedTests(listing.output))
        if (!IsDisabled(test)) tests.push_back(test);
    Print(name + L": " + std::to_wstring(tests.size()) + (tests.size() == 1 ? L" test\n" : L" tests\n"));
    for (const std::string& test : tests) {
        const ChildRun run = RunChild(path, L"--gtest_filter=" + Widen(test), folder, options.limitSeconds);
        processes.insert(run.processId);
        TestResult result{name, test, Judge(test, run, options.limitSeconds), "", run.seconds};
        if (!run.started) result.outcome.why += ": " + Utf8(run.error);
        if (result.outcome.verdict == Verdict::Failed) result.output = run.output;
        PrintResult(result);
        results.push_back(result);
    }
}

void PrintList(const wchar_t* heading, const std::vector<TestResult>& results, Verdict verdict) {
    std::wstring list;
    int count = 0;
    for (const TestResult& result : results) {
        if (result.outcome.verdict != verdict) continue;
        ++count;
        list += L"  " + Widen(result.name) + L" (" + result.program + L"): " + Widen(result.outcome.why) + L"\n";
    }
    if (count) Print(L"\n" + std::wstring(heading) + L" (" + std::to_wstring(count) + L"):\n" + list);
}

// Runs everything and returns the exit code; `summary` gets the last line.
int RunAll(const Options& options, std::wstring& summary) {
    const std::wstring folder = RunnerFolder();
    summary = L"0 passed, 0 failed, 0 skipped";
    Print(L"Tests in " + folder + (options.filter.empty() ? L"" : L", filter " + options.filter) + L", at most " +
          std::to_wstring(options.limitSeconds) + L" s each\n");
    const std::wstring noDesktop = NoDesktopReason();
    if (!noDesktop.empty()) {
        Print(L"No test was run: the tests open windows and need a signed-in user's desktop, but " + noDesktop +
              L".\nRun run-tests.cmd in that user's session, with the screen unlocked.\n");
        return 2;
    }

    std::vector<TestResult> results;
    {
        const Traces traces;
        std::set<DWORD> processes;
        for (const std::wstring& program : options.programs) RunProgram(options, folder, program, results, processes);
        const std::vector<std::wstring> put = traces.Remove(processes);
        if (!put.empty()) Print(L"\nPut back as it was before the run:\n");
        for (const std::wstring& line : put) Print(L"  " + line + L"\n");
    }

    int counts[3] = {0, 0, 0};
    for (const TestResult& result : results) ++counts[static_cast<int>(result.outcome.verdict)];
    const int passed = counts[static_cast<int>(Verdict::Passed)];
    const int failed = counts[static_cast<int>(Verdict::Failed)];
    const int skipped = counts[static_cast<int>(Verdict::Skipped)];
    summary = std::to_wstring(passed) + L" passed, " + std::to_wstring(failed) + L" failed, " +
              std::to_wstring(skipped) + L" skipped";
    PrintList(L"Skipped", results, Verdict::Skipped);
    PrintList(L"Failed", results, Verdict::Failed);
    if (results.empty()) Print(L"\nNo test ran" + (options.filter.empty() ? L"" : L": none matches " + options.filter) + L".\n");

    const std::wstring resultsFile = options.results.empty() ? folder + L"\\results.xml" : options.results;
    if (!WriteResults(resultsFile, results)) {
        Print(L"\nThe results could not be written to " + resultsFile + L" (" + ErrorText(GetLastError()) + L").\n");
        return 2;
    }
    Print(L"\nResults: " + resultsFile + L"\n");
    return failed == 0 && !results.empty() ? 0 : 1;
}

}  // namespace

int main() {
    // Inherited by every test process: a crash ends it with its exception
    // code instead of a box that waits for a click, and so does a missing
    // disk or DLL.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    Options options;
    if (!arguments || !Parse(count, arguments, options)) {
        Print(kUsage);
        return 2;
    }
    LocalFree(arguments);
    // Decided before the run: the tests' own processes share the console.
    const bool pause = options.pause && ConsoleClosesAtEnd();
    std::wstring summary;
    const int exitCode = RunAll(options, summary);
    if (pause) Print(L"\nPress a key to close this window.\n");
    Print(summary + L"\n");
    if (pause) WaitForKey();
    return exitCode;
}
