// The main dialog template and the other resources linked into the program:
// first the raw bytes of template 200, then the dialog the system creates
// from it, then the icon groups, the manifest and the list of all resources.
//
// The expected controls are written out below as one table in template
// order, so any slip in the resource script (an identifier, a coordinate,
// a style, a letter of a caption) shows up as a difference.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "template_reader.h"

namespace {

constexpr WORD kMainDialog = 200;
constexpr WORD kEnglishUs = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
constexpr int kNoId = 65535;

// ---------------------------------------------------------------------------
// Expected controls

enum class Family { Frame, Option, Count, Label, Rows, Command, Status };

struct FamilyInfo {
    Family family;
    const wchar_t* windowClass;
    DWORD style;
    int count;  // controls of this family in the dialog
};

// Each family's style as a number and as its flags: both must agree.
static_assert((WS_CHILD | WS_VISIBLE | BS_GROUPBOX) == 0x50000007, "frame");
static_assert((WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX) == 0x50000003, "option box");
static_assert((WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON) == 0x50000009, "count button");
static_assert((WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT) == 0x50020000, "match label");
static_assert((WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP |
               ES_MULTILINE | ES_WANTRETURN) == 0x50B11004, "rows field");
static_assert((WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON) == 0x50010000, "command button");
static_assert((WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL | ES_READONLY) ==
                  0x50810880, "status field");

const FamilyInfo kFamilies[] = {
    {Family::Frame,   L"Button", 0x50000007, 3},
    {Family::Option,  L"Button", 0x50000003, 58},
    {Family::Count,   L"Button", 0x50000009, 30},
    {Family::Label,   L"Static", 0x50020000, 13},
    {Family::Rows,    L"Edit",   0x50B11004, 1},
    {Family::Command, L"Button", 0x50010000, 5},
    {Family::Status,  L"Edit",   0x50810880, 1},
};

const FamilyInfo& InfoOf(Family f) {
    for (const FamilyInfo& info : kFamilies)
        if (info.family == f) return info;
    return kFamilies[0];
}

struct Control {
    int id;
    Family family;
    int x, y, cx, cy;
    const wchar_t* caption;
};

using F = Family;

// Template order, which is also the Tab order. Dialog units.
const Control kControls[] = {
    // 0-3: random method
    {kNoId, F::Frame,  7, 40, 173, 22, L"V\u00e4lj slumpmetod:"},
    {1072, F::Option, 12, 48, 40, 12, L"Rad Ref."},
    {1073, F::Option, 60, 48, 52, 12, L"stat England"},
    {1116, F::Option, 120, 48, 52, 12, L"stat Sverige"},
    // 4: count frame
    {kNoId, F::Frame, 3, 86, 75, 156, L"Antal ENKELRADER:"},
    // 5-34: count buttons
    {1040, F::Count, 7, 94, 15, 12, L"1"},
    {1041, F::Count, 28, 94, 15, 12, L"2"},
    {1042, F::Count, 49, 94, 15, 12, L"3"},
    {1043, F::Count, 7, 109, 15, 12, L"4"},
    {1044, F::Count, 28, 109, 15, 12, L"5"},
    {1045, F::Count, 49, 109, 15, 12, L"6"},
    {1046, F::Count, 7, 124, 21, 12, L"7"},
    {1047, F::Count, 28, 124, 21, 12, L"8"},
    {1048, F::Count, 49, 124, 21, 12, L"9"},
    {1049, F::Count, 7, 139, 21, 12, L"10"},
    {1050, F::Count, 28, 139, 21, 12, L"11"},
    {1051, F::Count, 49, 139, 21, 12, L"12"},
    {1052, F::Count, 7, 154, 21, 12, L"13"},
    {1053, F::Count, 28, 154, 21, 12, L"14"},
    {1055, F::Count, 49, 154, 21, 12, L"15"},
    {1056, F::Count, 7, 169, 21, 12, L"16"},
    {1057, F::Count, 28, 169, 21, 12, L"17"},
    {1058, F::Count, 49, 169, 21, 12, L"18"},
    {1059, F::Count, 7, 184, 21, 12, L"19"},
    {1060, F::Count, 28, 184, 21, 12, L"20"},
    {1061, F::Count, 49, 184, 21, 12, L"21"},
    {1062, F::Count, 7, 199, 21, 12, L"22"},
    {1063, F::Count, 28, 199, 21, 12, L"23"},
    {1064, F::Count, 49, 199, 21, 12, L"24"},
    {1065, F::Count, 7, 214, 21, 12, L"36"},
    {1066, F::Count, 28, 214, 21, 12, L"50"},
    {1067, F::Count, 49, 214, 21, 12, L"60"},
    {1054, F::Count, 6, 229, 20, 12, L"72"},
    {1071, F::Count, 27, 229, 24, 12, L"144"},
    {1113, F::Count, 51, 229, 24, 12, L"256"},
    // 35-37: game and append
    {1069, F::Option, 12, 25, 48, 12, L"Stryktipset"},
    {1070, F::Option, 92, 25, 61, 12, L"Ital. Stryktipset"},
    {1115, F::Option, 12, 69, 41, 12, L"Append"},
    // 38: sure frame
    {kNoId, F::Frame, 80, 69, 129, 173, L"S\u00c4KRA MATCHER/RAD REF:"},
    // 39-77: sign boxes "1", "X", "2", match 1 to 13
    {1074, F::Option, 115, 92, 15, 12, L"1"},
    {1075, F::Option, 135, 92, 15, 12, L"X"},
    {1076, F::Option, 155, 92, 15, 12, L"2"},
    {1077, F::Option, 115, 102, 15, 12, L"1"},
    {1078, F::Option, 135, 102, 15, 12, L"X"},
    {1079, F::Option, 155, 102, 15, 12, L"2"},
    {1080, F::Option, 115, 112, 15, 12, L"1"},
    {1081, F::Option, 135, 112, 15, 12, L"X"},
    {1082, F::Option, 155, 112, 15, 12, L"2"},
    {1083, F::Option, 115, 127, 15, 12, L"1"},
    {1084, F::Option, 135, 127, 15, 12, L"X"},
    {1085, F::Option, 155, 127, 15, 12, L"2"},
    {1086, F::Option, 115, 137, 15, 12, L"1"},
    {1087, F::Option, 135, 137, 15, 12, L"X"},
    {1088, F::Option, 155, 137, 15, 12, L"2"},
    {1089, F::Option, 115, 147, 15, 12, L"1"},
    {1090, F::Option, 135, 147, 15, 12, L"X"},
    {1091, F::Option, 155, 147, 15, 12, L"2"},
    {1092, F::Option, 115, 162, 15, 12, L"1"},
    {1093, F::Option, 135, 162, 15, 12, L"X"},
    {1094, F::Option, 155, 162, 15, 12, L"2"},
    {1095, F::Option, 115, 172, 15, 12, L"1"},
    {1096, F::Option, 135, 172, 15, 12, L"X"},
    {1097, F::Option, 155, 172, 15, 12, L"2"},
    {1098, F::Option, 115, 182, 15, 12, L"1"},
    {1099, F::Option, 135, 182, 15, 12, L"X"},
    {1100, F::Option, 155, 182, 15, 12, L"2"},
    {1101, F::Option, 115, 197, 15, 12, L"1"},
    {1102, F::Option, 135, 197, 15, 12, L"X"},
    {1103, F::Option, 155, 197, 15, 12, L"2"},
    {1104, F::Option, 115, 207, 15, 12, L"1"},
    {1105, F::Option, 135, 207, 15, 12, L"X"},
    {1106, F::Option, 155, 207, 15, 12, L"2"},
    {1107, F::Option, 115, 217, 15, 12, L"1"},
    {1108, F::Option, 135, 217, 15, 12, L"X"},
    {1109, F::Option, 155, 217, 15, 12, L"2"},
    {1110, F::Option, 115, 227, 15, 12, L"1"},
    {1111, F::Option, 135, 227, 15, 12, L"X"},
    {1112, F::Option, 155, 227, 15, 12, L"2"},
    // 78-90: "saker?" boxes, match 1 to 13
    {1500, F::Option, 175, 92, 31, 12, L"s\u00e4ker?"},
    {1501, F::Option, 175, 102, 31, 12, L"s\u00e4ker?"},
    {1502, F::Option, 175, 112, 31, 12, L"s\u00e4ker?"},
    {1503, F::Option, 175, 127, 31, 12, L"s\u00e4ker?"},
    {1504, F::Option, 175, 137, 31, 12, L"s\u00e4ker?"},
    {1505, F::Option, 175, 147, 31, 12, L"s\u00e4ker?"},
    {1506, F::Option, 175, 162, 31, 12, L"s\u00e4ker?"},
    {1507, F::Option, 175, 172, 31, 12, L"s\u00e4ker?"},
    {1508, F::Option, 175, 182, 31, 12, L"s\u00e4ker?"},
    {1509, F::Option, 175, 197, 31, 12, L"s\u00e4ker?"},
    {1510, F::Option, 175, 207, 31, 12, L"s\u00e4ker?"},
    {1511, F::Option, 175, 217, 31, 12, L"s\u00e4ker?"},
    {1512, F::Option, 175, 227, 31, 12, L"s\u00e4ker?"},
    // 91-103: match labels, one unit below their line
    {kNoId, F::Label, 83, 93, 30, 12, L"Match 1:"},
    {kNoId, F::Label, 83, 103, 30, 12, L"Match 2:"},
    {kNoId, F::Label, 83, 113, 30, 12, L"Match 3:"},
    {kNoId, F::Label, 83, 128, 30, 12, L"Match 4:"},
    {kNoId, F::Label, 83, 138, 30, 12, L"Match 5:"},
    {kNoId, F::Label, 83, 148, 30, 12, L"Match 6:"},
    {kNoId, F::Label, 83, 163, 30, 12, L"Match 7:"},
    {kNoId, F::Label, 83, 173, 30, 12, L"Match 8:"},
    {kNoId, F::Label, 83, 183, 30, 12, L"Match 9:"},
    {kNoId, F::Label, 83, 198, 32, 12, L"Match 10:"},
    {kNoId, F::Label, 83, 208, 32, 12, L"Match 11:"},
    {kNoId, F::Label, 83, 218, 32, 12, L"Match 12:"},
    {kNoId, F::Label, 83, 228, 32, 12, L"Match 13:"},
    // 104-110: rows field, command buttons, status field
    {1039, F::Rows, 210, 5, 232, 272, L"H\u00e4r kommer dina rader visas!"},
    {1007, F::Command, 15, 245, 60, 15, L"GENERERA rader"},
    {1008, F::Command, 95, 245, 60, 15, L"SPARA raderna"},
    {1009, F::Command, 7, 5, 60, 15, L"Instruktioner"},
    {1214, F::Command, 97, 5, 60, 15, L"Slump info"},
    {1114, F::Command, 89, 79, 85, 12, L"SLUMPA s\u00e4ker/REF match"},
    {1000, F::Status, 2, 263, 180, 14, L"H\u00e4r visas status och varningar!"},
};

constexpr int kControlCount = 111;
static_assert(sizeof(kControls) / sizeof(kControls[0]) == kControlCount, "111 controls");

const wchar_t kTitle[] =
    L"Ravlo    v8.02   2004-08-22     Info/Fr\u00e5gor? Bes\u00f6k: www.example.org/ravlo";

std::string Narrow(const std::wstring& w) {
    std::string s;
    for (wchar_t c : w) {
        if (c >= 0x20 && c < 0x7F) {
            s.push_back(static_cast<char>(c));
        } else {
            char buf[12];
            wsprintfA(buf, "\\u%04x", static_cast<unsigned>(c));
            s += buf;
        }
    }
    return s;
}

bool SameClass(const std::wstring& a, const wchar_t* b) { return lstrcmpiW(a.c_str(), b) == 0; }

// Test names like "pos017_id1053".
std::string PositionName(const ::testing::TestParamInfo<int>& info) {
    char buf[32];
    wsprintfA(buf, "pos%03d_id%d", info.param, kControls[info.param].id);
    return buf;
}

// ---------------------------------------------------------------------------
// The expected table itself

TEST(TemplateTable, FamilyCountsAndIdentifiers) {
    for (const FamilyInfo& fam : kFamilies) {
        int n = static_cast<int>(std::count_if(std::begin(kControls), std::end(kControls),
                                               [&](const Control& c) { return c.family == fam.family; }));
        EXPECT_EQ(fam.count, n) << "family " << static_cast<int>(fam.family);
    }
    std::vector<int> ids;
    for (const Control& c : kControls) {
        bool unnamed = c.family == F::Frame || c.family == F::Label;
        EXPECT_EQ(unnamed, c.id == kNoId) << "id " << c.id;
        if (!unnamed) ids.push_back(c.id);
    }
    std::sort(ids.begin(), ids.end());
    EXPECT_EQ(ids.end(), std::adjacent_find(ids.begin(), ids.end())) << "duplicate identifier";
}

// ---------------------------------------------------------------------------
// Raw template bytes

const template_reader::Dialog& RawTemplate() {
    static const template_reader::Dialog parsed = [] {
        HRSRC res = FindResourceExW(nullptr, MAKEINTRESOURCEW(5) /* RT_DIALOG */,
                                    MAKEINTRESOURCEW(kMainDialog), kEnglishUs);
        if (!res) return template_reader::Dialog{};
        HGLOBAL mem = LoadResource(nullptr, res);
        const void* bytes = LockResource(mem);
        return template_reader::Parse(bytes, SizeofResource(nullptr, res));
    }();
    return parsed;
}

TEST(TemplateRaw, Found) {
    EXPECT_NE(nullptr, FindResourceExW(nullptr, MAKEINTRESOURCEW(5), MAKEINTRESOURCEW(kMainDialog),
                                       kEnglishUs));
}

TEST(TemplateRaw, HeaderNumbers) {
    const template_reader::Dialog& d = RawTemplate();
    struct Field {
        const char* name;
        long actual;
        long expected;
    };
    const Field fields[] = {
        {"version", d.version, 1},
        {"signature", d.signature, 0xFFFF},
        {"helpID", static_cast<long>(d.helpId), 0},
        {"exStyle", static_cast<long>(d.exStyle), 0x00000004},
        {"style", static_cast<long>(d.style), 0x10CA0044},
        {"cDlgItems", d.itemCount, kControlCount},
        {"x", d.x, 60},
        {"y", d.y, 60},
        {"cx", d.cx, 443},
        {"cy", d.cy, 279},
        {"menu is ordinal", d.menu.isOrdinal, 0},
        {"menu name length", static_cast<long>(d.menu.name.size()), 0},
        {"class is ordinal", d.windowClass.isOrdinal, 0},
        {"class name length", static_cast<long>(d.windowClass.name.size()), 0},
        {"has font", d.hasFont, 1},
        {"pointsize", d.pointSize, 9},
        {"weight", d.weight, 0},
        {"italic", d.italic, 0},
        {"charset", d.charset, 1},
        {"items read", static_cast<long>(d.items.size()), kControlCount},
        {"truncated", d.truncated, 0},
        {"bytes after last item", static_cast<long>(d.trailingBytes), 0},
    };
    for (const Field& f : fields) EXPECT_EQ(f.expected, f.actual) << f.name;
}

TEST(TemplateRaw, HeaderTexts) {
    const template_reader::Dialog& d = RawTemplate();
    EXPECT_EQ(Narrow(kTitle), Narrow(d.title));
    EXPECT_EQ("Tahoma", Narrow(d.typeface));
}

TEST(TemplateRaw, StylesAreTheNamedFlags) {
    const template_reader::Dialog& d = RawTemplate();
    EXPECT_EQ(static_cast<DWORD>(WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | DS_SETFONT |
                                 DS_3DLOOK),
              d.style);
    EXPECT_EQ(static_cast<DWORD>(WS_EX_NOPARENTNOTIFY), d.exStyle);
    for (DWORD absent : {static_cast<DWORD>(WS_POPUP), static_cast<DWORD>(DS_MODALFRAME),
                         static_cast<DWORD>(WS_THICKFRAME), static_cast<DWORD>(WS_MAXIMIZEBOX)})
        EXPECT_EQ(0u, d.style & absent) << std::hex << absent;
}

class TemplateRawItem : public ::testing::TestWithParam<int> {};

TEST_P(TemplateRawItem, MatchesTable) {
    const Control& want = kControls[GetParam()];
    const FamilyInfo& fam = InfoOf(want.family);
    const template_reader::Dialog& d = RawTemplate();
    ASSERT_LT(GetParam(), static_cast<int>(d.items.size()));
    const template_reader::Item& it = d.items[GetParam()];

    EXPECT_EQ(0u, it.helpId);
    EXPECT_EQ(0u, it.exStyle);
    EXPECT_EQ(fam.style, it.style) << std::hex;
    EXPECT_EQ(want.x, it.x);
    EXPECT_EQ(want.y, it.y);
    EXPECT_EQ(want.cx, it.cx);
    EXPECT_EQ(want.cy, it.cy);
    EXPECT_EQ(static_cast<uint32_t>(want.id), it.id);
    EXPECT_TRUE(SameClass(template_reader::ClassName(it.windowClass), fam.windowClass))
        << Narrow(template_reader::ClassName(it.windowClass));
    EXPECT_FALSE(it.title.isOrdinal);
    EXPECT_EQ(Narrow(want.caption), Narrow(it.title.name));
    EXPECT_EQ(0u, it.extraCount);
}

INSTANTIATE_TEST_SUITE_P(Template, TemplateRawItem, ::testing::Range(0, kControlCount), PositionName);

// ---------------------------------------------------------------------------
// The dialog the system builds from the template

INT_PTR CALLBACK PassiveDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

class TemplateCreated : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dialog_ = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kMainDialog), nullptr,
                                     PassiveDialogProc, 0);
        children_.clear();
        if (!dialog_) return;
        for (HWND c = GetWindow(dialog_, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
            children_.push_back(c);
    }
    static void TearDownTestSuite() {
        if (dialog_) DestroyWindow(dialog_);
        dialog_ = nullptr;
        children_.clear();
    }

    static std::wstring TextOf(HWND w) {
        wchar_t buf[256] = {};
        GetWindowTextW(w, buf, 256);
        return buf;
    }

    // Pixel rectangle of a template rectangle, computed the way the dialog
    // manager places controls: origin and size are converted separately, so
    // the right edge is not MapDialogRect(x + cx) but MapDialogRect(x) plus
    // MapDialogRect(cx), which may differ by a rounding pixel.
    static RECT Pixels(int x, int y, int cx, int cy) {
        RECT origin = {x, y, 0, 0};
        RECT size = {0, 0, cx, cy};
        MapDialogRect(dialog_, &origin);
        MapDialogRect(dialog_, &size);
        return RECT{origin.left, origin.top, origin.left + size.right, origin.top + size.bottom};
    }

    static HWND dialog_;
    static std::vector<HWND> children_;
};

