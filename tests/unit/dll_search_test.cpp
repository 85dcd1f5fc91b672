// Once the program has restricted the DLL search, a DLL is looked for in the
// system folder only: one lying beside the exe or in the current folder, as
// in a Downloads folder, is not found by name, a system DLL still is.
#include <gtest/gtest.h>
#include <windows.h>

#include <cwchar>
#include <string>

#include "../common/files.h"
#include "../common/scratch_folder.h"
#include "app/system_library.h"

namespace {

// A copy of the marker DLL, which leaves "<its path>.loaded" when loaded,
// removed again with its marker.
class PlantedCopy {
public:
    PlantedCopy(const std::string& folder, const char* name) : path_(folder + "\\" + name) {
        planted_ = CopyFileA(WindowsPath(RAVLO_MARKER_DLL).c_str(), path_.c_str(), FALSE) != 0;
    }
    ~PlantedCopy() {
        DeleteFileA(path_.c_str());
        DeleteFileA((path_ + ".loaded").c_str());
    }
    bool Planted() const { return planted_; }
    bool Ran() const { return GetFileAttributesA((path_ + ".loaded").c_str()) != INVALID_FILE_ATTRIBUTES; }

private:
    std::string path_;
    bool planted_ = false;
};

// Loads `name` as a system component would, by name alone; true when it loaded.
bool LoadsByName(const char* name) {
    HMODULE module = LoadLibraryA(name);
    if (module) FreeLibrary(module);
    return module != nullptr;
}

TEST(DllSearch, OnlyTheSystemFolderOnceRestricted) {
    const ScratchFolder scratch("ravlo-dll-search");
    ASSERT_TRUE(scratch.Created());
    const std::string& current = scratch.Path();
    char before[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, before);
    ASSERT_TRUE(SetCurrentDirectoryA(current.c_str()));

    struct Case {
        const char* where;
        std::string folder;
    };
    const Case cases[] = {{"beside the exe", ExeFolder()}, {"in the current folder", current}};
    // Plants a copy under `name` in each folder and loads it by name.
    const auto loadsPlanted = [&](const char* name, bool expected) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.where);
            PlantedCopy planted(c.folder, name);
            ASSERT_TRUE(planted.Planted());
            EXPECT_EQ(LoadsByName(name), expected);
            EXPECT_EQ(planted.Ran(), expected);
        }
    };
    loadsPlanted("ravlo-planted-control.dll", true);  // while nothing is restricted: the copies work
    RestrictDllSearchToSystemFolder();
    loadsPlanted("ravlo-planted.dll", false);

    // The save dialog's DLL still comes, from the system folder.
    wchar_t system[MAX_PATH] = L"", loaded[MAX_PATH] = L"";
    GetSystemDirectoryW(system, MAX_PATH);
    HMODULE dialogs = LoadSystemLibrary(L"comdlg32.dll");
    ASSERT_NE(dialogs, nullptr);
    GetModuleFileNameW(dialogs, loaded, MAX_PATH);
    EXPECT_EQ(_wcsnicmp(loaded, system, std::wcslen(system)), 0) << ::testing::PrintToString(std::wstring(loaded));

    SetCurrentDirectoryA(before);
}

}  // namespace
