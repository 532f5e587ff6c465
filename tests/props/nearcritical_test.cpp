// The near-critical and wet-steam inversions: the Newton searches of the numerics,
// the region-3 equation with its derivatives from one evaluation, the volume from
// (T, P), and the states of the searches that used to stall next to the critical
// volume, each checked against the forward equations (solve, then recompute the
// known pair from the result).
#include <functional>
#include <vector>

#include "numerics/roots.h"
#include "props/critwet.h"
#include "props/saturation3.h"
#include "testing.h"

namespace if97 {
namespace {

using namespace test;

// --- Newton searches ----------------------------------------------------------------

struct SlopeCase {
  const char* name;
  std::function<double(double, double&)> f;  // value and slope
  double lo, hi;                              // an enclosing pair of the root
  double root;
};

const SlopeCase kSlopeCases[] = {
    {"cubic", [](double x, double& d) { d = 3 * x * x - 2; return x * x * x - 2 * x - 5; }, 2, 3,
     2.0945514815423265},
    {"exponential", [](double x, double& d) { d = std::exp(x); return std::exp(x) - 10; }, 0, 5, std::log(10.0)},
    // Infinite slope at the root: Newton steps there are useless, the pair must still shrink.
    {"cube root", [](double x, double& d) { d = 1 / (3 * std::cbrt(x * x)); return std::cbrt(x); }, -1, 2, 0},
    // A slope that is wrong by a factor of ten: only the pair keeps the search going.
    {"bad slope", [](double x, double& d) { d = 10 * (2 * x); return x * x - 2; }, 0, 2, std::sqrt(2.0)},
};

TEST(PolishRootA, EndsOnTheRootOfEveryEnclosingPair) {
  for (const SlopeCase& c : kSlopeCases) {
    SCOPED_TRACE(c.name);
    int evaluations = 0;
    const auto f = [&c, &evaluations](double x, double, double& slope) {
      ++evaluations;
      return c.f(x, slope);
    };
    double d = 0;
    const double ylo = c.f(c.lo, d), yhi = c.f(c.hi, d);
    double step = 0;
    const double x = numerics::PolishRootA({c.hi, c.lo}, {yhi, ylo}, f, 0, 0, 1e-12, step);
    EXPECT_NEAR(x, c.root, 1e-9 * (1 + std::fabs(c.root)));
    EXPECT_LE(evaluations, 2 * numerics::kRefinePassLimit);
  }
}

TEST(PolishRootA, EdgeCases) {
  const auto line = [](double x, double, double& slope) {
    slope = 2;
    return 2 * x - 1;
  };
  double step = 1;
  EXPECT_EQ(numerics::PolishRootA({3, 3}, {5, 5}, line, 0, 0, 1e-9, step), 3);  // equal points
  EXPECT_EQ(numerics::PolishRootA({0, 1}, {-1, 1}, line, 0, kNaN, 1e-9, step), 0.5);  // NaN target: midpoint
  EXPECT_EQ(step, 0);
  // The tolerance met at the first point: that point and the Newton step from it.
  EXPECT_EQ(numerics::PolishRootA({0, 1}, {-1, 1}, line, 0, 0, 1e-9, step), 0.5);
  EXPECT_EQ(step, 0);
}

TEST(NewtonRootA, ConvergesOrGivesUp) {
  struct Row {
    const char* name;
    double x0, lo, hi;
    bool converges;
  };
  // x³ − 2x − 5: from 2 it converges; from 0 the first step leaves [−1, 3]; from
  // 0.8 (slope near 0) the step is far too long.
  const Row rows[] = {{"near", 2.0, 0, 3, true}, {"leaves", 0.0, -1, 3, false}, {"outside", 4.0, 0, 3, false},
                      {"flat", std::sqrt(2.0 / 3), -2, 2, false}};
  const auto f = [](double x, double, double& slope) {
    slope = 3 * x * x - 2;
    return x * x * x - 2 * x - 5;
  };
  for (const Row& r : rows) {
    double root = 0, step = 0;
    EXPECT_EQ(numerics::NewtonRootA(f, 0, r.x0, r.lo, r.hi, 0, 1e-10, root, step), r.converges) << r.name;
    if (r.converges) {
      EXPECT_NEAR(root + step, 2.0945514815423265, 1e-12) << r.name;
    }
  }
  // A NaN value (a point the caller does not accept) ends the search.
  const auto refuses = [](double x, double, double& slope) {
    slope = 1;
    return x > 0.5 ? kNaN : x - 1;
  };
  double root = 0, step = 0;
  EXPECT_FALSE(numerics::NewtonRootA(refuses, 0, 0, -5, 5, 0, 1e-10, root, step));
}

// --- The region-3 equation with its derivatives -------------------------------------

// Points of region 3 and of the loop inside the dome.
const double kPoints[][2] = {{376.85, 0.002}, {376.85, 0.005}, {476.85, 0.002}, {360, 0.0017}, {360, 0.004},
                             {373.9, 0.0031}, {373.946, 0.0031055}, {400, 0.0045}, {550, 0.0025}, {590, 0.0088}};

TEST(Region3At, AgreesWithTheEquationAndItsDifferences) {
  for (const auto& pt : kPoints) {
    const double T = pt[0], v = pt[1];
    SCOPED_TRACE(::testing::Message() << "T = " << T << ", v = " << v);
    const Region3Point r = Region3At(T, v);
    EXPECT_NEAR(r.p / Pressure3(T, v), 1, 1e-12);  // the same sum, added in another order
    EXPECT_EQ(r.s, Entropy3(T, v));
    EXPECT_EQ(r.h, Enthalpy3(T, v));
    double s = 0, h = 0;
    EntropyEnthalpy3(T, v, s, h);
    EXPECT_EQ(s, Entropy3(T, v));
    EXPECT_EQ(h, Enthalpy3(T, v));
    const double dT = 1e-4, dv = v * 1e-6;
    const auto central = [](double (*f)(double, double), double T1, double v1, double T2, double v2, double step) {
      return (f(T2, v2) - f(T1, v1)) / (2 * step);
    };
    const double rel = 1e-6;
    EXPECT_NEAR(r.dpdv, central(Pressure3, T, v - dv, T, v + dv, dv), rel * std::fabs(r.p / v) + 1e-12);
    EXPECT_NEAR(r.dpdT, central(Pressure3, T - dT, v, T + dT, v, dT), rel * std::fabs(r.dpdT) + 1e-9);
    EXPECT_NEAR(r.dsdT, central(Entropy3, T - dT, v, T + dT, v, dT), rel * std::fabs(r.dsdT));
    EXPECT_NEAR(r.dsdv, central(Entropy3, T, v - dv, T, v + dv, dv), rel * std::fabs(r.dsdv));
    EXPECT_NEAR(r.dhdT, central(Enthalpy3, T - dT, v, T + dT, v, dT), rel * std::fabs(r.dhdT));
    EXPECT_NEAR(r.dhdv, central(Enthalpy3, T, v - dv, T, v + dv, dv), rel * std::fabs(r.h / v));
    double slope = 0;
    EXPECT_EQ(Pressure3WithSlope(T, v, slope), Pressure3(T, v));
    EXPECT_NEAR(slope, r.dpdv, 1e-12 * std::fabs(r.p / v));
    double curvature = 0;
    EXPECT_NEAR(Pressure3Slope(T, v, curvature), slope, 1e-12 * std::fabs(r.p / v));
    double s1 = 0, s2 = 0;
    Pressure3WithSlope(T, v - dv, s1);
    Pressure3WithSlope(T, v + dv, s2);
    EXPECT_NEAR(curvature, (s2 - s1) / (2 * dv), rel * std::fabs(r.p / (v * v)));
  }
}

// --- Volume from (T, P) --------------------------------------------------------------

// The root of Pressure3(T, v) = p on the branch the state lies on, by bisection
// between a volume inside the branch and one beyond the root.
double BranchRoot(double T, double p, double inside, double beyond) {
  double a = inside, b = beyond;
  const bool aboveAtA = Pressure3(T, a) > p;
  for (int k = 0; k < 200; ++k) {
    const double m = (a + b) / 2;
    (Pressure3(T, m) > p) == aboveAtA ? a = m : b = m;
  }
  return (a + b) / 2;
}

TEST(Volume3FromTP, FindsTheRootOfTheStatesBranch) {
  struct Row {
    double T, v;
  };
  // Above Tc; below Tc on the vapour side (p < ps) and the liquid side (p > ps), the
  // last ones next to the saturated volumes, where the loop offers other roots.
  std::vector<Row> rows = {{380, 0.0016}, {380, 0.0031}, {380, 0.0045}, {400, 0.004}, {450, 0.002},
                           {550, 0.0026}, {374, 0.0031}, {589, 0.0017}, {360, 0.0016}, {370, 0.0075}};
  for (double T : {351.0, 365.0, 373.0, 373.9}) {
    const double p = SatPressure(T);
    rows.push_back({T, SatVapourVolume3(T, p) * 1.001});
    rows.push_back({T, SatLiquidVolume3(T, p) * 0.999});
  }
  for (const Row& r : rows) {
    SCOPED_TRACE(::testing::Message() << "T = " << r.T << ", v = " << r.v);
    const double p = Pressure3(r.T, r.v);
    const double v = Volume3FromTP(r.T, p);
    EXPECT_NEAR(Pressure3(r.T, v) / p, 1, 5e-10);
    // The same branch: bisection from the state's side of vc, away from any loop.
    const bool vapour = r.v > kCriticalVolume;
    const double far = vapour ? 0.0095 : 0.0012;
    const double expected = BranchRoot(r.T, p, far, r.v + (r.v - far) * 1e-3);
    EXPECT_NEAR(v / expected, 1, 1e-7);
  }
}


// --- Saturated vapour volume next to the critical point ---------------------------

// Temperatures from 0.01 K below Tc to Tc: the loop of the isotherm reaches the
// saturation pressure up to kLoopTopTemperature and lies below it above.
std::vector<double> NearCriticalTemperatures() {
  std::vector<double> out;
  for (double dT = 1e-2; dT > 1e-9; dT *= 0.8) out.push_back(kCriticalTemperatureC - dT);
  out.push_back(kCriticalTemperatureC);
  return out;
}

TEST(SatVapourVolume3, OuterRootOrTopOfTheLoop) {
  for (double T : NearCriticalTemperatures()) {
    SCOPED_TRACE(::testing::Message() << "Tc - T = " << kCriticalTemperatureC - T);
    const double p = SatPressure(T);
    const double v = SatVapourVolume3(T, p);
    ASSERT_GE(v, kCriticalVolume);
    EXPECT_LT(v / kCriticalVolume - 1, 0.05);
    double slope = 0;
    const double p3 = Pressure3WithSlope(T, v, slope);
    // The pressure where the slope is zero is stationary: a relative 1e-6 of the
    // volume either side of the top changes it by far less than the pressure's rounding.
    const double dv = 1e-6 * v;
    if (T <= kLoopTopTemperature) {
      EXPECT_NEAR(p3 / p, 1, 1e-12);
      EXPECT_LE(slope, 0);
    } else if (T < kCriticalTemperatureC - 1e-9) {
      EXPECT_LT(p3, p);
      EXPECT_GE(p3, Pressure3(T, v - dv) - 1e-12 * p);
      EXPECT_GE(p3, Pressure3(T, v + dv) - 1e-12 * p);
    }
  }
}

TEST(SatTemperatureFromVapourVolume, RoundTripNextToTheCriticalPoint) {
  for (double T : NearCriticalTemperatures()) {
    if (T > kCriticalTemperatureC - 1e-8) continue;  // v″ is within rounding of vc there
    const double V = SatVapourVolume(T);
    EXPECT_NEAR(SatTemperatureFromVapourVolume(V), T, 1e-7) << "Tc - T = " << kCriticalTemperatureC - T;
  }
}

// --- (V,S) and (V,I) next to the critical volume, (S,X) next to the critical entropy --

// A solved state compared with the forward equations: the known pair recomputed from
// the state's T, P (and X) must come back.
void ExpectPairComesBack(std::int32_t pair, double v1, double v2, const Result& r) {
  const double T = r.q[kT], P = r.q[kP], X = r.q[kX];
  double V = 0, S = 0, I = 0, wetVolumeTol = 0;
  switch (r.region) {
    case kRegionSteam:
      V = Region2V(T, P), S = Region2S(T, P), I = Region2I(T, P);
      break;
    case kRegionCritical:
      V = r.q[kV], S = Entropy3(T, V), I = Enthalpy3(T, V);
      EXPECT_NEAR(Pressure3(T, V) / P, 1, 1e-12);
      break;
    case kRegionWet:
    case kRegionWetCritical: {
      const State w = WetState(T, X), liquid = WetState(T, 0), vapour = WetState(T, 1);
      V = w[kV], S = w[kS], I = w[kI];
      EXPECT_EQ(P, SatPressure(T));
      // The dryness follows from S or I within the inversion's tolerance; in V that
      // is the tolerance times the volume change per unit of S or I at T.
      wetVolumeTol = (vapour[kV] - liquid[kV]) *
                     (pair == kPairVS ? 2e-5 / (vapour[kS] - liquid[kS]) : 2e-3 / (vapour[kI] - liquid[kI]));
      break;
    }
    default:
      return;  // region 9: nothing computed
  }
  const double recomputed[kQuantityCount + 1] = {0, T, P, V, S, I, X};
  const double given[2] = {v1, v2};
  const int quantity[2] = {pair / 10, pair % 10};
  // The inversions' tolerances: 1e-5 kJ/(kg K) on S, 0.001 kJ/kg on I; region 2 by
  // the Newton iteration's relative tests, the volume of a wet state through the
  // dryness found from S or I.
  for (int k = 0; k < 2; ++k) {
    const int q = quantity[k];
    const double tol = q == kV ? 2e-5 * given[k] + wetVolumeTol : q == kS ? 2e-5 : q == kI ? 2e-3 : 1e-9;
    EXPECT_NEAR(recomputed[q], given[k], r.region == kRegionSteam ? 1e-5 * std::fabs(given[k]) + tol : tol)
        << " TPVSIX"[q] << " of region " << r.region;
  }
}

TEST(SolveStateNearCriticalVolume, VSAndVIComeBack) {
  std::vector<double> volumes = {kCriticalVolume, kCriticalVolume * (1 + 1e-9)};
  for (double e = 1e-6; e < 1.5e-2; e *= 1.7) volumes.push_back(kCriticalVolume * (1 + e));
  for (double V : volumes) {
    for (double S : {1.0, 3.0, 4.2, kCriticalEntropy - 1e-3, kCriticalEntropy, kCriticalEntropy + 1e-3, 4.6, 5.5,
                     7.0}) {
      SCOPED_TRACE(::testing::Message() << "(V,S) = (" << V << ", " << S << ")");
      ExpectPairComesBack(kPairVS, V, S, SolveAll(kPairVS, V, S));
    }
    for (double I : {500.0, 1500.0, 2000.0, kCriticalEnthalpy, 2200.0, 2600.0, 3500.0}) {
      SCOPED_TRACE(::testing::Message() << "(V,I) = (" << V << ", " << I << ")");
      ExpectPairComesBack(kPairVI, V, I, SolveAll(kPairVI, V, I));
    }
  }
}

TEST(SolveStateNearCriticalEntropy, SXComesBackOrEndsAtTc) {
  for (double X : {0.0, 0.1, 0.3, 0.3001, 0.7001, 0.8, 0.95, 1.0}) {
    for (double d : {-1e-2, -1e-3, -1e-4, -1e-5, 0.0, 1e-5, 1e-4, 1e-3}) {
      const double S = kCriticalEntropy + d;
      SCOPED_TRACE(::testing::Message() << "(S,X) = (" << S << ", " << X << ")");
      const Result r = SolveAll(kPairSX, S, X);
      if (r.region != kRegionWetCritical) continue;
      // The critical entropy of the range lies 3.1e-5 below the equation's own: an
      // entropy the wet states of X do not reach ends the search at Tc.
      const double Sback = WetState(r.q[kT], X)[kS];
      if (std::fabs(Sback - S) > 2e-5) {
        EXPECT_NEAR(r.q[kT], kCriticalTemperatureC, 1e-6);
      } else {
        ExpectPairComesBack(kPairSX, S, X, r);
      }
    }
  }
}

// The inversions end on a trial temperature and keep its saturated values: they are
// the state's own, as the evaluation at the result would give them.
TEST(SolveStateWetCritical, SaturatedValuesOfTheResult) {
  struct Row {
    std::int32_t pair;
    double T, X;
  };
  const Row rows[] = {{kPairVS, 360, 0.8}, {kPairVI, 366, 0.5}, {kPairSX, 362, 0.2}, {kPairSX, 373.9, 0.8},
                      {kPairVS, 373.94, 0.9}};
  for (const Row& r : rows) {
    SCOPED_TRACE(::testing::Message() << "pair " << r.pair << " at " << r.T << " °C, X " << r.X);
    const State w = WetState(r.T, r.X);
    const Result o = SolveAll(r.pair, w[r.pair / 10], w[r.pair % 10]);
    ASSERT_EQ(o.region, kRegionWetCritical);
    const double T = o.q[kT], P = o.q[kP];
    const SolverScratch s = gScratch;
    EXPECT_EQ(s.Ts, T);
    EXPECT_EQ(P, s.ps);
    EXPECT_EQ(P, SatPressure(T));
    // The outer roots of the isotherm at the saturation pressure, to the searches'
    // pressure tolerance.
    for (const double v : {s.vLiq, s.vVap}) {
      double slope = 0;
      EXPECT_NEAR(Pressure3WithSlope(T, v, slope) / P, 1, 1e-5);
      EXPECT_LT(slope, 0);
    }
    EXPECT_LT(s.vLiq, kCriticalVolume);
    EXPECT_GT(s.vVap, kCriticalVolume);
    EXPECT_NEAR(s.vLiq / SatLiquidVolume3(T, P), 1, 1e-4);
    EXPECT_NEAR(s.vVap / SatVapourVolume3(T, P), 1, 1e-4);
    EXPECT_EQ(s.sLiq, Entropy3(T, s.vLiq));
    EXPECT_EQ(s.sVap, Entropy3(T, s.vVap));
    EXPECT_EQ(s.hLiq, Enthalpy3(T, s.vLiq));
    EXPECT_EQ(s.hVap, Enthalpy3(T, s.vVap));
    EXPECT_NEAR(T, r.T, 0.01);
  }
}


// --- (V,S) and (V,I) in region 2 at low pressure --------------------------------------

// The Newton iteration's relative test alone let these states end up to 0.1 K off;
// the extra pass brings every one within 0.01 K.
TEST(State2FromVSAndVI, LowPressureStatesWithinTenMillikelvin) {
  const double pressures[] = {0.0006112126774, 0.001, 0.00158, 0.003, 0.01, 0.041, 0.2, 0.4};
  for (double P : pressures) {
    for (double T = std::max(SatTemperature(P) + 0.5, 1.0); T <= 800; T += 23.7) {
      const double V = Region2V(T, P);
      for (std::int32_t pair : {kPairVS, kPairVI}) {
        const double Y = pair == kPairVS ? Region2S(T, P) : Region2I(T, P);
        const Result r = SolveAll(pair, V, Y);
        if (r.region != kRegionSteam) continue;  // beyond the range limits of the pair
        EXPECT_NEAR(r.q[kT], T, 0.01) << "pair " << pair << " at " << T << " °C, " << P << " MPa";
        EXPECT_NEAR(r.q[kP] / P, 1, 2e-5) << "pair " << pair << " at " << T << " °C, " << P << " MPa";
      }
    }
  }
}


// --- Metastable steam from (T,P) and back from its own (P,S) and (P,I) ----------------

// What (P,S) or (P,I) with the metastable preference must make of the entropy or
// enthalpy y of a state that (T,P) placed in region 8. Their classifier decides by
// the equilibrium dryness of y at P: above the saturated vapour value the state is
// superheated steam (the metastable and region-2 equations differ by up to about
// 0.04 kJ/kg at saturation, so this happens within a few hundredths of a kelvin
// below Ts); at an equilibrium dryness of 0.95 or less it is wet steam (for (P,S)
// the dryness of the entropy lies below that of the enthalpy that (T,P) tests,
// so a band of strongly subcooled states comes back wet); otherwise region 8.
PropertyRegion ExpectedMetastableReturn(std::int32_t pair, double P, double y) {
  const double Ts = SatTemperature(P);
  const bool entropy = pair == kPairPS;
  const double liq = entropy ? Region1S(Ts, P) : Region1I(Ts, P);
  const double vap = entropy ? Region2S(Ts, P) : Region2I(Ts, P);
  if (y > vap) return kRegionSteam;
  return (y - liq) / (vap - liq) > kXMetastableMin ? kRegionMetastable : kRegionWet;
}

TEST(SolveStateMetastable, TPStatesComeBackFromTheirOwnEntropyAndEnthalpy) {
  int metastable = 0;
  for (double P : {0.0007, 0.001, 0.002, 0.005, 0.0116, 0.0183, 0.05, 0.1, 0.5, 1.0, 3.0, 10.0}) {
    const double Ts = SatTemperature(P), edge = MetastableLimitTemperature(P) + 1;
    // The range's lower edges (0 °C or 1 K above the limit line) exactly and next
    // to them, the inside, and just below saturation.
    std::vector<double> temperatures = {0.0, 1e-7, edge + 1e-9, edge + 1e-6, edge + 0.005, Ts - 0.001, Ts - 0.05,
                                        Ts - 1};
    for (double f : {0.2, 0.5, 0.8}) temperatures.push_back(edge + f * (Ts - edge));
    for (double T : temperatures) {
      if (!(T >= 0 && T < Ts)) continue;
      const Result tp = SolveAll(kPairTP, T, P, true);
      if (tp.region != kRegionMetastable) continue;
      ++metastable;
      for (std::int32_t pair : {kPairPS, kPairPI}) {
        SCOPED_TRACE(::testing::Message() << "(T,P) = (" << T << ", " << P << ") back from pair " << pair);
        const double y = tp.q[pair == kPairPS ? kS : kI];
        const Result back = SolveAll(pair, P, y, true);
        const PropertyRegion expected = ExpectedMetastableReturn(pair, P, y);
        EXPECT_EQ(back.region, expected);
        if (expected == kRegionMetastable && back.region == kRegionMetastable) {
          EXPECT_NEAR(back.q[kT], T, 0.005);
          EXPECT_NEAR(back.q[kV] / tp.q[kV], 1, 1e-4);
        }
      }
    }
  }
  EXPECT_GT(metastable, 60);
}

// (T,P) = (5 °C, 0.0183 MPa) is metastable with an enthalpy dryness of 0.959 but an
// entropy dryness below 0.95: (P,S) answers wet steam, (P,I) metastable steam.
TEST(SolveStateMetastable, EntropyDrynessBandComesBackWet) {
  const Result tp = SolveAll(kPairTP, 5, 0.0183, true);
  ASSERT_EQ(tp.region, kRegionMetastable);
  EXPECT_EQ(SolveAll(kPairPS, 0.0183, tp.q[kS], true).region, kRegionWet);
  const Result pi = SolveAll(kPairPI, 0.0183, tp.q[kI], true);
  EXPECT_EQ(pi.region, kRegionMetastable);
  EXPECT_NEAR(pi.q[kT], 5, 0.005);
}

}  // namespace
}  // namespace if97
