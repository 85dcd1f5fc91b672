// The exe's name, version and description as Explorer's Properties, Task
// Manager and security software read them, through the system's version API.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "ravlo_process.h"

namespace {

struct StringField {
    const wchar_t* name;
    const wchar_t* value;
};

const StringField kFields[] = {
    {L"FileDescription", L"Ravlo \u2013 enkelrader f\u00F6r Stryktipset"},
    {L"FileVersion", L"8.02"},
    {L"InternalName", L"ravlo"},
    {L"LegalCopyright", L"Copyright \u00A9 2004 Ravlo, www.example.org/ravlo"},
    {L"OriginalFilename", L"ravlo.exe"},
    {L"ProductName", L"Ravlo"},
    {L"ProductVersion", L"8.02"},
};

std::vector<BYTE> VersionBlock(const std::string& exe) {
    wchar_t path[MAX_PATH] = L"";
    MultiByteToWideChar(CP_ACP, 0, exe.c_str(), -1, path, MAX_PATH);
    DWORD ignored = 0;
    std::vector<BYTE> block(GetFileVersionInfoSizeW(path, &ignored));
    if (!block.empty() && !GetFileVersionInfoW(path, 0, static_cast<DWORD>(block.size()), block.data()))
        block.clear();
    return block;
}

// The value at `query`, and its length in the block's units, or null.
void* Query(std::vector<BYTE>& block, const std::wstring& query, UINT* length) {
    void* value = nullptr;
    *length = 0;
    return VerQueryValueW(block.data(), query.c_str(), &value, length) ? value : nullptr;
}

TEST(VersionInfo, NamesTheProgramInSwedish) {
    // The exe the tests run, and the shipped one where this is another build's.
    std::vector<std::string> exes{e2e::ProgramPath()};
    if (Exists(BesideThisExe("shipped\\ravlo.exe"))) exes.push_back(BesideThisExe("shipped\\ravlo.exe"));
    for (const std::string& exe : exes) {
        SCOPED_TRACE(exe);
        std::vector<BYTE> block = VersionBlock(exe);
        ASSERT_FALSE(block.empty()) << "no version information";
        UINT length = 0;

        const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(Query(block, L"\\", &length));
        ASSERT_NE(fixed, nullptr);
        EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
        EXPECT_EQ(fixed->dwFileVersionMS, 0x00080002u);
        EXPECT_EQ(fixed->dwFileVersionLS, 0u);
        EXPECT_EQ(fixed->dwProductVersionMS, 0x00080002u);
        EXPECT_EQ(fixed->dwProductVersionLS, 0u);
        EXPECT_EQ(fixed->dwFileFlags & fixed->dwFileFlagsMask, 0u) << "no debug, pre-release or patched flag";
        EXPECT_EQ(fixed->dwFileOS, static_cast<DWORD>(VOS_NT_WINDOWS32));
        EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

        // One translation: Swedish, Unicode strings.
        const auto* translation = static_cast<const WORD*>(Query(block, L"\\VarFileInfo\\Translation", &length));
        ASSERT_NE(translation, nullptr);
        ASSERT_EQ(length, 4u);
        EXPECT_EQ(translation[0], 0x041D);
        EXPECT_EQ(translation[1], 1200);

        for (const StringField& field : kFields) {
            const auto* value = static_cast<const wchar_t*>(
                Query(block, std::wstring(L"\\StringFileInfo\\041D04B0\\") + field.name, &length));
            ASSERT_NE(value, nullptr) << ::testing::PrintToString(std::wstring(field.name));
            EXPECT_EQ(std::wstring(value), field.value) << ::testing::PrintToString(std::wstring(field.name));
        }
    }
}

}  // namespace
