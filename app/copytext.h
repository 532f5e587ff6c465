// What Ctrl+C puts on the clipboard from the calculator and points pages: a
// table of tab-separated columns that pastes into a spreadsheet as rows and
// cells. The first line holds the column captions with their units, each later
// line one state; the columns stand in the display order of the pages (the
// known pair first), texts in the window's language, values with the decimal
// places and the separator the window shows them with. Lines end in '\n'.
#pragma once

#include <QString>

#include "app/mainstate.h"

namespace tab97 {

// The caption of a quantity's column: its result caption without " = ", then
// the unit in brackets ("Teplota [°C]", "Dryness [1]"; the dryness, shown
// without a unit, counts in ones).
QString CopyColumnCaption(int language, int quantity);

// The calculator page's state: the six values as the page shows them (the
// inputs formatted, an exact 0 among the results as "0"), and the name of the
// region in a last column "Oblast" / "Region" (empty while no region is shown).
QString CalculatorCopyText(const MainState& state);

// The points page's solved points, one line each in the order of the table;
// points not solved are left out. Each value is formatted with its quantity's
// decimal places, as the printout writes it.
QString PointsCopyText(const MainState& state);

}  // namespace tab97
