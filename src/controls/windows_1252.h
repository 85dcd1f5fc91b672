// The program's texts are Windows-1252 bytes whatever the system's ANSI code
// page is; the controls hold UTF-16. These convert between the two exactly as
// a 1252 system does (best fit, '?' for what 1252 lacks), so the letters the
// user sees and the bytes saved are the same on every system.
#ifndef RAVLO_WINDOWS_1252_H
#define RAVLO_WINDOWS_1252_H

#include <windows.h>

#include <cstddef>
#include <memory>

// Writes the 1252 bytes of `count` UTF-16 units to `out` and returns how many
// it wrote, 0 on failure. 1252 is a single-byte code page: `count` bytes of
// room always suffice.
int NarrowTo1252(const wchar_t* text, int count, char* out);

// An owned, NUL-terminated UTF-16 copy of 1252 text, for the wide window calls:
// one character for each byte. Get() is null when memory ran out or the text
// is too long to convert.
class Wide1252 {
public:
    explicit Wide1252(const char* text);
    Wide1252(const char* bytes, std::size_t count);
    const wchar_t* Get() const { return text_.get(); }
    int Length() const { return length_; }

private:
    std::unique_ptr<wchar_t[]> text_;
    int length_ = 0;
};

#endif
