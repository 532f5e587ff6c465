// What the main window hands to the report component for a printout: the fifteen
// parameter texts, the six column names, the rows of the calculator or of the
// solved points, and the step protocol over them. No widgets here.
#pragma once

#include <QStringList>

#include "app/mainstate.h"

namespace tab97 {

// Result captions (0..5) and units (6..11) of the display order, then the
// heading, the report title and "Bod číslo:" (12..14), in the current language.
QStringList PrintParameters(const MainState& state);
// "Vel1" … "Vel6".
QStringList PrintFieldNames();

// The rows of a printout: one for the calculator page; for the points page the
// solved points in table order (report row k is the k-th solved point).
class PrintRows {
 public:
  PrintRows(const MainState& state, bool pointsPage);
  int ReportRowCount() const { return count_; }
  int ReportRow() const { return row_; }
  // The step protocol of the component: sdFirst 0, sdPrior 1, sdNext 2, sdLast 3;
  // srOk 0, srBof 1, srEof 2.
  int Step(int dir);
  // The six values of the current row in display order, formatted with their
  // decimal places; six empty texts when there is no such row (no point solved).
  QStringList RowValues() const;

 private:
  const MainState& state_;
  bool points_;
  QList<int> solved_;  // table indices of the solved points
  int count_ = 1;
  int row_ = 1;
};

}  // namespace tab97
