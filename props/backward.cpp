#include "props/backward.h"

#include <cmath>
#include <iterator>

#include "props/coefficients_backward.h"
#include "props/coefficients_sum.h"
#include "props/forward.h"

namespace if97 {

namespace {

// The tables are used complete: as many terms as the standard publishes.
static_assert(std::size(coeff::kRegion1TPH) == 20);
static_assert(std::size(coeff::kRegion1TPS) == 20);
static_assert(std::size(coeff::kRegion2aTPH) == 34);
static_assert(std::size(coeff::kRegion2bTPH) == 38);
static_assert(std::size(coeff::kRegion2cTPH) == 23);
static_assert(std::size(coeff::kRegion2aTPS) == 46);
static_assert(std::size(coeff::kRegion2bTPS) == 44);
static_assert(std::size(coeff::kRegion2cTPS) == 30);

// Sub-region 2a of T(p,s) has pressure exponents in quarters: summed in 4·I
// over powers of π^(1/4).
constexpr auto kRegion2aTPSQuarters = coeff::InQuarters<coeff::kRegion2aTPS>();

// θ = T / 1 K as Σ n x^I y^J over one table, at the shifted variables x and y.
template <const auto& Table>
double Theta(double x, double y) {
  return coeff::SumAt<Table>(x, y);
}

// Reducing values of the backward equations: π = p / 1 MPa, θ = T / 1 K.
constexpr double kPressureStar = 1.0;            // MPa
constexpr double kRegion1EnthalpyStar = 2500.0;  // kJ/kg
constexpr double kRegion1EntropyStar = 1.0;      // kJ/(kg K)
constexpr double kRegion2EnthalpyStar = 2000.0;  // kJ/kg
constexpr double kRegion2aEntropyStar = 2.0;     // kJ/(kg K)
constexpr double kRegion2bEntropyStar = 0.7853;  // kJ/(kg K)
constexpr double kRegion2cEntropyStar = 2.9251;  // kJ/(kg K)

}  // namespace

double B2bcPressure(double I) { return coeff::kB2bcN1 + I * (coeff::kB2bcN2 + I * coeff::kB2bcN3); }

double Temperature1FromPI(double P, double I) {
  const double pi = P / kPressureStar;
  const double eta = I / kRegion1EnthalpyStar;
  return Theta<coeff::kRegion1TPH>(pi, eta + 1.0) - kKelvin;
}

double Temperature1FromPS(double P, double S) {
  const double pi = P / kPressureStar;
  const double sigma = S / kRegion1EntropyStar;
  return Theta<coeff::kRegion1TPS>(pi, sigma + 2.0) - kKelvin;
}

double Temperature2FromPI(double P, double I) {
  const double pi = P / kPressureStar;
  const double eta = I / kRegion2EnthalpyStar;
  double theta;
  if (P < kRegion2abPressure)
    theta = Theta<coeff::kRegion2aTPH>(pi, eta - 2.1);
  else if (P >= B2bcPressure(I))
    theta = Theta<coeff::kRegion2cTPH>(pi + 25.0, eta - 1.8);
  else
    theta = Theta<coeff::kRegion2bTPH>(pi - 2.0, eta - 2.6);
  return theta - kKelvin;
}

double Temperature2FromPS(double P, double S) {
  const double pi = P / kPressureStar;
  double theta;
  if (P < kRegion2abPressure) {
    const double sigma = S / kRegion2aEntropyStar;
    const double quarter = std::sqrt(std::sqrt(pi));  // π^(1/4), once per call
    theta = Theta<kRegion2aTPSQuarters>(quarter, sigma - 2.0);
  } else if (S <= kRegion2bcEntropy) {
    const double sigma = S / kRegion2cEntropyStar;
    theta = Theta<coeff::kRegion2cTPS>(pi, 2.0 - sigma);
  } else {
    const double sigma = S / kRegion2bEntropyStar;
    theta = Theta<coeff::kRegion2bTPS>(pi, 10.0 - sigma);
  }
  return theta - kKelvin;
}

}  // namespace if97
