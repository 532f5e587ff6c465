// Near the critical point: the region-3 equation with its derivatives from one evaluation, and SolveState where its
// searches used to stall next to vc, checked against the forward equations; metastable states back from S or I.
#include "props/critwet.h"
#include "testing.h"

namespace if97 {
namespace {

using namespace test;

// Points of region 3 and of the loop inside the dome; derivatives against central differences.
TEST(Region3At, AgreesWithTheEquationAndItsDifferences) {
  for (const auto& [T, v] : {std::pair{376.85, 0.002}, {476.85, 0.002}, {360.0, 0.0017}, {360.0, 0.004},
                             {373.946, 0.0031055}, {590.0, 0.0088}}) {
    SCOPED_TRACE(::testing::Message() << "T = " << T << ", v = " << v);
    const Region3Point r = Region3At(T, v);
    double s = 0, h = 0, slope = 0, curvature = 0, s1 = 0, s2 = 0;
    EntropyEnthalpy3(T, v, s, h);
    EXPECT_NEAR(r.p / Pressure3(T, v), 1, 1e-12);  // the same sum, added in another order
    EXPECT_TRUE(r.s == Entropy3(T, v) && r.h == Enthalpy3(T, v) && s == r.s && h == r.h);
    const double dT = 1e-4, dv = v * 1e-6, rel = 1e-6;
    const auto byT = [&](double (*f)(double, double)) { return (f(T + dT, v) - f(T - dT, v)) / (2 * dT); };
    const auto byV = [&](double (*f)(double, double)) { return (f(T, v + dv) - f(T, v - dv)) / (2 * dv); };
    EXPECT_NEAR(r.dpdv, byV(Pressure3), rel * std::fabs(r.p / v) + 1e-12);
    EXPECT_NEAR(r.dpdT, byT(Pressure3), rel * std::fabs(r.dpdT) + 1e-9);
    EXPECT_NEAR(r.dsdT, byT(Entropy3), rel * std::fabs(r.dsdT));
    EXPECT_NEAR(r.dsdv, byV(Entropy3), rel * std::fabs(r.dsdv));
    EXPECT_NEAR(r.dhdT, byT(Enthalpy3), rel * std::fabs(r.dhdT));
    EXPECT_NEAR(r.dhdv, byV(Enthalpy3), rel * std::fabs(r.h / v));
    EXPECT_EQ(Pressure3WithSlope(T, v, slope), Pressure3(T, v));
    EXPECT_NEAR(slope, r.dpdv, 1e-12 * std::fabs(r.p / v));
    EXPECT_NEAR(Pressure3Slope(T, v, curvature), slope, 1e-12 * std::fabs(r.p / v));
    Pressure3WithSlope(T, v - dv, s1);
    Pressure3WithSlope(T, v + dv, s2);
    EXPECT_NEAR(curvature, (s2 - s1) / (2 * dv), rel * std::fabs(r.p / (v * v)));
  }
}

// The known pair recomputed from a solved state's T, P (and X) comes back within the inversions' tolerances (S 1e-5,
// I 0.001; region 2 by the Newton iteration's relative tests; a wet volume through the dryness from S or I).
void ExpectPairComesBack(std::int32_t pair, double v1, double v2, const Result& r) {
  const double T = r.q[kT], P = r.q[kP], X = r.q[kX];
  double V = 0, S = 0, I = 0, wetVolumeTol = 0;
  if (r.region == kRegionSteam) {
    V = Region2V(T, P), S = Region2S(T, P), I = Region2I(T, P);
  } else if (r.region == kRegionCritical) {
    V = r.q[kV], S = Entropy3(T, V), I = Enthalpy3(T, V);
    EXPECT_NEAR(Pressure3(T, V) / P, 1, 1e-12);
  } else if (r.region == kRegionWet || r.region == kRegionWetCritical) {
    const State w = WetState(T, X), liquid = WetState(T, 0), vapour = WetState(T, 1);
    V = w[kV], S = w[kS], I = w[kI];
    EXPECT_EQ(P, SatPressure(T));
    wetVolumeTol = (vapour[kV] - liquid[kV]) *
                   (pair == kPairVS ? 2e-5 / (vapour[kS] - liquid[kS]) : 2e-3 / (vapour[kI] - liquid[kI]));
  } else {
    return;  // region 9: nothing computed
  }
  const double recomputed[kQuantityCount + 1] = {0, T, P, V, S, I, X};
  for (const auto& [q, given] : {std::pair{pair / 10, v1}, {pair % 10, v2}}) {
    const double tol = q == kV ? 2e-5 * given + wetVolumeTol : q == kS ? 2e-5 : q == kI ? 2e-3 : 1e-9;
    EXPECT_NEAR(recomputed[q], given, r.region == kRegionSteam ? 1e-5 * std::fabs(given) + tol : tol)
        << " TPVSIX"[q] << " of region " << r.region;
  }
}

TEST(SolveStateNearCriticalVolume, VSAndVIComeBack) {
  std::vector<double> volumes = {kCriticalVolume, kCriticalVolume * (1 + 1e-9)};
  for (double e = 1e-6; e < 1.5e-2; e *= 1.7) volumes.push_back(kCriticalVolume * (1 + e));
  for (double V : volumes) {
    for (double S : {1.0, 3.0, 4.2, kCriticalEntropy - 1e-3, kCriticalEntropy, kCriticalEntropy + 1e-3, 4.6, 5.5, 7.0}) {
      SCOPED_TRACE(::testing::Message() << "(V,S) = (" << V << ", " << S << ")");
      ExpectPairComesBack(kPairVS, V, S, SolveAll(kPairVS, V, S));
    }
    for (double I : {500.0, 1500.0, 2000.0, kCriticalEnthalpy, 2200.0, 2600.0, 3500.0}) {
      SCOPED_TRACE(::testing::Message() << "(V,I) = (" << V << ", " << I << ")");
      ExpectPairComesBack(kPairVI, V, I, SolveAll(kPairVI, V, I));
    }
  }
}

// The range's critical entropy lies 3.1e-5 below the equation's: an entropy X does not reach ends the search at Tc.
TEST(SolveStateNearCriticalEntropy, SXComesBackOrEndsAtTc) {
  for (double X : {0.0, 0.1, 0.3, 0.3001, 0.7001, 0.8, 0.95, 1.0}) {
    for (double d : {-1e-2, -1e-3, -1e-4, -1e-5, 0.0, 1e-5, 1e-4, 1e-3}) {
      const double S = kCriticalEntropy + d;
      SCOPED_TRACE(::testing::Message() << "(S,X) = (" << S << ", " << X << ")");
      const Result r = SolveAll(kPairSX, S, X);
      if (r.region != kRegionWetCritical) continue;
      if (std::fabs(WetState(r.q[kT], X)[kS] - S) > 2e-5) {
        EXPECT_NEAR(r.q[kT], kCriticalTemperatureC, 1e-6);
      } else {
        ExpectPairComesBack(kPairSX, S, X, r);
      }
    }
  }
}

// The inversions end on a trial temperature and keep its saturated values: the outer roots of the isotherm at its
// saturation pressure (to the searches' tolerance), as the evaluation at the result would give them.
TEST(SolveStateWetCritical, SaturatedValuesOfTheResult) {
  const double rows[][3] = {{kPairVS, 360, 0.8}, {kPairVI, 366, 0.5}, {kPairSX, 362, 0.2}, {kPairSX, 373.9, 0.8},
                            {kPairVS, 373.94, 0.9}};
  for (const auto& [code, T0, X] : rows) {
    SCOPED_TRACE(::testing::Message() << "pair " << code << " at " << T0 << " °C, X " << X);
    const auto pair = static_cast<std::int32_t>(code);
    const State w = WetState(T0, X);
    const Result o = SolveAll(pair, w[pair / 10], w[pair % 10]);
    ASSERT_EQ(o.region, kRegionWetCritical);
    const double T = o.q[kT], P = o.q[kP];
    const SolverScratch s = gScratch;
    EXPECT_TRUE(s.Ts == T && P == s.ps && P == SatPressure(T));
    EXPECT_NEAR(T, T0, 0.01);
    for (const double v : {s.vLiq, s.vVap}) {
      double slope = 0;
      EXPECT_NEAR(Pressure3WithSlope(T, v, slope) / P, 1, 1e-5);
      EXPECT_LT(slope, 0);
    }
    EXPECT_TRUE(s.vLiq < kCriticalVolume && s.vVap > kCriticalVolume);
    EXPECT_NEAR(s.vLiq / SatLiquidVolume3(T, P), 1, 1e-4);
    EXPECT_NEAR(s.vVap / SatVapourVolume3(T, P), 1, 1e-4);
    EXPECT_TRUE(s.sLiq == Entropy3(T, s.vLiq) && s.sVap == Entropy3(T, s.vVap));
    EXPECT_TRUE(s.hLiq == Enthalpy3(T, s.vLiq) && s.hVap == Enthalpy3(T, s.vVap));
  }
}

// Metastable steam from (T,P) back from its own (P,S) and (P,I), metastable preferred. The equilibrium dryness of y
// at P decides: above saturated vapour superheated steam (the metastable and region-2 equations differ by up to
// 0.04 kJ/kg at saturation), at 0.95 or less wet steam (the entropy dryness lies below the enthalpy dryness that
// (T,P) tests, so strongly subcooled states come back wet from (P,S)), otherwise region 8 at the same temperature.
PropertyRegion ExpectedMetastableReturn(std::int32_t pair, double P, double y) {
  const double Ts = SatTemperature(P);
  const double liq = pair == kPairPS ? Region1S(Ts, P) : Region1I(Ts, P);
  const double vap = pair == kPairPS ? Region2S(Ts, P) : Region2I(Ts, P);
  if (y > vap) return kRegionSteam;
  return (y - liq) / (vap - liq) > kXMetastableMin ? kRegionMetastable : kRegionWet;
}

TEST(SolveStateMetastable, TPStatesComeBackFromTheirOwnEntropyAndEnthalpy) {
  int metastable = 0, wet = 0;
  for (double P : {0.0007, 0.001, 0.002, 0.005, 0.0116, 0.0183, 0.05, 0.1, 0.5, 1.0, 3.0, 10.0}) {
    const double Ts = SatTemperature(P), edge = MetastableLimitTemperature(P) + 1;
    // The range's lower edges (0 °C or 1 K above the limit line) and next to them, the inside, just below Ts.
    std::vector<double> temperatures = {0.0, 1e-7, 5.0, edge + 1e-9, edge + 1e-6, edge + 0.005, Ts - 0.001, Ts - 0.05, Ts - 1};
    for (double f : {0.2, 0.5, 0.8}) temperatures.push_back(edge + f * (Ts - edge));
    for (double T : temperatures) {
      const Result tp = T >= 0 && T < Ts ? SolveAll(kPairTP, T, P, true) : Result{};
      if (tp.region != kRegionMetastable) continue;
      ++metastable;
      for (std::int32_t pair : {kPairPS, kPairPI}) {
        SCOPED_TRACE(::testing::Message() << "(T,P) = (" << T << ", " << P << ") back from pair " << pair);
        const double y = tp.q[pair == kPairPS ? kS : kI];
        const Result back = SolveAll(pair, P, y, true);
        const PropertyRegion expected = ExpectedMetastableReturn(pair, P, y);
        EXPECT_EQ(back.region, expected);
        wet += expected == kRegionWet;
        if (expected == kRegionMetastable && back.region == kRegionMetastable) {
          EXPECT_NEAR(back.q[kT], T, 0.005);
          EXPECT_NEAR(back.q[kV] / tp.q[kV], 1, 1e-4);
        }
      }
    }
  }
  EXPECT_GT(metastable, 60);
  EXPECT_GT(wet, 0);
}

}  // namespace
}  // namespace if97
