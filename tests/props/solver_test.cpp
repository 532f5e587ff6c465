// SolveState: pair-code handling, the zeroing rules, the rejection of non-finite
// inputs, the scratch cleared on every call, the metastable fallback of (P,S)/(P,I),
// and round trips from every pair that accepts a region back to states sampled in it.
#include <sstream>
#include <vector>

#include "testing.h"

namespace if97 {
namespace {

using namespace test;

constexpr std::int32_t kSupportedPairs[] = {12, 13, 14, 15, 16, 23, 24, 25, 26, 34, 35, 46, 56};

TEST(SolveState, UnsupportedPairsZeroEverything) {
  for (std::int32_t pair : {kPairVX, kPairSI}) {  // codes 36 and 45
    const Result r = SolveAll(pair, 0.1, 0.5);
    EXPECT_EQ(r.region, kRegionPairUnsupported) << pair;
    for (int k = 1; k <= kQuantityCount; ++k) EXPECT_EQ(r.q[k], 0.0) << pair << " quantity " << k;
  }
}

TEST(SolveState, InvalidPairCodesLeaveTheQuantities) {
  for (std::int32_t pair : {17, 0, -12, 11, 21, 22, 31, 57, 66, 67, 99, 120, 2147483647}) {
    SolveAll(kPairVS, 0.005, 4.5);  // leaves fields in the scratch
    const State start = {0, 1, 2, 3, 4, 5, 6};
    const Result r = SolveAll(pair, 100, 1, false, start);
    EXPECT_EQ(r.region, kRegionPairInvalid) << pair;
    EXPECT_EQ(r.q, start) << pair;
    EXPECT_TRUE(ScratchIsClear()) << pair;
  }
}

// A rejected state: the two inputs keep their values, the four others are 0.
void ExpectRejected(const Result& r, std::int32_t pair, double v1, double v2, const std::string& what) {
  EXPECT_EQ(r.region, kRegionInputRange) << what;
  for (int k = 1; k <= kQuantityCount; ++k) {
    if (Unknown(pair, k)) {
      EXPECT_EQ(r.q[k], 0.0) << what << " quantity " << k;
    } else {
      const double in = k == pair / 10 ? v1 : v2;
      EXPECT_TRUE(std::isnan(in) ? std::isnan(r.q[k]) : r.q[k] == in) << what << " quantity " << k;
    }
  }
}

TEST(SolveState, OutOfRangeStatesAreRejected) {
  struct Case {
    std::int32_t pair;
    double v1, v2;
  };
  const Case cases[] = {
      {kPairTV, 20, 0.001},      // compressed water is not reached from (T,V)
      {kPairSX, 4.0, 0.5},       // dryness between the two supported bands
      {kPairIX, 500, 0.5},       // above the 170 °C line
      {kPairVS, 0.0031, 4.4},    // V < 1/322
      {kPairVI, 0.0031, 2000},   // V < 1/322
      {kPairTP, 801, 1},         {kPairTP, 100, 100.5},
      {kPairTV, 400, 0.0013},    // below Vmin3
      {kPairTS, 20, 9.2},        {kPairTI, 374, 2000},
      {kPairTX, 100, 1.01},      {kPairPV, 23, 0.003},
      {kPairPS, 1, 9.5},         {kPairPI, 1, 4200},
      {kPairPX, 0.0006, 0.5},    {kPairPS, -1, 1},
  };
  ClearScratch();
  ASSERT_EQ(ClassifyTV(20, 0.001), kRegionWater);
  for (const Case& c : cases) {
    std::ostringstream what;
    what << "pair " << c.pair << " (" << c.v1 << ", " << c.v2 << ")";
    ExpectRejected(SolveAll(c.pair, c.v1, c.v2), c.pair, c.v1, c.v2, what.str());
  }
}

TEST(SolveState, NonFiniteInputsEndBeforeAnyClassifier) {
  const double good[] = {0, 100, 1, 0.5, 5, 2000, 0.5};  // a valid partner value for each quantity
  for (std::int32_t pair : kSupportedPairs)
    for (double bad : {kNaN, kInf, -kInf})
      for (int slot = 0; slot < 2; ++slot)
        for (bool meta : {false, true}) {
          const double v1 = slot == 0 ? bad : good[pair / 10], v2 = slot == 1 ? bad : good[pair % 10];
          std::ostringstream what;
          what << "pair " << pair << " (" << v1 << ", " << v2 << ") metastable " << meta;
          SolveAll(kPairVS, 0.005, 4.5);  // leaves fields in the scratch
          ExpectRejected(SolveAll(pair, v1, v2, meta), pair, v1, v2, what.str());
          EXPECT_TRUE(ScratchIsClear()) << what.str() << ": a classifier ran";
        }
}

TEST(SolveState, QuantitiesNotAskedForAreLeftAlone) {
  double T = 0, P = 0, V = -1, S = -2, I = -3, X = 0.5;
  PropertyRegion region = 0;
  SolveState(kPairTP, false, false, 50, 1, false, false, false, T, P, V, S, I, X, region);
  EXPECT_EQ(region, kRegionWater);
  EXPECT_EQ(V, -1);
  EXPECT_EQ(S, -2);
  EXPECT_EQ(I, -3);
  EXPECT_EQ(X, 0.0);
}

TEST(SolveState, ScratchIsClearedOnEveryCall) {
  SolveAll(kPairVS, 0.005, 4.85438792);  // region 3: Ts, ps, sVap, TB23, pB23, sB23
  ASSERT_NE(gScratch.TB23, 0.0);
  SolveAll(kPairTX, 100, 0.5);
  EXPECT_EQ(gScratch.TB23, 0.0);
  EXPECT_EQ(gScratch.pB23, 0.0);
  EXPECT_EQ(gScratch.sB23, 0.0);
  EXPECT_NEAR(gScratch.Ts, 100.0, 1e-12);
  SolveAll(kPairVI, 1.0, 2900);  // region 2: p800C, h800C
  ASSERT_NE(gScratch.p800C, 0.0);
  SolveAll(kPairTP, 50, 1);
  EXPECT_EQ(gScratch.p800C, 0.0);
  EXPECT_EQ(gScratch.h800C, 0.0);
  EXPECT_EQ(gScratch.hVap, 0.0);
}

// --- Metastable steam from (P,S) and (P,I) ----------------------------------------

// The classifier offers region 8, but the metastable state lies outside the range of
// its equation: the result is the equilibrium wet steam of the pair.
TEST(SolveState, MetastableOutsideItsRangeFallsBackToWetSteam) {
  struct Row {
    const char* what;
    double P, S, I;  // I NaN: the enthalpy of the wet state of (P, S)
  };
  // Below 0 °C: equilibrium dryness above 0.95, metastable temperature about −20 °C.
  // Below the limit line: at 8 MPa a state half a kelvin above the line already has
  // an equilibrium dryness above 0.95.
  const double p8 = 8.0, t8 = MetastableLimitTemperature(p8) + 0.5;
  const Row rows[] = {{"below 0 °C", 0.005, 8.0, kNaN},
                      {"near the limit line", p8, MetaS(t8, p8), MetaI(t8, p8)}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    const Result off = SolveAll(kPairPS, r.P, r.S, false);
    ASSERT_EQ(off.region, kRegionWet);
    const double h = std::isnan(r.I) ? off.q[kI] : r.I;
    for (std::int32_t pair : {kPairPS, kPairPI}) {
      const double v2 = pair == kPairPS ? r.S : h;
      State q;
      ASSERT_EQ(ClassifyPair(pair, r.P, v2, q, true), kRegionMetastable) << pair;
      const Result on = SolveAll(pair, r.P, v2, true), wet = SolveAll(pair, r.P, v2, false);
      EXPECT_EQ(on.region, kRegionWet) << pair;
      for (int k = 1; k <= kQuantityCount; ++k) EXPECT_DOUBLE_EQ(on.q[k], wet.q[k]) << pair << " quantity " << k;
    }
    EXPECT_NEAR(SolveAll(kPairPS, r.P, r.S, true).q[kT], SatTemperature(r.P), 1e-9);
  }
}

// --- Round trips ------------------------------------------------------------------

struct Sample {
  State q;
  PropertyRegion region;
};

std::vector<Sample> Samples() {
  std::vector<Sample> out;
  using Forward = double (*)(double, double);
  auto tp = [&](PropertyRegion region, Forward v, Forward s, Forward i, double x, auto points) {
    for (auto [t, p] : points) out.push_back({{0, t, p, v(t, p), s(t, p), i(t, p), x}, region});
  };
  using Points = std::initializer_list<std::pair<double, double>>;
  tp(kRegionWater, Region1V, Region1S, Region1I, 0,
     Points{{20, 5}, {80, 30}, {150, 10}, {250, 50}, {300, 80}, {340, 20}, {30, 95}});
  tp(kRegionSteam, Region2V, Region2S, Region2I, 1,
     Points{{150, 0.1}, {300, 1}, {450, 10}, {500, 20}, {700, 50}, {650, 90}, {50, 0.005}, {700, 0.5}});
  tp(kRegionMetastable, MetaV, MetaS, MetaI, 1, Points{{30, 0.005}, {160, 1}, {290, 8}});
  // Region 3 from (T, v), the equation's own variables.
  for (auto [t, v] : Points{{360, 0.0016}, {380, 0.0022}, {420, 0.002}, {450, 0.0025}, {500, 0.0028},
                            {376.85, 0.005}, {476.85, 0.002}})
    out.push_back({{0, t, Pressure3(t, v), v, Entropy3(t, v), Enthalpy3(t, v), 1}, kRegionCritical});
  for (double t : {10.0, 60.0, 120.0, 200.0, 280.0, 330.0, 355.0, 362.0, 368.0})
    for (double x : {0.05, 0.2, 0.75, 0.95}) out.push_back({WetState(t, x), t < 350 ? kRegionWet : kRegionWetCritical});
  return out;
}

// The pairs the sample's region can be reached from.
std::vector<std::int32_t> PairsFor(const Sample& s) {
  const bool vapourSide = s.q[kV] >= kCriticalVolume;
  std::vector<std::int32_t> pairs;
  switch (s.region) {
    case kRegionWater: return {kPairTP, kPairTS, kPairPS, kPairPI};
    case kRegionMetastable: return {kPairTP, kPairPS, kPairPI};
    case kRegionSteam:
    case kRegionCritical:
      pairs = {kPairTP, kPairTV, kPairTS, kPairPS, kPairPI};
      break;
    default:
      pairs = {kPairTV, kPairTS, kPairTI, kPairTX, kPairPV, kPairPS, kPairPI, kPairPX};
      if (s.q[kX] <= 0.3001 || s.q[kX] >= 0.7001) pairs.push_back(kPairSX);
      if (s.region == kRegionWet && s.q[kT] < 170) pairs.push_back(kPairIX);
  }
  if (vapourSide) pairs.insert(pairs.end(), {kPairVS, kPairVI});
  return pairs;
}

TEST(SolveState, RoundTripsFromEveryAcceptingPair) {
  for (const Sample& s : Samples()) {
    for (std::int32_t pair : PairsFor(s)) {
      const Result r = SolveAll(pair, s.q[pair / 10], s.q[pair % 10], s.region == kRegionMetastable);
      std::ostringstream what;
      what << "region " << s.region << " state (" << s.q[kT] << " °C, " << s.q[kP] << " MPa, X " << s.q[kX]
           << ") from pair " << pair;
      ASSERT_EQ(r.region, s.region) << what.str();
      EXPECT_EQ(Deviations(r.q, s.q, ToleranceFor(pair, s.region)), "") << what.str();
    }
  }
}

}  // namespace
}  // namespace if97
