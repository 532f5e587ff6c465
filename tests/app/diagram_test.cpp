// The diagram window: the marker arithmetic (rounding halves to even, the chart's
// scales, tooltips), the pan clamps, the navigator frame, the full-size and fit
// modes, driven through the real widgets on the offscreen platform; the buttons
// and the navigator stand beside the chart and never cover its texts.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <cmath>
#include <limits>
#include <vector>

#include "app/diagr.h"
#include "app/diagramlogic.h"
#include "app/hlavniform.h"
#include "app/mainstate.h"
#include "res/chart/chartscale.h"
#include "testsupport.h"

using namespace tab97;
using namespace tab97::diagram;

namespace {

void Send(QWidget* widget, QEvent::Type type, QPoint pos) {
  const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
  const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
  QMouseEvent event(type, QPointF(pos), QPointF(widget->mapToGlobal(pos)), button, buttons, Qt::NoModifier);
  QCoreApplication::sendEvent(widget, &event);
}

// Press at `from`, move by `by`, release, all in the widget's own coordinates at
// the time of each event (the widget may move under the mouse).
void Drag(QWidget* widget, QPoint from, QPoint by) {
  Send(widget, QEvent::MouseButtonPress, from);
  Send(widget, QEvent::MouseMove, from + by);
  Send(widget, QEvent::MouseButtonRelease, from + by);
}

QuantityValues Values(double T, double P, double V, double S, double I, double X) {
  QuantityValues v{};
  v[1] = T, v[2] = P, v[3] = V, v[4] = S, v[5] = I, v[6] = X;
  return v;
}

// The middle pixel of a marker, in the chart's own pixels.
QPoint ChartPixel(const TDiagramForm& form, int k) {
  const QWidget* marker = form.Marker(k);
  return marker->pos() + QPoint(kMarkerHalf, kMarkerHalf) - form.ChartGeometry().topLeft();
}

}  // namespace

class DiagramTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir_;
  QString chartPath_;

  // A window over `state` with the test chart loaded, shown on a screen of the
  // given size (which starts it in full-size mode).
  std::unique_ptr<TDiagramForm> Shown(const MainState& state, QSize screen) {
    auto form = std::make_unique<TDiagramForm>(state);
    form->SetScreenSize(screen);
    if (!form->LoadChart(chartPath_)) return nullptr;
    form->show();
    return form;
  }

 private slots:
  void initTestCase() {
    QVERIFY(dir_.isValid());
    // A chart of the right size, white, with the pixel of t = 0 °C, s = 0 black.
    QImage chart(kChartWidth, kChartHeight, QImage::Format_RGB32);
    chart.fill(Qt::white);
    chart.setPixel(35, 1674, qRgb(0, 0, 0));
    chartPath_ = dir_.filePath(QStringLiteral("DiagrTS.bmp"));
    QVERIFY(chart.save(chartPath_, "BMP"));
  }

  // --- arithmetic ---------------------------------------------------------

  void roundsHalvesToEven_data() {
    QTest::addColumn<double>("x");
    QTest::addColumn<int>("n");
    QTest::newRow("0.5") << 0.5 << 0;
    QTest::newRow("1.5") << 1.5 << 2;
    QTest::newRow("2.5") << 2.5 << 2;
    QTest::newRow("-0.5") << -0.5 << 0;
    QTest::newRow("-2.5") << -2.5 << -2;
    QTest::newRow("2.5001") << 2.5001 << 3;
    QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN() << 0;
    QTest::newRow("huge") << 1e300 << kPixelLimit;
    QTest::newRow("-inf") << -std::numeric_limits<double>::infinity() << -kPixelLimit;
  }
  void roundsHalvesToEven() {
    QFETCH(double, x);
    QFETCH(int, n);
    QCOMPARE(RoundHalfEven(x), n);
  }

  void markerFormulas_data() {
    QTest::addColumn<double>("T");
    QTest::addColumn<double>("S");
    QTest::addColumn<int>("W");
    QTest::addColumn<int>("H");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("top");
    // Full size: the pixel of the state, less 6 for the ring's middle pixel.
    QTest::newRow("0 °C, s 0") << 0.0 << 0.0 << 1000 << 1700 << 29 << 1668;
    QTest::newRow("800 °C, s 9.65") << 800.0 << 9.65 << 1000 << 1700 << 994 << 68;
    // Exact halves: 35.5 and 1673.5 go up to the even 36 and 1674; 36.5 and
    // 1672.5 go down to the even 36 and 1672.
    QTest::newRow("halves up") << 0.25 << 0.005 << 1000 << 1700 << 30 << 1668;
    QTest::newRow("halves down") << 0.75 << 0.015 << 1000 << 1700 << 30 << 1666;
    // Fit to a 1050-pixel client: 610 × 1050 (374 °C, s 4.41 near the dome's top).
    QTest::newRow("fit 374 °C, 4.41") << 374.0 << 4.41 << 610 << 1050 << 284 << 566;
  }
  void markerFormulas() {
    QFETCH(double, T);
    QFETCH(double, S);
    QFETCH(int, W);
    QFETCH(int, H);
    QFETCH(int, left);
    QFETCH(int, top);
    const Rect chart{0, 0, W, H};
    QCOMPARE(MarkerLeft(S, chart), left);
    QCOMPARE(MarkerTop(T, chart), top);
  }

  void markerFollowsChartOrigin() {
    const Rect moved{-200, -650, 1000, 1700};
    QCOMPARE(MarkerLeft(0.0, moved), 29 - 200);
    QCOMPARE(MarkerTop(0.0, moved), 1668 - 650);
  }

  void tooltipCzech() {
    MarkerSource source;
    source.DecimalSeparator = QLatin1Char(',');
    const QString text = MarkerTooltip(Values(100, 0.101325, 1.6718, 7.3545, 2675.6, 1), source);
    QCOMPARE(text, QStringLiteral("Teplota = 100,00 °C\rTlak = 0,101 MPa\rMěrný objem = 1,671800 m3/kg\r"
                                  "Entropie = 7,3545 kJ/kgK\rEntalpie = 2675,600 kJ/kg\rSuchost pary = 1,0000  "));
  }

  void tooltipEnglishWithOwnPlaces() {
    MarkerSource source;
    source.LanguageIndex = 1;
    source.DecimalPlaces = {0, 0, 5, 3, 2, 1, 8};
    const QString text = MarkerTooltip(Values(-1.5, 22.064, 0, 4.41202, 2087.56, 0.5), source);
    QCOMPARE(text, QStringLiteral("Temperature = -2 °C\rPressure = 22.06400 MPa\rSpecific volume = 0.000 m3/kg\r"
                                  "Specific entropy = 4.41 kJ/kgK\rSpecific enthalpy = 2087.6 kJ/kg\r"
                                  "Dryness = 0.50000000  "));
  }

  void calculatorStateShowsOnlyFirstMarker() {
    MarkerSource source;
    source.StateValues = Values(0, 0, 0, 0, 0, 0);
    source.Points[1].Validity = 1.0;  // ignored outside points mode
    const MarkerSpots spots = PlaceMarkers(source, Rect{0, 0, 1000, 1700});
    QVERIFY(spots[0].Visible);
    QCOMPARE(spots[0].Left + kMarkerHalf, 35);
    QCOMPARE(spots[0].Top + kMarkerHalf, 1674);
    for (int k = 1; k < kMarkerCount; ++k) QVERIFY2(!spots[k].Visible, qPrintable(QString::number(k + 1)));
  }

  void pointsModeShowsSolvedPoints() {
    MarkerSource source;
    source.PointsMode = true;
    source.StateValues = Values(50, 1, 0.001, 0.7, 200, 0);
    source.Points[1] = {1.0, Values(100, 0.1, 1.69, 7.36, 2676, 1)};
    source.Points[4] = {1.0, Values(300, 10, 0.0014, 3.25, 1343, 0)};
    source.Points[6] = {0.999999, Values(200, 1, 0.2, 6.7, 2830, 1)};  // not exactly 1.0
    source.Points[8] = {1.0, Values(std::nan(""), 1, 0.2, 6.7, 2830, 1)};
    const MarkerSpots spots = PlaceMarkers(source, Rect{0, 0, 1000, 1700});
    for (int k = 0; k < kMarkerCount; ++k) {
      QCOMPARE(spots[k].Visible, k == 1 || k == 4);
    }
    QCOMPARE(spots[1].Left, MarkerLeft(7.36, Rect{0, 0, 1000, 1700}));
    QCOMPARE(spots[1].Top, 1674 - 200 - 6);
    QCOMPARE(spots[4].Top, 1674 - 600 - 6);
    QVERIFY(spots[1].Tooltip.startsWith(QStringLiteral("Teplota = 100.00 °C\r")));
    QVERIFY(spots[4].Tooltip.startsWith(QStringLiteral("Teplota = 300.00 °C\r")));
  }

  void panClamps_data() {
    QTest::addColumn<int>("proposed");
    QTest::addColumn<int>("client");
    QTest::addColumn<int>("chart");
    QTest::addColumn<int>("result");
    QTest::newRow("inside") << -50 << 900 << 1000 << -50;
    QTest::newRow("past the start") << 40 << 900 << 1000 << 0;
    QTest::newRow("past the end") << -2000 << 900 << 1000 << -100;
    QTest::newRow("chart smaller than client") << -10 << 1200 << 1000 << 0;
  }
  void panClamps() {
    QFETCH(int, proposed);
    QFETCH(int, client);
    QFETCH(int, chart);
    QFETCH(int, result);
    QCOMPARE(ClampPan(proposed, client, chart), result);
  }

  void frameGeometry() {
    // The navigator's corner is (10, 53); the frame stands 2 inside it.
    // 1000 × 1050 viewport: 96 wide, N(102.53) = 103 high.
    QCOMPARE(InitialFrame(1000, 1050, 1000, 1700), (Rect{12, 55, 96, 103}));
    // 800 × 570: N(76.8) = 77, N(55.66) = 56.
    QCOMPARE(InitialFrame(800, 570, 1000, 1700), (Rect{12, 55, 77, 56}));
    // A viewport higher than the chart: the frame is cut to the navigator less 4.
    QCOMPARE(InitialFrame(1000, 2130, 1000, 1700), (Rect{12, 55, 96, 166}));
    QCOMPARE(InitialFrame(1000, 1050, 0, 0), (Rect{12, 55, 96, 166}));
  }

  void frameDragStaysInNavigator() {
    const Rect frame{12, 55, 77, 56};
    QCOMPARE(DragFrame(frame, 500, 500), (Rect{10 + 100 - 2 - 77, 53 + 170 - 2 - 56, 77, 56}));
    QCOMPARE(DragFrame(frame, -500, -500), frame);
    QCOMPARE(DragFrame(frame, 5, 7), (Rect{17, 62, 77, 56}));
  }

  void chartFollowsFrame() {
    const Point window{0, 0};
    // At the limits: the chart's own edges meet the viewport's.
    QCOMPARE(ChartFromFrame(Rect{31, 165, 77, 56}, 800, 570, 1000, 1700, window), (Point{-200, -1130}));
    QCOMPARE(ChartFromFrame(Rect{12, 55, 77, 56}, 800, 570, 1000, 1700, window), (Point{0, 0}));
    // In between: N((10 − 17 + 2)·1000 / 98) = N(−51.02) = −51, N((53 − 81 + 2)·1700 / 168) = N(−263.1).
    QCOMPARE(ChartFromFrame(Rect{17, 81, 77, 56}, 800, 570, 1000, 1700, window), (Point{-51, -263}));
    // A viewport taller than the chart (a screen over 1730 pixels high): the frame
    // fills the navigator and stands at both limits; the chart's bottom edge would
    // come 430 pixels below the viewport's top edge, so the chart stays at 0 instead.
    QCOMPARE(ChartFromFrame(Rect{12, 55, 96, 166}, 1000, 2130, 1000, 1700, window), (Point{0, 0}));
    // The frame follows the chart: 55 − N(−650 / (1700 / 168)) = 55 + 64.
    QCOMPARE(FrameFromChart(Rect{-100, -650, 1000, 1700}, window), (Point{12 + 10, 55 + 64}));
  }

  void fullAndFitGeometry() {
    // The panel of 120 pixels and the chart side by side, at most.
    QCOMPARE(FullSizeWindow(1920, 1080, 1000), (Rect{0, 0, 1120, 1050}));
    QCOMPARE(FullSizeWindow(800, 600, 1000), (Rect{0, 0, 800, 570}));
    QCOMPARE(ChartViewport(1120, 1050), (Rect{120, 0, 1000, 1050}));
    QCOMPARE(ChartViewport(800, 570), (Rect{120, 0, 680, 570}));
    QCOMPARE(ChartViewport(100, 570), (Rect{120, 0, 0, 570}));
    const FitGeometry fit = FitToHeight(Rect{0, 0, 1120, 1050}, 1000, 1700, 1920);
    QCOMPARE(fit.Chart, (Rect{0, 0, 610, 1050}));           // 1050·100 div 1700 = 61 %
    QCOMPARE(fit.Window, (Rect{(1920 - 730) / 2, 0, 730, 1050}));
    // A viewport already narrower than the fitted chart stays as it is.
    const FitGeometry narrow = FitToHeight(Rect{0, 0, 700, 1050}, 1000, 1700, 1920);
    QCOMPARE(narrow.Window, (Rect{0, 0, 700, 1050}));
    const FitGeometry none = FitToHeight(Rect{0, 0, 1000, 1050}, 0, 0, 1920);
    QCOMPARE(none.Window, (Rect{0, 0, 1000, 1050}));
  }

  // --- the window ---------------------------------------------------------

  void loadFailsForMissingFile() {
    MainState state;
    TDiagramForm form(state);
    QVERIFY(!form.LoadChart(dir_.filePath(QStringLiteral("missing.bmp"))));
  }

  void opensFullSizeWithNavigator() {
    MainState state;
    auto form = Shown(state, QSize(1280, 1024));
    QVERIFY(form);
    QCOMPARE(form->objectName(), QStringLiteral("DiagramForm"));
    QCOMPARE(form->windowTitle(), QStringLiteral("Diagramy"));
    QCOMPARE(form->geometry(), QRect(0, 0, 1120, 994));
    QCOMPARE(form->ViewportGeometry(), QRect(120, 0, 1000, 994));
    QCOMPARE(form->ChartGeometry(), QRect(0, 0, 1000, 1700));
    QVERIFY(!form->ChartStretched());
    QVERIFY(form->NavigatorVisible());
    QCOMPARE(form->FrameGeometry(), QRect(12, 55, 96, 97));  // N(994·166 / 1700) = N(97.06)
    auto* nav = form->findChild<QWidget*>(QStringLiteral("ImageNahled"));
    QCOMPARE(nav->geometry(), QRect(10, 53, 100, 170));
  }

  void stateAtZeroLandsOnItsPixel() {
    MainState state;  // all StateValues 0: T = 0 °C, s = 0
    auto form = Shown(state, QSize(1280, 1024));
    QVERIFY(form->Marker(1)->isVisible());
    QCOMPARE(ChartPixel(*form, 1), QPoint(35, 1674));
    QCOMPARE(form->Marker(1)->size(), QSize(13, 13));
    for (int k = 2; k <= 12; ++k) QVERIFY(!form->Marker(k)->isVisible());
    QCOMPARE(form->Marker(1)->toolTip(),
             QStringLiteral("Teplota = 0.00 °C\nTlak = 0.000 MPa\nMěrný objem = 0.000000 m3/kg\n"
                            "Entropie = 0.0000 kJ/kgK\nEntalpie = 0.000 kJ/kg\nSuchost pary = 0.0000  "));
  }

  void pointsModeMarkersWithOwnTooltips() {
    MainState state;
    state.PointsMode = true;
    state.LanguageIndex = 1;
    state.PointTable[1] = {1.0, Values(100, 0.101325, 1.6718, 7.3545, 2675.6, 1)};
    state.PointTable[4] = {1.0, Values(200, 1.5547, 0.0011565, 2.3305, 852.3, 0)};
    auto form = Shown(state, QSize(1280, 1024));
    for (int k = 1; k <= 12; ++k) QCOMPARE(form->Marker(k)->isVisible(), k == 2 || k == 5);
    QCOMPARE(ChartPixel(*form, 2), QPoint(RoundHalfEven(770.45), 1674 - 200));
    QCOMPARE(ChartPixel(*form, 5), QPoint(RoundHalfEven(268.05), 1674 - 400));
    QVERIFY(form->Marker(2)->toolTip().startsWith(QStringLiteral("Temperature = 100.00 °C\nPressure = 0.101 MPa")));
    QVERIFY(form->Marker(5)->toolTip().startsWith(QStringLiteral("Temperature = 200.00 °C\nPressure = 1.555 MPa")));
    QVERIFY(form->Marker(5)->toolTip().contains(QStringLiteral("Specific entropy = 2.3305 kJ/kgK")));
  }

  void panIsClampedAndMarkersFollow() {
    MainState state;
    auto form = Shown(state, QSize(800, 600));  // window 800 × 570, viewport 680 × 570
    QWidget* chart = form->ChartWidget();
    // Far to the top-left: the chart's right and bottom edges meet the viewport's.
    Drag(chart, QPoint(400, 400), QPoint(-5000, -5000));
    QCOMPARE(form->ChartGeometry().topLeft(), QPoint(680 - 1000, 570 - 1700));
    QCOMPARE(ChartPixel(*form, 1), QPoint(35, 1674));
    // The frame shows where: 12 − N(−320 / (1000 / 98)) = 12 + 31, 55 + N(1130 / (1700 / 168)) = 55 + 112.
    QCOMPARE(form->FrameGeometry().topLeft(), QPoint(43, 167));
    // Far back: the chart stops at (0, 0).
    Drag(chart, QPoint(10, 10), QPoint(5000, 5000));
    QCOMPARE(form->ChartGeometry().topLeft(), QPoint(0, 0));
    QCOMPARE(ChartPixel(*form, 1), QPoint(35, 1674));
    QCOMPARE(form->FrameGeometry().topLeft(), QPoint(12, 55));
    // A moderate pan moves by the mouse's way.
    Drag(chart, QPoint(300, 300), QPoint(-120, -333));
    QCOMPARE(form->ChartGeometry().topLeft(), QPoint(-120, -333));
    QCOMPARE(ChartPixel(*form, 1), QPoint(35, 1674));
  }

  void panWaitsForMouseUp() {
    MainState state;
    auto form = Shown(state, QSize(800, 600));
    QWidget* chart = form->ChartWidget();
    Send(chart, QEvent::MouseButtonPress, QPoint(400, 400));
    Send(chart, QEvent::MouseMove, QPoint(300, 200));
    QCOMPARE(form->ChartGeometry().topLeft(), QPoint(0, 0));
    Send(chart, QEvent::MouseButtonRelease, QPoint(300, 200));
    QCOMPARE(form->ChartGeometry().topLeft(), QPoint(-100, -200));
    // A click without a move leaves the chart where it is, and ends the gesture.
    Send(chart, QEvent::MouseButtonPress, QPoint(50, 50));
    Send(chart, QEvent::MouseButtonRelease, QPoint(50, 50));
    form->ImageTSMouseMove(QPoint(0, 0));
    form->ImageTSMouseUp();
    QCOMPARE(form->ChartGeometry().topLeft(), QPoint(-100, -200));
  }

  void frameDragToBottomRightShowsChartsBottomRight() {
    MainState state;
    auto form = Shown(state, QSize(800, 600));
    QWidget* frame = form->FrameWidget();
    QCOMPARE(form->FrameGeometry(), QRect(12, 55, 65, 56));  // N(680·96 / 1000) = N(65.28)
    Drag(frame, QPoint(10, 10), QPoint(300, 400));
    QCOMPARE(form->FrameGeometry().topLeft(), QPoint(10 + 100 - 2 - 65, 53 + 170 - 2 - 56));
    const QRect chart = form->ChartGeometry();
    QCOMPARE(chart.right(), form->ViewportGeometry().width() - 1);
    QCOMPARE(chart.bottom(), form->ViewportGeometry().height() - 1);
    QCOMPARE(ChartPixel(*form, 1), QPoint(35, 1674));
    // And back to the top-left corner.
    Drag(frame, QPoint(10, 10), QPoint(-300, -400));
    QCOMPARE(form->FrameGeometry().topLeft(), QPoint(12, 55));
    QCOMPARE(form->ChartGeometry().topLeft(), QPoint(0, 0));
  }

  void frameReleaseOnTallScreenKeepsChartAtTop() {
    MainState state;
    auto form = Shown(state, QSize(1200, 2160));
    QCOMPARE(form->FrameGeometry(), QRect(12, 55, 96, 166));
    Drag(form->FrameWidget(), QPoint(10, 10), QPoint(20, 20));
    QCOMPARE(form->FrameGeometry().topLeft(), QPoint(12, 55));
    QCOMPARE(form->ChartGeometry().topLeft(), QPoint(0, 0));
    QCOMPARE(ChartPixel(*form, 1), QPoint(35, 1674));
  }

  void fitModeIgnoresMouseDown() {
    MainState state;
    state.StateValues = Values(0, 0, 0, 0, 0, 0);
    auto form = Shown(state, QSize(1920, 1080));
    QCOMPARE(form->geometry(), QRect(0, 0, 1120, 1050));
    form->findChild<QToolButton*>(QStringLiteral("BitBtn1"))->click();
    QVERIFY(form->ChartStretched());
    QVERIFY(!form->NavigatorVisible());
    QCOMPARE(form->ChartGeometry(), QRect(0, 0, 610, 1050));
    QCOMPARE(form->geometry(), QRect(595, 0, 730, 1050));
    QCOMPARE(form->ViewportGeometry(), QRect(120, 0, 610, 1050));
    QCOMPARE(form->Marker(1)->pos(), QPoint(15, 1028));  // N(21.35) − 6, N(1033.94) − 6
    Drag(form->ChartWidget(), QPoint(300, 500), QPoint(-200, -300));
    QCOMPARE(form->ChartGeometry(), QRect(0, 0, 610, 1050));
    QCOMPARE(form->Marker(1)->pos(), QPoint(15, 1028));
    // Fit again does nothing; full size comes back with the navigator.
    form->BitBtn1Click();
    QCOMPARE(form->ChartGeometry(), QRect(0, 0, 610, 1050));
    form->findChild<QToolButton*>(QStringLiteral("BitBtn2"))->click();
    QVERIFY(!form->ChartStretched());
    QCOMPARE(form->ChartGeometry(), QRect(0, 0, 1000, 1700));
    QCOMPARE(form->geometry(), QRect(0, 0, 1120, 1050));
    QVERIFY(form->NavigatorVisible());
    QCOMPARE(ChartPixel(*form, 1), QPoint(35, 1674));
  }

  void fullSizeAgainDoesNothing() {
    MainState state;
    auto form = Shown(state, QSize(800, 600));
    Drag(form->ChartWidget(), QPoint(300, 300), QPoint(-100, -100));
    form->BitBtn2Click();
    QCOMPARE(form->ChartGeometry().topLeft(), QPoint(-100, -100));
  }

  void reopeningStartsFullSizeAtOrigin() {
    MainState state;
    auto form = Shown(state, QSize(800, 600));
    Drag(form->ChartWidget(), QPoint(300, 300), QPoint(-100, -100));
    form->hide();
    state.StateValues = Values(100, 0.1, 1.69, 7.3545, 2676, 1);
    form->show();
    QCOMPARE(form->ChartGeometry(), QRect(0, 0, 1000, 1700));
    QCOMPARE(ChartPixel(*form, 1), QPoint(RoundHalfEven(770.45), 1474));
  }

  void navigatorFallsBackToReducedChart() {
    MainState state;
    auto form = Shown(state, QSize(800, 600));
    const auto* nav = form->findChild<QLabel*>(QStringLiteral("ImageNahled"));
    QCOMPARE(nav->pixmap().size(), QSize(100, 170));
  }

  // The generated chart in the window, in both modes, with markers at known
  // saturation states: each marker's middle pixel is red on screen, ringed by
  // red. With TAB97_SCREENSHOT_DIR set, both views are saved there.
  void bothModesOnTheGeneratedChart() {
    MainState state;
    state.PointsMode = true;
    ChartPoints& p = state.PointTable;
    p[0] = {1.0, Values(100, 0.101418, 0.0010435, 1.3069, 419.17, 0)};
    p[1] = {1.0, Values(100, 0.101418, 1.6718, 7.3545, 2675.6, 1)};
    p[2] = {1.0, Values(200, 1.5549, 0.0011565, 2.3305, 852.27, 0)};
    p[3] = {1.0, Values(200, 1.5549, 0.12721, 6.4302, 2792.0, 1)};
    p[5] = {1.0, Values(500, 10, 0.032811, 6.5995, 3373.6, 1)};
    auto form = std::make_unique<TDiagramForm>(state);
    form->SetScreenSize(QSize(1280, 1024));
    QVERIFY(form->LoadChart(QStringLiteral(TAB97_CHART_DIR "/DiagrTS.bmp")));
    form->show();
    Drag(form->ChartWidget(), QPoint(500, 500), QPoint(0, -560));  // the dome's upper part in view
    const QString shots = qEnvironmentVariable("TAB97_SCREENSHOT_DIR");
    const auto check = [&](const char* name) {
      const QImage shot = form->grab().toImage();
      const auto red = [](QColor c) { return c.red() > 180 && c.green() < 60 && c.blue() < 60; };
      for (int k : {1, 2, 3, 4, 6}) {
        const QWidget* marker = form->Marker(k);
        QVERIFY(marker->isVisible());
        const QPoint centre = marker->mapTo(form.get(), QPoint(kMarkerHalf, kMarkerHalf));
        if (!form->ViewportGeometry().contains(centre)) continue;
        const QString where = QStringLiteral("%1 marker %2").arg(QLatin1String(name)).arg(k);
        QVERIFY2(red(shot.pixelColor(centre)), qPrintable(where + shot.pixelColor(centre).name()));
        for (const QPoint ring : {QPoint(4, 0), QPoint(-4, 0), QPoint(0, 4), QPoint(0, -4)})
          QVERIFY2(red(shot.pixelColor(centre + ring)), qPrintable(where + QStringLiteral(" ring")));
      }
      if (!shots.isEmpty()) QVERIFY(shot.save(QDir(shots).filePath(QLatin1String(name) + QStringLiteral(".png"))));
    };
    check("diagram-full");
    QVERIFY(!form->Marker(5)->isVisible());
    form->BitBtn1Click();
    check("diagram-fit");
  }

  // Whatever the mode, the screen and the pan, the buttons, the navigator and
  // its frame stand wholly in the window, beside the chart's viewport, and
  // cover none of the chart's texts (title, units, axis numbers, legend).
  void controlsKeepOffTheChartsTexts_data() {
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<bool>("fit");
    QTest::addColumn<QPoint>("pan");
    QTest::newRow("full, 1280 × 1024") << QSize(1280, 1024) << false << QPoint(0, 0);
    QTest::newRow("full, 800 × 600") << QSize(800, 600) << false << QPoint(0, 0);
    QTest::newRow("full, 800 × 600, panned") << QSize(800, 600) << false << QPoint(-5000, -5000);
    QTest::newRow("full, 1920 × 1080, panned") << QSize(1920, 1080) << false << QPoint(-40, -300);
    QTest::newRow("fit, 1920 × 1080") << QSize(1920, 1080) << true << QPoint(0, 0);
    QTest::newRow("fit, 1280 × 1024") << QSize(1280, 1024) << true << QPoint(0, 0);
    QTest::newRow("fit, 800 × 600") << QSize(800, 600) << true << QPoint(0, 0);
  }
  void controlsKeepOffTheChartsTexts() {
    QFETCH(QSize, screen);
    QFETCH(bool, fit);
    QFETCH(QPoint, pan);
    MainState state;
    auto form = Shown(state, screen);
    if (pan != QPoint(0, 0)) Drag(form->ChartWidget(), QPoint(400, 400), pan);
    if (fit) form->BitBtn1Click();
    QCOMPARE(form->ChartStretched(), fit);
    // The chart's text bands where the window shows them: scaled with the chart,
    // moved with it, cut to the viewport.
    const QRect viewport = form->ViewportGeometry();
    const QRect picture = form->ChartGeometry().translated(viewport.topLeft());
    const double sx = picture.width() / double(chart::kWidth), sy = picture.height() / double(chart::kHeight);
    std::vector<QRect> texts;
    for (const chart::TextBand& band : chart::kTextBands) {
      const QRect shown(picture.left() + int(std::floor(band.left * sx)),
                        picture.top() + int(std::floor(band.top * sy)), int(std::ceil(band.width * sx)),
                        int(std::ceil(band.height * sy)));
      if (shown.intersects(viewport)) texts.push_back(shown & viewport);
    }
    QVERIFY(!texts.empty());
    const QRect window(QPoint(0, 0), form->size());
    int controls = 0;
    for (const char* name : {"BitBtn1", "BitBtn2", "BitBtn3", "ImageNahled", "poloha"}) {
      const QWidget* control = form->findChild<QWidget*>(QLatin1String(name));
      QVERIFY(control != nullptr);
      if (!control->isVisible()) continue;
      ++controls;
      const QRect g = control->geometry();
      QVERIFY2(window.contains(g), name);
      QVERIFY2(!g.intersects(viewport), name);
      for (const QRect& text : texts)
        QVERIFY2(!g.intersects(text), qPrintable(QStringLiteral("%1 over the chart's text at %2, %3")
                                                    .arg(QLatin1String(name)).arg(text.x()).arg(text.y())));
    }
    QCOMPARE(controls, fit ? 3 : 5);
  }

  // --- with the main window ----------------------------------------------

  // The main window loads the generated chart at its first activation, and its
  // menu entry "Diagram" then opens the window modally, in full-size mode with
  // the calculator's state marked; closing ends it with OK.
  void mainWindowLoadsChartAndOpensDiagram() {
    QTemporaryDir program;
    QVERIFY(QFile::copy(QStringLiteral(TAB97_CHART_DIR "/DiagrTS.bmp"), program.filePath(QStringLiteral("DiagrTS.bmp"))));
    testsupport::MessageRecorder messages;
    const testsupport::FakePlatform platform(QLatin1Char(','), program.path());
    ThlavniForm main(platform, nullptr);
    TDiagramForm diagram(main.State());
    diagram.SetScreenSize(QSize(1280, 1024));
    main.SetChartHost(&diagram);
    main.FormActivate();
    QVERIFY(main.State().DiagramLoaded);
    messages.texts.clear();  // the missing configuration file's message
    main.State().StateValues = Values(100, 0.101418, 1.6718, 7.3545, 2675.6, 1);
    bool shown = false;
    QPoint marker;
    QTimer::singleShot(0, &diagram, [&] {
      shown = diagram.isVisible() && diagram.isModal();
      marker = ChartPixel(diagram, 1);
      diagram.findChild<QToolButton*>(QStringLiteral("BitBtn3"))->click();
    });
    main.menuMouseUp(main.findChild<QLabel*>(QStringLiteral("menuDiagram")));
    QVERIFY(shown);
    QCOMPARE(marker, QPoint(770, 1474));
    QCOMPARE(diagram.result(), int(QDialog::Accepted));
    QVERIFY(!diagram.isVisible());
    QVERIFY(messages.texts.isEmpty());
  }

};

QTEST_MAIN(DiagramTest)
#include "diagram_test.moc"
