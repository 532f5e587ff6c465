// Critical wet-steam evaluator (350 °C to the critical point): the reference states,
// the lever rule with sides below the dryness limits, the target functions, and round
// trips from every pair that accepts region 5.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "props/classifiers.h"
#include "props/critwet.h"
#include "props/evaluators.h"
#include "props/region3.h"
#include "props/saturation.h"
#include "props/solver.h"
#include "props/state.h"

namespace if97 {
namespace {

// A wet state computed independently from the saturated phases of the region-3
// equation at (T, ps(T)).
struct Wet {
  double T, P, V, S, I, X;
  double vLiq, vVap, sLiq, sVap, hLiq, hVap;
};

Wet WetState(double T, double X) {
  Wet w{};
  w.T = T;
  w.X = X;
  w.P = SatPressure(T);
  w.vLiq = SatLiquidVolume3(T, w.P);
  w.vVap = SatVapourVolume3(T, w.P);
  w.sLiq = Entropy3(T, w.vLiq);
  w.sVap = Entropy3(T, w.vVap);
  w.hLiq = Enthalpy3(T, w.vLiq);
  w.hVap = Enthalpy3(T, w.vVap);
  w.V = w.vLiq + X * (w.vVap - w.vLiq);
  w.S = w.sLiq + X * (w.sVap - w.sLiq);
  w.I = w.hLiq + X * (w.hVap - w.hLiq);
  return w;
}

struct Out {
  double T = 0, P = 0, V = 0, S = 0, I = 0, X = 0;
};

// Runs the pair's classifier as SolveState would, checks it chose region 5, then the
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
    default: break;
  }
  EXPECT_EQ(r, kRegionWetCritical) << what;
  const int a = pair / 10, b = pair % 10;
  auto need = [&](int k) { return k != a && k != b; };
  EvaluateCriticalWetSteam(pair, need(kV), need(kS), need(kI), o.T, o.P, o.V, o.S, o.I, o.X);
  return o;
}

double Rel(double a, double b) { return std::fabs(a - b) / std::fabs(b); }

// --- Reference states ----------------------------------------------------------------

TEST(EvaluateCriticalWetSteam, SaturatedLiquidAt360C) {
  const Out o = Evaluate(kPairTX, 360, 0.0, "TX 360 0");
  EXPECT_NEAR(o.P, 18.6664034, 5e-8);
  EXPECT_NEAR(o.V, 0.0018945130, 5e-10);
  EXPECT_NEAR(o.S, 3.9163570, 5e-7);
  EXPECT_NEAR(o.I, 1761.4914, 5e-5);
  EXPECT_EQ(o.X, 0.0);
  EXPECT_EQ(gScratch.vVap, 0.0);  // X = 0: the vapour side is not evaluated
}

TEST(EvaluateCriticalWetSteam, SaturatedVapourAt360C) {
  const Out o = Evaluate(kPairTX, 360, 1.0, "TX 360 1");
  EXPECT_NEAR(o.P, 18.6664034, 5e-8);
  EXPECT_NEAR(o.V, 0.0069449400, 5e-10);
  EXPECT_NEAR(o.S, 5.0527286, 5e-7);
  EXPECT_NEAR(o.I, 2480.9866, 5e-5);
  EXPECT_EQ(gScratch.vLiq, 0.0);  // X = 1: the liquid side is not evaluated
  EXPECT_EQ(gScratch.sLiq, 0.0);
}

TEST(EvaluateCriticalWetSteam, PVAt20MPa) {
  const Out o = Evaluate(kPairPV, 20, 0.005, "PV 20 0.005");
  EXPECT_NEAR(o.T, 365.7459, 5e-5);
  EXPECT_EQ(o.T, SatTemperature(20));
  EXPECT_NEAR(o.X, 0.77530, 5e-6);
}

TEST(EvaluateCriticalWetSteam, SXNearTheCriticalPoint) {
  const Out o = Evaluate(kPairSX, 4.6, 0.8, "SX 4.6 0.8");
  EXPECT_NEAR(o.T, 372.0107, 5e-4);
  EXPECT_NEAR(o.P, 21.5556, 5e-4);
  EXPECT_EQ(gScratch.Ts, o.T);
  // The entropy of the state found meets the tolerance of the inversion.
  const Wet w = WetState(o.T, 0.8);
  EXPECT_LT(std::fabs(w.S - 4.6), 1e-5);
}

