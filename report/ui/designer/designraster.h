// The layout raster as the designer uses it: where a moved or resized element
// lands, one step of the arrow keys, and lining elements up with the grid. All
// values in hundredths of an inch.
//
// With snapping on ("Zarovnávat do rastru") a dragged element's top-left corner
// lands on the nearest grid point and a dragged edge on the nearest grid line;
// several elements dragged together move by the same amount, the one under the
// mouse deciding it, so they keep their places to each other. The arrow keys
// always go one grid step, snapping or not.
#pragma once

#include <QPoint>
#include <QRect>

#include "report/model/templatesettings.h"

namespace report {

// The handles of a selected element: its corners and the middles of its sides.
enum class DesignHandle { None, TopLeft, Top, TopRight, Right, BottomRight, Bottom, BottomLeft, Left };

class DesignRaster {
 public:
  DesignRaster(int gridX = 8, int gridY = 8, bool snap = false);
  // The template's grid with its "Zarovnávat do rastru" flag.
  static DesignRaster Of(const TemplateRaster& raster);

  // The multiple of `step` nearest to `value` (halves away from zero); `value`
  // itself for a step below 1.
  static int SnapValue(int value, int step);

  int gridX() const { return gridX_; }
  int gridY() const { return gridY_; }
  bool snaps() const { return snap_; }

  // A move of `delta` of the element whose top-left corner is `anchor`: with
  // snapping, the delta is changed so that the anchor lands on the grid. The
  // result never takes the anchor left of or above 0.
  QPoint moveDelta(QPoint anchor, QPoint delta) const;
  // `start` resized by dragging `handle` by `delta`: the dragged sides move (to
  // the nearest grid line with snapping), never past the opposite side's
  // minimum distance, never beyond 0 on the left and at the top.
  QRect resized(const QRect& start, DesignHandle handle, QPoint delta, int minWidth, int minHeight) const;
  // A section's height after dragging its lower edge by `delta` (at least 0).
  int sectionHeight(int start, int delta) const;
  // One arrow key: moves by one grid step, or with `resize` moves the right or
  // lower side by one step (not below the minimum size). `dx`, `dy` are -1, 0, 1.
  QRect keyStep(const QRect& r, int dx, int dy, bool resize, int minWidth, int minHeight) const;
  // "Vyrovnat": the corner to the nearest grid point and the size to whole grid
  // steps (a size that was not 0 stays at least one step).
  QRect aligned(const QRect& r) const;

 private:
  int gridX_, gridY_;
  bool snap_;
};

}  // namespace report
