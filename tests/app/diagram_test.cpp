// The diagram window driven through its widgets on the offscreen platform: the
// full-size mode with the navigator, the markers on their states' pixels with
// their tooltips, panning by the chart and by the navigator frame within their
// limits, the fit-to-height mode, the markers drawn on the generated chart, and
// the controls beside the chart that never cover its texts.
#include <QtTest>

#include <QToolButton>

#include <memory>

#include "app/diagr.h"
#include "testsupport.h"

using namespace Qt::Literals::StringLiterals;
using namespace tab97;
using namespace tab97::diagram;
using testsupport::SendMouse;

namespace {

// Press at `from`, move by `by`, release, in the widget's own coordinates at the
// time of each event (the widget may move under the mouse).
void Drag(QWidget* widget, QPoint from, QPoint by) {
  SendMouse(widget, QEvent::MouseButtonPress, from);
  SendMouse(widget, QEvent::MouseMove, from + by, true);
  SendMouse(widget, QEvent::MouseButtonRelease, from + by);
}

QuantityValues Values(double T, double P, double V, double S, double I, double X) { return {0, T, P, V, S, I, X}; }

// The middle pixel of a marker, in the chart's own pixels.
QPoint ChartPixel(const TDiagramForm& form, int k) {
  return form.Marker(k)->pos() + QPoint(kMarkerHalf, kMarkerHalf) - form.ChartGeometry().topLeft();
}

}  // namespace