TEST(EvaluateCriticalWetSteam, TIJustBelowTheCriticalTemperature) {
  // With the liquid branch of the saturated volumes converging on the liquid side,
  // h′ ≈ 2055.86 and h″ ≈ 2121.78 kJ/kg at 373.9 °C, so I = 2100 is X ≈ 0.6696.
  const Out o = Evaluate(kPairTI, 373.9, 2100, "TI 373.9 2100");
  EXPECT_NEAR(o.P, 22.0516733, 5e-7);
  EXPECT_NEAR(gScratch.hLiq, 2055.86, 0.005);
  EXPECT_NEAR(gScratch.hVap, 2121.78, 0.005);
  EXPECT_NEAR(o.X, 0.6696, 5e-5);
  const Wet w = WetState(373.9, o.X);
  EXPECT_NEAR(o.V, w.V, 1e-12);
  EXPECT_NEAR(o.S, w.S, 1e-12);
}

// --- Lever rule of the sides below the dryness limits ----------------------------------

TEST(EvaluateCriticalWetSteam, SmallWeightsFromTXAndPX) {
  // (T,X) and (P,X) hold no saturated values: a side with a non-zero weight is evaluated.
  for (double X : {1e-6, 5e-7, 1 - 5e-7, 1 - 1e-6}) {
    const Wet w = WetState(360, X);
    const Out t = Evaluate(kPairTX, 360, X, "TX small weight");
    EXPECT_LT(Rel(t.V, w.V), 1e-12) << X;
    EXPECT_LT(Rel(t.S, w.S), 1e-12) << X;
    EXPECT_LT(Rel(t.I, w.I), 1e-12) << X;

    const double P = 20;
    const double Ts = SatTemperature(P);
    const double vL = SatLiquidVolume3(Ts, P), vV = SatVapourVolume3(Ts, P);
    const double hL = Enthalpy3(Ts, vL), hV = Enthalpy3(Ts, vV);
    const Out p = Evaluate(kPairPX, P, X, "PX small weight");
    EXPECT_LT(Rel(p.V, vL + X * (vV - vL)), 1e-12) << X;
    EXPECT_LT(Rel(p.I, hL + X * (hV - hL)), 1e-12) << X;
  }
}

TEST(EvaluateCriticalWetSteam, SmallWeightFromTVEvaluatesTheEntropies) {
  // (T,V) holds the saturated volumes but no entropies or enthalpies.
  const double X = 1 - 5e-7;
  const Wet w = WetState(365, X);
  const Out o = Evaluate(kPairTV, 365, w.V, "TV small 1-X");
  EXPECT_NEAR(o.X, X, 1e-9);
  const Wet at = WetState(365, o.X);
  EXPECT_LT(Rel(o.S, at.S), 1e-12);
  EXPECT_LT(Rel(o.I, at.I), 1e-12);
}

// --- Target functions ----------------------------------------------------------------

TEST(CriticalWetTargets, WriteTheSaturatedValuesOfTheTrialTemperature) {
  const Wet w = WetState(362, 0.4);
  ClearScratch();
  EXPECT_NEAR(WetEntropyFromVolume(362, w.V), w.S, 1e-12);
  EXPECT_EQ(gScratch.ps, w.P);
  EXPECT_EQ(gScratch.vLiq, w.vLiq);
  EXPECT_EQ(gScratch.vVap, w.vVap);
  EXPECT_EQ(gScratch.sLiq, w.sLiq);
  EXPECT_EQ(gScratch.sVap, w.sVap);
  ClearScratch();
  EXPECT_NEAR(WetEnthalpyFromVolume(362, w.V), w.I, 1e-9);
  EXPECT_EQ(gScratch.hLiq, w.hLiq);
  EXPECT_EQ(gScratch.hVap, w.hVap);
  ClearScratch();
  EXPECT_NEAR(WetEntropyFromDryness(362, 0.4), w.S, 1e-12);
  EXPECT_EQ(gScratch.sVap, w.sVap);
}

TEST(CriticalWetTargets, EveryDrynessEndsAtTheCriticalEntropy) {
  // The upper bracket end of the (S,X) inversion: near the critical temperature both
  // saturated entropies approach 4.41199 kJ/(kg K).
  for (double X : {0.0, 0.3, 0.8, 1.0}) {
    ClearScratch();
    EXPECT_NEAR(WetEntropyFromDryness(373.94, X), kCriticalEntropy, 0.05) << X;
  }
}

// --- Round trips ------------------------------------------------------------------------

