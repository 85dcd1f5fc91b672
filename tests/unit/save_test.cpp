// Saving the rows field: SaveFile against the real rows field, and the real
// save dialog answered from a second thread.
#include <algorithm>
#include <atomic>
#include <future>
#include <optional>
#include <set>
#include <string>
#include <thread>

#include "../common/files.h"
#include "../common/save_dialog.h"
#include "../common/scratch_folder.h"
#include "app/system_library.h"
#include "dialog_fixture.h"
#include "texts/save_file.h"

namespace {

// A disk of 8 KiB mounted over `folder` while this lives: a tmpfs, mounted by
// the Unix mount command, which Wine starts like any other program. Wine hands
// back no process to wait for, so the folder's disk size tells when it is there.
class SmallDisk {
public:
    static constexpr ULONGLONG kBytes = 8192;

    explicit SmallDisk(const std::string& folder) : folder_(folder + "\\") {
        using UnixFileName = char*(CDECL*)(LPCWSTR);
        const auto unixFileName =
            ExportedFunction<UnixFileName>(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name");
        wchar_t wide[MAX_PATH] = L"";
        MultiByteToWideChar(CP_ACP, 0, folder.c_str(), -1, wide, MAX_PATH);
        char* unixFolder = unixFileName ? unixFileName(wide) : nullptr;
        if (!unixFolder) {
            refused_ = "not under Wine: no Unix mount to run";
            return;
        }
        unixFolder_ = unixFolder;
        HeapFree(GetProcessHeap(), 0, unixFolder);
        ran_ = Run("mount -t tmpfs -o size=8k tmpfs");
        if (!ran_ || !Settles(true)) refused_ = "mounting a tmpfs over " + unixFolder_ + " was refused (not root?)";
    }
    ~SmallDisk() {
        if (ran_ && (!Run("umount") || !Settles(false)) && Run("umount -l")) Settles(false);
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;
    // Why there is no small disk, or "" when there is.
    const std::string& Refused() const { return refused_; }

private:
    ULONGLONG Size() const {
        ULARGE_INTEGER total = {};
        GetDiskFreeSpaceExA(folder_.c_str(), nullptr, &total, nullptr);
        return total.QuadPart;
    }
    bool Settles(bool mounted) const {
        for (DWORD start = GetTickCount(); GetTickCount() - start < 5000; Sleep(20))
            if ((Size() == kBytes) == mounted) return true;
        return false;
    }
    // Starts /bin/<command's first word> with the command and the folder.
    bool Run(const std::string& command) const {
        const std::string program = WindowsPath("/bin/" + command.substr(0, command.find(' ')));
        std::string line = command + " \"" + unixFolder_ + "\"";
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process = {};
        if (!CreateProcessA(program.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                            &process))
            return false;
        if (process.hThread) CloseHandle(process.hThread);
        if (process.hProcess) CloseHandle(process.hProcess);
        return true;
    }

    std::string folder_, unixFolder_, refused_;
    bool ran_ = false;
};

class SaveTest : public DialogTest {
public:
    std::string Path(const char* name) const { return scratch.File(name); }
    // A new folder inside the folder, named in UTF-16.
    std::wstring MakeWideFolder(const wchar_t* name) const {
        const std::wstring made = scratch.WidePath() + L"\\" + name;
        CreateDirectoryW(made.c_str(), nullptr);
        return made;
    }
    void SetRows(const std::string& text) const { SetWindowTextA(Item(IDC_ROWS), text.c_str()); }

    // Runs the save command as a click would, with `answer` playing the user
    // on another thread; what `answer` returns must be `expected`.
    template <class Answer, class Expected>
    int SaveThroughDialog(Answer answer, Expected expected) {
        auto user = std::async(std::launch::async, answer);
        const int result = DoFileOpenSave(dialog, 1);
        EXPECT_EQ(user.get(), expected);
        return result;
    }
    template <class Answer>
    int SaveThroughDialog(Answer answer) { return SaveThroughDialog(answer, true); }

    ScratchFolder scratch{"ravlo-save"};
    const std::string folder = scratch.Path();
};

TEST_F(SaveTest, WritesTheFieldByteForByte) {
    struct Case {
        const char* name;
        std::string text;
        const wchar_t* into;  // a folder made inside the folder and saved into by its UTF-16 name; nullptr: none
        const wchar_t* typed = nullptr;  // the field's letters where `text` is not them in 1252
    };
    Click(IDC_COUNT_256);
    Click(IDC_GENERATE);
    const std::string generated = test;
    const Case cases[] = {
        {"generated rows", generated, nullptr},
        {"Swedish letters", "Fr\xE5gor? Bes\xF6k: \xE4\xC5\xC4\xD6\r\nslut", nullptr},
        {"lone line feed stays", "a\nb\r\n", nullptr},
        // What 1252 has beyond Latin-1, and what it lacks: written as a
        // Western Windows writes it, the nearest letter or '?' a UTF-16 unit.
        {"1252 beyond Latin-1", "\x80 \x8C \x89 \x9A", nullptr, L"\u20AC \u0152 \u2030 \u0161"},
        {"letters 1252 lacks", "L\xF3" "dz a o ? ??", nullptr, L"\u0141\u00F3d\u017A \u0101 \u0151 \u4E2D \U0001F600"},
        {"one byte", "1", nullptr},
        // Last, so that its folder is not among the files the cases above expect.
        {"folder name beyond the ANSI code page", "Stryktipset \xE5\xE4\xF6\r\nE,1,X,2,1,X,2,1,X,2,1,X,2,1",
         L"\u0141\u00F3d\u017A-\u0434\u0430\u043D\u043D\u044B\u0435"},
    };
    for (const Case& c : cases) {
        if (c.typed)
            SetWindowTextW(Item(IDC_ROWS), c.typed);
        else
            SetRows(c.text);
        if (c.into) {
            const std::wstring into = MakeWideFolder(c.into);
            ASSERT_EQ(SaveFile(Item(IDC_ROWS), (into + L"\\rows.txt").c_str()), 1) << c.name;
            EXPECT_EQ(FileBytes(into + L"\\rows.txt"), c.text) << c.name;
            EXPECT_EQ(FilesIn(into), std::set<std::wstring>{L"rows.txt"}) << c.name;
            continue;
        }
        ASSERT_EQ(SaveFile(Item(IDC_ROWS), Path("rows.txt").c_str()), 1) << c.name;
        EXPECT_EQ(FileBytes(Path("rows.txt")), c.text) << c.name;
        EXPECT_EQ(FilesIn(folder), std::set<std::string>{"rows.txt"}) << c.name;
    }
    EXPECT_EQ(static_cast<unsigned char>(FileBytes(Path("rows.txt"))[0]), '1');
}

TEST_F(SaveTest, HandEditedTextIsSavedAsEdited) {
    Click(IDC_GENERATE);
    HWND rows = Item(IDC_ROWS);
    SendMessageA(rows, EM_SETSEL, 14, 15);  // the first sign of the first row
    SendMessageA(rows, WM_CHAR, '2', 0);
    ASSERT_EQ(SaveFile(rows, Path("edited.txt").c_str()), 1);
    std::string expected = test;
    expected[14] = '2';
    EXPECT_EQ(FileBytes(Path("edited.txt")), expected);
}

TEST_F(SaveTest, ReplacesALongerFileWholly) {
    ASSERT_TRUE(WriteFileBytes(Path("old.txt"), std::string(100000, 'o')));
    SetRows("Stryktipset\r\nE,1,1,1,1,1,1,1,1,1,1,1,1,1");
    ASSERT_EQ(SaveFile(Item(IDC_ROWS), Path("old.txt").c_str()), 1);
    EXPECT_EQ(FileBytes(Path("old.txt")), "Stryktipset\r\nE,1,1,1,1,1,1,1,1,1,1,1,1,1");
}

// A failed save changes nothing on disk: the old file keeps its bytes and no temporary file is left.
TEST_F(SaveTest, FailuresLeaveTheTargetAsItWas) {
    struct Case {
        const char* name;
        const char* fieldText;
        const char* target;     // inside the folder
        bool existing;          // the target holds "old content" first
        DWORD attributes;       // of the existing target
        bool heldOpen;          // by someone who shares nothing
    };
    const Case cases[] = {
        {"empty field, no file", "", "new.txt", false, FILE_ATTRIBUTE_NORMAL, false},
        {"empty field, existing file", "", "old.txt", true, FILE_ATTRIBUTE_NORMAL, false},
        {"missing folder", "rows", "missing\\new.txt", false, FILE_ATTRIBUTE_NORMAL, false},
        {"read-only target", "rows", "old.txt", true, FILE_ATTRIBUTE_READONLY, false},
        {"target held open", "rows", "old.txt", true, FILE_ATTRIBUTE_NORMAL, true},
    };
    for (const Case& c : cases) {
        const std::string target = Path(c.target);
        if (c.existing) {
            ASSERT_TRUE(WriteFileBytes(target, "old content"));
            SetFileAttributesA(target.c_str(), c.attributes);
        }
        HANDLE holder = c.heldOpen ? CreateFileA(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                                 FILE_ATTRIBUTE_NORMAL, nullptr)
                                   : INVALID_HANDLE_VALUE;
        SetRows(c.fieldText);
        EXPECT_EQ(SaveFile(Item(IDC_ROWS), target.c_str()), 0) << c.name;
        if (holder != INVALID_HANDLE_VALUE) CloseHandle(holder);
        EXPECT_EQ(FileBytes(target), c.existing ? "old content" : "<missing>") << c.name;
        EXPECT_EQ(FilesIn(folder), c.existing ? std::set<std::string>{c.target} : std::set<std::string>{}) << c.name;
        SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(target.c_str());
    }
}

// Scanners, indexers and sync clients hold a freshly written file for a
// moment: the save waits them out for about a second, and fails at once where
// waiting cannot help. A failed save leaves the old file and nothing else.
TEST_F(SaveTest, WaitsOutABriefHoldOnly) {
    struct Case {
        const char* name;
        DWORD heldMs;        // the target held open, sharing nothing, by another thread: 0 not at all
        bool heldTemporary;  // instead the temporary file, from when it is written until heldMs after the start
        DWORD attributes;    // of the target
        bool smallDisk;      // the folder a disk that holds the target but not the new rows as well
        int result;
        DWORD minMs, maxMs;  // how long the save takes
    };
    const Case cases[] = {
        {"held for 300 ms", 300, false, FILE_ATTRIBUTE_NORMAL, false, 1, 0, 1000},
        {"held for the whole save", INFINITE, false, FILE_ATTRIBUTE_NORMAL, false, 0, 800, 3000},
        {"temporary file held past the save's second", 1400, true, FILE_ATTRIBUTE_NORMAL, false, 0, 800, 3000},
        {"read-only target", 0, false, FILE_ATTRIBUTE_READONLY, false, 0, 0, 300},
        // Last: where no disk can be mounted the case is skipped.
        {"disk full while the temporary file is written", 0, false, FILE_ATTRIBUTE_NORMAL, true, 0, 0, 300},
    };
    Click(IDC_COUNT_256);
    Click(IDC_GENERATE);
    const std::string rows = test;  // more than the small disk has room for
    const std::string target = Path("old.txt");
    const auto content = [&rows](const std::string& bytes) {
        if (bytes == rows) return std::string("the new rows");
        if (bytes == "old content") return std::string("the old content");
        return std::to_string(bytes.size()) + " other bytes: " + bytes.substr(0, 40);
    };
    for (const Case& c : cases) {
        std::optional<SmallDisk> disk;
        if (c.smallDisk && !disk.emplace(folder).Refused().empty()) GTEST_SKIP() << c.name << ": " << disk->Refused();
        const auto holdOpen = [](const std::string& path) {
            return CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        };
        int result = 0;
        DWORD took = 0;
        // The temporary file lives for milliseconds unless held: a hold that
        // came too late (the rows saved) is staged again.
        for (int tries = 0; tries < 50; ++tries) {
            ASSERT_TRUE(WriteFileBytes(target, "old content"));
            SetFileAttributesA(target.c_str(), c.attributes);
            HANDLE holder = c.heldMs && !c.heldTemporary ? holdOpen(target) : INVALID_HANDLE_VALUE;
            bool caught = false;
            std::atomic<bool> saved{false};
            std::thread letGo;
            if (c.heldTemporary) {
                letGo = std::thread([&] {
                    // As a scanner does: seeing the file being written, it
                    // holds the target until the written file is free, then
                    // that file instead, past the save's second.
                    const DWORD begun = GetTickCount();
                    std::string temporary;
                    while (temporary.empty() && !saved)
                        for (const std::string& name : FilesIn(folder))
                            if (name.rfind("rav", 0) == 0) temporary = Path(name.c_str());
                    HANDLE targetHeld = holdOpen(target);
                    while (!temporary.empty() && !caught && !saved)
                        caught = (holder = holdOpen(temporary)) != INVALID_HANDLE_VALUE;
                    if (targetHeld != INVALID_HANDLE_VALUE) CloseHandle(targetHeld);
                    if (!caught) return;
                    Sleep(c.heldMs - std::min(c.heldMs, GetTickCount() - begun));
                    CloseHandle(holder);
                });
            } else if (c.heldMs != INFINITE && holder != INVALID_HANDLE_VALUE) {
                letGo = std::thread([&] {
                    Sleep(c.heldMs);
                    CloseHandle(holder);
                });
            }
            const DWORD start = GetTickCount();
            result = SaveFile(Item(IDC_ROWS), target.c_str());
            took = GetTickCount() - start;
            saved = true;
            if (letGo.joinable())
                letGo.join();
            else if (holder != INVALID_HANDLE_VALUE)
                CloseHandle(holder);
            if (!c.heldTemporary || caught) break;
        }
        EXPECT_EQ(result, c.result) << c.name;
        EXPECT_GE(took, c.minMs) << c.name;
        EXPECT_LE(took, c.maxMs) << c.name;
        EXPECT_EQ(content(FileBytes(target)), c.result ? "the new rows" : "the old content") << c.name;
        EXPECT_EQ(FilesIn(folder), std::set<std::string>{"old.txt"}) << c.name;
        SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(target.c_str());
    }
}

TEST_F(SaveTest, DialogAddsTxtToANameWithoutExtension) {
    SetRows("Stryktipset\r\nE,X,X,X,X,X,X,X,X,X,X,X,X,X");
    const std::string name = Path("kupong");
    const DWORD pid = GetCurrentProcessId();
    const int result = SaveThroughDialog([&] { return save_dialog::FillSaveDialog(pid, name.c_str(), 10000); },
                                         save_dialog::Closed::kWithoutPrompt);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(FileBytes(Path("kupong.txt")), "Stryktipset\r\nE,X,X,X,X,X,X,X,X,X,X,X,X,X");
    EXPECT_EQ(FilesIn(folder), std::set<std::string>{"kupong.txt"});
}

TEST_F(SaveTest, DialogOffersTextFilesFirstAndBelongsToTheMainDialog) {
    const DWORD pid = GetCurrentProcessId();
    HWND owner = nullptr;
    std::string firstType, secondType;
    LRESULT selected = -1;
    const int result = SaveThroughDialog([&] {
        HWND box = save_dialog::WaitForSaveDialog(pid, 10000);
        if (!box) return false;
        owner = GetWindow(box, GW_OWNER);
        HWND types = save_dialog::FileTypeField(box);
        char text[64] = {};
        SendMessageA(types, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text));
        firstType = text;
        SendMessageA(types, CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(text));
        secondType = text;
        selected = SendMessageA(types, CB_GETCURSEL, 0, 0);
        return save_dialog::CancelSaveDialog(pid, 10000);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(owner, dialog);
    EXPECT_EQ(firstType, "Text Files (*.txt)");
    EXPECT_EQ(secondType, "All Files (*.*)");
    EXPECT_EQ(selected, 0);
    EXPECT_TRUE(FilesIn(folder).empty());
}

TEST_F(SaveTest, DialogReplacesAnExistingFileAfterConfirmation) {
    ASSERT_TRUE(WriteFileBytes(Path("old.txt"), std::string(5000, 'o')));
    SetRows("new rows");
    const std::string name = Path("old.txt");
    const DWORD pid = GetCurrentProcessId();
    EXPECT_EQ(SaveThroughDialog([&] { return save_dialog::FillSaveDialog(pid, name.c_str(), 10000); },
                                save_dialog::Closed::kAfterReplacePrompt),
              1);
    EXPECT_EQ(FileBytes(name), "new rows");
}

TEST_F(SaveTest, DialogSavesIntoABrowsedFolderAndLeavesTheCurrentFolderAlone) {
    // The dialog would make the folder the program's current one and hold it.
    const std::string text = "Stryktipset\r\nE,2,2,2,2,2,2,2,2,2,2,2,2,2";
    SetRows(text);
    const std::wstring into = MakeWideFolder(L"kuponger");
    wchar_t before[MAX_PATH] = L"", after[MAX_PATH] = L"";
    GetCurrentDirectoryW(MAX_PATH, before);
    const DWORD pid = GetCurrentProcessId();
    EXPECT_EQ(SaveThroughDialog([&] { return save_dialog::FillSaveDialog(pid, L"rader.txt", 10000, into.c_str()); },
                                save_dialog::Closed::kWithoutPrompt),
              1);
    EXPECT_EQ(FileBytes(into + L"\\rader.txt"), text);
    GetCurrentDirectoryW(MAX_PATH, after);
    EXPECT_EQ(std::wstring(after), std::wstring(before));
}

TEST_F(SaveTest, FailedSaveShowsTheErrorBoxAndReturnsZero) {
    struct Case {
        const char* name;
        const char* fieldText;
        std::string typed;
    };
    const Case cases[] = {
        {"empty field", "", Path("empty.txt")},
        // The dialog itself fails: the chosen path, 261 characters, does not
        // fit the 260-character buffer. (Wine's dialog copies the path into
        // buffers of that size of its own and overruns them on a longer one.)
        {"path beyond the dialog's buffer", "rows",
         Path((std::string(261 - folder.size() - 5, 'k') + ".txt").c_str())},
    };
    const DWORD pid = GetCurrentProcessId();
    for (const Case& c : cases) {
        SetRows(c.fieldText);
        std::string message;
        const int result = SaveThroughDialog(
            [&] {
                const save_dialog::Closed closed = save_dialog::FillSaveDialog(pid, c.typed.c_str(), 10000);
                if (closed != save_dialog::Closed::kNot) message = save_dialog::DismissMessageBox(pid, "Error", 10000);
                return closed;
            },
            save_dialog::Closed::kWithoutPrompt);
        EXPECT_EQ(result, 0) << c.name;
        EXPECT_EQ(message, "Save file failed.") << c.name;
        EXPECT_TRUE(FilesIn(folder).empty()) << c.name;
    }
}

TEST_F(SaveTest, SaveButtonClickRunsTheDialog) {
    Click(IDC_GENERATE);
    const std::string name = Path("click.txt");
    const DWORD pid = GetCurrentProcessId();
    auto user = std::async(std::launch::async, [&] { return save_dialog::FillSaveDialog(pid, name.c_str(), 10000); });
    Click(IDC_SAVE);
    EXPECT_EQ(user.get(), save_dialog::Closed::kWithoutPrompt);
    EXPECT_EQ(FileBytes(name), Rows());
    EXPECT_EQ(Status(), "H\xE4r visas status och varningar!");  // saving writes no status
}

}  // namespace
