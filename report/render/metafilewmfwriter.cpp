#include "report/render/metafilewmfwriter_p.h"

#include <QHash>
#include <QStringDecoder>
#include <QtEndian>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>

#include <uwmf.h>

#include "report/render/metafiledevice.h"

namespace report {
namespace {

// libuemf lays records out in host byte order; metafiles are little-endian.
static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "metafile records are written in host byte order");

constexpr quint32 kPlaceableKey = 0x9AC6CDD7;
constexpr int kPlaceableSize = 22;
constexpr int kHeaderSize = 18;
// Points in one polygon record and bytes in one text record: 16-bit counts.
constexpr qsizetype kMaxCount = 32767;

struct FreeRecord {
  void operator()(void* p) const { std::free(p); }
};

U_COLORREF ColorRef(QRgb c) { return colorref3_set(qRed(c), qGreen(c), qBlue(c)); }
int16_t Short(int v) { return static_cast<int16_t>(std::clamp(v, -32768, 32767)); }
U_POINT16 Point16(QPoint p) { return point16_set(Short(p.x()), Short(p.y())); }
U_RECT16 Rect16(const QRect& r) {
  return U_RECT16{Short(r.left()), Short(r.top()), Short(r.right()), Short(r.bottom())};
}

// Polygons longer than a record holds keep an evenly spread subset of points.
QList<U_POINT16> Points16(const QList<QPoint>& points) {
  QList<U_POINT16> out;
  const qsizetype n = points.size();
  const qsizetype kept = std::min(n, kMaxCount);
  out.reserve(kept);
  for (qsizetype i = 0; i < kept; ++i) out.append(Point16(points.at(kept == n ? i : i * (n - 1) / (kept - 1))));
  return out;
}

// A Windows code page of 8-bit text and the character set that selects it in a
// font. Bytes below 0x80 are ASCII in all of them.
struct CodePage {
  int charset;
  QHash<char16_t, char> bytes;  // characters from 0x80 up
  int byteOf(char16_t c) const {
    if (c < 0x80) return c;
    const auto it = bytes.constFind(c);
    return it == bytes.constEnd() ? -1 : static_cast<unsigned char>(*it);
  }
};

// In the order they are tried: Western first, as every Latin font has it, then
// Central European (the program's own), Greek, Cyrillic, Turkish, Baltic.
const QList<CodePage>& CodePages() {
  static const QList<CodePage> pages = [] {
    constexpr std::array<std::pair<const char*, int>, 6> kPages{{{"windows-1252", U_ANSI_CHARSET},
                                                                   {"windows-1250", U_EASTEUROPE_CHARSET},
                                                                   {"windows-1253", U_GREEK_CHARSET},
                                                                   {"windows-1251", U_RUSSIAN_CHARSET},
                                                                   {"windows-1254", U_TURKISH_CHARSET},
                                                                   {"windows-1257", U_BALTIC_CHARSET}}};
    QList<CodePage> out;
    for (const auto& [name, charset] : kPages) {
      CodePage page{charset, {}};
      QStringDecoder decoder(name);
      for (int b = 0x80; b <= 0xFF; ++b) {
        if (decoder.isValid()) {
          const QString s = decoder.decode(QByteArray(1, static_cast<char>(b)));
          if (s.size() == 1 && s.at(0) != QChar::ReplacementCharacter)
            page.bytes.insert(s.at(0).unicode(), static_cast<char>(b));
        } else if (charset == U_ANSI_CHARSET && b >= 0xA0) {
          page.bytes.insert(static_cast<char16_t>(b), static_cast<char>(b));  // Latin-1 part
        }
      }
      out.append(page);
    }
    return out;
  }();
  return pages;
}

// The code page that can write text[from] and the most characters after it;
// of equals, the preferred one (that of the font already selected).
int BestPage(QStringView text, qsizetype from, int preferred) {
  int best = -1;
  qsizetype bestLength = 0;
  const QList<CodePage>& pages = CodePages();
  for (int p = 0; p < pages.size(); ++p) {
    qsizetype length = 0;
    while (from + length < text.size() && pages[p].byteOf(text[from + length].unicode()) >= 0) ++length;
    if (length > bestLength || (length == bestLength && length > 0 && p == preferred)) {
      best = p;
      bestLength = length;
    }
  }
  return best;
}

int PageIndexOfCharset(int charset) {
  const QList<CodePage>& pages = CodePages();
  for (int p = 0; p < pages.size(); ++p)
    if (pages[p].charset == charset) return p;
  return -1;
}

// A piece of text in one code page: its bytes, their advances, and where along
// the baseline it starts.
struct Run {
  int page = -1;
  qreal start = 0;
  QByteArray bytes;
  QList<qreal> advances;
};

// Text that any code page writes (ASCII) stays in the preferred one.
QList<Run> SplitIntoRuns(const MetafileText& text, int preferred) {
  const QList<CodePage>& pages = CodePages();
  QList<Run> runs;
  Run run;
  qreal position = 0;
  const QString& s = text.text;
  for (qsizetype i = 0; i < s.size();) {
    const char16_t c = s[i].unicode();
    qreal advance = text.advances[i];
    int byte = -1;
    qsizetype length = 1;
    if (QChar::isHighSurrogate(c) && i + 1 < s.size() && QChar::isLowSurrogate(s[i + 1].unicode())) {
      advance += text.advances[i + 1];  // beyond every 8-bit code page
      length = 2;
      byte = '?';
    } else if (c < 0x80) {
      byte = c;
    } else if (run.page >= 0) {
      byte = pages[run.page].byteOf(c);
    }
    if (byte < 0) {
      const int page = BestPage(s, i, preferred);
      if (page < 0) {
        byte = '?';
      } else {
        if (run.page >= 0) {
          runs.append(run);
          run = Run{-1, position, {}, {}};
        }
        run.page = page;
        byte = pages[page].byteOf(c);
      }
    }
    if (run.bytes.size() >= kMaxCount) {
      runs.append(run);
      run = Run{run.page, position, {}, {}};
    }
    run.bytes.append(static_cast<char>(byte));
    run.advances.append(advance);
    position += advance;
    i += length;
  }
  runs.append(run);
  for (Run& r : runs)
    if (r.page < 0) r.page = std::max(preferred, 0);
  return runs;
}

void Put16(QByteArray& b, int at, quint16 v) { qToLittleEndian(v, b.data() + at); }
void Put32(QByteArray& b, int at, quint32 v) { qToLittleEndian(v, b.data() + at); }

}  // namespace

