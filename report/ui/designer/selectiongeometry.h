// Geometry of the selection on the screen: the handles of a selected element,
// which handle the mouse is on, which elements a rubber band catches, and the
// conversion between hundredths of an inch and screen pixels at a zoom.
//
// At 100 % one hundredth of an inch is one pixel (the 100 pixels per inch the
// engine draws with when no printer is installed).
#pragma once

#include <QList>
#include <QPoint>
#include <QRect>

#include "report/ui/designer/designraster.h"

namespace report {

class SelectionGeometry {
 public:
  static constexpr int kHandleSize = 5;  // pixels

  // Pixels of a length in hundredths of an inch at `zoom` (1.0 = 100 %), and back.
  static int ToPixels(int hundredths, double zoom);
  static int ToHundredths(int pixels, double zoom);
  static QRect ToPixels(const QRect& r, double zoom);

  // The square of `handle` for an element drawn at `r` (pixels).
  static QRect HandleRect(const QRect& r, DesignHandle handle);
  // The handle at `p`, or None; corners win over sides where they overlap.
  static DesignHandle HandleAt(const QRect& r, QPoint p);
  // The mouse cursor shape of a handle (Qt::CursorShape).
  static int CursorOf(DesignHandle handle);

  // Indices of the element rectangles that the band touches. A line (an element
  // of width or height 0) counts as one unit thick.
  static QList<int> ElementsInBand(const QList<QRect>& elements, const QRect& band);
};

}  // namespace report
