// Once the program has restricted the DLL search, a DLL is looked for in the
// system folder and in folders registered on purpose only: one lying beside
// the exe or in the current folder, as in a Downloads folder, is not found by
// name, a system DLL still is.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cwchar>
#include <string>
#include <vector>

#include "../common/files.h"
#include "../common/scratch_folder.h"
#include "app/system_library.h"

namespace {

// A copy of the marker DLL, which leaves "<its path>.loaded" when loaded,
// removed again with its marker.
class PlantedCopy {
public:
    PlantedCopy(const std::string& folder, const char* name) : path_(folder + "\\" + name) {
        planted_ = CopyFileA(BesideThisExe("ravlo_marker_dll.dll").c_str(), path_.c_str(), FALSE) != 0;
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

// Whether `path` lies in the system folder. A 32-bit program on 64-bit
// Windows is told System32 but loads the system's DLLs from SysWOW64.
bool InSystemFolder(const std::wstring& path) {
    wchar_t folder[MAX_PATH] = L"";
    std::vector<std::wstring> folders;
    if (GetSystemDirectoryW(folder, MAX_PATH)) folders.push_back(folder);
    BOOL wow64 = FALSE;
    if (IsWow64Process(GetCurrentProcess(), &wow64) && wow64 && GetSystemWow64DirectoryW(folder, MAX_PATH))
        folders.push_back(folder);
    for (const std::wstring& f : folders)
        if (_wcsnicmp(path.c_str(), (f + L"\\").c_str(), f.size() + 1) == 0) return true;
    return false;
}

// Loads `name` as a system component would, by name alone; true when it loaded.
bool LoadsByName(const char* name) {
    HMODULE module = LoadLibraryA(name);
    if (module) FreeLibrary(module);
    return module != nullptr;
}

TEST(DllSearch, OnlyTheSystemFolderOnceRestricted) {
    const ScratchFolder scratch("ravlo-dll-search"), registered("ravlo-dll-registered");
    ASSERT_TRUE(scratch.Created());
    ASSERT_TRUE(registered.Created());
    const std::string& current = scratch.Path();
    char before[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, before);
    ASSERT_TRUE(SetCurrentDirectoryA(current.c_str()));
    // As an extension that the save dialog brings in registers its own folder.
    const DLL_DIRECTORY_COOKIE cookie = AddDllDirectory(registered.WidePath().c_str());
    ASSERT_NE(cookie, nullptr);

    struct Case {
        const char* where;
        std::string folder;
        bool unrestricted, restricted;  // whether a copy there loads by name
    };
    const Case cases[] = {{"beside the exe", ExeFolder(), true, false},
                          {"in the current folder", current, true, false},
                          {"in a folder registered with AddDllDirectory", registered.Path(), false, true}};
    // Plants a copy under `name` in each folder and loads it by name.
    const auto loadsPlanted = [&](const char* name, bool restricted) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.where);
            const bool expected = restricted ? c.restricted : c.unrestricted;
            PlantedCopy planted(c.folder, name);
            ASSERT_TRUE(planted.Planted());
            EXPECT_EQ(LoadsByName(name), expected);
            EXPECT_EQ(planted.Ran(), expected);
        }
    };
    loadsPlanted("ravlo-planted-control.dll", false);  // while nothing is restricted: the copies work
    RestrictDllSearchToSystemFolder(KernelDllSearchFunctions());
    loadsPlanted("ravlo-planted.dll", true);

    // The save dialog's DLL still comes, from the system folder.
    wchar_t loaded[MAX_PATH] = L"";
    HMODULE dialogs = LoadSystemLibrary(L"comdlg32.dll");
    ASSERT_NE(dialogs, nullptr);
    GetModuleFileNameW(dialogs, loaded, MAX_PATH);
    EXPECT_TRUE(InSystemFolder(loaded)) << ::testing::PrintToString(std::wstring(loaded));

    RemoveDllDirectory(cookie);
    SetCurrentDirectoryA(before);
}

// A kernel without the restriction, or whose restriction fails: what the
// program asked of it.
struct OlderKernel {
    static BOOL WINAPI FailingSetDefaultDllDirectories(DWORD) { return FALSE; }
    static BOOL WINAPI SetDllDirectory(LPCWSTR folder) {
        dllDirectories.push_back(folder ? folder : L"<null: the current folder again>");
        return TRUE;
    }
    static HMODULE WINAPI LoadLibraryEx(LPCWSTR name, HANDLE, DWORD flags) {
        loaded.push_back(name);
        loadFlags.push_back(flags);
        return nullptr;
    }
    static inline std::vector<std::wstring> dllDirectories, loaded;
    static inline std::vector<DWORD> loadFlags;
};

// There the current folder leaves the search, and the DLLs looked up by name
// come ahead from the system folder by full path, never by name.
TEST(DllSearch, WithoutTheRestrictionTheSystemFolderComesFirst) {
    const struct {
        const char* name;
        BOOL(WINAPI* setDefaultDllDirectories)(DWORD);
    } cases[] = {{"no SetDefaultDllDirectories", nullptr},
                 {"SetDefaultDllDirectories fails", OlderKernel::FailingSetDefaultDllDirectories}};
    wchar_t system[MAX_PATH] = L"";
    GetSystemDirectoryW(system, MAX_PATH);
    std::vector<std::wstring> fullPaths;
    for (const wchar_t* name : kDllsLookedUpByName) fullPaths.push_back(std::wstring(system) + L"\\" + name);
    // Among them the one whose planted copy runs in Wine when nothing is restricted.
    ASSERT_EQ(std::count(fullPaths.begin(), fullPaths.end(), std::wstring(system) + L"\\uxtheme.dll"), 1);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        OlderKernel::dllDirectories.clear();
        OlderKernel::loaded.clear();
        OlderKernel::loadFlags.clear();
        DllSearchFunctions kernel;
        kernel.setDefaultDllDirectories = c.setDefaultDllDirectories;
        kernel.setDllDirectory = OlderKernel::SetDllDirectory;
        kernel.loadLibraryEx = OlderKernel::LoadLibraryEx;
        RestrictDllSearchToSystemFolder(kernel);
        EXPECT_EQ(OlderKernel::dllDirectories, std::vector<std::wstring>{L""});
        EXPECT_EQ(OlderKernel::loaded, fullPaths);
        // Their own dependencies from the system folder too.
        EXPECT_EQ(OlderKernel::loadFlags, std::vector<DWORD>(fullPaths.size(), LOAD_WITH_ALTERED_SEARCH_PATH));
    }
}

}  // namespace
