#include "props/forward.h"

#include <cmath>
#include <iterator>

#include "props/coefficients_forward.h"
#include "props/coefficients_sum.h"

namespace if97 {

namespace {

using coeff::Powers;
using coeff::SumAt;

// The tables are used complete: as many terms as the standard publishes.
static_assert(std::size(coeff::kRegion1Gibbs) == 34);
static_assert(std::size(coeff::kRegion2Ideal) == 9);
static_assert(std::size(coeff::kRegion2Residual) == 43);
static_assert(std::size(coeff::kMetaResidual) == 13);

// Region 1: γ = Σ n a^I b^J with a = 7.1 − π, b = τ − 1.222. Since ∂a/∂π = −1,
// γ_π = −Σ (n·I) a^(I−1) b^J; γ_τ = Σ (n·J) a^I b^(J−1).
constexpr auto& kG1 = coeff::kRegion1Gibbs;
constexpr auto kG1A = coeff::DerivativeX<coeff::kRegion1Gibbs>();
constexpr auto kG1B = coeff::DerivativeY<coeff::kRegion1Gibbs>();

// Region 2 and metastable vapour: γʳ = Σ n π^I b^J with b = τ − 0.5;
// γʳ_π = Σ (n·I) π^(I−1) b^J, γʳ_τ = Σ (n·J) π^I b^(J−1).
constexpr auto& kG2 = coeff::kRegion2Residual;
constexpr auto kG2Pi = coeff::DerivativeX<coeff::kRegion2Residual>();
constexpr auto kG2Tau = coeff::DerivativeY<coeff::kRegion2Residual>();
constexpr auto& kGm = coeff::kMetaResidual;
constexpr auto kGmPi = coeff::DerivativeX<coeff::kMetaResidual>();
constexpr auto kGmTau = coeff::DerivativeY<coeff::kMetaResidual>();

// Ideal-gas parts: γ⁰ = ln π + Σ n τ^J, γ⁰_τ = Σ (n·J) τ^(J−1). The metastable
// equation uses Table 10 with its first two coefficients replaced.
constexpr auto kIdeal2 = coeff::AsTerms<coeff::kRegion2Ideal>();
consteval auto MetaIdeal() {
  auto t = coeff::AsTerms<coeff::kRegion2Ideal>();
  t[0].n = coeff::kMetaIdealN1;
  t[1].n = coeff::kMetaIdealN2;
  return t;
}
constexpr auto kIdealM = MetaIdeal();
constexpr auto kIdeal2Tau = coeff::DerivativeY<kIdeal2>();
constexpr auto kIdealMTau = coeff::DerivativeY<kIdealM>();

// The ideal-gas sums have no pressure exponent: their x^0 is 1 and no power of
// x is formed.
template <const auto& Ideal>
double IdealSum(double tau) {
  using B = coeff::Basis<Ideal>;
  return coeff::Sum<Ideal>(Powers<B::x>(1.0), Powers<B::y>(tau));
}

// Region 2 / metastable: v, h, s from the residual tables R (γʳ), RPi (γʳ_π),
// RTau (γʳ_τ) and the ideal tables Id (γ⁰), IdTau (γ⁰_τ).
template <const auto& RPi>
double Volume2(double T, double P) {
  const double tk = T + kKelvin;
  const double pi = P / kRegion2Pressure;
  const double tau = kRegion2Temperature / tk;
  const double gPi = SumAt<RPi>(pi, tau - kRegion2TauShift);
  return kRVolume * tk * (1.0 / pi + gPi) / kRegion2Pressure;
}

template <const auto& RTau, const auto& IdTau>
double Enthalpy2(double T, double P) {
  const double tk = T + kKelvin;
  const double pi = P / kRegion2Pressure;
  const double tau = kRegion2Temperature / tk;
  const double g = IdealSum<IdTau>(tau) + SumAt<RTau>(pi, tau - kRegion2TauShift);
  return kR * tk * tau * g;
}

template <const auto& R, const auto& RTau, const auto& Id, const auto& IdTau>
double Entropy2(double T, double P) {
  const double tk = T + kKelvin;
  const double pi = P / kRegion2Pressure;
  const double tau = kRegion2Temperature / tk;
  using Residual = coeff::Basis<R, RTau>;
  const Powers<Residual::x> px(pi);
  const Powers<Residual::y> pb(tau - kRegion2TauShift);
  const double gr = coeff::Sum<R>(px, pb);
  const double grTau = coeff::Sum<RTau>(px, pb);
  using Ideal = coeff::Basis<Id, IdTau>;
  const Powers<Ideal::x> none(1.0);
  const Powers<Ideal::y> pt(tau);
  const double g0 = std::log(pi) + coeff::Sum<Id>(none, pt);
  const double g0Tau = coeff::Sum<IdTau>(none, pt);
  const double h = kR * tk * tau * (g0Tau + grTau);
  return h / tk - kR * (g0 + gr);
}

}  // namespace

double Region1V(double T, double P) {
  const double tk = T + kKelvin;
  const double pi = P / kRegion1Pressure;
  const double tau = kRegion1Temperature / tk;
  const double gPi = -SumAt<kG1A>(kRegion1PiShift - pi, tau - kRegion1TauShift);
  return kRVolume * tk * gPi / kRegion1Pressure;
}

double Region1I(double T, double P) {
  const double tk = T + kKelvin;
  const double pi = P / kRegion1Pressure;
  const double tau = kRegion1Temperature / tk;
  const double gTau = SumAt<kG1B>(kRegion1PiShift - pi, tau - kRegion1TauShift);
  return kR * tk * tau * gTau;
}

double Region1S(double T, double P) {
  const double tk = T + kKelvin;
  const double pi = P / kRegion1Pressure;
  const double tau = kRegion1Temperature / tk;
  using B = coeff::Basis<kG1, kG1B>;
  const Powers<B::x> pa(kRegion1PiShift - pi);
  const Powers<B::y> pb(tau - kRegion1TauShift);
  const double g = coeff::Sum<kG1>(pa, pb);
  const double gTau = coeff::Sum<kG1B>(pa, pb);
  return kR * (tau * gTau - g);
}

double Region2V(double T, double P) { return Volume2<kG2Pi>(T, P); }
double Region2I(double T, double P) { return Enthalpy2<kG2Tau, kIdeal2Tau>(T, P); }
double Region2S(double T, double P) { return Entropy2<kG2, kG2Tau, kIdeal2, kIdeal2Tau>(T, P); }

double MetaV(double T, double P) { return Volume2<kGmPi>(T, P); }
double MetaI(double T, double P) { return Enthalpy2<kGmTau, kIdealMTau>(T, P); }
double MetaS(double T, double P) { return Entropy2<kGm, kGmTau, kIdealM, kIdealMTau>(T, P); }

}  // namespace if97
