// The program's Swedish letters read from outside as UTF-16, whatever the
// system's ANSI code page. ctest runs these cases once in the usual prefix
// (1252) and again with RAVLO_CODE_PAGE set, in prefixes whose Unix locale
// gives Wine another code page (1251, and 65001 as Windows 11's UTF-8 option).
// On Windows they run under the system's code page.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "../common/files.h"
#include "../common/save_dialog.h"
#include "../common/scratch_folder.h"
#include "../common/text_1252.h"
#include "../common/under_wine.h"
#include "ravlo_process.h"
#include "resource.h"
#include "texts/portable/help_texts.h"

namespace {

using e2e::RavloProcess;

constexpr UINT kTimeoutMs = 5000;

// The control's own text, asked for as UTF-16 across the process boundary.
std::wstring WideText(HWND control) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(control, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, kTimeoutMs, &length))
        return L"<no answer>";
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]),
                             SMTO_NORMAL, kTimeoutMs, &copied))
        return L"<no answer>";
    text.resize(copied);
    return text;
}

BOOL CALLBACK CollectCaption(HWND child, LPARAM param) {
    wchar_t text[256] = L"";
    GetWindowTextW(child, text, 256);
    reinterpret_cast<std::vector<std::wstring>*>(param)->push_back(text);
    return TRUE;
}

// Captions as the template gave them; static frames have no identifier to ask by.
std::vector<std::wstring> ChildCaptions(HWND dialog) {
    std::vector<std::wstring> captions;
    EnumChildWindows(dialog, CollectCaption, reinterpret_cast<LPARAM>(&captions));
    return captions;
}

bool Contains(const std::vector<std::wstring>& captions, const std::wstring& caption) {
    for (const std::wstring& c : captions)
        if (c == caption) return true;
    return false;
}

std::string Narrow(const std::wstring& wide) {  // for failure messages only
    std::string utf8(wide.size() * 3 + 1, '\0');
    utf8.resize(WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), static_cast<int>(wide.size()), &utf8[0],
                                    static_cast<int>(utf8.size()), nullptr, nullptr));
    return utf8;
}

// What the case compares: the text shown after the clicks, or a file's bytes.
struct CodePageCase {
    const char* name;
    std::vector<int> clicks;
    std::function<std::wstring(RavloProcess&)> shown;
    std::wstring expected;
};

class CodePage : public ::testing::Test {
protected:
    void SetUp() override {
        const char* wanted = std::getenv("RAVLO_CODE_PAGE");
        if (UnderWine()) {
            // Proof that the prefix really runs under the code page asked for.
            ASSERT_EQ(GetACP(), wanted ? static_cast<UINT>(std::atoi(wanted)) : 1252u);
        } else if (wanted && GetACP() != static_cast<UINT>(std::atoi(wanted))) {
            // Windows' code page is the whole system's; without one asked for, any will do.
            GTEST_SKIP() << "needs code page " << wanted << "; this Windows uses " << GetACP();
        }
        ASSERT_TRUE(ravlo.Start()) << ravlo.Error();
    }
    void TearDown() override { EXPECT_EQ(ravlo.Close(), 0); }

    RavloProcess ravlo;
};

