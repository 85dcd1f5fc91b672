// What a GoogleTest program says: the tests it lists, and how one of them went.
#ifndef RAVLO_TEST_RUNNER_GTEST_TEXT_H
#define RAVLO_TEST_RUNNER_GTEST_TEXT_H

#include <string>
#include <vector>

#include "child_run.h"

// The full names ("Suite.Name", "Prefix/Suite.Name/0") that
// --gtest_list_tests printed, in its order.
std::vector<std::string> ListedTests(const std::string& listing);

// GoogleTest lists disabled tests too, but runs them only when told.
bool IsDisabled(const std::string& name);

enum class Verdict { Passed, Failed, Skipped };

struct Outcome {
    Verdict verdict;
    std::string why;  // a failure's cause or GoogleTest's skip message; empty for a pass
};

// A test passed when its process exited 0 and GoogleTest reported it passed.
Outcome Judge(const std::string& name, const ChildRun& run, unsigned limitSeconds);

// The text's lines, without their line ends.
std::vector<std::string> Lines(const std::string& text);

#endif
