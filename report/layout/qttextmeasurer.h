// Text measured with the fonts the pages are drawn with (reportfonts.h), at 100 %:
// hundredths of an inch. Needs a QGuiApplication. Metrics are cached per font.
#pragma once

#include <QFontMetricsF>
#include <QHash>
#include <QImage>
#include <memory>

#include "report/layout/textmeasurer.h"

namespace report {

class QtTextMeasurer : public TextMeasurer {
 public:
  QtTextMeasurer();
  ~QtTextMeasurer() override;
  double width(const TReportFont& font, QStringView text) const override;
  double ascent(const TReportFont& font) const override;
  double lineHeight(const TReportFont& font) const override;

 private:
  const QFontMetricsF& metrics(const TReportFont& font) const;
  QImage device_;  // a paint device of a known resolution to measure on
  mutable QHash<QString, std::shared_ptr<QFontMetricsF>> cache_;
};

}  // namespace report
