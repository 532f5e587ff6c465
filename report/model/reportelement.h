// An element of a section, `TReportElement`: a text, a column value, a caption, a
// parameter, a system variable, a user function, a drawing, a picture, a barcode,
// a drawing area, or the place of a detail report. Positions and sizes are in
// hundredths of an inch relative to the section.
#pragma once

#include <array>

#include <QString>

#include "report/model/reportfont.h"

namespace report {

enum ElementKind : int {
  kElementText = 1,       // "Text": the element's own text
  kElementColumn = 2,     // "Položka tabulky": the current row's value of a column
  kElementCaption = 3,    // "Popis položky": the caption of a column
  kElementParameter = 4,  // "Parametr": Parametry[index]
  kElementVariable = 5,   // "Proměnná": a system variable
  kElementFunction = 6,   // "Funkce": the formatted value of a user function
  kElementLine = 7,       // "Úsečka"
  kElementRectangle = 8,  // "Rámeček"
  kElementRoundRect = 9,  // "Zaoblený rámeček"
  kElementEllipse = 10,   // "Elipsa"
  kElementPicture = 11,   // "Obrázek": a picture by name
  kElementBarcode = 12,   // "Čárový kód"
  kElementPaintBox = 13,  // "Kreslicí plocha": painted by the host
  kElementDetail = 15,    // the place of a detail report inside the body
};

constexpr bool IsTextKind(int kind) { return kind >= kElementText && kind <= kElementFunction; }
constexpr bool IsDrawingKind(int kind) { return kind >= kElementLine && kind <= kElementPaintBox; }
constexpr bool IsKnownKind(int kind) { return IsTextKind(kind) || IsDrawingKind(kind) || kind == kElementDetail; }
// The designer's and the engine's name of a kind; "Neznámý" for any other kind.
QString ElementKindName(int kind);

// Element flags (the bits above the alignment in the alignment field).
enum ElementFlag : int {
  kFlagMemo = 16,            // counts as set for a column element whose column is a memo
  kFlagJustify = 32,         // "Zarovnávat do bloku": justify the text to the full width
  kFlagVariableHeight = 64,  // "Proměnná výška": the element grows with its text
};

// Frame and option bits.
enum ElementOption : int {
  kFrameSide1 = 1, kFrameSide2 = 2, kFrameSide3 = 4, kFrameSide4 = 8,  // text frame lines
  kPictureStretch = 16,     // "Podle okna"
  kPictureKeepAspect = 32,  // "Zachovat poměr stran"
  kBarcodeCheckDigit = 16,  // add the check digit
  kBarcodeShowText = 32,    // print the human-readable text
};

enum TextAlignment : int { kAlignLeft = 0, kAlignRight = 1, kAlignCenter = 2 };

enum PenStyle : int { kPenSolid = 0 };

struct TReportElement {
  int kind = kElementText;
  // Column, caption, parameter, variable, function or detail number (from 0).
  // A column or function element with a name that was not found has index -1
  // and prints empty text.
  int index = 0;
  QString name;  // column or function name (up to kMaxElementNameLength); when set it wins over the index
  int left = 0, top = 0, width = 0, height = 0;  // hundredths of an inch

  // Text-like kinds 1 … 6.
  TReportFont font;
  int alignment = kAlignLeft;  // TextAlignment
  int flags = 0;               // ElementFlag set and other bits kept as read
  QString text;                // the text of kind 1, the format text of kinds 2 … 6,
                               // the picture name of kind 11, the barcode text of kind 12
  // Three further values; the second is the rotation angle in degrees (0 none).
  std::array<int, 3> extra{0, 0, 0};

  // Drawing kinds 7 … 13 (and the frame bits of text kinds).
  int frame = 0;      // ElementOption set and other bits kept as read
  int penWidth = 1;   // for a barcode: the bar width setting
  int penColor = 0;   // colour index
  int penStyle = 0;   // for a barcode: the barcode type 0 … 19
  int fillColor = 0;  // colour index
  int fillStyle = 0;

  int rotation() const { return extra[1]; }
  int barcodeType() const { return penStyle; }
  int barWidth() const { return penWidth; }
  // Flags in effect: flag 16 counts as set for a column element of a memo column.
  int effectiveFlags(bool columnIsMemo) const {
    return kind == kElementColumn && columnIsMemo ? (flags | kFlagMemo) : flags;
  }
  bool hasName() const { return !name.isEmpty(); }
  bool isResolved() const { return index >= 0; }

  bool operator==(const TReportElement& o) const {
    return kind == o.kind && index == o.index && name == o.name && left == o.left && top == o.top &&
           width == o.width && height == o.height && font == o.font && alignment == o.alignment &&
           flags == o.flags && text == o.text && extra == o.extra && frame == o.frame &&
           penWidth == o.penWidth && penColor == o.penColor && penStyle == o.penStyle &&
           fillColor == o.fillColor && fillStyle == o.fillStyle;
  }
};

// An element of `kind` at the given place and size (hundredths of an inch) with
// its index and text, everything else at the defaults.
inline TReportElement MakeElement(int kind, int index, int left, int top, int width, int height,
                                  const QString& text = {}) {
  TReportElement e;
  e.kind = kind;
  e.index = index;
  e.left = left;
  e.top = top;
  e.width = width;
  e.height = height;
  e.text = text;
  return e;
}

}  // namespace report
