#include "controls/windows_1252.h"

#include <climits>
#include <cstring>
#include <new>

namespace {

constexpr UINT kWindows1252 = 1252;

}  // namespace

int NarrowTo1252(const wchar_t* text, int count, char* out) {
    if (count == 0) return 0;
    return WideCharToMultiByte(kWindows1252, 0, text, count, out, count, nullptr, nullptr);
}

Wide1252::Wide1252(const char* text) : Wide1252(text, std::strlen(text)) {}

Wide1252::Wide1252(const char* bytes, std::size_t count) {
    if (count >= INT_MAX) return;
    // A single-byte code page: one byte becomes one character.
    const int size = static_cast<int>(count);
    text_.reset(new (std::nothrow) wchar_t[count + 1]);
    if (!text_) return;
    length_ = size == 0 ? 0 : MultiByteToWideChar(kWindows1252, 0, bytes, size, text_.get(), size);
    if (length_ == 0 && size > 0) {
        text_.reset();
        return;
    }
    text_[length_] = L'\0';
}
