#include "report/render/metafiledevice.h"

#include <QPainter>

#include <algorithm>
#include <climits>

#include "report/render/metafileemfwriter_p.h"
#include "report/render/metafileengine_p.h"
#include "report/render/metafilewmfwriter_p.h"

namespace report {

MetafileDevice::MetafileDevice(QSize pageHundredths, Format format)
    : format_(format),
      pageHundredths_(std::clamp(pageHundredths.width(), 1, kMaxPageHundredths),
                      std::clamp(pageHundredths.height(), 1, kMaxPageHundredths)),
      engine_(std::make_unique<MetafileEngine>(this)) {}

MetafileDevice::~MetafileDevice() = default;

void MetafileDevice::finish() { engine_->finish(); }

QByteArray MetafileDevice::bytes() const {
  if (!bytes_.isEmpty()) return bytes_;
  if (format_ == Format::Enhanced) return MetafileEmfWriter(pageUnits()).finish();
  return MetafileWmfWriter(pageUnits()).finish();
}

QPaintEngine* MetafileDevice::paintEngine() const { return engine_.get(); }

int MetafileDevice::metric(PaintDeviceMetric metric) const {
  switch (metric) {
    case PdmWidth: return pageUnits().width();
    case PdmHeight: return pageUnits().height();
    // Hundredths of an inch to millimetres: × 0.254.
    case PdmWidthMM: return (pageHundredths_.width() * 254 + 500) / 1000;
    case PdmHeightMM: return (pageHundredths_.height() * 254 + 500) / 1000;
    case PdmNumColors: return INT_MAX;
    case PdmDepth: return 24;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY: return kUnitsPerInch;
    case PdmDevicePixelRatio: return 1;
    default: return QPaintDevice::metric(metric);
  }
}

QByteArray RenderToMetafile(QSize pageHundredths, MetafileDevice::Format format,
                            const std::function<void(QPainter&)>& draw) {
  MetafileDevice device(pageHundredths, format);
  QPainter painter;
  if (painter.begin(&device)) {
    painter.scale(MetafileDevice::kUnitsPerHundredth, MetafileDevice::kUnitsPerHundredth);
    if (draw) draw(painter);
    painter.end();
  }
  return device.bytes();
}

}  // namespace report
