// Wet-steam evaluators below 350 °C (region 6) and from 350 °C to the critical point (region 5): round trips from
// every pair that accepts the region, the lever rule with sides of zero or tiny weight, the target functions and
// the (I,X) band.
#include "props/critwet.h"
#include "props/wetsteam.h"
#include "testing.h"

namespace if97 {
namespace {

using namespace test;

// Pairs with T or P need no inversion; (V,S) and (V,I) stop at 1e-5 on S, 0.001 on I. (S,X) only outside
// 0.3001 … 0.7001, (I,X) only below 170 °C, (V,S) and (V,I) only on the vapour side of vc.
TEST(WetSteam, RoundTripsFromEveryPair) {
  const struct { std::int32_t pair; double dT6, dX6, dT5, dX5; } pairs[] = {{kPairTV, 1e-12, 1e-9, 1e-12, 1e-6}, {kPairTS, 1e-12, 1e-9, 1e-12, 1e-6}, {kPairTI, 1e-12, 1e-9, 1e-12, 1e-6},
               {kPairTX, 1e-12, 1e-12, 1e-12, 1e-12}, {kPairPV, 1e-7, 1e-6, 1e-6, 1e-4}, {kPairPS, 1e-7, 1e-6, 1e-6, 1e-4},
               {kPairPI, 1e-7, 1e-6, 1e-6, 1e-4}, {kPairPX, 1e-7, 1e-12, 1e-6, 1e-12}, {kPairVS, 0.01, 1e-3, 0.01, 1e-3},
               {kPairVI, 0.01, 1e-3, 0.01, 1e-3}, {kPairSX, 0.02, 1e-12, 0.01, 1e-12}, {kPairIX, 0.01, 1e-12, 0, 0}};
  const double samples[][2] = {{1, 0.5},    {25, 0.05}, {60, 0.9},  {100, 0.5}, {150, 0.2},  {200, 0.75}, {250, 0.98},
                               {300, 0.3},  {330, 0.6}, {345, 0.8}, {355, 0.2}, {358, 0.8},  {362, 0.5},  {366, 0.05},
                               {368, 0.95}, {371, 0.3}, {373, 0.75}};
  for (const auto& c : samples) {
    const State w = WetState(c[0], c[1]);
    const bool five = c[0] > 350;
    for (const auto& r : pairs) {
      if ((r.pair == kPairVS || r.pair == kPairVI) && w[kV] < kCriticalVolume) continue;
      if ((r.pair == kPairSX && c[1] > 0.3001 && c[1] < 0.7001) || (r.pair == kPairIX && c[0] >= 170)) continue;
      SCOPED_TRACE(::testing::Message() << "pair " << r.pair << " at " << c[0] << " °C, X " << c[1]);
      const State o = Evaluate(five ? kRegionWetCritical : kRegionWet, r.pair, w[r.pair / 10], w[r.pair % 10]);
      const double dT = five ? r.dT5 : r.dT6;
      EXPECT_NEAR(o[kT], w[kT], dT);
      EXPECT_NEAR(o[kX], w[kX], five ? r.dX5 : r.dX6);
      if (five) {  // dp/dT is below 0.2 MPa/K here
        EXPECT_NEAR(o[kP], w[kP], 1e-6 * w[kP] + 0.2 * dT);
        EXPECT_NEAR(o[kV], w[kV], 1e-4 * w[kV] + 10 * dT * w[kV]);
        EXPECT_NEAR(o[kS], w[kS], 1e-5 + 0.02 * dT);
        EXPECT_NEAR(o[kI], w[kI], 0.01 + 20 * dT);
      } else {  // dp/dT/p is below 0.07 per K here
        EXPECT_NEAR(o[kP], w[kP], 1e-4 * w[kP] + 1e-3 * dT * w[kP]);
        EXPECT_NEAR(o[kV], w[kV], 1e-5 * w[kV] + 0.1 * dT * w[kV]);
        EXPECT_NEAR(o[kS], w[kS], 1e-4);
        EXPECT_NEAR(o[kI], w[kI], 0.05 + 5 * dT);
      }
    }
  }
}

// A side of weight 0 is not evaluated (its scratch fields stay 0 for the pairs that hold no saturated values); a
// side of weight up to 1e-6 that the scratch does not hold is: 206 m3/kg times 1e-6 is a fifth of the liquid volume.
TEST(WetSteam, LeverRuleWithSidesOfZeroOrTinyWeight) {
  // (P,X) at 0.001 MPa (region 6) or 20 MPa (region 5).
  const struct { PropertyRegion region; std::int32_t pair; double T, X; } rows[] = {
      {6, kPairTX, 150, 1},   {6, kPairPX, 0, 0},     {6, kPairTX, 0.5, 1e-6}, {6, kPairTX, 1, 5e-7},
      {6, kPairTX, 200, 1e-9}, {6, kPairPX, 0, 1 - 5e-7}, {6, kPairTS, 2, 5e-7}, {6, kPairTI, 2, 5e-7},
      {6, kPairSX, 20, 1e-6}, {6, kPairIX, 20, 1e-6}, {6, kPairTV, 60, 5e-7}, {5, kPairTX, 360, 0},
      {5, kPairTX, 360, 1},   {5, kPairTX, 360, 1e-6}, {5, kPairTX, 360, 5e-7}, {5, kPairTX, 360, 1 - 5e-7},
      {5, kPairTX, 360, 1 - 1e-6}, {5, kPairPX, 0, 1e-6}, {5, kPairPX, 0, 1 - 5e-7}, {5, kPairTV, 365, 1 - 5e-7},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(::testing::Message() << "region " << r.region << " pair " << r.pair << " T " << r.T << " X " << r.X);
    const double P = r.pair == kPairPX ? (r.region == 6 ? 0.001 : 20) : SatPressure(r.T);
    const State w = LeverAt(r.pair == kPairPX ? SatTemperature(P) : r.T, P, r.X);
    const State o = Evaluate(r.region, r.pair, w[r.pair / 10], w[r.pair % 10]);
    EXPECT_TRUE((r.pair != kPairSX && r.pair != kPairIX) || std::fabs(o[kT] - r.T) < 0.01) << o[kT];
    EXPECT_NEAR(o[kX], r.X, 1e-9);
    const State at = LeverAt(o[kT], o[kP], o[kX]);  // the lever rule at the state found
    for (int k : {kV, kS, kI}) EXPECT_TRUE(!Unknown(r.pair, k) || Rel(o[k], at[k]) < 1e-12) << "quantity " << k;
    const bool holdsNone = r.pair == kPairTX || r.pair == kPairPX;
    EXPECT_FALSE(holdsNone && r.X == 1 && gScratch.vLiq + gScratch.sLiq + gScratch.hLiq != 0);
    EXPECT_FALSE(holdsNone && r.X == 0 && gScratch.vVap + gScratch.sVap + gScratch.hVap != 0);
    EXPECT_TRUE(r.pair != kPairTV || r.region == 5 || gScratch.vVap == Region2V(r.T, P));  // the held v″ is used
  }
  EXPECT_EQ(Evaluate(kRegionWet, kPairTV, 80, Region2V(80, SatPressure(80)))[kX], 1.0);
}

// The target functions of the inversions leave the saturated values of their trial temperature in the scratch.
TEST(WetSteam, TargetsWriteTheSaturatedValuesOfTheTrialTemperature) {
  for (const double T : {90.0, 362.0}) {
    const bool five = T > 350;
    const double p = SatPressure(T), X = 0.3;
    const State w = WetState(T, X), liquid = WetState(T, 0), vapour = WetState(T, 1);
    const auto same = [](double a, double b) { return std::fabs(a - b) <= 1e-14 * std::fabs(b); };
    ClearScratch();
    EXPECT_NEAR((five ? WetEntropyFromVolume5 : WetEntropyFromVolume6)(T, w[kV]), w[kS], 1e-12) << T;
    EXPECT_TRUE(gScratch.ps == p && same(gScratch.vLiq, liquid[kV]) && same(gScratch.vVap, vapour[kV])) << T;
    EXPECT_TRUE(same(gScratch.sLiq, liquid[kS]) && same(gScratch.sVap, vapour[kS])) << T;
    ClearScratch();
    EXPECT_NEAR((five ? WetEnthalpyFromVolume5 : WetEnthalpyFromVolume6)(T, w[kV]), w[kI], 1e-9) << T;
    EXPECT_TRUE(same(gScratch.hLiq, liquid[kI]) && same(gScratch.hVap, vapour[kI])) << T;
    ClearScratch();
    EXPECT_NEAR((five ? WetEntropyFromDryness5 : WetEntropyFromDryness6)(T, X), w[kS], 1e-12) << T;
    EXPECT_TRUE(same(gScratch.sLiq, liquid[kS]) && same(gScratch.sVap, vapour[kS])) << T;
    if (!five) {
      ClearScratch();
      EXPECT_NEAR(WetEnthalpyFromDryness6(T, X), w[kI], 1e-12);
      EXPECT_TRUE(same(gScratch.hLiq, liquid[kI]) && same(gScratch.hVap, vapour[kI]));
    }
  }
  // Next to Tc both saturated entropies approach the critical one (the upper end of the (S,X) inversion).
  for (double X : {0.0, 0.3, 0.8, 1.0}) EXPECT_NEAR(WetEntropyFromDryness5(373.94, X), kCriticalEntropy, 0.05) << X;
}

// The ends of the (I,X) band are the 0 °C and 170 °C wet-steam lines (the saturated enthalpies there).
TEST(WetSteam, IXStaysBetween0And170C) {
  for (double X : {0.0, 0.25, 0.5, 1.0}) {
    const State hi = Evaluate(kRegionWet, kPairIX, 2767.893655 * X + 719.2063979 * (1 - X), X);
    EXPECT_TRUE(hi[kT] > 170 - 0.01 && hi[kT] <= 170.0 + 1e-9) << X << ": " << hi[kT];
    const State lo = Evaluate(kRegionWet, kPairIX, 2500.892618 * X - 0.04158783 * (1 - X), X);
    EXPECT_NEAR(lo[kT], 0.0, 0.01) << X;
    EXPECT_NEAR(lo[kP], SatPressure(lo[kT]), 1e-15) << X;
  }
}

}  // namespace
}  // namespace if97
