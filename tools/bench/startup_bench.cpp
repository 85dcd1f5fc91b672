// Time from starting a program to its dialog on screen, for ravlo.exe and for
// the minimal dialog program of the same build.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "../common/ravlo_window.h"
#include "benchmarks.h"

namespace {

std::string WindowsPath(std::string path) {
    if (!path.empty() && path[0] == '/') path = "Z:" + path;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

double Seconds() {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Seconds to the dialog, or a negative value if it never came; -2 if the exit code was not 0.
double StartAndClose(const std::string& program) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::string commandLine = "\"" + program + "\"";
    const double start = Seconds();
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return -1;
    HWND dialog = nullptr;
    while (!dialog && Seconds() - start < 20) {
        dialog = ravlo_window::Find(process.dwProcessId);
        if (!dialog) Sleep(1);
    }
    const double shown = Seconds() - start;
    if (dialog) PostMessageA(dialog, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (!dialog) return -1;
    return code == 0 ? shown : -2;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

void RunStartupBenchmark() {
    const std::string programs[3] = {WindowsPath(RAVLO_EXE), WindowsPath(MINIMAL_EXE), WindowsPath(TEMPLATE_ONLY_EXE)};
    std::vector<double> times[3];
    for (int round = 0; round < 11; ++round) {  // interleaved, so all see the same machine
        for (int p = 0; p < 3; ++p) {
            const double t = StartAndClose(programs[p]);
            if (t < 0) {
                std::printf("start-up: %s did not show its dialog or did not end with exit code 0\n",
                            programs[p].c_str());
                return;
            }
            times[p].push_back(t);
        }
    }
    const double ravlo = Median(times[0]), minimal = Median(times[1]), templateOnly = Median(times[2]);
    std::printf("Start-up to dialog on screen (median of 11, under Wine; every run closed with exit code 0)\n");
    std::printf("  ravlo.exe                           %7.1f ms\n", ravlo * 1000);
    std::printf("  one-button dialog                   %7.1f ms   ratio %.2f (goal <= 1.2)\n", minimal * 1000,
                ravlo / minimal);
    std::printf("  ravlo's template, none of its code  %7.1f ms   ratio %.2f\n", templateOnly * 1000,
                ravlo / templateOnly);
}
