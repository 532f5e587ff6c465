#include "report/render/metafileemfwriter_p.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>

#include <uemf.h>

#include "report/render/metafiledevice.h"

namespace report {
namespace {

// libuemf lays records out in host byte order; metafiles are little-endian.
static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "metafile records are written in host byte order");

constexpr int kUnitsPerInch = MetafileDevice::kUnitsPerInch;
// The reference device has exactly 600 pixels per inch: 3000 pixels on every
// 127 mm (5 inches), as many as cover the page.
constexpr int kDeviceStepMm = 127;
constexpr int kDeviceStepPixels = 3000;

struct FreeRecord {
  void operator()(void* p) const { std::free(p); }
};

U_COLORREF ColorRef(QRgb c) { return colorref3_set(qRed(c), qGreen(c), qBlue(c)); }
U_POINTL PointL(QPoint p) { return point32_set(p.x(), p.y()); }
U_RECTL RectL(int left, int top, int right, int bottom) {
  return U_RECTL{left, top, right, bottom};
}

// Inclusive bounds of what a shape covers, its outline included.
U_RECTL Bounds(const QList<QPoint>& points, int penWidth) {
  int l = points.first().x(), r = l, t = points.first().y(), b = t;
  for (QPoint p : points) {
    l = std::min(l, p.x());
    r = std::max(r, p.x());
    t = std::min(t, p.y());
    b = std::max(b, p.y());
  }
  const int grow = penWidth / 2;
  return RectL(l - grow, t - grow, r + grow, b + grow);
}

QList<U_POINTL> PointsL(const QList<QPoint>& points) {
  QList<U_POINTL> out;
  out.reserve(points.size());
  for (QPoint p : points) out.append(PointL(p));
  return out;
}

}  // namespace

MetafileEmfWriter::MetafileEmfWriter(QSize pageUnits) : MetafileWriter(1'000'000, 1) {
  const int w = std::max(1, pageUnits.width()), h = std::max(1, pageUnits.height());
  // The frame is the page in hundredths of a millimetre; the bounds are the page
  // in device pixels, both inclusive.
  const auto hmm = [](int units) { return static_cast<int>(std::lround(units * 2540.0 / kUnitsPerInch)); };
  const U_RECTL bounds = RectL(0, 0, w - 1, h - 1);
  const U_RECTL frame = RectL(0, 0, hmm(w), hmm(h));
  const auto steps = [](int units) { return (units + kDeviceStepPixels - 1) / kDeviceStepPixels; };
  const U_SIZEL device = sizel_set(steps(w) * kDeviceStepPixels, steps(h) * kDeviceStepPixels);
  const U_SIZEL millimetres = sizel_set(steps(w) * kDeviceStepMm, steps(h) * kDeviceStepMm);
  std::unique_ptr<char, FreeRecord> header(
      U_EMRHEADER_set(bounds, frame, nullptr, 0, nullptr, device, millimetres, 0));
  if (header) {
    auto* h = reinterpret_cast<U_EMRHEADER*>(header.get());
    if (h->emr.nSize >= sizeof(U_EMRHEADER))
      h->szlMicrometers = sizel_set(millimetres.cx * 1000, millimetres.cy * 1000);
  }
  append(header.release());
  // Text is drawn at its baseline, without a background box; images replace
  // what is under them pixel for pixel.
  append(U_EMRSETBKMODE_set(U_TRANSPARENT));
  append(U_EMRSETTEXTALIGN_set(U_TA_BASELINE | U_TA_LEFT | U_TA_NOUPDATECP));
  append(U_EMRSETSTRETCHBLTMODE_set(U_COLORONCOLOR));
}

void MetafileEmfWriter::append(char* record) {
  std::unique_ptr<char, FreeRecord> owned(record);
  if (!record) return;
  const auto* emr = reinterpret_cast<const U_EMR*>(record);
  data_.append(record, emr->nSize);
  ++records_;
}

