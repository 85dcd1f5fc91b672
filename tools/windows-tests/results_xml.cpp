#include "results_xml.h"

#include <windows.h>

#include <cstdio>

#include "console.h"
#include "handle.h"

namespace {

// XML 1.0 allows no control characters but tab, LF and CR; attributes keep
// their line ends only as references.
std::wstring Escaped(const std::wstring& text, bool attribute) {
    std::wstring escaped;
    for (wchar_t c : text) {
        if (c == L'&') escaped += L"&amp;";
        else if (c == L'<') escaped += L"&lt;";
        else if (c == L'>') escaped += L"&gt;";
        else if (c == L'"' && attribute) escaped += L"&quot;";
        else if ((c == L'\n' || c == L'\r' || c == L'\t') && attribute) escaped += L"&#" + std::to_wstring(c) + L";";
        else if (c < 0x20 && c != L'\n' && c != L'\r' && c != L'\t') escaped += L'?';
        else escaped += c;
    }
    return escaped;
}

std::wstring Attribute(const wchar_t* name, const std::wstring& value) {
    return std::wstring(L" ") + name + L"=\"" + Escaped(value, true) + L"\"";
}

std::wstring Seconds(double seconds) {
    wchar_t text[32];
    std::swprintf(text, 32, L"%.3f", seconds);
    return text;
}

struct Counts {
    int tests = 0, failures = 0, skipped = 0;
    double seconds = 0;
    void Add(const TestResult& result) {
        ++tests;
        failures += result.outcome.verdict == Verdict::Failed;
        skipped += result.outcome.verdict == Verdict::Skipped;
        seconds += result.seconds;
    }
    std::wstring Attributes() const {
        return Attribute(L"tests", std::to_wstring(tests)) + Attribute(L"failures", std::to_wstring(failures)) +
               Attribute(L"errors", L"0") + Attribute(L"skipped", std::to_wstring(skipped)) +
               Attribute(L"time", Seconds(seconds));
    }
};

std::wstring TestCase(const TestResult& result) {
    const std::size_t dot = result.name.find('.');
    std::wstring xml = L"    <testcase" + Attribute(L"classname", Widen(result.name.substr(0, dot))) +
                       Attribute(L"name", Widen(dot == std::string::npos ? result.name : result.name.substr(dot + 1))) +
                       Attribute(L"time", Seconds(result.seconds));
    const std::wstring why = Widen(result.outcome.why);
    switch (result.outcome.verdict) {
    case Verdict::Passed:
        return xml + L"/>\n";
    case Verdict::Skipped:
        return xml + L">\n      <skipped" + Attribute(L"message", why) + L"/>\n    </testcase>\n";
    case Verdict::Failed:
        break;
    }
    return xml + L">\n      <failure" + Attribute(L"message", why) + L"/>\n      <system-out>" +
           Escaped(Widen(result.output), false) + L"</system-out>\n    </testcase>\n";
}

}  // namespace

bool WriteResults(const std::wstring& path, const std::vector<TestResult>& results) {
    Counts all;
    std::wstring suites;
    for (std::size_t first = 0; first < results.size();) {
        std::size_t end = first;
        Counts suite;
        std::wstring cases;
        for (; end < results.size() && results[end].program == results[first].program; ++end) {
            suite.Add(results[end]);
            all.Add(results[end]);
            cases += TestCase(results[end]);
        }
        suites += L"  <testsuite" + Attribute(L"name", results[first].program) + suite.Attributes() + L">\n" + cases +
                  L"  </testsuite>\n";
        first = end;
    }
    const std::string bytes = Utf8(L"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<testsuites" + all.Attributes() +
                                   L">\n" + suites + L"</testsuites>\n");
    Handle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return file && WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}
