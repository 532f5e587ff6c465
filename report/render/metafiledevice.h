// A paint device that records one report page as a Windows metafile: an enhanced
// metafile (EMF) or a plain metafile with the placeable header (WMF).
//
// The page renderer draws in hundredths of an inch with the painter scaled by 6,
// so one metafile unit is 1/600 inch and the device reports 600 dpi: shapes,
// pen widths and font heights land in the file in those units. The file is made
// when the painter ends (or on finish()) and bytes() returns it whole.
#pragma once

#include <QByteArray>
#include <QPaintDevice>
#include <QSize>

#include <functional>
#include <memory>

class QPainter;

namespace report {

class MetafileEngine;

class MetafileDevice : public QPaintDevice {
 public:
  enum class Format {
    Enhanced,   // EMF: 32-bit records, Unicode text
    Placeable,  // WMF with the 22-byte placeable header, 16-bit coordinates
  };

  // Metafile units per inch, and per hundredth of an inch of the page.
  static constexpr int kUnitsPerInch = 600;
  static constexpr int kUnitsPerHundredth = kUnitsPerInch / 100;
  // Largest page side in hundredths of an inch: 16-bit plain metafile
  // coordinates hold 32767 units. Smaller sides become 1.
  static constexpr int kMaxPageHundredths = 32767 / kUnitsPerHundredth;

  // pageHundredths: page width and height in hundredths of an inch.
  MetafileDevice(QSize pageHundredths, Format format);
  ~MetafileDevice() override;
  MetafileDevice(const MetafileDevice&) = delete;
  MetafileDevice& operator=(const MetafileDevice&) = delete;

  Format format() const { return format_; }
  // The page as used (clamped to 1 … kMaxPageHundredths), in hundredths of an inch
  // and in metafile units.
  QSize pageHundredths() const { return pageHundredths_; }
  QSize pageUnits() const { return pageHundredths_ * kUnitsPerHundredth; }

  // Closes the file of the painter still drawing on the device; what it draws
  // afterwards is not recorded. Without such a painter nothing changes.
  void finish();
  // The complete file of the last painting; a blank page while nothing was painted.
  QByteArray bytes() const;

  QPaintEngine* paintEngine() const override;

 protected:
  int metric(PaintDeviceMetric metric) const override;

 private:
  friend class MetafileEngine;
  void setBytes(QByteArray bytes) { bytes_ = std::move(bytes); }

  Format format_;
  QSize pageHundredths_;
  QByteArray bytes_;
  std::unique_ptr<MetafileEngine> engine_;
};

// Draws one page into a metafile: the painter is set up in hundredths of an inch
// (scaled by 6 to metafile units) and the complete file is returned.
QByteArray RenderToMetafile(QSize pageHundredths, MetafileDevice::Format format,
                            const std::function<void(QPainter&)>& draw);

}  // namespace report
