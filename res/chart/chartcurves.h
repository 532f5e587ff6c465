// The curves of the T-s chart, computed from the property library: the
// saturation line, isobars, lines of constant enthalpy, lines of constant dryness
// and isochores, each as polylines of (s, t) points fine enough that the chart
// draws them smooth (no segment longer than a few pixels, no midpoint further
// than a fraction of a pixel from its chord). Plain C++, no Qt.
#pragma once

#include <functional>
#include <vector>

namespace tab97::chart {

struct TsPoint {
  double s = 0;  // kJ/(kg K)
  double t = 0;  // °C
};
using Polyline = std::vector<TsPoint>;

enum class Family { Saturation, Isobar, Isenthalp, Isochore, Dryness };

struct Curve {
  Family family = Family::Isobar;
  double value = 0;              // MPa, kJ/kg, m3/kg or the dryness
  std::vector<Polyline> pieces;  // the curve's connected parts within the chart
};

// The state at parameter u on a curve; false where the curve has no state (out of
// range, or outside the chart).
using CurveFunction = std::function<bool(double u, TsPoint& point)>;

// Samples u over [a, b]: `steps` even steps first, then each step halved until
// its chord is at most 3 pixels long and the middle point lies within 0.2 pixel
// of the chord (at most 12 halvings). Where the curve starts or stops having a
// state, the edge is found by halving too. Returns the connected pieces.
std::vector<Polyline> SampleCurve(const CurveFunction& f, double a, double b, int steps);

// Saturated liquid and saturated vapour entropies at t (°C), 0 ≤ t ≤ critical.
double SatLiquidEntropy(double t);
double SatVapourEntropy(double t);

// The saturation line: liquid branch from 0 °C up to the critical point, then
// the vapour branch back down to 0 °C, as one polyline.
Curve SaturationCurve();

// Isobar p (MPa) from 0 to 800 °C; below the critical pressure with its straight
// part across the wet region.
Curve IsobarCurve(double p);

// Line of constant enthalpy h (kJ/kg) over the pressures 0.000611213 … 100 MPa.
Curve IsenthalpCurve(double h);

// Isochore v (m3/kg) from 0 to 800 °C, left out where it runs in the wet region
// with a dryness below 2 % (there it would lie on the saturated liquid line).
Curve IsochoreCurve(double v);

// Line of constant dryness x from 0 °C up to the critical point.
Curve DrynessCurve(double x);

// All curves of the chart with the values it shows.
struct ChartCurves {
  Curve saturation;
  std::vector<Curve> isobars, isenthalps, isochores, dryness;
};
ChartCurves ComputeChartCurves();

// The values of the families.
const std::vector<double>& IsobarValues();      // MPa
const std::vector<double>& IsenthalpValues();   // kJ/kg
const std::vector<double>& IsochoreValues();    // m3/kg
const std::vector<double>& DrynessValues();

}  // namespace tab97::chart
