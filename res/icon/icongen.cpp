// Draws the program's icon: a navy tile with the saturation dome of the T-s
// chart in white and a state point on it in red, as PNG files of 48, 128 and 256
// pixels and as an SVG drawing of the same shapes.
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>

namespace {

// The shapes in a 256-unit square.
constexpr double kTile = 256, kRadius = 48;
constexpr double kDomeLeftX = 52, kDomeTopX = 128, kDomeRightX = 204, kBaseY = 196, kTopY = 60;
constexpr double kPointX = 170, kPointY = 150, kPointR = 16;

QPainterPath Dome() {
  QPainterPath dome;
  dome.moveTo(kDomeLeftX, kBaseY);
  dome.cubicTo(kDomeLeftX + 10, 110, kDomeTopX - 34, kTopY, kDomeTopX, kTopY);
  dome.cubicTo(kDomeTopX + 34, kTopY, kDomeRightX - 10, 110, kDomeRightX, kBaseY);
  return dome;
}

QImage Icon(int size) {
  QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / kTile, size / kTile);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x1a, 0x2a, 0x6c));
  p.drawRoundedRect(QRectF(0, 0, kTile, kTile), kRadius, kRadius);
  p.setPen(QPen(QColor(0x8f, 0xa8, 0xe0), 6));
  p.drawLine(QPointF(36, 212), QPointF(220, 212));  // the entropy axis
  p.drawLine(QPointF(36, 212), QPointF(36, 40));    // the temperature axis
  p.setPen(QPen(Qt::white, 14, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  p.drawPath(Dome());
  p.setPen(QPen(Qt::white, 5));
  p.setBrush(QColor(0xe0, 0x30, 0x30));
  p.drawEllipse(QPointF(kPointX, kPointY), kPointR, kPointR);
  return img;
}

QByteArray Svg() {
  return QByteArrayLiteral(
      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" viewBox=\"0 0 256 256\">\n"
      "  <rect width=\"256\" height=\"256\" rx=\"48\" fill=\"#1a2a6c\"/>\n"
      "  <path d=\"M36 212H220M36 212V40\" stroke=\"#8fa8e0\" stroke-width=\"6\" fill=\"none\"/>\n"
      "  <path d=\"M52 196C62 110 94 60 128 60C162 60 194 110 204 196\" stroke=\"#fff\" stroke-width=\"14\" "
      "stroke-linecap=\"round\" fill=\"none\"/>\n"
      "  <circle cx=\"170\" cy=\"150\" r=\"16\" fill=\"#e03030\" stroke=\"#fff\" stroke-width=\"5\"/>\n"
      "</svg>\n");
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: icongen <output directory>\n");
    return 2;
  }
  const QDir dir(QString::fromLocal8Bit(argv[1]));
  if (!dir.mkpath(QStringLiteral("."))) return 1;
  bool ok = true;
  for (int size : {48, 128, 256})
    ok &= Icon(size).save(dir.filePath(QStringLiteral("tab97-%1.png").arg(size)), "PNG");
  QFile svg(dir.filePath(QStringLiteral("tab97.svg")));
  ok &= svg.open(QIODevice::WriteOnly) && svg.write(Svg()) > 0;
  return ok ? 0 : 1;
}