HWND TemplateCreated::dialog_ = nullptr;
std::vector<HWND> TemplateCreated::children_;

TEST_F(TemplateCreated, DialogWindow) {
    ASSERT_NE(nullptr, dialog_);
    EXPECT_EQ(static_cast<size_t>(kControlCount), children_.size());
    EXPECT_EQ(Narrow(kTitle), Narrow(TextOf(dialog_)));
    // A window that is neither a pop-up nor a child is an overlapped window,
    // and the system always gives those WS_CLIPSIBLINGS; the rest is the
    // template's style.
    DWORD style = static_cast<DWORD>(GetWindowLongW(dialog_, GWL_STYLE));
    EXPECT_EQ(0x10CA0044u, style & ~static_cast<DWORD>(WS_CLIPSIBLINGS)) << std::hex << style;
    DWORD exStyle = static_cast<DWORD>(GetWindowLongW(dialog_, GWL_EXSTYLE));
    EXPECT_NE(0u, exStyle & WS_EX_NOPARENTNOTIFY) << std::hex << exStyle;
    EXPECT_TRUE(IsWindowVisible(dialog_));

    // Without an owner the template position is measured from the screen's
    // top-left corner to the client area's, and the template size is the
    // client area's size.
    RECT client;
    GetClientRect(dialog_, &client);
    POINT origin = {0, 0};
    ClientToScreen(dialog_, &origin);
    RECT want = Pixels(60, 60, 443, 279);
    EXPECT_EQ(want.left, origin.x);
    EXPECT_EQ(want.top, origin.y);
    EXPECT_EQ(want.right - want.left, client.right);
    EXPECT_EQ(want.bottom - want.top, client.bottom);
}

