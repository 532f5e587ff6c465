#include "report/layout/qttextmeasurer.h"

#include "report/layout/reportfonts.h"

namespace report {
namespace {

// Text is measured on a device of 1200 dots per inch (12 per hundredth of an
// inch), fine enough that rounding to pixels does not show.
constexpr int kDotsPerInch = 1200;
constexpr double kDotsPerUnit = kDotsPerInch / 100.0;

QString Key(const TReportFont& f) {
  return f.name + u'|' + QString::number(f.size) + u'|' + QString::number(f.style & kFontStyleMask);
}

}  // namespace

QtTextMeasurer::QtTextMeasurer() : device_(1, 1, QImage::Format_Mono) {
  const int dotsPerMeter = static_cast<int>(kDotsPerInch / 0.0254 + 0.5);
  device_.setDotsPerMeterX(dotsPerMeter);
  device_.setDotsPerMeterY(dotsPerMeter);
}

QtTextMeasurer::~QtTextMeasurer() = default;

const QFontMetricsF& QtTextMeasurer::metrics(const TReportFont& font) const {
  const QString key = Key(font);
  auto it = cache_.find(key);
  if (it == cache_.end()) it = cache_.insert(key, std::make_shared<QFontMetricsF>(ReportQFont(font), &device_));
  return **it;
}

double QtTextMeasurer::width(const TReportFont& font, QStringView text) const {
  return metrics(font).horizontalAdvance(text.toString()) / kDotsPerUnit;
}

double QtTextMeasurer::ascent(const TReportFont& font) const { return metrics(font).ascent() / kDotsPerUnit; }

double QtTextMeasurer::lineHeight(const TReportFont& font) const { return metrics(font).height() / kDotsPerUnit; }

}  // namespace report
