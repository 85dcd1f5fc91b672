// The results file, JUnit's form: one testsuite for each test program.
#ifndef RAVLO_TEST_RUNNER_RESULTS_XML_H
#define RAVLO_TEST_RUNNER_RESULTS_XML_H

#include <string>
#include <vector>

#include "gtest_text.h"

struct TestResult {
    std::wstring program;  // the exe's file name
    std::string name;      // "Suite.Name"
    Outcome outcome;
    std::string output;  // kept for failed tests only
    double seconds;
};

// Written as UTF-8; false when the file could not be written.
bool WriteResults(const std::wstring& path, const std::vector<TestResult>& results);

#endif