TEST_F(TemplateCreated, DialogFont) {
    ASSERT_NE(nullptr, dialog_);
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(dialog_, WM_GETFONT, 0, 0));
    ASSERT_NE(nullptr, font);
    LOGFONTW lf = {};
    ASSERT_NE(0, GetObjectW(font, sizeof lf, &lf));
    EXPECT_EQ("Tahoma", Narrow(lf.lfFaceName));
    HDC dc = GetDC(dialog_);
    int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(dialog_, dc);
    EXPECT_EQ(-MulDiv(9, dpi, 72), lf.lfHeight);
    EXPECT_FALSE(lf.lfItalic);
    // Weight 0 in the template is the default weight, not bold.
    EXPECT_LT(lf.lfWeight, FW_BOLD);

    // The font is given to every control.
    for (HWND c : children_)
        EXPECT_EQ(font, reinterpret_cast<HFONT>(SendMessageW(c, WM_GETFONT, 0, 0))) << GetDlgCtrlID(c);
}

class TemplateCreatedItem : public TemplateCreated, public ::testing::WithParamInterface<int> {};

TEST_P(TemplateCreatedItem, MatchesTable) {
    const Control& want = kControls[GetParam()];
    const FamilyInfo& fam = InfoOf(want.family);
    ASSERT_LT(GetParam(), static_cast<int>(children_.size()));
    HWND w = children_[GetParam()];

    EXPECT_EQ(want.id, GetDlgCtrlID(w));
    wchar_t cls[64] = {};
    GetClassNameW(w, cls, 64);
    EXPECT_TRUE(SameClass(cls, fam.windowClass)) << Narrow(cls);

    // An edit field created in a dialog gets the sunken 3-D edge
    // (WS_EX_CLIENTEDGE) in place of its flat WS_BORDER, so for the two edit
    // fields that one bit is left out of the comparison; the field must then
    // carry the edge instead. The raw template tests above check that the
    // template itself holds WS_BORDER.
    DWORD style = static_cast<DWORD>(GetWindowLongW(w, GWL_STYLE));
    bool isEdit = SameClass(fam.windowClass, L"Edit");
    DWORD ignored = isEdit ? static_cast<DWORD>(WS_BORDER) : 0;
    EXPECT_EQ(fam.style & ~ignored, style & ~ignored) << std::hex << style;
    if (isEdit && !(style & WS_BORDER)) {
        DWORD exStyle = static_cast<DWORD>(GetWindowLongW(w, GWL_EXSTYLE));
        EXPECT_NE(0u, exStyle & WS_EX_CLIENTEDGE) << "edit field without any border";
    }

    EXPECT_EQ(Narrow(want.caption), Narrow(TextOf(w)));

    RECT have;
    GetWindowRect(w, &have);
    MapWindowPoints(HWND_DESKTOP, dialog_, reinterpret_cast<POINT*>(&have), 2);
    RECT expect = Pixels(want.x, want.y, want.cx, want.cy);
    EXPECT_EQ(expect.left, have.left);
    EXPECT_EQ(expect.top, have.top);
    EXPECT_EQ(expect.right, have.right);
    EXPECT_EQ(expect.bottom, have.bottom);
}

