#include "app/diagramlogic.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

#include "app/numberformat.h"
#include "res/texts.h"

namespace tab97::diagram {

namespace {

bool Finite(double x) { return std::isfinite(x); }

}  // namespace

int RoundHalfEven(double x) {
  if (std::isnan(x)) return 0;
  if (x >= kPixelLimit) return kPixelLimit;
  if (x <= -kPixelLimit) return -kPixelLimit;
  const double below = std::floor(x);
  const double fraction = x - below;
  int n = static_cast<int>(below);
  if (fraction > 0.5) {
    ++n;
  } else if (fraction == 0.5 && n % 2 != 0) {
    ++n;
  }
  return n;
}

int MarkerLeft(double S, const Rect& chart) {
  const double x = chart::PixelX(S) / kChartWidth * chart.Width;
  return RoundHalfEven(x) - kMarkerHalf + chart.Left;
}

int MarkerTop(double T, const Rect& chart) {
  const double y = chart::PixelY(T) / kChartHeight * chart.Height;
  return RoundHalfEven(y) - kMarkerHalf + chart.Top;
}

QString MarkerTooltip(const QuantityValues& values, const MarkerSource& source) {
  QStringList lines;
  for (int q = if97::kT; q <= if97::kX; ++q) {
    lines << texts::ResultCaption(source.LanguageIndex, q) +
                 FormatFixed(values[q], source.DecimalPlaces[q], source.DecimalSeparator) + QLatin1Char(' ') +
                 texts::Unit(source.LanguageIndex, q);
  }
  return lines.join(QLatin1Char('\r'));
}

namespace {

MarkerSpot Spot(const QuantityValues& values, const MarkerSource& source, const Rect& chart) {
  MarkerSpot spot;
  if (!Finite(values[if97::kT]) || !Finite(values[if97::kS])) return spot;
  spot.Visible = true;
  spot.Left = MarkerLeft(values[if97::kS], chart);
  spot.Top = MarkerTop(values[if97::kT], chart);
  spot.Tooltip = MarkerTooltip(values, source);
  return spot;
}

}  // namespace

MarkerSpots PlaceMarkers(const MarkerSource& source, const Rect& chart) {
  MarkerSpots spots{};
  if (!source.PointsMode) {
    spots[0] = Spot(source.StateValues, source, chart);
    return spots;
  }
  for (int k = 0; k < kMarkerCount; ++k) {
    if (source.Points[k].Validity == 1.0) spots[k] = Spot(source.Points[k].Values, source, chart);
  }
  return spots;
}

int ClampPan(int proposed, int clientSize, int chartSize) {
  int position = std::max(proposed, clientSize - chartSize);
  return std::min(position, 0);
}

Rect InitialFrame(int clientWidth, int clientHeight, int chartWidth, int chartHeight) {
  const int maxWidth = kNavigatorWidth - 2 * kFrameInset;
  const int maxHeight = kNavigatorHeight - 2 * kFrameInset;
  Rect frame{kNavigatorLeft + kFrameInset, kNavigatorTop + kFrameInset, maxWidth, maxHeight};
  if (chartWidth > 0) {
    frame.Width = std::min(RoundHalfEven(clientWidth * kFrameSpanX / chartWidth), maxWidth);
  }
  if (chartHeight > 0) {
    frame.Height = std::min(RoundHalfEven(clientHeight * kFrameSpanY / chartHeight), maxHeight);
  }
  return frame;
}

int FrameMinLeft() { return kNavigatorLeft + kFrameInset; }
int FrameMaxLeft(int frameWidth) { return kNavigatorLeft + kNavigatorWidth - kFrameInset - frameWidth; }
int FrameMinTop() { return kNavigatorTop + kFrameInset; }
int FrameMaxTop(int frameHeight) { return kNavigatorTop + kNavigatorHeight - kFrameInset - frameHeight; }

namespace {

// Lower limit first, then the upper one (a frame as large as the navigator stays
// at the lower limit).
int KeepWithin(int value, int lo, int hi) { return std::max(std::min(value, hi), lo); }

}  // namespace

Rect DragFrame(const Rect& frame, int dx, int dy) {
  Rect moved = frame;
  moved.Left = KeepWithin(frame.Left + dx, FrameMinLeft(), FrameMaxLeft(frame.Width));
  moved.Top = KeepWithin(frame.Top + dy, FrameMinTop(), FrameMaxTop(frame.Height));
  return moved;
}

Point ChartFromFrame(const Rect& frame, int clientWidth, int clientHeight, int chartWidth, int chartHeight,
                     Point window) {
  Point chart;
  if (frame.Left == FrameMaxLeft(frame.Width)) {
    chart.X = clientWidth - chartWidth;
  } else {
    chart.X = RoundHalfEven((kNavigatorLeft - frame.Left + kFrameInset) * static_cast<double>(chartWidth) /
                            kNavigatorSpanX) +
              window.X;
  }
  if (frame.Top == FrameMaxTop(frame.Height)) {
    chart.Y = clientHeight - chartHeight;
  } else {
    chart.Y = RoundHalfEven((kNavigatorTop - frame.Top + kFrameInset) * static_cast<double>(chartHeight) /
                            kNavigatorSpanY) +
              window.Y;
  }
  chart.X = ClampPan(chart.X, clientWidth, chartWidth);
  chart.Y = ClampPan(chart.Y, clientHeight, chartHeight);
  return chart;
}

Point FrameFromChart(const Rect& chart, Point window) {
  Point frame{kNavigatorLeft + kFrameInset, kNavigatorTop + kFrameInset};
  if (chart.Width > 0) {
    frame.X -= RoundHalfEven((chart.Left - window.X) / (chart.Width / kNavigatorSpanX));
  }
  if (chart.Height > 0) {
    frame.Y -= RoundHalfEven((chart.Top - window.Y) / (chart.Height / kNavigatorSpanY));
  }
  return frame;
}

Rect ChartViewport(int windowWidth, int windowHeight) {
  return Rect{kPanelWidth, 0, std::max(windowWidth - kPanelWidth, 0), windowHeight};
}

Rect FullSizeWindow(int screenWidth, int screenHeight, int chartWidth) {
  Rect window{0, 0, screenWidth, screenHeight - kTaskBarAllowance};
  if (window.Width > kPanelWidth + chartWidth) window.Width = kPanelWidth + chartWidth;
  return window;
}

FitGeometry FitToHeight(const Rect& window, int pictureWidth, int pictureHeight, int screenWidth) {
  FitGeometry fit{Rect{0, 0, pictureWidth, pictureHeight}, window};
  const Rect viewport = ChartViewport(window.Width, window.Height);
  if (pictureWidth <= 0 || pictureHeight <= 0 || viewport.Height <= 0) return fit;
  const int percent = viewport.Height * 100 / pictureHeight;
  fit.Chart.Height = viewport.Height;
  fit.Chart.Width = pictureWidth * percent / 100;
  if (viewport.Height > fit.Chart.Height) fit.Window.Height = fit.Chart.Height;
  if (viewport.Width > fit.Chart.Width) {
    fit.Window.Width = kPanelWidth + fit.Chart.Width;
    fit.Window.Left = (screenWidth - fit.Window.Width) / 2;
  }
  return fit;
}

}  // namespace tab97::diagram
