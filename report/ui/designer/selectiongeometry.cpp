#include "report/ui/designer/selectiongeometry.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace report {

int SelectionGeometry::ToPixels(int hundredths, double zoom) {
  return static_cast<int>(std::lround(hundredths * zoom));
}

int SelectionGeometry::ToHundredths(int pixels, double zoom) {
  return zoom > 0 ? static_cast<int>(std::lround(pixels / zoom)) : pixels;
}

QRect SelectionGeometry::ToPixels(const QRect& r, double zoom) {
  return QRect(ToPixels(r.x(), zoom), ToPixels(r.y(), zoom), ToPixels(r.width(), zoom),
               ToPixels(r.height(), zoom));
}

QRect SelectionGeometry::HandleRect(const QRect& r, DesignHandle handle) {
  const int l = r.x(), t = r.y(), w = r.width(), h = r.height();
  QPoint c;
  switch (handle) {
    case DesignHandle::TopLeft: c = QPoint(l, t); break;
    case DesignHandle::Top: c = QPoint(l + w / 2, t); break;
    case DesignHandle::TopRight: c = QPoint(l + w, t); break;
    case DesignHandle::Right: c = QPoint(l + w, t + h / 2); break;
    case DesignHandle::BottomRight: c = QPoint(l + w, t + h); break;
    case DesignHandle::Bottom: c = QPoint(l + w / 2, t + h); break;
    case DesignHandle::BottomLeft: c = QPoint(l, t + h); break;
    case DesignHandle::Left: c = QPoint(l, t + h / 2); break;
    case DesignHandle::None: return {};
  }
  return QRect(c.x() - kHandleSize / 2, c.y() - kHandleSize / 2, kHandleSize, kHandleSize);
}

DesignHandle SelectionGeometry::HandleAt(const QRect& r, QPoint p) {
  static constexpr std::array kOrder = {DesignHandle::TopLeft, DesignHandle::TopRight, DesignHandle::BottomRight,
                                        DesignHandle::BottomLeft, DesignHandle::Top, DesignHandle::Right,
                                        DesignHandle::Bottom, DesignHandle::Left};
  for (DesignHandle h : kOrder)
    if (HandleRect(r, h).adjusted(-1, -1, 1, 1).contains(p)) return h;
  return DesignHandle::None;
}

int SelectionGeometry::CursorOf(DesignHandle handle) {
  switch (handle) {
    case DesignHandle::TopLeft:
    case DesignHandle::BottomRight: return Qt::SizeFDiagCursor;
    case DesignHandle::TopRight:
    case DesignHandle::BottomLeft: return Qt::SizeBDiagCursor;
    case DesignHandle::Top:
    case DesignHandle::Bottom: return Qt::SizeVerCursor;
    case DesignHandle::Left:
    case DesignHandle::Right: return Qt::SizeHorCursor;
    case DesignHandle::None: break;
  }
  return Qt::ArrowCursor;
}

QList<int> SelectionGeometry::ElementsInBand(const QList<QRect>& elements, const QRect& band) {
  const QRect b = band.normalized();
  QList<int> out;
  for (int i = 0; i < elements.size(); ++i) {
    const QRect& e = elements.at(i);
    const QRect thick(e.x(), e.y(), std::max(1, e.width()), std::max(1, e.height()));
    const QRect area(b.x(), b.y(), std::max(1, b.width()), std::max(1, b.height()));
    if (thick.intersects(area)) out.append(i);
  }
  return out;
}

}  // namespace report