INSTANTIATE_TEST_SUITE_P(Template, TemplateCreatedItem, ::testing::Range(0, kControlCount), PositionName);

// ---------------------------------------------------------------------------
// Icons, manifest, and the list of all resources

struct ResourceKey {
    std::wstring type;  // "#n" for a numeric type
    std::wstring name;  // "#n" for a numeric name
    WORD language;
    bool operator<(const ResourceKey& o) const {
        return std::tie(type, name, language) < std::tie(o.type, o.name, o.language);
    }
    bool operator==(const ResourceKey& o) const {
        return type == o.type && name == o.name && language == o.language;
    }
};

std::wstring KeyOf(LPCWSTR id) {
    if (IS_INTRESOURCE(id)) return L"#" + std::to_wstring(reinterpret_cast<ULONG_PTR>(id));
    return id;
}

struct Collector {
    std::vector<ResourceKey> found;
    std::wstring type, name;
};

BOOL CALLBACK OnLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR param) {
    Collector* c = reinterpret_cast<Collector*>(param);
    c->found.push_back({c->type, c->name, language});
    return TRUE;
}

BOOL CALLBACK OnName(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR param) {
    Collector* c = reinterpret_cast<Collector*>(param);
    c->name = KeyOf(name);
    EnumResourceLanguagesW(module, type, name, OnLanguage, param);
    return TRUE;
}

