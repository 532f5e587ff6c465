// The paint engine of MetafileDevice. It takes the painter's world transform
// onto the coordinates itself, so both formats get shapes in metafile units:
// rectangles and ellipses stay such while the transform keeps them upright and
// become polygons otherwise; paths become polygons; text keeps its reference
// point and turns by the font's escapement.
#pragma once

#include <QBrush>
#include <QPaintEngine>
#include <QPen>
#include <QTransform>

#include <memory>

#include "report/render/metafilewriter_p.h"

namespace report {

class MetafileDevice;

class MetafileEngine final : public QPaintEngine {
 public:
  explicit MetafileEngine(MetafileDevice* device);
  ~MetafileEngine() override;

  bool begin(QPaintDevice* device) override;
  bool end() override;
  // Closes the file now; drawing until end() is dropped.
  void finish();

  void updateState(const QPaintEngineState& state) override;

  using QPaintEngine::drawEllipse;
  using QPaintEngine::drawLines;
  using QPaintEngine::drawPolygon;
  using QPaintEngine::drawRects;
  void drawLines(const QLineF* lines, int lineCount) override;
  void drawRects(const QRectF* rects, int rectCount) override;
  void drawEllipse(const QRectF& rect) override;
  void drawPolygon(const QPointF* points, int pointCount, PolygonDrawMode mode) override;
  void drawPath(const QPainterPath& path) override;
  void drawPixmap(const QRectF& target, const QPixmap& pixmap, const QRectF& source) override;
  void drawImage(const QRectF& target, const QImage& image, const QRectF& source,
                 Qt::ImageConversionFlags flags) override;
  void drawTextItem(const QPointF& p, const QTextItem& textItem) override;

  Type type() const override { return QPaintEngine::User; }

 private:
  MetafilePen metafilePen() const;
  MetafileBrush metafileBrush() const;
  // The transform keeps rectangles upright (scale and translation only).
  bool upright() const { return transform_.type() <= QTransform::TxScale; }
  void updateClip();

  MetafileDevice* device_;
  std::unique_ptr<MetafileWriter> writer_;
  QPen pen_;
  QBrush brush_;
  QTransform transform_;
};

}  // namespace report
