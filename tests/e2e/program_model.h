// A model of what the program shows after each click, written from the
// program's documented behaviour, so that a run of the real exe can be
// compared click by click with the model started from each possible seed.
#ifndef RAVLO_E2E_PROGRAM_MODEL_H
#define RAVLO_E2E_PROGRAM_MODEL_H

#include <cstdint>
#include <string>

#include "../common/statistics.h"
#include "generation/portable/random_mersenne.h"
#include "generation/portable/rows.h"
#include "resource.h"
#include "texts/portable/help_texts.h"

namespace e2e {

struct CountButton {
    int id, rows;
};
constexpr CountButton kCountButtons[] = {
    {1040, 1},  {1041, 2},  {1042, 3},  {1043, 4},  {1044, 5},  {1045, 6},  {1046, 7},  {1047, 8},
    {1048, 9},  {1049, 10}, {1050, 11}, {1051, 12}, {1052, 13}, {1053, 14}, {1054, 72}, {1055, 15},
    {1056, 16}, {1057, 17}, {1058, 18}, {1059, 19}, {1060, 20}, {1061, 21}, {1062, 22}, {1063, 23},
    {1064, 24}, {1065, 36}, {1066, 50}, {1067, 60}, {1071, 144}, {1113, 256}};

class ProgramModel {
public:
    explicit ProgramModel(std::int32_t seed) : generator(seed) {
        for (int& s : sign) s = rows::kNoSign;
    }

    void Click(int id) {
        for (const CountButton& b : kCountButtons)
            if (b.id == id) {
                rowsPerPress = b.rows;
                status = std::to_string(b.rows) + (b.rows == 1 || b.rows == 15 ? " enkelrad vald." : " enkelrader vald.");
                return;
            }
        if (id >= IDC_SIGN_FIRST && id <= IDC_SIGN_LAST) {
            const int m = (id - IDC_SIGN_FIRST) / 3, k = (id - IDC_SIGN_FIRST) % 3;
            sign[m] = sign[m] == k ? rows::kNoSign : k;
            static const char* const kWords[] = {" s\xE4ker etta vald.", " s\xE4kert kryss vald.", " s\xE4ker tv\xE5" "a vald."};
            status = "Match " + std::to_string(m + 1) + kWords[k];
            return;
        }
        if (id >= IDC_SURE_FIRST && id <= IDC_SURE_LAST) {
            sure[id - IDC_SURE_FIRST] = !sure[id - IDC_SURE_FIRST];
            status = "Match " + std::to_string(id - IDC_SURE_FIRST + 1) + " s\xE4ker.";
            return;
        }
        switch (id) {
        case IDC_STRYKTIPSET: stryktipset = !stryktipset; italienska = false; rader = 0; status = "Stryktipset."; break;
        case IDC_ITALIENSKA: italienska = !italienska; stryktipset = false; rader = 0; status = "Italienska stryktipset."; break;
        case IDC_REF_ROW:
            refRow = !refRow; sureShown = refRow; england = sweden = false;
            status = "Rad referens generering vald.";
            break;
        case IDC_ENGLAND: england = !england; refRow = sweden = false; status = "Statistiskt England generering vald."; break;
        case IDC_SWEDEN: sweden = !sweden; refRow = england = false; status = "Statistiskt Sverige generering vald."; break;
        case IDC_APPEND: append = !append; status = "Nu l\xE4ggs det till p\xE5 slutet."; break;
        case IDC_INSTRUCTIONS: field = kInstructionText; status = "Instruktioner visas i f\xF6nstret."; break;
        case IDC_DRAW_INFO: text = std::string(kDrawInfoHeading) + kDrawInfoBody; field = text; break;
        case IDC_DRAW: DrawMatch(); break;
        case IDC_GENERATE: Generate(); break;
        default: break;
        }
    }

    TRandomMersenne generator;
    int lastDraw = 0;
    bool stryktipset = true, italienska = false, refRow = false, england = true, sweden = false, append = false;
    int sign[13];
    bool sure[13] = {};
    bool sureShown = false, saveShown = false;
    int rowsPerPress = 1, rader = 0;
    std::string text;
    std::string field = "H\xE4r kommer dina rader visas!";
    std::string status = "H\xE4r visas status och varningar!";

private:
    void DrawMatch() {
        status = "S\xE4ker/REF match slumpad.";
        int fixed = 0;
        for (int s : sign) fixed += s != rows::kNoSign;
        if (fixed == 13) {
            status = "13 matcher redan s\xE4kra.";
            return;
        }
        int m;
        do m = generator.IRandom(1, 13) - 1;
        while (sign[m] != rows::kNoSign);
        if (england || sweden) {
            const rows::Statistics& bounds = england ? kEnglandStatistics : kSwedenStatistics;
            lastDraw = generator.IRandom(1, bounds.total);
            sign[m] = rows::StatisticsSign(lastDraw, bounds.ones, bounds.onesAndDraws);
        } else {
            lastDraw = generator.IRandom(1, 6);
            sign[m] = lastDraw <= 3 ? 0 : lastDraw == 4 ? 1 : 2;
        }
    }

    void Generate() {
        saveShown = true;
        if (!england && !sweden && !refRow) {
            status = "V\xC4LJ slumpmetod!!!!!";
            return;
        }
        rows::Press press{};
        press.referenceRow = refRow;
        press.statistics = england ? kEnglandStatistics : kSwedenStatistics;
        press.startsAnew = !(append && rader >= 1);
        press.rowCount = rowsPerPress;
        bool complete = true;
        for (int m = 0; m < 13; ++m) {
            press.sign[m] = sign[m];
            press.sure[m] = refRow && sure[m];
            complete = complete && sign[m] != rows::kNoSign;
        }
        if (refRow && !complete) {
            status = "Du M\xC5STE kryssa i alla matcher!!!!!";
            return;
        }
        std::string next = text;
        if (press.startsAnew && stryktipset) next = "Stryktipset";
        if (press.startsAnew && italienska) next = "Italienska Stryktipset";
        if (next.size() + rows::kRowLength * rowsPerPress > 254559) {
            status = "Texten \xE4r full! Spara raderna och b\xF6rja om.";
            return;
        }
        std::string added(rows::kRowLength * rowsPerPress, '\0');
        rows::WriteRows(press, generator, lastDraw, &added[0]);
        rader += rowsPerPress;
        text = next + added;
        field = text;
    }
};

}  // namespace e2e

#endif
