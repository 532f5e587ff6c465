// Saturated states of the region-3 equation: the liquid and vapour roots of the
// near-critical isotherms between 350 °C and the critical point, the saturated vapour
// volume over the whole saturation line, and its inversion T(v″).
#include "props/saturation3.h"

#include <algorithm>
#include <cmath>

#include "numerics/polynomial.h"
#include "numerics/roots.h"
#include "props/forward.h"
#include "props/region3.h"
#include "props/saturation.h"

namespace if97 {

using numerics::Horner;
using numerics::MaxOf;
using numerics::NewtonRootA;
using numerics::PolishRootA;
using numerics::Pair;
using numerics::RefineRoot;
using numerics::RefineRootA;
using numerics::StepBracket;
using numerics::StepBracketA;
using numerics::ValueTolerance;
namespace {

// Start-value fit of the saturation temperature from ln(V/vc), below and above the
// vapour volume at 350 °C: T₀ = Tc·(1 + Σ aₖ·yᵏ).
constexpr double kSatTempFitNear[] = {0,          -0.001227276156, -0.01274337124, -0.04236021716,
                                      0.001443005239, 0.03672515953, -0.01766661587};
constexpr double kSatTempFitFar[] = {0,
                                     0.01628862097,
                                     -0.06962192241,
                                     0.0202628874,
                                     -0.002570341514,
                                     5.271888287e-05,
                                     2.747197412e-05,
                                     -3.694169198e-06,
                                     2.004021694e-07,
                                     -4.154611028e-09};

// x, or 0 when x is negative; NaN stays NaN.
double NotBelowZero(double x) { return x < 0 ? 0 : x; }

// Pressure3 as a function of the volume on a fixed isotherm.
double PressureOnIsotherm(double v, double T) { return Pressure3(T, v); }

// Pressure tolerance of the saturated-volume searches. Inside the dome the region-3
// isotherm has a loop (below p, then above p, between the outer roots v′ and v″)
// whose depth is about 14·τ^1.5·p. Within about 0.05 K of Tc that depth is less than
// the ordinary tolerance 1e-5·p, and a point anywhere in the loop would pass it.
// Within kShallowLoopBand of Tc (where the depth is below ten times the ordinary
// tolerance) the tolerance is 1e-4·τ^1.5·p instead, a small fraction of the depth, so
// the results stay on the outer roots and are accurate to about 1e-7. It never falls
// below kPressureNoise·p: closer to Tc the loop is shallower than the rounding of the
// pressure sum, and no search can tell points apart there.
constexpr double kShallowLoopBand = 0.25;  // K
constexpr double kPressureNoise = 1e-13;   // relative

double SaturatedVolumeTolerance(double T, double P) {
  const double tol = ValueTolerance(P, 0.001, 0);
  if (!(T > kCriticalTemperatureC - kShallowLoopBand)) return tol;
  const double floor = kPressureNoise * P;
  const double tau = 1 - (T + kKelvin) / kCriticalTemperatureK;
  if (!(tau > 0)) return floor;
  const double loopTol = 1e-4 * tau * std::sqrt(tau) * P;
  return loopTol < floor ? floor : loopTol < tol ? loopTol : tol;
}

double SaturatedVolume3(double T, double P, double v0, double lo, double hi) {
  Pair X{}, F{};
  StepBracketA({lo, hi}, X, F, PressureOnIsotherm, T, -1, 0.1, v0, P);
  return RefineRootA(X, F, PressureOnIsotherm, T, P, SaturatedVolumeTolerance(T, P));
}

// One side of the loop: the liquid side (v below vc, Side −1) or the vapour side
// (v above vc, Side +1), with the bounds of the search on that side.
struct LoopSide {
  int side;
  double lo, hi;
  bool Holds(double v) const { return side < 0 ? v < kCriticalVolume : v > kCriticalVolume; }
};

// Tolerance on the slope (∂p/∂v)_T of the searches for a turning point of the loop:
// about twice the rounding of the slope's sum next to the critical point, a 1e-11
// part of pc/vc.
constexpr double kSlopeTolerance = 1e-11 * kCriticalPressure / kCriticalVolume;

// Turning point of the loop on the side (the spinodal: (∂p/∂v)_T = 0), by Newton's
// method on the slope from a start next to it, vc·(1 ± 0.168·√(Tc − T)) (the
// turning points open like the square root of the distance to Tc). False when there
// is none on the side, at or above the critical temperature of the equation.
bool LoopTurn(double T, const LoopSide& s, double& v) {
  const double dT = MaxOf(kCriticalTemperatureC - T, 0.0);
  const double v0 = kCriticalVolume * (1 + s.side * 0.168 * std::sqrt(dT));
  const auto slope = [&s](double x, double t, double& curvature) {
    const double d = Pressure3Slope(t, x, curvature);
    return s.Holds(x) ? d : NAN;
  };
  double step = 0;
  if (!NewtonRootA(slope, T, v0, s.lo, s.hi, 0.0, kSlopeTolerance, v, step)) return false;
  v += step;
  return s.Holds(v);
}

// Outer root near the critical point, from a pair that already encloses it: from the
// turning point of the side (vc when there is none) outward the isotherm is
// monotone, and the pair is the turning point and the first of the points 2, 4, 8 …
// gaps further out (a gap being the distance of the turning point from vc, at least
// 2e-4·vc) whose pressure lies on the other side of P, or the bound. When the target
// lies beyond the turning point, the turning point is the result, as a bounded search
// ends on the bound nearest to the target: above kLoopTopTemperature the top of the
// loop lies below the saturation pressure, and the vapour volume is that top, which
// tends to vc at Tc.
double OuterRootNearCritical(double T, double P, const LoopSide& s) {
  double turn = kCriticalVolume;
  if (!LoopTurn(T, s, turn)) turn = kCriticalVolume;
  const double pTurn = Pressure3(T, turn);
  // Pressure rises from the liquid turning point outward and falls from the vapour one.
  const bool beyondTurn = s.side < 0 ? !(P > pTurn) : !(P < pTurn);
  if (beyondTurn) return turn;
  const double bound = s.side < 0 ? s.lo : s.hi;
  const double gap = MaxOf(std::fabs(turn - kCriticalVolume), 2e-4 * kCriticalVolume);
  double inner = turn, pInner = pTurn, outer = turn, pOuter = pTurn;
  for (double k = 2;; k *= 2) {
    outer = turn + s.side * k * gap;
    if (s.side < 0 ? outer <= bound : outer >= bound) outer = bound;
    pOuter = Pressure3(T, outer);
    const bool enclosed = s.side < 0 ? !(pOuter < P) : !(pOuter > P);
    if (enclosed || outer == bound) break;
    inner = outer;
    pInner = pOuter;
  }
  const auto monotone = [](double v, double t, double& slope) { return Pressure3WithSlope(t, v, slope); };
  double step = 0;
  const double v = PolishRootA({inner, outer}, {pInner, pOuter}, monotone, T, P, SaturatedVolumeTolerance(T, P), step);
  const double better = v + step;
  return better > std::min(inner, outer) && better < std::max(inner, outer) ? better : v;
}

// Outer root of Pressure3(T, v) = P on the side: the stepping search from the fit
// v0 and the refinement, except on the vapour side within kLoopTopBand of Tc. There
// the loop is so shallow that the walk of the search turns at its top again and again
// and ends only at its pass limit (and above kLoopTopTemperature there is no vapour
// root at all); the pair between the turning point and the bound decides instead.
constexpr double kLoopTopBand = 1e-4;  // K

double OuterRoot3(double T, double P, double v0, const LoopSide& s) {
  if (s.side > 0 && T > kCriticalTemperatureC - kLoopTopBand) return OuterRootNearCritical(T, P, s);
  return SaturatedVolume3(T, P, v0, s.lo, s.hi);
}

}  // namespace

double SatLiquidVolume3(double T, double P) {
  // τ is kept at 0 or above, so that T at or above Tc starts from vc.
  const double tau = NotBelowZero(1 - (T + kKelvin) / kCriticalTemperatureK);
  double v0;
  if (T < 373.85) {
    // τ^a as exp(a·ln τ), one logarithm for both powers (τ = 0 gives 0, as the power).
    const double lnTau = std::log(tau);
    v0 = kCriticalVolume * (1 - 1.6008606246 * std::exp(0.115 * lnTau) + 0.76095560927 * std::exp(0.045 * lnTau));
  } else {
    // v′ approaches vc as √τ. The start must lie on the liquid branch, below the
    // liquid spinodal (about vc·(1 − 4.2·√τ)), or the walk turns at the loop and
    // ends on vc; v′ itself lies at vc·(1 − c·√τ) with c = 6.5 … 9.5 over this band.
    // The straight line vc·(1 + 531.4021372098338·(θ − 1)) through v′(373.85 °C)
    // and vc lies past the spinodal above about 373.91 °C, so it is not used.
    v0 = kCriticalVolume * (1 - 7.0 * std::sqrt(tau));
  }
  return OuterRoot3(T, P, v0, {-1, kSatLiquidVolume350, kCriticalVolume});
}

double SatVapourVolume3(double T, double P) {
  const double tau = NotBelowZero(1 - (T + kKelvin) / kCriticalTemperatureK);
  const double lnTau = std::log(tau);
  const double v0 =
      kCriticalVolume * (1 + 73.712943584 * std::exp(1.445 * lnTau) + 5.1049649787 * std::exp(0.4385 * lnTau));
  return OuterRoot3(T, P, v0, {+1, kCriticalVolume, kSatVapourVolume350});
}

bool SaturatedStateNear(double T, double P, double v0, bool Vapour, double& V, Region3Point& At) {
  const LoopSide s = Vapour ? LoopSide{+1, kCriticalVolume, kSatVapourVolume350}
                            : LoopSide{-1, kSatLiquidVolume350, kCriticalVolume};
  constexpr int kSteps = 6;
  double v = v0;
  for (int step = 0; step < kSteps; ++step) {
    if (!(v > s.lo && v < s.hi) || !s.Holds(v)) return false;  // also NaN
    At = Region3At(T, v);
    // Off the outer branch (between the turning points of the loop) the slope is
    // not negative, and the root there would be the middle one.
    if (!(At.dpdv < 0)) return false;
    const double dv = (P - At.p) / At.dpdv;
    if (std::fabs(dv) <= 1e-7 * v || std::fabs(P - At.p) <= kPressureNoise * P) {
      V = v;
      return true;
    }
    v += dv;
  }
  return false;
}

double SatVapourVolume(double T) {
  const double p = SatPressure(T);
  return T <= kT350 ? Region2V(T, p) : SatVapourVolume3(T, p);
}

double SatTemperatureFromVapourVolumeStart(double V) {
  if (!(V >= kCriticalVolume && V <= kVmax)) return 0;  // also NaN
  const double y = std::log(V / kCriticalVolume);
  const double sum = V < kSatVapourVolume350 ? Horner(kSatTempFitNear, y) : Horner(kSatTempFitFar, y);
  return kCriticalTemperatureK * (1 + sum) - kKelvin;
}

namespace {

// Tolerance of SatTemperatureFromVapourVolume on the volume, in percent.
constexpr double kVolumeTolerancePercent = 0.001;

// The temperature whose saturated vapour volume is V, for vc <= V < v″(350 °C), from
// the region-3 equation at V itself. v″(T) = V where the isotherm through V has the
// saturation pressure on its outer (falling) branch: p3(T, V) = ps(T) with
// (∂p/∂v)_T < 0 there. Newton's method in T evaluates the equation once per step,
// where a search on v″(T) would find a saturated volume at every trial temperature. Above
// kLoopTopTemperature v″ is the top of the loop, where (∂p/∂v)_T = 0 at V; that slope
// changes sign between kLoopTopTemperature and Tc for the volumes below
// kLoopTopVolume, so the refinement starts from a pair that already encloses the
// root. False when Newton's method does not converge on the outer branch.
bool SatTemperatureNearCritical(double V, double& T) {
  if (V < kLoopTopVolume) {
    const auto slope = [](double t, double v) {
      double curvature = 0;
      return Pressure3Slope(t, v, curvature);
    };
    const double atTop = slope(kLoopTopTemperature, V), atTc = slope(kCriticalTemperatureC, V);
    if (!(atTop > 0)) {
      T = kLoopTopTemperature;
    } else if (!(atTc < 0)) {
      T = kCriticalTemperatureC;
    } else {
      T = RefineRootA({kLoopTopTemperature, kCriticalTemperatureC}, {atTop, atTc}, slope, V, 0.0, kSlopeTolerance);
    }
    return true;
  }
  const double T0 = std::clamp(SatTemperatureFromVapourVolumeStart(V), kT350, kLoopTopTemperature);
  // The start may lie where V is still inside the loop; only the root must lie on
  // the outer branch. The slope of the isotherm at the last point is kept for that test.
  double isothermSlope = NAN;
  const auto excess = [&isothermSlope](double t, double v, double& slope) {
    const Region3Point r = Region3At(t, v);
    slope = r.dpdT - SatPressureSlope(t);
    isothermSlope = r.dpdv;
    return r.p - SatPressure(t);
  };
  // The pressure tolerance of the saturated volumes at the start; the last Newton
  // step, taken without an evaluation, makes the result far closer.
  double step = 0;
  if (!NewtonRootA(excess, V, T0, kT350, kCriticalTemperatureC, 0.0, SaturatedVolumeTolerance(T0, SatPressure(T0)),
                   T, step) ||
      !(isothermSlope < 0))
    return false;
  T = std::clamp(T + step, kT350, kLoopTopTemperature);
  return true;
}

// The same from 0 to 350 °C, where v″ is the region-2 volume at ps(T): Newton's
// method from the fit on ln v″. The first step takes the slope of an ideal gas on
// the saturation line, d ln v″/dT ≈ 1/T − (dps/dT)/ps (a few per cent off at low
// temperatures, up to half near 350 °C), every later one the secant through the two
// points before. The search goes on to 1e-9 of V, far inside the stepping search's
// tolerance, as close as that search usually ends. False when the iteration does
// not converge.
bool SatTemperatureOfSteam(double V, double& T) {
  const double T0 = std::clamp(SatTemperatureFromVapourVolumeStart(V), kTmin, kT350);
  double lastT = NAN, lastF = NAN;
  const auto logVolume = [&lastT, &lastF](double t, double, double& slope) {
    const double ps = SatPressure(t);
    const double f = std::log(Region2V(t, ps));
    slope = std::isnan(lastT) || t == lastT ? 1 / (t + kKelvin) - SatPressureSlope(t) / ps
                                            : (f - lastF) / (t - lastT);
    lastT = t;
    lastF = f;
    return f;
  };
  double step = 0;
  if (!NewtonRootA(logVolume, 0.0, T0, kTmin, kT350, std::log(V), 1e-9, T, step)) return false;
  T = std::clamp(T + step, kTmin, kT350);
  return true;
}

}  // namespace

double SatTemperatureFromVapourVolume(double V) {
  double Tnear = 0;
  // Up to 350 °C v″ is the region-2 volume; the region-3 vapour root at 350 °C lies
  // 1e-4 beyond it, outside the vapour search's bound, so v″ stays on the bound
  // kSatVapourVolume350 for the first few millikelvin above 350 °C. Volumes within
  // the search's tolerance of that bound take the stepping search, which ends at
  // 350 °C there.
  const double nearBound = kSatVapourVolume350 * (1 - kVolumeTolerancePercent / 100);
  if (V >= kCriticalVolume && V < nearBound && SatTemperatureNearCritical(V, Tnear)) return Tnear;
  if (V >= kSatVapourVolume350 && V <= kVmax && SatTemperatureOfSteam(V, Tnear)) return Tnear;
  const bool near = V < kSatVapourVolume350;
  // Below vc no saturated vapour has the volume; v″ tends to vc at the critical
  // point, so the search starts (and stays) there instead of at 0 °C, which the
  // bracket would have turned into 350 °C, the far end of the band.
  const double T0 = V < kCriticalVolume ? kCriticalTemperatureC : SatTemperatureFromVapourVolumeStart(V);
  const Pair bounds = near ? Pair{kT350, kCriticalTemperatureC} : Pair{kTmin, kT350};
  // v″ falls as T rises. The step is 0.015 % of T₀ in °C but never below 0.01 K: near
  // 0 °C a percentage of the Celsius value would shrink to nothing.
  const double minStep = 0.01;
  double stepPercent = 0.015;
  if (std::fabs(T0) * stepPercent / 100 < minStep && T0 != 0) stepPercent = minStep * 100 / std::fabs(T0);
  Pair X{}, F{};
  StepBracket(bounds, X, F, SatVapourVolume, -1, stepPercent, T0, V);
  return RefineRoot(X, F, SatVapourVolume, V, ValueTolerance(V, kVolumeTolerancePercent, 0));
}

}  // namespace if97
