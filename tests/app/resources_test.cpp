// What the window is built from: the text tables (full in both languages, empty
// outside), the pictures the generator writes, and the generated T-s chart,
// whose lines stand where its scales (x = 100·s + 35, y = 1674 − 2·t) put
// states of the international steam tables (saturated entropies; 10 MPa,
// 500 °C: v = 0.032811 m3/kg, h = 3375.1 kJ/kg, s = 6.5995 kJ/(kg K)).
#include <QtTest>

#include <QImageReader>
#include <QProcess>

#include <algorithm>
#include <cmath>

#include "res/chart/chartcurves.h"
#include "res/chart/chartscale.h"
#include "res/pictures.h"
#include "res/texts.h"

using namespace Qt::Literals::StringLiterals;
using namespace tab97::chart;
namespace texts = tab97::texts;
namespace pictures = tab97::pictures;

namespace {

// How strongly a pixel belongs to the black saturation line (not the grey grid,
// the coloured families, nor the darker mixtures where three of them cross), or
// to an isobar (blue).
double Dark(QRgb p) { return std::max(0, 80 - std::max({qRed(p), qGreen(p), qBlue(p)})); }
double Blue(QRgb p) { return std::max(0, qBlue(p) - qRed(p) - 40); }

// Weighted centre of a line crossing row `at` between columns from and to (or
// column `at` between rows); NaN when nothing is there.
double Centre(const QImage& image, bool alongRow, int at, int from, int to, double (*weight)(QRgb)) {
  double sum = 0, moment = 0;
  for (int i = std::max(0, from); i <= std::min((alongRow ? image.width() : image.height()) - 1, to); ++i) {
    const double w = weight(alongRow ? image.pixel(i, at) : image.pixel(at, i));
    sum += w, moment += w * i;
  }
  return sum > 0 ? moment / sum : std::nan("");
}

// Distance in chart pixels from (s, t) to the nearest segment of the curve.
double PixelDistance(const Curve& curve, double s, double t) {
  double best = INFINITY;
  for (const Polyline& piece : curve.pieces) {
    for (std::size_t i = 1; i < piece.size(); ++i) {
      const double ax = PixelX(piece[i - 1].s), ay = PixelY(piece[i - 1].t);
      const double bx = PixelX(piece[i].s) - ax, by = PixelY(piece[i].t) - ay, l2 = bx * bx + by * by;
      const double f = std::clamp(l2 > 0 ? ((PixelX(s) - ax) * bx + (PixelY(t) - ay) * by) / l2 : 0, 0.0, 1.0);
      best = std::min(best, std::hypot(PixelX(s) - ax - f * bx, PixelY(t) - ay - f * by));
    }
  }
  return best;
}

}  // namespace

class ResourcesTest : public QObject {
  Q_OBJECT
 private slots:
  void textTables() {
    const struct {
      const char* name;
      QString (*lookup)(int, int);
      int first, count;
    } tables[] = {{"menu", texts::MenuCaption, 1, 6},
                  {"inputs", texts::InputCaption, 1, 6},
                  {"columns", texts::ShortColumnCaption, 1, 6},
                  {"results", texts::ResultCaption, 1, 6},
                  {"units", texts::Unit, 1, 6},
                  {"regions", texts::RegionName, 1, 11},
                  {"headings", texts::Heading, 1, 12},
                  {"groups", texts::GroupName, 1, 5},
                  {"group 5", texts::SupplementaryName, 0, 7},
                  {"group 5 results", texts::SupplementaryResultCaption, 0, 7},
                  {"expansion", texts::ExpansionCaption, 1, 6},
                  {"paragraphs", texts::StartParagraph, 1, 2}};
    for (const auto& t : tables) {
      for (int language : {0, 1}) {
        for (int i = t.first; i < t.first + t.count; ++i) QVERIFY2(!t.lookup(language, i).isEmpty(), t.name);
        QVERIFY2(t.lookup(language, t.first - 1).isEmpty() && t.lookup(language, t.first + t.count).isEmpty(), t.name);
      }
      QVERIFY2(t.lookup(2, t.first).isEmpty() && t.lookup(-1, t.first).isEmpty(), t.name);
    }
    QCOMPARE(texts::Unit(1, 6), u" "_s);  // the dryness unit is a blank, not missing
    QVERIFY(texts::ContactText(0).isEmpty() && texts::ContactText(4).isEmpty());
    QVERIFY(texts::Mnemonic(1, 8).isEmpty() && texts::Mnemonic(5, 0).isEmpty());
  }

