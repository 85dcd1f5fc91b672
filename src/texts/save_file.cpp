#include "texts/save_file.h"

#include <commdlg.h>

#include <cstring>
#include <cwchar>

#include "app/system_library.h"
#include "controller/controller.h"
#include "controls/windows_1252.h"
#include "resource.h"

namespace {

// Scanners, indexers and sync clients open a file for a moment, often
// sharing nothing, right after it is written or while it lies in a watched
// folder. A step of the save that meets one is tried again in short steps,
// for about a second in all for the save's steps; errors that waiting cannot
// mend fail at once. The clean-up of a failed save has a second of its own
// (TemporaryFile), so a failed save can keep the dialog from answering for
// about two seconds.
class Patience {
public:
    Patience() : start_(GetTickCount()) {}
    // Runs `step` (true on success, the reason in the last error otherwise)
    // until it succeeds, fails for a lasting reason or the second is up.
    template <class Step>
    bool Retry(Step step) const {
        while (!step()) {
            const DWORD error = GetLastError();
            const bool passing =
                error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION || error == ERROR_ACCESS_DENIED;
            if (!passing || GetTickCount() - start_ >= kWaitMs) return false;
            Sleep(kStepMs);
        }
        return true;
    }

private:
    static constexpr DWORD kWaitMs = 1000;
    static constexpr DWORD kStepMs = 50;
    DWORD start_;
};

class FileHandle {
public:
    explicit FileHandle(HANDLE h = INVALID_HANDLE_VALUE) : handle_(h) {}
    ~FileHandle() { Close(); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }
    void Reset(HANDLE h) {
        Close();
        handle_ = h;
    }
    bool Close() {
        if (!Valid()) return true;
        const bool closed = CloseHandle(handle_) != 0;
        handle_ = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE handle_;
};

template <class T>
class GlobalBuffer {
public:
    explicit GlobalBuffer(SIZE_T count)
        : memory_(count <= SIZE_T(-1) / sizeof(T) ? static_cast<T*>(GlobalAlloc(GPTR, count * sizeof(T))) : nullptr) {}
    ~GlobalBuffer() { if (memory_) GlobalFree(memory_); }
    GlobalBuffer(const GlobalBuffer&) = delete;
    GlobalBuffer& operator=(const GlobalBuffer&) = delete;
    T* Get() const { return memory_; }

private:
    T* memory_;
};

// The new text goes into a file of its own beside the target, which is moved
// over the target once it is whole, and deleted unless it was. The file is
// made and written through one handle that shares nothing, so that no one
// can open it in between.
class TemporaryFile {
public:
    explicit TemporaryFile(const Patience& patience) : patience_(patience) { name_[0] = L'\0'; }
    ~TemporaryFile() {
        file_.Close();  // a file still open cannot be deleted
        // A second of its own: the hold that made the save fail may well
        // have used up the save's, and the file must not stay behind.
        if (name_[0]) Patience().Retry([this] { return DeleteFileW(name_) != 0; });
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    // A new file "rav<number>.tmp" in `folder`, the next number where one exists.
    bool Create(const wchar_t* folder) {
        const std::size_t length = std::wcslen(folder);
        const wchar_t* separator = length > 0 && folder[length - 1] == L'\\' ? L"" : L"\\";
        const DWORD first = GetTickCount();
        for (DWORD n = 0; n <= 0xFFFF; ++n) {
            wsprintfW(name_, L"%s%srav%X.tmp", folder, separator, static_cast<unsigned>((first + n) & 0xFFFF));
            file_.Reset(CreateFileW(name_, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
            if (file_.Valid()) return true;
            const DWORD error = GetLastError();
            if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) break;
        }
        name_[0] = L'\0';
        return false;
    }

    // The whole text, on the disk and the file closed. No one else can have
    // the file open, so a write that fails does so for good.
    bool Write(const char* bytes, DWORD count) {
        while (count > 0) {
            DWORD written = 0;
            if (!WriteFile(file_.Get(), bytes, count, &written, nullptr) || written == 0) return false;
            bytes += written;
            count -= written;
        }
        return FlushFileBuffers(file_.Get()) && file_.Close();
    }

    bool MoveOver(const wchar_t* target) {
        const DWORD how = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
        if (!patience_.Retry([&] { return MoveFileExW(name_, target, how) != 0; })) return false;
        name_[0] = L'\0';
        return true;
    }

private:
    const Patience& patience_;
    FileHandle file_;
    wchar_t name_[MAX_PATH + 16];  // the folder, a separator and "rav<4 digits>.tmp"
};

// The folder part of a file name, or "." for a bare name.
void FolderOf(const wchar_t* fileName, wchar_t (&folder)[MAX_PATH]) {
    const wchar_t* slash = std::wcsrchr(fileName, L'\\');
    const wchar_t* other = std::wcsrchr(fileName, L'/');
    if (other > slash) slash = other;
    const std::size_t length = slash ? static_cast<std::size_t>(slash - fileName) : 0;
    if (!slash || length + 2 > MAX_PATH) {
        std::wcscpy(folder, L".");
        return;
    }
    std::wmemcpy(folder, fileName, length);
    folder[length] = L'\0';
    if (length == 0 || folder[length - 1] == L':') std::wcscat(folder, L"\\");  // "\x" or "C:\x"
}

// An existing target must be one we may replace: not read-only (Wine would
// replace it anyway) and not held open by someone who refuses sharing. The
// reason it is not is left in the last error.
bool TargetReplaceable(const wchar_t* fileName) {
    const DWORD attributes = GetFileAttributesW(fileName);
    if (attributes == INVALID_FILE_ATTRIBUTES) return GetLastError() == ERROR_FILE_NOT_FOUND;
    if (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) {
        SetLastError(ERROR_FILE_READ_ONLY);  // no wait mends it
        return false;
    }
    FileHandle probe(CreateFileW(fileName, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return probe.Valid();
}

// The save dialog's functions, from the common-dialog DLL of the system
// folder, loaded when the first save needs them: a static import would have
// the loader fetch that DLL, and the DLLs it needs, before the program could
// restrict where they come from. Null when they cannot be loaded; the next
// save tries again.
using GetSaveFileNameFunction = BOOL(WINAPI*)(LPOPENFILENAMEW);
using CommDlgExtendedErrorFunction = DWORD(WINAPI*)();
struct SaveDialogFunctions {
    GetSaveFileNameFunction show = nullptr;
    CommDlgExtendedErrorFunction lastError = nullptr;  // 0 after a cancel, the failure's code otherwise
};
const SaveDialogFunctions& SaveDialog() {
    static SaveDialogFunctions functions;
    if (!functions.show || !functions.lastError) {
        const HMODULE commonDialogs = LoadSystemLibrary(L"comdlg32.dll");
        functions.show = ExportedFunction<GetSaveFileNameFunction>(commonDialogs, "GetSaveFileNameW");
        functions.lastError = ExportedFunction<CommDlgExtendedErrorFunction>(commonDialogs, "CommDlgExtendedError");
    }
    return functions;
}

int SaveFailed(HWND owner) {
    MessageBoxA(owner, "Save file failed.", "Error", MB_OK | MB_ICONEXCLAMATION);
    return 0;
}

}  // namespace

int SaveFile(HWND edit, const wchar_t* fileName) {
    // Read the text before touching any file: an empty or unreadable field changes nothing on disk.
    const int length = GetWindowTextLengthW(edit);
    if (length <= 0) return 0;
    GlobalBuffer<wchar_t> characters(static_cast<SIZE_T>(length) + 1);
    if (!characters.Get()) return 0;
    const int read = GetWindowTextW(edit, characters.Get(), length + 1);
    if (read <= 0) return 0;
    // The file holds 1252 bytes on every system, as the program's own texts are.
    GlobalBuffer<char> text(static_cast<SIZE_T>(read));
    if (!text.Get()) return 0;
    const int got = NarrowTo1252(characters.Get(), read, text.Get());
    if (got <= 0) return 0;
    const Patience patience;
    if (!patience.Retry([fileName] { return TargetReplaceable(fileName); })) return 0;

    wchar_t folder[MAX_PATH];
    FolderOf(fileName, folder);
    TemporaryFile temporary(patience);
    if (!patience.Retry([&] { return temporary.Create(folder); })) return 0;
    if (!temporary.Write(text.Get(), static_cast<DWORD>(got))) return 0;
    return temporary.MoveOver(fileName) ? 1 : 0;
}

int SaveFile(HWND edit, const char* fileName) {
    wchar_t wide[MAX_PATH];
    if (MultiByteToWideChar(CP_ACP, 0, fileName, -1, wide, MAX_PATH) == 0) return 0;
    return SaveFile(edit, wide);
}

int DoFileOpenSave(HWND owner, int) {
    const SaveDialogFunctions& saveDialog = SaveDialog();
    if (!saveDialog.show || !saveDialog.lastError) return SaveFailed(owner);
    // Wide names: the chosen folder may hold letters the ANSI code page lacks.
    wchar_t fileName[MAX_PATH] = L"";
    OPENFILENAMEW request;
    std::memset(&request, 0, sizeof request);
    request.lStructSize = OPENFILENAME_SIZE_VERSION_400W;  // 76 bytes: the classic record
    request.hwndOwner = owner;
    request.lpstrFilter = L"Text Files (*.txt)\0*.txt\0All Files (*.*)\0*.*\0";
    request.nFilterIndex = 0;
    request.lpstrFile = fileName;
    request.nMaxFile = MAX_PATH;
    request.lpstrDefExt = L"txt";
    // The dialog would make the chosen folder the current one and keep it
    // held, so that it (or the USB stick it is on) could not be removed
    // while the program runs.
    request.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_NOCHANGEDIR;
    if (!saveDialog.show(&request)) {
        // A cancel leaves no error and needs no word; a dialog that failed
        // (a chosen name too long for the buffer) is a save that failed.
        return saveDialog.lastError() == 0 ? 1 : SaveFailed(owner);
    }

    if (SaveFile(GetDlgItem(owner, IDC_ROWS), fileName)) return 1;
    return SaveFailed(owner);
}

void Controller::Save(HWND dialog, const Entry&, int, int notifyCode) {
    if (notifyCode == 0) DoFileOpenSave(dialog, 1);
}
