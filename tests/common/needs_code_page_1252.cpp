// Most cases give the controls and files their texts through the ANSI
// functions, in Windows-1252, and compare what comes back: they hold only
// where the system's code page is 1252. Under Wine each prefix's code page
// is set by the tests' own scripts, so there a wrong one fails as it is; on
// Windows the code page belongs to the whole system, and elsewhere than 1252
// such a case is skipped, saying why. The cases written for any code page
// (CodePage.*, *OnAnyCodePage) always run.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "under_wine.h"

namespace {

bool RunsOnAnyCodePage(const ::testing::TestInfo& test) {
    const std::string name = test.name();
    const std::string suffix = "OnAnyCodePage";
    return std::strcmp(test.test_suite_name(), "CodePage") == 0 ||
           (name.size() >= suffix.size() && name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0);
}

// Skips the starting case before its fixture is set up; its body then does not run.
class NeedsCodePage1252 : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo& test) override {
        if (GetACP() != 1252 && !UnderWine() && !RunsOnAnyCodePage(test))
            GTEST_SKIP() << "needs code page 1252; this Windows uses " << GetACP();
    }
};

const bool registered = (::testing::UnitTest::GetInstance()->listeners().Append(new NeedsCodePage1252), true);

}  // namespace