BOOL CALLBACK OnType(HMODULE module, LPWSTR type, LONG_PTR param) {
    Collector* c = reinterpret_cast<Collector*>(param);
    c->type = KeyOf(type);
    EnumResourceNamesW(module, type, OnName, param);
    return TRUE;
}

std::string Describe(const std::vector<ResourceKey>& keys) {
    std::string s;
    for (const ResourceKey& k : keys)
        s += Narrow(k.type) + "/" + Narrow(k.name) + "/" + std::to_string(k.language) + " ";
    return s;
}

TEST(TemplateResources, ExactlyTheProgramsResourcesInTheirLanguages) {
    // Type numbers: RT_ICON 3, RT_DIALOG 5, RT_GROUP_ICON 14, RT_VERSION 16, RT_MANIFEST 24.
    // All in English (US) but the version information, which is Swedish.
    std::vector<ResourceKey> want = {
        {L"#3", L"#1", 1033},   {L"#3", L"#2", 1033},     {L"#5", L"#200", 1033},
        {L"#14", L"#300", 1033}, {L"#14", L"#301", 1033}, {L"#24", L"#1", 1033},
        {L"#16", L"#1", 1053},
    };
    Collector c;
    EnumResourceTypesW(GetModuleHandleW(nullptr), OnType, reinterpret_cast<LONG_PTR>(&c));
    std::sort(want.begin(), want.end());
    std::sort(c.found.begin(), c.found.end());
    EXPECT_EQ(Describe(want), Describe(c.found));
}

