// Measuring text for the layout, in hundredths of an inch at 100 %. The real
// measurer uses the fonts the pages are drawn with (qttextmeasurer.h); tests use
// the fixed-pitch one below, so their numbers are exact.
#pragma once

#include <QStringView>

#include "report/model/reportfont.h"

namespace report {

class TextMeasurer {
 public:
  virtual ~TextMeasurer() = default;
  virtual double width(const TReportFont& font, QStringView text) const = 0;
  virtual double ascent(const TReportFont& font) const = 0;      // top of a line to its baseline
  virtual double lineHeight(const TReportFont& font) const = 0;  // distance between two lines
};

// Every character `charWidth` wide and every line `lineHeight` high, whatever the
// font; the baseline at four fifths of the line.
class FixedPitchMeasurer : public TextMeasurer {
 public:
  explicit FixedPitchMeasurer(double charWidth = 10, double lineHeight = 20) : cw_(charWidth), lh_(lineHeight) {}
  double width(const TReportFont&, QStringView text) const override { return cw_ * static_cast<double>(text.size()); }
  double ascent(const TReportFont&) const override { return lh_ * 0.8; }
  double lineHeight(const TReportFont&) const override { return lh_; }

 private:
  double cw_, lh_;
};

}  // namespace report
