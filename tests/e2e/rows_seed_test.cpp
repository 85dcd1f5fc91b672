// The started program draws its rows from a generator seeded with the clock at
// start-up. Each scenario clicks through the dialog of a fresh process, presses
// GENERERA several times and keeps what the rows field shows after each press;
// one clock second between launch and the dialog's appearance must then
// reproduce every one of those texts.
#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

#include "../common/dialog_ids.h"
#include "../common/statistics.h"
#include "generation/portable/random_mersenne.h"
#include "generation/portable/rows.h"
#include "ravlo_process.h"
#include "resource.h"

namespace {

enum class Method { England, Sweden, Reference, None };

// What a press must leave in the rows field, described independently of the
// clicks that lead there.
struct Expected {
    bool continues;      // the rows follow the previous text
    const char* header;  // the new text's header when not continuing
    Method method;
    int rows;
    const char* signs;   // per match '1', 'X', '2', or '-' for none
    const char* sure;    // per match 'S' when its "säker?" box is ticked
};

struct Step {
    std::vector<int> clicks;  // clicked in this order, then GENERERA
    Expected press;
    const char* status;       // status line after the press (Windows-1252)
};

struct Scenario {
    const char* name;
    std::vector<Step> steps;
};

constexpr const char* kNoSigns = "-------------";
constexpr const char* kNoSure = ".............";

int SignValue(char c) { return c == '1' ? 0 : c == 'X' ? 1 : c == '2' ? 2 : rows::kNoSign; }

// The clicks that tick `signs` into the sign boxes of an empty coupon.
std::vector<int> Tick(const char* signs) {
    std::vector<int> ids;
    for (int m = 1; m <= rows::kMatches; ++m)
        if (signs[m - 1] != '-') ids.push_back(SignId(m, SignValue(signs[m - 1])));
    return ids;
}

std::vector<int> Join(std::initializer_list<std::vector<int>> parts) {
    std::vector<int> all;
    for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

// The rows field after each step of `scenario`, for a program started with `seed`.
std::vector<std::string> ExpectedTexts(const std::vector<Step>& steps, std::int32_t seed) {
    TRandomMersenne generator(seed);
    int lastDraw = 0;
    std::string text;
    std::vector<std::string> texts;
    for (const Step& step : steps) {
        const Expected& e = step.press;
        if (e.method != Method::None) {
            rows::Press press{};
            press.referenceRow = e.method == Method::Reference;
            press.statistics = e.method == Method::Sweden ? kSwedenStatistics : kEnglandStatistics;
            press.startsAnew = !e.continues;
            press.rowCount = e.rows;
            for (int m = 0; m < rows::kMatches; ++m) {
                press.sign[m] = SignValue(e.signs[m]);
                press.sure[m] = e.sure[m] == 'S';
            }
            std::string added(e.rows * rows::kRowLength, '\0');
            char* end = rows::WriteRows(press, generator, lastDraw, &added[0]);
            added.resize(end - &added[0]);
            text = (e.continues ? text : std::string(e.header)) + added;
        }
        texts.push_back(text);
    }
    return texts;
}

const Scenario kScenarios[] = {
    {"EnglishNewTextThenSwedishAppend",
     {
         {{IDC_COUNT_2}, {false, "Stryktipset", Method::England, 2, kNoSigns, kNoSure},
          "2 enkelrader vald."},
         {{IDC_APPEND, IDC_SWEDEN, IDC_COUNT_3},
          {true, nullptr, Method::Sweden, 3, kNoSigns, kNoSure}, "3 enkelrader vald."},
         {{}, {true, nullptr, Method::Sweden, 3, kNoSigns, kNoSure}, "3 enkelrader vald."},
         // Append off again: a new text, the stream running on.
         {{IDC_ENGLAND, IDC_APPEND},
          {false, "Stryktipset", Method::England, 3, kNoSigns, kNoSure},
          "Nu l\xE4ggs det till p\xE5 slutet."},
     }},
    {"FixedSignsOnItalianSwedish",
     {
         {Join({{IDC_ITALIENSKA, IDC_SWEDEN}, Tick("X-----------2"), {IDC_COUNT_5}}),
          {false, "Italienska Stryktipset", Method::Sweden, 5, "X-----------2", kNoSure},
          "5 enkelrader vald."},
         // Clicking a ticked box again frees its match; ticking another
         // sign of a match replaces the one it had.
         {{SignId(1, SignValue('X')), SignId(13, SignValue('1')), SignId(7, SignValue('2'))},
          {false, "Italienska Stryktipset", Method::Sweden, 5, "------2-----1", kNoSure},
          "Match 7 s\xE4ker tv\xE5" "a vald."},
     }},
    {"ReferenceRow",
     {
         {Join({{IDC_REF_ROW}, Tick("1X21X21X21X21"), {SureId(1), SureId(9), IDC_COUNT_4}}),
          {false, "Stryktipset", Method::Reference, 4, "1X21X21X21X21", "S.......S...."},
          "4 enkelrader vald."},
         // Continuing: no reference row of its own, draws around it.
         {{IDC_APPEND},
          {true, nullptr, Method::Reference, 4, "1X21X21X21X21", "S.......S...."},
          "Nu l\xE4ggs det till p\xE5 slutet."},
         // A game box starts the text anew even in append mode.
         {{IDC_ITALIENSKA, SureId(9), SignId(2, SignValue('2'))},
          {false, "Italienska Stryktipset", Method::Reference, 4, "1221X21X21X21", "S............"},
          "Match 2 s\xE4ker tv\xE5" "a vald."},
         // No method: a warning and nothing else.
         {{IDC_REF_ROW}, {false, nullptr, Method::None, 0, kNoSigns, kNoSure},
          "V\xC4LJ slumpmetod!!!!!"},
         // Every match fixed under statistics: the coupon itself, no draws.
         {{IDC_ENGLAND, IDC_COUNT_2},
          {true, nullptr, Method::England, 2, "1221X21X21X21", kNoSure}, "2 enkelrader vald."},
     }},
};

void PrintTo(const Scenario& scenario, std::ostream* out) { *out << scenario.name; }

class RowsFollowTheClockSeed : public ::testing::TestWithParam<Scenario> {};

TEST_P(RowsFollowTheClockSeed, InEveryPressOfTheRun) {
    const Scenario& scenario = GetParam();
    e2e::RavloProcess ravlo;
    ASSERT_TRUE(ravlo.Start()) << ravlo.Error();

    std::vector<std::string> shown;
    for (const Step& step : scenario.steps) {
        for (int id : step.clicks) {
            ASSERT_TRUE(ravlo.IsShown(id)) << "control " << id << " is hidden, no user could click it";
            ASSERT_TRUE(ravlo.Click(id)) << "control " << id;
        }
        ASSERT_TRUE(ravlo.Click(IDC_GENERATE));
        shown.push_back(ravlo.Text(IDC_ROWS));
        EXPECT_EQ(ravlo.Text(IDC_STATUS), step.status) << "after press " << shown.size();
    }
    EXPECT_EQ(ravlo.Close(), 0);

    // The program read the clock once, between these two readings of ours.
    std::ostringstream misses;
    bool matched = false;
    for (time_t t = ravlo.clockBeforeLaunch; t <= ravlo.clockDialogShown && !matched; ++t) {
        const std::vector<std::string> expected = ExpectedTexts(scenario.steps, static_cast<std::int32_t>(t));
        matched = expected == shown;
        for (std::size_t i = 0; !matched && i < shown.size(); ++i) {
            if (expected[i] == shown[i]) continue;
            misses << "seed " << t << ", press " << i + 1 << ":\n  shown    " << ::testing::PrintToString(shown[i])
                   << "\n  expected " << ::testing::PrintToString(expected[i]) << "\n";
            break;
        }
    }
    EXPECT_TRUE(matched) << "no clock second from " << ravlo.clockBeforeLaunch << " to "
                         << ravlo.clockDialogShown << " gives the rows shown\n"
                         << misses.str();
}

INSTANTIATE_TEST_SUITE_P(Scenarios, RowsFollowTheClockSeed, ::testing::ValuesIn(kScenarios),
                         [](const ::testing::TestParamInfo<Scenario>& info) { return std::string(info.param.name); });

// The expectations above are only as good as this model of a run, so it is
// held against rows worked out by hand for a generator seeded with 1.
struct WorkedCase {
    const char* name;
    std::vector<Step> steps;
    std::vector<std::string> texts;
};

TEST(RowsModel, ReproducesRowsWorkedOutForSeedOne) {
    const WorkedCase cases[] = {
        {"England, two rows",
         {{{}, {false, "Stryktipset", Method::England, 2, kNoSigns, kNoSure}, ""}},
         {"Stryktipset\r\nE,X,2,1,2,1,X,2,2,1,X,1,X,1\r\nE,2,1,1,2,1,X,2,X,2,2,2,1,1"}},
        {"England, one row, then one appended",
         {{{}, {false, "Stryktipset", Method::England, 1, kNoSigns, kNoSure}, ""},
          {{}, {true, nullptr, Method::England, 1, kNoSigns, kNoSure}, ""}},
         {"Stryktipset\r\nE,X,2,1,2,1,X,2,2,1,X,1,X,1",
          "Stryktipset\r\nE,X,2,1,2,1,X,2,2,1,X,1,X,1\r\nE,2,1,1,2,1,X,2,X,2,2,2,1,1"}},
        {"England, one row, then a new text",
         {{{}, {false, "Stryktipset", Method::England, 1, kNoSigns, kNoSure}, ""},
          {{}, {false, "Stryktipset", Method::England, 1, kNoSigns, kNoSure}, ""}},
         {"Stryktipset\r\nE,X,2,1,2,1,X,2,2,1,X,1,X,1", "Stryktipset\r\nE,2,1,1,2,1,X,2,X,2,2,2,1,1"}},
        {"Italian, Sweden, one row",
         {{{}, {false, "Italienska Stryktipset", Method::Sweden, 1, kNoSigns, kNoSure}, ""}},
         {"Italienska Stryktipset\r\nE,X,2,X,2,1,X,2,2,1,X,X,X,1"}},
        {"England with matches 1 and 13 fixed",
         {{{}, {false, "Stryktipset", Method::England, 1, "X-----------2", kNoSure}, ""}},
         {"Stryktipset\r\nE,X,X,2,1,2,1,X,2,2,1,X,1,2"}},
        {"reference row, match 1 sure, three rows",
         {{{}, {false, "Stryktipset", Method::Reference, 3, "1X21X21X21X21", "S............"}, ""}},
         {"Stryktipset\r\nE,1,X,2,1,X,2,1,X,2,1,X,2,1\r\nE,1,1,X,1,2,2,X,1,X,1,1,2,X"
          "\r\nE,1,X,X,1,X,X,1,1,X,X,2,X,2"}},
        {"no method leaves the text",
         {{{}, {false, "Stryktipset", Method::England, 1, kNoSigns, kNoSure}, ""},
          {{}, {false, nullptr, Method::None, 0, kNoSigns, kNoSure}, ""}},
         {"Stryktipset\r\nE,X,2,1,2,1,X,2,2,1,X,1,X,1", "Stryktipset\r\nE,X,2,1,2,1,X,2,2,1,X,1,X,1"}},
    };
    for (const WorkedCase& c : cases) EXPECT_EQ(ExpectedTexts(c.steps, 1), c.texts) << c.name;
}

}  // namespace
