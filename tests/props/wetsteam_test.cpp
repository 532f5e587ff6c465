// Subcritical wet-steam evaluator: the lever rule (including the sides whose weight
// is below the dryness limits), the target functions, the (I,X) band and round trips
// from every pair that accepts wet steam below 350 °C.
#include "props/wetsteam.h"

#include "props/evaluators.h"
#include "testing.h"

namespace if97 {
namespace {

using namespace test;

// Runs the pair's classifier as SolveState would, checks it chose region 6, then the
// evaluator with every unknown quantity asked for.
State Evaluate(std::int32_t pair, double v1, double v2) {
  State q;
  EXPECT_EQ(ClassifyPair(pair, v1, v2, q), kRegionWet) << "pair " << pair << " (" << v1 << ", " << v2 << ")";
  EvaluateWetSteam(pair, Unknown(pair, kV), Unknown(pair, kS), Unknown(pair, kI), q[kT], q[kP], q[kV], q[kS], q[kI],
                   q[kX]);
  return q;
}

// X = 0 or 1 exactly: the side of weight 0 is not evaluated.
TEST(EvaluateWetSteam, SideOfWeightZeroIsNotEvaluated) {
  const double T = 150, p = SatPressure(T);
  const State dry = Evaluate(kPairTX, T, 1.0);
  EXPECT_EQ(dry[kP], p);
  EXPECT_DOUBLE_EQ(dry[kV], Region2V(T, p));
  EXPECT_DOUBLE_EQ(dry[kI], Region2I(T, p));
  EXPECT_EQ(gScratch.vLiq, 0.0);
  EXPECT_EQ(gScratch.sLiq, 0.0);
  EXPECT_EQ(gScratch.hLiq, 0.0);

  const double Ts = SatTemperature(2.5);
  const State liquid = Evaluate(kPairPX, 2.5, 0.0);
  EXPECT_EQ(liquid[kT], Ts);
  EXPECT_DOUBLE_EQ(liquid[kS], Region1S(Ts, 2.5));
  EXPECT_EQ(gScratch.vVap, 0.0);
  EXPECT_EQ(gScratch.hVap, 0.0);

  EXPECT_EQ(Evaluate(kPairTV, 80, Region2V(80, SatPressure(80)))[kX], 1.0);
}

TEST(EvaluateWetSteam, IXStaysBetween0And170C) {
  // The ends of the (I,X) band are the 0 °C and 170 °C wet-steam lines.
  for (double X : {0.0, 0.25, 0.5, 1.0}) {
    const State hi = Evaluate(kPairIX, 2767.893655 * X + 719.2063979 * (1 - X), X);
    EXPECT_NEAR(hi[kT], 170.0, 0.01) << X;
    EXPECT_LE(hi[kT], 170.0 + 1e-9) << X;
    const State lo = Evaluate(kPairIX, 2500.892618 * X - 0.04158783 * (1 - X), X);
    EXPECT_NEAR(lo[kT], 0.0, 0.01) << X;
    EXPECT_NEAR(lo[kP], SatPressure(lo[kT]), 1e-15) << X;
  }
}

// A side with a weight of at most 1e-6 that the scratch does not hold is evaluated:
// a vapour volume of up to 206 m3/kg times 1e-6 is a fifth of the liquid volume.
TEST(EvaluateWetSteam, SmallWeightsFollowTheLeverRule) {
  struct Row {
    std::int32_t pair;
    double T, X;
  };
  const Row rows[] = {
      {kPairTX, 0.5, 1e-6}, {kPairTX, 1, 5e-7},   {kPairTX, 200, 1e-9},  // volumes not held
      {kPairPX, 0, 1 - 5e-7},                                            // T from P below
      {kPairTS, 2, 5e-7},   {kPairTI, 2, 5e-7},                          // only S or only I held
      {kPairSX, 20, 1e-6},  {kPairIX, 20, 1e-6},                         // found by an inversion
      {kPairTV, 60, 5e-7},                                               // the held vapour volume is used
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(::testing::Message() << "pair " << r.pair << " T " << r.T << " X " << r.X);
    const double P = r.pair == kPairPX ? 0.001 : SatPressure(r.T);
    const State w = r.pair == kPairPX ? Lever12(SatTemperature(P), P, r.X) : WetState(r.T, r.X);
    const State o = Evaluate(r.pair, w[r.pair / 10], w[r.pair % 10]);
    if (r.pair == kPairSX || r.pair == kPairIX) { EXPECT_NEAR(o[kT], r.T, 0.01); }
    EXPECT_NEAR(o[kX], r.X, 1e-9);
    const State at = Lever12(o[kT], o[kP], o[kX]);  // the lever rule at the state found
    for (int k : {kV, kS, kI})
      if (Unknown(r.pair, k)) { EXPECT_LT(Rel(o[k], at[k]), 1e-12) << "quantity " << k; }
    if (r.pair == kPairTV) { EXPECT_EQ(gScratch.vVap, Region2V(r.T, P)); }
  }
}

TEST(WetTargets, WriteTheSaturatedValuesOfTheTrialTemperature) {
  const double T = 90, p = SatPressure(T);
  const State w = WetState(T, 0.3);
  ClearScratch();
  EXPECT_DOUBLE_EQ(WetEntropyFromDryness6(T, 0.3), w[kS]);
  EXPECT_EQ(gScratch.ps, p);
  EXPECT_EQ(gScratch.sLiq, Region1S(T, p));
  EXPECT_EQ(gScratch.sVap, Region2S(T, p));
  EXPECT_DOUBLE_EQ(WetEnthalpyFromDryness6(T, 0.3), w[kI]);
  EXPECT_EQ(gScratch.hVap, Region2I(T, p));
  ClearScratch();
  EXPECT_NEAR(WetEntropyFromVolume6(T, w[kV]), w[kS], 1e-12);
  EXPECT_EQ(gScratch.vLiq, Region1V(T, p));
  EXPECT_EQ(gScratch.vVap, Region2V(T, p));
  EXPECT_NEAR(WetEnthalpyFromVolume6(T, w[kV]), w[kI], 1e-9);
  EXPECT_EQ(gScratch.hLiq, Region1I(T, p));
}

// Wet states away from the ends of the range. (300 °C, 0.3) has a volume below the
// saturated-vapour volume at 350 °C: its isochore's dew point lies above 350 °C.
TEST(EvaluateWetSteam, RoundTripsFromEveryPair) {
  struct Row {
    std::int32_t pair;
    double dT, dX;
  };
  // Pairs with T or P need no inversion; (V,S), (V,I) stop at 1e-5 on S, 0.001 on I.
  const Row pairs[] = {{kPairTV, 1e-12, 1e-9}, {kPairTS, 1e-12, 1e-9}, {kPairTI, 1e-12, 1e-9},
                       {kPairTX, 1e-12, 1e-12}, {kPairPV, 1e-7, 1e-6},  {kPairPS, 1e-7, 1e-6},
                       {kPairPI, 1e-7, 1e-6},   {kPairPX, 1e-7, 1e-12}, {kPairVS, 0.01, 1e-3},
                       {kPairVI, 0.01, 1e-3},   {kPairSX, 0.02, 1e-12}, {kPairIX, 0.01, 1e-12}};
  const double samples[][2] = {{1, 0.5},    {25, 0.05},   {60, 0.9},   {100, 0.5}, {150, 0.2},
                               {200, 0.75}, {250, 0.98}, {300, 0.3}, {330, 0.6}, {345, 0.8}};
  for (const auto& c : samples) {
    const State w = WetState(c[0], c[1]);
    for (const Row& r : pairs) {
      if (r.pair == kPairSX && c[1] > 0.3001 && c[1] < 0.7001) continue;
      if (r.pair == kPairIX && c[0] >= 170) continue;
      SCOPED_TRACE(::testing::Message() << "pair " << r.pair << " at " << c[0] << " °C, X " << c[1]);
      const State o = Evaluate(r.pair, w[r.pair / 10], w[r.pair % 10]);
      EXPECT_NEAR(o[kT], w[kT], r.dT);
      EXPECT_NEAR(o[kP], w[kP], 1e-4 * w[kP] + 1e-3 * r.dT * w[kP]);  // dp/dT/p below 0.07 per K here
      EXPECT_NEAR(o[kX], w[kX], r.dX);
      EXPECT_NEAR(o[kV], w[kV], 1e-5 * w[kV] + 0.1 * r.dT * w[kV]);
      EXPECT_NEAR(o[kS], w[kS], 1e-4);
      EXPECT_NEAR(o[kI], w[kI], 0.05 + 5 * r.dT);
      // The inversions meet their own tolerances at the temperature found.
      ClearScratch();
      if (r.pair == kPairVS) { EXPECT_LT(std::fabs(WetEntropyFromVolume6(o[kT], w[kV]) - w[kS]), 1e-5); }
      if (r.pair == kPairVI) { EXPECT_LT(std::fabs(WetEnthalpyFromVolume6(o[kT], w[kV]) - w[kI]), 1e-3); }
    }
  }
}

TEST(SolveStateWet, PSWithoutMetastablePreference) {
  // (0.005 MPa, 8.0): equilibrium dryness just above 0.95, wet steam.
  const Result r = SolveAll(kPairPS, 0.005, 8.0);
  EXPECT_EQ(r.region, kRegionWet);
  const double Ts = SatTemperature(0.005);
  EXPECT_EQ(r.q[kT], Ts);
  const double sL = Region1S(Ts, 0.005), sV = Region2S(Ts, 0.005);
  EXPECT_NEAR(r.q[kX], (8.0 - sL) / (sV - sL), 1e-12);
  EXPECT_GT(r.q[kX], 0.95);
}

}  // namespace
}  // namespace if97
