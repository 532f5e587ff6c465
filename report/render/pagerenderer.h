// One renderer of a page of the output document onto a QPainter, for every
// target: the preview, the printer, images, PDF and metafiles draw the same
// strokes. Lengths in the document are hundredths of an inch; the painter is
// given how many of its device units make one hundredth of an inch and where the
// printable area's top-left corner is.
//
// Conventions of the drawing (the template leaves them open):
// - frame bits of a text element: 1 left, 2 top, 4 right, 8 bottom side;
// - pen styles 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot, 5 none, other
//   solid; fill styles 0 solid, 1 none, 2 horizontal, 3 vertical, 4 forward
//   diagonal, 5 backward diagonal, 6 cross, 7 diagonal cross; pen width in
//   hundredths of an inch (at least a hair line);
// - barcodes: bars in the pen colour on a solid fill colour that differs from it;
//   one module is the element's module width in hundredths of an inch, so the
//   screen and every printer agree; rotated about the top-left corner;
// - a picture's text lists file names separated by ';' or line breaks, tried in
//   order; without "Podle okna" it is drawn at 100 pixels per inch.
#pragma once

#include <QImage>
#include <QPainter>
#include <QPointF>
#include <functional>

#include "report/layout/outputdocument.h"

namespace report {

struct RenderHooks {
  // Loads a picture by name (the host's picture event); empty: from the file.
  std::function<bool(const QString& name, QImage* image)> loadPicture;
  // Paints a drawing area (kind 13): index, width and height in hundredths of an
  // inch; the painter's origin is the area's top-left corner, one unit a hundredth.
  std::function<void(int index, int width, int height, QPainter& painter)> paintBox;
};

class PageRenderer {
 public:
  explicit PageRenderer(RenderHooks hooks = {});

  // Draws page `page` (from 0) of `doc`. `unitsPerHundredth`: device units per
  // hundredth of an inch (the device's dots per inch / 100); `origin`: the printable
  // area's top-left corner in device units.
  void renderPage(QPainter& painter, const TSestVystup& doc, int page, double unitsPerHundredth,
                  QPointF origin) const;
  // One element, the painter already in hundredths of an inch at the printable area.
  void renderElement(QPainter& painter, const TVystPrvek& e) const;
  // The background picture of the document stretched into its placement
  // rectangle (paper coordinates, hundredths of an inch); nothing without one.
  void renderBackground(QPainter& painter, const TSestVystup& doc, double unitsPerHundredth, QPointF paperOrigin) const;

  // Renders a page to an image of the whole paper at `dotsPerInch`, white behind.
  QImage pageImage(const TSestVystup& doc, int page, double dotsPerInch) const;

 private:
  void text(QPainter& p, const TVystPrvek& e) const;
  void shape(QPainter& p, const TVystPrvek& e) const;
  void picture(QPainter& p, const TVystPrvek& e) const;
  void barcode(QPainter& p, const TVystPrvek& e) const;
  RenderHooks hooks_;
};

// The font of a report font for a painter working in hundredths of an inch.
QFont RenderFont(const TReportFont& font, const QPaintDevice* device);
QColor IndexColor(int index);

}  // namespace report
