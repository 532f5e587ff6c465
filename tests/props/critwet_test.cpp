// Critical wet-steam evaluator (350 °C to the critical point): the reference states,
// the lever rule with sides below the dryness limits, the target functions, and round
// trips from every pair that accepts region 5.
#include "props/critwet.h"

#include "props/evaluators.h"
#include "testing.h"

namespace if97 {
namespace {

using namespace test;

// Runs the pair's classifier as SolveState would, checks it chose region 5, then the
// evaluator with every unknown quantity asked for.
State Evaluate(std::int32_t pair, double v1, double v2) {
  State q;
  EXPECT_EQ(ClassifyPair(pair, v1, v2, q), kRegionWetCritical) << "pair " << pair << " (" << v1 << ", " << v2 << ")";
  EvaluateCriticalWetSteam(pair, Unknown(pair, kV), Unknown(pair, kS), Unknown(pair, kI), q[kT], q[kP], q[kV], q[kS],
                           q[kI], q[kX]);
  return q;
}

TEST(EvaluateCriticalWetSteam, SaturatedStatesAt360C) {
  const State liquid = Evaluate(kPairTX, 360, 0.0);
  EXPECT_NEAR(liquid[kP], 18.6664034, 5e-8);
  EXPECT_NEAR(liquid[kV], 0.0018945130, 5e-10);
  EXPECT_NEAR(liquid[kS], 3.9163570, 5e-7);
  EXPECT_NEAR(liquid[kI], 1761.4914, 5e-5);
  EXPECT_EQ(gScratch.vVap, 0.0);  // X = 0: the vapour side is not evaluated
  const State vapour = Evaluate(kPairTX, 360, 1.0);
  EXPECT_NEAR(vapour[kV], 0.0069449400, 5e-10);
  EXPECT_NEAR(vapour[kS], 5.0527286, 5e-7);
  EXPECT_NEAR(vapour[kI], 2480.9866, 5e-5);
  EXPECT_EQ(gScratch.vLiq, 0.0);  // X = 1: the liquid side is not evaluated
  EXPECT_EQ(gScratch.sLiq, 0.0);
}

TEST(EvaluateCriticalWetSteam, ReferenceStates) {
  const State pv = Evaluate(kPairPV, 20, 0.005);
  EXPECT_NEAR(pv[kT], 365.7459, 5e-5);
  EXPECT_EQ(pv[kT], SatTemperature(20));
  EXPECT_NEAR(pv[kX], 0.77530, 5e-6);

  const State sx = Evaluate(kPairSX, 4.6, 0.8);
  EXPECT_NEAR(sx[kT], 372.0107, 5e-4);
  EXPECT_NEAR(sx[kP], 21.5556, 5e-4);
  EXPECT_EQ(gScratch.Ts, sx[kT]);
  EXPECT_LT(std::fabs(WetState(sx[kT], 0.8)[kS] - 4.6), 1e-5);  // the tolerance of the inversion

  // With the liquid branch of the saturated volumes converging on the liquid side,
  // h′ ≈ 2055.86 and h″ ≈ 2121.78 kJ/kg at 373.9 °C, so I = 2100 is X ≈ 0.6696.
  const State ti = Evaluate(kPairTI, 373.9, 2100);
  EXPECT_NEAR(ti[kP], 22.0516733, 5e-7);
  EXPECT_NEAR(gScratch.hLiq, 2055.86, 0.005);
  EXPECT_NEAR(gScratch.hVap, 2121.78, 0.005);
  EXPECT_NEAR(ti[kX], 0.6696, 5e-5);
  const State w = WetState(373.9, ti[kX]);
  EXPECT_NEAR(ti[kV], w[kV], 1e-12);
  EXPECT_NEAR(ti[kS], w[kS], 1e-12);
}

// (T,X) and (P,X) hold no saturated values, (T,V) only the volumes: a side with a
// non-zero weight below the dryness limits is evaluated.
TEST(EvaluateCriticalWetSteam, SmallWeightsFollowTheLeverRule) {
  struct Row {
    std::int32_t pair;
    double T, X;
  };
  const Row rows[] = {{kPairTX, 360, 1e-6},     {kPairTX, 360, 5e-7}, {kPairTX, 360, 1 - 5e-7},
                      {kPairTX, 360, 1 - 1e-6}, {kPairPX, 0, 1e-6},   {kPairPX, 0, 1 - 5e-7},
                      {kPairTV, 365, 1 - 5e-7}};
  for (const Row& r : rows) {
    SCOPED_TRACE(::testing::Message() << "pair " << r.pair << " T " << r.T << " X " << r.X);
    const bool byP = r.pair == kPairPX;
    const double T = byP ? SatTemperature(20) : r.T, P = byP ? 20 : SatPressure(T);
    const double vl = SatLiquidVolume3(T, P), vv = SatVapourVolume3(T, P);
    const State o = Evaluate(r.pair, byP ? P : T, r.pair == kPairTV ? vl + r.X * (vv - vl) : r.X);
    EXPECT_NEAR(o[kX], r.X, 1e-9);
    const double X = o[kX];
    EXPECT_LT(Rel(o[kI], Enthalpy3(T, vl) + X * (Enthalpy3(T, vv) - Enthalpy3(T, vl))), 1e-12);
    EXPECT_LT(Rel(o[kS], Entropy3(T, vl) + X * (Entropy3(T, vv) - Entropy3(T, vl))), 1e-12);
    if (r.pair != kPairTV) { EXPECT_LT(Rel(o[kV], vl + X * (vv - vl)), 1e-12); }
  }
}

TEST(CriticalWetTargets, WriteTheSaturatedValuesOfTheTrialTemperature) {
  const double T = 362, p = SatPressure(T);
  const double vl = SatLiquidVolume3(T, p), vv = SatVapourVolume3(T, p);
  const State w = WetState(T, 0.4);
  ClearScratch();
  EXPECT_NEAR(WetEntropyFromVolume5(T, w[kV]), w[kS], 1e-12);
  EXPECT_EQ(gScratch.ps, p);
  EXPECT_EQ(gScratch.vLiq, vl);
  EXPECT_EQ(gScratch.vVap, vv);
  EXPECT_EQ(gScratch.sLiq, Entropy3(T, vl));
  EXPECT_EQ(gScratch.sVap, Entropy3(T, vv));
  ClearScratch();
  EXPECT_NEAR(WetEnthalpyFromVolume5(T, w[kV]), w[kI], 1e-9);
  EXPECT_EQ(gScratch.hLiq, Enthalpy3(T, vl));
  EXPECT_EQ(gScratch.hVap, Enthalpy3(T, vv));
  ClearScratch();
  EXPECT_NEAR(WetEntropyFromDryness5(T, 0.4), w[kS], 1e-12);
  // The upper bracket end of the (S,X) inversion: near the critical temperature both
  // saturated entropies approach the critical entropy.
  for (double X : {0.0, 0.3, 0.8, 1.0}) {
    ClearScratch();
    EXPECT_NEAR(WetEntropyFromDryness5(373.94, X), kCriticalEntropy, 0.05) << X;
  }
}

TEST(EvaluateCriticalWetSteam, RoundTripsFromEveryPair) {
  struct Row {
    std::int32_t pair;
    double dT, dX;
  };
  const Row pairs[] = {{kPairTV, 1e-12, 1e-6}, {kPairTS, 1e-12, 1e-6}, {kPairTI, 1e-12, 1e-6},
                       {kPairTX, 1e-12, 1e-12}, {kPairPV, 1e-6, 1e-4},  {kPairPS, 1e-6, 1e-4},
                       {kPairPI, 1e-6, 1e-4},   {kPairPX, 1e-6, 1e-12}, {kPairVS, 0.01, 1e-3},
                       {kPairVI, 0.01, 1e-3},   {kPairSX, 0.01, 1e-12}};
  const double samples[][2] = {{355, 0.2}, {358, 0.8}, {362, 0.5}, {366, 0.05}, {368, 0.95}, {371, 0.3}, {373, 0.75}};
  for (const auto& c : samples) {
    const State w = WetState(c[0], c[1]);
    for (const Row& r : pairs) {
      // (V,S) and (V,I) cover only the vapour side of the critical volume.
      if ((r.pair == kPairVS || r.pair == kPairVI) && w[kV] < kCriticalVolume) continue;
      if (r.pair == kPairSX && c[1] > 0.3001 && c[1] < 0.7001) continue;
      SCOPED_TRACE(::testing::Message() << "pair " << r.pair << " at " << c[0] << " °C, X " << c[1]);
      const State o = Evaluate(r.pair, w[r.pair / 10], w[r.pair % 10]);
      EXPECT_NEAR(o[kT], w[kT], r.dT);
      EXPECT_NEAR(o[kP], w[kP], 1e-6 * w[kP] + 0.2 * r.dT);  // dp/dT is below 0.2 MPa/K here
      EXPECT_NEAR(o[kX], w[kX], r.dX);
      EXPECT_NEAR(o[kV], w[kV], 1e-4 * w[kV] + 0.01 * r.dT * w[kV] / 0.001);
      EXPECT_NEAR(o[kS], w[kS], 1e-5 + 0.02 * r.dT);
      EXPECT_NEAR(o[kI], w[kI], 0.01 + 20 * r.dT);
    }
  }
}

TEST(SolveStateCriticalWet, References) {
  const Result ti = SolveAll(kPairTI, 373.9, 2100);
  EXPECT_EQ(ti.region, kRegionWetCritical);
  EXPECT_NEAR(ti.q[kP], 22.0516733, 5e-7);
  EXPECT_NEAR(ti.q[kX], 0.6696, 5e-5);
  EXPECT_EQ(ti.q[kI], 2100.0);
  // (360 °C, 4.0) lies between s′ = 3.9164 and s″ = 5.0527: wet steam at ps(360 °C).
  const Result ts = SolveAll(kPairTS, 360, 4.0);
  EXPECT_EQ(ts.region, kRegionWetCritical);
  EXPECT_NEAR(ts.q[kP], 18.6664, 5e-5);
  EXPECT_NEAR(ts.q[kX], (4.0 - 3.9163570) / (5.0527286 - 3.9163570), 1e-6);
  const State w = WetState(360, ts.q[kX]);
  EXPECT_NEAR(ts.q[kV], w[kV], 1e-12);
  EXPECT_NEAR(ts.q[kI], w[kI], 1e-9);
}

}  // namespace
}  // namespace if97
