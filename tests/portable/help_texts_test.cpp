// Tests of the help texts: the method information text byte for byte, and the
// shape and contents of the instruction text. Expected texts are Windows-1252
// bytes written with hex escapes (E4 a-umlaut, E5 a-ring, F6 o-umlaut).
#include "texts/portable/help_texts.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

const std::string kRule(27, '-');

// The method information text, line by line, without line breaks.
const std::vector<std::string> kDrawInfoLines = {
    /*  1 */ "Slumpmetod info:",
    /*  2 */ "---------------------------",
    /*  3 */ "",
    /*  4 */ "Rad ref. statistik:",
    /*  5 */ "F\xF6r varje match slumpas det beroende",
    /*  6 */ "p\xE5 vilka tecken du har klickat",
    /*  7 */ "i p\xE5 din rad.",
    /*  8 */ "Om du tex. klickat i en etta, slumpas det :",
    /*  9 */ "50% etta.",
    /* 10 */ "25% kryss.",
    /* 11 */ "25% tv\xE5" "a.",
    /* 12 */ "Om du klickat i en 2 blir det:50% tv\xE5" "a, 25% kryss, 25% etta.",
    /* 13 */ "Om du klickat i kryss blir det:50% kryss, 25% etta, 25% tv\xE5" "a.",
    /* 14 */ "",
    /* 15 */ "---------------------------",
    /* 16 */ "",
    /* 17 */ "ENGELSK statistik:",
    /* 18 */ "793 matcher totalt",
    /* 19 */ "359 ettor.",
    /* 20 */ "201 kryss.",
    /* 21 */ "233 tv\xE5or.",
    /* 22 */ "",
    /* 23 */ "---------------------------",
    /* 24 */ "",
    /* 25 */ "SVENSK statistik:",
    /* 26 */ "325 matcher totalt",
    /* 27 */ "131 ettor.",
    /* 28 */ "75 kryss.",
    /* 29 */ "119 tv\xE5or.",
};

std::string DrawInfoText() { return std::string(kDrawInfoHeading) + kDrawInfoBody; }

// Splits at every "\r\n"; the part after the last one is the last element.
std::vector<std::string> SplitCrLf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            return lines;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
}

std::vector<std::string> InstructionLines() { return SplitCrLf(kInstructionText); }

// ---------------------------------------------------------------------------
// Method information text

TEST(DrawInfoText, WholeTextIsTheTableLinesEachWithCrLf) {
    std::string expected;
    for (const std::string& line : kDrawInfoLines) expected += line + "\r\n";
    ASSERT_EQ(kDrawInfoLines.size(), 29u);
    EXPECT_EQ(DrawInfoText(), expected);
}

TEST(DrawInfoText, Sizes) {
    EXPECT_EQ(std::strlen(kDrawInfoHeading), 18u);
    EXPECT_EQ(std::strlen(kDrawInfoBody), 557u);
    EXPECT_EQ(DrawInfoText().size(), 575u);
    EXPECT_EQ(kDrawInfoHeadingLength, std::strlen(kDrawInfoHeading));
    EXPECT_EQ(kDrawInfoBodyLength, std::strlen(kDrawInfoBody));
}

TEST(DrawInfoText, HeadingIsLineOneAlone) {
    EXPECT_STREQ(kDrawInfoHeading, "Slumpmetod info:\r\n");
    // The body starts with the first rule, not with a second heading.
    EXPECT_EQ(std::string(kDrawInfoBody).substr(0, 29), kRule + "\r\n");
}

TEST(DrawInfoText, EndsWithLineBreak) {
    const std::string body = kDrawInfoBody;
    ASSERT_GE(body.size(), 2u);
    EXPECT_EQ(body.substr(body.size() - 2), "\r\n");
    EXPECT_NE(body.substr(body.size() - 4), "\r\n\r\n");
}

class DrawInfoLine : public ::testing::TestWithParam<std::size_t> {};

TEST_P(DrawInfoLine, MatchesTable) {
    const std::size_t n = GetParam();  // 1-based line number
    std::vector<std::string> lines = SplitCrLf(DrawInfoText());
    ASSERT_EQ(lines.size(), 30u) << "29 lines, each with a break, leave one empty tail";
    EXPECT_EQ(lines.back(), "");
    EXPECT_EQ(lines[n - 1], kDrawInfoLines[n - 1]) << "line " << n;
}

INSTANTIATE_TEST_SUITE_P(Lines, DrawInfoLine, ::testing::Range<std::size_t>(1, 30));

struct RuleCase {
    std::size_t line;
};

class DrawInfoRule : public ::testing::TestWithParam<RuleCase> {};

TEST_P(DrawInfoRule, Exactly27Hyphens) {
    const std::vector<std::string> lines = SplitCrLf(DrawInfoText());
    ASSERT_GT(lines.size(), GetParam().line);
    EXPECT_EQ(lines[GetParam().line - 1], kRule);
}

INSTANTIATE_TEST_SUITE_P(Rules, DrawInfoRule,
                         ::testing::Values(RuleCase{2}, RuleCase{15}, RuleCase{23}));

