#include "report/ui/designer/paperpreview.h"

#include <QPainter>
#include <algorithm>

namespace report {

TPaperPreview::TPaperPreview(QWidget* parent) : QWidget(parent) { setMinimumSize(120, 140); }

void TPaperPreview::setPaper(const ReportPaper& paper) {
  paper_ = paper;
  update();
}

void TPaperPreview::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), palette().window());
  const double w = std::max(1, paper_.pageWidth()), h = std::max(1, paper_.pageHeight());
  const double scale = std::min((width() - 12) / w, (height() - 12) / h);
  const QRectF page((width() - w * scale) / 2, (height() - h * scale) / 2, w * scale, h * scale);
  p.fillRect(page.translated(3, 3), QColor(90, 90, 90));
  p.fillRect(page, QColor(225, 225, 225));
  const QRectF area(page.left() + paper_.marginLeft * scale, page.top() + paper_.marginTop * scale,
                    std::max(0, paper_.printableWidth()) * scale, std::max(0, paper_.printableHeight()) * scale);
  p.fillRect(area, Qt::white);
  const int columns = std::max(1, paper_.columns);
  const double column = paper_.columnWidth() * scale;
  const double label = std::max(0.0, column - paper_.columnGap * scale);
  p.setPen(QPen(QColor(0, 0, 160), 0, Qt::DashLine));
  for (int c = 0; c < columns; ++c) p.drawRect(QRectF(area.left() + c * column, area.top(), label, area.height()));
  p.setPen(Qt::black);
  p.drawRect(page);
}

}  // namespace report
