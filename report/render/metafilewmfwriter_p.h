// Records of a plain Windows metafile with the placeable header (WMF), built
// with libuemf. Coordinates are 16-bit; text is 8-bit in the code page of the
// font's character set.
#pragma once

#include <QByteArray>
#include <QSize>

#include "report/render/metafilewriter_p.h"

namespace report {

class MetafileWmfWriter final : public MetafileWriter {
 public:
  // pageUnits: the page in metafile units (1/600 inch), at most 32767 each way.
  explicit MetafileWmfWriter(QSize pageUnits);

 protected:
  void writeCreatePen(int handle, const MetafilePen& pen) override;
  void writeCreateBrush(int handle, const MetafileBrush& brush) override;
  void writeCreateFont(int handle, const MetafileFont& font) override;
  void writeSelect(int handle) override;
  void writeDelete(int handle) override;
  void writeTextColor(QRgb color) override;
  void writePolyFillMode(bool winding) override;
  void writePolyline(const QList<QPoint>& points, int penWidth) override;
  void writePolyPolygon(const QList<QList<QPoint>>& polygons, int penWidth) override;
  void writeRectangle(const QRect& rect, int penWidth) override;
  void writeEllipse(const QRect& rect, int penWidth) override;
  void writeText(const MetafileText& text) override;
  void writeImage(const QRect& target, QSize size, const QByteArray& dib, const QByteArray& bits) override;
  void writeSaveDc() override;
  void writeRestoreDc() override;
  void writeIntersectClip(const QRect& rect) override;
  QByteArray writeEnd(int objectCount) override;

 private:
  // Appends a record made by libuemf and frees it; a record that could not be
  // made (null) is left out.
  void append(char* record);

  QByteArray data_;
  quint32 largestRecordWords_ = 0;
};

}  // namespace report
