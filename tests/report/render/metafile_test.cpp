// MetafileDevice's files of both formats read back record by record, and by libuemf and libwmf.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cmath>
#include <limits>
#include <functional>

#include <uemf.h>
#include <uemf_safe.h>
#include <uwmf.h>

#include "metafilereader.h"
#include "report/render/metafiledevice.h"

using namespace Qt::StringLiterals;
using namespace metafiletest;

const QString kData = QStringLiteral(RENDER_TEST_DATA);

namespace report {
namespace {

using Format = MetafileDevice::Format;
constexpr Format kFormats[] = {Format::Enhanced, Format::Placeable};

// EMF record types and WMF function numbers the tests look for.
enum : std::uint32_t {
  kEmrPolygon = 3, kEmrPolyline = 4, kEmrPolyPolygon = 8, kEmrSaveDc = 33, kEmrRestoreDc = 34,
  kEmrIntersectClip = 30, kEmrBrush = 39, kEmrDelete = 40, kEmrEllipse = 42, kEmrRectangle = 43,
  kEmrStretchDib = 81, kEmrFont = 82, kEmrText = 84, kEmrPen = 95,
  kWmrPolygon = 0x0324, kWmrPolyline = 0x0325, kWmrPolyPolygon = 0x0538, kWmrEllipse = 0x0418,
  kWmrRectangle = 0x041B, kWmrText = 0x0A32, kWmrStretchDib = 0x0F43, kWmrFont = 0x02FB, kWmrPen = 0x02FA,
  kWmrBrush = 0x02FC, kWmrSaveDc = 0x001E, kWmrRestoreDc = 0x0127, kWmrIntersectClip = 0x0416, kWmrDelete = 0x01F0,
};

bool Emf(Format f) { return f == Format::Enhanced; }
QString Utf16(const QByteArray& b, qsizetype at, qsizetype n) {
  QString s;
  for (qsizetype i = 0; i < n; ++i) s.append(QChar(U16(b, at + 2 * i)));
  return s;
}
Walk WalkOf(Format f, const QByteArray& b) { return WalkMetafile(b, Emf(f)); }

// Records of the given types, in file order.
QList<Record> Only(const Walk& w, std::initializer_list<std::uint32_t> types) {
  QList<Record> out;
  for (const Record& r : w.records)
    if (std::find(types.begin(), types.end(), r.type) != types.end()) out.append(r);
  return out;
}

// The walk holds together, libuemf accepts every record, and the object table is used soundly.
void ExpectSound(Format f, const QByteArray& b) {
  const Walk w = WalkOf(f, b);
  ASSERT_EQ(w.error, "");
  qsizetype sum = Emf(f) ? 0 : kPlaceable + kMetaHeader;
  for (const Record& r : w.records) {
    sum += r.size;
    if (Emf(f))
      EXPECT_TRUE(U_emf_record_safe(b.constData() + r.offset)) << "EMF record " << r.type;
    else
      EXPECT_EQ(U_WMRRECSAFE_get(b.constData() + r.offset, b.constData() + b.size()), size_t(r.size)) << r.type;
  }
  EXPECT_EQ(sum, b.size());
  EXPECT_EQ(ObjectModel(Emf(f)).play(b, w), "");
}

// finish() closes the file while the painter still draws; a device never painted gives a blank page.
TEST(MetafileDevice, SixHundredDpiAndFinishClosesTheFileEarly) {
  MetafileDevice a4(QSize(827, 1169), Format::Enhanced);
  EXPECT_EQ((QList<int>{a4.logicalDpiX(), a4.logicalDpiY(), a4.width(), a4.height(), a4.widthMM(), a4.heightMM()}),
            (QList<int>{600, 600, 4962, 7014, 210, 297}));
  for (Format f : kFormats) {
    MetafileDevice d(QSize(100, 100), f);
    const QByteArray blank = d.bytes();
    ExpectSound(f, blank);
    QPainter p(&d);
    p.drawLine(0, 0, 10, 10);
    d.finish();
    const QByteArray early = d.bytes();
    p.drawLine(0, 0, 20, 20);
    p.end();
    EXPECT_EQ(d.bytes(), early);
    EXPECT_EQ(WalkOf(f, early).records.size(), WalkOf(f, blank).records.size() + 3);  // pen, select, line
  }
}

// Pages asked for and used (1/100 inch): sides clamped to 1 … 5461, 16-bit at 600 dpi.
const std::pair<QSize, QSize> kPages[] = {
    {{827, 1169}, {827, 1169}}, {{1100, 850}, {1100, 850}}, {{0, -5}, {1, 1}}, {{99999, 300}, {5461, 300}}};

// The EMF header frames the page; the placeable header boxes it at 600 units an inch.
TEST(MetafileHeaders, FrameAndBoxOfThePage) {
  for (const auto& [asked, used] : kPages) {
    SCOPED_TRACE(asked.width());
    const int w = used.width() * 6, h = used.height() * 6;
    QByteArray b = RenderToMetafile(asked, Format::Enhanced, {});
    ExpectSound(Format::Enhanced, b);
    EXPECT_EQ((QList<int>{I32(b, 8), I32(b, 12), I32(b, 16), I32(b, 20)}), (QList<int>{0, 0, w - 1, h - 1}));
    EXPECT_EQ((QList<int>{I32(b, 24), I32(b, 28), I32(b, 32), I32(b, 36)}),
              (QList<int>{0, 0, int(std::lround(used.width() * 25.4)), int(std::lround(used.height() * 25.4))}));
    EXPECT_EQ((QList<std::uint32_t>{U32(b, 40), U32(b, 48), U32(b, 52)}),
              (QList<std::uint32_t>{0x464D4520u, std::uint32_t(b.size()),
                                    std::uint32_t(WalkOf(Format::Enhanced, b).records.size())}));
    // The reference device has exactly 600 pixels per inch (25.4 mm) and covers the page.
    const int devX = I32(b, 72), devY = I32(b, 76), mmX = I32(b, 80), mmY = I32(b, 84);
    EXPECT_EQ(qint64(devX) * 254, qint64(mmX) * 6000);
    EXPECT_EQ(qint64(devY) * 254, qint64(mmY) * 6000);
    EXPECT_GE(devX, w);
    EXPECT_GE(devY, h);
    EXPECT_EQ((QList<int>{I32(b, 100), I32(b, 104)}), (QList<int>{mmX * 1000, mmY * 1000}));

    b = RenderToMetafile(asked, Format::Placeable, {});
    ExpectSound(Format::Placeable, b);
    EXPECT_EQ((QList<int>{I16(b, 6), I16(b, 8), I16(b, 10), I16(b, 12), U16(b, 14)}), (QList<int>{0, 0, w, h, 600}));
    std::uint16_t x = 0;
    for (int i = 0; i < 10; ++i) x ^= U16(b, 2 * i);
    EXPECT_EQ(U16(b, 20), x);
    U_WMRPLACEABLE placeable;
    U_WMRHEADER header;
    EXPECT_GT(wmfheader_get(b.constData(), b.constData() + b.size(), &placeable, &header), 0);
    EXPECT_EQ((QList<int>{U16(b, 22), U16(b, 24), U16(b, 26)}), (QList<int>{1, 9, 0x0300}));
    EXPECT_EQ(qsizetype(U32(b, 28)) * 2, b.size() - kPlaceable);
    const Walk walk = WalkOf(Format::Placeable, b);
    qsizetype largest = kMetaHeader;
    for (const Record& r : walk.records) largest = std::max(largest, r.size);
    EXPECT_EQ(qsizetype(U32(b, 34)) * 2, largest);
    // Window origin and extent come first and span the page box.
    ASSERT_GE(walk.records.size(), 2);
    const qsizetype org = walk.records[0].offset, ext = walk.records[1].offset;
    EXPECT_EQ((QList<int>{U16(b, org + 4), I16(b, org + 6), I16(b, org + 8), U16(b, ext + 4), I16(b, ext + 6), I16(b, ext + 8)}),
              (QList<int>{0x020B, 0, 0, 0x020C, h, w}));
  }
}

// A report page in small: line, rectangle, ellipse, polygon, text, text turned by 90°, image.
void DrawPage(QPainter& p) {
  p.setPen(QPen(Qt::red, 2));
  p.drawLine(QPointF(10, 20), QPointF(110, 20));
  p.setBrush(Qt::yellow);
  p.drawRect(QRectF(10, 30, 100, 50));
  p.setBrush(QBrush(Qt::blue, Qt::DiagCrossPattern));
  p.drawEllipse(QRectF(120, 30, 60, 40));
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::black);
  p.drawPolygon(QPolygonF({{10, 100}, {12, 100}, {13, 150}, {11, 150}}));
  p.setPen(Qt::darkGreen);
  QFont font(u"Arial"_s);
  font.setPointSizeF(12.0 / 6);  // 12 pt on the page: the painter enlarges six times
  font.setBold(true);
  p.setFont(font);
  p.drawText(QPointF(200, 50), u"Měrný objem"_s);
  p.save();
  p.translate(300, 400);
  p.rotate(-90);
  p.drawText(QPointF(0, 0), u"Up"_s);
  p.restore();
  QImage image(4, 3, QImage::Format_RGB32);
  image.fill(Qt::cyan);
  p.drawImage(QRectF(400, 500, 40, 30), image);
}

// The fields of a record at the given offsets, 32-bit (EMF) or 16-bit (WMF).
QList<int> Fields(const QByteArray& b, const Record& r, bool emf, const QList<int>& offsets) {
  QList<int> out;
  for (int at : offsets) out.append(emf ? I32(b, r.offset + at) : I16(b, r.offset + at));
  return out;
}

TEST(MetafilePage, EveryCallBecomesItsRecord) {
  for (Format f : kFormats) {
    const bool emf = Emf(f);
    SCOPED_TRACE(emf);
    const QByteArray b = RenderToMetafile(QSize(827, 1169), f, DrawPage);
    ExpectSound(f, b);
    const Walk w = WalkOf(f, b);
    QList<std::uint32_t> drawing;
    for (const Record& r : Only(w, {kEmrPolyline, kEmrRectangle, kEmrEllipse, kEmrPolygon, kEmrText, kEmrStretchDib,
                                     kWmrPolyline, kWmrRectangle, kWmrEllipse, kWmrPolygon, kWmrText, kWmrStretchDib}))
      drawing.append(r.type);
    EXPECT_EQ(drawing, emf ? (QList<std::uint32_t>{kEmrPolyline, kEmrRectangle, kEmrEllipse, kEmrPolygon, kEmrText,
                                                   kEmrText, kEmrStretchDib})
                           : (QList<std::uint32_t>{kWmrPolyline, kWmrRectangle, kWmrEllipse, kWmrPolygon, kWmrText,
                                                   kWmrText, kWmrStretchDib}));
    const QList<Record> fonts = Only(w, {emf ? kEmrFont : kWmrFont}), texts = Only(w, {emf ? kEmrText : kWmrText});
    ASSERT_GE(fonts.size(), 2);
    ASSERT_GE(texts.size(), 2);
    // The line: its pen width, then its ends (a count first in EMF).
    const Record line = Only(w, {emf ? kEmrPolyline : kWmrPolyline}).first();
    EXPECT_EQ(Fields(b, line, emf, emf ? QList<int>{24, 28, 32, 36, 40} : QList<int>{6, 8, 10, 12, 14}),
              (QList<int>{2, 60, 120, 660, 120}));
    // The turned text: escapement 90° and its reference point on the page.
    EXPECT_EQ(Fields(b, fonts.last(), emf, {emf ? 20 : 10}), QList<int>{900});
    EXPECT_EQ(Fields(b, texts.last(), emf, emf ? QList<int>{36, 40} : QList<int>{8, 6}),
              (QList<int>{1800, 2400}));
    const Record image = Only(w, {emf ? kEmrStretchDib : kWmrStretchDib}).first();
    // Place and size on the page, the source's pixels, 24 bits a pixel.
    if (emf) {
      const Record& text = texts.first();
      EXPECT_EQ(Utf16(b, text.offset + U32(b, text.offset + 48), U32(b, text.offset + 44)), u"Měrný objem"_s);
      EXPECT_EQ(Utf16(b, fonts.first().offset + 40, 5), u"Arial"_s);
      EXPECT_EQ(Fields(b, fonts.first(), emf, {12, 28}), (QList<int>{-100, 700}));  // 12 pt at 600 dpi, bold
      EXPECT_EQ((Fields(b, image, emf, {24, 28, 72, 76, 52}) << U16(b, image.offset + U32(b, image.offset + 48) + 14)),
                (QList<int>{2400, 3000, 240, 180, 40, 24}));
    } else {
      EXPECT_EQ(b.mid(fonts.first().offset + 24, 6), QByteArray("Arial\0", 6));
      EXPECT_EQ((Fields(b, image, emf, {26, 24, 22, 20}) << U16(b, image.offset + 28 + 14)),
                (QList<int>{2400, 3000, 240, 180, 24}));
    }
  }
}

// The first record of a kind when the drawing goes to the EMF and to the WMF file.
std::pair<QByteArray, Record> First(Format f, std::uint32_t type, const std::function<void(QPainter&)>& draw) {
  const QByteArray b = RenderToMetafile(QSize(200, 200), f, draw);
  return {b, Only(WalkOf(f, b), {type}).value(0, Record{0, -100, 0})};
}

// The cases of data/styles.txt: "pen" or "brush", the Qt style, then numbers.
TEST(MetafileObjects, PensAndBrushes) {
  QFile file(kData + u"/styles.txt"_s);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
  int cases = 0;
  for (const QByteArray& line : file.readAll().split('\n')) {
    const QList<QByteArray> v = line.simplified().split(' ');
    if (v.size() < 4 || v[0].startsWith('#')) continue;
    SCOPED_TRACE(line.toStdString());
    ++cases;
    const bool pen = v[0] == "pen";
    const int style = v[1].toInt();
    const qreal width = v[2].toDouble();
    const auto draw = [&](QPainter& p) {
      if (pen) p.setPen(QPen(Qt::blue, width, Qt::PenStyle(style), Qt::FlatCap, Qt::MiterJoin));
      else p.setBrush(QBrush(Qt::green, Qt::BrushStyle(style)));
      p.drawRect(10, 10, 50, 50);
    };
    const auto [emf, e] = First(Format::Enhanced, pen ? kEmrPen : kEmrBrush, draw);
    const auto [wmf, m] = First(Format::Placeable, pen ? kWmrPen : kWmrBrush, draw);
    QList<std::uint32_t> expected;
    for (const QByteArray& n : v.mid(pen ? 3 : 2, pen ? 4 : 2)) expected.append(n.toUInt(nullptr, 0));
    if (pen)
      EXPECT_EQ((QList<std::uint32_t>{U32(emf, e.offset + 28), U32(emf, e.offset + 32), U16(wmf, m.offset + 6),
                                      U16(wmf, m.offset + 8), U32(emf, e.offset + 40)}),
                expected << 0xFF0000);
    else
      EXPECT_EQ((QList<std::uint32_t>{U32(emf, e.offset + 12), U32(emf, e.offset + 20), U16(wmf, m.offset + 6),
                                      U16(wmf, m.offset + 12)}),
                (expected + expected));
  }
  EXPECT_EQ(cases, 14);
}

// Colours and clips changing on every shape keep the object table small; a clip is a rectangle.
TEST(MetafileObjects, ObjectTableStaysSmallAndClipsAreRectangles) {
  for (Format f : kFormats) {
    const bool emf = Emf(f);
    SCOPED_TRACE(emf);
    const QByteArray b = RenderToMetafile(QSize(800, 800), f, [](QPainter& p) {
      QFont font(u"Courier New"_s);
      for (int i = 0; i < 60; ++i) {
        p.setPen(QColor::fromHsv(i * 6, 255, 200));
        p.setBrush(QColor::fromHsv(i * 6, 128, 255));
        if (i % 3 == 0) p.setClipRect(QRect(i, i, 300, 300));
        if (i % 7 == 0) p.setClipping(false);
        font.setPointSize(1 + i % 4);
        p.setFont(font);
        p.drawRect(i * 10, i * 10, 40, 40);
        p.drawText(i * 10, i * 10, u"x"_s);
      }
    });
    ExpectSound(f, b);
    const Walk w = WalkOf(f, b);
    ObjectModel model(emf);
    model.play(b, w);
    // Pen, brush and font, each maybe kept for a saved context, and the one being replaced.
    EXPECT_LE(model.peak(), 7u);
    EXPECT_EQ(std::size_t(emf ? U16(b, 56) - 1 : U16(b, 32)), model.peak());
    EXPECT_EQ(Only(w, {emf ? kEmrSaveDc : kWmrSaveDc}).size(), Only(w, {emf ? kEmrRestoreDc : kWmrRestoreDc}).size());
    EXPECT_GE(Only(w, {emf ? kEmrDelete : kWmrDelete}).size(), 100);

    const QByteArray c = RenderToMetafile(QSize(500, 500), f, [](QPainter& p) {
      p.setClipRect(QRectF(10, 20, 30, 40));
      p.drawLine(0, 0, 100, 100);
    });
    const QList<Record> clips = Only(WalkOf(f, c), {emf ? kEmrIntersectClip : kWmrIntersectClip});
    ASSERT_EQ(clips.size(), 1);
    EXPECT_EQ(Fields(c, clips.first(), emf, emf ? QList<int>{8, 12, 16, 20} : QList<int>{12, 10, 8, 6}),
              (QList<int>{60, 120, 240, 360}));
  }
}

// Bad input leaves a sound file: coordinates beyond the format clamped, shapes not finite dropped.
TEST(MetafileObjects, BadInputIsClampedOrDropped) {
  const qreal nan = std::numeric_limits<qreal>::quiet_NaN();
  for (Format f : kFormats) {
    const bool emf = Emf(f);
    SCOPED_TRACE(emf);
    const QByteArray b = RenderToMetafile(QSize(100, 100), f, [nan](QPainter& p) {
      p.drawLine(QPointF(0, 0), QPointF(1e12, -1e12));
      p.drawLine(QPointF(nan, 0), QPointF(1, 1));
      p.drawText(QPointF(5, 5), QString());
      p.drawImage(QRectF(0, 0, 10, 10), QImage());
      p.drawImage(QRectF(0, 0, 0, 10), QImage(2, 2, QImage::Format_RGB32));
      p.drawPath(QPainterPath());
      p.drawPolygon(QPolygonF());
      QImage wide(9000, 2, QImage::Format_ARGB32);
      wide.fill(Qt::transparent);
      p.drawImage(QRectF(0, 0, 50, 1), wide);
      p.setTransform(QTransform(nan, 0, 0, nan, 0, 0));
      p.drawRect(0, 0, 10, 10);
      p.drawText(QPointF(1, 1), u"x"_s);
    });
    ExpectSound(f, b);
    const Walk w = WalkOf(f, b);
    const QList<Record> lines = Only(w, {emf ? kEmrPolyline : kWmrPolyline});
    ASSERT_EQ(lines.size(), 1);
    EXPECT_EQ(Fields(b, lines.first(), emf, emf ? QList<int>{36, 40} : QList<int>{12, 14}),
              emf ? (QList<int>{1'000'000, -1'000'000}) : (QList<int>{32767, -32767}));
    // The image wider than the limit keeps no more pixels than units it covers.
    const QList<Record> images = Only(w, {emf ? kEmrStretchDib : kWmrStretchDib});
    ASSERT_EQ(images.size(), 1);
    EXPECT_EQ(I32(b, images.first().offset + (emf ? U32(b, images.first().offset + 48) : 28) + 4), 300);
    EXPECT_TRUE(Only(w, {emf ? kEmrRectangle : kWmrRectangle, emf ? kEmrText : kWmrText}).isEmpty());
  }
}

// A turned rectangle becomes a polygon; a path with curves polygons filled together (one record).
TEST(MetafileObjects, TurnedShapesAndPathsArePolygons) {
  for (Format f : kFormats) {
    const QByteArray b = RenderToMetafile(QSize(500, 500), f, [](QPainter& p) {
      p.translate(100, 100);
      p.rotate(30);
      p.drawRect(0, 0, 50, 20);
      p.drawEllipse(0, 0, 50, 20);
      p.resetTransform();
      QPainterPath ring;
      ring.addEllipse(QRectF(100, 100, 80, 80));
      ring.addEllipse(QRectF(120, 120, 40, 40));
      p.setBrush(Qt::gray);
      p.drawPath(ring);
      p.drawRoundedRect(QRectF(10, 10, 50, 30), 5, 5);
    });
    ExpectSound(f, b);
    QList<std::uint32_t> kinds;
    for (const Record& r : Only(WalkOf(f, b), {kEmrPolygon, kEmrPolyPolygon, kEmrRectangle, kEmrEllipse, kWmrPolygon,
                                               kWmrPolyPolygon, kWmrRectangle, kWmrEllipse}))
      kinds.append(r.type);
    EXPECT_EQ(kinds, Emf(f) ? (QList<std::uint32_t>{kEmrPolygon, kEmrPolygon, kEmrPolyPolygon, kEmrPolygon})
                            : (QList<std::uint32_t>{kWmrPolygon, kWmrPolygon, kWmrPolyPolygon, kWmrPolygon}));
  }
}

// 8-bit text goes in runs of one code page, each with its font's character set and starting where
// the one before ends (Qt may hand over pieces of a line: those of one set are joined here).
TEST(MetafileText, PlaceableTextIsSplitIntoRunsOfOneCodePage) {
  struct RunCase {
    const char16_t* text;
    QList<int> charsets;
    QList<QByteArray> bytes;
  };
  for (const RunCase& c : {RunCase{u"Tlak", {0}, {"Tlak"}},
                           RunCase{u"Měrný objem m³/kg", {238, 0}, {"M\xec\x72n\xfd objem m", "\xb3/kg"}},
                           RunCase{u"ρ = 998 kg/m³", {161}, {"\xf1 = 998 kg/m\xb3"}},
                           RunCase{u"Π ≈ x", {161}, {"\xd0 ? x"}}}) {
    SCOPED_TRACE(QString::fromUtf16(c.text).toStdString());
    const QByteArray b = RenderToMetafile(QSize(800, 200), Format::Placeable, [&c](QPainter& p) {
      QFont font(u"Arial"_s);
      font.setPointSizeF(2);
      p.setFont(font);
      p.drawText(QPointF(10, 50), QString::fromUtf16(c.text));
    });
    ExpectSound(Format::Placeable, b);
    QList<int> charsets;
    QList<QByteArray> bytes;
    int charset = -1, x = -1;
    for (const Record& r : WalkOf(Format::Placeable, b).records) {
      if (r.type == kWmrFont) charset = U16(b, r.offset + 19) & 0xFF;
      if (r.type != kWmrText) continue;
      const QByteArray text = b.mid(r.offset + 14, I16(b, r.offset + 10));
      if (!charsets.isEmpty() && charsets.last() == charset) {
        bytes.last() += text;
      } else {
        charsets.append(charset);
        bytes.append(text);
      }
      EXPECT_GT(I16(b, r.offset + 8), x);
      x = I16(b, r.offset + 8);
    }
    EXPECT_EQ(charsets, c.charsets);
    EXPECT_EQ(bytes, c.bytes);
  }
}

// A second reader: libwmf's converter, where it is installed, takes the file.
TEST(MetafileDevice, LibwmfReadsThePlaceableFile) {
  const QString tool = QStandardPaths::findExecutable(u"wmf2svg"_s);
  if (tool.isEmpty()) GTEST_SKIP() << "wmf2svg (libwmf-bin) is not installed";
  QTemporaryDir dir;
  const QString in = dir.filePath(u"page.wmf"_s), out = dir.filePath(u"page.svg"_s);
  QFile f(in);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(RenderToMetafile(QSize(827, 1169), Format::Placeable, DrawPage));
  f.close();
  QProcess process;
  process.start(tool, {u"-o"_s, out, in});
  ASSERT_TRUE(process.waitForFinished(60000));
  EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
  QFile svg(out);
  ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
  const QByteArray text = svg.readAll();
  for (const char* element : {"<svg", "<polyline", "<rect", "<ellipse", "<polygon", "<text", "<image"})
    EXPECT_TRUE(text.contains(element)) << element;
}

}  // namespace
}  // namespace report
