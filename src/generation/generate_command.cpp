// "GENERERA rader": draws the rows of one press into `test` and shows them.
#include <cstring>

#include "controller/controller.h"
#include "controller/globals.h"
#include "controls/show_text.h"
#include "generation/portable/rows.h"

namespace {

const char kNoMethod[] = "V\xC4LJ slumpmetod!!!!!";
const char kIncompleteReference[] = "Du M\xC5STE kryssa i alla matcher!!!!!";
const char kTextFull[] = "Texten \xE4r full! Spara raderna och b\xF6rja om.";

// The bounds as they stand in the program-wide statistics.
rows::Statistics England() { return {tot_tecken, tot_ettor, tot_kryss}; }
rows::Statistics Sweden() { return {tot_teckens, tot_ettors, tot_krysss}; }

}  // namespace

void Controller::Generate(HWND, const Entry&, int, int notifyCode) {
    if (notifyCode == 0) saveButton.Show();
    const bool england = englandBox.IsChecked();
    const bool sweden = swedenBox.IsChecked();
    const bool referenceRow = refRowBox.IsChecked();
    if (!england && !sweden && !referenceRow) {
        statusEdit.SetString(kNoMethod);
        return;
    }

    // The selection cannot change during a press, so it is read once.
    rows::Press press{};
    press.referenceRow = referenceRow;
    press.statistics = england ? England() : Sweden();
    press.startsAnew = !(appendBox.IsChecked() && Rader >= 1);
    press.rowCount = antal_enkelrader;
    bool complete = true;
    for (int m = 1; m <= rows::kMatches; ++m) {
        int sign = rows::kNoSign;
        for (int k = 2; k >= 0; --k)  // the first checked of 1, X, 2 wins
            if (SignBox(m, k).IsChecked()) sign = k;
        press.sign[m - 1] = sign;
        press.sure[m - 1] = referenceRow && sureBoxes[m - 1].IsChecked();
        complete = complete && sign != rows::kNoSign;
    }
    // A reference row needs every match; refuse before anything changes so
    // that no half-made rows reach the text.
    if (referenceRow && !complete) {
        statusEdit.SetString(kIncompleteReference);
        return;
    }

    const char* header = nullptr;  // with no game box the rows follow whatever is there
    if (press.startsAnew) {
        if (stryktipsetBox.IsChecked()) header = "Stryktipset";
        if (italienskaBox.IsChecked()) header = "Italienska Stryktipset";
    }
    const std::size_t kept = header ? 0 : std::strlen(test);
    const std::size_t headerLength = header ? std::strlen(header) : 0;
    const std::size_t length = kept + headerLength + press.rowCount * rows::kRowLength;
    if (length > kTestMaxLength) {
        statusEdit.SetString(kTextFull);
        return;
    }

    if (header) std::memcpy(test, header, headerLength);
    Rader += antal_enkelrader;
    char* end = rows::WriteRows(press, rg, ir, test + kept + headerLength);
    *end = '\0';
    // One update per press, and only of what is new when the field still
    // shows the text this press continued: the field re-lays out all it is given.
    ShowText(rowsEdit, test, length, kept);
}

void Controller::DrawMatch(HWND, const Entry& entry, int, int notifyCode) {
    StatusOnClick(notifyCode, entry.message);
    for (;;) {
        antalsakra = 0;
        for (const CheckBox& box : signBoxes)
            if (box.IsChecked()) ++antalsakra;
        // At least 13 rather than exactly: the loop must end even if a match ever held two signs.
        if (antalsakra >= rows::kMatches) {
            statusEdit.SetString("13 matcher redan s\xE4kra.");
            return;
        }
        ir = rg.IRandom(1, rows::kMatches);
        const int match = ir;
        if (SignBox(match, 0).IsChecked() || SignBox(match, 1).IsChecked() || SignBox(match, 2).IsChecked())
            continue;
        int sign;
        if (englandBox.IsChecked()) {
            sign = rows::DrawStatisticsSign(rg, England(), ir);
        } else if (swedenBox.IsChecked()) {
            sign = rows::DrawStatisticsSign(rg, Sweden(), ir);
        } else {
            ir = rg.IRandom(1, 6);
            sign = rows::SixSided(ir);
        }
        SignBox(match, sign).Check();
        return;
    }
}
