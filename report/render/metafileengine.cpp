#include "report/render/metafileengine_p.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QTextItem>

#include <algorithm>
#include <cmath>
#include <numbers>

#include <uemf.h>

#include "report/render/metafiledevice.h"
#include "report/render/metafileemfwriter_p.h"
#include "report/render/metafilewmfwriter_p.h"

namespace report {
namespace {

// Images are scaled down to at most this many pixels a side and in all before
// they are stored, and never kept finer than the metafile units they cover.
constexpr int kMaxImageSide = 8000;
constexpr qint64 kMaxImagePixels = qint64(4000) * 4000;
// Longest text of one record, in UTF-16 units.
constexpr qsizetype kMaxTextLength = 32767;

// How much the transform enlarges lengths (for pen widths).
qreal Scale(const QTransform& t) { return std::sqrt(std::abs(t.determinant())); }

int HatchOf(Qt::BrushStyle style) {
  switch (style) {
    case Qt::HorPattern: return U_HS_HORIZONTAL;
    case Qt::VerPattern: return U_HS_VERTICAL;
    case Qt::CrossPattern: return U_HS_CROSS;
    case Qt::BDiagPattern: return U_HS_BDIAGONAL;  // lines rising to the right
    case Qt::FDiagPattern: return U_HS_FDIAGONAL;  // lines falling to the right
    case Qt::DiagCrossPattern: return U_HS_DIAGCROSS;
    default: return -1;
  }
}

int PitchAndFamily(const QFont& font) {
  int family = U_FF_DONTCARE;
  switch (font.styleHint()) {
    case QFont::Serif: family = U_FF_ROMAN; break;
    case QFont::SansSerif: family = U_FF_SWISS; break;
    case QFont::TypeWriter:
    case QFont::Monospace: family = U_FF_MODERN; break;
    case QFont::Cursive: family = U_FF_SCRIPT; break;
    case QFont::Decorative:
    case QFont::Fantasy: family = U_FF_DECORATIVE; break;
    default: break;
  }
  return family | (font.fixedPitch() ? U_FIXED_PITCH : U_DEFAULT_PITCH);
}

// An image no larger than the limits and than size (in pixels, when given).
QImage Reduced(const QImage& image, QSizeF size = {}) {
  QSize limit(kMaxImageSide, kMaxImageSide);
  // (A hair under a whole unit is that unit: the sizes come out of transforms.)
  const auto whole = [](qreal v) { return std::max(1, int(std::min<qreal>(std::ceil(v - 1e-6), kMaxImageSide))); };
  if (size.isValid()) limit = limit.boundedTo(QSize(whole(size.width()), whole(size.height())));
  QSize wanted = image.size().boundedTo(limit);
  if (qint64(wanted.width()) * wanted.height() > kMaxImagePixels) {
    const qreal f = std::sqrt(qreal(kMaxImagePixels) / (qreal(wanted.width()) * wanted.height()));
    wanted = QSize(std::max(1, int(wanted.width() * f)), std::max(1, int(wanted.height() * f)));
  }
  if (wanted == image.size()) return image;
  return image.scaled(wanted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

}  // namespace

MetafileEngine::MetafileEngine(MetafileDevice* device) : QPaintEngine(AllFeatures), device_(device) {}

MetafileEngine::~MetafileEngine() = default;

bool MetafileEngine::begin(QPaintDevice*) {
  if (device_->format() == MetafileDevice::Format::Enhanced)
    writer_ = std::make_unique<MetafileEmfWriter>(device_->pageUnits());
  else
    writer_ = std::make_unique<MetafileWmfWriter>(device_->pageUnits());
  pen_ = QPen();
  brush_ = QBrush();
  transform_ = QTransform();
  return true;
}

bool MetafileEngine::end() {
  finish();
  return true;
}

void MetafileEngine::finish() {
  if (!writer_) return;
  device_->setBytes(writer_->finish());
  writer_.reset();
}

void MetafileEngine::updateState(const QPaintEngineState& state) {
  const DirtyFlags flags = state.state();
  if (flags & DirtyPen) pen_ = state.pen();
  if (flags & DirtyBrush) brush_ = state.brush();
  if (flags & DirtyTransform) transform_ = state.transform();
  if (flags & (DirtyClipPath | DirtyClipRegion | DirtyClipEnabled)) updateClip();
}

// The clip, in device coordinates, is reduced to its bounding rectangle: that is
// what a report page sets (boxes of text), and it is the one clip both formats
// keep exactly under any player.
void MetafileEngine::updateClip() {
  if (!writer_) return;
  QPainter* p = painter();
  if (!p || !p->hasClipping()) {
    writer_->setClip(std::nullopt);
    return;
  }
  const QRectF r = p->deviceTransform().map(p->clipPath()).boundingRect();
  const int limit = writer_->coordinateLimit();
  const auto clamp = [limit](qreal v) {
    return std::isfinite(v) ? int(std::clamp<qreal>(v, -limit, limit)) : 0;
  };
  writer_->setClip(QRect(QPoint(clamp(std::floor(r.left())), clamp(std::floor(r.top()))),
                         QPoint(clamp(std::ceil(r.right())), clamp(std::ceil(r.bottom())))));
}

MetafilePen MetafileEngine::metafilePen() const {
  MetafilePen pen;
  const QColor color = pen_.color();
  if (pen_.style() == Qt::NoPen || pen_.brush().style() == Qt::NoBrush || color.alpha() == 0) {
    pen.style = U_PS_NULL;
    return pen;
  }
  switch (pen_.style()) {
    case Qt::DashLine:
    case Qt::CustomDashLine: pen.style = U_PS_DASH; break;
    case Qt::DotLine: pen.style = U_PS_DOT; break;
    case Qt::DashDotLine: pen.style = U_PS_DASHDOT; break;
    case Qt::DashDotDotLine: pen.style = U_PS_DASHDOTDOT; break;
    default: pen.style = U_PS_SOLID; break;
  }
  pen.color = color.rgb();
  // A cosmetic pen is one device pixel wide, so is the thinnest line the player draws.
  if (!pen_.isCosmetic()) {
    const qreal w = pen_.widthF() * Scale(transform_);
    pen.width = std::isfinite(w) ? int(std::lround(std::clamp<qreal>(w, 1, 32767))) : 1;
  }
  switch (pen_.capStyle()) {
    case Qt::FlatCap: pen.cap = U_PS_ENDCAP_FLAT; break;
    case Qt::RoundCap: pen.cap = U_PS_ENDCAP_ROUND; break;
    default: pen.cap = U_PS_ENDCAP_SQUARE; break;
  }
  switch (pen_.joinStyle()) {
    case Qt::RoundJoin: pen.join = U_PS_JOIN_ROUND; break;
    case Qt::BevelJoin: pen.join = U_PS_JOIN_BEVEL; break;
    default: pen.join = U_PS_JOIN_MITER; break;
  }
  return pen;
}

// Solid colours and the six hatches are kept; any other fill (dense patterns,
// gradients, textures) becomes the solid colour of the brush.
MetafileBrush MetafileEngine::metafileBrush() const {
  MetafileBrush brush;
  const Qt::BrushStyle style = brush_.style();
  QColor color = brush_.color();
  if (const QGradient* g = brush_.gradient(); g && !g->stops().isEmpty()) color = g->stops().first().second;
  if (style == Qt::NoBrush || color.alpha() == 0) {
    brush.style = U_BS_NULL;
    return brush;
  }
  brush.color = color.rgb();
  const int hatch = HatchOf(style);
  brush.style = hatch >= 0 ? U_BS_HATCHED : U_BS_SOLID;
  brush.hatch = std::max(hatch, 0);
  return brush;
}

void MetafileEngine::drawLines(const QLineF* lines, int lineCount) {
  if (!writer_ || !lines) return;
  const MetafilePen pen = metafilePen();
  for (int i = 0; i < lineCount; ++i)
    writer_->drawPolyline(QPolygonF{transform_.map(lines[i].p1()), transform_.map(lines[i].p2())}, pen);
}

void MetafileEngine::drawRects(const QRectF* rects, int rectCount) {
  if (!writer_ || !rects) return;
  const MetafilePen pen = metafilePen();
  const MetafileBrush brush = metafileBrush();
  for (int i = 0; i < rectCount; ++i) {
    if (upright())
      writer_->drawRectangle(transform_.mapRect(rects[i]), pen, brush);
    else
      writer_->drawPolygons({transform_.map(QPolygonF(rects[i]))}, false, pen, brush);
  }
}

void MetafileEngine::drawEllipse(const QRectF& rect) {
  if (!writer_) return;
  if (upright()) {
    writer_->drawEllipse(transform_.mapRect(rect), metafilePen(), metafileBrush());
    return;
  }
  QPainterPath path;
  path.addEllipse(rect);
  drawPath(path);
}

void MetafileEngine::drawPolygon(const QPointF* points, int pointCount, PolygonDrawMode mode) {
  if (!writer_ || !points || pointCount < 2) return;
  QPolygonF polygon(pointCount);
  std::copy_n(points, pointCount, polygon.begin());
  polygon = transform_.map(polygon);
  if (mode == PolylineMode)
    writer_->drawPolyline(polygon, metafilePen());
  else
    writer_->drawPolygons({polygon}, mode == WindingMode, metafilePen(), metafileBrush());
}

// Curves are flattened by Qt in metafile units. Closed figures are filled and
// outlined by one record; open ones are filled as if closed (as Qt fills them)
// and then stroked as lines.
void MetafileEngine::drawPath(const QPainterPath& path) {
  if (!writer_ || path.isEmpty()) return;
  const QList<QPolygonF> polygons = path.toSubpathPolygons(transform_);
  const bool closed = std::all_of(polygons.cbegin(), polygons.cend(), [](const QPolygonF& p) {
    return p.size() > 2 && p.first() == p.last();
  });
  const MetafilePen pen = metafilePen();
  const MetafileBrush brush = metafileBrush();
  const bool winding = path.fillRule() == Qt::WindingFill;
  if (closed) {
    writer_->drawPolygons(polygons, winding, pen, brush);
    return;
  }
  MetafilePen none;
  none.style = U_PS_NULL;
  writer_->drawPolygons(polygons, winding, none, brush);
  for (const QPolygonF& polygon : polygons) writer_->drawPolyline(polygon, pen);
}

void MetafileEngine::drawPixmap(const QRectF& target, const QPixmap& pixmap, const QRectF& source) {
  if (!writer_ || pixmap.isNull()) return;
  drawImage(target, pixmap.toImage(), source, Qt::AutoColor);
}

// An upright image keeps its pixels (mirrored when the transform mirrors); a
// turned one is turned in its pixels first and covers its bounding box, where
// the corners it leaves are white.
void MetafileEngine::drawImage(const QRectF& target, const QImage& image, const QRectF& source,
                               Qt::ImageConversionFlags) {
  if (!writer_ || image.isNull() || target.isEmpty()) return;
  const QRect part = source.toAlignedRect() & image.rect();
  if (part.isEmpty()) return;
  QImage pixels = Reduced(part == image.rect() ? image : image.copy(part));
  // Pixels of the image to metafile units.
  const QTransform toDevice = QTransform::fromScale(target.width() / pixels.width(), target.height() / pixels.height()) *
                              QTransform::fromTranslate(target.x(), target.y()) * transform_;
  const QRectF box = toDevice.mapRect(QRectF(pixels.rect()));
  if (toDevice.type() <= QTransform::TxScale) {
    const bool mirrorX = toDevice.m11() < 0, mirrorY = toDevice.m22() < 0;
    if (mirrorX || mirrorY) pixels = pixels.mirrored(mirrorX, mirrorY);
  } else {
    // The turn alone, at about the image's own resolution.
    QTransform turn(toDevice.m11(), toDevice.m12(), toDevice.m21(), toDevice.m22(), 0, 0);
    const qreal s = Scale(turn);
    if (!(s > 0) || !std::isfinite(s)) return;
    turn *= QTransform::fromScale(1 / s, 1 / s);
    pixels = Reduced(pixels.transformed(turn, Qt::SmoothTransformation));
  }
  writer_->drawImage(box, Reduced(pixels, box.size()));
}

// The text is written as it was laid out: the font's em height and turn come
// from the transform, and the advance of every character is given, scaled so
// the line keeps the width Qt gave it.
void MetafileEngine::drawTextItem(const QPointF& p, const QTextItem& textItem) {
  if (!writer_ || pen_.style() == Qt::NoPen || pen_.color().alpha() == 0) return;
  QString text = textItem.text();
  if (text.size() > kMaxTextLength) text.truncate(kMaxTextLength - (text.at(kMaxTextLength - 1).isHighSurrogate() ? 1 : 0));
  if (text.isEmpty()) return;
  const QFont font = textItem.font();
  const qreal sx = std::hypot(transform_.m11(), transform_.m12());
  if (!(sx > 0) || !std::isfinite(sx)) return;
  const qreal sy = std::abs(transform_.determinant()) / sx;
  const qreal em = font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF() * MetafileDevice::kUnitsPerInch / 72.0;

  MetafileText out;
  out.text = text;
  out.origin = transform_.map(p);
  out.direction = QPointF(transform_.m11() / sx, transform_.m12() / sx);
  out.color = pen_.color().rgb();
  MetafileFont& f = out.font;
  f.face = font.family();
  const qreal height = em * sy;
  f.height = -int(std::lround(std::isfinite(height) ? std::clamp<qreal>(height, 1, 1e6) : 1));
  // Escapement turns counter-clockwise as seen on the page, whose y axis points down.
  const qreal degrees = std::atan2(-transform_.m12(), transform_.m11()) * 180 / std::numbers::pi;
  f.escapement = int(std::lround(degrees * 10)) % 3600;
  if (f.escapement < 0) f.escapement += 3600;
  f.weight = std::clamp(int(font.weight()), 1, 1000);
  f.italic = font.italic();
  f.underline = font.underline() || (textItem.renderFlags() & QTextItem::Underline);
  f.strikeOut = font.strikeOut() || (textItem.renderFlags() & QTextItem::StrikeOut);
  f.pitchAndFamily = PitchAndFamily(font);

  const QFontMetricsF metrics(font, device_);
  out.advances.resize(text.size());
  qreal sum = 0;
  for (qsizetype i = 0; i < text.size(); ++i) {
    qreal a = 0;
    if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
      a = metrics.horizontalAdvance(text.mid(i, 2));
    else if (!text.at(i).isLowSurrogate() || i == 0 || !text.at(i - 1).isHighSurrogate())
      a = metrics.horizontalAdvance(text.at(i));
    out.advances[i] = a;
    sum += a;
  }
  const qreal factor = sum > 0 && textItem.width() > 0 ? textItem.width() / sum : 1;
  for (qreal& a : out.advances) a *= factor * sx;
  writer_->drawText(out);
}

}  // namespace report