std::vector<unsigned char> ResourceBytes(LPCWSTR type, WORD id) {
    HRSRC res = FindResourceExW(nullptr, type, MAKEINTRESOURCEW(id), kEnglishUs);
    if (!res) return {};
    const unsigned char* p = static_cast<const unsigned char*>(LockResource(LoadResource(nullptr, res)));
    return std::vector<unsigned char>(p, p + SizeofResource(nullptr, res));
}

#pragma pack(push, 2)
struct GroupIconHeader {
    WORD reserved, type, count;
};
struct GroupIconEntry {
    BYTE width, height, colorCount, reserved;
    WORD planes, bitCount;
    DWORD bytesInRes;
    WORD id;
};
#pragma pack(pop)

struct IconCase {
    WORD group;
    int size;
};

class TemplateIcon : public ::testing::TestWithParam<IconCase> {};

TEST_P(TemplateIcon, OneImageOfItsSizeIn24Bits) {
    const IconCase& ic = GetParam();
    std::vector<unsigned char> group = ResourceBytes(MAKEINTRESOURCEW(14), ic.group);
    ASSERT_EQ(sizeof(GroupIconHeader) + sizeof(GroupIconEntry), group.size());
    GroupIconHeader head;
    GroupIconEntry entry;
    memcpy(&head, group.data(), sizeof head);
    memcpy(&entry, group.data() + sizeof head, sizeof entry);
    EXPECT_EQ(0, head.reserved);
    EXPECT_EQ(1, head.type);
    EXPECT_EQ(1, head.count);
    EXPECT_EQ(ic.size, entry.width);
    EXPECT_EQ(ic.size, entry.height);
    EXPECT_EQ(0, entry.colorCount);
    EXPECT_EQ(1, entry.planes);
    EXPECT_EQ(24, entry.bitCount);

    // The image: BITMAPINFOHEADER, colour rows, then the 1-bit AND mask;
    // the height counts both halves.
    std::vector<unsigned char> image = ResourceBytes(MAKEINTRESOURCEW(3), entry.id);
    ASSERT_GE(image.size(), sizeof(BITMAPINFOHEADER));
    EXPECT_EQ(entry.bytesInRes, image.size());
    BITMAPINFOHEADER bih;
    memcpy(&bih, image.data(), sizeof bih);
    EXPECT_EQ(sizeof(BITMAPINFOHEADER), bih.biSize);
    EXPECT_EQ(ic.size, bih.biWidth);
    EXPECT_EQ(2 * ic.size, bih.biHeight);
    EXPECT_EQ(1, bih.biPlanes);
    EXPECT_EQ(24, bih.biBitCount);
    EXPECT_EQ(static_cast<DWORD>(BI_RGB), bih.biCompression);
    size_t colourBytes = static_cast<size_t>((ic.size * 3 + 3) / 4 * 4) * ic.size;
    size_t maskBytes = static_cast<size_t>((ic.size + 31) / 32 * 4) * ic.size;
    EXPECT_EQ(sizeof(BITMAPINFOHEADER) + colourBytes + maskBytes, image.size());

    // And the system can make an icon of it at its own size.
    HICON icon = static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(ic.group), IMAGE_ICON, 0, 0, 0));
    ASSERT_NE(nullptr, icon);
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP bm = {};
    GetObjectW(info.hbmColor, sizeof bm, &bm);
    EXPECT_EQ(ic.size, bm.bmWidth);
    EXPECT_EQ(ic.size, bm.bmHeight);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);
}

