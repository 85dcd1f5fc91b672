// The fixed help texts shown in the rows field: the instruction text and the
// method information text. All bytes are Windows-1252; lines end in CR LF.
#ifndef RAVLO_TEXTS_PORTABLE_HELP_TEXTS_H
#define RAVLO_TEXTS_PORTABLE_HELP_TEXTS_H

#include <cstddef>

// User's guide: 31 lines separated by "\r\n", no line break after the last.
extern const char kInstructionText[];
constexpr std::size_t kInstructionTextLength = 1773;

// Method information, first line: "Slumpmetod info:\r\n".
extern const char kDrawInfoHeading[];
constexpr std::size_t kDrawInfoHeadingLength = 18;

// Method information, lines 2 to 29, each followed by "\r\n".
extern const char kDrawInfoBody[];
constexpr std::size_t kDrawInfoBodyLength = 557;

#endif
