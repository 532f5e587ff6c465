#include "report/model/reportpaper.h"

#include <algorithm>

#include "report/model/reportlimits.h"

namespace report {
namespace {

// Margins a and b of a page side of length `side`: each at least 0, and together
// leaving at least one unit printable. The far margin gives way first.
bool ClampMargins(int side, int& a, int& b) {
  const int oldA = a, oldB = b;
  a = std::clamp(a, 0, side - 1);
  b = std::clamp(b, 0, side - 1 - a);
  return a != oldA || b != oldB;
}

}  // namespace

bool ReportPaper::clamp() {
  const ReportPaper before = *this;
  if (orientation != kPortrait && orientation != kLandscape) orientation = kPortrait;
  width = std::clamp(width, 1, kMaxPaperLength);
  height = std::clamp(height, 1, kMaxPaperLength);
  ClampMargins(pageWidth(), marginLeft, marginRight);
  ClampMargins(pageHeight(), marginTop, marginBottom);
  columns = std::clamp(columns, 1, std::min(kMaxPrintColumns, printableWidth()));
  columnGap = std::clamp(columnGap, 0, printableWidth());
  return !(before == *this);
}

}  // namespace report
