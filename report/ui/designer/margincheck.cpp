#include "report/ui/designer/margincheck.h"

#include <algorithm>
#include <cmath>

#include "report/print/printerport.h"

namespace report {
namespace {

int Pixels(double hundredths, int dpi) { return static_cast<int>(std::lround(hundredths * dpi / 100.0)); }

}  // namespace

PrinterPageMetrics MarginCheck::Measure(PrinterPort& port, int orientation) {
  port.setOrientation(orientation);
  PrinterPageMetrics m;
  m.dpi = port.resolution();
  const QSizeF paper = port.paperSizeHundredths();
  const QMarginsF edges = port.unprintableHundredths();
  m.physicalWidth = Pixels(paper.width(), m.dpi);
  m.physicalHeight = Pixels(paper.height(), m.dpi);
  m.offsetLeft = Pixels(edges.left(), m.dpi);
  m.offsetTop = Pixels(edges.top(), m.dpi);
  m.printableWidth = m.physicalWidth - m.offsetLeft - Pixels(edges.right(), m.dpi);
  m.printableHeight = m.physicalHeight - m.offsetTop - Pixels(edges.bottom(), m.dpi);
  return m;
}

QMargins MarginCheck::Minimum(const PrinterPageMetrics& m) {
  if (m.dpi <= 0) return {};
  const auto hundredths = [&m](int pixels) { return std::max(0, pixels) * 100 / m.dpi; };
  return QMargins(hundredths(m.offsetLeft), hundredths(m.offsetTop),
                  hundredths(m.physicalWidth - m.printableWidth - m.offsetLeft),
                  hundredths(m.physicalHeight - m.printableHeight - m.offsetTop));
}

bool MarginCheck::Below(const ReportPaper& paper, const QMargins& minimum) {
  return paper.marginLeft < minimum.left() || paper.marginTop < minimum.top() ||
         paper.marginRight < minimum.right() || paper.marginBottom < minimum.bottom();
}

void MarginCheck::Raise(ReportPaper& paper, const QMargins& minimum) {
  paper.marginLeft = std::max(paper.marginLeft, minimum.left());
  paper.marginTop = std::max(paper.marginTop, minimum.top());
  paper.marginRight = std::max(paper.marginRight, minimum.right());
  paper.marginBottom = std::max(paper.marginBottom, minimum.bottom());
}

}  // namespace report
