// The diagram window through its widgets: markers and tooltips, panning by the chart
// and the navigator frame, fit to height, and controls that never cover the chart.
#include <QtTest>

#include <QToolButton>

#include <memory>

#include "app/diagr.h"
#include "testsupport.h"

using namespace Qt::Literals::StringLiterals;
using namespace tab97;
using namespace tab97::diagram;
using namespace testsupport;

namespace {

// Press at `from`, move by `by`, release, in the widget's coordinates of each event's time.
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

  // A window over `state` with the chart loaded, shown (at full size) on a screen of the given size.
  std::unique_ptr<TDiagramForm> Shown(const MainState& state, QSize screen, const QString& chart = {}) {
    auto form = std::make_unique<TDiagramForm>(state);
    form->SetScreenSize(screen);
    if (!form->LoadChart(chart.isEmpty() ? chartPath_ : chart)) return nullptr;
    form->show();
    return form;
  }

 private slots:
  void initTestCase() {
    // A white chart of the right size with the pixel of t = 0 °C, s = 0 black.
    QImage chart(kChartWidth, kChartHeight, QImage::Format_RGB32);
    chart.fill(Qt::white);
    chart.setPixel(35, 1674, qRgb(0, 0, 0));
    chartPath_ = dir_.filePath(u"DiagrTS.bmp"_s);
    QVERIFY(chart.save(chartPath_, "BMP"));
  }

  // Without a navigator picture the navigator is the chart reduced; the state's tooltip is in the window's
  // language, separator and decimals; showing anew starts at full size with the state of then.
  void opensWithNavigatorAndMarker() {
    MainState state;
    QVERIFY(!TDiagramForm(state).LoadChart(dir_.filePath(u"missing.bmp"_s)));
    state.LanguageIndex = 1;
    state.DecimalSeparator = u',';
    state.DecimalPlaces = {0, 1, 2, 3, 4, 5, 6};
    auto form = Shown(state, QSize(1280, 1024));
    const auto* navigator = FindIn(*form, "ImageNahled");
    QCOMPARE(navigator->geometry(), QRect(10, 53, 100, 170));
    QCOMPARE(navigator->pixmap().size(), QSize(100, 170));
    for (int k = 2; k <= 12; ++k) QVERIFY(!form->Marker(k)->isVisible());
    QCOMPARE(form->Marker(1)->toolTip(),
             u"Temperature = 0,0 °C\nPressure = 0,00 MPa\nSpecific volume = 0,000 m3/kg\n"
             "Specific entropy = 0,0000 kJ/kgK\nSpecific enthalpy = 0,00000 kJ/kg\nDryness = 0,000000  "_s);
    form->BitBtn1Click();
    form->hide();
    state.StateValues = Values(100, 0.1, 1.69, 7.3545, 2676, 1);
    form->show();
    QCOMPARE(form->ChartGeometry(), QRect(0, 0, 1000, 1700));
    QCOMPARE(ChartPixel(*form, 1), QPoint(770, 1474));  // N(770.45)
  }

  // A pan waits for the button to come up; a click without a move ends the gesture, moving nothing.
  void panWaitsForRelease() {
    MainState state;
    auto form = Shown(state, QSize(800, 600));
    QWidget* chart = form->ChartWidget();
    SendMouse(chart, QEvent::MouseButtonPress, QPoint(400, 400));
    SendMouse(chart, QEvent::MouseMove, QPoint(300, 200), true);
    QCOMPARE(form->ChartGeometry().topLeft(), QPoint(0, 0));
    SendMouse(chart, QEvent::MouseButtonRelease, QPoint(300, 200));
    QCOMPARE(form->ChartGeometry().topLeft(), QPoint(-100, -200));
    Click(chart, QPoint(50, 50));
    form->ImageTSMouseMove(QPoint(0, 0));
    form->ImageTSMouseUp();
    QCOMPARE(form->ChartGeometry().topLeft(), QPoint(-100, -200));
    QCOMPARE(ChartPixel(*form, 1), QPoint(35, 1674));
  }

  // After a row's steps the geometry is the row's, and the controls lie in the window beside the viewport.
  void geometry_data() {
    AddRows("window.txt", "diagram", {"screen", "steps", "window", "viewport", "chart", "frame", "pixel"});
  }
  void geometry() {
    MainState state;
    auto form = Shown(state, QSize(Ints(F("screen"))[0], Ints(F("screen"))[1]));
    for (const QString& step : F("steps").split(u';', Qt::SkipEmptyParts)) {
      const QStringList w = step.split(u' ', Qt::SkipEmptyParts);
      const QPoint by = w.size() == 3 ? QPoint(w[1].toInt(), w[2].toInt()) : QPoint();
      if (w[0] == u"pan") Drag(form->ChartWidget(), QPoint(400, 400), by);
      if (w[0] == u"frame") Drag(form->FrameWidget(), QPoint(10, 10), by);
      if (w[0] == u"fit" || w[0] == u"full")
        FindIn<QToolButton>(*form, w[0] == u"fit" ? "BitBtn1" : "BitBtn2")->click();
    }
    const bool fit = F("frame") == u"-"_s;
    QCOMPARE(form->ChartStretched(), fit);
    QCOMPARE(form->NavigatorVisible(), !fit);
    const QRect viewport = form->ViewportGeometry();
    const auto four = [](QRect r) { return QList<int>{r.x(), r.y(), r.width(), r.height()}; };
    const QPoint pixel = ChartPixel(*form, 1);
    const QString shown[] = {F("window"), F("viewport"), F("chart"), fit ? u"*"_s : F("frame"), F("pixel")};
    const QList<int> got[] = {four(form->geometry()), four(viewport), four(form->ChartGeometry()),
                              four(form->FrameGeometry()), {pixel.x(), pixel.y()}};
    for (int i = 0; i < 5; ++i)
      if (shown[i] != u"*") QCOMPARE(got[i], Ints(shown[i]));
    QVERIFY(form->ChartGeometry().translated(viewport.topLeft()).intersects(viewport));
    int controls = 0;
    for (const char* name : {"BitBtn1", "BitBtn2", "BitBtn3", "ImageNahled", "poloha"}) {
      const QWidget* control = FindIn<QWidget>(*form, name);
      controls += control->isVisible();
      const QRect g = control->geometry();
      QVERIFY2(!control->isVisible() || (QRect(QPoint(0, 0), form->size()).contains(g) && !g.intersects(viewport)),
               name);
    }
    QCOMPARE(controls, fit ? 3 : 5);
  }

  // On the generated chart each solved point's marker is red at its middle and ring (shots to TAB97_SCREENSHOT_DIR).
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
};

QTEST_MAIN(DiagramTest)
#include "diagram_test.moc"
