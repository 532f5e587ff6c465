// Critical wet-steam evaluator: saturation temperature and pressure, dryness, and
// V, S, I by the lever rule on the region-3 saturated phases.
#include "props/critwet.h"

#include <cmath>

#include "numerics/roots.h"
#include "props/classifiers.h"
#include "props/evaluators.h"
#include "props/region3.h"
#include "props/saturation.h"
#include "props/saturation3.h"
#include "props/state.h"
#include "props/wetsteam.h"

namespace if97 {

using numerics::Pair;
using numerics::PolishRootA;

namespace {

constexpr double kEntropyTolerance = 1e-5;   // kJ/(kg K)
constexpr double kEnthalpyTolerance = 0.001;  // kJ/kg

// Saturated values the classifier (or, for 34, 35, 46, the target function of the
// inversion) left in the scratch for each pair. Entropy and enthalpy always come with
// the volumes they were evaluated at.
unsigned HeldBy(std::int32_t pair) {
  switch (pair) {
    case kPairTV:
    case kPairPV: return kHeldVolume;
    case kPairTS:
    case kPairPS:
    case kPairVS:
    case kPairSX: return kHeldVolume | kHeldEntropy;
    case kPairTI:
    case kPairPI:
    case kPairVI: return kHeldVolume | kHeldEnthalpy;
    default: return kHeldNone;  // (T,X), (P,X)
  }
}

// The temperature at which the lever-rule functions last wrote the saturated values
// to the scratch (NaN before any): when an inversion ends on that temperature, the
// scratch holds the saturated values of the state itself.
double gLeverTemperature = NAN;

// Saturated volumes at (T, ps(T)) into the scratch.
void SaturatedVolumes(double T) {
  SolverScratch& s = gScratch;
  s.ps = SatPressure(T);
  s.vLiq = SatLiquidVolume3(T, s.ps);
  s.vVap = SatVapourVolume3(T, s.ps);
  gLeverTemperature = T;
}

// Both saturated states at T with their slopes along the saturation line, for the
// Newton steps of the temperature inversions. Writes ps, vLiq, vVap as
// SaturatedVolumes does; liq and vap are the equation at (T, vLiq) and (T, vVap), so
// their entropies and enthalpies are those of Entropy3 and Enthalpy3.
struct SaturatedStates {
  Region3Point liq, vap;
  double dvLiq, dvVap;  // dv′/dT and dv″/dT along the saturation line
  // Slopes along the saturation line of a property with the partial slopes y_T, y_v.
  static double Along(double dydT, double dydv, double dv) { return dydT + dydv * dv; }
};

// The saturated states of an inversion's previous trial temperature. The next trial
// starts its volume searches there, moved along the saturation line by dv/dT, and
// Newton's method then needs one or two evaluations per volume. Every inversion
// starts without one, so that a result does not depend on earlier calls.
struct PreviousTrial {
  bool valid = false;
  double T = 0, vLiq = 0, vVap = 0;
  SaturatedStates states{};
};
PreviousTrial gPreviousTrial;

SaturatedStates SaturatedStatesAt(double T) {
  SolverScratch& s = gScratch;
  SaturatedStates r{};
  bool found = false;
  if (gPreviousTrial.valid) {
    const PreviousTrial& q = gPreviousTrial;
    const double dT = T - q.T;
    s.ps = SatPressure(T);
    found = SaturatedStateNear(T, s.ps, q.vLiq + q.states.dvLiq * dT, false, s.vLiq, r.liq) &&
            SaturatedStateNear(T, s.ps, q.vVap + q.states.dvVap * dT, true, s.vVap, r.vap);
    gLeverTemperature = T;
  }
  if (!found) {
    SaturatedVolumes(T);
    r.liq = Region3At(T, s.vLiq);
    r.vap = Region3At(T, s.vVap);
  }
  // On the line p3(T, v(T)) = ps(T): dv/dT = (dps/dT − (∂p/∂T)_v) / (∂p/∂v)_T. At the
  // top of a loop that no longer reaches ps (next to Tc) the slope is infinite, and
  // the inversions bisect there.
  const double dps = SatPressureSlope(T);
  r.dvLiq = (dps - r.liq.dpdT) / r.liq.dpdv;
  r.dvVap = (dps - r.vap.dpdT) / r.vap.dpdv;
  gPreviousTrial = {std::isfinite(r.dvLiq) && std::isfinite(r.dvVap), T, s.vLiq, s.vVap, r};
  return r;
}

// Lever rule on the isochore V with its slope in T: y = yL + w·(yV − yL) with
// w = (V − vL)/(vV − vL).
double LeverOnIsochore(double V, const SaturatedStates& q, double yL, double yV, double dyL, double dyV,
                       double& slope) {
  const SolverScratch& s = gScratch;
  const double width = s.vVap - s.vLiq;
  const double w = (V - s.vLiq) / width;
  const double dw = -(q.dvLiq + w * (q.dvVap - q.dvLiq)) / width;
  slope = dyL + w * (dyV - dyL) + dw * (yV - yL);
  return yL + (V - s.vLiq) * (yV - yL) / width;
}

// Entropy or enthalpy of a region-3 point with its partial slopes, and the scratch
// fields of its saturated values: the two lever rules on an isochore differ only in these.
struct LeverQuantity {
  double Region3Point::*y;
  double Region3Point::*dydT;
  double Region3Point::*dydv;
  double SolverScratch::*liq;
  double SolverScratch::*vap;
};
constexpr LeverQuantity kLeverEntropy{&Region3Point::s, &Region3Point::dsdT, &Region3Point::dsdv,
                                      &SolverScratch::sLiq, &SolverScratch::sVap};
constexpr LeverQuantity kLeverEnthalpy{&Region3Point::h, &Region3Point::dhdT, &Region3Point::dhdv,
                                       &SolverScratch::hLiq, &SolverScratch::hVap};

// WetEntropyFromVolume5, WetEnthalpyFromVolume5 and WetEntropyFromDryness5 with their
// slopes in T: the same lever rule, written to the scratch in the same way. From the
// second trial of an inversion on, the saturated volumes come from those of the trial
// before by Newton's method; they then lie closer to the outer roots than the
// stepping search's, well within its tolerance.
double WetFromVolumeSlope(const LeverQuantity& y, double T, double V, double& slope) {
  SolverScratch& s = gScratch;
  const SaturatedStates q = SaturatedStatesAt(T);
  s.*y.liq = q.liq.*y.y;
  s.*y.vap = q.vap.*y.y;
  return LeverOnIsochore(V, q, s.*y.liq, s.*y.vap, SaturatedStates::Along(q.liq.*y.dydT, q.liq.*y.dydv, q.dvLiq),
                         SaturatedStates::Along(q.vap.*y.dydT, q.vap.*y.dydv, q.dvVap), slope);
}

double WetEntropyFromVolumeSlope(double T, double V, double& slope) {
  return WetFromVolumeSlope(kLeverEntropy, T, V, slope);
}

double WetEnthalpyFromVolumeSlope(double T, double V, double& slope) {
  return WetFromVolumeSlope(kLeverEnthalpy, T, V, slope);
}

double WetEntropyFromDrynessSlope(double T, double X, double& slope) {
  SolverScratch& s = gScratch;
  const SaturatedStates q = SaturatedStatesAt(T);
  s.sLiq = q.liq.s;
  s.sVap = q.vap.s;
  slope = X * SaturatedStates::Along(q.vap.dsdT, q.vap.dsdv, q.dvVap) +
          (1 - X) * SaturatedStates::Along(q.liq.dsdT, q.liq.dsdv, q.dvLiq);
  return s.sVap * X + (1 - X) * s.sLiq;
}

}  // namespace

double WetEntropyFromVolume5(double T, double V) {
  SolverScratch& s = gScratch;
  SaturatedVolumes(T);
  s.sLiq = Entropy3(T, s.vLiq);
  s.sVap = Entropy3(T, s.vVap);
  return s.sLiq + (V - s.vLiq) * (s.sVap - s.sLiq) / (s.vVap - s.vLiq);
}

double WetEnthalpyFromVolume5(double T, double V) {
  SolverScratch& s = gScratch;
  SaturatedVolumes(T);
  s.hLiq = Enthalpy3(T, s.vLiq);
  s.hVap = Enthalpy3(T, s.vVap);
  return s.hLiq + (V - s.vLiq) * (s.hVap - s.hLiq) / (s.vVap - s.vLiq);
}

double WetEntropyFromDryness5(double T, double X) {
  SolverScratch& s = gScratch;
  SaturatedVolumes(T);
  s.sLiq = Entropy3(T, s.vLiq);
  s.sVap = Entropy3(T, s.vVap);
  return s.sVap * X + (1 - X) * s.sLiq;
}

// The bracket ends are read before the refinement starts: the target functions
// overwrite the saturated values of the scratch.
double Temperature5FromVS(double V, double S) {
  gPreviousTrial.valid = false;
  const SolverScratch& s = gScratch;
  const Pair X{kT350, s.Ts};
  const Pair F{s.sWet350, s.sVap};
  double step = 0;
  return PolishRootA(X, F, WetEntropyFromVolumeSlope, V, S, kEntropyTolerance, step);
}

double Temperature5FromVI(double V, double I) {
  gPreviousTrial.valid = false;
  const SolverScratch& s = gScratch;
  const Pair X{kT350, s.Ts};
  const Pair F{s.hWet350, s.hVap};
  double step = 0;
  return PolishRootA(X, F, WetEnthalpyFromVolumeSlope, V, I, kEnthalpyTolerance, step);
}

double Temperature5FromSX(double X, double S) {
  gPreviousTrial.valid = false;
  const SolverScratch& s = gScratch;
  // The bracket 350 °C … Tc, searched in w = 1 + √(Tc − T): the saturated entropies
  // approach the critical one like √(Tc − T), so that the entropy of a dryness is
  // nearly straight in w, and its slope stays finite at Tc. The offset 1 keeps the
  // relative width test of the search meaningful at Tc itself (w = 1).
  const auto inW = [](double w, double x, double& slope) {
    const double u = w - 1;
    const double T = kCriticalTemperatureC - u * u;
    const double y = WetEntropyFromDrynessSlope(T, x, slope);
    slope *= -2 * u;
    return y;
  };
  const Pair W{1 + std::sqrt(kCriticalTemperatureC - kT350), 1.0};
  const Pair F{s.sWet350, kCriticalEntropy};
  double step = 0;
  const double u = PolishRootA(W, F, inW, X, S, kEntropyTolerance, step) - 1;
  return kCriticalTemperatureC - u * u;
}

void EvaluateCriticalWetSteam(std::int32_t pair, bool NeedV, bool NeedS, bool NeedI, double& T, double& P,
                              double& V, double& S, double& I, double& X) {
  SolverScratch& s = gScratch;
  // The pairs that know neither T nor P find the saturation temperature first.
  bool atTrial = false;
  if (!CompleteWetPairWithKnownTOrP(pair, T, P, V, S, I, X)) {
    gLeverTemperature = NAN;
    switch (pair) {
      case kPairVS:
        // Pressure and saturated values are those of the last trial temperature.
        s.Ts = Temperature5FromVS(V, S);
        T = s.Ts;
        P = s.ps;
        X = WetDryness(S, s.sLiq, s.sVap);
        break;
      case kPairVI:
        s.Ts = Temperature5FromVI(V, I);
        T = s.Ts;
        P = s.ps;
        X = WetDryness(I, s.hLiq, s.hVap);
        break;
      case kPairSX:
        s.Ts = Temperature5FromSX(X, S);
        T = s.Ts;
        P = s.ps;
        break;
      default: return;
    }
    // An inversion that ended on its last trial temperature left the saturated values
    // at the state's own (T, P) = (T, ps(T)): evaluating them again would give the
    // same numbers.
    atTrial = T == gLeverTemperature;
  }
  if (!(NeedV || NeedS || NeedI)) return;

  const unsigned held = HeldBy(pair);
  const auto heldOf = [held, pair, atTrial](unsigned family) {
    const Held h = HeldOf(held, family, pair);
    return atTrial && h == Held::kTrial ? Held::kExact : h;
  };
  const Held volumes = heldOf(kHeldVolume);
  const bool liquid = LeverLiquidSide(X, volumes);
  const bool vapour = LeverVapourSide(X, volumes);
  if (liquid) s.vLiq = SatLiquidVolume3(T, P);
  if (vapour) s.vVap = SatVapourVolume3(T, P);
  if (NeedV) V = s.vLiq + X * (s.vVap - s.vLiq);
  // A side whose volume was evaluated again has its entropy and enthalpy evaluated
  // with it.
  const Held entropies = heldOf(kHeldEntropy), enthalpies = heldOf(kHeldEnthalpy);
  const bool sLiq = NeedS && (liquid || LeverLiquidSide(X, entropies));
  const bool sVap = NeedS && (vapour || LeverVapourSide(X, entropies));
  const bool hLiq = NeedI && (liquid || LeverLiquidSide(X, enthalpies));
  const bool hVap = NeedI && (vapour || LeverVapourSide(X, enthalpies));
  EntropyEnthalpy3(T, s.vLiq, sLiq, hLiq, s.sLiq, s.hLiq);
  EntropyEnthalpy3(T, s.vVap, sVap, hVap, s.sVap, s.hVap);
  if (NeedS) S = s.sLiq + X * (s.sVap - s.sLiq);
  if (NeedI) I = s.hLiq + X * (s.hVap - s.hLiq);
}

}  // namespace if97
