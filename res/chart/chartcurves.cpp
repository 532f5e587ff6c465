#include "res/chart/chartcurves.h"

#include <algorithm>
#include <cmath>

#include "props/forward.h"
#include "props/region3.h"
#include "props/saturation.h"
#include "props/saturation3.h"
#include "props/solver.h"
#include "props/state.h"
#include "res/chart/chartscale.h"

namespace tab97::chart {

namespace {

constexpr double kMaxChordPixels = 3.0;
constexpr double kMaxDeviationPixels = 0.2;
constexpr int kMaxHalvings = 12;

// The chart covers the supported range.
constexpr double kLowestTemperature = if97::kTmin;
constexpr double kHighestTemperature = if97::kTmax;
constexpr double kLowestPressure = if97::kPmin;
constexpr double kHighestPressure = if97::kPmax;
// Isochores in the wet region are shown only above this dryness.
constexpr double kIsochoreMinDryness = 0.02;

// A curve point counts while it lies on the bitmap or within a few pixels of it,
// so that every line runs out to the edge.
bool OnChart(const TsPoint& p) {
  const double x = PixelX(p.s);
  const double y = PixelY(p.t);
  return x >= -4 && x <= kWidth + 4 && y >= -4 && y <= kHeight + 4;
}

double PixelDistance(const TsPoint& a, const TsPoint& b) {
  return std::hypot(kPixelsPerEntropy * (a.s - b.s), kPixelsPerKelvin * (a.t - b.t));
}

// Distance of m from the chord a–b, in pixels.
double ChordDeviation(const TsPoint& a, const TsPoint& m, const TsPoint& b) {
  const double ax = kPixelsPerEntropy * a.s, ay = kPixelsPerKelvin * a.t;
  const double bx = kPixelsPerEntropy * b.s - ax, by = kPixelsPerKelvin * b.t - ay;
  const double mx = kPixelsPerEntropy * m.s - ax, my = kPixelsPerKelvin * m.t - ay;
  const double length = std::hypot(bx, by);
  if (length == 0) return std::hypot(mx, my);
  return std::fabs(bx * my - by * mx) / length;
}

struct Sample {
  double u = 0;
  bool ok = false;
  TsPoint p;
};

class Sampler {
 public:
  explicit Sampler(const CurveFunction& f) : f_(f) {}

  Sample At(double u) const {
    Sample s;
    s.u = u;
    s.ok = f_(u, s.p) && std::isfinite(s.p.s) && std::isfinite(s.p.t);
    return s;
  }

  void Start(const Sample& a) {
    if (a.ok) current_.push_back(a.p);
  }

  // Emits the curve from a (already emitted) up to and including b.
  void Refine(const Sample& a, const Sample& b, int depth) {
    if (!a.ok && !b.ok) return;
    if (depth < kMaxHalvings) {
      const Sample m = At(0.5 * (a.u + b.u));
      const bool split = a.ok != b.ok || !m.ok || PixelDistance(a.p, b.p) > kMaxChordPixels ||
                         ChordDeviation(a.p, m.p, b.p) > kMaxDeviationPixels;
      if (split) {
        Refine(a, m, depth + 1);
        Refine(m, b, depth + 1);
        return;
      }
    }
    Emit(b);
  }

  std::vector<Polyline> Finish() {
    Flush();
    return std::move(pieces_);
  }

 private:
  void Emit(const Sample& b) {
    if (b.ok) {
      current_.push_back(b.p);
    } else {
      Flush();
    }
  }
  void Flush() {
    if (current_.size() >= 2) pieces_.push_back(std::move(current_));
    current_.clear();
  }