MetafileWmfWriter::MetafileWmfWriter(QSize pageUnits) : MetafileWriter(32767, 0) {
  const int w = std::clamp(pageUnits.width(), 1, 32767), h = std::clamp(pageUnits.height(), 1, 32767);
  // The placeable header: the page box in units of 1/600 inch, and the
  // checksum, the exclusive or of its first ten 16-bit words.
  data_ = QByteArray(kPlaceableSize + kHeaderSize, '\0');
  Put32(data_, 0, kPlaceableKey);
  Put16(data_, 10, static_cast<quint16>(w));
  Put16(data_, 12, static_cast<quint16>(h));
  Put16(data_, 14, MetafileDevice::kUnitsPerInch);
  quint16 checksum = 0;
  for (int i = 0; i < 10; ++i) checksum ^= qFromLittleEndian<quint16>(data_.constData() + 2 * i);
  Put16(data_, 20, checksum);
  // The metafile header; its sizes and object count are filled in at the end.
  Put16(data_, kPlaceableSize + 0, 1);       // in memory, as Windows writes its files
  Put16(data_, kPlaceableSize + 2, kHeaderSize / 2);
  Put16(data_, kPlaceableSize + 4, 0x0300);  // device-independent bitmaps allowed
  largestRecordWords_ = kHeaderSize / 2;
  append(U_WMRSETWINDOWORG_set(point16_set(0, 0)));
  append(U_WMRSETWINDOWEXT_set(point16_set(Short(w), Short(h))));
  // Text is drawn at its baseline, without a background box; images replace
  // what is under them pixel for pixel.
  append(U_WMRSETBKMODE_set(U_TRANSPARENT));
  append(U_WMRSETTEXTALIGN_set(U_TA_BASELINE | U_TA_LEFT | U_TA_NOUPDATECP));
  append(U_WMRSETSTRETCHBLTMODE_set(U_COLORONCOLOR));
}