INSTANTIATE_TEST_SUITE_P(Template, TemplateIcon,
                         ::testing::Values(IconCase{300, 32}, IconCase{301, 64}),
                         [](const ::testing::TestParamInfo<IconCase>& i) {
                             return "group" + std::to_string(i.param.group);
                         });

// Attributes of the first element named `tag` at or after `from`.
std::map<std::string, std::string> Attributes(const std::string& xml, const std::string& tag,
                                              size_t from = 0) {
    std::map<std::string, std::string> attrs;
    size_t start = xml.find("<" + tag + " ", from);
    if (start == std::string::npos) return attrs;
    size_t end = xml.find('>', start);
    std::string element = xml.substr(start, end - start);
    size_t pos = tag.size() + 1;
    for (;;) {
        size_t eq = element.find("=\"", pos);
        if (eq == std::string::npos) break;
        size_t nameStart = element.find_last_of(" \t\r\n", eq) + 1;
        size_t valueEnd = element.find('"', eq + 2);
        attrs[element.substr(nameStart, eq - nameStart)] = element.substr(eq + 2, valueEnd - eq - 2);
        pos = valueEnd + 1;
    }
    return attrs;
}

std::string ManifestText() {
    std::vector<unsigned char> bytes = ResourceBytes(MAKEINTRESOURCEW(24), 1);
    return std::string(bytes.begin(), bytes.end());
}