TEST(DrawInfoText, OnlyThreeRulesAndNoOtherHyphens) {
    const std::string text = DrawInfoText();
    std::size_t hyphens = 0;
    for (char c : text) hyphens += c == '-';
    EXPECT_EQ(hyphens, 3u * 27u);
}

// ---------------------------------------------------------------------------
// Instruction text

TEST(InstructionText, ThirtyOneLinesNoTrailingBreak) {
    const std::string text = kInstructionText;
    EXPECT_EQ(InstructionLines().size(), 31u);
    ASSERT_GE(text.size(), 2u);
    EXPECT_NE(text.substr(text.size() - 2), "\r\n");
    EXPECT_NE(text.back(), '\n');
    EXPECT_NE(text.back(), '\r');
    EXPECT_EQ(kInstructionTextLength, text.size());
}

TEST(InstructionText, FirstAndLastLine) {
    const std::vector<std::string> lines = InstructionLines();
    ASSERT_EQ(lines.size(), 31u);
    EXPECT_EQ(lines.front(),
              "Detta program \xE4r endast f\xF6r att generera rader f\xF6r Svenska spels "
              "'egna rader'.");
    EXPECT_EQ(lines.back(), "Lycka till!");
}

TEST(InstructionText, NoEmptyLineAndNoLoneCrOrLf) {
    for (const std::string& line : InstructionLines()) {
        EXPECT_FALSE(line.empty());
        EXPECT_EQ(line.find('\r'), std::string::npos) << line;
        EXPECT_EQ(line.find('\n'), std::string::npos) << line;
    }
}

// Printable ASCII and the Swedish letters only: a text saved as UTF-8 by
// mistake would show two odd bytes per letter instead.
TEST(InstructionText, OnlyPrintableWindows1252Bytes) {
    const std::string swedish = "\xE5\xE4\xF6\xC5\xC4\xD6\xE9";
    int line = 1;
    for (const std::string& l : InstructionLines()) {
        for (char c : l) {
            const unsigned char b = static_cast<unsigned char>(c);
            const bool ok = (b >= 0x20 && b <= 0x7E) || swedish.find(c) != std::string::npos;
            EXPECT_TRUE(ok) << "line " << line << " byte 0x" << std::hex << int(b);
        }
        ++line;
    }
}

TEST(InstructionText, LinesFitTheRowsField) {
    int line = 1;
    for (const std::string& l : InstructionLines()) {
        EXPECT_LE(l.size(), 80u) << "line " << line;
        EXPECT_EQ(l, l.substr(0, l.find_last_not_of(' ') + 1)) << "trailing blank, line " << line;
        ++line;
    }
}

// What the guide must tell, and where: each text appears within its lines,
// so the topics come in the required order.
struct TopicCase {
    const char* text;
    std::size_t first, last;  // 1-based line numbers
};

class InstructionTopic : public ::testing::TestWithParam<TopicCase> {};

TEST_P(InstructionTopic, AppearsWithinItsLines) {
    const TopicCase& c = GetParam();
    const std::vector<std::string> lines = InstructionLines();
    ASSERT_EQ(lines.size(), 31u);
    bool found = false;
    for (std::size_t n = c.first; n <= c.last; ++n)
        found = found || lines[n - 1].find(c.text) != std::string::npos;
    EXPECT_TRUE(found) << "\"" << c.text << "\" not in lines " << c.first << "-" << c.last;
}

INSTANTIATE_TEST_SUITE_P(
    Topics, InstructionTopic,
    ::testing::Values(
        TopicCase{"egna rader", 1, 1},
        TopicCase{"Stryktipset", 2, 3},
        TopicCase{"Italienska Stryktipset", 2, 3},
        TopicCase{"slumpmetod", 4, 7},
        TopicCase{"Slump info", 4, 7},
        TopicCase{"Rad ref", 4, 7},
        TopicCase{"s\xE4kra matcher", 4, 7},
        TopicCase{"vecka", 8, 9},
        TopicCase{"senaste versionen", 8, 9},
        TopicCase{"Engelsk statistik", 10, 10},
        TopicCase{"Append", 11, 17},
        TopicCase{"GENERERA", 11, 17},
        TopicCase{"Svenska Spel", 11, 17},
        TopicCase{"SLUMPA s\xE4ker/REF match", 18, 20},
        TopicCase{"inte ha n\xE5gon s\xE4ker match", 18, 20},
        TopicCase{"GENERERA rader", 21, 23},
        TopicCase{"Append", 21, 23},
        TopicCase{"texteditor", 24, 26},
        TopicCase{"f\xF6r hand", 24, 26},
        TopicCase{"SPARA", 27, 29},
        TopicCase{"textfil", 27, 29},
        TopicCase{"Svenska Spel", 27, 29},
        TopicCase{"egna rader", 27, 29},
        TopicCase{"Fr\xE5gor", 30, 30},
        TopicCase{"www.example.org/ravlo", 30, 30}));

TEST(InstructionText, LineThirtyEndsWithTheWebAddress) {
    const std::vector<std::string> lines = InstructionLines();
    ASSERT_EQ(lines.size(), 31u);
    const std::string address = "www.example.org/ravlo";
    const std::string& l = lines[29];
    ASSERT_GE(l.size(), address.size());
    EXPECT_EQ(l.substr(l.size() - address.size()), address);
}

}  // namespace