void MetafileWmfWriter::append(char* record) {
  std::unique_ptr<char, FreeRecord> owned(record);
  if (!record) return;
  // The size of a record is a 32-bit count of 16-bit words, not aligned.
  const quint32 words = qFromLittleEndian<quint32>(record);
  data_.append(record, qsizetype(words) * 2);
  largestRecordWords_ = std::max(largestRecordWords_, words);
}

void MetafileWmfWriter::writeCreatePen(int, const MetafilePen& pen) {
  const int style = pen.width > 1 && pen.style != U_PS_NULL ? pen.style | pen.cap | pen.join : pen.style;
  append(U_WMRCREATEPENINDIRECT_set(
      U_PEN_set(static_cast<uint16_t>(style), static_cast<uint16_t>(std::clamp(pen.width, 1, 32767)),
                ColorRef(pen.color))));
}

void MetafileWmfWriter::writeCreateBrush(int, const MetafileBrush& brush) {
  append(U_WMRCREATEBRUSHINDIRECT_set(U_WLOGBRUSH_set(static_cast<uint16_t>(brush.style), ColorRef(brush.color),
                                                      static_cast<uint16_t>(brush.hatch))));
}

void MetafileWmfWriter::writeCreateFont(int, const MetafileFont& font) {
  // The face name in the code page of the font, at most 31 bytes.
  const int index = PageIndexOfCharset(font.charset);
  const CodePage& page = CodePages()[std::max(index, 0)];
  QByteArray face;
  for (QChar c : font.face) {
    if (face.size() >= U_LF_FACESIZE - 1) break;
    const int b = page.byteOf(c.unicode());
    face.append(b > 0 ? static_cast<char>(b) : '?');
  }
  std::unique_ptr<U_FONT, FreeRecord> f(U_FONT_set(
      Short(font.height), 0, Short(font.escapement), Short(font.escapement), Short(font.weight), font.italic,
      font.underline, font.strikeOut, static_cast<uint8_t>(font.charset), U_OUT_DEFAULT_PRECIS,
      U_CLIP_DEFAULT_PRECIS, U_DEFAULT_QUALITY, static_cast<uint8_t>(font.pitchAndFamily), face.data()));
  if (f) append(U_WMRCREATEFONTINDIRECT_set(f.get()));
}

void MetafileWmfWriter::writeSelect(int handle) { append(U_WMRSELECTOBJECT_set(static_cast<uint16_t>(handle))); }
void MetafileWmfWriter::writeDelete(int handle) { append(U_WMRDELETEOBJECT_set(static_cast<uint16_t>(handle))); }
void MetafileWmfWriter::writeTextColor(QRgb color) { append(U_WMRSETTEXTCOLOR_set(ColorRef(color))); }

void MetafileWmfWriter::writePolyFillMode(bool winding) {
  append(U_WMRSETPOLYFILLMODE_set(winding ? U_WINDING : U_ALTERNATE));
}

void MetafileWmfWriter::writePolyline(const QList<QPoint>& points, int) {
  const QList<U_POINT16> p = Points16(points);
  append(U_WMRPOLYLINE_set(static_cast<uint16_t>(p.size()), p.constData()));
}

