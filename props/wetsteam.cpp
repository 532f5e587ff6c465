// Subcritical wet-steam evaluator: saturation temperature and pressure, dryness, and
// V, S, I by the lever rule between saturated liquid (region 1) and saturated vapour
// (region 2) at (T, ps).
#include "props/wetsteam.h"

#include "numerics/roots.h"
#include "props/evaluators.h"
#include "props/forward.h"
#include "props/saturation.h"
#include "props/state.h"

namespace if97 {

using numerics::Pair;
using numerics::RefineRootA;

namespace {

constexpr double kEntropyTolerance = 1e-5;   // kJ/(kg K)
constexpr double kEnthalpyTolerance = 0.001;  // kJ/kg
constexpr double kIXUpperTemperature = 170.0;  // °C, top of the (I,X) range

// Saturated values the classifier (or, for 34, 35, 46, 56, the target functions of
// the inversion) left in the scratch for each pair.
unsigned HeldBy(std::int32_t pair) {
  switch (pair) {
    case kPairTV:
    case kPairPV: return kHeldVolume;
    case kPairTS:
    case kPairPS:
    case kPairSX: return kHeldEntropy;
    case kPairTI:
    case kPairPI:
    case kPairIX: return kHeldEnthalpy;
    case kPairVS: return kHeldVolume | kHeldEntropy;
    case kPairVI: return kHeldVolume | kHeldEnthalpy;
    default: return kHeldNone;  // (T,X), (P,X)
  }
}

// One lever-rule family: evaluates the sides that are due and returns the wet value.
template <double (*Liquid)(double, double), double (*Vapour)(double, double)>
double Lever(double T, double P, double X, Held held, double& liq, double& vap) {
  if (LeverLiquidSide(X, held)) liq = Liquid(T, P);
  if (LeverVapourSide(X, held)) vap = Vapour(T, P);
  return liq + X * (vap - liq);
}

}  // namespace

bool CompleteWetPairWithKnownTOrP(std::int32_t pair, double& T, double& P, double V, double S, double I, double& X) {
  const SolverScratch& s = gScratch;
  switch (pair) {
    case kPairTV: P = s.ps; X = WetDryness(V, s.vLiq, s.vVap); return true;
    case kPairTS: P = s.ps; X = WetDryness(S, s.sLiq, s.sVap); return true;
    case kPairTI: P = s.ps; X = WetDryness(I, s.hLiq, s.hVap); return true;
    case kPairTX: P = s.ps; return true;
    case kPairPV: T = s.Ts; X = WetDryness(V, s.vLiq, s.vVap); return true;
    case kPairPS: T = s.Ts; X = WetDryness(S, s.sLiq, s.sVap); return true;
    case kPairPI: T = s.Ts; X = WetDryness(I, s.hLiq, s.hVap); return true;
    case kPairPX: T = s.Ts; return true;
    default: return false;
  }
}

double WetEntropyFromVolume6(double T, double V) {
  SolverScratch& s = gScratch;
  s.ps = SatPressure(T);
  s.vLiq = Region1V(T, s.ps);
  s.sLiq = Region1S(T, s.ps);
  s.vVap = Region2V(T, s.ps);
  s.sVap = Region2S(T, s.ps);
  return s.sLiq + (V - s.vLiq) * (s.sVap - s.sLiq) / (s.vVap - s.vLiq);
}

double WetEnthalpyFromVolume6(double T, double V) {
  SolverScratch& s = gScratch;
  s.ps = SatPressure(T);
  s.vLiq = Region1V(T, s.ps);
  s.hLiq = Region1I(T, s.ps);
  s.vVap = Region2V(T, s.ps);
  s.hVap = Region2I(T, s.ps);
  return s.hLiq + (V - s.vLiq) * (s.hVap - s.hLiq) / (s.vVap - s.vLiq);
}

double WetEntropyFromDryness6(double T, double X) {
  SolverScratch& s = gScratch;
  s.ps = SatPressure(T);
  s.sLiq = Region1S(T, s.ps);
  s.sVap = Region2S(T, s.ps);
  return (1 - X) * s.sLiq + X * s.sVap;
}

double WetEnthalpyFromDryness6(double T, double X) {
  SolverScratch& s = gScratch;
  s.ps = SatPressure(T);
  s.hLiq = Region1I(T, s.ps);
  s.hVap = Region2I(T, s.ps);
  return (1 - X) * s.hLiq + X * s.hVap;
}

// The bracket ends are read before the refinement starts: the target functions
// overwrite the saturated values of the scratch.
double Temperature6FromVS(double V, double S) {
  const SolverScratch& s = gScratch;
  const bool at350 = s.sWet350 >= s.sVap;
  const Pair X{kTmin, at350 ? kT350 : s.Ts};
  const Pair F{s.sWet0, at350 ? s.sWet350 : s.sVap};
  return RefineRootA(X, F, WetEntropyFromVolume6, V, S, kEntropyTolerance);
}

double Temperature6FromVI(double V, double I) {
  const SolverScratch& s = gScratch;
  const bool at350 = s.hWet350 >= s.hVap;
  const Pair X{kTmin, at350 ? kT350 : s.Ts};
  const Pair F{s.hWet0, at350 ? s.hWet350 : s.hVap};
  return RefineRootA(X, F, WetEnthalpyFromVolume6, V, I, kEnthalpyTolerance);
}

double Temperature6FromSX(double X, double S) {
  const SolverScratch& s = gScratch;
  const Pair Xs{kTmin, kT350};
  const Pair F{s.sWet0, s.sWet350};
  return RefineRootA(Xs, F, WetEntropyFromDryness6, X, S, kEntropyTolerance);
}

double Temperature6FromIX(double X, double I) {
  const SolverScratch& s = gScratch;
  const Pair Xs{0.0, kIXUpperTemperature};
  const Pair F{s.hWet0, s.hWet170};
  return RefineRootA(Xs, F, WetEnthalpyFromDryness6, X, I, kEnthalpyTolerance);
}

void EvaluateWetSteam(std::int32_t pair, bool NeedV, bool NeedS, bool NeedI, double& T, double& P, double& V,
                      double& S, double& I, double& X) {
  SolverScratch& s = gScratch;
  // The pairs that know neither T nor P find the saturation temperature first.
  if (!CompleteWetPairWithKnownTOrP(pair, T, P, V, S, I, X)) {
    switch (pair) {
      case kPairVS:
        // The saturated values of the dryness are those of the last trial temperature.
        s.Ts = Temperature6FromVS(V, S);
        T = s.Ts;
        P = SatPressure(T);
        X = WetDryness(S, s.sLiq, s.sVap);
        break;
      case kPairVI:
        s.Ts = Temperature6FromVI(V, I);
        T = s.Ts;
        P = s.ps;
        X = WetDryness(I, s.hLiq, s.hVap);
        break;
      case kPairSX:
        s.Ts = Temperature6FromSX(X, S);
        P = SatPressure(s.Ts);
        T = s.Ts;
        break;
      case kPairIX:
        s.Ts = Temperature6FromIX(X, I);
        P = SatPressure(s.Ts);
        T = s.Ts;
        break;
      default: return;
    }
  }

  const unsigned held = HeldBy(pair);
  if (NeedV) V = Lever<Region1V, Region2V>(T, P, X, HeldOf(held, kHeldVolume, pair), s.vLiq, s.vVap);
  if (NeedS) S = Lever<Region1S, Region2S>(T, P, X, HeldOf(held, kHeldEntropy, pair), s.sLiq, s.sVap);
  if (NeedI) I = Lever<Region1I, Region2I>(T, P, X, HeldOf(held, kHeldEnthalpy, pair), s.hLiq, s.hVap);
}

}  // namespace if97
