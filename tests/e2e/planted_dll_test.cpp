// Started from a Downloads folder: DLLs dropped beside the exe, or in the
// folder it is started in, under the names of the DLLs a program loads, must
// never run, not at start-up, not in the save dialog.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../common/files.h"
#include "../common/save_dialog.h"
#include "../common/scratch_folder.h"
#include "../common/under_wine.h"
#include "ravlo_process.h"
#include "resource.h"

namespace {

using e2e::RavloProcess;

// Every DLL the program's process loads over a start, a press, a save through
// the save dialog and a close (listed with WINEDEBUG=+loaddll), and those that
// the common controls and the save dialog look up by name on Windows.
const char* const kPlantedNames[] = {
    // loaded (Wine 8, 64-bit build)
    "advapi32.dll", "combase.dll", "comctl32.dll", "comdlg32.dll", "compstui.dll", "gdi32.dll", "imm32.dll",
    "kernel32.dll", "kernelbase.dll", "msimg32.dll", "msvcrt.dll", "ole32.dll", "rpcrt4.dll", "sechost.dll",
    "shcore.dll", "shell32.dll", "shlwapi.dll", "ucrtbase.dll", "user32.dll", "uxtheme.dll", "version.dll",
    "win32u.dll", "winex11.drv", "winspool.drv", "zlib1.dll",
    // looked up by name on Windows
    "apphelp.dll", "clbcatq.dll", "cryptbase.dll", "cscapi.dll", "dwmapi.dll", "linkinfo.dll", "ntmarta.dll",
    "ntshrui.dll", "oleacc.dll", "profapi.dll", "propsys.dll", "secur32.dll", "setupapi.dll", "sspicli.dll",
    "userenv.dll",
};

constexpr DWORD kDialogTimeoutMs = 10000;

// Wine keeps its builtin DLLs for every name, wherever a planted copy lies,
// unless told to prefer native ones; told so, its loader searches as Windows
// does, and a copy beside the exe runs unless the program has restricted the
// search. Tried name by name, with the restriction and without, only uxtheme
// runs without it and not with it. Left out, and why:
// - msimg32 and version: Wine's own DLLs load them from the exe's folder even
//   with the search restricted (on Windows the restriction covers them);
// - imm32 and rpcrt4: the same, and known DLLs on Windows;
// - ucrtbase, combase, ole32, zlib1 and winex11.drv: Wine's own runtime and
//   display driver, which the program cannot run without;
// - comctl32, compstui, winspool.drv, the shell's and the names only Windows
//   looks up: no copy of them runs either way.
const char* const kPreferNative[] = {"uxtheme"};

// Wine's own overrides for one program, by its file name, in the registry:
// the program reads them when it starts. (The WINEDLLOVERRIDES variable
// would reach only programs started from Unix.) Windows searches as it does
// without being told: there nothing is written. The keys that this made are
// removed again, the ones above them too where they did not exist before.
class PreferNativeDlls {
public:
    explicit PreferNativeDlls(const std::string& programName) {
        if (!UnderWine()) {
            set_ = true;
            return;
        }
        const std::string program = "Software\\Wine\\AppDefaults\\" + programName;
        HKEY key = nullptr;
        for (const std::string& path : {std::string("Software\\Wine"), std::string("Software\\Wine\\AppDefaults"),
                                        program, program + "\\DllOverrides"}) {
            if (key) RegCloseKey(key);
            key = nullptr;
            DWORD disposition = 0;
            if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                                &disposition) != ERROR_SUCCESS)
                return;
            if (disposition == REG_CREATED_NEW_KEY) created_.push_back(path);
        }
        static const char kOrder[] = "native,builtin";
        set_ = true;
        for (const char* name : kPreferNative)
            set_ = set_ && RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(kOrder),
                                          sizeof kOrder) == ERROR_SUCCESS;
        RegCloseKey(key);
    }
    ~PreferNativeDlls() {
        for (auto key = created_.rbegin(); key != created_.rend(); ++key) RegDeleteKeyA(HKEY_CURRENT_USER, key->c_str());
    }
    PreferNativeDlls(const PreferNativeDlls&) = delete;
    PreferNativeDlls& operator=(const PreferNativeDlls&) = delete;
    bool Set() const { return set_; }

private:
    std::vector<std::string> created_;  // outermost first
    bool set_ = false;
};

// The marker DLL's copies that were loaded: each leaves "<name>.loaded".
std::vector<std::string> LoadedMarkers(const ScratchFolder& folder) {
    std::vector<std::string> loaded;
    for (const std::string& name : folder.Files())
        if (name.size() > 7 && name.compare(name.size() - 7, 7, ".loaded") == 0) loaded.push_back(name);
    return loaded;
}

TEST(PlantedDlls, NoneRunsAtStartOrInTheSaveDialog) {
    ScratchFolder folder;
    ASSERT_TRUE(folder.Created());
    const std::string marker = BesideThisExe("ravlo_marker_dll.dll");

    // The marker works: a copy that is loaded says so.
    ASSERT_TRUE(CopyFileA(marker.c_str(), folder.File("control.dll").c_str(), FALSE));
    HMODULE control = LoadLibraryA(folder.File("control.dll").c_str());
    ASSERT_NE(control, nullptr);
    FreeLibrary(control);
    ASSERT_EQ(LoadedMarkers(folder), std::vector<std::string>{"control.dll.loaded"});
    DeleteFileA(folder.File("control.dll.loaded").c_str());

    // A name of its own, so that Wine's overrides for it reach no other test's program.
    const char* const kProgramName = "ravlo-planted.exe";
    const std::string program = folder.File(kProgramName);
    ASSERT_TRUE(CopyFileA(e2e::ProgramPath().c_str(), program.c_str(), FALSE));
    for (const char* name : kPlantedNames) ASSERT_TRUE(CopyFileA(marker.c_str(), folder.File(name).c_str(), FALSE));

    const PreferNativeDlls preferNative(kProgramName);
    ASSERT_TRUE(preferNative.Set());
    RavloProcess ravlo;
    ASSERT_TRUE(ravlo.StartProgram(program, folder.File("").c_str())) << ravlo.Error();
    ASSERT_TRUE(ravlo.Click(IDC_COUNT_3));
    ASSERT_TRUE(ravlo.Click(IDC_GENERATE));
    const std::string rows = ravlo.Text(IDC_ROWS);
    ASSERT_TRUE(ravlo.PostClick(IDC_SAVE));
    ASSERT_EQ(save_dialog::FillSaveDialog(ravlo.ProcessId(), folder.File("rows.txt").c_str(), kDialogTimeoutMs),
              save_dialog::Closed::kWithoutPrompt);
    ASSERT_TRUE(ravlo.RoundTrip());
    EXPECT_EQ(ravlo.Close(), 0);

    std::string saved;
    EXPECT_TRUE(ReadFileBytes(folder.File("rows.txt"), saved));
    EXPECT_EQ(saved, rows);
    EXPECT_EQ(LoadedMarkers(folder), std::vector<std::string>{});
}

}  // namespace
