// Random use: thousands of seeded, weighted clicks on whatever a user could
// click, with the program's invariants checked after every one. A failure
// names the seed and the click number; RAVLO_SOAK_SEED replays one seed.
#include <cstdlib>
#include <cstring>
#include <future>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "../common/row_format.h"
#include "../common/save_dialog.h"
#include "dialog_fixture.h"
#include "texts/portable/help_texts.h"

namespace {

const int kCountIds[] = {1040, 1041, 1042, 1043, 1044, 1045, 1046, 1047, 1048, 1049, 1050, 1051, 1052, 1053, 1054,
                         1055, 1056, 1057, 1058, 1059, 1060, 1061, 1062, 1063, 1064, 1065, 1066, 1067, 1071, 1113};
const int kCountValues[] = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14,  72,
                            15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 36, 50, 60, 144, 256};

const std::string kNoMethod = "V\xC4LJ slumpmetod!!!!!";
const std::string kIncomplete = "Du M\xC5STE kryssa i alla matcher!!!!!";
const std::string kFull = "Texten \xE4r full! Spara raderna och b\xF6rja om.";
const std::string kAllSure = "13 matcher redan s\xE4kra.";

std::set<std::string> ProgramMessages() {
    std::set<std::string> messages = {
        "H\xE4r visas status och varningar!", "Stryktipset.", "Italienska stryktipset.",
        "Rad referens generering vald.", "Statistiskt England generering vald.",
        "Statistiskt Sverige generering vald.", "Nu l\xE4ggs det till p\xE5 slutet.",
        "Instruktioner visas i f\xF6nstret.", "S\xE4ker/REF match slumpad.", kAllSure, kNoMethod, kIncomplete, kFull};
    for (int value : kCountValues)
        messages.insert(std::to_string(value) + (value == 1 || value == 15 ? " enkelrad vald." : " enkelrader vald."));
    for (int m = 1; m <= 13; ++m) {
        const std::string match = "Match " + std::to_string(m);
        for (const char* words : {" s\xE4ker etta vald.", " s\xE4kert kryss vald.", " s\xE4ker tv\xE5" "a vald.", " s\xE4ker."})
            messages.insert(match + words);
    }
    return messages;
}

// Everything the user can click, by family, with how often the soak clicks it.
enum Family { kGenerate, kDraw, kSign, kMethod, kGame, kCount, kAppend, kSure, kHelp, kSave, kTyping, kInert };
const double kWeights[] = {14, 8, 22, 8, 3, 10, 5, 6, 3, 0.05, 1, 1};

class SoakTest : public DialogTest, public ::testing::WithParamInterface<unsigned> {
public:
    int SignOf(int match) const {  // -1 free, -2 more than one box
        int sign = -1;
        for (int k = 0; k < 3; ++k)
            if (Checked(SignId(match, k))) sign = sign == -1 ? k : -2;
        return sign;
    }

    void Run(unsigned soakSeed, int clicks, int fillAt);
    void Act(Family f);
    void CheckInvariants();

    int checks = 0;
    std::map<std::string, int> refusals;

    std::mt19937 random;
    std::set<std::string> messages = ProgramMessages();
    bool sureShown = false;  // what the last "Rad Ref." click left
    int expectedRader = 0;
    int expectedCount = 1;
    std::string textStart;   // the text the current run of rows grows from
};

void SoakTest::CheckInvariants() {
    ++checks;
    ASSERT_LE(Checked(IDC_STRYKTIPSET) + Checked(IDC_ITALIENSKA), 1);
    ASSERT_LE(Checked(IDC_REF_ROW) + Checked(IDC_ENGLAND) + Checked(IDC_SWEDEN), 1);
    for (int m = 1; m <= 13; ++m) ASSERT_NE(SignOf(m), -2) << "match " << m;
    for (int m = 1; m <= 13; ++m) ASSERT_EQ(Shown(SureId(m)), sureShown) << "match " << m;
    ASSERT_EQ(messages.count(Status()), 1u) << Status();
    ASSERT_EQ(Rader, expectedRader);
    ASSERT_EQ(antal_enkelrader, expectedCount);
    ASSERT_LE(std::strlen(test), 254559u);
}

