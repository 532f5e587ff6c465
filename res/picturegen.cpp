// Draws the pictures of the main window: the five page backgrounds (JPEG), the
// close picture, the three contact pictures and the two flags. Run by the build
// with the output directory as its only argument; it writes every file there.
// One navy design throughout: a deep vertical gradient, a soft glow, a fine dot
// grid, a framed content panel and a faint motif of water and steam per page.

#include <QColor>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QString>

#include <cmath>
#include <cstdio>
#include <vector>

#include "res/pictures.h"

namespace {

using namespace tab97::pictures;

const QColor kNavyTop(0x10, 0x29, 0x5c);
const QColor kNavyBottom(0x05, 0x11, 0x2c);
const QColor kAccent(0x8f, 0xb8, 0xff);

enum class Motif { Calculator, Points, Functions, Ranges, Start };

// The saturation dome of water in the temperature-entropy plane, (s kJ/(kg K), t °C):
// the liquid branch up to the critical point, then the vapour branch back down.
const std::vector<QPointF> kDome = {
    {0.0, 0.0},   {0.57, 40.0}, {1.31, 100.0}, {1.84, 150.0}, {2.33, 200.0}, {2.79, 250.0},
    {3.25, 300.0}, {3.78, 350.0}, {4.11, 370.0}, {4.41, 374.0}, {4.76, 370.0}, {5.21, 350.0},
    {5.70, 300.0}, {6.07, 250.0}, {6.43, 200.0}, {6.84, 150.0}, {7.35, 100.0}, {8.26, 40.0},
    {9.16, 0.0},
};

// A smooth path through the points (Catmull-Rom turned into cubic Béziers).
QPainterPath SmoothPath(const std::vector<QPointF>& p) {
  QPainterPath path(p.front());
  for (std::size_t i = 0; i + 1 < p.size(); ++i) {
    const QPointF p0 = i == 0 ? p[i] : p[i - 1];
    const QPointF p3 = i + 2 < p.size() ? p[i + 2] : p[i + 1];
    path.cubicTo(p[i] + (p[i + 1] - p0) / 6.0, p[i + 1] - (p3 - p[i]) / 6.0, p[i + 1]);
  }
  return path;
}

// Maps the dome into the rectangle: s 0 … 9.2 across, t 0 … 380 °C up.
std::vector<QPointF> DomeIn(const QRectF& r) {
  std::vector<QPointF> out;
  for (const QPointF& q : kDome)
    out.emplace_back(r.left() + q.x() / 9.2 * r.width(), r.bottom() - q.y() / 380.0 * r.height());
  return out;
}

void DrawDomeMotif(QPainter& p, const QRectF& r, int alpha) {
  const std::vector<QPointF> dome = DomeIn(r);
  QPainterPath outline = SmoothPath(dome);
  QPainterPath filled = outline;
  filled.closeSubpath();
  QLinearGradient fill(r.topLeft(), r.bottomLeft());
  fill.setColorAt(0.0, QColor(120, 170, 255, alpha / 2));
  fill.setColorAt(1.0, QColor(120, 170, 255, 0));
  p.fillPath(filled, fill);
  p.setPen(QPen(QColor(150, 190, 255, alpha), 1.4));
  p.drawPath(outline);
  // A few isobars: level across the dome, then climbing to the right.
  p.setPen(QPen(QColor(150, 190, 255, alpha / 2), 1.0, Qt::DashLine));
  for (int k = 1; k <= 3; ++k) {
    const double t = 90.0 * k;
    const double y = r.bottom() - t / 380.0 * r.height();
    double xl = r.left(), xr = r.right();
    for (std::size_t i = 0; i + 1 < dome.size(); ++i) {
      const QPointF a = dome[i], b = dome[i + 1];
      if ((a.y() - y) * (b.y() - y) <= 0 && a.y() != b.y()) {
        const double x = a.x() + (y - a.y()) / (b.y() - a.y()) * (b.x() - a.x());
        if (i < dome.size() / 2) xl = x; else xr = x;
      }
    }
    QPainterPath iso(QPointF(xl - 14, y + 26));
    iso.quadTo(QPointF(xl - 4, y + 4), QPointF(xl, y));
    iso.lineTo(QPointF(xr, y));
    iso.cubicTo(QPointF(xr + 18, y - 6), QPointF(xr + 30, y - 26), QPointF(xr + 46, y - 60));
    p.drawPath(iso);
  }
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 214, 120, alpha + 40));
  p.drawEllipse(dome[9], 2.6, 2.6);  // critical point
}

