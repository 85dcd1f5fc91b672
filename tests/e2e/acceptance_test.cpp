// The shipped program under a fixed script of 200 clicks that touches
// every control family, every method, append, the full-text refusal and a
// save. After every click the dialog must show what the program model shows
// when started from one of the clock seeds possible at launch.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "../common/dialog_ids.h"
#include "../common/files.h"
#include "../common/save_dialog.h"
#include "../common/scratch_folder.h"
#include "program_model.h"
#include "ravlo_process.h"

namespace {

using e2e::ProgramModel;
using e2e::RavloProcess;

std::vector<int> Script() {
    std::vector<int> s;
    auto add = [&s](std::initializer_list<int> ids) { s.insert(s.end(), ids); };
    // Rows per press: every button once, then a press with the start-up selection.
    for (const e2e::CountButton& b : e2e::kCountButtons) s.push_back(b.id);
    add({IDC_COUNT_3, IDC_GENERATE, IDC_GENERATE});
    // Games, with append: a game click starts the next press anew.
    add({IDC_APPEND, IDC_GENERATE, IDC_ITALIENSKA, IDC_GENERATE, IDC_GENERATE, IDC_ITALIENSKA, IDC_GENERATE,
         IDC_STRYKTIPSET, IDC_GENERATE, IDC_STRYKTIPSET, IDC_STRYKTIPSET, IDC_APPEND});
    // Methods: Swedish, none, English again.
    add({IDC_SWEDEN, IDC_COUNT_5, IDC_GENERATE, IDC_SWEDEN, IDC_GENERATE, IDC_ENGLAND, IDC_GENERATE});
    // Every sign box: each match gets 1, then X, then 2, which it keeps.
    for (int m = 1; m <= 13; ++m) add({SignId(m, 0), SignId(m, 1), SignId(m, 2)});
    add({IDC_GENERATE});
    for (int m = 1; m <= 13; m += 2) s.push_back(SignId(m, 2));  // frees the odd matches
    add({IDC_GENERATE, IDC_SWEDEN, IDC_GENERATE});
    // Random sure matches until all thirteen are fixed, and once more.
    for (int press = 0; press < 8; ++press) s.push_back(IDC_DRAW);
    add({IDC_GENERATE});
    // Reference row: the sure boxes appear; mark some; draw around it.
    add({IDC_REF_ROW, SureId(1), SureId(5), SureId(13), SureId(5), IDC_COUNT_4, IDC_GENERATE, IDC_APPEND,
         IDC_GENERATE});
    add({SignId(2, 2), SignId(6, 2), SignId(10, 2)});  // these still hold their 2: now free
    add({IDC_GENERATE});                               // incomplete reference row: refused
    for (int press = 0; press < 6; ++press) s.push_back(IDC_DRAW);
    add({IDC_GENERATE, IDC_DRAW, IDC_ENGLAND, IDC_GENERATE, IDC_REF_ROW});
    for (int m = 1; m <= 13; ++m) s.push_back(SureId(m));
    add({IDC_REF_ROW, IDC_GENERATE});  // sure boxes hidden again; no method: refused
    // Help texts, and rows appended after the method information.
    add({IDC_ENGLAND, IDC_INSTRUCTIONS, IDC_GENERATE, IDC_DRAW_INFO, IDC_GENERATE, IDC_DRAW_INFO, IDC_INSTRUCTIONS});
    // Fill the text to the brim: 256 rows a press, appended, until refused.
    add({IDC_SWEDEN, IDC_COUNT_256, IDC_ITALIENSKA});
    for (int press = 0; press < 35; ++press) s.push_back(IDC_GENERATE);  // the 35th does not fit
    add({IDC_COUNT_72, IDC_GENERATE, IDC_COUNT_1, IDC_GENERATE, IDC_GENERATE});
    return s;
}

// True when the dialog shows what the model says it should.
bool Agrees(const RavloProcess& p, const ProgramModel& m, std::string& why) {
    if (p.Text(IDC_STATUS) != m.status) return why = "status \"" + p.Text(IDC_STATUS) + "\"", false;
    if (p.Text(IDC_ROWS) != m.field) return why = "rows field", false;
    const bool boxes[][2] = {{p.Checked(IDC_STRYKTIPSET), m.stryktipset}, {p.Checked(IDC_ITALIENSKA), m.italienska},
                             {p.Checked(IDC_REF_ROW), m.refRow},           {p.Checked(IDC_ENGLAND), m.england},
                             {p.Checked(IDC_SWEDEN), m.sweden},            {p.Checked(IDC_APPEND), m.append},
                             {p.IsShown(IDC_SAVE), m.saveShown}};
    for (const auto& b : boxes)
        if (b[0] != b[1]) return why = "a game, method, append box or the save button", false;
    for (int match = 1; match <= 13; ++match) {
        for (int k = 0; k < 3; ++k)
            if (p.Checked(SignId(match, k)) != (m.sign[match - 1] == k))
                return why = "sign boxes of match " + std::to_string(match), false;
        if (p.IsShown(SureId(match)) != m.sureShown || p.Checked(SureId(match)) != m.sure[match - 1])
            return why = "\"s\xE4ker?\" box of match " + std::to_string(match), false;
    }
    return true;
}

TEST(Acceptance, ScriptedUseAgreesWithTheModelForAClockSeed) {
    RavloProcess program;
    ASSERT_TRUE(program.Start()) << program.Error();
    std::vector<ProgramModel> candidates;
    for (time_t t = program.clockBeforeLaunch; t <= program.clockDialogShown; ++t)
        candidates.emplace_back(static_cast<std::int32_t>(t));

    const std::vector<int> script = Script();
    ASSERT_GE(script.size(), 200u);
    int fullRefusals = 0;
    for (std::size_t i = 0; i < script.size(); ++i) {
        const int id = script[i];
        ASSERT_TRUE(program.IsShown(id)) << "click " << i << " on a hidden control " << id;
        ASSERT_TRUE(program.Click(id)) << "click " << i << " on " << id;
        std::string why;
        std::vector<ProgramModel> agreeing;
        for (ProgramModel& model : candidates) {
            model.Click(id);
            if (Agrees(program, model, why)) agreeing.push_back(model);
        }
        ASSERT_FALSE(agreeing.empty()) << "click " << i << " on " << id << ": " << why << " differs";
        candidates.swap(agreeing);
        fullRefusals += candidates[0].status == "Texten \xE4r full! Spara raderna och b\xF6rja om.";
    }
    std::printf("acceptance: %u clicks, seed candidates left %u, full-text refusals %d\n",
                static_cast<unsigned>(script.size()), static_cast<unsigned>(candidates.size()), fullRefusals);
    EXPECT_GE(fullRefusals, 2);  // the text did fill up, and stayed intact
    EXPECT_EQ(program.Text(IDC_ROWS).size(), 22u + 8777u * 29u);

    // Save what the field shows through the real save dialog.
    ScratchFolder folder;
    ASSERT_TRUE(folder.Created());
    const std::string name = folder.File("rader");
    ASSERT_TRUE(program.PostClick(IDC_SAVE));
    ASSERT_EQ(save_dialog::FillSaveDialog(program.ProcessId(), name.c_str(), 10000),
              save_dialog::Closed::kWithoutPrompt);
    ASSERT_TRUE(program.RoundTrip());
    std::string saved;
    ASSERT_TRUE(ReadFileBytes(name + ".txt", saved));
    EXPECT_EQ(saved, program.Text(IDC_ROWS));
    EXPECT_EQ(program.Close(), 0);
}

TEST(Acceptance, ClosingEndsWithExitCodeZeroAndLeavesNoFile) {
    char current[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, current);
    const std::string programFolder = FolderOf(e2e::ProgramPath());
    const auto currentBefore = FilesIn(current), programBefore = FilesIn(programFolder);

    RavloProcess program;
    ASSERT_TRUE(program.Start()) << program.Error();
    for (int id : {IDC_COUNT_256, IDC_GENERATE, IDC_APPEND, IDC_GENERATE, IDC_DRAW_INFO, IDC_DRAW, IDC_INSTRUCTIONS})
        ASSERT_TRUE(program.Click(id));
    EXPECT_EQ(program.Close(), 0);
    EXPECT_EQ(FilesIn(current), currentBefore);
    EXPECT_EQ(FilesIn(programFolder), programBefore);
}

}  // namespace