TEST_F(CodePage, SwedishLettersShowAsTheyAre) {
    const std::wstring rows = From1252(std::string(kDrawInfoHeading) + kDrawInfoBody);
    const CodePageCase cases[] = {
        {"title", {}, [](RavloProcess& r) {
             wchar_t title[256] = L"";
             GetWindowTextW(r.Dialog(), title, 256);
             return std::wstring(title);
         },
         L"Ravlo    v8.02   2004-08-22     Info/Fr\x00E5gor? Bes\x00F6k: www.example.org/ravlo"},
        {"method frame", {}, [](RavloProcess& r) {
             return Contains(ChildCaptions(r.Dialog()), L"V\x00E4lj slumpmetod:") ? L"found" : L"missing";
         }, L"found"},
        {"sure matches frame", {}, [](RavloProcess& r) {
             return Contains(ChildCaptions(r.Dialog()), L"S\x00C4KRA MATCHER/RAD REF:") ? L"found" : L"missing";
         }, L"found"},
        {"sure box", {}, [](RavloProcess& r) { return WideText(r.Item(IDC_SURE_FIRST)); }, L"s\x00E4ker?"},
        {"status at start", {}, [](RavloProcess& r) { return WideText(r.Item(IDC_STATUS)); },
         L"H\x00E4r visas status och varningar!"},
        {"status with \x00E4 and \x00E5", {IDC_APPEND}, [](RavloProcess& r) { return WideText(r.Item(IDC_STATUS)); },
         L"Nu l\x00E4ggs det till p\x00E5 slutet."},
        {"status with \x00F6", {IDC_INSTRUCTIONS}, [](RavloProcess& r) { return WideText(r.Item(IDC_STATUS)); },
         L"Instruktioner visas i f\x00F6nstret."},
        {"method information", {IDC_DRAW_INFO}, [](RavloProcess& r) { return WideText(r.Item(IDC_ROWS)); },
         rows},
    };
    for (const CodePageCase& c : cases) {
        for (int id : c.clicks) ASSERT_TRUE(ravlo.Click(id)) << c.name;
        const std::wstring shown = c.shown(ravlo);
        EXPECT_EQ(shown, c.expected) << c.name << ": " << Narrow(shown);
    }
}

// A press that continues a text with Swedish letters, the method information,
// adds its rows after it and leaves the letters as they were. (Whether the
// field took only the new rows is seen in-process: ravlo_tests'
// ContinuingPressAddsOnlyItsRowsOnAnyCodePage, which ctest runs under the
// same code pages.)
TEST_F(CodePage, ContinuingPressKeepsTheSwedishText) {
    for (int id : {IDC_APPEND, IDC_COUNT_3, IDC_GENERATE, IDC_DRAW_INFO}) ASSERT_TRUE(ravlo.Click(id));
    const std::wstring info = From1252(std::string(kDrawInfoHeading) + kDrawInfoBody);
    ASSERT_EQ(WideText(ravlo.Item(IDC_ROWS)), info);
    ASSERT_TRUE(ravlo.Click(IDC_GENERATE));
    const std::wstring shown = WideText(ravlo.Item(IDC_ROWS));

    ASSERT_EQ(shown.size(), info.size() + 3 * 29) << Narrow(shown);
    EXPECT_EQ(shown.compare(0, info.size(), info), 0) << Narrow(shown);
    for (std::size_t at = info.size(); at < shown.size(); at += 29)
        EXPECT_EQ(shown.compare(at, 3, L"\r\nE"), 0) << Narrow(shown.substr(at, 29));
}

// Saved bytes are Windows-1252 on every system: ä is 0xE4, not the system's letter for it.
TEST_F(CodePage, SavedFileIsWindows1252) {
    ScratchFolder folder;
    ASSERT_TRUE(folder.Created());
    for (int id : {IDC_GENERATE, IDC_INSTRUCTIONS}) ASSERT_TRUE(ravlo.Click(id));
    ASSERT_TRUE(ravlo.PostClick(IDC_SAVE));
    const std::string path = folder.File("instruktioner.txt");
    ASSERT_EQ(save_dialog::FillSaveDialog(ravlo.ProcessId(), path.c_str(), 10000), save_dialog::Closed::kWithoutPrompt);
    ASSERT_TRUE(ravlo.RoundTrip());

    std::string saved;
    for (DWORD start = GetTickCount(); GetTickCount() - start < 2000; Sleep(20))
        if (ReadFileBytes(path, saved) && saved.size() == kInstructionTextLength) break;
    EXPECT_EQ(saved, std::string(kInstructionText, kInstructionTextLength));
    EXPECT_EQ(saved.compare(0, 16, "Detta program \xE4r"), 0);
}

}  // namespace
