#include "controls/show_text.h"

#include <cwchar>
#include <memory>
#include <new>

#include "controls/windows_1252.h"

namespace {

// The characters the field holds when it shows exactly the first `length`
// bytes of `text`, else -1. The field is read as characters: another program
// or a paste may have put in letters that an 8-bit read would only approximate.
int ShownCharacters(const Edit& field, const char* text, std::size_t length) {
    if (length == 0) return -1;
    const Wide1252 expected(text, length);
    const int characters = expected.Length();
    if (!expected.Get() || characters <= 0 || field.Length() != characters) return -1;
    std::unique_ptr<wchar_t[]> shown(new (std::nothrow) wchar_t[characters + 1]);
    if (!shown || GetWindowTextW(field.handle, shown.get(), characters + 1) != characters) return -1;
    return std::wmemcmp(shown.get(), expected.Get(), characters) == 0 ? characters : -1;
}

}  // namespace

void ShowText(Edit& field, const char* text, std::size_t length, std::size_t keptLength) {
    const int kept = ShownCharacters(field, text, keptLength);
    if (kept > 0) {
        const char* added = text + keptLength;
        const int addedCharacters = static_cast<int>(length - keptLength);  // one character a byte
        field.SelectRange(kept, kept);
        field.ReplaceSelection(added);
        if (addedCharacters > 0 && field.Length() == kept + addedCharacters) {
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
