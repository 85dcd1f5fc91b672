// Files and folders for tests that check what a run left on disk, the files
// that come with the tests, and Unix paths as Wine reads them.
#ifndef RAVLO_TESTS_FILES_H
#define RAVLO_TESTS_FILES_H

#include <windows.h>

#include <set>
#include <string>

// Every entry of `folder` but "." and "..".
inline std::set<std::string> FilesIn(const std::string& folder) {
    std::set<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        const std::string name = data.cFileName;
        if (name != "." && name != "..") names.insert(name);
    } while (FindNextFileA(find, &data));
    FindClose(find);
    return names;
}

// The same for a folder named in UTF-16.
inline std::set<std::wstring> FilesIn(const std::wstring& folder) {
    std::set<std::wstring> names;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        const std::wstring name = data.cFileName;
        if (name != L"." && name != L"..") names.insert(name);
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return names;
}

inline bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Opened to read while others may go on reading, writing or deleting it.
inline HANDLE OpenToRead(const std::string& path) {
    return CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}
inline HANDLE OpenToRead(const std::wstring& path) {
    return CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// The file's bytes, or false when it cannot be read (yet). `path` is a
// std::string or a std::wstring.
template <class Path>
bool ReadFileBytes(const Path& path, std::string& bytes) {
    HANDLE file = OpenToRead(path);
    if (file == INVALID_HANDLE_VALUE) return false;
    bytes.clear();
    char buffer[4096];
    DWORD got = 0;
    bool ok = true;
    while ((ok = ReadFile(file, buffer, sizeof buffer, &got, nullptr) != 0) && got > 0) bytes.append(buffer, got);
    CloseHandle(file);
    return ok;
}

// The same as one value to compare: "<missing>" when the file cannot be read.
template <class Path>
std::string FileBytes(const Path& path) {
    std::string bytes;
    return ReadFileBytes(path, bytes) ? bytes : "<missing>";
}

// Creates or replaces the file with `bytes`; false when that fails.
inline bool WriteFileBytes(const std::string& path, const std::string& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                    written == bytes.size();
    CloseHandle(file);
    return ok;
}

// A Unix path as Wine's programs understand it: Wine shows the Unix root as
// drive Z:.
inline std::string WindowsPath(std::string path) {
    if (!path.empty() && path[0] == '/') path = "Z:" + path;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

// The folder a Windows path names a file in.
inline std::string FolderOf(const std::string& path) { return path.substr(0, path.find_last_of('\\')); }

// This test program's exe, as Windows names it.
inline std::wstring ExePath() {
    wchar_t path[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}

// The folder of this test program's exe, in the ANSI code page. A folder
// whose name that code page cannot spell (å on a Cyrillic Windows) is given
// by its short name, where the disk keeps one.
inline std::string ExeFolder() {
    const std::wstring wide = ExePath();
    wchar_t shortName[MAX_PATH] = L"";
    char path[3 * MAX_PATH] = "";
    BOOL lossy = FALSE;
    WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, path, sizeof path, nullptr,
                        GetACP() == CP_UTF8 ? nullptr : &lossy);
    if (lossy && GetShortPathNameW(wide.c_str(), shortName, MAX_PATH))
        WideCharToMultiByte(CP_ACP, 0, shortName, -1, path, sizeof path, nullptr, nullptr);
    return FolderOf(path);
}

// A file that comes with the tests, found beside this test program, wherever
// the tests were copied to: ravlo.exe, the marker DLL, shipped\ravlo.exe.
inline std::string BesideThisExe(const std::string& name) { return ExeFolder() + "\\" + name; }
inline std::wstring BesideThisExe(const wchar_t* name) {
    const std::wstring exe = ExePath();
    return exe.substr(0, exe.find_last_of(L'\\') + 1) + name;
}

#endif