void SoakTest::Act(Family f) {
    const std::string before = test;
    const int raderBefore = Rader;
    const bool append = Checked(IDC_APPEND);
    switch (f) {
    case kGenerate: {
        const bool method = Checked(IDC_ENGLAND) || Checked(IDC_SWEDEN) || Checked(IDC_REF_ROW);
        const bool ref = Checked(IDC_REF_ROW);
        bool complete = true;
        int signs[14], sure[14];
        for (int m = 1; m <= 13; ++m) {
            signs[m] = SignOf(m);
            sure[m] = Checked(SureId(m));
            complete = complete && signs[m] >= 0;
        }
        const bool startsAnew = !(append && Rader >= 1);
        std::string header;
        if (startsAnew && Checked(IDC_STRYKTIPSET)) header = "Stryktipset";
        if (startsAnew && Checked(IDC_ITALIENSKA)) header = "Italienska Stryktipset";
        const std::string kept = header.empty() ? before : header;
        const bool fits = kept.size() + 29u * expectedCount <= 254559u;
        const std::string fieldBefore = Rows();
        Click(IDC_GENERATE);
        ++checks;
        const std::string text = test;
        ASSERT_TRUE(Shown(IDC_SAVE));
        if (!method || (ref && !complete) || !fits) {  // refused: nothing changes
            const std::string& warning = !method ? kNoMethod : (ref && !complete) ? kIncomplete : kFull;
            ASSERT_EQ(Status(), warning);
            ++refusals[warning];
            ASSERT_EQ(text, before);
            ASSERT_EQ(Rows(), fieldBefore);
            ASSERT_EQ(Rader, raderBefore);
            break;
        }
        ASSERT_EQ(Rows(), text);
        expectedRader += expectedCount;
        ASSERT_EQ(text.size(), kept.size() + 29u * expectedCount);
        ASSERT_EQ(text.compare(0, kept.size(), kept), 0);
        ASSERT_EQ(RowsError(text, kept.size()), "");
        if (!header.empty()) textStart = header;
        // The whole text: its start, then nothing but rows.
        ASSERT_EQ(text.compare(0, textStart.size(), textStart), 0);
        ASSERT_EQ(RowsError(text, textStart.size()), "");
        for (int row = 0; row < expectedCount; ++row) {
            const std::size_t at = kept.size() + 29u * row;
            for (int m = 1; m <= 13; ++m) {
                const char sign = text[at + 2 + 2 * m];
                const bool keeps = ref ? (sure[m] || (startsAnew && row == 0)) : signs[m] >= 0;
                if (keeps) {
                    ASSERT_EQ(sign, "1X2"[signs[m]]) << "row " << row << " match " << m;
                }
            }
        }
        break;
    }
    case kDraw: {
        int free = 0, boxes = 0;
        for (int m = 1; m <= 13; ++m) {
            free += SignOf(m) == -1;
            for (int k = 0; k < 3; ++k) boxes += Checked(SignId(m, k));
        }
        Click(IDC_DRAW);
        int freeAfter = 0;
        for (int m = 1; m <= 13; ++m) freeAfter += SignOf(m) == -1;
        ASSERT_EQ(Status(), boxes >= 13 ? kAllSure : "S\xE4ker/REF match slumpad.");
        ASSERT_EQ(freeAfter, boxes >= 13 ? free : free - 1);
        break;
    }
    case kSign: Click(SignId(1 + random() % 13, random() % 3)); break;
    case kMethod: {
        const int ids[] = {IDC_REF_ROW, IDC_ENGLAND, IDC_SWEDEN};
        const int id = ids[random() % 3];
        Click(id);
        if (id == IDC_REF_ROW) sureShown = Checked(IDC_REF_ROW);
        break;
    }
    case kGame:
        Click(random() % 2 ? IDC_STRYKTIPSET : IDC_ITALIENSKA);
        expectedRader = 0;
        break;
    case kCount: {
        // Mostly small presses, so the text grows slowly and sometimes fills up.
        const int i = random() % 4 ? random() % 14 : random() % 30;
        Click(kCountIds[i]);
        expectedCount = kCountValues[i];
        break;
    }
    case kAppend: Click(IDC_APPEND); break;
    case kSure:
        if (!sureShown) return;  // hidden boxes cannot be clicked
        Click(SureId(1 + random() % 13));
        break;
    case kHelp:
        if (random() % 2) {
            Click(IDC_INSTRUCTIONS);
            ASSERT_EQ(Rows(), kInstructionText);
            ASSERT_EQ(test, before);
        } else {
            Click(IDC_DRAW_INFO);
            textStart = std::string(kDrawInfoHeading) + kDrawInfoBody;
            ASSERT_EQ(test, textStart);
            ASSERT_EQ(Rows(), textStart);
        }
        break;
    case kSave: {
        if (!Shown(IDC_SAVE)) return;
        const DWORD pid = GetCurrentProcessId();
        auto user = std::async(std::launch::async, [pid] { return save_dialog::CancelSaveDialog(pid, 10000); });
        Click(IDC_SAVE);
        ASSERT_TRUE(user.get());
        break;
    }
    case kTyping: {
        const LRESULT length = SendMessageA(Item(IDC_ROWS), WM_GETTEXTLENGTH, 0, 0);
        const WPARAM at = length ? random() % length : 0;
        SendMessageA(Item(IDC_ROWS), EM_SETSEL, at, at + 1);
        SendMessageA(Item(IDC_ROWS), WM_CHAR, "1X2"[random() % 3], 0);
        break;
    }
    case kInert: Click(random() % 2 ? IDC_STATUS : IDC_ROWS); break;
    }
}

