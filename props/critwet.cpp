// Critical wet-steam evaluator: saturation temperature and pressure, dryness, and
// V, S, I by the lever rule on the region-3 saturated phases.
#include "props/critwet.h"

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
using numerics::RefineRootA;

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

// Saturated volumes at (T, ps(T)) into the scratch.
void SaturatedVolumes(double T) {
  SolverScratch& s = gScratch;
  s.ps = SatPressure(T);
  s.vLiq = SatLiquidVolume3(T, s.ps);
  s.vVap = SatVapourVolume3(T, s.ps);
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
  const SolverScratch& s = gScratch;
  const Pair X{kT350, s.Ts};
  const Pair F{s.sWet350, s.sVap};
  return RefineRootA(X, F, WetEntropyFromVolume5, V, S, kEntropyTolerance);
}

double Temperature5FromVI(double V, double I) {
  const SolverScratch& s = gScratch;
  const Pair X{kT350, s.Ts};
  const Pair F{s.hWet350, s.hVap};
  return RefineRootA(X, F, WetEnthalpyFromVolume5, V, I, kEnthalpyTolerance);
}

double Temperature5FromSX(double X, double S) {
  const SolverScratch& s = gScratch;
  const Pair Xs{kT350, kCriticalTemperatureC};
  const Pair F{s.sWet350, kCriticalEntropy};
  return RefineRootA(Xs, F, WetEntropyFromDryness5, X, S, kEntropyTolerance);
}

void EvaluateCriticalWetSteam(std::int32_t pair, bool NeedV, bool NeedS, bool NeedI, double& T, double& P,
                              double& V, double& S, double& I, double& X) {
  SolverScratch& s = gScratch;
  // The pairs that know neither T nor P find the saturation temperature first.
  if (!CompleteWetPairWithKnownTOrP(pair, T, P, V, S, I, X)) {
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
  }
  if (!(NeedV || NeedS || NeedI)) return;

  const unsigned held = HeldBy(pair);
  const Held volumes = HeldOf(held, kHeldVolume, pair);
  const bool liquid = LeverLiquidSide(X, volumes);
  const bool vapour = LeverVapourSide(X, volumes);
  if (liquid) s.vLiq = SatLiquidVolume3(T, P);
  if (vapour) s.vVap = SatVapourVolume3(T, P);
  if (NeedV) V = s.vLiq + X * (s.vVap - s.vLiq);
  // A side whose volume was evaluated again has its entropy and enthalpy evaluated
  // with it.
  if (NeedS) {
    const Held entropies = HeldOf(held, kHeldEntropy, pair);
    if (liquid || LeverLiquidSide(X, entropies)) s.sLiq = Entropy3(T, s.vLiq);
    if (vapour || LeverVapourSide(X, entropies)) s.sVap = Entropy3(T, s.vVap);
    S = s.sLiq + X * (s.sVap - s.sLiq);
  }
  if (NeedI) {
    const Held enthalpies = HeldOf(held, kHeldEnthalpy, pair);
    if (liquid || LeverLiquidSide(X, enthalpies)) s.hLiq = Enthalpy3(T, s.vLiq);
    if (vapour || LeverVapourSide(X, enthalpies)) s.hVap = Enthalpy3(T, s.vVap);
    I = s.hLiq + X * (s.hVap - s.hLiq);
  }
}

}  // namespace if97
