// The margin check of the report settings: the smallest margins the selected
// printer can print, for the chosen orientation.
//
// The printer's page is measured in its own pixels: the physical page, the
// printable area and the offset of the printable area from the paper's top-left
// corner (the unprintable left and top edges). The smallest margins are the
// unprintable left edge, the unprintable top edge, the physical width less the
// printable width less the left edge, and the physical height less the printable
// height less the top edge, each turned into hundredths of an inch as
// pixels × 100 / pixels per inch (integer division).
#pragma once

#include <QMargins>

#include "report/model/reportpaper.h"

namespace report {

class PrinterPort;

// A printer's page in its pixels.
struct PrinterPageMetrics {
  int dpi = 0;  // pixels per inch
  int physicalWidth = 0, physicalHeight = 0;
  int printableWidth = 0, printableHeight = 0;
  int offsetLeft = 0, offsetTop = 0;  // the unprintable left and top edges
};

class MarginCheck {
 public:
  // The metrics of the port's selected printer in `orientation` (the port is
  // switched to it). The port gives hundredths of an inch; they become pixels
  // at its resolution, rounded.
  static PrinterPageMetrics Measure(PrinterPort& port, int orientation);
  // The smallest margins (hundredths of an inch); all 0 without a resolution.
  static QMargins Minimum(const PrinterPageMetrics& m);
  // Whether any margin of `paper` is smaller than its minimum.
  static bool Below(const ReportPaper& paper, const QMargins& minimum);
  // Raises each margin of `paper` to at least its minimum.
  static void Raise(ReportPaper& paper, const QMargins& minimum);
};

}  // namespace report
