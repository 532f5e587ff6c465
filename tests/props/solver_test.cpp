// SolveState: pair-code handling, the zeroing rules, the rejection of non-finite inputs, the scratch cleared on
// every call, and the metastable fallback of (P,S)/(P,I). The solved states: reference_states_test.cpp.
#include "testing.h"

namespace if97 {
namespace {

using namespace test;

TEST(SolveState, UnsupportedAndInvalidPairCodes) {
  for (std::int32_t pair : {kPairVX, kPairSI}) {  // unsupported: everything 0
    const Result r = SolveAll(pair, 0.1, 0.5);
    EXPECT_EQ(r.region, kRegionPairUnsupported) << pair;
    EXPECT_EQ(r.q, State{}) << pair;
  }
  for (std::int32_t pair : {17, 0, -12, 11, 21, 22, 31, 57, 66, 67, 99, 120, 2147483647}) {  // invalid: left alone
    SolveAll(kPairVS, 0.005, 4.5);  // leaves fields in the scratch
    const State start = {0, 1, 2, 3, 4, 5, 6};
    const Result r = SolveAll(pair, 100, 1, false, start);
    EXPECT_EQ(r.region, kRegionPairInvalid) << pair;
    EXPECT_EQ(r.q, start) << pair;
    EXPECT_TRUE(ScratchIsClear()) << pair;
  }
}

// NaN and infinite inputs end before any classifier runs: the two inputs keep their values, the others are 0.
// (Inputs out of the range: the region-9 rows of data/reference-states.csv.)
TEST(SolveState, NonFiniteInputsAreRejected) {
  const double good[] = {0, 100, 1, 0.5, 5, 2000, 0.5};  // a valid partner value for each quantity
  for (std::int32_t pair : {12, 13, 14, 15, 16, 23, 24, 25, 26, 34, 35, 46, 56})
    for (double bad : {kNaN, kInf, -kInf})
      for (int slot = 0; slot < 2; ++slot)
        for (bool meta : {false, true}) {
          const double v1 = slot == 0 ? bad : good[pair / 10], v2 = slot == 1 ? bad : good[pair % 10];
          SCOPED_TRACE(::testing::Message() << "pair " << pair << " slot " << slot);
          SolveAll(kPairVS, 0.005, 4.5);  // leaves fields in the scratch
          const Result r = SolveAll(pair, v1, v2, meta);
          EXPECT_EQ(r.region, kRegionInputRange);
          for (int k = 1; k <= kQuantityCount; ++k) {
            const double in = !Unknown(pair, k) ? (k == pair / 10 ? v1 : v2) : 0.0;
            EXPECT_TRUE(std::isnan(in) ? std::isnan(r.q[k]) : r.q[k] == in) << "quantity " << k;
          }
          EXPECT_TRUE(ScratchIsClear()) << "a classifier ran";
        }
}

TEST(SolveState, UnaskedQuantitiesStayAndTheScratchIsClearedOnEveryCall) {
  double T = 0, P = 0, V = -1, S = -2, I = -3, X = 0.5;
  PropertyRegion region = 0;
  SolveState(kPairTP, false, false, 50, 1, false, false, false, T, P, V, S, I, X, region);
  EXPECT_TRUE(region == kRegionWater && V == -1 && S == -2 && I == -3 && X == 0);
  SolveAll(kPairVS, 0.005, 4.85438792);  // region 3: Ts, ps, sVap, TB23, pB23, sB23
  ASSERT_NE(gScratch.TB23, 0.0);
  SolveAll(kPairTX, 100, 0.5);
  EXPECT_TRUE(gScratch.TB23 == 0 && gScratch.pB23 == 0 && gScratch.sB23 == 0);
  EXPECT_NEAR(gScratch.Ts, 100.0, 1e-12);
}

// The classifier offers region 8, but the metastable state lies outside the range of its equation (below 0 °C;
// or within 1 K of the limit line, here at 8 MPa half a kelvin above it): the result is the pair's wet steam.
TEST(SolveState, MetastableOutsideItsRangeFallsBackToWetSteam) {
  // Below 0 °C; 0.5 K above the limit line; 5 mK inside the 1 K margin, where the
  // given entropy or enthalpy decides against the equation's value at the margin.
  const double p8 = 8.0, t8 = MetastableLimitTemperature(p8) + 0.5, t8edge = t8 + 0.495;
  const double rows[][3] = {
      {0.005, 8.0, kNaN}, {p8, MetaS(t8, p8), MetaI(t8, p8)}, {p8, MetaS(t8edge, p8), MetaI(t8edge, p8)}};
  for (const auto& r : rows) {
    const Result off = SolveAll(kPairPS, r[0], r[1], false);
    ASSERT_EQ(off.region, kRegionWet) << r[0];
    for (std::int32_t pair : {kPairPS, kPairPI}) {
      const double v2 = pair == kPairPS ? r[1] : std::isnan(r[2]) ? off.q[kI] : r[2];
      State q;
      ASSERT_EQ(ClassifyPair(pair, r[0], v2, q, true), kRegionMetastable) << pair;
      const Result on = SolveAll(pair, r[0], v2, true), wet = SolveAll(pair, r[0], v2, false);
      EXPECT_EQ(on.region, kRegionWet) << pair;
      for (int k = 1; k <= kQuantityCount; ++k) EXPECT_DOUBLE_EQ(on.q[k], wet.q[k]) << pair << " quantity " << k;
    }
    EXPECT_NEAR(SolveAll(kPairPS, r[0], r[1], true).q[kT], SatTemperature(r[0]), 1e-9);
  }
}

}  // namespace
}  // namespace if97
