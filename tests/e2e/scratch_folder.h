// Files for the end-to-end tests: a scratch folder of their own and plain
// whole-file reads and writes.
#ifndef RAVLO_E2E_SCRATCH_FOLDER_H
#define RAVLO_E2E_SCRATCH_FOLDER_H

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

// A folder of its own under the temporary folder, removed with its files.
class ScratchFolder {
public:
    ScratchFolder() {
        char temp[MAX_PATH] = "";
        GetTempPathA(MAX_PATH, temp);
        path_ = std::string(temp) + "ravlo-e2e-" + std::to_string(GetCurrentProcessId()) + "-" +
                std::to_string(GetTickCount());
        created_ = CreateDirectoryA(path_.c_str(), nullptr) != 0;
    }
    ~ScratchFolder() {
        for (const std::string& name : Files()) DeleteFileA(File(name).c_str());
        // A program may have run with the folder as its current one; the
        // system may let go of it a moment after the process ended.
        for (int attempt = 0; attempt < 50 && !RemoveDirectoryA(path_.c_str()); ++attempt) Sleep(20);
    }
    bool Created() const { return created_; }
    std::string File(const std::string& name) const { return path_ + "\\" + name; }

    std::vector<std::string> Files() const {
        std::vector<std::string> names;
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA(File("*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) return names;
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
        } while (FindNextFileA(search, &found));
        FindClose(search);
        return names;
    }

private:
    std::string path_;
    bool created_ = false;
};

inline bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The file's bytes, or false when it cannot be read (yet).
inline bool ReadFileBytes(const std::string& path, std::string& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    bytes.clear();
    char buffer[4096];
    DWORD got = 0;
    bool ok = true;
    while ((ok = ReadFile(file, buffer, sizeof buffer, &got, nullptr) != 0) && got > 0) bytes.append(buffer, got);
    CloseHandle(file);
    return ok;
}

inline bool WriteFileBytes(const std::string& path, const std::string& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                    written == bytes.size();
    CloseHandle(file);
    return ok;
}

}  // namespace e2e

#endif
