#include "report/render/metafilewriter_p.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

#include <uemf.h>

namespace report {
namespace {

bool Finite(QPointF p) { return std::isfinite(p.x()) && std::isfinite(p.y()); }

int Clamped(qreal v, int limit) {
  return static_cast<int>(std::lround(std::clamp(v, -static_cast<qreal>(limit), static_cast<qreal>(limit))));
}

// Rows of a 24-bit DIB are padded to whole 32-bit words.
int DibStride(int width) { return (width * 3 + 3) / 4 * 4; }

}  // namespace

bool MetafilePen::visible() const { return style != U_PS_NULL; }
bool MetafileBrush::visible() const { return style != U_BS_NULL; }

MetafileWriter::MetafileWriter(int coordinateLimit, int firstHandle)
    : limit_(coordinateLimit), firstHandle_(firstHandle) {}

MetafileWriter::~MetafileWriter() = default;

QPoint MetafileWriter::units(QPointF p) const { return {Clamped(p.x(), limit_), Clamped(p.y(), limit_)}; }

QRect MetafileWriter::units(const QRectF& r) const {
  const QRectF n = r.normalized();
  return QRect(units(n.topLeft()), units(n.bottomRight()));
}

void MetafileWriter::drawPolyline(const QPolygonF& points, const MetafilePen& pen) {
  if (finished_ || !pen.visible() || points.size() < 2) return;
  QList<QPoint> out;
  out.reserve(points.size());
  for (QPointF p : points) {
    if (!Finite(p)) return;
    out.append(units(p));
  }
  usePen(pen);
  writePolyline(out, pen.width);
}

void MetafileWriter::drawPolygons(const QList<QPolygonF>& polygons, bool winding, const MetafilePen& pen,
                                  const MetafileBrush& brush) {
  if (finished_ || (!pen.visible() && !brush.visible())) return;
  QList<QList<QPoint>> out;
  for (const QPolygonF& polygon : polygons) {
    QList<QPoint> points;
    points.reserve(polygon.size());
    for (QPointF p : polygon) {
      if (!Finite(p)) return;
      points.append(units(p));
    }
    // A closing point equal to the first one is implied by the polygon records.
    if (points.size() > 1 && points.first() == points.last()) points.removeLast();
    if (points.size() >= 2) out.append(points);
  }
  if (out.isEmpty()) return;
  usePen(pen);
  useBrush(brush);
  if (brush.visible()) useFillMode(winding);
  writePolyPolygon(out, pen.width);
}

void MetafileWriter::drawRectangle(const QRectF& rect, const MetafilePen& pen, const MetafileBrush& brush) {
  if (finished_ || (!pen.visible() && !brush.visible())) return;
  if (!Finite(rect.topLeft()) || !Finite(rect.bottomRight())) return;
  usePen(pen);
  useBrush(brush);
  writeRectangle(units(rect), pen.width);
}

void MetafileWriter::drawEllipse(const QRectF& rect, const MetafilePen& pen, const MetafileBrush& brush) {
  if (finished_ || (!pen.visible() && !brush.visible())) return;
  if (!Finite(rect.topLeft()) || !Finite(rect.bottomRight())) return;
  usePen(pen);
  useBrush(brush);
  writeEllipse(units(rect), pen.width);
}

void MetafileWriter::drawText(const MetafileText& text) {
  if (finished_ || text.text.isEmpty() || text.advances.size() != text.text.size()) return;
  if (!Finite(text.origin) || !Finite(text.direction)) return;
  for (qreal a : text.advances)
    if (!std::isfinite(a)) return;
  writeText(text);
}

void MetafileWriter::drawImage(const QRectF& target, const QImage& image) {
  if (finished_ || image.isNull() || !Finite(target.topLeft()) || !Finite(target.bottomRight())) return;
  const QRectF n = target.normalized();
  const QRect box(units(n.topLeft()), units(n.bottomRight()) - QPoint(1, 1));
  if (box.isEmpty()) return;
  // Transparent parts show the white of the page: the bitmap has no alpha.
  QImage opaque(image.size(), QImage::Format_RGB32);
  opaque.fill(Qt::white);
  {
    QPainter p(&opaque);
    p.drawImage(0, 0, image);
  }
  const QImage bgr = opaque.convertToFormat(QImage::Format_BGR888);
  const int w = bgr.width(), h = bgr.height(), stride = DibStride(w);
  QByteArray bits(qsizetype(stride) * h, '\0');
  for (int y = 0; y < h; ++y)  // bottom-up rows
    std::copy_n(bgr.constScanLine(y), w * 3, bits.data() + qsizetype(h - 1 - y) * stride);
  const U_BITMAPINFOHEADER header = bitmapinfoheader_set(w, h, 1, U_BCBM_COLOR24, U_BI_RGB,
                                                         static_cast<uint32_t>(bits.size()), 0, 0, 0, 0);
  const QByteArray dib(reinterpret_cast<const char*>(&header), sizeof header);
  writeImage(box, bgr.size(), dib, bits);
}

void MetafileWriter::setClip(const std::optional<QRect>& rect) {
  if (finished_ || rect == clip_) return;
  if (saved_) {
    // The context returns to the state at the save: what was selected then is
    // selected again, and objects made since are no longer in use.
    writeRestoreDc();
    dropAfterRestore(state_.pen, saved_->pen);
    dropAfterRestore(state_.brush, saved_->brush);
    dropAfterRestore(state_.font, saved_->font);
    state_ = *saved_;
    saved_.reset();
  }
  if (rect) {
    writeSaveDc();
    saved_ = state_;
    writeIntersectClip(*rect);
  }
  clip_ = rect;
}

QByteArray MetafileWriter::finish() {
  if (finished_) return {};
  setClip(std::nullopt);
  finished_ = true;
  return writeEnd(peakHandles_);
}

void MetafileWriter::useFont(const MetafileFont& font) {
  use(state_.font, saved_ ? &saved_->font : nullptr, font,
      [this](int handle, const MetafileFont& f) { writeCreateFont(handle, f); });
}

void MetafileWriter::useTextColor(QRgb color) {
  color &= RGB_MASK;
  if (state_.textColor == color) return;
  writeTextColor(color);
  state_.textColor = color;
}

void MetafileWriter::usePen(const MetafilePen& pen) {
  use(state_.pen, saved_ ? &saved_->pen : nullptr, pen,
      [this](int handle, const MetafilePen& p) { writeCreatePen(handle, p); });
}

void MetafileWriter::useBrush(const MetafileBrush& brush) {
  use(state_.brush, saved_ ? &saved_->brush : nullptr, brush,
      [this](int handle, const MetafileBrush& b) { writeCreateBrush(handle, b); });
}

// An object equal to the selected one is used again. A new one is created and
// selected, and the one it replaces is deleted at once, so the table never holds
// more than the objects in use; only an object selected when the context was
// saved stays until the restore selects it again.
template <typename T, typename Create>
void MetafileWriter::use(Slot<T>& slot, const Slot<T>* pinned, const T& value, Create create) {
  if (slot.value && *slot.value == value) {
    if (!slot.selected) {
      writeSelect(slot.handle);
      slot.selected = true;
    }
    return;
  }
  const int handle = allocateHandle();
  create(handle, value);
  writeSelect(handle);
  if (slot.handle >= 0 && !(pinned && pinned->handle == slot.handle)) {
    writeDelete(slot.handle);
    freeHandle(slot.handle);
  }
  slot.value = value;
  slot.handle = handle;
  slot.selected = true;
}

template <typename T>
void MetafileWriter::dropAfterRestore(Slot<T>& slot, const Slot<T>& saved) {
  if (slot.handle >= 0 && slot.handle != saved.handle) {
    writeDelete(slot.handle);
    freeHandle(slot.handle);
  }
}

void MetafileWriter::useFillMode(bool winding) {
  if (state_.winding == winding) return;
  writePolyFillMode(winding);
  state_.winding = winding;
}

// Both formats expect the lowest free entry of the object table to be taken:
// a plain metafile does not even name the entry in its create records.
int MetafileWriter::allocateHandle() {
  qsizetype i = handles_.indexOf(false);
  if (i < 0) {
    i = handles_.size();
    handles_.append(true);
  } else {
    handles_[i] = true;
  }
  peakHandles_ = std::max(peakHandles_, static_cast<int>(handles_.size()));
  return static_cast<int>(i) + firstHandle_;
}

void MetafileWriter::freeHandle(int handle) {
  const qsizetype i = handle - firstHandle_;
  if (i >= 0 && i < handles_.size()) handles_[i] = false;
}

}  // namespace report
