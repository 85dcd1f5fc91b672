#include "child_run.h"

#include <tlhelp32.h>

#include <algorithm>
#include <vector>

#include "handle.h"

namespace {

// The exit code of the processes that the runner ends.
constexpr UINT kEndedByRunner = 0xE0DEAD00;
// Once the test process is gone, what it wrote is in the pipe: reading it
// out takes no time, unless something outside our reach still holds the pipe.
constexpr ULONGLONG kDrainMs = 2000;
// A test that writes without end keeps its last bytes.
constexpr std::size_t kMaxOutput = 4u << 20;

bool RunnerInJob() {
    BOOL inJob = FALSE;
    return IsProcessInJob(GetCurrentProcess(), nullptr, &inJob) && inJob;
}

bool Contains(const std::vector<DWORD>& ids, DWORD id) { return std::find(ids.begin(), ids.end(), id) != ids.end(); }

// Without a job (Windows 7 inside a job that forbids breaking away, where
// jobs do not nest) the processes a test started are found by their parent's
// id. A process created before the test cannot be its child, whatever id its
// parent had.
void EndTree(HANDLE root, DWORD rootId) {
    FILETIME rootCreated{}, unused1{}, unused2{}, unused3{};
    GetProcessTimes(root, &rootCreated, &unused1, &unused2, &unused3);
    TerminateProcess(root, kEndedByRunner);
    std::vector<DWORD> tree{rootId};
    std::vector<Handle> held;  // open handles keep the ids from being reused meanwhile
    for (bool found = true; found;) {
        found = false;
        Handle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
        PROCESSENTRY32W entry{};
        entry.dwSize = sizeof entry;
        for (BOOL more = snapshot && Process32FirstW(snapshot.Get(), &entry); more;
             more = Process32NextW(snapshot.Get(), &entry)) {
            if (Contains(tree, entry.th32ProcessID) || !Contains(tree, entry.th32ParentProcessID)) continue;
            Handle child(OpenProcess(PROCESS_TERMINATE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE,
                                     entry.th32ProcessID));
            FILETIME created{};
            if (!child || !GetProcessTimes(child.Get(), &created, &unused1, &unused2, &unused3) ||
                CompareFileTime(&created, &rootCreated) < 0)
                continue;
            TerminateProcess(child.Get(), kEndedByRunner);
            tree.push_back(entry.th32ProcessID);
            held.push_back(std::move(child));
            found = true;
        }
    }
}

}  // namespace

std::wstring ErrorText(DWORD error) {
    wchar_t* text = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring words = text ? text : L"";
    LocalFree(text);
    while (!words.empty() && (words.back() == L'\n' || words.back() == L'\r' || words.back() == L' '))
        words.pop_back();
    return L"error " + std::to_wstring(error) + (words.empty() ? L"" : L": " + words);
}

std::wstring QuoteArgument(const std::wstring& argument) {
    if (!argument.empty() && argument.find_first_of(L" \t\"") == std::wstring::npos) return argument;
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        // Backslashes double only before a quote.
        quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, L'\\');
    return quoted + L"\"";
}

