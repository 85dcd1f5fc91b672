// A folder of a test's own under the temporary folder.
#ifndef RAVLO_TESTS_SCRATCH_FOLDER_H
#define RAVLO_TESTS_SCRATCH_FOLDER_H

#include <windows.h>

#include <string>
#include <vector>

#include "files.h"

// Made under a name no other folder has, removed with all it holds, read-only
// files and folders with UTF-16 names too.
class ScratchFolder {
public:
    explicit ScratchFolder(const char* prefix = "ravlo-scratch") {
        char temp[MAX_PATH] = "";
        GetTempPathA(MAX_PATH, temp);
        const std::string stem = std::string(temp) + prefix + "-" + std::to_string(GetCurrentProcessId()) + "-";
        // Another scratch folder of this process, or one a crashed run left,
        // may hold a name already: the next one is taken then.
        DWORD number = GetTickCount();
        for (int attempt = 0; attempt < 100 && !created_; ++attempt, ++number) {
            path_ = stem + std::to_string(number);
            created_ = CreateDirectoryA(path_.c_str(), nullptr) != 0;
        }
    }
    ~ScratchFolder() {
        if (created_) Remove(WidePath());
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    bool Created() const { return created_; }
    const std::string& Path() const { return path_; }
    std::wstring WidePath() const {
        wchar_t wide[MAX_PATH] = L"";
        MultiByteToWideChar(CP_ACP, 0, path_.c_str(), -1, wide, MAX_PATH);
        return wide;
    }
    std::string File(const std::string& name) const { return path_ + "\\" + name; }

    // The names of the files in it, without its folders.
    std::vector<std::string> Files() const {
        std::vector<std::string> files;
        for (const std::string& name : FilesIn(path_))
            if (!(GetFileAttributesA(File(name).c_str()) & FILE_ATTRIBUTE_DIRECTORY)) files.push_back(name);
        return files;
    }

private:
    static void Remove(const std::wstring& folder) {
        for (const std::wstring& name : FilesIn(folder)) {
            const std::wstring path = folder + L"\\" + name;
            const DWORD attributes = GetFileAttributesW(path.c_str());
            if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
                Remove(path);
                continue;
            }
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileW(path.c_str());
        }
        // A program may have run with the folder as its current one; the
        // system may let go of it a moment after the process ended.
        for (int attempt = 0; attempt < 50 && !RemoveDirectoryW(folder.c_str()); ++attempt) Sleep(20);
    }

    std::string path_;
    bool created_ = false;
};

#endif
