// The saturation line, the B23 boundary, the near-critical saturated volumes and the
// auxiliary lines of the supported range.
#include "props/saturation.h"

#include <cmath>

#include "numerics/roots.h"
#include "props/forward.h"
#include "props/region3.h"

namespace if97 {
namespace {

constexpr double kKelvinOffset = 273.15;

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

// Polynomial c[0] + c[1]·x + … in Horner form.
template <int N>
constexpr double Horner(const double (&c)[N], double x) {
  double r = c[N - 1];
  for (int k = N - 2; k >= 0; --k) r = r * x + c[k];
  return r;
}

// Start-value fit of the saturation temperature from ln(V/vc), below and above the
// vapour volume at 350 °C: T₀ = Tc·(1 + Σ aₖ·yᵏ).
constexpr double kSatTempFitNear[] = {0,          -0.001227276156, -0.01274337124, -0.04236021716,
                                      0.001443005239, 0.03672515953, -0.01766661587};
constexpr double kSatTempFitFar[] = {0,
                                     0.01628862097,
                                     -0.06962192241,
                                     0.0202628874,
                                     -0.002570341514,
                                     5.271888287e-05,
                                     2.747197412e-05,
                                     -3.694169198e-06,
                                     2.004021694e-07,
                                     -4.154611028e-09};

// Fit of the volume on the 100 MPa isobar in w = T/Tc − 1 (region 3, 350 … 590 °C).
constexpr double kVolume100MPaFit[] = {-0.559036485, 0.5408957896, 1.119272251, 2.014160696,
                                       4.250189433,  26.8985681,   -184.6814837, 221.3838672};

// x, or 0 when x is negative; NaN stays NaN.
double NotBelowZero(double x) { return x < 0 ? 0 : x; }

// Pressure3 as a function of the volume on a fixed isotherm.
double PressureOnIsotherm(double v, double T) { return Pressure3(T, v); }

// Pressure tolerance of the saturated-volume refinement. Inside the dome the region-3
// isotherm has a loop (below p, then above p, between the outer roots v′ and v″)
// whose depth is about 14·τ^1.5·p. Within about 0.05 K of Tc that depth is less than
// the ordinary tolerance 1e-5·p, and a point anywhere in the loop would pass it.
// Within kShallowLoopBand of Tc (where the depth is below ten times the ordinary
// tolerance) the tolerance is 1e-4·τ^1.5·p instead, a small fraction of the depth, so
// the results stay on the outer roots and are accurate to about 1e-7. At and above
// Tc (τ <= 0) the tolerance is 0 and the refinement ends by its width test.
constexpr double kShallowLoopBand = 0.25;  // K

double SaturatedVolumeTolerance(double T, double P) {
  const double tol = ValueTolerance(P, 0.001, 0);
  if (!(T > kCriticalTemperatureC - kShallowLoopBand)) return tol;
  const double tau = 1 - (T + kKelvinOffset) / kCriticalTemperatureK;
  if (!(tau > 0)) return 0;
  const double loopTol = 1e-4 * tau * std::sqrt(tau) * P;
  return loopTol < tol ? loopTol : tol;
}

double SaturatedVolume3(double T, double P, double v0, double lo, double hi) {
  Pair X{}, F{};
  StepBracketA({lo, hi}, X, F, PressureOnIsotherm, T, -1, 0.1, v0, P);
  return RefineRootA(X, F, PressureOnIsotherm, T, P, SaturatedVolumeTolerance(T, P));
}

}  // namespace

double SatPressure(double T) {
  const double t = T + kKelvinOffset;
  const double theta = t + kSatN9 / (t - kSatN10);
  const double A = (theta + kSatN1) * theta + kSatN2;
  const double B = (kSatN3 * theta + kSatN4) * theta + kSatN5;
  const double K2 = (kSatN6x2 * theta + kSatN7x2) * theta + kSatN8x2;
  const double x = K2 / (-B + std::sqrt(B * B - 2 * A * K2));
  const double x2 = x * x;
  return x2 * x2;
}

double SatTemperature(double P) {
  const double beta = std::sqrt(std::sqrt(P));
  const double E = (beta + kSatN3) * beta + kSatN6;
  const double F = (kSatN1 * beta + kSatN4) * beta + kSatN7;
  const double G = (kSatN2 * beta + kSatN5) * beta + kSatN8;
  const double D = 2 * G / (-F - std::sqrt(F * F - 4 * E * G));
  const double X = (kSatN10 + D) / 2;
  return X - std::sqrt((X - kSatTwoN10) * X + kSatN10SquaredMinusN9) - kKelvinOffset;
}

double B23Pressure(double T) {
  const double t = T + kKelvinOffset;
  return (kB23N3 * t + kB23N2) * t + kB23N1;
}

double B23Temperature(double P) { return kB23N4 + std::sqrt((P - kB23N5) * kB23InvN3) - kKelvinOffset; }

double SatLiquidVolume3(double T, double P) {
  // τ is kept at 0 or above, so that T at or above Tc starts from vc.
  const double tau = NotBelowZero(1 - (T + kKelvinOffset) / kCriticalTemperatureK);
  double v0;
  if (T < 373.85) {
    v0 = kCriticalVolume * (1 - 1.6008606246 * std::pow(tau, 0.115) + 0.76095560927 * std::pow(tau, 0.045));
  } else {
    // v′ approaches vc as √τ. The start must lie on the liquid branch, below the
    // liquid spinodal (about vc·(1 − 4.2·√τ)), or the walk turns at the loop and
    // ends on vc; v′ itself lies at vc·(1 − c·√τ) with c = 6.5 … 9.5 over this band.
    // The straight line vc·(1 + 531.4021372098338·(θ − 1)) through v′(373.85 °C)
    // and vc lies past the spinodal above about 373.91 °C, so it is not used.
    v0 = kCriticalVolume * (1 - 7.0 * std::sqrt(tau));
  }
  return SaturatedVolume3(T, P, v0, kSatLiquidVolume350, kCriticalVolume);
}

double SatVapourVolume3(double T, double P) {
  const double tau = NotBelowZero(1 - (T + kKelvinOffset) / kCriticalTemperatureK);
  const double v0 = kCriticalVolume * (1 + 73.712943584 * std::pow(tau, 1.445) + 5.1049649787 * std::pow(tau, 0.4385));
  return SaturatedVolume3(T, P, v0, kCriticalVolume, kSatVapourVolume350);
}

double SatVapourVolume(double T) {
  const double p = SatPressure(T);
  return T <= 350.0 ? Region2V(T, p) : SatVapourVolume3(T, p);
}

double SatTemperatureFromVapourVolumeStart(double V) {
  if (!(V >= kCriticalVolume && V <= kSatVapourVolume0)) return 0;  // also NaN
  const double y = std::log(V / kCriticalVolume);
  const double sum = V < kSatVapourVolume350 ? Horner(kSatTempFitNear, y) : Horner(kSatTempFitFar, y);
  return kCriticalTemperatureK * (1 + sum) - kKelvinOffset;
}

double SatTemperatureFromVapourVolume(double V) {
  const bool near = V < kSatVapourVolume350;
  // Below vc no saturated vapour has the volume; v″ tends to vc at the critical
  // point, so the search starts (and stays) there instead of at 0 °C, which the
  // bracket would have turned into 350 °C, the far end of the band.
  const double T0 = V < kCriticalVolume ? kCriticalTemperatureC : SatTemperatureFromVapourVolumeStart(V);
  const Pair bounds = near ? Pair{350.0, kCriticalTemperatureC} : Pair{0.0, 350.0};
  // v″ falls as T rises. The step is 0.015 % of T₀ in °C but never below 0.01 K: near
  // 0 °C a percentage of the Celsius value would shrink to nothing.
  const double minStep = 0.01;
  double stepPercent = 0.015;
  if (std::fabs(T0) * stepPercent / 100 < minStep && T0 != 0) stepPercent = minStep * 100 / std::fabs(T0);
  Pair X{}, F{};
  StepBracket(bounds, X, F, SatVapourVolume, -1, stepPercent, T0, V);
  return RefineRoot(X, F, SatVapourVolume, V, ValueTolerance(V, 0.001, 0));
}

double B23TemperatureFromVolume(double V) {
  // Volumes beyond the two ends give the end (the refinement alone would extrapolate).
  if (V >= kSatVapourVolume350) return 350.0;
  if (V <= kB23Volume590) return 590.0;
  const auto f = [](double T) { return Region2V(T, B23Pressure(T)); };
  return RefineRoot({350.0, 590.0}, {kSatVapourVolume350, kB23Volume590}, f, V, ValueTolerance(V, 0.001, 0));
}

double Volume100MPa(double T) {
  const double w = (T + kKelvinOffset) / kCriticalTemperatureK - 1;
  return kCriticalVolume * 0.99998 * (1 + Horner(kVolume100MPaFit, w));
}

double Temperature100MPaFromVolume(double V) {
  // Region 2 meets the 100 MPa isobar at 590 °C (the top of B23); the isobar of
  // region 2 is inverted directly, its volume rising with T.
  const double w = V / kCriticalVolume;
  const double T0 = kCriticalTemperatureK * (0.6755839 + 0.8614289 * w - 0.08579436 * w * w * w) - kKelvinOffset;
  const auto f = [](double T) { return Region2V(T, 100.0); };
  Pair X{}, F{};
  StepBracket({590.0, 800.0}, X, F, f, +1, 0.5, T0, V);
  return RefineRoot(X, F, f, V, ValueTolerance(V, 0.001, 0));
}

double Pressure800CFromVolume(double V) {
  const double w = V / kCriticalVolume;
  const double p0 = kCriticalPressure * (6.578908337 + 2.547344236e-05 * w - 1.434308363e-10 * w * w) / w;
  const auto f = [](double p) { return Region2V(800.0, p); };
  Pair X{}, F{};
  StepBracket({0.0001086, 100.0}, X, F, f, -1, 0.5, p0, V);
  return RefineRoot(X, F, f, V, ValueTolerance(V, 0.001, 0));
}

double MetastableLimitTemperature(double P) {
  const double y = std::sqrt(std::sqrt(P / kCriticalPressure));
  const double dT = (((10.172 * y + 0.6516) * y + 1.0764) * y - 80.847) * y + 68.936;
  return SatTemperature(P) - dT;
}

}  // namespace if97
