// MetafileDevice: the files of both formats read back record by record, their
// headers, what each kind of drawing becomes, the object table, clipping, text
// in code pages, limits, and libuemf's own record checks.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cmath>
#include <limits>

#include <uemf.h>
#include <uemf_safe.h>
#include <uwmf.h>

#include "metafilereader.h"
#include "report/render/metafiledevice.h"

using namespace Qt::StringLiterals;
using namespace metafiletest;

namespace report {
namespace {

using Format = MetafileDevice::Format;

// EMF record types and WMF function numbers the tests look for.
enum : std::uint32_t {
  kEmrPolygon = 3, kEmrPolyline = 4, kEmrPolyPolygon = 8, kEmrEof = 14, kEmrSaveDc = 33, kEmrRestoreDc = 34,
  kEmrIntersectClip = 30, kEmrSelect = 37, kEmrBrush = 39, kEmrDelete = 40, kEmrEllipse = 42,
  kEmrRectangle = 43, kEmrStretchDib = 81, kEmrFont = 82, kEmrText = 84, kEmrPen = 95,
  kWmrPolygon = 0x0324, kWmrPolyline = 0x0325, kWmrEllipse = 0x0418, kWmrRectangle = 0x041B,
  kWmrText = 0x0A32, kWmrStretchDib = 0x0F43, kWmrFont = 0x02FB, kWmrPen = 0x02FA, kWmrBrush = 0x02FC,
  kWmrSaveDc = 0x001E, kWmrRestoreDc = 0x0127, kWmrIntersectClip = 0x0416, kWmrDelete = 0x01F0,
};

class QtEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "metafile_test";
    static char* argv[] = {name, nullptr};
    app_ = new QGuiApplication(argc, argv);
  }
  void TearDown() override { delete app_; }

 private:
  QGuiApplication* app_ = nullptr;
};
const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

Walk WalkOf(Format f, const QByteArray& b) { return f == Format::Enhanced ? WalkEmf(b) : WalkWmf(b); }

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
  qsizetype sum = f == Format::Enhanced ? 0 : kPlaceable + kMetaHeader;
  for (const Record& r : w.records) {
    sum += r.size;
    if (f == Format::Enhanced) {
      EXPECT_TRUE(U_emf_record_safe(b.constData() + r.offset)) << "EMF record " << r.type;
    } else {
      EXPECT_EQ(U_WMRRECSAFE_get(b.constData() + r.offset, b.constData() + b.size()), size_t(r.size))
          << "WMF record " << r.type;
    }
  }
  EXPECT_EQ(sum, b.size());
  EXPECT_EQ(ObjectModel(f == Format::Enhanced).play(b, w), "");
}

TEST(MetafileDevice, ReportsSixHundredDpiOverThePage) {
  MetafileDevice d(QSize(827, 1169), Format::Enhanced);
  EXPECT_EQ((QList<int>{d.logicalDpiX(), d.logicalDpiY(), d.width(), d.height(), d.widthMM(), d.heightMM()}),
            (QList<int>{600, 600, 4962, 7014, 210, 297}));
}