class DiagramTest : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  QString chartPath_;

  // A window over `state` with the test chart loaded, shown on a screen of the
  // given size (which starts it in full-size mode).
  std::unique_ptr<TDiagramForm> Shown(const MainState& state, QSize screen, const QString& chart = {}) {
    auto form = std::make_unique<TDiagramForm>(state);
    form->SetScreenSize(screen);
    if (!form->LoadChart(chart.isEmpty() ? chartPath_ : chart)) return nullptr;
    form->show();
    return form;
  }

 private slots:
  void initTestCase() {
    QVERIFY(dir_.isValid());
    // A white chart of the right size with the pixel of t = 0 °C, s = 0 black.
    QImage chart(kChartWidth, kChartHeight, QImage::Format_RGB32);
    chart.fill(Qt::white);
    chart.setPixel(35, 1674, qRgb(0, 0, 0));
    chartPath_ = dir_.filePath(u"DiagrTS.bmp"_s);
    QVERIFY(chart.save(chartPath_, "BMP"));
  }

  // Full size: the panel beside the chart, the navigator (a reduced chart when
  // no navigator picture lies beside it) with its frame, and the calculator's
  // state marked, its tooltip in the window's language, separator and decimals.
  void opensFullSizeWithNavigator() {
    MainState state;
    QVERIFY(!TDiagramForm(state).LoadChart(dir_.filePath(u"missing.bmp"_s)));
    state.LanguageIndex = 1;
    state.DecimalSeparator = u',';
    state.DecimalPlaces = {0, 1, 2, 3, 4, 5, 6};
    auto form = Shown(state, QSize(1280, 1024));
    QVERIFY(form);
    QCOMPARE(form->geometry(), QRect(0, 0, 1120, 994));
    QCOMPARE(form->ViewportGeometry(), QRect(120, 0, 1000, 994));
    QCOMPARE(form->ChartGeometry(), QRect(0, 0, 1000, 1700));
    QVERIFY(!form->ChartStretched() && form->NavigatorVisible());
    QCOMPARE(form->FrameGeometry(), QRect(12, 55, 96, 97));  // N(994·166 / 1700) = N(97.06)
    const auto* navigator = form->findChild<QLabel*>(u"ImageNahled"_s);
    QCOMPARE(navigator->geometry(), QRect(10, 53, 100, 170));
    QCOMPARE(navigator->pixmap().size(), QSize(100, 170));
    QCOMPARE(ChartPixel(*form, 1), QPoint(35, 1674));
    QCOMPARE(form->Marker(1)->size(), QSize(13, 13));
    for (int k = 2; k <= 12; ++k) QVERIFY(!form->Marker(k)->isVisible());
    QCOMPARE(form->Marker(1)->toolTip(),
             u"Temperature = 0,0 °C\nPressure = 0,00 MPa\nSpecific volume = 0,000 m3/kg\n"
             "Specific entropy = 0,0000 kJ/kgK\nSpecific enthalpy = 0,00000 kJ/kg\nDryness = 0,000000  "_s);
  }

  // A pan waits for the mouse button to come up and stops where the chart's edges
  // meet the viewport's; markers and frame follow; full size again keeps it.
  void panIsClampedAndMarkersFollow() {
    MainState state;
    auto form = Shown(state, QSize(800, 600));  // window 800 × 570, viewport 680 × 570
    QWidget* chart = form->ChartWidget();
    SendMouse(chart, QEvent::MouseButtonPress, QPoint(400, 400));
    SendMouse(chart, QEvent::MouseMove, QPoint(300, 200), true);
    QCOMPARE(form->ChartGeometry().topLeft(), QPoint(0, 0));
    SendMouse(chart, QEvent::MouseButtonRelease, QPoint(300, 200));
    QCOMPARE(form->ChartGeometry().topLeft(), QPoint(-100, -200));
    QCOMPARE(ChartPixel(*form, 1), QPoint(35, 1674));
    // A click without a move leaves the chart where it is, and ends the gesture.
    SendMouse(chart, QEvent::MouseButtonPress, QPoint(50, 50));
    SendMouse(chart, QEvent::MouseButtonRelease, QPoint(50, 50));
    form->ImageTSMouseMove(QPoint(0, 0));
    form->ImageTSMouseUp();
    QCOMPARE(form->ChartGeometry().topLeft(), QPoint(-100, -200));
    Drag(chart, QPoint(400, 400), QPoint(-5000, -5000));
    QCOMPARE(form->ChartGeometry().topLeft(), QPoint(680 - 1000, 570 - 1700));
    QCOMPARE(ChartPixel(*form, 1), QPoint(35, 1674));
    // 12 − N(−320 / (1000 / 98)) = 12 + 31, 55 + N(1130 / (1700 / 168)) = 55 + 112.
    QCOMPARE(form->FrameGeometry().topLeft(), QPoint(43, 167));
    Drag(chart, QPoint(10, 10), QPoint(5000, 5000));
    QCOMPARE(form->ChartGeometry().topLeft(), QPoint(0, 0));
    QCOMPARE(form->FrameGeometry().topLeft(), QPoint(12, 55));
    Drag(chart, QPoint(300, 300), QPoint(-120, -333));
    form->BitBtn2Click();
    QCOMPARE(form->ChartGeometry().topLeft(), QPoint(-120, -333));
    QCOMPARE(ChartPixel(*form, 1), QPoint(35, 1674));
  }

  // The frame stays within the navigator; at its bottom-right limit the chart's
  // bottom-right corner shows, back at the top-left the chart's origin.
  void frameDragMovesTheChart() {
    MainState state;
    auto form = Shown(state, QSize(800, 600));
    QWidget* frame = form->FrameWidget();
    QCOMPARE(form->FrameGeometry(), QRect(12, 55, 65, 56));  // N(680·96 / 1000) = N(65.28)
    Drag(frame, QPoint(10, 10), QPoint(300, 400));
    QCOMPARE(form->FrameGeometry().topLeft(), QPoint(10 + 100 - 2 - 65, 53 + 170 - 2 - 56));
    QCOMPARE(form->ChartGeometry().bottomRight(), QPoint(679, 569));
    QCOMPARE(ChartPixel(*form, 1), QPoint(35, 1674));
    Drag(frame, QPoint(10, 10), QPoint(-300, -400));
    QCOMPARE(form->FrameGeometry().topLeft(), QPoint(12, 55));
    QCOMPARE(form->ChartGeometry().topLeft(), QPoint(0, 0));
    // A viewport taller than the chart: the frame fills the navigator, and the
    // chart stays at the top however the frame is released.
    form = Shown(state, QSize(1200, 2160));
    QCOMPARE(form->FrameGeometry(), QRect(12, 55, 96, 166));
    Drag(form->FrameWidget(), QPoint(10, 10), QPoint(20, 20));
    QCOMPARE(form->ChartGeometry().topLeft(), QPoint(0, 0));
    QCOMPARE(ChartPixel(*form, 1), QPoint(35, 1674));
  }

  // Fit to height: the chart as high as the viewport, the window cut to it and
  // centred, no navigator, no panning; showing anew starts at full size.
  void fitToHeightAndBack() {
    MainState state;
    auto form = Shown(state, QSize(1920, 1080));
    QCOMPARE(form->geometry(), QRect(0, 0, 1120, 1050));
    form->findChild<QToolButton*>(u"BitBtn1"_s)->click();
    QVERIFY(form->ChartStretched() && !form->NavigatorVisible());
    QCOMPARE(form->ChartGeometry(), QRect(0, 0, 610, 1050));  // 1050·100 div 1700 = 61 %
    QCOMPARE(form->geometry(), QRect(595, 0, 730, 1050));
    QCOMPARE(form->ViewportGeometry(), QRect(120, 0, 610, 1050));
    QCOMPARE(form->Marker(1)->pos(), QPoint(15, 1028));  // N(21.35) − 6, N(1033.94) − 6
    Drag(form->ChartWidget(), QPoint(300, 500), QPoint(-200, -300));
    form->BitBtn1Click();
    QCOMPARE(form->ChartGeometry(), QRect(0, 0, 610, 1050));
    QCOMPARE(form->Marker(1)->pos(), QPoint(15, 1028));
    form->findChild<QToolButton*>(u"BitBtn2"_s)->click();
    QVERIFY(!form->ChartStretched() && form->NavigatorVisible());
    QCOMPARE(form->ChartGeometry(), QRect(0, 0, 1000, 1700));
    QCOMPARE(form->geometry(), QRect(0, 0, 1120, 1050));
    Drag(form->ChartWidget(), QPoint(300, 300), QPoint(-100, -100));
    form->hide();
    state.StateValues = Values(100, 0.1, 1.69, 7.3545, 2676, 1);
    form->show();
    QCOMPARE(form->ChartGeometry(), QRect(0, 0, 1000, 1700));
    QCOMPARE(ChartPixel(*form, 1), QPoint(770, 1474));  // N(770.45)
  }

  // On the generated chart in both modes, each solved point's marker is drawn
  // red on its middle pixel and ring (saved to TAB97_SCREENSHOT_DIR when set).
  void bothModesOnTheGeneratedChart() {
    MainState state;
    state.PointsMode = true;
    ChartPoints& p = state.PointTable;
    p[0] = {1.0, Values(100, 0.101418, 0.0010435, 1.3069, 419.17, 0)};
    p[1] = {1.0, Values(100, 0.101418, 1.6718, 7.3545, 2675.6, 1)};
    p[2] = {1.0, Values(200, 1.5549, 0.0011565, 2.3305, 852.27, 0)};
    p[3] = {1.0, Values(200, 1.5549, 0.12721, 6.4302, 2792.0, 1)};
    p[5] = {1.0, Values(500, 10, 0.032811, 6.5995, 3373.6, 1)};
    auto form = Shown(state, QSize(1280, 1024), QStringLiteral(TAB97_CHART_DIR "/DiagrTS.bmp"));
    QVERIFY(form);
    Drag(form->ChartWidget(), QPoint(500, 500), QPoint(0, -560));  // the dome's upper part in view
    const QString shots = qEnvironmentVariable("TAB97_SCREENSHOT_DIR");
    const auto check = [&](const char* name) {
      const QImage shot = form->grab().toImage();
      const auto red = [](QColor c) { return c.red() > 180 && c.green() < 60 && c.blue() < 60; };
      for (int k = 1; k <= 12; ++k) QCOMPARE(form->Marker(k)->isVisible(), p[k - 1].Validity == 1.0);
      for (int k : {1, 2, 3, 4, 6}) {
        const QPoint centre = form->Marker(k)->mapTo(form.get(), QPoint(kMarkerHalf, kMarkerHalf));
        if (!form->ViewportGeometry().contains(centre)) continue;
        for (const QPoint ring : {QPoint(0, 0), QPoint(4, 0), QPoint(-4, 0), QPoint(0, 4), QPoint(0, -4)})
          QVERIFY2(red(shot.pixelColor(centre + ring)), qPrintable(u"%1 marker %2"_s.arg(QLatin1String(name)).arg(k)));
      }
      if (!shots.isEmpty()) QVERIFY(shot.save(QDir(shots).filePath(QLatin1String(name) + u".png"_s)));
    };
    check("diagram-full");
    form->BitBtn1Click();
    check("diagram-fit");
  }

  // Whatever the mode, the screen and the pan, the buttons, the navigator and
  // its frame stand wholly in the window, beside the chart's viewport, so that
  // they never cover the chart's texts (title, units, axis numbers, legend).
  void controlsBesideTheChart_data() {
    testsupport::AddRows("window.txt", "diagramControls", {"screen", "fit", "pan"});
  }
  void controlsBesideTheChart() {
    using testsupport::F, testsupport::Ints;
    MainState state;
    auto form = Shown(state, QSize(Ints(F("screen"))[0], Ints(F("screen"))[1]));
    Drag(form->ChartWidget(), QPoint(400, 400), QPoint(Ints(F("pan"))[0], Ints(F("pan"))[1]));
    if (F("fit") == u"1"_s) form->BitBtn1Click();
    const QRect viewport = form->ViewportGeometry();
    QVERIFY(form->ChartGeometry().translated(viewport.topLeft()).intersects(viewport));
    int controls = 0;
    for (const char* name : {"BitBtn1", "BitBtn2", "BitBtn3", "ImageNahled", "poloha"}) {
      const QWidget* control = testsupport::FindIn<QWidget>(*form, name);
      controls += control->isVisible();
      const QRect g = control->geometry();
      QVERIFY2(!control->isVisible() || (QRect(QPoint(0, 0), form->size()).contains(g) && !g.intersects(viewport)),
               name);
    }
    QCOMPARE(controls, F("fit") == u"1"_s ? 3 : 5);
  }
};

QTEST_MAIN(DiagramTest)
#include "diagram_test.moc"
