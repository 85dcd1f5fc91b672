#include "traces.h"

#include <shlobj.h>

namespace {

// Under HKEY_CURRENT_USER. The save dialog writes its recent folders and
// files (Wine: LastVisitedMRU), the shell the views of the folders it showed
// (Wine makes the view options' key, Explorer\Advanced, when it has none).
const wchar_t* const kKeys[] = {
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ComDlg32",
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced",
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RecentDocs",
    L"Software\\Classes\\Local Settings\\Software\\Microsoft\\Windows\\Shell",
    L"Software\\Microsoft\\Windows\\Shell",
    L"Software\\Wine\\AppDefaults",
};

bool Read(HKEY parent, const std::wstring& path, KeyState& state) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(parent, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    // On the heap: the shell's folder views nest deep.
    std::vector<wchar_t> name(16384);
    for (DWORD i = 0;; ++i) {
        DWORD nameLength = 16384, type = 0, size = 0;
        if (RegEnumValueW(key, i, name.data(), &nameLength, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) break;
        std::vector<BYTE> data(size);
        nameLength = 16384;
        if (RegEnumValueW(key, i, name.data(), &nameLength, nullptr, &type, data.data(), &size) == ERROR_SUCCESS)
            state.values[name.data()] = {type, std::vector<BYTE>(data.begin(), data.begin() + size)};
    }
    std::vector<std::wstring> children;
    for (DWORD i = 0;; ++i) {
        DWORD nameLength = 256;
        if (RegEnumKeyExW(key, i, name.data(), &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        children.push_back(name.data());
    }
    for (const std::wstring& child : children) Read(key, child, state.keys[child]);
    RegCloseKey(key);
    return true;
}

// Makes the key at `path` hold what `before` held, touching only what differs.
void Restore(HKEY parent, const std::wstring& path, const KeyState& before, const std::wstring& shown,
             std::vector<std::wstring>& put) {
    KeyState now;
    Read(parent, path, now);
    HKEY key = nullptr;
    if (RegCreateKeyExW(parent, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    for (const auto& value : now.values)
        if (!before.values.count(value.first) && RegDeleteValueW(key, value.first.c_str()) == ERROR_SUCCESS)
            put.push_back(L"value removed: " + shown + L"\\" + value.first);
    for (const auto& value : before.values) {
        const auto found = now.values.find(value.first);
        if (found != now.values.end() && found->second == value.second) continue;
        const auto& data = value.second.second;
        if (RegSetValueExW(key, value.first.c_str(), 0, value.second.first, data.data(),
                           static_cast<DWORD>(data.size())) == ERROR_SUCCESS)
            put.push_back(L"value put back: " + shown + L"\\" + value.first);
    }
    for (const auto& child : now.keys)
        if (!before.keys.count(child.first) && RegDeleteTreeW(key, child.first.c_str()) == ERROR_SUCCESS)
            put.push_back(L"key removed: " + shown + L"\\" + child.first);
    for (const auto& child : before.keys) Restore(key, child.first, child.second, shown + L"\\" + child.first, put);
    RegCloseKey(key);
}

// The entries of `folder`, and of its folders when `deep`, as paths below it.
void List(const std::wstring& folder, const std::wstring& below, bool deep, std::set<std::wstring, NoCase>& names) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"\\" + below + L"*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        const std::wstring name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        names.insert(below + name);
        if (deep && (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) List(folder, below + name + L"\\", deep, names);
    } while (FindNextFileW(find, &data));
    FindClose(find);
}

void RemoveAll(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        DeleteFileW(path.c_str());
        return;
    }
    std::set<std::wstring, NoCase> inside;
    List(path, L"", false, inside);
    for (const std::wstring& name : inside) RemoveAll(path + L"\\" + name);
    RemoveDirectoryW(path.c_str());
}

bool IsScratchOf(const std::wstring& name, const std::set<DWORD>& processes) {
    if (_wcsnicmp(name.c_str(), L"ravlo-", 6) != 0) return false;
    for (DWORD id : processes)
        if (name.find(L"-" + std::to_wstring(id) + L"-") != std::wstring::npos) return true;
    return false;
}

}  // namespace

Traces::Traces() {
    for (const wchar_t* path : kKeys) {
        Key key{path, false, {}};
        key.existed = Read(HKEY_CURRENT_USER, path, key.before);
        keys_.push_back(key);
    }
    wchar_t folder[MAX_PATH] = L"";
    if (SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_RECENT, nullptr, SHGFP_TYPE_CURRENT, folder))) recent_ = folder;
    if (!recent_.empty()) List(recent_, L"", true, recentFiles_);
    if (GetTempPathW(MAX_PATH, folder)) temp_ = folder;
    if (!temp_.empty() && temp_.back() == L'\\') temp_.pop_back();
    if (!temp_.empty()) List(temp_, L"", false, tempEntries_);
}

std::vector<std::wstring> Traces::Remove(const std::set<DWORD>& testProcesses) const {
    std::vector<std::wstring> put;
    for (const Key& key : keys_) {
        const std::wstring shown = L"HKCU\\" + key.path;
        if (key.existed) {
            Restore(HKEY_CURRENT_USER, key.path, key.before, shown, put);
        } else if (RegDeleteTreeW(HKEY_CURRENT_USER, key.path.c_str()) == ERROR_SUCCESS) {
            put.push_back(L"key removed: " + shown);
        }
    }
    if (!recent_.empty()) {
        std::set<std::wstring, NoCase> now;
        List(recent_, L"", true, now);
        for (const std::wstring& name : now)
            if (!recentFiles_.count(name) && GetFileAttributesW((recent_ + L"\\" + name).c_str()) != INVALID_FILE_ATTRIBUTES) {
                RemoveAll(recent_ + L"\\" + name);
                put.push_back(L"recent item removed: " + name);
            }
    }
    if (!temp_.empty()) {
        std::set<std::wstring, NoCase> now;
        List(temp_, L"", false, now);
        for (const std::wstring& name : now)
            if (IsScratchOf(name, testProcesses) && !tempEntries_.count(name)) {
                RemoveAll(temp_ + L"\\" + name);
                put.push_back(L"scratch folder removed: " + name);
            }
    }
    return put;
}
