// SolveState: pair-code handling, the accepted-region table, the zeroing rules, the
// rejection of non-finite inputs, the metastable fallback of (P,S)/(P,I), and round
// trips from every pair that accepts a region back to states sampled inside it.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "props/classifiers.h"
#include "props/forward.h"
#include "props/region3.h"
#include "props/saturation.h"
#include "props/solver.h"
#include "props/state.h"

namespace if97 {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// The six quantities indexed by StateQuantity (element 0 unused).
using State = std::array<double, kQuantityCount + 1>;

struct Result {
  State q;
  PropertyRegion region;
};

// Solves with every quantity that is not known asked for; `start` is what the
// caller's array held before the call.
Result Solve(std::int32_t pair, double v1, double v2, bool meta = false, State start = {0, 7, 7, 7, 7, 7, 7}) {
  const int a = pair / 10, b = pair % 10;
  auto need = [&](int k) { return k != a && k != b; };
  Result r{start, -1};
  SolveState(pair, need(kP), need(kV), v1, v2, need(kS), need(kI), meta, r.q[kT], r.q[kP], r.q[kV], r.q[kS],
             r.q[kI], r.q[kX], r.region);
  return r;
}

bool ScratchIsClear() {
  const auto* p = reinterpret_cast<const double*>(&gScratch);
  for (std::size_t i = 0; i < sizeof(SolverScratch) / sizeof(double); ++i)
    if (p[i] != 0.0) return false;
  return true;
}

constexpr std::int32_t kSupportedPairs[] = {12, 13, 14, 15, 16, 23, 24, 25, 26, 34, 35, 46, 56};

// --- Pair codes -------------------------------------------------------------------

TEST(SolveState, UnsupportedPairsZeroEverything) {
  for (std::int32_t pair : {kPairVX, kPairSI}) {
    const Result r = Solve(pair, 0.1, 0.5);
    EXPECT_EQ(r.region, kRegionPairUnsupported) << pair;
    for (int k = 1; k <= kQuantityCount; ++k) EXPECT_EQ(r.q[k], 0.0) << pair << " quantity " << k;
  }
}

TEST(SolveState, InvalidPairCodesLeaveTheQuantities) {
  for (std::int32_t pair : {17, 0, -12, 11, 21, 22, 31, 57, 66, 67, 99, 120, 2147483647}) {
    Solve(kPairVS, 0.005, 4.5);  // leaves fields in the scratch
    const State start = {0, 1, 2, 3, 4, 5, 6};
    const Result r = Solve(pair, 100, 1, false, start);
    EXPECT_EQ(r.region, kRegionPairInvalid) << pair;
    EXPECT_EQ(r.q, start) << pair;
    EXPECT_TRUE(ScratchIsClear()) << pair;
  }
}

// --- Rejections -------------------------------------------------------------------

// The two inputs keep their values, the four others are 0.
void ExpectRejected(const Result& r, std::int32_t pair, double v1, double v2, const std::string& what) {
  const int a = pair / 10, b = pair % 10;
  EXPECT_EQ(r.region, kRegionInputRange) << what;
  for (int k = 1; k <= kQuantityCount; ++k) {
    if (k == a || k == b) {
      const double in = k == a ? v1 : v2;
      if (std::isnan(in))
        EXPECT_TRUE(std::isnan(r.q[k])) << what << " quantity " << k;
      else
        EXPECT_EQ(r.q[k], in) << what << " quantity " << k;
    } else {
      EXPECT_EQ(r.q[k], 0.0) << what << " quantity " << k;
    }
  }
}

TEST(SolveState, CompressedWaterFromTVIsRejected) {
  ClearScratch();
  ASSERT_EQ(ClassifyTV(20, 0.001), kRegionWater);
  ExpectRejected(Solve(kPairTV, 20, 0.001), kPairTV, 20, 0.001, "(T,V) = (20, 0.001)");
}

TEST(SolveState, OutOfRangeStatesAreRejected) {
  struct Case {
    std::int32_t pair;
    double v1, v2;
  };
  const Case cases[] = {
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
  for (const Case& c : cases) {
    std::ostringstream what;
    what << "pair " << c.pair << " (" << c.v1 << ", " << c.v2 << ")";
    ExpectRejected(Solve(c.pair, c.v1, c.v2), c.pair, c.v1, c.v2, what.str());
  }
}

TEST(SolveState, NonFiniteInputsEndBeforeAnyClassifier) {
  for (std::int32_t pair : kSupportedPairs) {
    for (double bad : {kNaN, kInf, -kInf}) {
      for (int slot = 0; slot < 2; ++slot) {
        // A valid partner value for each quantity.
        const double good[] = {0, 100, 1, 0.5, 5, 2000, 0.5};
        const double v1 = slot == 0 ? bad : good[pair / 10];
        const double v2 = slot == 1 ? bad : good[pair % 10];
        std::ostringstream what;
        what << "pair " << pair << " (" << v1 << ", " << v2 << ")";
        for (bool meta : {false, true}) {
          Solve(kPairVS, 0.005, 4.5);  // leaves fields in the scratch
          const Result r = Solve(pair, v1, v2, meta);
          ExpectRejected(r, pair, v1, v2, what.str());
          EXPECT_TRUE(ScratchIsClear()) << what.str() << ": a classifier ran";
        }
      }
    }
  }
}

// --- Dryness and need flags -------------------------------------------------------

TEST(SolveState, DrynessIsSetBySingleRegion) {
  State start = {0, 0, 0, 0, 0, 0, 0.5};
  EXPECT_EQ(Solve(kPairTP, 50, 1, false, start).q[kX], 0.0);
  EXPECT_EQ(Solve(kPairTP, 300, 1, false, start).q[kX], 1.0);
  EXPECT_EQ(Solve(kPairTP, 400, 30, false, start).q[kX], 1.0);
  const Result m = Solve(kPairTP, 30, 0.005, true, start);
  ASSERT_EQ(m.region, kRegionMetastable);
  EXPECT_EQ(m.q[kX], 1.0);
}

TEST(SolveState, TPRegion1MatchesTheForwardEquations) {
  const Result r = Solve(kPairTP, 284.15, 16.257);
  ASSERT_EQ(r.region, kRegionWater);
  EXPECT_EQ(r.q[kT], 284.15);
  EXPECT_EQ(r.q[kP], 16.257);
  EXPECT_DOUBLE_EQ(r.q[kV], Region1V(284.15, 16.257));
  EXPECT_DOUBLE_EQ(r.q[kS], Region1S(284.15, 16.257));
  EXPECT_DOUBLE_EQ(r.q[kI], Region1I(284.15, 16.257));
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

// --- Scratch ----------------------------------------------------------------------

TEST(SolveState, ScratchIsClearedOnEveryCall) {
  Solve(kPairVS, 0.005, 4.85438792);  // region 3: Ts, ps, sVap, TB23, pB23, sB23
  ASSERT_NE(gScratch.TB23, 0.0);
  Solve(kPairTX, 100, 0.5);
  EXPECT_EQ(gScratch.TB23, 0.0);
  EXPECT_EQ(gScratch.pB23, 0.0);
  EXPECT_EQ(gScratch.sB23, 0.0);
  EXPECT_NEAR(gScratch.Ts, 100.0, 1e-12);

  Solve(kPairVI, 1.0, 2900);  // region 2: p800C, h800C
  ASSERT_NE(gScratch.p800C, 0.0);
  Solve(kPairTP, 50, 1);
  EXPECT_EQ(gScratch.p800C, 0.0);
  EXPECT_EQ(gScratch.h800C, 0.0);
  EXPECT_EQ(gScratch.hVap, 0.0);
}

// --- Metastable steam from (P,S) and (P,I) ----------------------------------------

void ExpectSameState(const Result& a, const Result& b, const std::string& what) {
  EXPECT_EQ(a.region, b.region) << what;
  for (int k = 1; k <= kQuantityCount; ++k) EXPECT_DOUBLE_EQ(a.q[k], b.q[k]) << what << " quantity " << k;
}

TEST(SolveState, MetastableBelowZeroFallsBackToWetSteam) {
  // Equilibrium dryness above 0.95, but the metastable temperature is about −20 °C.
  ClearScratch();
  ASSERT_EQ(ClassifyPS(0.005, 8.0, true), kRegionMetastable);
  const Result off = Solve(kPairPS, 0.005, 8.0, false);
  ASSERT_EQ(off.region, kRegionWet);
  const Result on = Solve(kPairPS, 0.005, 8.0, true);
  ExpectSameState(on, off, "(P,S) = (0.005, 8.0)");
  EXPECT_NEAR(on.q[kT], SatTemperature(0.005), 1e-9);

  const double i = off.q[kI];
  ClearScratch();
  ASSERT_EQ(ClassifyPI(0.005, i, true), kRegionMetastable);
  ExpectSameState(Solve(kPairPI, 0.005, i, true), Solve(kPairPI, 0.005, i, false), "(P,I) of the same state");
}

TEST(SolveState, MetastableBelowTheLimitLineFallsBackToWetSteam) {
  // At 8 MPa the equilibrium dryness of a metastable state half a kelvin above
  // the limit line is already above 0.95, so the classifier offers region 8.
  const double p = 8.0, t = MetastableLimitTemperature(p) + 0.5;
  const double s = MetaS(t, p), h = MetaI(t, p);
  ClearScratch();
  ASSERT_EQ(ClassifyPS(p, s, true), kRegionMetastable);
  ClearScratch();
  ASSERT_EQ(ClassifyPI(p, h, true), kRegionMetastable);
  const Result ps = Solve(kPairPS, p, s, true);
  EXPECT_EQ(ps.region, kRegionWet);
  ExpectSameState(ps, Solve(kPairPS, p, s, false), "(P,S) near the limit line");
  const Result pi = Solve(kPairPI, p, h, true);
  EXPECT_EQ(pi.region, kRegionWet);
  ExpectSameState(pi, Solve(kPairPI, p, h, false), "(P,I) near the limit line");
}

TEST(SolveState, MetastableInsideItsRangeStaysMetastable) {
  struct Case {
    double t, p;
  };
  for (const Case c : {Case{30, 0.005}, Case{160, 1.0}, Case{290, 8.0}}) {
    std::ostringstream what;
    what << "(" << c.t << " °C, " << c.p << " MPa)";
    const double s = MetaS(c.t, c.p), h = MetaI(c.t, c.p);
    const Result ps = Solve(kPairPS, c.p, s, true);
    ASSERT_EQ(ps.region, kRegionMetastable) << what.str();
    EXPECT_NEAR(ps.q[kT], c.t, 0.03) << what.str();
    EXPECT_NEAR(ps.q[kI], h, 0.1) << what.str();
    EXPECT_NEAR(ps.q[kV], MetaV(c.t, c.p), 2e-3 * MetaV(c.t, c.p)) << what.str();
    EXPECT_EQ(ps.q[kX], 1.0) << what.str();
    const Result pi = Solve(kPairPI, c.p, h, true);
    ASSERT_EQ(pi.region, kRegionMetastable) << what.str();
    EXPECT_NEAR(pi.q[kT], c.t, 0.03) << what.str();
    EXPECT_NEAR(pi.q[kS], s, 1e-4) << what.str();
  }
}

TEST(SolveState, MetastableFromTP) {
  const Result r = Solve(kPairTP, 30, 0.005, true);
  ASSERT_EQ(r.region, kRegionMetastable);
  EXPECT_NEAR(r.q[kV], 27.92, 0.01);
  EXPECT_NEAR(r.q[kI], 2555.23, 0.01);
  EXPECT_EQ(Solve(kPairTP, 30, 0.005, false).region, kRegionWater);
}

// --- Round trips ------------------------------------------------------------------

struct Tolerance {
  double T, relP, relV, S, I, X;
};
constexpr Tolerance kTight{0.03, 2e-3, 2e-3, 0.002, 1.0, 0.002};
constexpr Tolerance kRegion3FromPSorPI{1.0, 2e-3, 2e-2, 0.01, 10.0, 0.002};
constexpr Tolerance kRegion2FromVSorVI{0.5, 5e-3, 2e-3, 0.005, 5.0, 0.002};

Tolerance ToleranceFor(std::int32_t pair, PropertyRegion region) {
  if (region == kRegionCritical && (pair == kPairPS || pair == kPairPI)) return kRegion3FromPSorPI;
  if (region == kRegionSteam && (pair == kPairVS || pair == kPairVI)) return kRegion2FromVSorVI;
  return kTight;
}

struct Sample {
  State q;
  PropertyRegion region;
  std::string what;
};

State StateOf(double t, double p, double v, double s, double i, double x) { return {0, t, p, v, s, i, x}; }

std::vector<Sample> Samples() {
  std::vector<Sample> out;
  auto tp = [&](double t, double p, PropertyRegion region) {
    std::ostringstream w;
    w << "region " << region << " (T,P) = (" << t << ", " << p << ")";
    if (region == kRegionWater)
      out.push_back({StateOf(t, p, Region1V(t, p), Region1S(t, p), Region1I(t, p), 0), region, w.str()});
    else if (region == kRegionSteam)
      out.push_back({StateOf(t, p, Region2V(t, p), Region2S(t, p), Region2I(t, p), 1), region, w.str()});
    else
      out.push_back({StateOf(t, p, MetaV(t, p), MetaS(t, p), MetaI(t, p), 1), region, w.str()});
  };
  for (auto [t, p] : {std::pair{20.0, 5.0}, {80.0, 30.0}, {150.0, 10.0}, {250.0, 50.0}, {300.0, 80.0},
                      {340.0, 20.0}, {30.0, 95.0}})
    tp(t, p, kRegionWater);
  for (auto [t, p] : {std::pair{150.0, 0.1}, {300.0, 1.0}, {450.0, 10.0}, {500.0, 20.0}, {700.0, 50.0},
                      {650.0, 90.0}, {50.0, 0.005}, {700.0, 0.5}})
    tp(t, p, kRegionSteam);
  for (auto [t, p] : {std::pair{30.0, 0.005}, {160.0, 1.0}, {290.0, 8.0}}) tp(t, p, kRegionMetastable);

  // Region 3 from (T, v), the equation's own variables.
  for (auto [t, v] : {std::pair{360.0, 0.0016}, {380.0, 0.0022}, {420.0, 0.002}, {450.0, 0.0025},
                      {500.0, 0.0028}, {376.85, 0.005}, {476.85, 0.002}}) {
    std::ostringstream w;
    w << "region 3 (T,V) = (" << t << ", " << v << ")";
    out.push_back({StateOf(t, Pressure3(t, v), v, Entropy3(t, v), Enthalpy3(t, v), 1), kRegionCritical, w.str()});
  }

  // Wet steam from (T, X): lever rule on the saturated states.
  for (double t : {10.0, 60.0, 120.0, 200.0, 280.0, 330.0, 355.0, 362.0, 368.0}) {
    const double p = SatPressure(t);
    double vl, vv, sl, sv, hl, hv;
    if (t < 350) {
      vl = Region1V(t, p), vv = Region2V(t, p);
      sl = Region1S(t, p), sv = Region2S(t, p);
      hl = Region1I(t, p), hv = Region2I(t, p);
    } else {
      vl = SatLiquidVolume3(t, p), vv = SatVapourVolume3(t, p);
      sl = Entropy3(t, vl), sv = Entropy3(t, vv);
      hl = Enthalpy3(t, vl), hv = Enthalpy3(t, vv);
    }
    for (double x : {0.05, 0.2, 0.75, 0.95}) {
      std::ostringstream w;
      w << "wet (T,X) = (" << t << ", " << x << ")";
      out.push_back({StateOf(t, p, vl + x * (vv - vl), sl + x * (sv - sl), hl + x * (hv - hl), x),
                     t < 350 ? kRegionWet : kRegionWetCritical, w.str()});
    }
  }
  return out;
}

// The pairs whose solution the sample's region can be reached from.
std::vector<std::int32_t> PairsFor(const Sample& s) {
  using namespace limits;
  const double v = s.q[kV], x = s.q[kX], t = s.q[kT];
  const bool vapourSide = v >= kVc;
  std::vector<std::int32_t> pairs;
  switch (s.region) {
    case kRegionWater:
      return {kPairTP, kPairTS, kPairPS, kPairPI};
    case kRegionSteam:
    case kRegionCritical:
      pairs = {kPairTP, kPairTV, kPairTS, kPairPS, kPairPI};
      if (vapourSide) pairs.insert(pairs.end(), {kPairVS, kPairVI});
      return pairs;
    case kRegionMetastable:
      return {kPairTP, kPairPS, kPairPI};
    case kRegionWet:
    case kRegionWetCritical:
      pairs = {kPairTV, kPairTS, kPairTI, kPairTX, kPairPV, kPairPS, kPairPI, kPairPX};
      if (vapourSide) pairs.insert(pairs.end(), {kPairVS, kPairVI});
      if (x <= 0.3001 || x >= 0.7001) pairs.push_back(kPairSX);
      if (s.region == kRegionWet && t < 170) pairs.push_back(kPairIX);
      return pairs;
    default:
      return {};
  }
}

TEST(SolveState, RoundTripsFromEveryAcceptingPair) {
  for (const Sample& s : Samples()) {
    for (std::int32_t pair : PairsFor(s)) {
      const int a = pair / 10, b = pair % 10;
      const bool meta = s.region == kRegionMetastable;
      const Result r = Solve(pair, s.q[a], s.q[b], meta);
      const std::string what = s.what + " from pair " + std::to_string(pair);
      ASSERT_EQ(r.region, s.region) << what;
      const Tolerance tol = ToleranceFor(pair, s.region);
      EXPECT_NEAR(r.q[kT], s.q[kT], tol.T) << what;
      EXPECT_NEAR(r.q[kP], s.q[kP], tol.relP * s.q[kP]) << what;
      EXPECT_NEAR(r.q[kV], s.q[kV], tol.relV * s.q[kV]) << what;
      EXPECT_NEAR(r.q[kS], s.q[kS], tol.S) << what;
      EXPECT_NEAR(r.q[kI], s.q[kI], tol.I) << what;
      EXPECT_NEAR(r.q[kX], s.q[kX], tol.X) << what;
    }
  }
}

}  // namespace
}  // namespace if97