  const CurveFunction& f_;
  Polyline current_;
  std::vector<Polyline> pieces_;
};

// One SolveState call; false for a region outside `accepted` (a bit per region).
struct Solved {
  double T = 0, P = 0, V = 0, S = 0, I = 0, X = 0;
  if97::PropertyRegion region = 0;
};
Solved Solve(std::int32_t pair, double value1, double value2) {
  Solved r;
  const bool needP = pair != if97::kPairTP && pair != if97::kPairPI;
  if97::SolveState(pair, needP, false, value1, value2, true, false, false, r.T, r.P, r.V, r.S, r.I, r.X,
                   r.region);
  return r;
}

bool InRegions(if97::PropertyRegion region, std::initializer_list<if97::PropertyRegion> regions) {
  return std::find(regions.begin(), regions.end(), region) != regions.end();
}

double CriticalEntropy() { return if97::Entropy3(if97::kCriticalTemperatureC, if97::kCriticalVolume); }

Polyline Concatenate(const std::vector<Polyline>& pieces) {
  Polyline all;
  for (const Polyline& piece : pieces) all.insert(all.end(), piece.begin(), piece.end());
  return all;
}

}  // namespace

std::vector<Polyline> SampleCurve(const CurveFunction& f, double a, double b, int steps) {
  Sampler sampler(f);
  steps = std::max(steps, 1);
  Sample previous = sampler.At(a);
  sampler.Start(previous);
  for (int i = 1; i <= steps; ++i) {
    const double u = i == steps ? b : a + (b - a) * i / steps;
    const Sample next = sampler.At(u);
    sampler.Refine(previous, next, 0);
    previous = next;
  }
  return sampler.Finish();
}

double SatLiquidEntropy(double t) {
  if (t >= if97::kCriticalTemperatureC) return CriticalEntropy();
  const double p = if97::SatPressure(t);
  if (t <= if97::kT350) return if97::Region1S(t, p);
  return if97::Entropy3(t, if97::SatLiquidVolume3(t, p));
}

double SatVapourEntropy(double t) {
  if (t >= if97::kCriticalTemperatureC) return CriticalEntropy();
  const double p = if97::SatPressure(t);
  if (t <= if97::kT350) return if97::Region2S(t, p);
  return if97::Entropy3(t, if97::SatVapourVolume3(t, p));
}

Curve SaturationCurve() {
  const double tc = if97::kCriticalTemperatureC;
  const auto liquid = [](double t, TsPoint& p) {
    p = {SatLiquidEntropy(t), t};
    return true;
  };
  const auto vapour = [tc](double u, TsPoint& p) {
    const double t = tc - u;  // runs down from the critical point
    p = {SatVapourEntropy(t), t};
    return true;
  };
  Polyline dome = Concatenate(SampleCurve(liquid, 0.0, tc, 60));
  Polyline down = Concatenate(SampleCurve(vapour, 0.0, tc, 60));
  if (!down.empty()) dome.insert(dome.end(), down.begin() + 1, down.end());
  return Curve{Family::Saturation, 0.0, {dome}};
}

Curve IsobarCurve(double p) {
  Curve curve{Family::Isobar, p, {}};
  const auto state = [p](double t, TsPoint& point) {
    const Solved r = Solve(if97::kPairTP, t, p);
    point = {r.S, t};
    return InRegions(r.region, {if97::kRegionWater, if97::kRegionSteam, if97::kRegionCritical}) && OnChart(point);
  };
  if (p >= if97::kCriticalPressure) {
    curve.pieces = SampleCurve(state, kLowestTemperature, kHighestTemperature, 100);
    return curve;
  }
  // Below the critical pressure: the liquid part up to the saturation
  // temperature, straight across the wet region, and the vapour part beyond.
  const double ts = if97::SatTemperature(p);
  const double gap = 1e-7 * std::max(1.0, ts);
  Polyline line;
  if (ts > kLowestTemperature) {
    line = Concatenate(SampleCurve(state, kLowestTemperature, ts - gap, 40));
  }
  line.push_back({SatLiquidEntropy(ts), ts});
  line.push_back({SatVapourEntropy(ts), ts});
  std::vector<Polyline> vapour = SampleCurve(state, ts + gap, kHighestTemperature, 80);
  if (!vapour.empty()) {
    line.insert(line.end(), vapour.front().begin(), vapour.front().end());
    vapour.erase(vapour.begin());
  }
  curve.pieces.push_back(std::move(line));
  for (Polyline& piece : vapour) curve.pieces.push_back(std::move(piece));
  return curve;
}

Curve IsenthalpCurve(double h) {
  const auto state = [h](double u, TsPoint& point) {
    const Solved r = Solve(if97::kPairPI, std::pow(10.0, u), h);
    point = {r.S, r.T};
    return InRegions(r.region, {if97::kRegionWater, if97::kRegionSteam, if97::kRegionCritical,
                                if97::kRegionWetCritical, if97::kRegionWet}) &&
           OnChart(point);
  };
  return Curve{Family::Isenthalp, h,
               SampleCurve(state, std::log10(kLowestPressure), std::log10(kHighestPressure), 120)};
}

Curve IsochoreCurve(double v) {
  const auto state = [v](double t, TsPoint& point) {
    const Solved r = Solve(if97::kPairTV, t, v);
    point = {r.S, t};
    const bool wet = r.region == if97::kRegionWet || r.region == if97::kRegionWetCritical;
    if (wet && r.X < kIsochoreMinDryness) return false;
    return InRegions(r.region, {if97::kRegionSteam, if97::kRegionCritical, if97::kRegionWetCritical,
                                if97::kRegionWet}) &&
           OnChart(point);
  };
  return Curve{Family::Isochore, v, SampleCurve(state, kLowestTemperature, kHighestTemperature, 100)};
}

Curve DrynessCurve(double x) {
  const auto state = [x](double t, TsPoint& point) {
    const double liquid = SatLiquidEntropy(t);
    point = {liquid + x * (SatVapourEntropy(t) - liquid), t};
    return true;
  };
  return Curve{Family::Dryness, x, SampleCurve(state, kLowestTemperature, if97::kCriticalTemperatureC, 60)};
}

const std::vector<double>& IsobarValues() {
  static const std::vector<double> values{0.001, 0.002, 0.005, 0.01, 0.02, 0.05, 0.1, 0.2, 0.5, 1,
                                          2,     5,     10,    20,   30,   50,   100};
  return values;
}

const std::vector<double>& IsenthalpValues() {
  static const std::vector<double> values = [] {
    std::vector<double> v;
    for (int h = 200; h <= 4000; h += 200) v.push_back(h);
    return v;
  }();
  return values;
}

const std::vector<double>& IsochoreValues() {
  static const std::vector<double> values{0.003, 0.01, 0.1, 1, 10, 100};
  return values;
}

const std::vector<double>& DrynessValues() {
  static const std::vector<double> values{0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9};
  return values;
}

ChartCurves ComputeChartCurves() {
  ChartCurves c;
  c.saturation = SaturationCurve();
  for (double p : IsobarValues()) c.isobars.push_back(IsobarCurve(p));
  for (double h : IsenthalpValues()) c.isenthalps.push_back(IsenthalpCurve(h));
  for (double v : IsochoreValues()) c.isochores.push_back(IsochoreCurve(v));
  for (double x : DrynessValues()) c.dryness.push_back(DrynessCurve(x));
  return c;
}

}  // namespace tab97::chart
