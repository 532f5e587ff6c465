// Region 3: the verification values of the published equation, the six inversions
// built back from states of the equation, the Newton end points of (P,S) and (P,I)
// that the loose convergence test gives, and the region-3 evaluator.
#include "props/region3.h"

#include <vector>

#include "props/evaluators.h"
#include "testing.h"

namespace if97 {
namespace {

using namespace test;

constexpr double kTcC = 373.946;

// The bracket of the (V,S) and (V,I) inversions on the vapour side, as the
// classifiers leave it in the scratch: the dew point and the B23 point of the isochore.
void SetVapourBracket(double V) {
  ClearScratch();
  gScratch.Ts = SatTemperatureFromVapourVolume(V);
  gScratch.TB23 = B23TemperatureFromVolume(V);
  gScratch.sVap = Entropy3(gScratch.Ts, V);
  gScratch.sB23 = Entropy3(gScratch.TB23, V);
  gScratch.hVap = Enthalpy3(gScratch.Ts, V);
  gScratch.hB23 = Enthalpy3(gScratch.TB23, V);
}

struct EquationRow {
  const char* name;
  double (*f)(double, double);
  double T, v;
  const char* expected;
};

// IAPWS-IF97 Table 33 (650 K and 750 K), T in °C.
const EquationRow kTable33[] = {
    {"Pressure3", Pressure3, 376.85, 0.002, "25.5837018"},
    {"Enthalpy3", Enthalpy3, 376.85, 0.002, "1863.43019"},
    {"Entropy3", Entropy3, 376.85, 0.002, "4.05427273"},
    {"Pressure3", Pressure3, 376.85, 0.005, "22.2930643"},
    {"Enthalpy3", Enthalpy3, 376.85, 0.005, "2375.12401"},
    {"Entropy3", Entropy3, 376.85, 0.005, "4.85438792"},
    {"Pressure3", Pressure3, 476.85, 0.002, "78.3095639"},
    {"Enthalpy3", Enthalpy3, 476.85, 0.002, "2258.68845"},
    {"Entropy3", Entropy3, 476.85, 0.002, "4.46971906"},
};

TEST(Region3Equation, PublishedVerificationValues) {
  for (const EquationRow& row : kTable33) ExpectDigits(row.f(row.T, row.v), row.expected, row.name, row.T, row.v);
}

// The entropy and enthalpy follow from the same Helmholtz function as the pressure:
// (∂s/∂v)_T = (∂p/∂T)_v (Maxwell), and h = u + p·v with (∂u/∂v)_T = T·(∂p/∂T)_v − p.
TEST(Region3Equation, MaxwellRelationsHold) {
  for (double T : {360.0, 380.0, 450.0, 580.0}) {
    for (double v : {0.0016, 0.0025, 0.004, 0.007}) {
      const double dT = 1e-4, dv = v * 1e-6;
      const double dpdT = (Pressure3(T + dT, v) - Pressure3(T - dT, v)) / (2 * dT) * 1000;  // kPa/K
      const double dsdv = (Entropy3(T, v + dv) - Entropy3(T, v - dv)) / (2 * dv);
      EXPECT_NEAR(dsdv / dpdT, 1, 1e-5) << "T = " << T << ", v = " << v;
      const double TK = T + 273.15;
      const auto u = [&](double vv) { return Enthalpy3(T, vv) - Pressure3(T, vv) * 1000 * vv; };
      const double dudv = (u(v + dv) - u(v - dv)) / (2 * dv);
      EXPECT_NEAR(dudv / (TK * dpdT - Pressure3(T, v) * 1000), 1, 1e-4) << "T = " << T << ", v = " << v;
    }
  }
}

// ---------------------------------------------------------------------------
// Inversions: states of region 3 built from (T, v) and solved back.

struct State3 {
  double T, v;
};

// Single-phase states of region 3: above Tc from the 100 MPa isobar to B23, below Tc
// on the liquid side at p > ps and on the vapour side at p < ps.
std::vector<State3> Region3States() {
  std::vector<State3> states;
  for (double T : {351.0, 360.0, 370.0, 373.0}) {
    const double p = SatPressure(T);
    const double vl = SatLiquidVolume3(T, p), vv = SatVapourVolume3(T, p);
    for (double f : {0.8, 0.9, 0.97}) states.push_back({T, vl * f});
    for (double f : {1.03, 1.1}) {
      if (vv * f < 0.0088) states.push_back({T, vv * f});
    }
  }
  for (double T : {380.0, 400.0, 450.0, 500.0, 550.0}) {
    for (double v : {0.0016, 0.002, 0.003, 0.004, 0.006}) {
      const double p = Pressure3(T, v);
      if (p <= 100 && p >= B23Pressure(T)) states.push_back({T, v});
    }
  }
  return states;
}

TEST(Region3Inverses, StatesComeBack) {
  const std::vector<State3> states = Region3States();
  ASSERT_GT(states.size(), 25u);
  for (const State3& st : states) {
    const double p = Pressure3(st.T, st.v), s = Entropy3(st.T, st.v), h = Enthalpy3(st.T, st.v);
    SCOPED_TRACE(::testing::Message() << "T = " << st.T << ", v = " << st.v << ", p = " << p);

    const double vTP = Volume3FromTP(st.T, p);
    EXPECT_NEAR(Pressure3(st.T, vTP) / p, 1, 5e-10);
    EXPECT_NEAR(vTP / st.v, 1, 1e-6);

    // The entropy tolerance 1e-5 allows a volume error of 1e-5/(∂s/∂v)_T.
    const double vTS = Volume3FromTS(st.T, s);
    const double dsdv = (Entropy3(st.T, st.v * (1 + 1e-6)) - Entropy3(st.T, st.v * (1 - 1e-6))) / (2e-6 * st.v);
    EXPECT_NEAR(Entropy3(st.T, vTS), s, 1e-5);
    EXPECT_NEAR(vTS, st.v, 1.01e-5 / dsdv);

    // (V,S) and (V,I) on the vapour side, bracketed as the classifier does it.
    if (st.v >= 0.0031055900621118 && st.v < 0.0088009319322) {
      const double Ts = SatTemperatureFromVapourVolume(st.v);
      const double TB23 = B23TemperatureFromVolume(st.v);
      if (st.T > Ts && st.T < TB23) {
        const double TVS = Temperature3FromVS(st.v, s, Ts, TB23, Entropy3(Ts, st.v), Entropy3(TB23, st.v));
        EXPECT_NEAR(Entropy3(TVS, st.v), s, 1e-5);
        EXPECT_NEAR(TVS, st.T, 0.01);
        const double TVI = Temperature3FromVI(st.v, h, Ts, TB23, Enthalpy3(Ts, st.v), Enthalpy3(TB23, st.v));
        EXPECT_NEAR(Enthalpy3(TVI, st.v), h, 1e-3);
        EXPECT_NEAR(TVI, st.T, 0.01);
      }
    }

    // The Newton iteration stops once each result is within a relative 1e-4·target of
    // its target (a loose test); the state is then near, not at, the one built.
    double T = 0, v = 0;
    State3FromPS(p, s, T, v);
    EXPECT_LT(std::fabs(Pressure3(T, v) / p - 1), 1e-4 * p);
    EXPECT_LT(std::fabs(Entropy3(T, v) / s - 1), 1e-4 * s);
    EXPECT_NEAR(T, st.T, 2.0);
    State3FromPI(p, h, T, v);
    EXPECT_LT(std::fabs(Pressure3(T, v) / p - 1), 1e-4 * p);
    EXPECT_LT(std::fabs(Enthalpy3(T, v) / h - 1), 1e-4 * h);
    EXPECT_NEAR(T, st.T, 2.0);
  }
}

TEST(Region3Inverses, NewtonEndPointsOfTheReferenceState) {
  double T = 0, v = 0;
  State3FromPS(25.5837018, 4.05427273, T, v);
  EXPECT_NEAR(T, 376.904, 5e-4);
  EXPECT_NEAR(v, 0.0019988, 5e-8);
  State3FromPI(25.5837018, 1863.43019, T, v);
  EXPECT_NEAR(T, 376.854, 5e-4);
  EXPECT_NEAR(v, 0.0019999, 5e-8);
}

TEST(Region3Inverses, VolumeAndEntropyBracketFromTheScratch) {
  const double V = 0.005;
  SetVapourBracket(V);
  const double T = Temperature3FromVS(V, 4.85438792);
  EXPECT_NEAR(T, 376.850, 5e-4);
  EXPECT_NEAR(Pressure3(T, V), 22.2931, 5e-5);
  EXPECT_NEAR(Temperature3FromVI(V, 2375.12401), 376.850, 5e-4);
  ClearScratch();
}

// Next to the critical point the searches must end (they have pass budgets), on a
// state that reproduces its pressure or entropy.
TEST(Region3Inverses, SearchesEndNearTheCriticalPoint) {
  const double vc = 0.003105590062111801;
  for (double dT : {1e-4, 1e-5, 0.0, -1e-5, -1e-4}) {
    const double T = kTcC - dT;
    for (double f : {0.98, 1.0, 1.02}) {
      const double p = Pressure3(T, vc * f), s = Entropy3(T, vc * f);
      const double v = Volume3FromTP(T, p);
      EXPECT_NEAR(Pressure3(T, v) / p, 1, 1e-6) << "T = " << T << ", f = " << f;
      const double vs = Volume3FromTS(T, s);
      EXPECT_NEAR(Entropy3(T, vs), s, 1e-4) << "T = " << T << ", f = " << f;
    }
  }
  double T = 0, v = 0;
  State3FromPS(22.064, 4.412, T, v);
  EXPECT_NEAR(T, kTcC, 0.5);
  State3FromPI(22.064, 2087.5, T, v);
  EXPECT_NEAR(T, kTcC, 0.5);
}

TEST(Region3Inverses, NaNInputReturns) {
  EXPECT_TRUE(std::isnan(Volume3FromTP(kNaN, 25)));
  EXPECT_TRUE(std::isnan(Volume3FromTP(380, kNaN)));
  EXPECT_TRUE(std::isnan(Volume3FromTS(380, kNaN)));
  double T = 0, v = 0;
  State3FromPS(kNaN, 4.4, T, v);
  EXPECT_TRUE(std::isnan(T) && std::isnan(v));
  T = 0, v = 0;
  State3FromPI(25, kNaN, T, v);
  EXPECT_TRUE(std::isnan(T) && std::isnan(v));
}

// ---------------------------------------------------------------------------
// The region-3 evaluator.

TEST(EvaluateRegion3, TemperatureAndPressureOrVolume) {
  double T = 376.85, P = 25.5837018, V = 0, S = 0, I = 0;
  EvaluateRegion3(kPairTP, false, true, true, T, P, V, S, I);
  EXPECT_NEAR(Pressure3(T, V) / 25.5837018, 1, 5e-10);
  EXPECT_NEAR(V, 0.002, 1e-11);
  EXPECT_NEAR(S, 4.05427273, 5e-9);
  EXPECT_NEAR(I, 1863.43019, 5e-6);
  EXPECT_EQ(T, 376.85);
  EXPECT_EQ(P, 25.5837018);
  // (T,V) needs no iteration.
  P = 0, V = 0.005;
  EvaluateRegion3(kPairTV, true, true, true, T, P, V, S, I);
  EXPECT_EQ(P, Pressure3(376.85, 0.005));
  EXPECT_EQ(S, Entropy3(376.85, 0.005));
  EXPECT_EQ(I, Enthalpy3(376.85, 0.005));
}

TEST(EvaluateRegion3, FlagsAndOtherPairs) {
  // Unasked quantities are left as they were.
  double T = 376.85, P = -1, V = 0.002, S = -2, I = -3;
  EvaluateRegion3(kPairTV, false, false, true, T, P, V, S, I);
  EXPECT_EQ(P, -1);
  EXPECT_EQ(S, -2);
  EXPECT_NEAR(I, 1863.43019, 5e-6);
  // A pair the classifiers never send here computes nothing in the first step.
  T = 376.85, P = 1, V = 0.002, S = 2, I = 3;
  EvaluateRegion3(kPairTX, false, false, false, T, P, V, S, I);
  EXPECT_EQ(T, 376.85);
  EXPECT_EQ(V, 0.002);
  EXPECT_EQ(P, 1);
}

}  // namespace
}  // namespace if97