ChildRun RunChild(const std::wstring& exe, const std::wstring& arguments, const std::wstring& folder,
                  DWORD limitSeconds) {
    ChildRun run;
    // A named pipe, since an anonymous one cannot be read with a time limit.
    static unsigned pipes = 0;
    const std::wstring pipeName = L"\\\\.\\pipe\\ravlo-test-runner-" + std::to_wstring(GetCurrentProcessId()) +
                                  L"-" + std::to_wstring(++pipes);
    Handle reader(CreateNamedPipeW(pipeName.c_str(), PIPE_ACCESS_INBOUND | FILE_FLAG_OVERLAPPED |
                                   FILE_FLAG_FIRST_PIPE_INSTANCE, PIPE_TYPE_BYTE | PIPE_WAIT, 1, 0, 65536, 0,
                                   nullptr));
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    Handle writer(reader ? CreateFileW(pipeName.c_str(), GENERIC_WRITE, 0, &inheritable, OPEN_EXISTING, 0, nullptr)
                         : nullptr);
    Handle input(CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable, OPEN_EXISTING,
                             0, nullptr));
    Handle readDone(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!reader || !writer || !input || !readDone) {
        run.error = L"no pipe for its output: " + ErrorText(GetLastError());
        return run;
    }

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = input.Get();
    startup.hStdOutput = writer.Get();
    startup.hStdError = writer.Get();
    std::wstring commandLine = QuoteArgument(exe) + L" " + arguments;
    PROCESS_INFORMATION info{};
    // Started suspended, so that nothing runs before it is in the job. Out
    // of a job the runner itself is in (a CI's), where the system allows it:
    // Windows 7 puts no process in two jobs.
    const DWORD flags = CREATE_SUSPENDED;
    BOOL created = RunnerInJob() && CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, TRUE,
                                                   flags | CREATE_BREAKAWAY_FROM_JOB, nullptr, folder.c_str(),
                                                   &startup, &info);
    if (!created)
        created = CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, TRUE, flags, nullptr,
                                 folder.c_str(), &startup, &info);
    if (!created) {
        run.error = ErrorText(GetLastError());
        return run;
    }
    run.started = true;
    run.processId = info.dwProcessId;
    Handle process(info.hProcess), thread(info.hThread);
    // The child holds its own copies: the pipe ends when the last writer does.
    writer.Reset();
    input.Reset();

    // Kill-on-close: should the runner itself be ended, its tests go too.
    Handle job(CreateJobObjectW(nullptr, nullptr));
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags =
        JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE | JOB_OBJECT_LIMIT_DIE_ON_UNHANDLED_EXCEPTION;
    if (!job || !SetInformationJobObject(job.Get(), JobObjectExtendedLimitInformation, &limits, sizeof limits) ||
        !AssignProcessToJobObject(job.Get(), process.Get()))
        job.Reset();
    const auto endAll = [&] {
        if (job)
            TerminateJobObject(job.Get(), kEndedByRunner);
        else
            EndTree(process.Get(), info.dwProcessId);
    };

    const ULONGLONG start = GetTickCount64();
    ResumeThread(thread.Get());
    const ULONGLONG deadline = start + limitSeconds * 1000ull;

    OVERLAPPED overlapped{};
    overlapped.hEvent = readDone.Get();
    char buffer[8192];
    bool open = true, pending = false;
    const auto keep = [&](DWORD got) {
        run.output.append(buffer, got);
        if (run.output.size() > kMaxOutput) run.output.erase(0, run.output.size() - kMaxOutput / 2);
    };
    const auto read = [&] {
        DWORD got = 0;
        while (ReadFile(reader.Get(), buffer, sizeof buffer, &got, &overlapped)) keep(got);
        pending = GetLastError() == ERROR_IO_PENDING;
        open = pending;  // ERROR_BROKEN_PIPE: every writer has closed it
    };
    read();
    bool exited = false;
    ULONGLONG until = deadline;
    // Until it has ended and its output is read; a test may close its output
    // and go on running.
    while (open || !exited) {
        const ULONGLONG now = GetTickCount64();
        if (now >= until) {
            if (exited) break;
            run.timedOut = true;
            endAll();
            exited = true;
            until = now + kDrainMs;
            continue;
        }
        HANDLE waits[2];
        DWORD count = 0;
        if (pending) waits[count++] = readDone.Get();
        if (!exited) waits[count++] = process.Get();
        const DWORD woke = WaitForMultipleObjects(count, waits, FALSE, static_cast<DWORD>(until - now));
        if (woke == WAIT_FAILED) break;
        if (woke == WAIT_TIMEOUT) continue;
        if (pending && woke == WAIT_OBJECT_0) {
            DWORD got = 0;
            pending = false;
            if (GetOverlappedResult(reader.Get(), &overlapped, &got, FALSE)) {
                keep(got);
                read();
            } else {
                open = false;
            }
        } else {
            // It has ended; whatever it left running goes now.
            endAll();
            exited = true;
            until = GetTickCount64() + kDrainMs;
        }
    }
    if (pending) {
        DWORD got = 0;
        CancelIoEx(reader.Get(), &overlapped);
        if (GetOverlappedResult(reader.Get(), &overlapped, &got, TRUE)) keep(got);
    }
    if (!exited) endAll();
    WaitForSingleObject(process.Get(), 5000);
    GetExitCodeProcess(process.Get(), &run.exitCode);
    run.seconds = (GetTickCount64() - start) / 1000.0;
    return run;
}
