// The program as a user meets it: started on its own, clicked, closed.
#include <gtest/gtest.h>

#include "ravlo_process.h"
#include "resource.h"

namespace {

using e2e::RavloProcess;

struct ClickCase {
    int id;
    const char* status;  // Windows-1252
};

const ClickCase kClicks[] = {
    {IDC_COUNT_2, "2 enkelrader vald."},
    {IDC_ITALIENSKA, "Italienska stryktipset."},
    {IDC_SWEDEN, "Statistiskt Sverige generering vald."},
    {IDC_COUNT_15, "15 enkelrad vald."},
    {IDC_APPEND, "Nu l\xE4ggs det till p\xE5 slutet."},
    {IDC_SIGN_FIRST + 3 * 4 + 1, "Match 5 s\xE4kert kryss vald."},
    {IDC_STRYKTIPSET, "Stryktipset."},
};

TEST(Smoke, StartsClicksAndClosesWithExitCodeZero) {
    RavloProcess ravlo;
    ASSERT_TRUE(ravlo.Start()) << ravlo.Error();

    EXPECT_EQ(ravlo.Text(IDC_STATUS), "H\xE4r visas status och varningar!");
    EXPECT_FALSE(ravlo.IsShown(IDC_SAVE));
    EXPECT_TRUE(ravlo.IsShown(IDC_GENERATE));
    EXPECT_TRUE(ravlo.Checked(IDC_STRYKTIPSET));
    EXPECT_TRUE(ravlo.Checked(IDC_ENGLAND));
    EXPECT_TRUE(ravlo.Checked(IDC_COUNT_1));

    for (const ClickCase& c : kClicks) {
        ASSERT_TRUE(ravlo.Click(c.id)) << "control " << c.id;
        EXPECT_EQ(ravlo.Text(IDC_STATUS), c.status) << "after clicking control " << c.id;
    }
    EXPECT_TRUE(ravlo.Checked(IDC_SWEDEN));
    EXPECT_FALSE(ravlo.Checked(IDC_ENGLAND));
    EXPECT_TRUE(ravlo.Checked(IDC_COUNT_15));
    EXPECT_FALSE(ravlo.Checked(IDC_COUNT_2));

    ASSERT_TRUE(ravlo.Click(IDC_GENERATE));
    EXPECT_TRUE(ravlo.IsShown(IDC_SAVE));
    EXPECT_EQ(ravlo.Text(IDC_STATUS), "Stryktipset.") << "a successful press writes no status";
    EXPECT_EQ(ravlo.Text(IDC_ROWS).compare(0, 13, "Stryktipset\r\n"), 0) << ravlo.Text(IDC_ROWS);

    EXPECT_EQ(ravlo.Close(), 0);
    EXPECT_FALSE(ravlo.Running());
}

// Only the program's own message loop sends keys through the dialog manager,
// so this is where Esc and Enter can be seen not to end the program.
TEST(Smoke, EscAndEnterDoNotCloseTheDialog) {
    RavloProcess ravlo;
    ASSERT_TRUE(ravlo.Start()) << ravlo.Error();
    const HWND focus = ravlo.Item(IDC_COUNT_1);
    for (WPARAM key : {VK_ESCAPE, VK_RETURN}) {
        PostMessageA(focus, WM_KEYDOWN, key, 1);
        PostMessageA(focus, WM_KEYUP, key, 0xC0000001);
    }
    // Posted messages are handled in order: once this click shows, the keys
    // have been through the loop.
    PostMessageA(ravlo.Item(IDC_COUNT_3), BM_CLICK, 0, 0);
    const DWORD start = GetTickCount();
    while (ravlo.Text(IDC_STATUS) != "3 enkelrader vald." && GetTickCount() - start < 5000) Sleep(10);

    EXPECT_EQ(ravlo.Text(IDC_STATUS), "3 enkelrader vald.");
    EXPECT_TRUE(ravlo.Running());
    EXPECT_TRUE(IsWindow(ravlo.Dialog()));
    EXPECT_EQ(ravlo.Close(), 0);
}

}  // namespace
