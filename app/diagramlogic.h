// The arithmetic of the diagram window, apart from its widgets: where the twelve
// point markers go on the T-s chart and what their tooltips say, how far the chart
// may be panned, how the navigator frame maps onto the chart, and the window
// geometry of the full-size and fit-to-height modes. Integer pixel positions
// throughout; every rounding is to the nearest integer with halves to the even
// neighbour (N below).
#pragma once

#include <QChar>
#include <QString>

#include <array>

#include "app/config.h"
#include "app/mainstate.h"
#include "res/chart/chartscale.h"

namespace tab97::diagram {

// The chart bitmap, drawn by the chart generator to the scales of chartscale.h.
inline constexpr int kChartWidth = chart::kWidth;
inline constexpr int kChartHeight = chart::kHeight;

// Markers bod1 .. bod12: rings of 13 × 13 pixels, large enough to find on the
// busy chart, centred on the state's pixel (an odd size has a middle pixel).
inline constexpr int kMarkerCount = 12;
inline constexpr int kMarkerSize = 13;
inline constexpr int kMarkerHalf = kMarkerSize / 2;

// The controls stand in a panel of their own at the window's left edge, and the
// chart is shown in the rest of the window (its viewport), so that neither the
// buttons nor the navigator ever cover a part of the chart, in either mode and
// however the chart is panned. Positions below are in the window.
inline constexpr int kPanelWidth = 120;
// The three buttons (fit to height, full size, close) in a row at the top.
inline constexpr int kButtonSize = 33;
inline constexpr int kButtonTop = 10;
inline constexpr int kButtonLefts[3] = {10, 44, 78};
// The navigator ImageNahled under them.
inline constexpr int kNavigatorLeft = 10;
inline constexpr int kNavigatorTop = 53;
inline constexpr int kNavigatorWidth = 100;
inline constexpr int kNavigatorHeight = 170;

// Room left below the full-size window for the task bar of the desktop.
inline constexpr int kTaskBarAllowance = 30;

// Positions map 98 × 168 navigator pixels onto the whole chart; the frame's size
// takes 96 × 166 navigator pixels for the whole chart.
inline constexpr double kNavigatorSpanX = 98.0;
inline constexpr double kNavigatorSpanY = 168.0;
inline constexpr double kFrameSpanX = 96.0;
inline constexpr double kFrameSpanY = 166.0;
// The frame stays 2 pixels inside the navigator's edges.
inline constexpr int kFrameInset = 2;

// N(x): x to the nearest integer, halves to the even neighbour. Saturates at
// ±kPixelLimit, and a NaN gives 0, so a wild value never overflows an int.
inline constexpr int kPixelLimit = 1000000;
int RoundHalfEven(double x);

struct Rect {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  int Right() const { return Left + Width; }
  int Bottom() const { return Top + Height; }
  friend bool operator==(const Rect&, const Rect&) = default;
};

inline constexpr Rect kNavigator{kNavigatorLeft, kNavigatorTop, kNavigatorWidth, kNavigatorHeight};

// The points table of the main window: point k at index k − 1, solved when its
// validity is exactly 1.0.
using ChartPoints = PointTableArray;
static_assert(kMarkerCount == kPointCount, "one marker per point of the points table");

// What PlaceMarkers reads of the main window's shared state.
struct MarkerSource {
  bool PointsMode = false;
  QuantityValues StateValues{};   // the calculator page's state
  ChartPoints Points{};           // the points table, point k at index k − 1
  DecimalPlacesArray DecimalPlaces = DefaultDecimalPlaces();
  int LanguageIndex = 0;
  QChar DecimalSeparator = QLatin1Char('.');
};

// Where one marker goes: its top-left corner in the viewport (the chart's own
// origin added), and its tooltip (six lines joined by carriage returns).
struct MarkerSpot {
  bool Visible = false;
  int Left = 0;
  int Top = 0;
  QString Tooltip;
};
using MarkerSpots = std::array<MarkerSpot, kMarkerCount>;

// Marker corner for a state of temperature T (°C) and entropy S on a chart shown
// at `chart` (W × H pixels at its Left, Top in the viewport):
//   Left = N((100·S + 35) / 1000 · W) − 6 + chart.Left,
//   Top  = N((1674 − 2·T) / 1700 · H) − 6 + chart.Top,
// so the middle pixel of the ring is the state's pixel. The window places
// markers only while the chart stands at (0, 0).
int MarkerLeft(double S, const Rect& chart);
int MarkerTop(double T, const Rect& chart);

// The six lines "<result caption><value> <unit>" for T, P, V, S, I, X, each value
// fixed-point with precision 10 and its quantity's decimal places.
QString MarkerTooltip(const QuantityValues& values, const MarkerSource& source);

// Calculator state: only marker 1, from StateValues. Points mode: marker k for
// every point k whose validity is exactly 1.0, with that point's tooltip; the
// others hidden. A point whose T or S is not a finite number is hidden too.
MarkerSpots PlaceMarkers(const MarkerSource& source, const Rect& chart);

// Pan: a proposed chart position kept within [client − chart, 0], first raised to
// the lower bound, then cut to 0 (a chart smaller than the client stays at 0).
int ClampPan(int proposed, int clientSize, int chartSize);

// The navigator frame of the full-size mode: at the navigator's top-left plus the
// inset, sized N(client · 96 / chart) × N(client · 166 / chart), at most the
// navigator less twice the inset. A chart without size gives the largest frame.
Rect InitialFrame(int clientWidth, int clientHeight, int chartWidth, int chartHeight);

// Left and Top limits of the frame inside the navigator.
int FrameMinLeft();
int FrameMaxLeft(int frameWidth);
int FrameMinTop();
int FrameMaxTop(int frameHeight);

// Frame drag step: the frame moved by (dx, dy), kept within its limits.
Rect DragFrame(const Rect& frame, int dx, int dy);

// Where the chart goes when the frame is released at `frame`: at the frame's right
// (bottom) limit the chart's right (bottom) edge meets the client's, otherwise
// N((navigator.Left − frame.Left + 2) · chart width / 98) + window Left (and the
// same with 168 vertically). The result is kept within the pan limits, so the
// chart never uncovers the window.
struct Point {
  int X = 0;
  int Y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};
Point ChartFromFrame(const Rect& frame, int clientWidth, int clientHeight, int chartWidth, int chartHeight,
                     Point window);

// The frame position that shows the chart standing at `chart`:
// navigator.Left + 2 − N((chart.Left − window Left) / (chart width / 98)), and the
// same with 168 vertically.
Point FrameFromChart(const Rect& chart, Point window);

// The chart's viewport in a window of the given size: all of it right of the
// control panel. Every "client" size of the two modes, the pan limits and the
// navigator frame are the viewport's.
Rect ChartViewport(int windowWidth, int windowHeight);

// Full-size mode: the window at (0, 0), as wide as the screen but no wider than
// the panel and the chart side by side, as high as the screen less the
// task-bar allowance.
Rect FullSizeWindow(int screenWidth, int screenHeight, int chartWidth);

// Fit-to-height mode, from the window of the full-size mode and the picture's own
// size: the chart as high as the viewport and percent = viewport height · 100
// div picture height of its width; the viewport cut to the chart, and the
// window centred on the screen when it was wider.
struct FitGeometry {
  Rect Chart;
  Rect Window;
};
FitGeometry FitToHeight(const Rect& window, int pictureWidth, int pictureHeight, int screenWidth);

}  // namespace tab97::diagram
