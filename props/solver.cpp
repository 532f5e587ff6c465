#include "props/solver.h"

#include <cmath>

#include "props/classifiers.h"
#include "props/evaluators.h"
#include "props/forward.h"
#include "props/saturation.h"

namespace if97 {

namespace {

constexpr unsigned Bit(PropertyRegion r) { return 1u << r; }
constexpr unsigned Range(PropertyRegion lo, PropertyRegion hi) {
  unsigned m = 0;
  for (PropertyRegion r = lo; r <= hi; ++r) m |= Bit(r);
  return m;
}

// Regions that SolveState completes for each supported pair; a classifier result
// outside the set ends as region 9. (T,V) does not take compressed water: a (T,V)
// state that its classifier places in region 1 ends as 9.
unsigned AcceptedRegions(std::int32_t pair) {
  switch (pair) {
    case kPairTP:
    case kPairPS:
    case kPairPI:
      return Range(1, 8);
    case kPairTS:
    case kPairVS:
    case kPairVI:
      return Range(1, 6);
    case kPairTV:
      return Range(2, 6);
    case kPairTI:
    case kPairTX:
    case kPairPV:
    case kPairPX:
    case kPairSX:
      return Bit(kRegionWetCritical) | Bit(kRegionWet);
    case kPairIX:
      return Bit(kRegionWet);
    default:
      return 0;
  }
}

bool IsSupportedPair(std::int32_t pair) { return AcceptedRegions(pair) != 0; }

// The pair's classifier; v1 belongs to the lower-numbered quantity. The wet-steam
// classifiers of pairs with X take the dryness first.
PropertyRegion Classify(std::int32_t pair, double v1, double v2, bool preferMetastable) {
  switch (pair) {
    case kPairTP: return ClassifyTP(v1, v2, preferMetastable);
    case kPairTV: return ClassifyTV(v1, v2);
    case kPairTS: return ClassifyTS(v1, v2);
    case kPairTI: return ClassifyTI(v1, v2);
    case kPairTX: return ClassifyTX(v2, v1);
    case kPairPV: return ClassifyPV(v1, v2);
    case kPairPS: return ClassifyPS(v1, v2, preferMetastable);
    case kPairPI: return ClassifyPI(v1, v2, preferMetastable);
    case kPairPX: return ClassifyPX(v2, v1);
    case kPairVS: return ClassifyVS(v1, v2);
    case kPairVI: return ClassifyVI(v1, v2);
    case kPairSX: return ClassifySX(v2, v1);
    case kPairIX: return ClassifyIX(v2, v1);
    default: return kRegionPairInvalid;
  }
}

// A metastable state found from (P,S) or (P,I) must lie inside the range of the
// metastable-vapour equation: at or above 0 °C and more than 1 K above the
// metastable limit line (the same margin as the (T,P) metastable test). The
// temperature found is only as good as the inversion's tolerance (a few millikelvin
// at most), so within kMetastableEdgeBand of either edge the given entropy or
// enthalpy decides instead, against the metastable equation's value at the edge
// (both rise with T along the isobar): a state that (T,P) places in region 8 then
// comes back in region 8 from its own entropy or enthalpy. NaN fails.
constexpr double kMetastableEdgeBand = 0.01;  // K

bool InsideMetastableRange(std::int32_t pair, double T, double P, double given) {
  const double limit = MetastableLimitTemperature(P);
  if (T >= kMetastableEdgeBand && T - limit > 1.0 + kMetastableEdgeBand) return true;
  if (!(T >= -kMetastableEdgeBand && T - limit > 1.0 - kMetastableEdgeBand)) return false;
  // The lower edge is the higher of the two; the value there is the least a state
  // inside may have.
  const double edge = limit + 1.0 > 0.0 ? limit + 1.0 : 0.0;
  return given >= (pair == kPairPS ? MetaS : MetaI)(edge, P);
}

// Completes the state of an accepted region and sets X where the region fixes it.
void Evaluate(std::int32_t pair, PropertyRegion region, bool NeedP, bool NeedV, bool NeedS, bool NeedI, double& T,
              double& P, double& V, double& S, double& I, double& X) {
  switch (region) {
    case kRegionWater:
      EvaluateRegion1(pair, NeedV, NeedS, NeedI, T, P, V, S, I);
      X = 0;
      break;
    case kRegionSteam:
      EvaluateRegion2(pair, NeedV, NeedS, NeedI, T, P, V, S, I);
      X = 1;
      break;
    case kRegionCritical:
      EvaluateRegion3(pair, NeedP, NeedS, NeedI, T, P, V, S, I);
      X = 1;
      break;
    case kRegionWetCritical:
      EvaluateCriticalWetSteam(pair, NeedV, NeedS, NeedI, T, P, V, S, I, X);
      break;
    case kRegionWet:
      EvaluateWetSteam(pair, NeedV, NeedS, NeedI, T, P, V, S, I, X);
      break;
    case kRegionMetastable:
      EvaluateMetastable(pair, NeedV, NeedS, NeedI, T, P, V, S, I);
      X = 1;
      break;
    default:
      break;
  }
}

}  // namespace

void SolveState(std::int32_t PairCode, bool NeedP, bool NeedV, double Value1, double Value2, bool NeedS,
                bool NeedI, bool PreferMetastable, double& T, double& P, double& V, double& S, double& I,
                double& X, PropertyRegion& Region) {
  ClearScratch();

  if (PairCode == kPairVX || PairCode == kPairSI) {
    T = P = V = S = I = X = 0;
    Region = kRegionPairUnsupported;
    return;
  }
  if (!IsSupportedPair(PairCode)) {
    Region = kRegionPairInvalid;
    return;
  }

  double* const q[kQuantityCount + 1] = {nullptr, &T, &P, &V, &S, &I, &X};
  const int first = PairCode / 10;
  const int second = PairCode % 10;
  *q[first] = Value1;
  *q[second] = Value2;

  // Rejected: the two inputs stay, the four other quantities are zeroed. NaN and
  // infinite inputs are rejected before any classifier runs.
  auto reject = [&]() {
    for (int k = 1; k <= kQuantityCount; ++k)
      if (k != first && k != second) *q[k] = 0;
    Region = kRegionInputRange;
  };
  if (!std::isfinite(Value1) || !std::isfinite(Value2)) {
    reject();
    return;
  }

  Region = Classify(PairCode, Value1, Value2, PreferMetastable);
  if ((AcceptedRegions(PairCode) & Bit(Region)) == 0) {
    reject();
    return;
  }

  Evaluate(PairCode, Region, NeedP, NeedV, NeedS, NeedI, T, P, V, S, I, X);

  if (Region == kRegionMetastable && PairCode != kPairTP && !InsideMetastableRange(PairCode, T, P, Value2)) {
    // (P,S) and (P,I) chose region 8 from the equilibrium dryness alone; a
    // temperature outside the metastable equation's range falls back to the
    // equilibrium wet state that the pair gives without the preference.
    ClearScratch();
    Region = Classify(PairCode, Value1, Value2, false);
    Evaluate(PairCode, Region, NeedP, NeedV, NeedS, NeedI, T, P, V, S, I, X);
  }
}

}  // namespace if97
