// Starts ravlo.exe, waits for its dialog, optionally clicks some controls,
// saves a picture of the dialog (title bar included) as a BMP file, closes
// the program and returns its exit code.
//   ravlo_shot PROGRAM.exe OUT.bmp [control-id ...] [--save-dialog]
// With --save-dialog the picture is of the save dialog that the save button
// then opens, which is cancelled afterwards: it shows which dialog the
// system gives the program.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "../../tests/common/save_dialog.h"
#include "../../tests/common/under_wine.h"
#include "../common/ravlo_window.h"
#include "resource.h"

namespace {

bool SaveBitmap(HWND window, const char* path) {
    RECT r;
    GetWindowRect(window, &r);
    const int width = r.right - r.left, height = r.bottom - r.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    // Windows draws the window into the bitmap itself, whatever lies over it
    // (PW_RENDERFULLCONTENT, 8.1 and later); Wine's screen is read as it stands.
    constexpr UINT kRenderFullContent = 2;
    if (UnderWine() || !PrintWindow(window, memory, kRenderFullContent))
        BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    SelectObject(memory, old);

    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    const DWORD stride = (width * 3 + 3) & ~3u;
    std::vector<char> pixels(stride * height);
    GetDIBits(memory, bitmap, 0, height, pixels.data(), reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);

    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    FILE* out = std::fopen(path, "wb");
    if (!out) return false;
    std::fwrite(&file, sizeof file, 1, out);
    std::fwrite(&info, sizeof info, 1, out);
    std::fwrite(pixels.data(), pixels.size(), 1, out);
    return std::fclose(out) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: ravlo_shot PROGRAM.exe OUT.bmp [control-id ...]\n");
        return 2;
    }
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(argv[1], nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        std::fprintf(stderr, "could not start %s\n", argv[1]);
        return 2;
    }
    HWND dialog = nullptr;
    for (int tries = 0; tries < 600 && !dialog; ++tries) {
        Sleep(50);
        dialog = ravlo_window::Find(process.dwProcessId);
    }
    if (!dialog) {
        std::fprintf(stderr, "the dialog did not appear\n");
        TerminateProcess(process.hProcess, 3);
        return 2;
    }
    bool saveDialog = false;
    for (int i = 3; i < argc; ++i) {
        if (std::strcmp(argv[i], "--save-dialog") == 0)
            saveDialog = true;
        else
            SendMessageA(GetDlgItem(dialog, std::atoi(argv[i])), BM_CLICK, 0, 0);
    }
    HWND pictured = dialog;
    if (saveDialog) {
        // Posted: the click's handler runs until the save dialog closes.
        PostMessageA(GetDlgItem(dialog, IDC_SAVE), BM_CLICK, 0, 0);
        pictured = save_dialog::WaitForSaveDialog(process.dwProcessId, 15000);
        if (!pictured) std::fprintf(stderr, "the save dialog did not appear\n");
    }
    bool saved = false;
    if (pictured) {
        SetForegroundWindow(pictured);
        Sleep(700);  // let it paint
        saved = SaveBitmap(pictured, argv[2]);
    }
    if (saveDialog && pictured) save_dialog::CancelSaveDialog(process.dwProcessId, 10000);
    PostMessageA(dialog, WM_CLOSE, 0, 0);
    WaitForSingleObject(process.hProcess, 10000);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    std::printf("dialog shown, picture %s, exit code %lu\n", saved ? "saved" : "NOT saved", code);
    return saved && code == 0 ? 0 : 1;
}
