// What the fake's hanging test leaves before it hangs, as a test ended in the
// middle of a save would: its scratch folder, and a key where the save dialog
// keeps its recent folders. The runner must remove both.
#ifndef RAVLO_RUNNER_FAKE_TRACES_H
#define RAVLO_RUNNER_FAKE_TRACES_H

constexpr wchar_t kFakeScratchPrefix[] = L"ravlo-fake-";
constexpr wchar_t kFakeDialogKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ComDlg32\\RavloFake";

#endif