struct Sample {
  double T, X;
};
const Sample kSamples[] = {{355, 0.2}, {358, 0.8}, {362, 0.5}, {366, 0.05}, {368, 0.95}, {371, 0.3}, {373, 0.75}};

void ExpectState(const Out& o, const Wet& w, double dT, double dX, const std::string& what) {
  EXPECT_NEAR(o.T, w.T, dT) << what;
  EXPECT_NEAR(o.P, w.P, 1e-6 * w.P + 0.2 * dT) << what;  // dp/dT is below 0.2 MPa/K here
  EXPECT_NEAR(o.X, w.X, dX) << what;
  EXPECT_NEAR(o.V, w.V, 1e-4 * w.V + 0.01 * dT * w.V / 0.001) << what;
  EXPECT_NEAR(o.S, w.S, 1e-5 + 0.02 * dT) << what;
  EXPECT_NEAR(o.I, w.I, 0.01 + 20 * dT) << what;
}

TEST(EvaluateCriticalWetSteam, RoundTripsFromEveryPair) {
  for (const Sample c : kSamples) {
    const Wet w = WetState(c.T, c.X);
    const std::string at = " at " + std::to_string(c.T) + " °C, X " + std::to_string(c.X);
    ExpectState(Evaluate(kPairTV, w.T, w.V, "TV" + at), w, 1e-12, 1e-6, "TV" + at);
    ExpectState(Evaluate(kPairTS, w.T, w.S, "TS" + at), w, 1e-12, 1e-6, "TS" + at);
    ExpectState(Evaluate(kPairTI, w.T, w.I, "TI" + at), w, 1e-12, 1e-6, "TI" + at);
    ExpectState(Evaluate(kPairTX, w.T, w.X, "TX" + at), w, 1e-12, 1e-12, "TX" + at);
    ExpectState(Evaluate(kPairPV, w.P, w.V, "PV" + at), w, 1e-6, 1e-4, "PV" + at);
    ExpectState(Evaluate(kPairPS, w.P, w.S, "PS" + at), w, 1e-6, 1e-4, "PS" + at);
    ExpectState(Evaluate(kPairPI, w.P, w.I, "PI" + at), w, 1e-6, 1e-4, "PI" + at);
    ExpectState(Evaluate(kPairPX, w.P, w.X, "PX" + at), w, 1e-6, 1e-12, "PX" + at);
    if (w.V >= limits::kVc) {  // (V,S) and (V,I) cover only the vapour side of the critical volume
      ExpectState(Evaluate(kPairVS, w.V, w.S, "VS" + at), w, 0.01, 1e-3, "VS" + at);
      ExpectState(Evaluate(kPairVI, w.V, w.I, "VI" + at), w, 0.01, 1e-3, "VI" + at);
    }
    if (c.X <= 0.3001 || c.X >= 0.7001)
      ExpectState(Evaluate(kPairSX, w.S, w.X, "SX" + at), w, 0.01, 1e-12, "SX" + at);
  }
}

// --- Through SolveState -------------------------------------------------------------------

TEST(SolveStateCriticalWet, TIReference) {
  double T = 0, P = 0, V = 0, S = 0, I = 0, X = 0;
  PropertyRegion region = kRegionNone;
  SolveState(kPairTI, true, true, 373.9, 2100, true, false, false, T, P, V, S, I, X, region);
  EXPECT_EQ(region, kRegionWetCritical);
  EXPECT_NEAR(P, 22.0516733, 5e-7);
  EXPECT_NEAR(X, 0.6696, 5e-5);
  EXPECT_EQ(I, 2100.0);
}

TEST(SolveStateCriticalWet, TSReferenceAt360C) {
  // (360 °C, 4.0) lies between s′ = 3.9164 and s″ = 5.0527: wet steam at ps(360 °C).
  double T = 0, P = 0, V = 0, S = 0, I = 0, X = 0;
  PropertyRegion region = kRegionNone;
  SolveState(kPairTS, true, true, 360, 4.0, false, true, false, T, P, V, S, I, X, region);
  EXPECT_EQ(region, kRegionWetCritical);
  EXPECT_NEAR(P, 18.6664, 5e-5);
  EXPECT_NEAR(X, (4.0 - 3.9163570) / (5.0527286 - 3.9163570), 1e-6);
  const Wet w = WetState(360, X);
  EXPECT_NEAR(V, w.V, 1e-12);
  EXPECT_NEAR(I, w.I, 1e-9);
}

}  // namespace
}  // namespace if97
