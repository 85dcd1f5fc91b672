// "SPARA raderna" in the started program, answered through the system's own
// save dialog: what lands on disk is the rows field, byte for byte.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../common/files.h"
#include "../common/row_format.h"
#include "../common/save_dialog.h"
#include "../common/scratch_folder.h"
#include "ravlo_process.h"
#include "resource.h"

namespace {

using e2e::RavloProcess;

constexpr DWORD kDialogTimeoutMs = 10000;

// Reads the file until it holds `expected` or the time is up; returns what it
// last held. The program has finished writing by the time Save returns, so
// the wait only covers a slow file system.
std::string ContentOnceSettled(const std::string& path, const std::string& expected) {
    std::string bytes;
    for (DWORD start = GetTickCount(); GetTickCount() - start < 2000; Sleep(20))
        if (ReadFileBytes(path, bytes) && bytes == expected) break;
    return bytes;
}

class SaveEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.Created());
        ASSERT_TRUE(ravlo.Start()) << ravlo.Error();
    }

    // Presses "SPARA raderna" and answers the save dialog with `typed`, which
    // must close as `closed`; returns once the program is back in its message loop.
    void Save(const std::string& typed, save_dialog::Closed closed) {
        ASSERT_TRUE(ravlo.IsShown(IDC_SAVE));
        ASSERT_TRUE(ravlo.PostClick(IDC_SAVE));
        ASSERT_EQ(save_dialog::FillSaveDialog(ravlo.ProcessId(), typed.c_str(), kDialogTimeoutMs), closed)
            << "for " << typed;
        ASSERT_TRUE(ravlo.RoundTrip());
    }

    ScratchFolder folder;
    RavloProcess ravlo;
};

struct SaveCase {
    const char* name;
    std::vector<int> clicks;   // before GENERERA
    const char* typed;         // in the save dialog, inside the scratch folder
    const char* written;       // the file that must hold the rows
    const char* earlier;       // content of `written` before saving, or nullptr
};

TEST_F(SaveEndToEnd, WritesExactlyTheRowsFieldToTheChosenFile) {
    const SaveCase cases[] = {
        {"new file", {IDC_COUNT_3}, "rows.txt", "rows.txt", nullptr},
        {"name without extension", {IDC_APPEND, IDC_SWEDEN, IDC_COUNT_2}, "more", "more.txt", nullptr},
        {"replaces a longer file", {IDC_ITALIENSKA, IDC_COUNT_1}, "old.txt", "old.txt",
         "Stryktipset\r\nE,1,1,1,1,1,1,1,1,1,1,1,1,1\r\nE,1,1,1,1,1,1,1,1,1,1,1,1,1\r\nE,1,1,1,1,1,1,1,1,1,1,1,"
         "1,1\r\nE,1,1,1,1,1,1,1,1,1,1,1,1,1\r\nE,1,1,1,1,1,1,1,1,1,1,1,1,1\r\nE,1,1,1,1,1,1,1,1,1,1,1,1,1"},
    };
    for (const SaveCase& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.earlier) {
            ASSERT_TRUE(WriteFileBytes(folder.File(c.written), c.earlier));
        }
        for (int id : c.clicks) ASSERT_TRUE(ravlo.Click(id));
        ASSERT_TRUE(ravlo.Click(IDC_GENERATE));
        const std::string rows = ravlo.Text(IDC_ROWS);
        const std::string status = ravlo.Text(IDC_STATUS);
        ASSERT_EQ(RowFormatError(rows), "") << rows;

        Save(folder.File(c.typed),
             c.earlier ? save_dialog::Closed::kAfterReplacePrompt : save_dialog::Closed::kWithoutPrompt);

        const std::string saved = ContentOnceSettled(folder.File(c.written), rows);
        EXPECT_EQ(saved, rows);
        EXPECT_EQ(RowFormatError(saved), "");
        EXPECT_EQ(ravlo.Text(IDC_ROWS), rows) << "saving changes the field";
        EXPECT_EQ(ravlo.Text(IDC_STATUS), status) << "saving writes no status";
    }
    EXPECT_FALSE(Exists(folder.File("more"))) << "the typed name without its extension";
    EXPECT_EQ(folder.Files().size(), 3u);
    EXPECT_EQ(ravlo.Close(), 0);
}

// Hand edits are saved as made, Swedish letters as single Windows-1252 bytes.
TEST_F(SaveEndToEnd, SavesTheFieldAsEditedByHand) {
    ASSERT_TRUE(ravlo.Click(IDC_GENERATE));
    const std::string edited = ravlo.Text(IDC_ROWS) + "\r\nH\xE4r \xE4r min egen rad: \xC5\xC4\xD6";
    ASSERT_TRUE(ravlo.SetText(IDC_ROWS, edited));

    Save(folder.File("edited.txt"), save_dialog::Closed::kWithoutPrompt);

    EXPECT_EQ(ContentOnceSettled(folder.File("edited.txt"), edited), edited);
    EXPECT_EQ(ravlo.Close(), 0);
}

TEST_F(SaveEndToEnd, CancelWritesNothing) {
    ASSERT_TRUE(ravlo.Click(IDC_GENERATE));
    const std::string rows = ravlo.Text(IDC_ROWS);
    ASSERT_TRUE(ravlo.PostClick(IDC_SAVE));
    ASSERT_TRUE(save_dialog::CancelSaveDialog(ravlo.ProcessId(), kDialogTimeoutMs));
    ASSERT_TRUE(ravlo.RoundTrip());

    EXPECT_TRUE(folder.Files().empty());
    EXPECT_EQ(ravlo.Text(IDC_ROWS), rows);
    EXPECT_EQ(ravlo.Text(IDC_STATUS), "H\xE4r visas status och varningar!");
    EXPECT_EQ(ravlo.Close(), 0);
}

// Nothing to save: the user is told, and the program carries on.
TEST_F(SaveEndToEnd, EmptyFieldReportsFailureAndTheProgramCarriesOn) {
    ASSERT_TRUE(ravlo.Click(IDC_GENERATE));
    ASSERT_TRUE(ravlo.SetText(IDC_ROWS, ""));
    ASSERT_TRUE(ravlo.PostClick(IDC_SAVE));
    ASSERT_EQ(save_dialog::FillSaveDialog(ravlo.ProcessId(), folder.File("empty.txt").c_str(), kDialogTimeoutMs),
              save_dialog::Closed::kWithoutPrompt);

    EXPECT_EQ(save_dialog::DismissMessageBox(ravlo.ProcessId(), "Error", kDialogTimeoutMs), "Save file failed.");
    ASSERT_TRUE(ravlo.RoundTrip());
    ASSERT_TRUE(ravlo.Click(IDC_COUNT_4));
    EXPECT_EQ(ravlo.Text(IDC_STATUS), "4 enkelrader vald.");
    ASSERT_TRUE(ravlo.Click(IDC_GENERATE));
    EXPECT_EQ(RowFormatError(ravlo.Text(IDC_ROWS)), "");
    EXPECT_EQ(ravlo.Close(), 0);
}

}  // namespace