void SoakTest::Run(unsigned soakSeed, int clicks, int fillAt) {
    std::discrete_distribution<int> family(std::begin(kWeights), std::end(kWeights));
    random.seed(soakSeed);
    rg.RandomInit(static_cast<std::int32_t>(soakSeed));
    for (int click = 1; click <= clicks; ++click) {
        SCOPED_TRACE("soak seed " + std::to_string(soakSeed) + ", click " + std::to_string(click));
        const Family f = static_cast<Family>(family(random));
        Act(f);
        if (HasFatalFailure()) return;
        CheckInvariants();
        if (HasFatalFailure()) return;
        if (fillAt == click) {
            // A user who keeps adding 256 rows until the text is full.
            if (!Checked(IDC_APPEND)) Click(IDC_APPEND);
            if (!Checked(IDC_ENGLAND)) Click(IDC_ENGLAND);
            Click(IDC_COUNT_256);
            expectedCount = 256;
            for (int press = 0; press < 100 && refusals[kFull] == 0 && !HasFatalFailure(); ++press) {
                Act(kGenerate);
                CheckInvariants();
            }
            if (HasFatalFailure()) return;
            EXPECT_EQ(refusals[kFull], 1);
        }
    }
    RecordProperty("clicks", clicks);
    RecordProperty("checks", checks);
    std::printf("soak seed %u: %d clicks, %d invariant checks, refused presses: %d no method, %d incomplete "
                "reference row, %d text full\n",
                soakSeed, clicks, checks, refusals[kNoMethod], refusals[kIncomplete], refusals[kFull]);
}

TEST_P(SoakTest, InvariantsHoldUnderRandomClicks) {
    const char* replay = std::getenv("RAVLO_SOAK_SEED");
    const unsigned seed = replay ? static_cast<unsigned>(std::strtoul(replay, nullptr, 10)) : GetParam();
    // Two of the shards also fill the text to the brim halfway through.
    Run(seed, 5000, GetParam() % 2 ? 2500 : 0);
}

// Four shards of 5,000 clicks, so they spread over the test runner's cores.
INSTANTIATE_TEST_SUITE_P(Seeds, SoakTest, ::testing::Values(20261208u, 1u, 4712u, 8777u));

}  // namespace
