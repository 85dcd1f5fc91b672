// Puts a long text into a multi-line field without paying for a full set
// when only its end is new.
#ifndef RAVLO_SHOW_TEXT_H
#define RAVLO_SHOW_TEXT_H

#include <cstddef>

#include "controls/controls.h"

// Makes `field` show `text` (`length` bytes, then a NUL), leaving it as a full set
// leaves it: caret and view at the start, not modified, nothing to undo.
// When the field still shows exactly the first `keptLength` bytes of `text`,
// only the rest is added, so the cost follows the new bytes, not the whole.
void ShowText(Edit& field, const char* text, std::size_t length, std::size_t keptLength);

#endif
