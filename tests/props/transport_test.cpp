#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "props/transport.h"

namespace if97 {
namespace {

TEST(SafeExp, ClampsBeyondEightyEight) {
  EXPECT_EQ(SafeExp(89.0), 1.7e38);
  EXPECT_EQ(SafeExp(1e300), 1.7e38);
  EXPECT_EQ(SafeExp(-89.0), 0.0);
  EXPECT_EQ(SafeExp(-1e300), 0.0);
  // The limits themselves still go through the exponential.
  EXPECT_DOUBLE_EQ(SafeExp(88.0), std::exp(88.0));
  EXPECT_DOUBLE_EQ(SafeExp(-88.0), std::exp(-88.0));
  EXPECT_DOUBLE_EQ(SafeExp(1.0), std::exp(1.0));
}

struct PowerCase {
  double base, exponent, expected;
};

TEST(Power, Cases) {
  const PowerCase cases[] = {
      {-2.0, 3.0, -8.0},     // negative base, odd whole exponent: negative
      {-2.0, 2.0, 4.0},      // even whole exponent: positive
      {-2.0, 0.5, 0.0},      // fractional exponent of a negative base: zero
      {-3.0, -1.0, -1.0 / 3.0},
      {5.0, 0.0, 1.0},       // exponent 0
      {0.0, 0.0, 1.0},
      {-7.0, 0.0, 1.0},
      {1.0, 1e300, 1.0},     // base 1
      {2.0, 10.0, 1024.0},
      {2.0, 0.5, std::sqrt(2.0)},
      {0.0, 2.0, 0.0},       // base too small for the logarithm
      {1e-39, 2.0, 0.0},
      {-1e-39, 3.0, 0.0},
      {10.0, 100.0, 1.7e38}, // overflow caught by SafeExp
      {10.0, -100.0, 0.0},
  };
  for (const auto& c : cases) {
    const double got = Power(c.base, c.exponent);
    EXPECT_NEAR(got, c.expected, 1e-12 * std::fabs(c.expected)) << "Power(" << c.base << ", " << c.exponent << ")";
    if (c.expected == 0.0) {
      EXPECT_EQ(got, 0.0) << "Power(" << c.base << ", " << c.exponent << ")";
    }
  }
}

struct TransportCase {
  double T, V, mu, lambda;
};

// Reference values of both equations at liquid, saturated-liquid, steam,
// superheated and critical states.
TEST(Transport, ReferenceValues) {
  const TransportCase cases[] = {
      {25.0, 1.0 / 998.0, 889.595, 608.668},
      {100.0, 1.0 / 958.35, 281.743, 677.777},
      {400.0, 0.1, 24.3829, 57.2809},
      {600.0, 0.05, 32.9535, 85.0172},
      {373.946, 1.0 / 322.0, 39.4304, 815.536},
  };
  for (const auto& c : cases) {
    EXPECT_NEAR(DynamicViscosity(c.T, c.V), c.mu, 6e-4) << "mu at T=" << c.T << " V=" << c.V;
    EXPECT_NEAR(ThermalConductivity(c.T, c.V), c.lambda, 6e-4) << "lambda at T=" << c.T << " V=" << c.V;
  }
}

// Above an exponent of 80 the residual factor stays e^80. At -125 °C and
// 0.001 m3/kg the exponent sum is about 83.6 (below the SafeExp clamp, so an
// uncapped factor would differ); at -200 °C and 0.0009 m3/kg it is about 1.1e4.
TEST(Transport, ViscosityExponentCap) {
  const TransportCase cases[] = {{-125.0, 0.001, 0, 0}, {-200.0, 0.0009, 0, 0}};
  for (const auto& c : cases) {
    const double tr = (c.T + 273.15) / 647.226;
    const double mu0 = std::sqrt(tr) / (1.0 + 0.978197 / tr + 0.579829 / (tr * tr) - 0.202354 / (tr * tr * tr));
    const double expected = 55.071 * mu0 * std::exp(80.0);
    EXPECT_NEAR(DynamicViscosity(c.T, c.V), expected, 1e-12 * std::fabs(expected)) << "T=" << c.T << " V=" << c.V;
  }
}

// Run under the sanitizers this catches undefined behaviour on inputs the solver
// would have rejected.
TEST(Transport, NoTrapsOnExtremeInputs) {
  const double inf = std::numeric_limits<double>::infinity();
  const double values[] = {0.0, -1.0, 1e-300, 1e300, inf, -inf, std::nan("")};
  for (double T : values)
    for (double V : values) {
      (void)DynamicViscosity(T, V);
      (void)ThermalConductivity(T, V);
    }
}

}  // namespace
}  // namespace if97
