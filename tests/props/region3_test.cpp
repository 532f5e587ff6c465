// Region 3: the inversions built back from states of the equation (checked itself in equations_test.cpp), their
// ends next to the critical point and on bad input, and the region-3 evaluator.
#include "props/region3.h"

#include <vector>

#include "props/evaluators.h"
#include "testing.h"

namespace if97 {
namespace {

using namespace test;

// Single-phase states: below Tc on the liquid side (p > ps) and the vapour side (p < ps), down to 0.1 % from
// the saturated volumes, where the loop of the isotherm offers other roots; above Tc from 100 MPa to B23.
TEST(Region3Inverses, StatesComeBack) {
  std::vector<std::pair<double, double>> states = {{374, 0.0031}, {589, 0.0017}};
  for (double T : {351.0, 360.0, 365.0, 370.0, 373.0, 373.9}) {
    const double p = SatPressure(T), vl = SatLiquidVolume3(T, p), vv = SatVapourVolume3(T, p);
    for (double f : {0.8, 0.9, 0.97, 0.999}) states.push_back({T, vl * f});
    for (double f : {1.001, 1.03, 1.1})
      if (vv * f < 0.0088) states.push_back({T, vv * f});
  }
  for (double T : {380.0, 400.0, 450.0, 500.0, 550.0})
    for (double v : {0.0016, 0.002, 0.003, 0.0031, 0.004, 0.0045, 0.006})
      if (Pressure3(T, v) <= 100 && Pressure3(T, v) >= B23Pressure(T)) states.push_back({T, v});
  for (const auto& [T0, v0] : states) {
    const double p = Pressure3(T0, v0), s = Entropy3(T0, v0), h = Enthalpy3(T0, v0);
    SCOPED_TRACE(::testing::Message() << "T = " << T0 << ", v = " << v0 << ", p = " << p);
    const double vTP = Volume3FromTP(T0, p);
    EXPECT_NEAR(Pressure3(T0, vTP) / p, 1, 5e-10);
    EXPECT_NEAR(vTP / v0, 1, 1e-6);
    const double vTS = Volume3FromTS(T0, s);
    const double dsdv = (Entropy3(T0, v0 * (1 + 1e-6)) - Entropy3(T0, v0 * (1 - 1e-6))) / (2e-6 * v0);
    EXPECT_NEAR(Entropy3(T0, vTS), s, 1e-5);
    EXPECT_NEAR(vTS, v0, 1.01e-5 / dsdv);
    // (V,S) and (V,I) on the vapour side, bracketed by the dew and B23 points as the classifier leaves them.
    const double Ts = SatTemperatureFromVapourVolume(v0), TB23 = B23TemperatureFromVolume(v0);
    if (v0 >= kCriticalVolume && v0 < kSatVapourVolume350 && T0 > Ts && T0 < TB23) {
      ClearScratch();
      gScratch.Ts = Ts, gScratch.TB23 = TB23;
      gScratch.sVap = Entropy3(Ts, v0), gScratch.sB23 = Entropy3(TB23, v0);
      gScratch.hVap = Enthalpy3(Ts, v0), gScratch.hB23 = Enthalpy3(TB23, v0);
      const double TVS = Temperature3FromVS(v0, s), TVI = Temperature3FromVI(v0, h);
      EXPECT_EQ(TVS, Temperature3FromVS(v0, s, Ts, TB23, gScratch.sVap, gScratch.sB23));
      EXPECT_NEAR(Entropy3(TVS, v0), s, 1e-5);
      EXPECT_NEAR(TVS, T0, 0.01);
      EXPECT_EQ(TVI, Temperature3FromVI(v0, h, Ts, TB23, gScratch.hVap, gScratch.hB23));
      EXPECT_NEAR(Enthalpy3(TVI, v0), h, 1e-3);
      EXPECT_NEAR(TVI, T0, 0.01);
    }
    // The Newton iteration stops within a relative 1e-4·target of each target (a loose test).
    double T = 0, v = 0;
    State3FromPS(p, s, T, v);
    EXPECT_LT(std::fabs(Pressure3(T, v) / p - 1), 1e-4 * p);
    EXPECT_LT(std::fabs(Entropy3(T, v) / s - 1), 1e-4 * s);
    EXPECT_NEAR(T, T0, 2.0);
    State3FromPI(p, h, T, v);
    EXPECT_LT(std::fabs(Pressure3(T, v) / p - 1), 1e-4 * p);
    EXPECT_LT(std::fabs(Enthalpy3(T, v) / h - 1), 1e-4 * h);
    EXPECT_NEAR(T, T0, 2.0);
  }
}

// Next to the critical point the searches end (they have pass budgets) on a state that reproduces its pressure
// or entropy; NaN input gives NaN.
TEST(Region3Inverses, SearchesEndNearTheCriticalPointAndOnNaN) {
  for (double dT : {1e-4, 1e-5, 0.0, -1e-5, -1e-4}) {
    const double T = kCriticalTemperatureC - dT;
    for (double f : {0.98, 1.0, 1.02}) {
      const double p = Pressure3(T, kCriticalVolume * f), s = Entropy3(T, kCriticalVolume * f);
      EXPECT_NEAR(Pressure3(T, Volume3FromTP(T, p)) / p, 1, 1e-6) << "T = " << T << ", f = " << f;
      EXPECT_NEAR(Entropy3(T, Volume3FromTS(T, s)), s, 1e-4) << "T = " << T << ", f = " << f;
    }
  }
  double T = 0, v = 0;
  State3FromPS(kCriticalPressure, 4.412, T, v);
  EXPECT_NEAR(T, kCriticalTemperatureC, 0.5);
  State3FromPI(kCriticalPressure, 2087.5, T, v);
  EXPECT_NEAR(T, kCriticalTemperatureC, 0.5);
  EXPECT_TRUE(std::isnan(Volume3FromTP(kNaN, 25)) && std::isnan(Volume3FromTP(380, kNaN)) &&
              std::isnan(Volume3FromTS(380, kNaN)));
  State3FromPS(kNaN, 4.4, T, v);
  EXPECT_TRUE(std::isnan(T) && std::isnan(v));
  T = 0, v = 0;
  State3FromPI(25, kNaN, T, v);
  EXPECT_TRUE(std::isnan(T) && std::isnan(v));
}

// (T,P) finds the volume, (T,V) evaluates directly; quantities not asked for, and every quantity of a pair the
// classifiers never send here, are left as they were.
TEST(EvaluateRegion3, AsksAndLeaves) {
  const double T0 = 376.85, P0 = Pressure3(T0, 0.002);
  double T = T0, P = P0, V = 0, S = -2, I = 0;
  EvaluateRegion3(kPairTP, false, false, true, T, P, V, S, I);
  EXPECT_NEAR(V, 0.002, 1e-11);
  EXPECT_NEAR(I, Enthalpy3(T0, 0.002), 5e-6);
  EXPECT_TRUE(T == T0 && P == P0 && S == -2);
  P = -1, V = 0.005;
  EvaluateRegion3(kPairTV, false, true, true, T, P, V, S, I);
  EXPECT_TRUE(P == -1 && S == Entropy3(T0, 0.005) && I == Enthalpy3(T0, 0.005));
  EvaluateRegion3(kPairTV, true, false, false, T, P, V, S, I);
  EXPECT_EQ(P, Pressure3(T0, 0.005));
  T = T0, P = 1, V = 0.002, S = 2, I = 3;
  EvaluateRegion3(kPairTX, false, false, false, T, P, V, S, I);
  EXPECT_TRUE(T == T0 && P == 1 && V == 0.002);
}

}  // namespace
}  // namespace if97
