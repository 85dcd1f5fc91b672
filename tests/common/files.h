// The names in a folder, for tests that check what a run left on disk, and
// the build's paths as Windows reads them.
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

// A path from the build as Windows understands it. The build hands over Unix
// paths; Wine shows the Unix root as drive Z:.
inline std::string WindowsPath(std::string path) {
    if (!path.empty() && path[0] == '/') path = "Z:" + path;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

#endif
