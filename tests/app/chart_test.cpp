// The generated T-s chart: its size, and that its lines stand where the chart's
// scales (x = 100·s + 35, y = 1674 − 2·t) put published states of water and steam.
// Reference values are those of the international steam tables (saturated
// entropies; the state 10 MPa, 500 °C: v = 0.032811 m3/kg, h = 3375.1 kJ/kg,
// s = 6.5995 kJ/(kg K)). A wrong scale, a shifted drawing or a wrong equation moves a
// line off its pixel.
#include <QImage>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <functional>

#include "res/chart/chartcurves.h"
#include "res/chart/chartscale.h"

using namespace tab97::chart;

namespace {

QString ChartPath(const char* name) { return QStringLiteral(TAB97_CHART_DIR "/") + QLatin1String(name); }

// How strongly a pixel belongs to the black saturation line: only near-black
// pixels count (not white, the grey grid, the coloured families, nor the darker
// mixtures where three of them cross).
double Dark(QRgb p) { return std::max(0, 80 - std::max({qRed(p), qGreen(p), qBlue(p)})); }
// How strongly a pixel belongs to an isobar (blue).
double Blue(QRgb p) { return std::max(0, qBlue(p) - qRed(p) - 40); }

// Weighted centre of a line crossing row y between columns x0 and x1 (or column
// x between rows y0 and y1); NaN when nothing is there.
double CentreAlongRow(const QImage& image, int y, int x0, int x1, const std::function<double(QRgb)>& weight) {
  double sum = 0, moment = 0;
  for (int x = std::max(0, x0); x <= std::min(image.width() - 1, x1); ++x) {
    const double w = weight(image.pixel(x, y));
    sum += w;
    moment += w * x;
  }
  return sum > 0 ? moment / sum : std::nan("");
}
double CentreAlongColumn(const QImage& image, int x, int y0, int y1, const std::function<double(QRgb)>& weight) {
  double sum = 0, moment = 0;
  for (int y = std::max(0, y0); y <= std::min(image.height() - 1, y1); ++y) {
    const double w = weight(image.pixel(x, y));
    sum += w;
    moment += w * y;
  }
  return sum > 0 ? moment / sum : std::nan("");
}

// Distance in chart pixels from (s, t) to the nearest segment of the curve.
double PixelDistance(const Curve& curve, double s, double t) {
  const double px = PixelX(s), py = PixelY(t);
  double best = INFINITY;
  for (const Polyline& piece : curve.pieces) {
    for (std::size_t i = 1; i < piece.size(); ++i) {
      const double ax = PixelX(piece[i - 1].s), ay = PixelY(piece[i - 1].t);
      const double bx = PixelX(piece[i].s) - ax, by = PixelY(piece[i].t) - ay;
      const double l2 = bx * bx + by * by;
      double f = l2 > 0 ? ((px - ax) * bx + (py - ay) * by) / l2 : 0;
      f = std::clamp(f, 0.0, 1.0);
      best = std::min(best, std::hypot(px - ax - f * bx, py - ay - f * by));
    }
  }
  return best;
}

constexpr double kTolerancePixels = 0.8;

}  // namespace

class ChartTest : public QObject {
  Q_OBJECT

  QImage chart_;

 private slots:
  void initTestCase() {
    QVERIFY(chart_.load(ChartPath(kChartFile)));
    chart_ = chart_.convertToFormat(QImage::Format_RGB32);
  }

  void hasTheChartsSize() {
    QCOMPARE(chart_.size(), QSize(1000, 1700));
    QImage navigator;
    QVERIFY(navigator.load(ChartPath(kNavigatorFile)));
    QCOMPARE(navigator.size(), QSize(100, 170));
  }

