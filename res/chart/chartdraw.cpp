#include "res/chart/chartdraw.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QPolygonF>
#include <QString>
#include <QTransform>

#include <cmath>
#include <vector>

#include "props/saturation.h"
#include "res/chart/chartscale.h"

namespace tab97::chart {

namespace {

QColor Colour(std::uint32_t rgb) { return QColor(static_cast<QRgb>(rgb)); }

QPointF ToPixel(const TsPoint& p) { return {PixelX(p.s), PixelY(p.t)}; }

QPolygonF PixelLine(const Polyline& line) {
  QPolygonF pixels;
  pixels.reserve(static_cast<qsizetype>(line.size()));
  for (const TsPoint& p : line) pixels << ToPixel(p);
  return pixels;
}

QFont ChartFont(int pixels, bool bold = false) {
  QFont font(QStringLiteral("Liberation Sans"));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

// Numbers on the chart carry the decimal comma.
QString Number(double value) { return QString::number(value, 'g', 6).replace(QLatin1Char('.'), QLatin1Char(',')); }

// The part of the bitmap where curve labels may stand: inside the axes, clear of
// the title band and of the legend.
const QRectF kLabelArea(38, 80, 957, 1590);
const QRectF kLegendBox(kLegend.left, kLegend.top, kLegend.width, kLegend.height);

// A label's place on a curve: its centre and its angle along the curve.
struct LabelSpot {
  QPointF at;
  double angle = 0;  // degrees, −90 … 90
};

// A polyline with its arc length, to find points at a distance along it.
class Track {
 public:
  explicit Track(const QPolygonF& line) : line_(line) {
    length_.reserve(line.size());
    double total = 0;
    for (qsizetype i = 0; i < line.size(); ++i) {
      if (i > 0) total += std::hypot(line[i].x() - line[i - 1].x(), line[i].y() - line[i - 1].y());
      length_.push_back(total);
    }
  }
  double Length() const { return length_.empty() ? 0 : length_.back(); }

  QPointF At(double d) const {
    if (line_.isEmpty()) return {};
    if (d <= 0) return line_.front();
    if (d >= Length()) return line_.back();
    std::size_t i = 1;
    while (i < length_.size() && length_[i] < d) ++i;
    const double span = length_[i] - length_[i - 1];
    const double f = span > 0 ? (d - length_[i - 1]) / span : 0;
    return line_[i - 1] + f * (line_[i] - line_[i - 1]);
  }

  LabelSpot Spot(double d, double halfWidth) const {
    const QPointF a = At(d - halfWidth), b = At(d + halfWidth);
    double angle = std::atan2(b.y() - a.y(), b.x() - a.x()) * 180.0 / M_PI;
    if (angle > 90) angle -= 180;
    if (angle <= -90) angle += 180;
    return {At(d), angle};
  }

 private:
  QPolygonF line_;
  std::vector<double> length_;
};

// Keeps the placed labels apart from each other and from the saturation line.
class LabelPlacer {
 public:
  LabelPlacer() { taken_.push_back(QPolygonF(kLegendBox)); }

  // A box that no label may cover.
  void Take(const QRectF& box) { taken_.push_back(QPolygonF(box)); }

  void Avoid(const QPainterPath& line, double width) {
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    avoid_.push_back(stroker.createStroke(line));
  }

  // Tries the spots in turn; draws the label at the first that is free.
  bool Place(QPainter& painter, const QString& text, const QFont& font, const QColor& colour,
             const std::vector<LabelSpot>& spots) {
    const QFontMetricsF metrics(font);
    const double w = metrics.horizontalAdvance(text) + 4;
    const double h = metrics.ascent() + metrics.descent();
    for (const LabelSpot& spot : spots) {
      QTransform transform;
      transform.translate(spot.at.x(), spot.at.y());
      transform.rotate(spot.angle);
      const QPolygonF box = transform.map(QPolygonF(QRectF(-w / 2, -h / 2, w, h)));
      if (!Free(box)) continue;
      taken_.push_back(box);
      Draw(painter, text, font, colour, spot, w, metrics);
      return true;
    }
    return false;
  }

 private:
  bool Free(const QPolygonF& box) const {
    for (const QPointF& corner : box) {
      if (!kLabelArea.contains(corner)) return false;
    }
    for (const QPolygonF& other : taken_) {
      if (other.intersects(box)) return false;
    }
    QPainterPath area;
    area.addPolygon(box);
    for (const QPainterPath& line : avoid_) {
      if (line.intersects(area)) return false;
    }
    return true;
  }

  static void Draw(QPainter& painter, const QString& text, const QFont& font, const QColor& colour,
                   const LabelSpot& spot, double w, const QFontMetricsF& metrics) {
    painter.save();
    painter.translate(spot.at);
    painter.rotate(spot.angle);
    // The label stands on a patch of background that hides the line under it.
    const double h = metrics.ascent() + metrics.descent();
    painter.setPen(Qt::NoPen);
    painter.setBrush(Colour(kBackgroundColour));
    painter.drawRoundedRect(QRectF(-w / 2, -h / 2, w, h), 2, 2);
    QPainterPath path;
    const double baseline = (metrics.ascent() - metrics.descent()) / 2;
    path.addText(-w / 2 + 2, baseline, font, text);
    painter.setBrush(colour);
    painter.drawPath(path);
    painter.restore();
  }

  std::vector<QPolygonF> taken_;
  std::vector<QPainterPath> avoid_;
};

// Spots along a line from distance `first` in steps of `step` (negative: from
// the end backwards), as many as fit.
std::vector<LabelSpot> SpotsAlong(const QPolygonF& line, double first, double step, double halfWidth) {
  const Track track(line);
  std::vector<LabelSpot> spots;
  const double length = track.Length();
  if (length < 2 * halfWidth) return spots;
  if (step < 0) first = length - first;
  for (double d = first; d >= halfWidth && d <= length - halfWidth; d += step) {
    spots.push_back(track.Spot(d, halfWidth));
  }
  return spots;
}

// The part of a line inside the label area, so label spots are counted from
// where the line becomes visible.
QPolygonF Visible(const QPolygonF& line) {
  QPolygonF inside;
  for (const QPointF& p : line) {
    if (kLabelArea.contains(p)) inside << p;
  }
  return inside;
}

QPainterPath PathOf(const std::vector<Polyline>& pieces) {
  QPainterPath path;
  for (const Polyline& piece : pieces) path.addPolygon(PixelLine(piece));
  return path;
}

void DrawGrid(QPainter& painter) {
  painter.setRenderHint(QPainter::Antialiasing, false);
  const QPen minor(Colour(kGridMinorColour), 1);
  const QPen major(Colour(kGridMajorColour), 1);
  // Entropy every 0.1 kJ/(kg K), stronger every 0.5; temperature every 10 K, stronger every 50 K.
  for (int i = -3; i <= 96; ++i) {
    const int x = static_cast<int>(PixelX(i / 10.0) + 0.5);
    painter.setPen(i % 5 == 0 ? major : minor);
    painter.drawLine(x, 0, x, kHeight - 1);
  }
  for (int i = -1; i <= 83; ++i) {
    const int y = static_cast<int>(PixelY(i * 10.0) + 0.5);
    painter.setPen(i % 5 == 0 ? major : minor);
    painter.drawLine(0, y, kWidth - 1, y);
  }
}

void DrawHaloText(QPainter& painter, QPointF at, const QFont& font, const QString& text, const QColor& colour) {
  QPainterPath path;
  path.addText(at, font, text);
  painter.save();
  painter.setPen(QPen(Colour(kBackgroundColour), 3.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(path);
  painter.setPen(Qt::NoPen);
  painter.setBrush(colour);
  painter.drawPath(path);
  painter.restore();
}

// Axis numbers: temperatures in the left margin and at the right edge, entropies
// in the bottom band and in the top band; the boxes of those inside the chart are
// kept free of curve labels.
void DrawAxes(QPainter& painter, LabelPlacer& placer) {
  painter.setRenderHint(QPainter::Antialiasing, true);
  const QFont font = ChartFont(12);
  const QFontMetricsF metrics(font);
  painter.setFont(font);
  painter.setPen(Colour(kAxisTextColour));
  // Temperatures every 50 °C in the left margin and at the right edge.
  for (int t = 0; t <= 800; t += 50) {
    const double y = PixelY(t) + 0.5;
    const QString text = QString::number(t);
    const double w = metrics.horizontalAdvance(text);
    const double baseline = y + (metrics.ascent() - metrics.descent()) / 2;
    painter.drawText(QPointF(32 - w, baseline), text);
    const QPointF right(kWidth - 4 - w, baseline);
    DrawHaloText(painter, right, font, text, Colour(kAxisTextColour));
    placer.Take(QRectF(right.x() - 3, y - metrics.ascent() / 2 - 3, w + 6, metrics.ascent() + 6));
  }
  // Entropies every 0.5 kJ/(kg K) in the bottom band.
  for (int i = 0; i <= 19; ++i) {
    const double s = i * 0.5;
    const QString text = Number(s);
    const double w = metrics.horizontalAdvance(text);
    painter.drawText(QPointF(PixelX(s) + 0.5 - w / 2, kHeight - 8), text);
    if (i > 0 && i < 19) painter.drawText(QPointF(PixelX(s) + 0.5 - w / 2, PixelY(800) - 5), text);
  }
  const QFont unitFont = ChartFont(13, true);
  painter.setFont(unitFont);
  painter.drawText(QPointF(3, 64), QStringLiteral("t [°C]"));
  const QString sUnit = QStringLiteral("s [kJ/(kg K)]");
  painter.drawText(QPointF(kWidth - 6 - QFontMetricsF(unitFont).horizontalAdvance(sUnit), 48), sUnit);
}

void DrawTitle(QPainter& painter) {
  painter.setPen(Colour(kAxisTextColour));
  painter.setFont(ChartFont(17, true));
  painter.drawText(QPointF(170, 24), QStringLiteral("T-s diagram vody a vodní páry  ·  IAPWS-IF97"));
  painter.setFont(ChartFont(13));
  painter.drawText(QPointF(170, 46), QStringLiteral("T-s chart of water and steam"));
}

void DrawLegend(QPainter& painter) {
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setPen(QPen(Colour(kGridMajorColour), 1));
  painter.setBrush(Colour(kBackgroundColour));
  painter.drawRoundedRect(kLegendBox.adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
  struct Row {
    std::uint32_t colour;
    double width;
    Qt::PenStyle style;
    const char16_t* text;
  };
  const Row rows[] = {
      {kDomeColour, 2.2, Qt::SolidLine, u"mez sytosti / saturation line"},
      {kIsobarColour, 1.2, Qt::SolidLine, u"izobary / isobars  p [MPa]"},
      {kIsenthalpColour, 1.1, Qt::SolidLine, u"izoentalpy / isenthalps  h [kJ/kg]"},
      {kIsochoreColour, 1.1, Qt::DashLine, u"izochory / isochores  v [m³/kg]"},
      {kDrynessColour, 1.0, Qt::SolidLine, u"suchost / dryness  x [1]"},
  };
  const QFont font = ChartFont(12);
  painter.setFont(font);
  double y = kLegendBox.top() + 22;
  for (const Row& row : rows) {
    QPen pen(Colour(row.colour), row.width, row.style, Qt::FlatCap);
    painter.setPen(pen);
    painter.drawLine(QPointF(kLegendBox.left() + 10, y - 4), QPointF(kLegendBox.left() + 40, y - 4));
    painter.setPen(Colour(kAxisTextColour));
    painter.drawText(QPointF(kLegendBox.left() + 48, y), QString::fromUtf16(row.text));
    y += 23;
  }
}

struct FamilyStyle {
  std::uint32_t colour;
  double width;
  bool dashed;
};

void DrawFamily(QPainter& painter, const std::vector<Curve>& curves, const FamilyStyle& style) {
  QPen pen(Colour(style.colour), style.width, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin);
  if (style.dashed) pen.setDashPattern({7.0, 4.0});
  painter.setPen(pen);
  painter.setBrush(Qt::NoBrush);
  for (const Curve& curve : curves) {
    for (const Polyline& piece : curve.pieces) painter.drawPolyline(PixelLine(piece));
  }
}

// The label of each curve of a family, tried from `first` pixels along the
// visible line in steps of `step` (negative: counted from the end).
void LabelFamily(QPainter& painter, LabelPlacer& placer, const std::vector<Curve>& curves, std::uint32_t colour,
                 double first, double step, const std::function<QString(double)>& text) {
  const QFont font = ChartFont(11);
  for (const Curve& curve : curves) {
    QPolygonF longest;
    for (const Polyline& piece : curve.pieces) {
      QPolygonF visible = Visible(PixelLine(piece));
      if (visible.size() > longest.size()) longest = visible;
    }
    const QString label = text(curve.value);
    const double halfWidth = QFontMetricsF(font).horizontalAdvance(label) / 2 + 4;
    placer.Place(painter, label, font, Colour(colour), SpotsAlong(longest, first, step, halfWidth));
  }
}

// Isobars below the critical pressure get a second label on their straight part
// across the wet region, a third of the way from the liquid side.
void LabelWetIsobars(QPainter& painter, LabelPlacer& placer, const std::vector<Curve>& isobars) {
  const QFont font = ChartFont(11);
  for (const Curve& curve : isobars) {
    if (curve.value >= if97::kCriticalPressure) continue;
    const double ts = if97::SatTemperature(curve.value);
    const QPolygonF segment{ToPixel({SatLiquidEntropy(ts), ts}), ToPixel({SatVapourEntropy(ts), ts})};
    const QString label = Number(curve.value) + QStringLiteral(" MPa");
    const double halfWidth = QFontMetricsF(font).horizontalAdvance(label) / 2 + 4;
    const double length = segment[1].x() - segment[0].x();
    placer.Place(painter, label, font, Colour(kIsobarColour), SpotsAlong(segment, length / 3, 18, halfWidth));
  }
}

}  // namespace

QImage DrawChart(const ChartCurves& curves) {
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  image.fill(Colour(kBackgroundColour));
  QPainter painter(&image);
  DrawGrid(painter);

  // Curves are drawn in pixel-centre coordinates: pixel column x is centred at x + 0.5.
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.save();
  painter.translate(0.5, 0.5);
  DrawFamily(painter, curves.dryness, {kDrynessColour, 0.9, false});
  DrawFamily(painter, curves.isochores, {kIsochoreColour, 1.0, true});
  DrawFamily(painter, curves.isenthalps, {kIsenthalpColour, 1.0, false});
  DrawFamily(painter, curves.isobars, {kIsobarColour, 1.1, false});
  painter.setPen(QPen(Colour(kDomeColour), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  for (const Polyline& piece : curves.saturation.pieces) painter.drawPolyline(PixelLine(piece));
  const QPointF critical(PixelX(SatLiquidEntropy(if97::kCriticalTemperatureC)), PixelY(if97::kCriticalTemperatureC));
  painter.setPen(Qt::NoPen);
  painter.setBrush(Colour(kDomeColour));
  painter.drawEllipse(critical, 3.5, 3.5);

  painter.restore();

  LabelPlacer placer;
  DrawAxes(painter, placer);
  DrawTitle(painter);
  DrawLegend(painter);

  painter.save();
  painter.translate(0.5, 0.5);
  placer.Avoid(PathOf(curves.saturation.pieces), 4);
  painter.setFont(ChartFont(12, true));
  painter.setPen(Colour(kDomeColour));
  painter.drawText(critical + QPointF(-20, -8), QStringLiteral("K"));
  placer.Take(QRectF(critical + QPointF(-22, -22), QSizeF(14, 18)));
  LabelFamily(painter, placer, curves.isobars, kIsobarColour, 40, -24,
              [](double p) { return Number(p) + QStringLiteral(" MPa"); });
  LabelWetIsobars(painter, placer, curves.isobars);
  LabelFamily(painter, placer, curves.isenthalps, kIsenthalpColour, 120, 24,
              [](double h) { return Number(h) + QStringLiteral(" kJ/kg"); });
  LabelFamily(painter, placer, curves.isochores, kIsochoreColour, 260, -24,
              [](double v) { return Number(v) + QStringLiteral(" m³/kg"); });
  LabelFamily(painter, placer, curves.dryness, kDrynessColour, 40, 24,
              [](double x) { return QStringLiteral("x = ") + Number(x); });
  painter.restore();
  painter.end();
  return image;
}

QImage DrawNavigator(const ChartCurves& curves) {
  QImage image(kNavigatorWidth, kNavigatorHeight, QImage::Format_RGB32);
  image.fill(Colour(kBackgroundColour));
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.scale(static_cast<double>(kNavigatorWidth) / kWidth, static_cast<double>(kNavigatorHeight) / kHeight);
  QPen grid(Colour(kGridMajorColour), 0);
  grid.setCosmetic(true);
  painter.setPen(grid);
  for (int s = 0; s <= 9; ++s) painter.drawLine(QPointF(PixelX(s), 0), QPointF(PixelX(s), kHeight));
  for (int t = 0; t <= 800; t += 100) painter.drawLine(QPointF(0, PixelY(t)), QPointF(kWidth, PixelY(t)));
  const auto family = [&painter](const std::vector<Curve>& list, std::uint32_t colour, double width) {
    QPen pen(Colour(colour), width);
    pen.setCosmetic(true);
    painter.setPen(pen);
    for (const Curve& curve : list) {
      for (const Polyline& piece : curve.pieces) painter.drawPolyline(PixelLine(piece));
    }
  };
  family(curves.isenthalps, kIsenthalpColour, 0.5);
  family(curves.isobars, kIsobarColour, 0.7);
  QPen dome(Colour(kDomeColour), 1.3);
  dome.setCosmetic(true);
  painter.setPen(dome);
  for (const Polyline& piece : curves.saturation.pieces) painter.drawPolyline(PixelLine(piece));
  // A thin edge sets the small picture off from the chart it lies on.
  painter.resetTransform();
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(QPen(Colour(kAxisTextColour), 1));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(0, 0, kNavigatorWidth - 1, kNavigatorHeight - 1);
  painter.end();
  return image;
}

}  // namespace tab97::chart
