// Paper of a report: size, orientation, margins and print columns.
// All lengths in hundredths of an inch.
#pragma once

namespace report {

enum PaperOrientation : int { kPortrait = 0, kLandscape = 1 };

struct ReportPaper {
  int orientation = kPortrait;
  int width = 826;    // paper width as the format gives it (portrait), hundredths of an inch
  int height = 1169;  // paper height as the format gives it (portrait), hundredths of an inch
  int marginLeft = 0, marginRight = 0, marginTop = 0, marginBottom = 0;  // hundredths of an inch
  int columns = 1;    // print columns across the page (label printing), at least 1
  int columnGap = 0;  // gap between print columns, hundredths of an inch

  // Page size as printed: for landscape width and height are swapped.
  int pageWidth() const { return orientation == kLandscape ? height : width; }
  int pageHeight() const { return orientation == kLandscape ? width : height; }
  int printableWidth() const { return pageWidth() - marginLeft - marginRight; }
  int printableHeight() const { return pageHeight() - marginTop - marginBottom; }
  // Width of one print column: (printable width + gap) / columns.
  int columnWidth() const { return (printableWidth() + columnGap) / columns; }

  // Makes every value valid: orientation 0 or 1, paper sides 1 … kMaxPaperLength,
  // margins at least 0 and together smaller than the page in each direction,
  // 1 … kMaxPrintColumns columns, none narrower than one unit, gap 0 … printable
  // width. Returns true when something had to change.
  bool clamp();

  bool operator==(const ReportPaper&) const = default;
};

}  // namespace report