// Lines of one unit are cosmetic: the player draws them one device pixel wide
// whatever the scale. Wider lines are geometric, with the caps and joins of the
// pen; their dashes scale with the width.
void MetafileEmfWriter::writeCreatePen(int handle, const MetafilePen& pen) {
  const bool geometric = pen.width > 1 && pen.style != U_PS_NULL;
  const uint32_t style = geometric ? U_PS_GEOMETRIC | pen.style | pen.cap | pen.join : U_PS_COSMETIC | pen.style;
  std::unique_ptr<U_EXTLOGPEN, FreeRecord> elp(
      extlogpen_set(style, geometric ? pen.width : 1, U_BS_SOLID, ColorRef(pen.color), 0, 0, nullptr));
  if (elp) append(U_EMREXTCREATEPEN_set(handle, nullptr, 0, nullptr, elp.get()));
}

void MetafileEmfWriter::writeCreateBrush(int handle, const MetafileBrush& brush) {
  append(U_EMRCREATEBRUSHINDIRECT_set(handle, logbrush_set(brush.style, ColorRef(brush.color), brush.hatch)));
}

void MetafileEmfWriter::writeCreateFont(int handle, const MetafileFont& font) {
  U_LOGFONT_PANOSE elf;
  std::memset(&elf, 0, sizeof elf);
  U_LOGFONT& lf = elf.elfLogFont;
  lf.lfHeight = font.height;
  lf.lfEscapement = font.escapement;
  lf.lfOrientation = font.escapement;
  lf.lfWeight = font.weight;
  lf.lfItalic = font.italic;
  lf.lfUnderline = font.underline;
  lf.lfStrikeOut = font.strikeOut;
  lf.lfCharSet = static_cast<uint8_t>(font.charset);
  lf.lfOutPrecision = U_OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = U_CLIP_DEFAULT_PRECIS;
  lf.lfQuality = U_DEFAULT_QUALITY;
  lf.lfPitchAndFamily = static_cast<uint8_t>(font.pitchAndFamily);
  // The face name holds at most 31 units and its terminating zero.
  const qsizetype n = std::min<qsizetype>(font.face.size(), U_LF_FACESIZE - 1);
  for (qsizetype i = 0; i < n; ++i) lf.lfFaceName[i] = font.face.at(i).unicode();
  append(U_EMREXTCREATEFONTINDIRECTW_set(handle, nullptr, reinterpret_cast<const char*>(&elf)));
}

void MetafileEmfWriter::writeSelect(int handle) { append(U_EMRSELECTOBJECT_set(handle)); }
void MetafileEmfWriter::writeDelete(int handle) { append(U_EMRDELETEOBJECT_set(handle)); }
void MetafileEmfWriter::writeTextColor(QRgb color) { append(U_EMRSETTEXTCOLOR_set(ColorRef(color))); }

void MetafileEmfWriter::writePolyFillMode(bool winding) {
  append(U_EMRSETPOLYFILLMODE_set(winding ? U_WINDING : U_ALTERNATE));
}

void MetafileEmfWriter::writePolyline(const QList<QPoint>& points, int penWidth) {
  const QList<U_POINTL> p = PointsL(points);
  append(U_EMRPOLYLINE_set(Bounds(points, penWidth), static_cast<uint32_t>(p.size()), p.constData()));
}

void MetafileEmfWriter::writePolyPolygon(const QList<QList<QPoint>>& polygons, int penWidth) {
  QList<QPoint> all;
  QList<uint32_t> counts;
  for (const QList<QPoint>& polygon : polygons) {
    all += polygon;
    counts.append(static_cast<uint32_t>(polygon.size()));
  }
  const QList<U_POINTL> p = PointsL(all);
  if (counts.size() == 1)
    append(U_EMRPOLYGON_set(Bounds(all, penWidth), counts.first(), p.constData()));
  else
    append(U_EMRPOLYPOLYGON_set(Bounds(all, penWidth), static_cast<uint32_t>(counts.size()), counts.constData(),
                                static_cast<uint32_t>(p.size()), p.constData()));
}

void MetafileEmfWriter::writeRectangle(const QRect& rect, int) {
  append(U_EMRRECTANGLE_set(RectL(rect.left(), rect.top(), rect.right(), rect.bottom())));
}