// finish() closes the file while the painter still draws: later drawing is
// dropped. A device never painted gives a blank page.
TEST(MetafileDevice, FinishClosesTheFileEarly) {
  for (Format f : {Format::Enhanced, Format::Placeable}) {
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

struct PageCase {
  QSize asked, used;  // hundredths of an inch
};

class Headers : public ::testing::TestWithParam<PageCase> {};

TEST_P(Headers, EnhancedHeaderFramesThePage) {
  const auto [asked, used] = GetParam();
  const QByteArray b = RenderToMetafile(asked, Format::Enhanced, {});
  ExpectSound(Format::Enhanced, b);
  const int w = used.width() * 6, h = used.height() * 6;
  EXPECT_EQ((QList<int>{I32(b, 8), I32(b, 12), I32(b, 16), I32(b, 20)}), (QList<int>{0, 0, w - 1, h - 1}));
  EXPECT_EQ((QList<int>{I32(b, 24), I32(b, 28), I32(b, 32), I32(b, 36)}),
            (QList<int>{0, 0, int(std::lround(used.width() * 25.4)), int(std::lround(used.height() * 25.4))}));
  EXPECT_EQ(U32(b, 40), 0x464D4520u);  // " EMF"
  EXPECT_EQ(U32(b, 48), std::uint32_t(b.size()));
  EXPECT_EQ(U32(b, 52), std::uint32_t(WalkEmf(b).records.size()));
  // The reference device has exactly 600 pixels per inch (25.4 mm) and covers the page.
  const int devX = I32(b, 72), devY = I32(b, 76), mmX = I32(b, 80), mmY = I32(b, 84);
  EXPECT_EQ(qint64(devX) * 254, qint64(mmX) * 6000);
  EXPECT_EQ(qint64(devY) * 254, qint64(mmY) * 6000);
  EXPECT_GE(devX, w);
  EXPECT_GE(devY, h);
  EXPECT_EQ((QList<int>{I32(b, 100), I32(b, 104)}), (QList<int>{mmX * 1000, mmY * 1000}));
}

TEST_P(Headers, PlaceableHeaderBoxesThePageAtSixHundredPerInch) {
  const auto [asked, used] = GetParam();
  const QByteArray b = RenderToMetafile(asked, Format::Placeable, {});
  ExpectSound(Format::Placeable, b);
  const int w = used.width() * 6, h = used.height() * 6;
  EXPECT_EQ((QList<int>{I16(b, 6), I16(b, 8), I16(b, 10), I16(b, 12), U16(b, 14)}), (QList<int>{0, 0, w, h, 600}));
  std::uint16_t x = 0;
  for (int i = 0; i < 10; ++i) x ^= U16(b, 2 * i);
  EXPECT_EQ(U16(b, 20), x);
  U_WMRPLACEABLE placeable;
  U_WMRHEADER header;
  EXPECT_GT(wmfheader_get(b.constData(), b.constData() + b.size(), &placeable, &header), 0);
  EXPECT_EQ((QList<int>{U16(b, 22), U16(b, 24), U16(b, 26)}), (QList<int>{1, 9, 0x0300}));
  EXPECT_EQ(qsizetype(U32(b, 28)) * 2, b.size() - kPlaceable);
  const Walk walk = WalkWmf(b);
  qsizetype largest = kMetaHeader;
  for (const Record& r : walk.records) largest = std::max(largest, r.size);
  EXPECT_EQ(qsizetype(U32(b, 34)) * 2, largest);
  // Window origin and extent come first and span the page box.
  ASSERT_GE(walk.records.size(), 2);
  EXPECT_EQ((QList<int>{int(walk.records[0].type), I16(b, walk.records[0].offset + 6),
                        I16(b, walk.records[0].offset + 8), int(walk.records[1].type),
                        I16(b, walk.records[1].offset + 6), I16(b, walk.records[1].offset + 8)}),
            (QList<int>{0x020B, 0, 0, 0x020C, h, w}));
}

INSTANTIATE_TEST_SUITE_P(Pages, Headers,
                         ::testing::Values(PageCase{{827, 1169}, {827, 1169}}, PageCase{{1100, 850}, {1100, 850}},
                                           PageCase{{0, -5}, {1, 1}}, PageCase{{99999, 300}, {5461, 300}}));

// A report page in small: a line, a rectangle, an ellipse, a filled polygon, a
// text, a text turned by 90° and an image.
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

struct FormatCase {
  Format format;
  QList<std::uint32_t> drawing;  // the drawing records in order
  std::uint32_t font, text;
};

class Page : public ::testing::TestWithParam<FormatCase> {};

TEST_P(Page, EveryCallBecomesItsRecord) {
  const FormatCase c = GetParam();
  const QByteArray b = RenderToMetafile(QSize(827, 1169), c.format, DrawPage);
  ExpectSound(c.format, b);
  const Walk w = WalkOf(c.format, b);
  QList<std::uint32_t> drawing;
  for (const Record& r : Only(w, {kEmrPolyline, kEmrRectangle, kEmrEllipse, kEmrPolygon, kEmrText, kEmrStretchDib,
                                   kWmrPolyline, kWmrRectangle, kWmrEllipse, kWmrPolygon, kWmrText, kWmrStretchDib}))
    drawing.append(r.type);
  EXPECT_EQ(drawing, c.drawing);
  const QList<Record> fonts = Only(w, {c.font});
  const QList<Record> texts = Only(w, {c.text});
  ASSERT_GE(fonts.size(), 2);
  ASSERT_GE(texts.size(), 2);
  const Record& up = texts.last();
  const Record& upFont = fonts.last();
  const bool emf = c.format == Format::Enhanced;
  if (emf) {
    const Record line = Only(w, {kEmrPolyline}).first();
    EXPECT_EQ((QList<int>{I32(b, line.offset + 24), I32(b, line.offset + 28), I32(b, line.offset + 32),
                          I32(b, line.offset + 36), I32(b, line.offset + 40)}),
              (QList<int>{2, 60, 120, 660, 120}));
    const Record& text = texts.first();
    EXPECT_EQ(Utf16(b, text.offset + U32(b, text.offset + 48), U32(b, text.offset + 44)), u"Měrný objem"_s);
    EXPECT_EQ(Utf16(b, fonts.first().offset + 40, 5), u"Arial"_s);
    EXPECT_EQ((QList<int>{I32(b, fonts.first().offset + 12), I32(b, fonts.first().offset + 28)}),
              (QList<int>{-100, 700}));  // 12 pt at 600 dpi, bold
    EXPECT_EQ((QList<int>{I32(b, upFont.offset + 20), I32(b, up.offset + 36), I32(b, up.offset + 40)}),
              (QList<int>{900, 1800, 2400}));
    const Record image = Only(w, {kEmrStretchDib}).first();
    EXPECT_EQ((QList<int>{I32(b, image.offset + 24), I32(b, image.offset + 28), I32(b, image.offset + 72),
                          I32(b, image.offset + 76), I32(b, image.offset + 52), U16(b, image.offset + U32(b, image.offset + 48) + 14)}),
              (QList<int>{2400, 3000, 240, 180, 40, 24}));
  } else {
    const Record line = Only(w, {kWmrPolyline}).first();
    EXPECT_EQ((QList<int>{I16(b, line.offset + 6), I16(b, line.offset + 8), I16(b, line.offset + 10),
                          I16(b, line.offset + 12), I16(b, line.offset + 14)}),
              (QList<int>{2, 60, 120, 660, 120}));
    // The turned text: escapement 90° and its reference point on the page.
    EXPECT_EQ((QList<int>{I16(b, upFont.offset + 10), I16(b, up.offset + 6), I16(b, up.offset + 8)}),
              (QList<int>{900, 2400, 1800}));
    EXPECT_EQ(b.mid(fonts.first().offset + 24, 6), QByteArray("Arial\0", 6));
    const Record image = Only(w, {kWmrStretchDib}).first();
    EXPECT_EQ((QList<int>{I16(b, image.offset + 26), I16(b, image.offset + 24), I16(b, image.offset + 22),
                          I16(b, image.offset + 20), U16(b, image.offset + 28 + 14)}),
              (QList<int>{2400, 3000, 240, 180, 24}));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Formats, Page,
    ::testing::Values(FormatCase{Format::Enhanced,
                                 {kEmrPolyline, kEmrRectangle, kEmrEllipse, kEmrPolygon, kEmrText, kEmrText,
                                  kEmrStretchDib},
                                 kEmrFont, kEmrText},
                      FormatCase{Format::Placeable,
                                 {kWmrPolyline, kWmrRectangle, kWmrEllipse, kWmrPolygon, kWmrText, kWmrText,
                                  kWmrStretchDib},
                                 kWmrFont, kWmrText}));

struct PenCase {
  Qt::PenStyle style;
  qreal width;  // hundredths of an inch; 0 is cosmetic
  std::uint32_t emfStyle, emfWidth;
  std::uint16_t wmfStyle, wmfWidth;
};

class Pens : public ::testing::TestWithParam<PenCase> {};

TEST_P(Pens, StyleAndWidthInMetafileUnits) {
  const PenCase c = GetParam();
  const auto draw = [&c](QPainter& p) {
    QPen pen(Qt::blue, c.width, c.style, Qt::FlatCap, Qt::MiterJoin);
    p.setPen(pen);
    p.drawLine(0, 0, 100, 100);
  };
  const QByteArray emf = RenderToMetafile(QSize(200, 200), Format::Enhanced, draw);
  const QByteArray wmf = RenderToMetafile(QSize(200, 200), Format::Placeable, draw);
  const Record e = Only(WalkEmf(emf), {kEmrPen}).first();
  const Record m = Only(WalkWmf(wmf), {kWmrPen}).first();
  EXPECT_EQ((QList<std::uint32_t>{U32(emf, e.offset + 28), U32(emf, e.offset + 32), U32(emf, e.offset + 40)}),
            (QList<std::uint32_t>{c.emfStyle, c.emfWidth, 0xFF0000}));
  EXPECT_EQ((QList<int>{U16(wmf, m.offset + 6), U16(wmf, m.offset + 8)}), (QList<int>{c.wmfStyle, c.wmfWidth}));
}

// Geometric pens carry the flat cap (0x200) and mitre join (0x2000) of the Qt pen.
INSTANTIATE_TEST_SUITE_P(Styles, Pens,
                         ::testing::Values(PenCase{Qt::SolidLine, 2, 0x12200, 12, 0x2200, 12},
                                           PenCase{Qt::DashLine, 1, 0x12201, 6, 0x2201, 6},
                                           PenCase{Qt::DotLine, 0, 2, 1, 2, 1},
                                           PenCase{Qt::DashDotLine, 0.5, 0x12203, 3, 0x2203, 3},
                                           PenCase{Qt::DashDotDotLine, 0.1, 4, 1, 4, 1}));

struct BrushCase {
  Qt::BrushStyle style;
  std::uint32_t gdiStyle, hatch;
};

class Brushes : public ::testing::TestWithParam<BrushCase> {};

TEST_P(Brushes, SolidNullAndTheSixHatches) {
  const BrushCase c = GetParam();
  const auto draw = [&c](QPainter& p) {
    p.setBrush(QBrush(Qt::green, c.style));
    p.drawRect(10, 10, 50, 50);
  };
  const QByteArray emf = RenderToMetafile(QSize(100, 100), Format::Enhanced, draw);
  const QByteArray wmf = RenderToMetafile(QSize(100, 100), Format::Placeable, draw);
  const Record e = Only(WalkEmf(emf), {kEmrBrush}).first();
  const Record m = Only(WalkWmf(wmf), {kWmrBrush}).first();
  EXPECT_EQ((QList<std::uint32_t>{U32(emf, e.offset + 12), U32(emf, e.offset + 20), U16(wmf, m.offset + 6),
                                  U16(wmf, m.offset + 12)}),
            (QList<std::uint32_t>{c.gdiStyle, c.hatch, c.gdiStyle, c.hatch}));
}

INSTANTIATE_TEST_SUITE_P(Styles, Brushes,
                         ::testing::Values(BrushCase{Qt::SolidPattern, 0, 0}, BrushCase{Qt::NoBrush, 1, 0},
                                           BrushCase{Qt::HorPattern, 2, 0}, BrushCase{Qt::VerPattern, 2, 1},
                                           BrushCase{Qt::FDiagPattern, 2, 2}, BrushCase{Qt::BDiagPattern, 2, 3},
                                           BrushCase{Qt::CrossPattern, 2, 4}, BrushCase{Qt::DiagCrossPattern, 2, 5},
                                           BrushCase{Qt::Dense4Pattern, 0, 0}));

class Formats : public ::testing::TestWithParam<Format> {};

// Changing colours and clips on every shape keeps a table of a few entries,
// and no record uses an object that the player has not got.
TEST_P(Formats, ObjectTableStaysSmallAndSound) {
  const QByteArray b = RenderToMetafile(QSize(800, 800), GetParam(), [](QPainter& p) {
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
  ExpectSound(GetParam(), b);
  const Walk w = WalkOf(GetParam(), b);
  ObjectModel model(GetParam() == Format::Enhanced);
  model.play(b, w);
  // Pen, brush and font, each maybe kept for a saved context, and the one
  // being replaced.
  EXPECT_LE(model.peak(), 7u);
  const int declared = GetParam() == Format::Enhanced ? U16(b, 56) - 1 : U16(b, 32);
  EXPECT_EQ(std::size_t(declared), model.peak());
  const bool emf = GetParam() == Format::Enhanced;
  EXPECT_EQ(Only(w, {emf ? kEmrSaveDc : kWmrSaveDc}).size(), Only(w, {emf ? kEmrRestoreDc : kWmrRestoreDc}).size());
  EXPECT_GE(Only(w, {emf ? kEmrDelete : kWmrDelete}).size(), 100);
}

TEST_P(Formats, ClipRectangleInMetafileUnits) {
  const QByteArray b = RenderToMetafile(QSize(500, 500), GetParam(), [](QPainter& p) {
    p.setClipRect(QRectF(10, 20, 30, 40));
    p.drawLine(0, 0, 100, 100);
  });
  const bool emf = GetParam() == Format::Enhanced;
  const QList<Record> clips = Only(WalkOf(GetParam(), b), {emf ? kEmrIntersectClip : kWmrIntersectClip});
  ASSERT_EQ(clips.size(), 1);
  const qsizetype at = clips.first().offset;
  const QList<int> ltrb = emf ? QList<int>{I32(b, at + 8), I32(b, at + 12), I32(b, at + 16), I32(b, at + 20)}
                              : QList<int>{I16(b, at + 12), I16(b, at + 10), I16(b, at + 8), I16(b, at + 6)};
  EXPECT_EQ(ltrb, (QList<int>{60, 120, 240, 360}));
}

// Bad input of every kind leaves a sound file: coordinates beyond what the
// format holds are clamped, shapes that are not finite are dropped.
TEST_P(Formats, BadInputIsClampedOrDropped) {
  const qreal nan = std::numeric_limits<qreal>::quiet_NaN();
  const QByteArray b = RenderToMetafile(QSize(100, 100), GetParam(), [nan](QPainter& p) {
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
  ExpectSound(GetParam(), b);
  const bool emf = GetParam() == Format::Enhanced;
  const Walk w = WalkOf(GetParam(), b);
  const QList<Record> lines = Only(w, {emf ? kEmrPolyline : kWmrPolyline});
  ASSERT_EQ(lines.size(), 1);
  const qsizetype at = lines.first().offset;
  const QList<int> end = emf ? QList<int>{I32(b, at + 36), I32(b, at + 40)} : QList<int>{I16(b, at + 12), I16(b, at + 14)};
  EXPECT_EQ(end, emf ? (QList<int>{1'000'000, -1'000'000}) : (QList<int>{32767, -32767}));
  // The image wider than the limit keeps no more pixels than units it covers.
  const QList<Record> images = Only(w, {emf ? kEmrStretchDib : kWmrStretchDib});
  ASSERT_EQ(images.size(), 1);
  const qsizetype dib = images.first().offset + (emf ? U32(b, images.first().offset + 48) : 28);
  EXPECT_EQ(I32(b, dib + 4), 300);
  EXPECT_TRUE(Only(w, {emf ? kEmrRectangle : kWmrRectangle, emf ? kEmrText : kWmrText}).isEmpty());
}

// A turned rectangle becomes a polygon; a path with curves becomes polygons
// filled together (two rings: one record).
TEST_P(Formats, TurnedShapesAndPathsArePolygons) {
  const QByteArray b = RenderToMetafile(QSize(500, 500), GetParam(), [](QPainter& p) {
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
  ExpectSound(GetParam(), b);
  const bool emf = GetParam() == Format::Enhanced;
  QList<std::uint32_t> kinds;
  for (const Record& r : Only(WalkOf(GetParam(), b), {kEmrPolygon, kEmrPolyPolygon, kEmrRectangle, kEmrEllipse,
                                                      kWmrPolygon, 0x0538, kWmrRectangle, kWmrEllipse}))
    kinds.append(r.type);
  EXPECT_EQ(kinds, emf ? (QList<std::uint32_t>{kEmrPolygon, kEmrPolygon, kEmrPolyPolygon, kEmrPolygon})
                       : (QList<std::uint32_t>{kWmrPolygon, kWmrPolygon, 0x0538, kWmrPolygon}));
}

INSTANTIATE_TEST_SUITE_P(Both, Formats, ::testing::Values(Format::Enhanced, Format::Placeable));

struct RunCase {
  const char16_t* text;
  QList<int> charsets;
  QList<QByteArray> bytes;
};

class CodePages : public ::testing::TestWithParam<RunCase> {};

// 8-bit text goes in runs of one code page each, with the font's character set
// switched to match, and each run starts where the one before it ends. (Qt may
// hand over a line in pieces; pieces of one character set are joined here.)
TEST_P(CodePages, TextIsSplitIntoRunsOfOneCodePage) {
  const RunCase c = GetParam();
  const QByteArray b = RenderToMetafile(QSize(800, 200), Format::Placeable, [&c](QPainter& p) {
    QFont font(u"Arial"_s);
    font.setPointSizeF(2);
    p.setFont(font);
    p.drawText(QPointF(10, 50), QString::fromUtf16(c.text));
  });
  ExpectSound(Format::Placeable, b);
  const Walk w = WalkWmf(b);
  QList<int> charsets;
  QList<QByteArray> bytes;
  int charset = -1, x = -1;
  for (const Record& r : w.records) {
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

INSTANTIATE_TEST_SUITE_P(
    Texts, CodePages,
    ::testing::Values(RunCase{u"Tlak", {0}, {"Tlak"}},
                      RunCase{u"Měrný objem m³/kg", {238, 0}, {"M\xec\x72n\xfd objem m", "\xb3/kg"}},
                      RunCase{u"ρ = 998 kg/m³", {161}, {"\xf1 = 998 kg/m\xb3"}},
                      RunCase{u"Π ≈ x", {161}, {"\xd0 ? x"}}));

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