  // Every picture is readable in its format (the backgrounds through the JPEG
  // reader), of the laid-out size, and drawn: many colours, a spread of luminance.
  void pictures() {
    QTemporaryDir dir;
    QProcess gen;
    gen.start(QString::fromUtf8(TAB97_PICTUREGEN), {dir.path()});
    QVERIFY(gen.waitForFinished(60000) && gen.exitStatus() == QProcess::NormalExit && gen.exitCode() == 0);
    const QSize page(514, 366), close(20, 20), contact(pictures::kContactSize, pictures::kContactSize),
        flag(pictures::kFlagWidth, pictures::kFlagHeight);
    const struct {
      const char* file;
      const char* format;
      QSize size;
      int colours;
    } files[] = {{pictures::kCalculatorBackground, "jpeg", page, 500},
                 {pictures::kPointsBackground, "jpeg", page, 500},
                 {pictures::kFunctionsBackground, "jpeg", page, 500},
                 {pictures::kRangesBackground, "jpeg", page, 500},
                 {pictures::kStartBackground, "jpeg", page, 500},
                 {pictures::kClose, "png", close, 20},
                 {pictures::kContactCustomer, "png", contact, 50},
                 {pictures::kContactLibraries, "png", contact, 50},
                 {pictures::kContactProgram, "png", contact, 50},
                 {pictures::kFlagCzech, "png", flag, 20},
                 {pictures::kFlagEnglish, "jpeg", flag, 20}};
    for (const auto& f : files) {
      QImageReader reader(QDir(dir.path()).filePath(QLatin1String(f.file)));
      QVERIFY2(reader.format() == f.format, f.file);
      const QImage image = reader.read().convertToFormat(QImage::Format_ARGB32);
      QVERIFY2(image.size() == f.size, f.file);
      double sum = 0, sum2 = 0, n = double(image.width()) * image.height();
      QSet<QRgb> colours;
      for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
          const double l = qGray(image.pixel(x, y));
          sum += l, sum2 += l * l;
          colours.insert(image.pixel(x, y));
        }
      QVERIFY2(colours.size() >= f.colours && std::sqrt(std::max(0.0, sum2 / n - sum * sum / n / n)) > 3.0, f.file);
    }
  }

  // Both branches of the saturation line cross the row of t at s′ and s″ with
  // nothing between them, the dome's top stands at the critical point, and the
  // 10 MPa isobar passes 500 °C, s = 6.5995.
  void chartLines() {
    QImage chart(QStringLiteral(TAB97_CHART_DIR "/") + QLatin1String(kChartFile));
    QCOMPARE(chart.size(), QSize(1000, 1700));
    QCOMPARE(QImage(QStringLiteral(TAB97_CHART_DIR "/") + QLatin1String(kNavigatorFile)).size(), QSize(100, 170));
    chart = chart.convertToFormat(QImage::Format_RGB32);
    const struct {
      double s, t;
      bool alongRow;
      double (*weight)(QRgb);
      int reach;
    } points[] = {{0.2965, 20, true, Dark, 6},  {8.6661, 20, true, Dark, 6},  {1.3069, 100, true, Dark, 6},
                  {7.3545, 100, true, Dark, 6}, {2.3305, 200, true, Dark, 6}, {6.4302, 200, true, Dark, 6},
                  {3.2552, 300, true, Dark, 6}, {5.7059, 300, true, Dark, 6}, {4.41, 373.946, false, Dark, 8},
                  {6.5995, 500, true, Blue, 8}};
    for (const auto& p : points) {
      const double along = p.alongRow ? PixelX(p.s) : PixelY(p.t);
      const int at = int(std::lround(p.alongRow ? PixelY(p.t) : PixelX(p.s)));
      const double found = Centre(chart, p.alongRow, at, int(along) - p.reach, int(along) + p.reach, p.weight);
      QVERIFY2(std::fabs(found - along) <= 0.8, qPrintable(u"s %1, t %2: line at %3"_s.arg(p.s).arg(p.t).arg(found)));
    }
    for (int i = 0; i < 8; i += 2) {
      const double inside = Centre(chart, true, int(std::lround(PixelY(points[i].t))), int(PixelX(points[i].s)) + 8,
                                   int(PixelX(points[i + 1].s)) - 8, Dark);
      QVERIFY2(std::isnan(inside), qPrintable(QString::number(inside)));
    }
  }

  // The curves before drawing: each family through the same state, and not
  // through one 0.05 kJ/(kg K) away; chords of at most 6 pixels (bar the
  // straight part of a wet isobar).
  void chartCurves() {
    QVERIFY(PixelDistance(IsobarCurve(10.0), 6.5995, 500) < 0.5);
    QVERIFY(PixelDistance(IsenthalpCurve(3375.1), 6.5995, 500) < 1.0);
    QVERIFY(PixelDistance(IsochoreCurve(0.032811), 6.5995, 500) < 1.0);
    QVERIFY(PixelDistance(DrynessCurve(0.5), (2.3305 + 6.4302) / 2, 200) < 0.5);
    QVERIFY(PixelDistance(SaturationCurve(), 6.4302, 200) < 0.5);
    QVERIFY(PixelDistance(IsobarCurve(10.0), 6.6495, 500) > 3.0);
    const ChartCurves curves = ComputeChartCurves();
    const struct {
      const char* name;
      const std::vector<Curve>& family;
      std::size_t count;
    } families[] = {{"isobar", curves.isobars, IsobarValues().size()},
                    {"isenthalp", curves.isenthalps, IsenthalpValues().size()},
                    {"isochore", curves.isochores, IsochoreValues().size()},
                    {"dryness", curves.dryness, DrynessValues().size()}};
    for (const auto& f : families) {
      QCOMPARE(f.family.size(), f.count);
      for (const Curve& curve : f.family) {
        const QString where = u"%1 %2"_s.arg(QLatin1String(f.name)).arg(curve.value);
        QVERIFY2(!curve.pieces.empty(), qPrintable(where));
        for (const Polyline& piece : curve.pieces)
          for (std::size_t i = 1; i < piece.size(); ++i) {
            const double step =
                std::hypot(PixelX(piece[i].s) - PixelX(piece[i - 1].s), PixelY(piece[i].t) - PixelY(piece[i - 1].t));
            QVERIFY2(piece[i].t == piece[i - 1].t || step <= 6.0, qPrintable(where + u" at t %1"_s.arg(piece[i].t)));
          }
      }
    }
  }
};

QTEST_MAIN(ResourcesTest)
#include "resources_test.moc"
