// Rows as the program writes them: "\r\nE", then for each of the 13 matches
// a comma and "1", "X" or "2", after a header of the game.
#ifndef RAVLO_TESTS_ROW_FORMAT_H
#define RAVLO_TESTS_ROW_FORMAT_H

#include <gtest/gtest.h>

#include <cstring>
#include <string>

// Why `text` from `from` on is not rows alone, or "" when it is.
inline std::string RowsError(const std::string& text, std::size_t from = 0) {
    if (from > text.size()) return "the rows start after the text's end";
    if ((text.size() - from) % 29 != 0) return "the rows take " + std::to_string(text.size() - from) + " bytes";
    for (std::size_t at = from; at < text.size(); at += 29) {
        const char* row = text.data() + at;  // read in place: the soak checks texts of 8,000 rows
        bool ok = text.compare(at, 3, "\r\nE") == 0;
        for (int m = 0; ok && m < 13; ++m) {
            const char sign = row[4 + 2 * m];
            ok = row[3 + 2 * m] == ',' && (sign == '1' || sign == 'X' || sign == '2');
        }
        if (!ok) return "bad row " + ::testing::PrintToString(text.substr(at, 29));
    }
    return "";
}

// Why `text` is not a header and one row or more, or "" when it is.
inline std::string RowFormatError(const std::string& text) {
    for (const char* header : {"Italienska Stryktipset", "Stryktipset"}) {
        const std::size_t length = std::strlen(header);
        if (text.compare(0, length, header) == 0)
            return text.size() == length ? "no header and no rows" : RowsError(text, length);
    }
    return "no header and no rows";
}

#endif
