// Logic of the points page that needs no widgets: where the column captions
// stand, which row is solved when the user moves in the input grid, and what one
// solved row shows and stores.
#pragma once

#include <QString>

#include <array>

#include "app/mainstate.h"
#include "app/solverport.h"

namespace tab97 {

// Pixel places of the points page: every grid column and its caption take
// kPointColumnPitch pixels, the first starting kPointColumnLeft from the page's
// left edge.
inline constexpr int kPointColumnPitch = 78;
inline constexpr int kPointColumnLeft = 25;

// Left edge of the caption of each quantity (index 1..6) for the display order:
// the quantity at position i stands at (i − 1) × 78 + 25, so the known pair is
// over the two input columns and the computed quantities over the four others.
std::array<int, 7> ColumnCaptionLefts(const QuantityOrderArray& order);

// Marks of a row that was not solved.
QString NegativeInputMark();    // "x x x": a known value below zero
QString UnconvertibleMark();    // "- - -": an empty or unreadable value

// One row of the table after it was left.
struct PointRowResult {
  std::array<QString, 4> Cells;  // the four computed columns, display entries 3..6
  TablePoint Point;              // what the table keeps for the row
};

// Solves one row from the texts of its two input cells (display entries 1 and 2
// of the known pair). Both texts are read first ('.' and ',' count as the
// separator); if either cannot be read the row is marked "- - -"; else if either
// value is negative it is marked "x x x"; both leave the point unsolved. Otherwise
// one solver call exactly as on the calculator page (the same pair, need flags,
// metastable preference and the shared result cells, the region going to
// RegionCode); the four computed values are written fixed-point with their
// decimal places (0.0 too) and the point stores validity 1.0 and the six outputs.
// A missing solver counts as a failed solve. StateValues are not touched.
PointRowResult SolvePointRow(const QString& firstText, const QString& secondText, MainState& state,
                             SolveFunction solve);

// All twelve points unsolved with zero values.
void ClearPointTable(PointTableArray& table);

// The row the user is in, and the rule that a row is solved only when it is left:
// moving within a row (from one cell to the other) solves nothing.
class PointRowCursor {
 public:
  int CurrentPointRow() const { return current_; }
  void SetCurrentPointRow(int row) { current_ = row; }

  // The cell about to be selected lies in `row`: returns the row being left
  // (to be solved) when that differs from the current one, else −1; the current
  // row becomes `row` in either case.
  int SelectRow(int row);

 private:
  int current_ = 0;
};

}  // namespace tab97
