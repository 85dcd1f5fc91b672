#include "gtest_text.h"

#include <cstdio>

namespace {

bool StartsWith(const std::string& text, const std::string& start) { return text.compare(0, start.size(), start) == 0; }

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    return first == std::string::npos ? "" : text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// "[       OK ] Suite.Name (3 ms)", "[  FAILED  ] Suite.Name/0, where GetParam() = 2 (1 ms)".
bool Reports(const std::string& line, const std::string& tag, const std::string& name) {
    if (!StartsWith(line, tag + name)) return false;
    const std::size_t end = tag.size() + name.size();
    return end == line.size() || line[end] == ' ' || line[end] == ',';
}

const char kOk[] = "[       OK ] ";
const char kSkipped[] = "[  SKIPPED ] ";
const char kFailed[] = "[  FAILED  ] ";

bool AnyReports(const std::vector<std::string>& lines, const char* tag, const std::string& name) {
    for (const std::string& line : lines)
        if (Reports(line, tag, name)) return true;
    return false;
}

// The message of GTEST_SKIP(): the lines after "file(12): Skipped" up to the
// "[  SKIPPED ]" line.
std::string SkipMessage(const std::vector<std::string>& lines, const std::string& name) {
    std::string message;
    bool inMessage = false;
    for (const std::string& line : lines) {
        if (Reports(line, kSkipped, name)) break;
        if (inMessage && !Trimmed(line).empty()) message += (message.empty() ? "" : " ") + Trimmed(line);
        if (EndsWith(line, ": Skipped") || line == "Skipped") inMessage = true;
    }
    return message.empty() ? "GoogleTest gave no reason" : message;
}

std::string ExitText(unsigned long code) {
    char text[64];
    if (code >= 0xC0000000ul)
        std::snprintf(text, sizeof text, "crashed (exception 0x%08lX)", code);
    else
        std::snprintf(text, sizeof text, "exit code %lu", code);
    return text;
}

}  // namespace

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

// Suites start at the line's start and end in '.', perhaps followed by
// "  # TypeParam = ..."; their tests are indented, perhaps followed by
// "  # GetParam() = ...". Other lines (gtest_main's "Running main() from")
// belong to no suite.
std::vector<std::string> ListedTests(const std::string& listing) {
    std::vector<std::string> names;
    std::string suite;
    for (const std::string& line : Lines(listing)) {
        if (line.empty()) continue;
        const std::string first = line.substr(0, line.find(' ', line.find_first_not_of(' ')));
        if (line[0] != ' ') {
            suite = EndsWith(first, ".") ? first : "";
        } else if (!suite.empty() && !Trimmed(first).empty()) {
            names.push_back(suite + Trimmed(first));
        }
    }
    return names;
}

// As GoogleTest decides it: "DISABLED_*" or "*/DISABLED_*", for the suite or the test.
bool IsDisabled(const std::string& name) {
    const std::size_t dot = name.find('.');
    for (const std::string& part : {name.substr(0, dot), dot == std::string::npos ? "" : name.substr(dot + 1)})
        if (StartsWith(part, "DISABLED_") || part.find("/DISABLED_") != std::string::npos) return true;
    return false;
}

Outcome Judge(const std::string& name, const ChildRun& run, unsigned limitSeconds) {
    if (!run.started) return {Verdict::Failed, "did not start"};
    if (run.timedOut) return {Verdict::Failed, "timed out after " + std::to_string(limitSeconds) + " s"};
    const std::vector<std::string> lines = Lines(run.output);
    const bool passed = AnyReports(lines, kOk, name);
    if (run.exitCode != 0) {
        const std::string exit = ExitText(run.exitCode);
        if (AnyReports(lines, kFailed, name)) return {Verdict::Failed, "failed (" + exit + ")"};
        return {Verdict::Failed, passed ? exit + " after GoogleTest reported it passed" : exit};
    }
    if (passed) return {Verdict::Passed, ""};
    if (AnyReports(lines, kSkipped, name)) return {Verdict::Skipped, SkipMessage(lines, name)};
    return {Verdict::Failed, "did not run: exit code 0 without GoogleTest's result for it"};
}
