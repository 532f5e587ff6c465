// Metastable-steam evaluator: the temperature inversions from (P,S) and (P,I) at the verification point of the
// metastable-vapour equation (450 K, 1 MPa: v = 0.192516540 m3/kg, h = 2768.81115 kJ/kg, s = 6.56660377 kJ/(kg K))
// and across pressures, and the step floor and far starts of the open search.
#include "props/metastable.h"

#include "testing.h"

namespace if97 {
namespace {

using namespace test;

TEST(Temperature8, AtTheVerificationPoint) {
  const double T450K = 176.85, s = 6.56660377, h = 2768.81115;
  ClearScratch();
  ASSERT_EQ(ClassifyPS(1.0, s, true), kRegionMetastable);
  EXPECT_NEAR(StartTemperature8FromPS(1.0, s), T450K, 0.5);
  EXPECT_DOUBLE_EQ(StartTemperature8FromPS(1.0, gScratch.sVap), SatTemperature(1.0));  // no deficit: Ts
  const State o = Evaluate(kRegionMetastable, kPairPS, 1.0, s);
  // ds/dT = cp/T, about 4.6e-3 kJ/(kg K²) here: the entropy tolerance is about 2 mK.
  EXPECT_NEAR(o[kT], T450K, 0.005);
  EXPECT_TRUE(o[kV] == MetaV(o[kT], 1.0) && o[kI] == MetaI(o[kT], 1.0) && o[kS] == s && o[kP] == 1.0);
  const State q = Evaluate(kRegionMetastable, kPairPI, 1.0, h);
  EXPECT_DOUBLE_EQ(StartTemperature8FromPI(1.0, gScratch.hVap), SatTemperature(1.0));
  EXPECT_NEAR(StartTemperature8FromPI(1.0, h), T450K, 0.5);
  EXPECT_NEAR(q[kT], T450K, 0.001);
  EXPECT_NEAR(q[kS], s, 1e-5);
  EXPECT_NEAR(q[kV], 0.192516540, 1e-5);
}

// States 1 … 12 K below saturation from 0.01 to 10 MPa, and at the lowest pressure, where Ts is 0 °C and a step
// of 1 % of the start would be about zero: the 0.01 K floor of the step lets the search enclose the root.
TEST(Temperature8, RoundTripsAcrossPressures) {
  for (double P : {0.01, 0.1, 0.5, 2.0, 5.0, 10.0}) {
    for (double dT : {1.0, 5.0, 12.0}) {
      const double T0 = SatTemperature(P) - dT, S0 = MetaS(T0, P), I0 = MetaI(T0, P);
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
  const double sVap = Region2S(SatTemperature(kPmin), kPmin);
  for (double deficit : {1e-6, 1e-4, 1e-3, 0.02}) {
    const double S = sVap - deficit;
    ClearScratch();
    ASSERT_EQ(ClassifyPS(kPmin, S, true), kRegionMetastable) << deficit;
    EXPECT_LT(std::fabs(StartTemperature8FromPS(kPmin, S)), 5.0) << deficit;
    const double T = Temperature8FromPS(kPmin, S);
    EXPECT_LT(std::fabs(MetaS(T, kPmin) - S), 1e-5) << deficit;
    EXPECT_LT(T, 0.5) << deficit;
  }
}

TEST(Temperature8, StartAt0CAndFarStartsStillEnclose) {
  // A scratch whose saturation temperature puts the start at exactly 0 °C for a root at −1 °C.
  const double S = MetaS(-1.0, kPmin);
  ClearScratch();
  gScratch.sVap = MetaS(0.0, kPmin);
  gScratch.Ts = -StartTemperature8FromPS(kPmin, S);  // the fit's subcooling at this S
  ASSERT_EQ(StartTemperature8FromPS(kPmin, S), 0.0);
  const double T = Temperature8FromPS(kPmin, S);
  EXPECT_LT(std::fabs(MetaS(T, kPmin) - S), 1e-5);
  EXPECT_NEAR(T, -1.0, 0.01);
  // With a cleared scratch the fit starts thousands of kelvin away; the open search walks back in 1 % steps.
  ClearScratch();
  ASSERT_GT(StartTemperature8FromPS(1.0, 6.5), 1000.0);
  EXPECT_LT(std::fabs(MetaS(Temperature8FromPS(1.0, 6.5), 1.0) - 6.5), 1e-5);
  ClearScratch();
  ASSERT_GT(StartTemperature8FromPI(1.0, 2700), 1000.0);
  EXPECT_LT(std::fabs(MetaI(Temperature8FromPI(1.0, 2700), 1.0) - 2700), 1e-3);
}

}  // namespace
}  // namespace if97
