// Metastable-steam evaluator: the start fits, the temperature inversions from (P,S)
// and (P,I) at the standard's verification point, the step floor of the open search
// at the lowest pressures, and the fallback of SolveState below the equation's range.
#include "props/metastable.h"

#include "props/evaluators.h"
#include "testing.h"

namespace if97 {
namespace {

using namespace test;

// IAPWS-IF97 verification of the metastable-vapour equation at 450 K, 1 MPa (Table 18):
// v = 0.192516540 m3/kg, h = 2768.81115 kJ/kg, s = 6.56660377 kJ/(kg K).
constexpr double kT450K = 176.85;

TEST(EvaluateMetastable, KnownTPGivesTheVerificationValues) {
  // IAPWS-IF97 Table 18 at 450 K, 1.5 MPa.
  ClearScratch();
  double T = kT450K, P = 1.5, V = 0, S = 0, I = 0;
  EvaluateMetastable(kPairTP, true, true, true, T, P, V, S, I);
  EXPECT_EQ(T, kT450K);
  EXPECT_EQ(P, 1.5);
  ExpectDigits(V, "0.121685206", "V", T, P);
  ExpectDigits(I, "2721.34539", "I", T, P);
  ExpectDigits(S, "6.29170440", "S", T, P);
}

TEST(Temperature8, AtTheVerificationPoint) {
  ClearScratch();
  ASSERT_EQ(ClassifyPS(1.0, 6.56660377, true), kRegionMetastable);
  EXPECT_NEAR(StartTemperature8FromPS(1.0, 6.56660377), 176.93, 0.005);
  // No deficit: the start is the saturation temperature.
  EXPECT_DOUBLE_EQ(StartTemperature8FromPS(1.0, gScratch.sVap), SatTemperature(1.0));
  double T = 0, P = 1.0, V = 0, S = 6.56660377, I = 0;
  EvaluateMetastable(kPairPS, true, false, true, T, P, V, S, I);
  EXPECT_LT(std::fabs(MetaS(T, 1.0) - 6.56660377), 1e-5);
  // ds/dT = cp/T, about 4.6e-3 kJ/(kg K²) here: the entropy tolerance is about 2 mK.
  EXPECT_NEAR(T, kT450K, 0.005);
  EXPECT_EQ(V, MetaV(T, 1.0));
  EXPECT_NEAR(I, 2768.81115, 0.05);

  ClearScratch();
  ASSERT_EQ(ClassifyPI(1.0, 2768.81115, true), kRegionMetastable);
  EXPECT_DOUBLE_EQ(StartTemperature8FromPI(1.0, gScratch.hVap), SatTemperature(1.0));
  EXPECT_NEAR(StartTemperature8FromPI(1.0, 2768.81115), kT450K, 0.5);
  T = 0, V = 0, S = 0, I = 2768.81115;
  EvaluateMetastable(kPairPI, true, true, false, T, P, V, S, I);
  EXPECT_LT(std::fabs(MetaI(T, 1.0) - 2768.81115), 1e-3);
  EXPECT_NEAR(T, kT450K, 0.001);
  EXPECT_NEAR(S, 6.56660377, 1e-5);
  EXPECT_NEAR(V, 0.192516540, 1e-5);
}

TEST(Temperature8, RoundTripsAcrossPressures) {
  // Metastable states 1 … 12 K below saturation, from 0.01 to 10 MPa.
  for (double P : {0.01, 0.1, 0.5, 2.0, 5.0, 10.0}) {
    for (double dT : {1.0, 5.0, 12.0}) {
      const double T0 = SatTemperature(P) - dT;
      const double S0 = MetaS(T0, P), I0 = MetaI(T0, P);
      ClearScratch();
      if (ClassifyPS(P, S0, true) == kRegionMetastable) {
        const double T = Temperature8FromPS(P, S0);
        EXPECT_LT(std::fabs(MetaS(T, P) - S0), 1e-5) << P << " " << dT;
        EXPECT_NEAR(T, T0, 0.01) << P << " " << dT;
      }
      ClearScratch();
      if (ClassifyPI(P, I0, true) == kRegionMetastable) {
        const double T = Temperature8FromPI(P, I0);
        EXPECT_LT(std::fabs(MetaI(T, P) - I0), 1e-3) << P << " " << dT;
        EXPECT_NEAR(T, T0, 0.001) << P << " " << dT;
      }
    }
  }
}

TEST(Temperature8, LowestPressureStartsNear0C) {
  // At the lowest pressure the saturation temperature is 0 °C and the start value lies
  // at or just below it; a step of 1 % of it would be about zero. The 0.01 K floor of
  // the step lets the open search enclose the root.
  const double P = kPmin;
  const double sVap = Region2S(SatTemperature(P), P);
  for (double deficit : {1e-6, 1e-4, 1e-3, 0.02}) {
    const double S = sVap - deficit;
    ClearScratch();
    ASSERT_EQ(ClassifyPS(P, S, true), kRegionMetastable) << deficit;
    EXPECT_LT(std::fabs(StartTemperature8FromPS(P, S)), 5.0) << deficit;
    const double T = Temperature8FromPS(P, S);
    EXPECT_LT(std::fabs(MetaS(T, P) - S), 1e-5) << deficit;
    EXPECT_LT(T, 0.5) << deficit;
  }
}

TEST(Temperature8, StartExactlyAt0CStillMoves) {
  // A scratch whose saturation temperature puts the start value at exactly 0 °C for a
  // root at −1 °C: a step of 1 % of the start value would be zero.
  const double P = kPmin;
  const double S = MetaS(-1.0, P);
  ClearScratch();
  gScratch.sVap = MetaS(0.0, P);
  gScratch.Ts = -StartTemperature8FromPS(P, S);  // the fit's subcooling at this S
  ASSERT_EQ(StartTemperature8FromPS(P, S), 0.0);
  const double T = Temperature8FromPS(P, S);
  EXPECT_LT(std::fabs(MetaS(T, P) - S), 1e-5);
  EXPECT_NEAR(T, -1.0, 0.01);
}

TEST(Temperature8, FarStartStillEncloses) {
  // With a cleared scratch the fit starts thousands of kelvin away; the open search
  // walks back in its 1 % steps and the refinement still meets the tolerance.
  ClearScratch();
  ASSERT_GT(StartTemperature8FromPS(1.0, 6.5), 1000.0);
  EXPECT_LT(std::fabs(MetaS(Temperature8FromPS(1.0, 6.5), 1.0) - 6.5), 1e-5);
  ClearScratch();
  ASSERT_GT(StartTemperature8FromPI(1.0, 2700), 1000.0);
  EXPECT_LT(std::fabs(MetaI(Temperature8FromPI(1.0, 2700), 1.0) - 2700), 1e-3);
}

TEST(SolveStateMetastable, TPReferenceAndFallback) {
  // (30 °C, 0.005 MPa) with the metastable region preferred: V ≈ 27.92, I ≈ 2555.23.
  const Result tp = SolveAll(kPairTP, 30, 0.005, true);
  EXPECT_EQ(tp.region, kRegionMetastable);
  EXPECT_NEAR(tp.q[kV], 27.92, 0.005);
  EXPECT_NEAR(tp.q[kI], 2555.23, 0.005);
  EXPECT_EQ(tp.q[kX], 1.0);
  EXPECT_EQ(SolveAll(kPairTP, 30, 0.005, false).region, kRegionWater);
  // (0.005 MPa, 8.0): the metastable temperature would be about −20 °C, outside the
  // metastable equation's range; the state is the equilibrium wet steam of the pair.
  ClearScratch();
  ASSERT_EQ(ClassifyPS(0.005, 8.0, true), kRegionMetastable);
  EXPECT_NEAR(Temperature8FromPS(0.005, 8.0), -20.26, 0.05);
  const Result meta = SolveAll(kPairPS, 0.005, 8.0, true);
  EXPECT_EQ(meta.region, kRegionWet);
  EXPECT_EQ(meta.q, SolveAll(kPairPS, 0.005, 8.0, false).q);
}

}  // namespace
}  // namespace if97
