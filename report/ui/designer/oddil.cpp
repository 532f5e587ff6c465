#include "report/ui/designer/oddil.h"

#include <QMouseEvent>
#include <QPainter>
#include <QRubberBand>

#include "report/ui/designer/papir.h"
#include "report/ui/designer/selectiongeometry.h"

namespace report {

TOddil::TOddil(TPapir* papir, int section, QWidget* parent) : QWidget(parent), papir_(papir), section_(section) {
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void TOddil::setCaption(const QString& caption) {
  caption_ = caption;
  setAccessibleName(caption);
  update();
}

void TOddil::setShownHeight(int height) {
  height_ = height;
  update();
}

QSize TOddil::panelSize(int widthHundredths) const {
  const double zoom = papir_->zoom();
  return QSize(SelectionGeometry::ToPixels(widthHundredths, zoom),
               kCaptionHeight + SelectionGeometry::ToPixels(height_, zoom) + kEdge);
}

QPoint TOddil::toHundredths(QPoint local) const {
  const double zoom = papir_->zoom();
  const QPoint p = local - areaOrigin();
  return QPoint(SelectionGeometry::ToHundredths(p.x(), zoom), SelectionGeometry::ToHundredths(p.y(), zoom));
}

bool TOddil::onEdge(QPoint local) const {
  const int bottom = kCaptionHeight + SelectionGeometry::ToPixels(height_, papir_->zoom());
  return local.y() >= bottom - 2 && local.y() < bottom + kEdge;
}

QRubberBand* TOddil::rubberBand() {
  if (!band_) band_ = new QRubberBand(QRubberBand::Rectangle, this);
  return band_;
}

void TOddil::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const double zoom = papir_->zoom();
  const int area = SelectionGeometry::ToPixels(height_, zoom);
  // Caption strip.
  const QRect strip(0, 0, width(), kCaptionHeight);
  p.fillRect(strip, QColor(212, 208, 200));
  p.setPen(QColor(128, 128, 128));
  p.drawLine(strip.bottomLeft(), strip.bottomRight());
  QFont f = font();
  f.setBold(true);
  p.setFont(f);
  p.setPen(Qt::black);
  p.drawText(strip.adjusted(4, 0, -4, 0), Qt::AlignLeft | Qt::AlignVCenter, caption_);
  // The section's area.
  const QRect body(0, kCaptionHeight, width(), area);
  p.fillRect(body, Qt::white);
  if (papir_->showsRaster()) {
    const double stepX = papir_->raster().gridX() * zoom, stepY = papir_->raster().gridY() * zoom;
    if (stepX >= 3 && stepY >= 3) {
      p.setPen(QColor(150, 150, 150));
      for (double y = 0; y < area; y += stepY)
        for (double x = 0; x < width(); x += stepX) p.drawPoint(QPointF(x, kCaptionHeight + y));
    }
  }
  // The edge that drags the height.
  const QRect edge(0, kCaptionHeight + area, width(), kEdge);
  p.fillRect(edge, QColor(160, 160, 160));
  p.setPen(QColor(96, 96, 96));
  p.drawLine(edge.topLeft(), edge.topRight());
}

void TOddil::mousePressEvent(QMouseEvent* event) { papir_->sectionPress(this, event); }

void TOddil::mouseMoveEvent(QMouseEvent* event) { papir_->sectionMove(this, event); }

void TOddil::mouseReleaseEvent(QMouseEvent* event) { papir_->sectionRelease(this, event); }

}  // namespace report
