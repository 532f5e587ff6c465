// chartgen: draws the T-s chart "DiagrTS.bmp" (1000 × 1700) and the navigator's
// picture "DiagrTSNahled.bmp" (100 × 170) from the property library, into the
// directory given as the only argument. The build runs it, so the chart always
// agrees with the equations. Prints how long each step took.
#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>

#include <cstdio>

#include "res/chart/chartcurves.h"
#include "res/chart/chartdraw.h"
#include "res/chart/chartscale.h"

namespace {

bool Write(const QImage& image, const QDir& dir, const char* name) {
  const QString path = dir.filePath(QString::fromLatin1(name));
  // 24-bit BMP, no alpha channel.
  if (image.convertToFormat(QImage::Format_RGB888).save(path, "BMP")) return true;
  std::fprintf(stderr, "chartgen: cannot write %s\n", qPrintable(path));
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: chartgen <output directory>\n");
    return 2;
  }
  const QDir dir(QString::fromLocal8Bit(argv[1]));
  if (!QDir().mkpath(dir.path())) {
    std::fprintf(stderr, "chartgen: cannot create %s\n", argv[1]);
    return 1;
  }
  QElapsedTimer clock;
  clock.start();
  const tab97::chart::ChartCurves curves = tab97::chart::ComputeChartCurves();
  const qint64 computed = clock.nsecsElapsed();
  const QImage chart = tab97::chart::DrawChart(curves);
  const QImage navigator = tab97::chart::DrawNavigator(curves);
  const qint64 drawn = clock.nsecsElapsed();
  const bool ok = Write(chart, dir, tab97::chart::kChartFile) && Write(navigator, dir, tab97::chart::kNavigatorFile);
  const qint64 written = clock.nsecsElapsed();
  std::printf("chartgen: curves %.0f ms, drawing %.0f ms, writing %.0f ms, total %.0f ms\n", computed / 1e6,
              (drawn - computed) / 1e6, (written - drawn) / 1e6, written / 1e6);
  return ok ? 0 : 1;
}
