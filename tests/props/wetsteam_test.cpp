// Subcritical wet-steam evaluator: the lever rule (including the sides whose weight
// is below the dryness limits), the target functions, the temperature inversions and
// round trips from every pair that accepts wet steam below 350 °C.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "props/classifiers.h"
#include "props/evaluators.h"
#include "props/forward.h"
#include "props/saturation.h"
#include "props/solver.h"
#include "props/state.h"
#include "props/wetsteam.h"

namespace if97 {
namespace {

// A wet state computed independently from the region equations at (T, ps(T)).
struct Wet {
  double T, P, V, S, I, X;
};

Wet WetState(double T, double X) {
  const double p = SatPressure(T);
  auto lever = [X](double liq, double vap) { return liq + X * (vap - liq); };
  return {T, p, lever(Region1V(T, p), Region2V(T, p)), lever(Region1S(T, p), Region2S(T, p)),
          lever(Region1I(T, p), Region2I(T, p)), X};
}

// The lever-rule values at the (T, P) an evaluator returned.
Wet LeverAt(double T, double P, double X) {
  auto lever = [X](double liq, double vap) { return liq + X * (vap - liq); };
  return {T, P, lever(Region1V(T, P), Region2V(T, P)), lever(Region1S(T, P), Region2S(T, P)),
          lever(Region1I(T, P), Region2I(T, P)), X};
}

struct Out {
  double T = 0, P = 0, V = 0, S = 0, I = 0, X = 0;
};

// Runs the pair's classifier as SolveState would, checks it chose region 6, then the
// evaluator with every unknown quantity asked for.
Out Evaluate(std::int32_t pair, double v1, double v2, const std::string& what) {
  ClearScratch();
  Out o;
  PropertyRegion r = kRegionNone;
  switch (pair) {
    case kPairTV: o.T = v1; o.V = v2; r = ClassifyTV(v1, v2); break;
    case kPairTS: o.T = v1; o.S = v2; r = ClassifyTS(v1, v2); break;
    case kPairTI: o.T = v1; o.I = v2; r = ClassifyTI(v1, v2); break;
    case kPairTX: o.T = v1; o.X = v2; r = ClassifyTX(v2, v1); break;
    case kPairPV: o.P = v1; o.V = v2; r = ClassifyPV(v1, v2); break;
    case kPairPS: o.P = v1; o.S = v2; r = ClassifyPS(v1, v2, false); break;
    case kPairPI: o.P = v1; o.I = v2; r = ClassifyPI(v1, v2, false); break;
    case kPairPX: o.P = v1; o.X = v2; r = ClassifyPX(v2, v1); break;
    case kPairVS: o.V = v1; o.S = v2; r = ClassifyVS(v1, v2); break;
    case kPairVI: o.V = v1; o.I = v2; r = ClassifyVI(v1, v2); break;
    case kPairSX: o.S = v1; o.X = v2; r = ClassifySX(v2, v1); break;
    case kPairIX: o.I = v1; o.X = v2; r = ClassifyIX(v2, v1); break;
    default: break;
  }
  EXPECT_EQ(r, kRegionWet) << what;
  const int a = pair / 10, b = pair % 10;
  auto need = [&](int k) { return k != a && k != b; };
  EvaluateWetSteam(pair, need(kV), need(kS), need(kI), o.T, o.P, o.V, o.S, o.I, o.X);
  return o;
}

double Rel(double a, double b) { return std::fabs(a - b) / std::fabs(b); }

// --- Reference edge cases -------------------------------------------------------------

TEST(EvaluateWetSteam, DryVapourSkipsTheLiquidSide) {
  const double T = 150;
  const Out o = Evaluate(kPairTX, T, 1.0, "TX 150 1");
  const double p = SatPressure(T);
  EXPECT_EQ(o.P, p);
  EXPECT_DOUBLE_EQ(o.V, Region2V(T, p));
  EXPECT_DOUBLE_EQ(o.S, Region2S(T, p));
  EXPECT_DOUBLE_EQ(o.I, Region2I(T, p));
  // X = 1 exactly: the liquid side has weight 0 and is not evaluated.
  EXPECT_EQ(gScratch.vLiq, 0.0);
  EXPECT_EQ(gScratch.sLiq, 0.0);
  EXPECT_EQ(gScratch.hLiq, 0.0);
}

TEST(EvaluateWetSteam, SaturatedLiquidFromPX) {
  const double P = 2.5;
  const Out o = Evaluate(kPairPX, P, 0.0, "PX 2.5 0");
  const double Ts = SatTemperature(P);
  EXPECT_EQ(o.T, Ts);
  EXPECT_DOUBLE_EQ(o.I, Region1I(Ts, P));
  EXPECT_DOUBLE_EQ(o.V, Region1V(Ts, P));
  EXPECT_DOUBLE_EQ(o.S, Region1S(Ts, P));
  EXPECT_EQ(gScratch.vVap, 0.0);  // X = 0 exactly: vapour side not evaluated
  EXPECT_EQ(gScratch.hVap, 0.0);
}

TEST(EvaluateWetSteam, VolumeOfSaturatedVapourIsDry) {
  const double T = 80;
  const double vVap = Region2V(T, SatPressure(T));
  const Out o = Evaluate(kPairTV, T, vVap, "TV at vVap");
  EXPECT_EQ(o.X, 1.0);
  EXPECT_EQ(o.P, SatPressure(T));
  EXPECT_DOUBLE_EQ(o.S, Region2S(T, o.P));
}

TEST(EvaluateWetSteam, IXStaysBetween0And170C) {
  // The top of the (I,X) band is the 170 °C wet-steam line.
  for (double X : {0.0, 0.25, 0.5, 1.0}) {
    const double top = 2767.893655 * X + 719.2063979 * (1 - X);
    const double bottom = 2500.892618 * X + (-0.04158783) * (1 - X);
    const Out hi = Evaluate(kPairIX, top, X, "IX top");
    EXPECT_NEAR(hi.T, 170.0, 0.01) << X;
    EXPECT_LE(hi.T, 170.0 + 1e-9) << X;
    const Out lo = Evaluate(kPairIX, bottom, X, "IX bottom");
    EXPECT_NEAR(lo.T, 0.0, 0.01) << X;
    EXPECT_NEAR(lo.P, SatPressure(lo.T), 1e-15) << X;
  }
}

TEST(EvaluateWetSteam, VSLeavesTheTemperatureFoundInTheScratch) {
  const Wet w = WetState(120, 0.4);
  const Out o = Evaluate(kPairVS, w.V, w.S, "VS 120 0.4");
  EXPECT_EQ(gScratch.Ts, o.T);
  EXPECT_NEAR(o.T, 120, 0.01);
  EXPECT_EQ(o.P, SatPressure(o.T));
}

// --- Lever rule of the sides below the dryness limits ----------------------------------

// A side with a weight of at most 1e-6 that the scratch does not hold is evaluated:
// a vapour volume of up to 206 m3/kg times 1e-6 is a fifth of the liquid volume.
TEST(EvaluateWetSteam, SmallVapourWeightFromTX) {
  for (double T : {0.5, 1.0, 20.0, 200.0}) {
    for (double X : {1e-6, 5e-7, 1e-9}) {
      const Wet w = WetState(T, X);
      const Out o = Evaluate(kPairTX, T, X, "TX small X");
      EXPECT_LT(Rel(o.V, w.V), 1e-12) << T << " " << X;
      EXPECT_LT(Rel(o.S, w.S), 1e-12) << T << " " << X;
      EXPECT_LT(Rel(o.I, w.I), 1e-12) << T << " " << X;
    }
  }
}

TEST(EvaluateWetSteam, SmallLiquidWeightFromPX) {
  for (double P : {0.001, 0.1, 10.0}) {
    const double X = 1 - 5e-7;
    const double Ts = SatTemperature(P);
    const Wet w = LeverAt(Ts, P, X);
    const Out o = Evaluate(kPairPX, P, X, "PX small 1-X");
    EXPECT_LT(Rel(o.V, w.V), 1e-12) << P;
    EXPECT_LT(Rel(o.S, w.S), 1e-12) << P;
    EXPECT_LT(Rel(o.I, w.I), 1e-12) << P;
  }
}

TEST(EvaluateWetSteam, SmallVapourWeightFromTSAndTI) {
  // (T,S) holds only entropies, (T,I) only enthalpies: the volume is not held.
  const double T = 2, p = SatPressure(T);
  const double X = 5e-7;
  const Wet w = WetState(T, X);
  const Out s = Evaluate(kPairTS, T, w.S, "TS small X");
  EXPECT_NEAR(s.X, X, 1e-9);
  const Wet ws = LeverAt(T, p, s.X);
  EXPECT_LT(Rel(s.V, ws.V), 1e-12);
  EXPECT_LT(Rel(s.I, ws.I), 1e-12);
  EXPECT_NEAR(s.V, w.V, 1e-6 * w.V);

  const Out i = Evaluate(kPairTI, T, w.I, "TI small X");
  const Wet wi = LeverAt(T, p, i.X);
  EXPECT_LT(Rel(i.V, wi.V), 1e-12);
  EXPECT_LT(Rel(i.S, wi.S), 1e-12);
}

TEST(EvaluateWetSteam, SmallVapourWeightFromSXAndIX) {
  const double X = 1e-6;
  const Wet w = WetState(20, X);
  const Out s = Evaluate(kPairSX, w.S, X, "SX small X");
  EXPECT_NEAR(s.T, 20, 0.01);
  const Wet ws = LeverAt(s.T, s.P, X);
  EXPECT_LT(Rel(s.V, ws.V), 1e-12);
  EXPECT_LT(Rel(s.I, ws.I), 1e-12);

  const Out i = Evaluate(kPairIX, w.I, X, "IX small X");
  EXPECT_NEAR(i.T, 20, 0.01);
  const Wet wi = LeverAt(i.T, i.P, X);
  EXPECT_LT(Rel(i.V, wi.V), 1e-12);
  EXPECT_LT(Rel(i.S, wi.S), 1e-12);
}

TEST(EvaluateWetSteam, HeldSideWithSmallWeightKeepsTheScratchValue) {
  // (T,V) holds both saturated volumes at the state's own (T, ps): below the vapour
  // limit the held vapour volume is used, not evaluated again.
  const double T = 60, p = SatPressure(T);
  const double X = 5e-7;
  const double vLiq = Region1V(T, p), vVap = Region2V(T, p);
  const double V = vLiq + X * (vVap - vLiq);
  const Out o = Evaluate(kPairTV, T, V, "TV small X");
  EXPECT_EQ(gScratch.vVap, vVap);
  EXPECT_LT(Rel(o.S, LeverAt(T, p, o.X).S), 1e-12);  // entropies are not held: evaluated
}

// --- Target functions -------------------------------------------------------------------

TEST(WetTargets, WriteTheSaturatedValuesOfTheTrialTemperature) {
  const double T = 90, p = SatPressure(T);
  ClearScratch();
  const double sx = WetEntropyFromDryness6(T, 0.3);
  EXPECT_EQ(gScratch.ps, p);
  EXPECT_EQ(gScratch.sLiq, Region1S(T, p));
  EXPECT_EQ(gScratch.sVap, Region2S(T, p));
  EXPECT_DOUBLE_EQ(sx, 0.7 * Region1S(T, p) + 0.3 * Region2S(T, p));

  const double hx = WetEnthalpyFromDryness6(T, 0.3);
  EXPECT_EQ(gScratch.hVap, Region2I(T, p));
  EXPECT_DOUBLE_EQ(hx, 0.7 * Region1I(T, p) + 0.3 * Region2I(T, p));

  const Wet w = WetState(T, 0.3);
  ClearScratch();
  EXPECT_NEAR(WetEntropyFromVolume6(T, w.V), w.S, 1e-12);
  EXPECT_EQ(gScratch.vLiq, Region1V(T, p));
  EXPECT_EQ(gScratch.vVap, Region2V(T, p));
  EXPECT_NEAR(WetEnthalpyFromVolume6(T, w.V), w.I, 1e-9);
  EXPECT_EQ(gScratch.hLiq, Region1I(T, p));
}

// --- Round trips ---------------------------------------------------------------------------

struct Sample {
  double T, X;
};
// Wet states away from the ends of the range. (300 °C, 0.3) has a volume below the
// saturated-vapour volume at 350 °C: its isochore's dew point lies above 350 °C.
const Sample kSamples[] = {{1, 0.5}, {25, 0.05}, {60, 0.9}, {100, 0.5}, {150, 0.2},
                           {200, 0.75}, {250, 0.98}, {300, 0.3}, {330, 0.6}, {345, 0.8}};

void ExpectState(const Out& o, const Wet& w, double dT, double dX, const std::string& what) {
  EXPECT_NEAR(o.T, w.T, dT) << what;
  EXPECT_NEAR(o.P, w.P, 1e-4 * w.P + 1e-3 * dT * w.P) << what;  // dp/dT/p below 0.07 per K here
  EXPECT_NEAR(o.X, w.X, dX) << what;
  EXPECT_NEAR(o.V, w.V, 1e-5 * w.V + 0.1 * dT * w.V) << what;
  EXPECT_NEAR(o.S, w.S, 1e-4) << what;
  EXPECT_NEAR(o.I, w.I, 0.05 + 5 * dT) << what;
}

TEST(EvaluateWetSteam, RoundTripsFromEveryPair) {
  for (const Sample c : kSamples) {
    const Wet w = WetState(c.T, c.X);
    const std::string at = " at " + std::to_string(c.T) + " °C, X " + std::to_string(c.X);
    // Pairs with T or P: no inversion, the state comes back to rounding.
    ExpectState(Evaluate(kPairTV, w.T, w.V, "TV" + at), w, 1e-12, 1e-9, "TV" + at);
    ExpectState(Evaluate(kPairTS, w.T, w.S, "TS" + at), w, 1e-12, 1e-9, "TS" + at);
    ExpectState(Evaluate(kPairTI, w.T, w.I, "TI" + at), w, 1e-12, 1e-9, "TI" + at);
    ExpectState(Evaluate(kPairTX, w.T, w.X, "TX" + at), w, 1e-12, 1e-12, "TX" + at);
    ExpectState(Evaluate(kPairPV, w.P, w.V, "PV" + at), w, 1e-7, 1e-6, "PV" + at);
    ExpectState(Evaluate(kPairPS, w.P, w.S, "PS" + at), w, 1e-7, 1e-6, "PS" + at);
    ExpectState(Evaluate(kPairPI, w.P, w.I, "PI" + at), w, 1e-7, 1e-6, "PI" + at);
    ExpectState(Evaluate(kPairPX, w.P, w.X, "PX" + at), w, 1e-7, 1e-12, "PX" + at);
    // Temperature inversions: 1e-5 on the entropy, 0.001 on the enthalpy.
    ExpectState(Evaluate(kPairVS, w.V, w.S, "VS" + at), w, 0.01, 1e-3, "VS" + at);
    ExpectState(Evaluate(kPairVI, w.V, w.I, "VI" + at), w, 0.01, 1e-3, "VI" + at);
    if (c.X <= 0.3001 || c.X >= 0.7001)
      ExpectState(Evaluate(kPairSX, w.S, w.X, "SX" + at), w, 0.02, 1e-12, "SX" + at);
    if (c.T < 170) ExpectState(Evaluate(kPairIX, w.I, w.X, "IX" + at), w, 0.01, 1e-12, "IX" + at);
  }
}

TEST(EvaluateWetSteam, InversionsMeetTheirTolerance) {
  for (const Sample c : kSamples) {
    const Wet w = WetState(c.T, c.X);
    const Out vs = Evaluate(kPairVS, w.V, w.S, "VS");
    ClearScratch();
    EXPECT_LT(std::fabs(WetEntropyFromVolume6(vs.T, w.V) - w.S), 1e-5) << c.T << " " << c.X;
    const Out vi = Evaluate(kPairVI, w.V, w.I, "VI");
    ClearScratch();
    EXPECT_LT(std::fabs(WetEnthalpyFromVolume6(vi.T, w.V) - w.I), 1e-3) << c.T << " " << c.X;
  }
}

// --- Through SolveState ---------------------------------------------------------------------

TEST(SolveStateWet, WetStateFromSX) {
  const Wet w = WetState(180, 0.85);
  double T = 0, P = 0, V = 0, S = 0, I = 0, X = 0;
  PropertyRegion region = kRegionNone;
  SolveState(kPairSX, true, true, w.S, w.X, false, true, false, T, P, V, S, I, X, region);
  EXPECT_EQ(region, kRegionWet);
  EXPECT_NEAR(T, 180, 0.01);
  EXPECT_EQ(S, w.S);
  EXPECT_EQ(X, w.X);
  EXPECT_NEAR(V, w.V, 1e-4 * w.V);
  EXPECT_NEAR(I, w.I, 0.05);
}

TEST(SolveStateWet, PSWithoutMetastablePreference) {
  // (0.005 MPa, 8.0): equilibrium dryness just above 0.95, wet steam.
  double T = 0, P = 0, V = 0, S = 0, I = 0, X = 0;
  PropertyRegion region = kRegionNone;
  SolveState(kPairPS, false, true, 0.005, 8.0, false, true, false, T, P, V, S, I, X, region);
  EXPECT_EQ(region, kRegionWet);
  const double Ts = SatTemperature(0.005);
  EXPECT_EQ(T, Ts);
  const double sL = Region1S(Ts, 0.005), sV = Region2S(Ts, 0.005);
  EXPECT_NEAR(X, (8.0 - sL) / (sV - sL), 1e-12);
  EXPECT_GT(X, 0.95);
}

}  // namespace
}  // namespace if97
