// Reads an extended dialog template (DLGTEMPLATEEX with its DLGITEMTEMPLATEEX
// items) byte by byte, so tests can compare what the resource compiler stored
// with what the dialog should hold, independent of how the system later
// interprets it.
#ifndef RAVLO_TESTS_TEMPLATE_READER_H
#define RAVLO_TESTS_TEMPLATE_READER_H

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace template_reader {

// A field that holds either a number (0xFFFF followed by a WORD) or a
// NUL-terminated UTF-16 string. An empty string is the single 0x0000 WORD.
struct NameOrOrdinal {
    bool isOrdinal = false;
    uint16_t ordinal = 0;
    std::wstring name;
};

struct Item {
    uint32_t helpId = 0;
    uint32_t exStyle = 0;
    uint32_t style = 0;
    int16_t x = 0, y = 0, cx = 0, cy = 0;
    uint32_t id = 0;
    NameOrOrdinal windowClass;
    NameOrOrdinal title;
    uint16_t extraCount = 0;  // bytes of creation data
};

struct Dialog {
    uint16_t version = 0;
    uint16_t signature = 0;
    uint32_t helpId = 0;
    uint32_t exStyle = 0;
    uint32_t style = 0;
    uint16_t itemCount = 0;
    int16_t x = 0, y = 0, cx = 0, cy = 0;
    NameOrOrdinal menu;
    NameOrOrdinal windowClass;
    std::wstring title;
    bool hasFont = false;  // DS_SETFONT (DS_SHELLFONT includes it)
    uint16_t pointSize = 0;
    uint16_t weight = 0;
    uint8_t italic = 0;
    uint8_t charset = 0;
    std::wstring typeface;
    std::vector<Item> items;
    // Reading stopped before the end of the data, or ran past it.
    bool truncated = false;
    // Bytes left after the last item (beyond DWORD padding).
    size_t trailingBytes = 0;
};

// Cursor over the template bytes; reading past the end sets `failed` and
// yields zeros instead of touching memory outside the resource.
class Cursor {
public:
    Cursor(const unsigned char* data, size_t size) : data_(data), size_(size) {}

    template <typename T>
    T Read() {
        T value{};
        if (pos_ + sizeof(T) > size_) {
            failed = true;
            pos_ = size_;
            return value;
        }
        std::memcpy(&value, data_ + pos_, sizeof(T));
        pos_ += sizeof(T);
        return value;
    }

    std::wstring ReadString() {
        std::wstring s;
        for (;;) {
            uint16_t c = Read<uint16_t>();
            if (c == 0 || failed) return s;
            s.push_back(static_cast<wchar_t>(c));
        }
    }

    NameOrOrdinal ReadNameOrOrdinal() {
        NameOrOrdinal r;
        uint16_t first = Read<uint16_t>();
        if (first == 0xFFFF) {
            r.isOrdinal = true;
            r.ordinal = Read<uint16_t>();
        } else if (first != 0) {
            r.name.push_back(static_cast<wchar_t>(first));
            r.name += ReadString();
        }
        return r;
    }

    // Items start on DWORD boundaries counted from the template's start.
    void AlignDword() { pos_ = (pos_ + 3) & ~size_t{3}; if (pos_ > size_) pos_ = size_; }
    void Skip(size_t n) {
        if (pos_ + n > size_) { failed = true; pos_ = size_; } else { pos_ += n; }
    }
    size_t Remaining() const { return size_ - pos_; }

    bool failed = false;

private:
    const unsigned char* data_;
    size_t size_;
    size_t pos_ = 0;
};

inline Dialog Parse(const void* data, size_t size) {
    Cursor in(static_cast<const unsigned char*>(data), size);
    Dialog d;
    d.version = in.Read<uint16_t>();
    d.signature = in.Read<uint16_t>();
    d.helpId = in.Read<uint32_t>();
    d.exStyle = in.Read<uint32_t>();
    d.style = in.Read<uint32_t>();
    d.itemCount = in.Read<uint16_t>();
    d.x = in.Read<int16_t>();
    d.y = in.Read<int16_t>();
    d.cx = in.Read<int16_t>();
    d.cy = in.Read<int16_t>();
    d.menu = in.ReadNameOrOrdinal();
    d.windowClass = in.ReadNameOrOrdinal();
    d.title = in.ReadString();
    d.hasFont = (d.style & DS_SETFONT) != 0;
    if (d.hasFont) {
        d.pointSize = in.Read<uint16_t>();
        d.weight = in.Read<uint16_t>();
        d.italic = in.Read<uint8_t>();
        d.charset = in.Read<uint8_t>();
        d.typeface = in.ReadString();
    }
    for (unsigned i = 0; i < d.itemCount && !in.failed; ++i) {
        in.AlignDword();
        Item it;
        it.helpId = in.Read<uint32_t>();
        it.exStyle = in.Read<uint32_t>();
        it.style = in.Read<uint32_t>();
        it.x = in.Read<int16_t>();
        it.y = in.Read<int16_t>();
        it.cx = in.Read<int16_t>();
        it.cy = in.Read<int16_t>();
        it.id = in.Read<uint32_t>();
        it.windowClass = in.ReadNameOrOrdinal();
        it.title = in.ReadNameOrOrdinal();
        it.extraCount = in.Read<uint16_t>();
        in.Skip(it.extraCount);
        if (!in.failed) d.items.push_back(it);
    }
    in.AlignDword();
    d.truncated = in.failed;
    d.trailingBytes = in.Remaining();
    return d;
}

// The predefined control classes that a template may name by atom.
inline std::wstring ClassName(const NameOrOrdinal& cls) {
    if (!cls.isOrdinal) return cls.name;
    switch (cls.ordinal) {
        case 0x0080: return L"Button";
        case 0x0081: return L"Edit";
        case 0x0082: return L"Static";
        case 0x0083: return L"ListBox";
        case 0x0084: return L"ScrollBar";
        case 0x0085: return L"ComboBox";
        default: return L"#" + std::to_wstring(cls.ordinal);
    }
}

}  // namespace template_reader

#endif
