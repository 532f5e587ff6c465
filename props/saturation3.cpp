// Saturated states of the region-3 equation: the liquid and vapour roots of the
// near-critical isotherms between 350 °C and the critical point, the saturated vapour
// volume over the whole saturation line, and its inversion T(v″).
#include "props/saturation3.h"

#include <cmath>

#include "numerics/polynomial.h"
#include "numerics/roots.h"
#include "props/forward.h"
#include "props/region3.h"
#include "props/saturation.h"

namespace if97 {

using numerics::Horner;
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

// Pressure tolerance of the saturated-volume refinement. Inside the dome the region-3
// isotherm has a loop (below p, then above p, between the outer roots v′ and v″)
// whose depth is about 14·τ^1.5·p. Within about 0.05 K of Tc that depth is less than
// the ordinary tolerance 1e-5·p, and a point anywhere in the loop would pass it.
// Within kShallowLoopBand of Tc (where the depth is below ten times the ordinary
// tolerance) the tolerance is 1e-4·τ^1.5·p instead, a small fraction of the depth, so
// the results stay on the outer roots and are accurate to about 1e-7. At and above
// Tc (τ <= 0) the tolerance is 0 and the refinement ends by its width test.
constexpr double kShallowLoopBand = 0.25;  // K

double SaturatedVolumeTolerance(double T, double P) {
  const double tol = ValueTolerance(P, 0.001, 0);
  if (!(T > kCriticalTemperatureC - kShallowLoopBand)) return tol;
  const double tau = 1 - (T + kKelvin) / kCriticalTemperatureK;
  if (!(tau > 0)) return 0;
  const double loopTol = 1e-4 * tau * std::sqrt(tau) * P;
  return loopTol < tol ? loopTol : tol;
}

double SaturatedVolume3(double T, double P, double v0, double lo, double hi) {
  Pair X{}, F{};
  StepBracketA({lo, hi}, X, F, PressureOnIsotherm, T, -1, 0.1, v0, P);
  return RefineRootA(X, F, PressureOnIsotherm, T, P, SaturatedVolumeTolerance(T, P));
}

}  // namespace

double SatLiquidVolume3(double T, double P) {
  // τ is kept at 0 or above, so that T at or above Tc starts from vc.
  const double tau = NotBelowZero(1 - (T + kKelvin) / kCriticalTemperatureK);
  double v0;
  if (T < 373.85) {
    v0 = kCriticalVolume * (1 - 1.6008606246 * std::pow(tau, 0.115) + 0.76095560927 * std::pow(tau, 0.045));
  } else {
    // v′ approaches vc as √τ. The start must lie on the liquid branch, below the
    // liquid spinodal (about vc·(1 − 4.2·√τ)), or the walk turns at the loop and
    // ends on vc; v′ itself lies at vc·(1 − c·√τ) with c = 6.5 … 9.5 over this band.
    // The straight line vc·(1 + 531.4021372098338·(θ − 1)) through v′(373.85 °C)
    // and vc lies past the spinodal above about 373.91 °C, so it is not used.
    v0 = kCriticalVolume * (1 - 7.0 * std::sqrt(tau));
  }
  return SaturatedVolume3(T, P, v0, kSatLiquidVolume350, kCriticalVolume);
}

double SatVapourVolume3(double T, double P) {
  const double tau = NotBelowZero(1 - (T + kKelvin) / kCriticalTemperatureK);
  const double v0 = kCriticalVolume * (1 + 73.712943584 * std::pow(tau, 1.445) + 5.1049649787 * std::pow(tau, 0.4385));
  return SaturatedVolume3(T, P, v0, kCriticalVolume, kSatVapourVolume350);
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

double SatTemperatureFromVapourVolume(double V) {
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
  return RefineRoot(X, F, SatVapourVolume, V, ValueTolerance(V, 0.001, 0));
}

}  // namespace if97