void DrawPointsMotif(QPainter& p, const QRectF& r, int alpha) {
  std::vector<QPointF> pts;
  for (int k = 0; k < 12; ++k) {
    const double f = k / 11.0;
    pts.emplace_back(r.left() + f * r.width(), r.bottom() - (0.15 + 0.7 * std::pow(f, 1.6)) * r.height() -
                                                   6.0 * std::sin(k * 1.7));
  }
  p.setPen(QPen(QColor(150, 190, 255, alpha), 1.2));
  p.drawPath(SmoothPath(pts));
  p.setPen(QPen(QColor(200, 220, 255, alpha + 30), 1.0));
  p.setBrush(QColor(20, 50, 110, 200));
  for (const QPointF& q : pts) p.drawEllipse(q, 3.0, 3.0);
}

void DrawFunctionsMotif(QPainter& p, const QRectF& r, int alpha) {
  for (int k = 0; k < 6; ++k) {
    std::vector<QPointF> pts;
    for (int i = 0; i <= 24; ++i) {
      const double f = i / 24.0;
      const double y = std::log1p(f * (2.0 + 3.0 * k)) / std::log1p(2.0 + 3.0 * k);
      pts.emplace_back(r.left() + f * r.width(), r.bottom() - y * r.height() * (0.35 + 0.13 * k));
    }
    p.setPen(QPen(QColor(150, 190, 255, alpha - 4 * k), 1.1));
    p.drawPath(SmoothPath(pts));
  }
}

void DrawRangesMotif(QPainter& p, const QRectF& r, int alpha) {
  const QPointF c(r.right() - 10, r.bottom() + 20);
  for (int k = 0; k < 3; ++k) {
    p.setPen(QPen(QColor(150, 190, 255, alpha - 10 * k), 1.2));
    const double rad = r.height() * (0.95 - 0.22 * k);
    p.drawArc(QRectF(c.x() - rad, c.y() - rad, 2 * rad, 2 * rad), 90 * 16, 90 * 16);
  }
  const double rad = r.height() * 0.95;
  for (int i = 0; i <= 18; ++i) {
    const double a = (90.0 + 5.0 * i) * M_PI / 180.0;
    const double len = i % 3 == 0 ? 12.0 : 6.0;
    p.setPen(QPen(QColor(170, 205, 255, alpha + 10), 1.0));
    p.drawLine(QPointF(c.x() + rad * std::cos(a), c.y() - rad * std::sin(a)),
               QPointF(c.x() + (rad - len) * std::cos(a), c.y() - (rad - len) * std::sin(a)));
  }
}

void DrawStartMotif(QPainter& p, const QRectF& panel) {
  // Rings behind the title and a wide faint dome along the bottom.
  const QPointF c(panel.center().x(), panel.top() + 6);
  for (int k = 0; k < 5; ++k) {
    p.setPen(QPen(QColor(150, 190, 255, 26 - 4 * k), 1.0));
    const double rad = 60.0 + 34.0 * k;
    p.drawEllipse(c, rad * 1.9, rad * 0.55);
  }
  DrawDomeMotif(p, QRectF(panel.left() + 30, panel.bottom() - 120, panel.width() - 60, 110), 40);
}

void DrawDotGrid(QPainter& p, const QRect& area) {
  p.setPen(QColor(255, 255, 255, 13));
  for (int y = area.top() + 4; y < area.bottom(); y += 10)
    for (int x = area.left() + 4; x < area.right(); x += 10) p.drawPoint(x, y);
}

// A horizontal hairline fading out at both ends.
void DrawFadingLine(QPainter& p, double x1, double x2, double y, int alpha) {
  QLinearGradient g(x1, y, x2, y);
  g.setColorAt(0.0, QColor(130, 175, 255, 0));
  g.setColorAt(0.5, QColor(130, 175, 255, alpha));
  g.setColorAt(1.0, QColor(130, 175, 255, 0));
  p.setPen(QPen(QBrush(g), 1.0));
  p.drawLine(QPointF(x1, y), QPointF(x2, y));
}