void MetafileWmfWriter::writePolyPolygon(const QList<QList<QPoint>>& polygons, int) {
  if (polygons.size() == 1) {
    const QList<U_POINT16> p = Points16(polygons.first());
    append(U_WMRPOLYGON_set(static_cast<uint16_t>(p.size()), p.constData()));
    return;
  }
  QList<U_POINT16> all;
  QList<uint16_t> counts;
  for (const QList<QPoint>& polygon : polygons) {
    const QList<U_POINT16> p = Points16(polygon);
    if (all.size() + p.size() > kMaxCount || counts.size() >= kMaxCount) break;
    all += p;
    counts.append(static_cast<uint16_t>(p.size()));
  }
  append(U_WMRPOLYPOLYGON_set(static_cast<uint16_t>(counts.size()), counts.constData(), all.constData()));
}

void MetafileWmfWriter::writeRectangle(const QRect& rect, int) { append(U_WMRRECTANGLE_set(Rect16(rect))); }
void MetafileWmfWriter::writeEllipse(const QRect& rect, int) { append(U_WMRELLIPSE_set(Rect16(rect))); }

// Each run of one code page gets a font of its character set and its own
// record, placed along the baseline where the text before it ends.
void MetafileWmfWriter::writeText(const MetafileText& text) {
  const int preferred = selectedFont() ? PageIndexOfCharset(selectedFont()->charset) : -1;
  for (const Run& run : SplitIntoRuns(text, preferred)) {
    if (run.bytes.isEmpty()) continue;
    MetafileFont font = text.font;
    font.charset = CodePages()[run.page].charset;
    useFont(font);
    useTextColor(text.color);
    QList<int16_t> dx;
    dx.reserve(run.advances.size());
    qreal sum = 0;
    long placed = 0;
    for (qreal a : run.advances) {
      sum += a;
      const long next = std::lround(std::clamp<qreal>(sum, -1e6, 1e6));
      dx.append(Short(static_cast<int>(next - placed)));
      placed = next;
    }
    const QPoint origin = units(text.origin + text.direction * run.start);
    append(U_WMREXTTEXTOUT_set(Point16(origin), static_cast<int16_t>(run.bytes.size()), 0, run.bytes.constData(),
                               dx.data(), U_RECT16{0, 0, 0, 0}));
  }
}

void MetafileWmfWriter::writeImage(const QRect& target, QSize size, const QByteArray& dib, const QByteArray& bits) {
  U_BITMAPINFO bmi;
  std::memset(&bmi, 0, sizeof bmi);
  std::memcpy(&bmi.bmiHeader, dib.constData(), std::min<std::size_t>(dib.size(), sizeof bmi.bmiHeader));
  append(U_WMRSTRETCHDIB_set(Point16(target.topLeft()),
                             point16_set(Short(target.width()), Short(target.height())), point16_set(0, 0),
                             point16_set(Short(size.width()), Short(size.height())), U_DIB_RGB_COLORS, U_SRCCOPY,
                             &bmi, static_cast<uint32_t>(bits.size()), bits.constData()));
}

void MetafileWmfWriter::writeSaveDc() { append(U_WMRSAVEDC_set()); }
void MetafileWmfWriter::writeRestoreDc() { append(U_WMRRESTOREDC_set(-1)); }
void MetafileWmfWriter::writeIntersectClip(const QRect& rect) { append(U_WMRINTERSECTCLIPRECT_set(Rect16(rect))); }

QByteArray MetafileWmfWriter::writeEnd(int objectCount) {
  append(U_WMREOF_set());
  const quint32 words = static_cast<quint32>((data_.size() - kPlaceableSize) / 2);
  Put16(data_, kPlaceableSize + 6, static_cast<quint16>(words & 0xFFFF));
  Put16(data_, kPlaceableSize + 8, static_cast<quint16>(words >> 16));
  Put16(data_, kPlaceableSize + 10, static_cast<quint16>(std::min(objectCount, 0xFFFF)));
  Put32(data_, kPlaceableSize + 12, largestRecordWords_);
  return data_;
}

}  // namespace report
