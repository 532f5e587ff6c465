#include "report/ui/designer/designraster.h"

#include <algorithm>

namespace report {

DesignRaster::DesignRaster(int gridX, int gridY, bool snap)
    : gridX_(std::max(1, gridX)), gridY_(std::max(1, gridY)), snap_(snap) {}

DesignRaster DesignRaster::Of(const TemplateRaster& raster) {
  return DesignRaster(raster.gridX, raster.gridY, raster.designerFlag2 != 0);
}

int DesignRaster::SnapValue(int value, int step) {
  if (step < 1) return value;
  const int half = step / 2;
  if (value >= 0) return (value + half) / step * step;
  return -((-value + half) / step * step);
}

QPoint DesignRaster::moveDelta(QPoint anchor, QPoint delta) const {
  QPoint to = anchor + delta;
  if (snap_) to = QPoint(SnapValue(to.x(), gridX_), SnapValue(to.y(), gridY_));
  to = QPoint(std::max(0, to.x()), std::max(0, to.y()));
  return to - anchor;
}

QRect DesignRaster::resized(const QRect& start, DesignHandle handle, QPoint delta, int minWidth,
                            int minHeight) const {
  // Sides as positions: right and bottom are left + width and top + height.
  int left = start.x(), top = start.y();
  int right = start.x() + start.width(), bottom = start.y() + start.height();
  const bool moveLeft = handle == DesignHandle::TopLeft || handle == DesignHandle::Left ||
                        handle == DesignHandle::BottomLeft;
  const bool moveRight = handle == DesignHandle::TopRight || handle == DesignHandle::Right ||
                         handle == DesignHandle::BottomRight;
  const bool moveTop = handle == DesignHandle::TopLeft || handle == DesignHandle::Top ||
                       handle == DesignHandle::TopRight;
  const bool moveBottom = handle == DesignHandle::BottomLeft || handle == DesignHandle::Bottom ||
                          handle == DesignHandle::BottomRight;
  const auto snapX = [this](int v) { return snap_ ? SnapValue(v, gridX_) : v; };
  const auto snapY = [this](int v) { return snap_ ? SnapValue(v, gridY_) : v; };
  if (moveLeft) left = std::clamp(snapX(left + delta.x()), 0, std::max(0, right - minWidth));
  if (moveRight) right = std::max(left + minWidth, snapX(right + delta.x()));
  if (moveTop) top = std::clamp(snapY(top + delta.y()), 0, std::max(0, bottom - minHeight));
  if (moveBottom) bottom = std::max(top + minHeight, snapY(bottom + delta.y()));
  return QRect(left, top, right - left, bottom - top);
}

int DesignRaster::sectionHeight(int start, int delta) const {
  const int h = start + delta;
  return std::max(0, snap_ ? SnapValue(h, gridY_) : h);
}

QRect DesignRaster::keyStep(const QRect& r, int dx, int dy, bool resize, int minWidth, int minHeight) const {
  if (resize) {
    return QRect(r.x(), r.y(), std::max(minWidth, r.width() + dx * gridX_),
                 std::max(minHeight, r.height() + dy * gridY_));
  }
  return QRect(std::max(0, r.x() + dx * gridX_), std::max(0, r.y() + dy * gridY_), r.width(), r.height());
}

QRect DesignRaster::aligned(const QRect& r) const {
  const auto size = [](int v, int step) { return v == 0 ? 0 : std::max(step, SnapValue(v, step)); };
  return QRect(std::max(0, SnapValue(r.x(), gridX_)), std::max(0, SnapValue(r.y(), gridY_)),
               size(r.width(), gridX_), size(r.height(), gridY_));
}

}  // namespace report