QImage Background(Motif motif) {
  QImage img(kBackgroundWidth, kBackgroundHeight, QImage::Format_RGB32);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  const QRect all = img.rect();

  QLinearGradient base(0, 0, 0, all.height());
  base.setColorAt(0.0, kNavyTop);
  base.setColorAt(1.0, kNavyBottom);
  p.fillRect(all, base);

  QRadialGradient glow(motif == Motif::Start ? QPointF(257, 40) : QPointF(120, 70), 400);
  glow.setColorAt(0.0, QColor(70, 125, 215, 70));
  glow.setColorAt(1.0, QColor(70, 125, 215, 0));
  p.fillRect(all, glow);
  DrawDotGrid(p, all);

  const bool hasMenu = motif != Motif::Start;
  if (hasMenu) {
    QLinearGradient strip(0, 0, 0, 32);
    strip.setColorAt(0.0, QColor(4, 14, 38, 200));
    strip.setColorAt(1.0, QColor(8, 24, 58, 160));
    p.fillRect(QRect(0, 0, all.width(), 32), strip);
    DrawFadingLine(p, 0, all.width(), 31.5, 170);
  }

  const QRectF panel = hasMenu ? QRectF(12.5, 40.5, 489, 314) : QRectF(12.5, 12.5, 489, 341);
  QPainterPath panelPath;
  panelPath.addRoundedRect(panel, 9, 9);
  QLinearGradient panelFill(panel.topLeft(), panel.bottomLeft());
  panelFill.setColorAt(0.0, QColor(255, 255, 255, 16));
  panelFill.setColorAt(1.0, QColor(255, 255, 255, 5));
  p.fillPath(panelPath, panelFill);
  p.setPen(QPen(QColor(150, 185, 255, 60), 1.0));
  p.drawPath(panelPath);

  p.save();
  p.setClipPath(panelPath);
  switch (motif) {
    case Motif::Calculator:
      DrawDomeMotif(p, QRectF(352, 206, 140, 140), 46);
      DrawFadingLine(p, 60, 454, 63.5, 90);
      DrawFadingLine(p, 60, 454, 149.5, 90);
      break;
    case Motif::Points:
      DrawPointsMotif(p, QRectF(300, 250, 190, 90), 40);
      break;
    case Motif::Functions:
      DrawFunctionsMotif(p, QRectF(300, 230, 195, 115), 44);
      DrawFadingLine(p, 60, 454, 63.5, 90);
      break;
    case Motif::Ranges:
      DrawRangesMotif(p, QRectF(330, 200, 170, 150), 44);
      break;
    case Motif::Start:
      DrawStartMotif(p, panel);
      DrawFadingLine(p, 90, 424, 52.5, 140);
      break;
  }
  p.restore();

  p.setPen(QPen(QColor(90, 130, 210, 120), 1.0));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(0.5, 0.5, all.width() - 1, all.height() - 1));
  return img;
}

QImage Transparent(int w, int h) {
  QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  return img;
}

// A rounded navy tile with a light rim: the common ground of the small pictures.
void DrawTile(QPainter& p, const QRectF& r, double radius) {
  QLinearGradient g(r.topLeft(), r.bottomRight());
  g.setColorAt(0.0, QColor(0x2a, 0x5d, 0xb0));
  g.setColorAt(1.0, QColor(0x0b, 0x22, 0x55));
  QPainterPath path;
  path.addRoundedRect(r, radius, radius);
  p.fillPath(path, g);
  QLinearGradient gloss(r.topLeft(), QPointF(r.left(), r.center().y()));
  gloss.setColorAt(0.0, QColor(255, 255, 255, 60));
  gloss.setColorAt(1.0, QColor(255, 255, 255, 0));
  p.fillPath(path, gloss);
  p.setPen(QPen(QColor(170, 205, 255, 200), 1.0));
  p.drawPath(path);
}