TEST(TemplateManifest, DeclarationAndRoot) {
    std::string xml = ManifestText();
    ASSERT_FALSE(xml.empty());
    EXPECT_EQ(0u, xml.find("<?xml ")) << "no byte-order mark, declaration first";
    auto decl = Attributes(xml, "?xml");
    EXPECT_EQ("UTF-8", decl["encoding"]);
    EXPECT_EQ("yes", decl["standalone"]);
    auto root = Attributes(xml, "assembly");
    EXPECT_EQ("urn:schemas-microsoft-com:asm.v1", root["xmlns"]);
    EXPECT_EQ("1.0", root["manifestVersion"]);
}

TEST(TemplateManifest, OwnIdentityDescriptionThenDependencyInThatOrder) {
    std::string xml = ManifestText();
    size_t identity = xml.find("<assemblyIdentity ");
    size_t description = xml.find("<description");
    size_t dependency = xml.find("<dependency>");
    ASSERT_NE(std::string::npos, identity);
    ASSERT_NE(std::string::npos, description);
    ASSERT_NE(std::string::npos, dependency);
    EXPECT_LT(identity, description);
    EXPECT_LT(description, dependency);
    EXPECT_EQ(xml.rfind("<dependency>"), dependency) << "one dependency";

    auto own = Attributes(xml, "assemblyIdentity");
    const std::pair<const char*, const char*> ownWant[] = {
        {"processorArchitecture", "x86"}, {"version", "1.0.0.0"}, {"type", "win32"}};
    for (const auto& kv : ownWant) EXPECT_EQ(kv.second, own[kv.first]) << kv.first;
    EXPECT_FALSE(own["name"].empty());
}

TEST(TemplateManifest, AsksForCommonControlsSix) {
    std::string xml = ManifestText();
    size_t dependent = xml.find("<dependentAssembly>");
    ASSERT_NE(std::string::npos, dependent);
    auto dep = Attributes(xml, "assemblyIdentity", dependent);
    const std::pair<const char*, const char*> want[] = {
        {"type", "win32"},
        {"name", "Microsoft.Windows.Common-Controls"},
        {"version", "6.0.0.0"},
        {"processorArchitecture", "x86"},
        {"publicKeyToken", "6595b64144ccf1df"},
        {"language", "*"},
    };
    for (const auto& kv : want) EXPECT_EQ(kv.second, dep[kv.first]) << kv.first;
    EXPECT_EQ(sizeof want / sizeof want[0], dep.size());
}

}  // namespace
