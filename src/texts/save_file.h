// Saving the rows field to a text file chosen in the standard save dialog.
#ifndef RAVLO_SAVE_FILE_H
#define RAVLO_SAVE_FILE_H

#include <windows.h>

// Asks for a file name (owned by `owner`) and saves the text of the owner's
// rows field there. 1 when saved or cancelled, 0 after the error box.
int DoFileOpenSave(HWND owner, int save);

// Writes the edit control's text to `fileName`, byte for byte. The target is
// replaced only once the whole text is safely on disk beside it; on any
// failure it keeps its old content. 1 on success, 0 on failure. The text is
// written as Windows-1252 bytes, as the program's own texts are, whatever the
// system's code page; only the name is wide.
int SaveFile(HWND edit, const wchar_t* fileName);
// The same for a name in the ANSI code page.
int SaveFile(HWND edit, const char* fileName);

#endif
