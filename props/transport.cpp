#include "props/transport.h"

#include <cmath>

#include "props/constants.h"

namespace if97 {

namespace {

constexpr double kReferenceTemperature = 647.226;  // K, both equations
constexpr double kViscosityDensity = 317.763;      // kg/m3
constexpr double kConductivityDensity = 317.7;     // kg/m3

bool IsWhole(double x) { return std::floor(x) == x; }

// Dilute-gas viscosity: denominator coefficients H0 … H3 (IAPS 1985 viscosity, eq. for μ0).
constexpr double kH[4] = {1.0, 0.978197, 0.579829, -0.202354};

// Residual viscosity: Hij, i = row (power of 1/T̄ − 1), j = column (power of ρ̄ − 1),
// IAPS 1985 viscosity, table of the μ1 sum; dimensionless exponent.
constexpr double kHij[6][7] = {
    {0.5132047, 0.2151778, -0.2818107, 0.1778064, -0.0417661, 0.0, 0.0},
    {0.3205656, 0.7317883, -1.070786, 0.460504, 0.0, -0.01578386, 0.0},
    {0.0, 1.241044, -1.263184, 0.2340379, 0.0, 0.0, 0.0},
    {0.0, 1.476783, 0.0, -0.4924179, 0.1600435, 0.0, -0.003629481},
    {-0.7782567, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0},
    {0.1885447, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0},
};

// Above this the residual factor e^E is held constant.
constexpr double kViscosityExponentCap = 80.0;

}  // namespace

double SafeExp(double x) {
  if (x > 88.0) return 1.7e38;
  if (x < -88.0) return 0.0;
  return std::exp(x);
}

double Power(double base, double exponent) {
  if (exponent == 0.0 || base == 1.0) return 1.0;
  if (base > 2.9e-39) return SafeExp(exponent * std::log(base));
  if (base < -2.9e-39 && IsWhole(exponent)) {
    const double sign = IsWhole(exponent / 2.0) ? 1.0 : -1.0;
    return sign * SafeExp(exponent * std::log(-base));
  }
  return 0.0;
}

double DynamicViscosity(double T, double V) {
  const double tr = (T + kKelvin) / kReferenceTemperature;
  const double rr = (1.0 / V) / kViscosityDensity;

  const double inv = 1.0 / tr;
  const double mu0 = std::sqrt(tr) / (kH[0] + inv * (kH[1] + inv * (kH[2] + inv * kH[3])));

  // E = ρ̄ · Σi (1/T̄ − 1)^i · Σj Hij (ρ̄ − 1)^j, both sums by Horner's rule.
  const double a = inv - 1.0;
  const double b = rr - 1.0;
  double outer = 0.0;
  for (int i = 5; i >= 0; --i) {
    double inner = 0.0;
    for (int j = 6; j >= 0; --j) inner = inner * b + kHij[i][j];
    outer = outer * a + inner;
  }
  double e = rr * outer;
  if (e > kViscosityExponentCap) e = kViscosityExponentCap;
  const double mu1 = SafeExp(e);
  return 55.071 * mu0 * mu1;
}

double ThermalConductivity(double T, double V) {
  const double tr = (T + kKelvin) / kReferenceTemperature;
  const double rr = (1.0 / V) / kConductivityDensity;

  const double lambda0 =
      std::sqrt(tr) * (0.0102811 + tr * (0.0299621 + tr * (0.0156146 - tr * 0.00422464)));
  const double lambda1 =
      -0.39707 + 0.400302 * rr + 1.06 * std::exp(-0.171587 * (rr + 2.39219) * (rr + 2.39219));

  const double dT = std::fabs(tr - 1.0) + 0.00308976;
  const double dT06 = Power(dT, 0.6);
  const double q = 2.0 + 0.0822994 / dT06;
  const double s = tr >= 1.0 ? 1.0 / dT : 10.0932 / dT06;

  const double lambda2 =
      (0.0701309 / Power(tr, 10.0) + 0.011852) * Power(rr, 1.8) * SafeExp(0.642857 * (1.0 - Power(rr, 2.8))) +
      0.00169937 * s * Power(rr, q) * SafeExp((q / (1.0 + q)) * (1.0 - Power(rr, 1.0 + q))) -
      1.02 * SafeExp(-4.11717 * Power(tr, 1.5) - 6.17937 / Power(rr, 5.0));
  return 1000.0 * (lambda0 + lambda1 + lambda2);
}

}  // namespace if97
