// Find as you type: filling a list with the names a filter text leaves.
#pragma once

#include <string>

#include "app/rules/NameFilter.h"
#include "ui/ListControls.h"

namespace app {

// Fills list with the names that hold every word of text (every name for an empty text), in the list's order. The
// selected entry stays selected when it is shown; when it is not, a text selects the first entry shown. A list that
// shows exactly these names already is left as it is.
void ShowNames(ui::ListBox& list, NameFilter& names, const std::string& text);

// Folds the names of a fill once the program is idle again, so that the first key typed finds them folded. A fill
// that comes first makes the queued folding fold its own names; an owner (of names) that goes first drops it.
void FoldNamesWhenIdle(NameFilter& names, const ui::Component& owner);

}  // namespace app