QImage ClosePicture() {
  QImage img = Transparent(kCloseSize, kCloseSize);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  DrawTile(p, QRectF(1.5, 1.5, kCloseSize - 3, kCloseSize - 3), 4);
  p.setPen(QPen(QColor(255, 255, 255, 235), 1.8, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(6.5, 6.5), QPointF(13.5, 13.5));
  p.drawLine(QPointF(13.5, 6.5), QPointF(6.5, 13.5));
  return img;
}

QPen SymbolPen(double width = 1.6) {
  return QPen(QColor(255, 255, 255, 235), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// The contracting party: a power plant with a cooling tower, a stack and steam.
QImage ContactCustomer() {
  QImage img = Transparent(kContactSize, kContactSize);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  DrawTile(p, QRectF(1.5, 1.5, kContactSize - 3, kContactSize - 3), 8);
  p.setPen(SymbolPen());
  QPainterPath tower(QPointF(9, 34));
  tower.cubicTo(QPointF(13, 26), QPointF(13, 20), QPointF(11, 14));
  tower.lineTo(QPointF(23, 14));
  tower.cubicTo(QPointF(21, 20), QPointF(21, 26), QPointF(25, 34));
  p.drawPath(tower);
  p.drawRect(QRectF(28, 12, 4, 22));
  p.drawLine(QPointF(6, 34.5), QPointF(38, 34.5));
  p.setPen(SymbolPen(1.2));
  QPainterPath steam(QPointF(14, 11));
  steam.cubicTo(QPointF(12, 8), QPointF(18, 7), QPointF(16, 4));
  p.drawPath(steam);
  QPainterPath smoke(QPointF(30, 10));
  smoke.cubicTo(QPointF(29, 7), QPointF(34, 7), QPointF(33, 4));
  p.drawPath(smoke);
  return img;
}

// The calculation libraries: the saturation dome with its critical point and an isobar.
QImage ContactLibraries() {
  QImage img = Transparent(kContactSize, kContactSize);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  DrawTile(p, QRectF(1.5, 1.5, kContactSize - 3, kContactSize - 3), 8);
  p.setPen(SymbolPen(1.2));
  p.drawLine(QPointF(8, 8), QPointF(8, 35));
  p.drawLine(QPointF(8, 35), QPointF(37, 35));
  const std::vector<QPointF> dome = DomeIn(QRectF(10, 11, 25, 23));
  p.setPen(SymbolPen(1.6));
  p.drawPath(SmoothPath(dome));
  p.setPen(QPen(QColor(255, 214, 120), 1.2));
  p.drawLine(QPointF(13, 27), QPointF(31, 27));
  p.drawLine(QPointF(31, 27), QPointF(36, 16));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 214, 120));
  p.drawEllipse(dome[9], 2.0, 2.0);
  return img;
}

// The user program: a small window with a title bar, text lines and a chart.
QImage ContactProgram() {
  QImage img = Transparent(kContactSize, kContactSize);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  DrawTile(p, QRectF(1.5, 1.5, kContactSize - 3, kContactSize - 3), 8);
  p.setPen(SymbolPen(1.4));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(QRectF(7.5, 9.5, 29, 24), 2.5, 2.5);
  p.drawLine(QPointF(7.5, 14.5), QPointF(36.5, 14.5));
  p.setPen(SymbolPen(1.2));
  for (int k = 0; k < 3; ++k) p.drawLine(QPointF(11, 19.5 + 4 * k), QPointF(20, 19.5 + 4 * k));
  p.setPen(QPen(QColor(255, 214, 120), 1.3));
  QPainterPath curve(QPointF(23, 30));
  curve.cubicTo(QPointF(26, 22), QPointF(29, 26), QPointF(33, 18));
  p.drawPath(curve);
  p.setPen(SymbolPen(1.4));
  p.drawLine(QPointF(17, 37.5), QPointF(27, 37.5));
  return img;
}

// A light sheen and a thin dark rim give the flags the look of a small tile.
void FinishFlag(QPainter& p, const QRectF& r) {
  QLinearGradient sheen(r.topLeft(), r.bottomLeft());
  sheen.setColorAt(0.0, QColor(255, 255, 255, 70));
  sheen.setColorAt(0.45, QColor(255, 255, 255, 0));
  sheen.setColorAt(1.0, QColor(0, 0, 0, 40));
  p.fillRect(r, sheen);
  p.setPen(QPen(QColor(10, 25, 60), 1.0));
  p.setBrush(Qt::NoBrush);
  p.drawRect(r.adjusted(0.5, 0.5, -0.5, -0.5));
}

QImage FlagCzech() {
  QImage img = Transparent(kFlagWidth, kFlagHeight);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF r(0, 0, kFlagWidth, kFlagHeight);
  p.fillRect(QRectF(0, 0, r.width(), r.height() / 2), QColor(0xff, 0xff, 0xff));
  p.fillRect(QRectF(0, r.height() / 2, r.width(), r.height() / 2), QColor(0xd7, 0x14, 0x1a));
  QPainterPath wedge(QPointF(0, 0));
  wedge.lineTo(QPointF(r.width() / 2, r.height() / 2));
  wedge.lineTo(QPointF(0, r.height()));
  wedge.closeSubpath();
  p.fillPath(wedge, QColor(0x11, 0x45, 0x7e));
  FinishFlag(p, r);
  return img;
}

QImage FlagEnglish() {
  QImage img(kFlagWidth, kFlagHeight, QImage::Format_RGB32);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  const double w = kFlagWidth, h = kFlagHeight;
  const QColor blue(0x01, 0x21, 0x69), red(0xc8, 0x10, 0x2e), white(0xff, 0xff, 0xff);
  p.fillRect(QRectF(0, 0, w, h), blue);
  // White saltire with a narrow red one on it, then the white and red crosses.
  p.setPen(QPen(white, h * 0.2, Qt::SolidLine, Qt::FlatCap));
  p.drawLine(QPointF(0, 0), QPointF(w, h));
  p.drawLine(QPointF(w, 0), QPointF(0, h));
  p.setPen(QPen(red, h * 0.07, Qt::SolidLine, Qt::FlatCap));
  p.drawLine(QPointF(0, 0), QPointF(w, h));
  p.drawLine(QPointF(w, 0), QPointF(0, h));
  p.fillRect(QRectF(w / 2 - h / 6, 0, h / 3, h), white);
  p.fillRect(QRectF(0, h / 2 - h / 6, w, h / 3), white);
  p.fillRect(QRectF(w / 2 - h / 10, 0, h / 5, h), red);
  p.fillRect(QRectF(0, h / 2 - h / 10, w, h / 5), red);
  FinishFlag(p, QRectF(0, 0, w, h));
  return img;
}

bool Save(const QImage& img, const QDir& dir, const char* name) {
  const QString path = dir.filePath(QString::fromLatin1(name));
  const bool jpeg = path.endsWith(QLatin1String(".jpg"));
  if (img.save(path, jpeg ? "JPG" : "PNG", jpeg ? 92 : -1)) return true;
  std::fprintf(stderr, "picturegen: cannot write %s\n", qPrintable(path));
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: picturegen <output directory>\n");
    return 2;
  }
  QDir dir(QString::fromLocal8Bit(argv[1]));
  if (!dir.mkpath(QStringLiteral("."))) {
    std::fprintf(stderr, "picturegen: cannot create %s\n", argv[1]);
    return 1;
  }
  bool ok = true;
  ok &= Save(Background(Motif::Calculator), dir, kCalculatorBackground);
  ok &= Save(Background(Motif::Points), dir, kPointsBackground);
  ok &= Save(Background(Motif::Functions), dir, kFunctionsBackground);
  ok &= Save(Background(Motif::Ranges), dir, kRangesBackground);
  ok &= Save(Background(Motif::Start), dir, kStartBackground);
  ok &= Save(ClosePicture(), dir, kClose);
  ok &= Save(ContactCustomer(), dir, kContactCustomer);
  ok &= Save(ContactLibraries(), dir, kContactLibraries);
  ok &= Save(ContactProgram(), dir, kContactProgram);
  ok &= Save(FlagCzech(), dir, kFlagCzech);
  ok &= Save(FlagEnglish(), dir, kFlagEnglish);
  return ok ? 0 : 1;
}
