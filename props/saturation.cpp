// The saturation line, the B23 boundary, the near-critical saturated volumes and the
// auxiliary lines of the supported range.
#include "props/saturation.h"

#include <cmath>

#include "numerics/polynomial.h"
#include "numerics/roots.h"
#include "props/forward.h"

namespace if97 {

using numerics::Horner;
using numerics::Pair;
using numerics::RefineRoot;
using numerics::StepBracket;
using numerics::ValueTolerance;
namespace {


// IAPWS-IF97 Table 34, saturation equations (Eqs. 30, 31); pressure in MPa, T in K.
// n6, n7, n8 are stored doubled (K′ = 2K of the standard's third auxiliary), so that
// the pressure equation reads ps = [K′/(−B + √(B² − 2·A·K′))]⁴.
constexpr double kSatN1 = 1167.0521452767;
constexpr double kSatN2 = -724213.16703206;
constexpr double kSatN3 = -17.073846940092;
constexpr double kSatN4 = 12020.82470247;
constexpr double kSatN5 = -3232555.0322333;
constexpr double kSatN6 = 14.91510861353;
constexpr double kSatN7 = -4823.2657361591;
constexpr double kSatN8 = 405113.40542057;
constexpr double kSatN9 = -0.23855557567849;
constexpr double kSatN10 = 650.17534844798;
constexpr double kSatN6x2 = 29.83021722706;
constexpr double kSatN7x2 = -9646.5314723182;
constexpr double kSatN8x2 = 810226.81084114;
// Saturation temperature: Ts = X − √(X² − 2·n10·X + n10² − n9) with X = (n10 + D)/2.
constexpr double kSatTwoN10 = 1300.35069689596;
constexpr double kSatN10SquaredMinusN9 = 422728.2222850279;

// IAPWS-IF97 Table 1, B23 boundary (Eqs. 5, 6); pressure in MPa, T in K. 1/n3 stored.
constexpr double kB23N1 = 348.05185628969;
constexpr double kB23N2 = -1.1671859879975;
constexpr double kB23N3 = 0.0010192970039326;
constexpr double kB23N4 = 572.54459862746;
constexpr double kB23N5 = 13.91883977887;
constexpr double kB23InvN3 = 981.06832075625;

// Fit of the volume on the 100 MPa isobar in w = T/Tc − 1 (region 3, 350 … 590 °C).
constexpr double kVolume100MPaFit[] = {-0.559036485, 0.5408957896, 1.119272251, 2.014160696,
                                       4.250189433,  26.8985681,   -184.6814837, 221.3838672};

}  // namespace

double SatPressure(double T) {
  const double t = T + kKelvin;
  const double theta = t + kSatN9 / (t - kSatN10);
  const double A = (theta + kSatN1) * theta + kSatN2;
  const double B = (kSatN3 * theta + kSatN4) * theta + kSatN5;
  const double K2 = (kSatN6x2 * theta + kSatN7x2) * theta + kSatN8x2;
  const double x = K2 / (-B + std::sqrt(B * B - 2 * A * K2));
  const double x2 = x * x;
  return x2 * x2;
}

double SatPressureSlope(double T) {
  constexpr double h = 1e-3;  // K
  return (SatPressure(T + h) - SatPressure(T - h)) / (2 * h);
}

double SatTemperature(double P) {
  const double beta = std::sqrt(std::sqrt(P));
  const double E = (beta + kSatN3) * beta + kSatN6;
  const double F = (kSatN1 * beta + kSatN4) * beta + kSatN7;
  const double G = (kSatN2 * beta + kSatN5) * beta + kSatN8;
  const double D = 2 * G / (-F - std::sqrt(F * F - 4 * E * G));
  const double X = (kSatN10 + D) / 2;
  return X - std::sqrt((X - kSatTwoN10) * X + kSatN10SquaredMinusN9) - kKelvin;
}

double B23Pressure(double T) {
  const double t = T + kKelvin;
  return (kB23N3 * t + kB23N2) * t + kB23N1;
}

double B23Temperature(double P) { return kB23N4 + std::sqrt((P - kB23N5) * kB23InvN3) - kKelvin; }

double B23TemperatureFromVolume(double V) {
  // Volumes beyond the two ends give the end (the refinement alone would extrapolate).
  if (V >= kSatVapourVolume350) return kT350;
  if (V <= kB23Volume590) return kT590;
  const auto f = [](double T) { return Region2V(T, B23Pressure(T)); };
  return RefineRoot({kT350, kT590}, {kSatVapourVolume350, kB23Volume590}, f, V, ValueTolerance(V, 0.001, 0));
}

double Volume100MPa(double T) {
  const double w = (T + kKelvin) / kCriticalTemperatureK - 1;
  return kCriticalVolume * 0.99998 * (1 + Horner(kVolume100MPaFit, w));
}

double Temperature100MPaFromVolume(double V) {
  // Region 2 meets the 100 MPa isobar at 590 °C (the top of B23); the isobar of
  // region 2 is inverted directly, its volume rising with T.
  const double w = V / kCriticalVolume;
  const double T0 = kCriticalTemperatureK * (0.6755839 + 0.8614289 * w - 0.08579436 * w * w * w) - kKelvin;
  const auto f = [](double T) { return Region2V(T, kPmax); };
  Pair X{}, F{};
  StepBracket({kT590, kTmax}, X, F, f, +1, 0.5, T0, V);
  return RefineRoot(X, F, f, V, ValueTolerance(V, 0.001, 0));
}

double Pressure800CFromVolume(double V) {
  const double w = V / kCriticalVolume;
  const double p0 = kCriticalPressure * (6.578908337 + 2.547344236e-05 * w - 1.434308363e-10 * w * w) / w;
  const auto f = [](double p) { return Region2V(kTmax, p); };
  Pair X{}, F{};
  StepBracket({0.0001086, kPmax}, X, F, f, -1, 0.5, p0, V);
  return RefineRoot(X, F, f, V, ValueTolerance(V, 0.001, 0));
}

double MetastableLimitTemperature(double P) {
  const double y = std::sqrt(std::sqrt(P / kCriticalPressure));
  const double dT = (((10.172 * y + 0.6516) * y + 1.0764) * y - 80.847) * y + 68.936;
  return SatTemperature(P) - dT;
}

}  // namespace if97