  // Both branches of the saturation line cross the row of t at s′ and s″.
  void domeThroughSaturatedStates_data() {
    QTest::addColumn<double>("t");
    QTest::addColumn<double>("sLiquid");
    QTest::addColumn<double>("sVapour");
    QTest::newRow("20 °C") << 20.0 << 0.2965 << 8.6661;
    QTest::newRow("100 °C") << 100.0 << 1.3069 << 7.3545;
    QTest::newRow("200 °C") << 200.0 << 2.3305 << 6.4302;
    QTest::newRow("300 °C") << 300.0 << 3.2552 << 5.7059;
  }
  void domeThroughSaturatedStates() {
    QFETCH(double, t);
    QFETCH(double, sLiquid);
    QFETCH(double, sVapour);
    const int y = static_cast<int>(std::lround(PixelY(t)));
    // The line's centre on the row of t (a whole pixel row for a whole degree).
    for (double s : {sLiquid, sVapour}) {
      const double x = PixelX(s);
      const double found = CentreAlongRow(chart_, y, static_cast<int>(x) - 6, static_cast<int>(x) + 6, Dark);
      QVERIFY2(std::fabs(found - x) <= kTolerancePixels,
               qPrintable(QStringLiteral("s %1: line at x %2, expected %3").arg(s).arg(found).arg(x)));
    }
    // Inside the dome, a little way from either branch, there is no saturation line.
    const double inside = CentreAlongRow(chart_, y, static_cast<int>(PixelX(sLiquid)) + 8,
                                         static_cast<int>(PixelX(sVapour)) - 8, Dark);
    QVERIFY2(std::isnan(inside), qPrintable(QString::number(inside)));
  }

  // The top of the dome: the critical point, 373.946 °C, s about 4.41.
  void domeTopAtCriticalTemperature() {
    const int x = static_cast<int>(std::lround(PixelX(4.41)));
    const double y = PixelY(373.946);
    const double found = CentreAlongColumn(chart_, x, static_cast<int>(y) - 8, static_cast<int>(y) + 8, Dark);
    QVERIFY2(std::fabs(found - y) <= kTolerancePixels, qPrintable(QString::number(found)));
  }

  // The 10 MPa isobar passes the superheated state 500 °C, s = 6.5995.
  void superheatedIsobarThroughItsState() {
    const int y = static_cast<int>(std::lround(PixelY(500)));
    const double x = PixelX(6.5995);
    const double found = CentreAlongRow(chart_, y, static_cast<int>(x) - 8, static_cast<int>(x) + 8, Blue);
    QVERIFY2(std::fabs(found - x) <= kTolerancePixels, qPrintable(QString::number(found)));
  }

  // The curves themselves, before drawing: each family through the same state.
  void curvesThroughPublishedStates() {
    QVERIFY(PixelDistance(IsobarCurve(10.0), 6.5995, 500) < 0.5);
    QVERIFY(PixelDistance(IsenthalpCurve(3375.1), 6.5995, 500) < 1.0);
    QVERIFY(PixelDistance(IsochoreCurve(0.032811), 6.5995, 500) < 1.0);
    QVERIFY(PixelDistance(DrynessCurve(0.5), (2.3305 + 6.4302) / 2, 200) < 0.5);
    QVERIFY(PixelDistance(SaturationCurve(), 6.4302, 200) < 0.5);
    // And not through a state 0.05 kJ/(kg K) away.
    QVERIFY(PixelDistance(IsobarCurve(10.0), 6.6495, 500) > 3.0);
  }

  void curvesStaySmooth() {
    const ChartCurves curves = ComputeChartCurves();
    QCOMPARE(curves.isobars.size(), IsobarValues().size());
    QCOMPARE(curves.isenthalps.size(), IsenthalpValues().size());
    QCOMPARE(curves.isochores.size(), IsochoreValues().size());
    QCOMPARE(curves.dryness.size(), DrynessValues().size());
    const auto check = [](const std::vector<Curve>& family, const char* name) {
      for (const Curve& curve : family) {
        QVERIFY2(!curve.pieces.empty(), qPrintable(QStringLiteral("%1 %2").arg(QLatin1String(name)).arg(curve.value)));
        for (const Polyline& piece : curve.pieces) {
          for (std::size_t i = 1; i < piece.size(); ++i) {
            const double step = std::hypot(PixelX(piece[i].s) - PixelX(piece[i - 1].s),
                                           PixelY(piece[i].t) - PixelY(piece[i - 1].t));
            // Chords are at most 3 pixels, bar the straight part of a wet isobar.
            const bool wetPart = piece[i].t == piece[i - 1].t;
            QVERIFY2(wetPart || step <= 6.0, qPrintable(QStringLiteral("%1 %2 at t %3: %4 px")
                                                             .arg(QLatin1String(name))
                                                             .arg(curve.value)
                                                             .arg(piece[i].t)
                                                             .arg(step)));
          }
        }
      }
    };
    check(curves.isobars, "isobar");
    check(curves.isenthalps, "isenthalp");
    check(curves.isochores, "isochore");
    check(curves.dryness, "dryness");
  }
};

QTEST_MAIN(ChartTest)
#include "chart_test.moc"
