// Identifiers of the dialog's boxes that come one a match.
#ifndef RAVLO_TESTS_DIALOG_IDS_H
#define RAVLO_TESTS_DIALOG_IDS_H

#include "resource.h"

// The sign box of match 1..13: `sign` 0 for "1", 1 for "X", 2 for "2".
inline int SignId(int match, int sign) { return IDC_SIGN_FIRST + 3 * (match - 1) + sign; }

// The "säker?" box of match 1..13.
inline int SureId(int match) { return IDC_SURE_FIRST + match - 1; }

#endif