void MetafileEmfWriter::writeEllipse(const QRect& rect, int) {
  append(U_EMRELLIPSE_set(RectL(rect.left(), rect.top(), rect.right(), rect.bottom())));
}

// Unicode text in one record. The advances go along the baseline, so the text
// keeps the width it was laid out with even where the player's font differs.
void MetafileEmfWriter::writeText(const MetafileText& text) {
  MetafileFont font = text.font;
  font.charset = U_DEFAULT_CHARSET;
  useFont(font);
  useTextColor(text.color);
  const qsizetype n = text.text.size();
  QList<uint32_t> dx(n);
  QList<uint16_t> chars(n);
  qreal sum = 0;
  qint64 placed = 0;
  for (qsizetype i = 0; i < n; ++i) {
    sum += text.advances.at(i);
    const qint64 next = std::llround(std::clamp<qreal>(sum, -1e9, 1e9));
    dx[i] = static_cast<uint32_t>(static_cast<int32_t>(next - placed));
    placed = next;
    chars[i] = text.text.at(i).unicode();
  }
  std::unique_ptr<char, FreeRecord> emrtext(emrtext_set(PointL(units(text.origin)), static_cast<U_NUM_STR>(n), 2,
                                                        chars.data(), U_ETO_NONE, U_RCL_DEF, dx.data()));
  if (!emrtext) return;
  // Scale of page units to hundredths of a millimetre, for players of the
  // compatible graphics mode.
  const float scale = 2540.0F / kUnitsPerInch;
  append(U_EMREXTTEXTOUTW_set(U_RCL_DEF, U_GM_COMPATIBLE, scale, scale,
                              reinterpret_cast<PU_EMRTEXT>(emrtext.get())));
}

void MetafileEmfWriter::writeImage(const QRect& target, QSize size, const QByteArray& dib, const QByteArray& bits) {
  U_BITMAPINFO bmi;
  std::memset(&bmi, 0, sizeof bmi);
  std::memcpy(&bmi.bmiHeader, dib.constData(), std::min<std::size_t>(dib.size(), sizeof bmi.bmiHeader));
  const U_RECTL bounds = RectL(target.left(), target.top(), target.right(), target.bottom());
  append(U_EMRSTRETCHDIBITS_set(bounds, point32_set(target.left(), target.top()),
                                point32_set(target.width(), target.height()), point32_set(0, 0),
                                point32_set(size.width(), size.height()), U_DIB_RGB_COLORS, U_SRCCOPY, &bmi,
                                static_cast<uint32_t>(bits.size()), const_cast<char*>(bits.constData())));
}

void MetafileEmfWriter::writeSaveDc() { append(U_EMRSAVEDC_set()); }
void MetafileEmfWriter::writeRestoreDc() { append(U_EMRRESTOREDC_set(-1)); }

void MetafileEmfWriter::writeIntersectClip(const QRect& rect) {
  append(U_EMRINTERSECTCLIPRECT_set(RectL(rect.left(), rect.top(), rect.right(), rect.bottom())));
}

QByteArray MetafileEmfWriter::writeEnd(int objectCount) {
  // The end record: no palette; its last field repeats the record size.
  U_EMREOF eof{};
  eof.emr.iType = U_EMR_EOF;
  eof.emr.nSize = sizeof eof + sizeof(uint32_t);
  eof.cbPalEntries = 0;
  eof.offPalEntries = sizeof eof;
  const uint32_t sizeLast = eof.emr.nSize;
  data_.append(reinterpret_cast<const char*>(&eof), sizeof eof);
  data_.append(reinterpret_cast<const char*>(&sizeLast), sizeof sizeLast);
  ++records_;
  auto* header = reinterpret_cast<U_EMRHEADER*>(data_.data());
  if (header->emr.iType != U_EMR_HEADER) return {};
  header->nBytes = static_cast<uint32_t>(data_.size());
  header->nRecords = records_;
  // Entry 0 of the object table is reserved for the metafile itself.
  header->nHandles = static_cast<uint16_t>(std::min(objectCount + 1, 0xFFFF));
  return data_;
}

}  // namespace report
