#include "report/ui/designer/sesprvek.h"

#include <QMouseEvent>
#include <QPainter>

#include "report/ui/designer/papir.h"
#include "report/ui/designer/selectiongeometry.h"

namespace report {

TSesPrvek::TSesPrvek(TPapir* papir, QWidget* parent) : QWidget(parent), papir_(papir) {
  setMouseTracking(true);
  setAttribute(Qt::WA_NoSystemBackground);
}

void TSesPrvek::setElement(const TVystPrvek& look) {
  look_ = look;
  setToolTip(papir_->describe(look.look));
  setShownRect(QRect(look.look.left, look.look.top, look.look.width, look.look.height));
  update();
}

void TSesPrvek::setShownRect(const QRect& r) {
  shown_ = r;
  papir_->placeElement(this);
  update();
}

QRect TSesPrvek::elementPixels() const {
  const double zoom = papir_->zoom();
  return QRect(kMargin, kMargin, SelectionGeometry::ToPixels(shown_.width(), zoom),
               SelectionGeometry::ToPixels(shown_.height(), zoom));
}

void TSesPrvek::setSelected(bool selected) {
  if (selected_ == selected) return;
  selected_ = selected;
  update();
}

void TSesPrvek::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  const double zoom = papir_->zoom();
  const QRect box = elementPixels();
  TVystPrvek out = look_;
  out.width = shown_.width();
  out.height = shown_.height();
  p.save();
  p.translate(kMargin, kMargin);
  p.scale(zoom, zoom);
  p.setClipRect(QRectF(-1, -1, out.width + 2, out.height + 2).united(QRectF(0, 0, 1, 1)));
  if (out.look.kind == kElementDetail) {
    p.fillRect(QRectF(0, 0, out.width, out.height), QBrush(QColor(0, 0, 128, 60), Qt::BDiagPattern));
    p.setPen(QColor(0, 0, 128));
    p.drawText(QRectF(0, 0, out.width, out.height), Qt::AlignCenter, papir_->describe(out.look));
  } else {
    papir_->renderer().renderElement(p, out);
  }
  p.restore();
  // The element's bounds, which do not print.
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(QPen(selected_ ? QColor(0, 0, 160) : QColor(170, 170, 170), 0, Qt::DotLine));
  p.setBrush(Qt::NoBrush);
  p.drawRect(box.adjusted(0, 0, -1, -1).normalized().united(QRect(box.topLeft(), QSize(1, 1))));
  if (!selected_) return;
  p.setPen(Qt::black);
  p.setBrush(Qt::black);
  for (DesignHandle h : {DesignHandle::TopLeft, DesignHandle::Top, DesignHandle::TopRight, DesignHandle::Right,
                         DesignHandle::BottomRight, DesignHandle::Bottom, DesignHandle::BottomLeft, DesignHandle::Left})
    p.drawRect(SelectionGeometry::HandleRect(box, h).adjusted(0, 0, -1, -1));
}

void TSesPrvek::mousePressEvent(QMouseEvent* event) {
  papir_->elementPress(this, event);
}

void TSesPrvek::mouseMoveEvent(QMouseEvent* event) {
  papir_->elementMove(this, event);
}

void TSesPrvek::mouseReleaseEvent(QMouseEvent* event) {
  papir_->elementRelease(this, event);
}

void TSesPrvek::mouseDoubleClickEvent(QMouseEvent* event) {
  papir_->elementDoubleClick(this, event);
}

}  // namespace report
