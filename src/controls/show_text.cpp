#include "controls/show_text.h"

#include <cwchar>
#include <memory>
#include <new>

namespace {

// Characters that `length` bytes of `text` become in the field, or -1.
int WideLength(const char* text, std::size_t length) {
    if (length == 0) return 0;
    const int wide = MultiByteToWideChar(CP_ACP, 0, text, static_cast<int>(length), nullptr, 0);
    return wide > 0 ? wide : -1;
}

// True when the field holds exactly the first `length` bytes of `text`. The
// field is read as characters: another program or a paste may have put in
// letters that an 8-bit read would only approximate.
bool FieldShows(const Edit& field, const char* text, std::size_t length, int wideLength) {
    if (wideLength <= 0 || field.Length() != wideLength) return false;
    std::unique_ptr<wchar_t[]> shown(new (std::nothrow) wchar_t[wideLength + 1]);
    std::unique_ptr<wchar_t[]> expected(new (std::nothrow) wchar_t[wideLength]);
    if (!shown || !expected) return false;
    if (GetWindowTextW(field.handle, shown.get(), wideLength + 1) != wideLength) return false;
    if (MultiByteToWideChar(CP_ACP, 0, text, static_cast<int>(length), expected.get(), wideLength) != wideLength)
        return false;
    return std::wmemcmp(shown.get(), expected.get(), wideLength) == 0;
}

}  // namespace

void ShowText(Edit& field, const char* text, std::size_t length, std::size_t keptLength) {
    const int keptWide = keptLength <= length ? WideLength(text, keptLength) : -1;
    if (keptWide > 0 && FieldShows(field, text, keptLength, keptWide)) {
        const int addedWide = WideLength(text + keptLength, length - keptLength);
        field.SelectRange(keptWide, keptWide);
        field.ReplaceSelection(text + keptLength);
        if (addedWide >= 0 && field.Length() == keptWide + addedWide) {
            // Where a full set leaves the field.
            field.SelectRange(0, 0);
            field.ScrollCaret();
            field.ClearModified();
            field.EmptyUndo();
            return;
        }
    }
    field.SetString(text);  // a new text, an edited field, or an addition that did not take
}
