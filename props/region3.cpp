// Region 3 of IAPWS-IF97: the Helmholtz-energy equation, its inversions and the
// region-3 evaluator.
#include "props/region3.h"

#include <cmath>
#include <cstdint>
#include <iterator>

#include "numerics/newton.h"
#include "numerics/polynomial.h"
#include "numerics/roots.h"
#include "props/evaluators.h"
#include "props/saturation.h"
#include "props/state.h"

namespace if97 {

using numerics::DoublePolynomial;
using numerics::Newton2D;
using numerics::NewtonRootA;
using numerics::Pair;
using numerics::PolishRootA;
using numerics::RefineRootA;
using numerics::StepBracketOpenA;
using numerics::ValueTolerance;
namespace {


struct Term3 {
  int I, J;
  double n;
};

// IAPWS-IF97 Table 30, terms 2 … 40 of the dimensionless Helmholtz energy
// φ(δ, τ) = n1·ln δ + Σ ni·δ^Ii·τ^Ji, δ = ρ/322 kg/m3, τ = 647.096 K/T.
constexpr double kN1 = 1.0658070028513;
constexpr Term3 kHelmholtz3[] = {
    {0, 0, -15.732845290239},      {0, 1, 20.944396974307},       {0, 2, -7.6867707878716},
    {0, 7, 2.6185947787954},       {0, 10, -2.808078114862},      {0, 12, 1.2053369696517},
    {0, 23, -0.0084566812812502},  {1, 2, -1.2654315477714},      {1, 6, -1.1524407806681},
    {1, 15, 0.88521043984318},     {1, 17, -0.64207765181607},    {2, 0, 0.38493460186671},
    {2, 2, -0.85214708824206},     {2, 6, 4.8972281541877},       {2, 7, -3.0502617256965},
    {2, 22, 0.039420536879154},    {2, 26, 0.12558408424308},     {3, 0, -0.2799932969871},
    {3, 2, 1.389979956946},        {3, 4, -2.018991502357},       {3, 16, -0.0082147637173963},
    {3, 26, -0.47596035734923},    {4, 0, 0.0439840744735},       {4, 2, -0.44476435428739},
    {4, 4, 0.90572070719733},      {4, 26, 0.70522450087967},     {5, 1, 0.10770512626332},
    {5, 3, -0.32913623258954},     {5, 26, -0.50871062041158},    {6, 0, -0.022175400873096},
    {6, 2, 0.094260751665092},     {6, 26, 0.16436278447961},     {7, 2, -0.013503372241348},
    {8, 26, -0.014834345352472},   {9, 2, 0.00057922953628084},   {9, 26, 0.0032308904703711},
    {10, 0, 8.0964802996215e-05},  {10, 1, -0.00016557679795037}, {11, 26, -4.4923899061815e-05},
};
constexpr int kMaxI = 11;
constexpr int kMaxJ = 26;

// Integer powers x^0 … x^N, each built from two lower powers (short dependency chains).
template <int N>
struct Powers {
  double p[N + 1];
  explicit Powers(double x) {
    p[0] = 1;
    p[1] = x;
    for (int k = 2; k <= N; ++k) p[k] = p[k / 2] * p[k - k / 2];
  }
  double operator[](int k) const { return p[k]; }
};

// The residual sums with their δ- and τ-derivatives, each multiplied back by δ or τ
// (δ·φδ and τ·φτ), so that no term needs a negative power.
struct Helmholtz3 {
  double phi = 0, dphi = 0, tphi = 0;  // φ, δ·φδ, τ·φτ
};

struct Reduced3 {
  double delta, tau, TK, rho;
};

Reduced3 Reduce(double T, double V) {
  const double rho = 1.0 / V;
  const double TK = T + kKelvin;
  return {rho / kCriticalDensity, kCriticalTemperatureK / TK, TK, rho};
}

// The terms are summed in interleaved partial sums (lanes) that are added at the
// end: with one running sum every addition would wait for the one before it.
constexpr int kTermCount = static_cast<int>(std::size(kHelmholtz3));

// The pressure sums leave out the leading terms with I = 0, which δ·φδ multiplies
// by 0.
constexpr int FirstTermWithDelta() {
  int k = 0;
  while (kHelmholtz3[k].I == 0) ++k;
  return k;
}
constexpr int kFirstDeltaTerm = FirstTermWithDelta();

// δ·φδ only (the pressure), in four lanes.
double DeltaPhiDelta(double delta, double tau) {
  const Powers<kMaxI> d(delta);
  const Powers<kMaxJ> t(tau);
  double lane[4] = {kN1, 0, 0, 0};
#pragma GCC unroll 40
  for (int k = kFirstDeltaTerm; k < kTermCount; ++k) {
    const Term3& c = kHelmholtz3[k];
    lane[(k - kFirstDeltaTerm) % 4] += c.n * c.I * d[c.I] * t[c.J];
  }
  return (lane[0] + lane[1]) + (lane[2] + lane[3]);
}

// The sums of Helmholtz3 and, with kSecond, the second-order ones: δ²·φδδ without
// the log term's −n1, τ²·φττ and δ·τ·φδτ. Both variants add the first three in the
// same lanes and order, so that φ, δ·φδ and τ·φτ agree bitwise between them.
struct Helmholtz3Full : Helmholtz3 {
  double ddphi = 0, ttphi = 0, dtphi = 0;
};

template <bool kSecond>
Helmholtz3Full SumTerms(double delta, double tau) {
  const Powers<kMaxI> d(delta);
  const Powers<kMaxJ> t(tau);
  double phi[2] = {0, 0}, dphi[2] = {kN1, 0}, tphi[2] = {0, 0};
  double dd[2] = {0, 0}, tt[2] = {0, 0}, dt[2] = {0, 0};
#pragma GCC unroll 40
  for (int k = 0; k < kTermCount; ++k) {
    const Term3& c = kHelmholtz3[k];
    const double term = c.n * d[c.I] * t[c.J];
    const int l = k % 2;
    dphi[l] += c.I * term;
    tphi[l] += c.J * term;
    phi[l] += term;
    if constexpr (kSecond) {
      dd[l] += c.I * (c.I - 1) * term;
      tt[l] += c.J * (c.J - 1) * term;
      dt[l] += c.I * c.J * term;
    }
  }
  Helmholtz3Full r;
  r.phi = phi[0] + phi[1];
  r.dphi = dphi[0] + dphi[1];
  r.tphi = tphi[0] + tphi[1];
  r.ddphi = dd[0] + dd[1];
  r.ttphi = tt[0] + tt[1];
  r.dtphi = dt[0] + dt[1];
  return r;
}

Helmholtz3 Evaluate(double delta, double tau, bool withPhi) {
  Helmholtz3 r = SumTerms<false>(delta, tau);
  if (withPhi) r.phi += kN1 * std::log(delta);
  return r;
}

Helmholtz3Full EvaluateFull(double delta, double tau) {
  Helmholtz3Full r = SumTerms<true>(delta, tau);
  r.phi += kN1 * std::log(delta);
  return r;
}

// kN1 + Σ n·I·δ^I·τ^J as DeltaPhiDelta (bitwise: the same four lanes), with the
// moments Σ n·I²·… and, with kThird, Σ n·I³·… of the same terms.
struct PressureSums {
  double d1, i2, i3;
};

template <bool kThird>
PressureSums EvaluatePressureSums(double delta, double tau) {
  const Powers<kMaxI> d(delta);
  const Powers<kMaxJ> t(tau);
  double d1[4] = {kN1, 0, 0, 0}, i2[4] = {0, 0, 0, 0}, i3[4] = {0, 0, 0, 0};
#pragma GCC unroll 40
  for (int k = kFirstDeltaTerm; k < kTermCount; ++k) {
    const Term3& c = kHelmholtz3[k];
    const double term = c.n * c.I * d[c.I] * t[c.J];
    const int l = (k - kFirstDeltaTerm) % 4;
    d1[l] += term;
    i2[l] += c.I * term;
    if constexpr (kThird) i3[l] += c.I * c.I * term;
  }
  return {(d1[0] + d1[1]) + (d1[2] + d1[3]), (i2[0] + i2[1]) + (i2[2] + i2[3]), (i3[0] + i3[1]) + (i3[2] + i3[3])};
}

}  // namespace

double Pressure3(double T, double V) {
  const Reduced3 x = Reduce(T, V);
  return x.rho * kR * x.TK * DeltaPhiDelta(x.delta, x.tau) / 1000.0;
}

double Entropy3(double T, double V) {
  const Reduced3 x = Reduce(T, V);
  const Helmholtz3 h = Evaluate(x.delta, x.tau, true);
  return kR * (h.tphi - h.phi);
}

double Enthalpy3(double T, double V) {
  const Reduced3 x = Reduce(T, V);
  const Helmholtz3 h = Evaluate(x.delta, x.tau, false);
  return kR * x.TK * (h.tphi + h.dphi);
}


Region3Point Region3At(double T, double V) {
  const Reduced3 x = Reduce(T, V);
  const Helmholtz3Full f = EvaluateFull(x.delta, x.tau);
  Region3Point r;
  r.p = x.rho * kR * x.TK * f.dphi / 1000.0;
  r.s = kR * (f.tphi - f.phi);
  r.h = kR * x.TK * (f.tphi + f.dphi);
  // (∂p/∂v)_T = −ρ²·R·T·(2·δφδ + δ²φδδ); the log term contributes −n1 to δ²φδδ.
  r.dpdv = -x.rho * x.rho * kR * x.TK * (2 * f.dphi + f.ddphi - kN1) / 1000.0;
  // (∂p/∂T)_v = ρ·R·(δφδ − δτφδτ).
  r.dpdT = x.rho * kR * (f.dphi - f.dtphi) / 1000.0;
  // cv = −R·τ²φττ; (∂s/∂v)_T = (∂p/∂T)_v (Maxwell), in kJ with p in kPa.
  r.dsdT = -kR * f.ttphi / x.TK;
  r.dsdv = 1000.0 * r.dpdT;
  r.dhdT = -kR * f.ttphi + 1000.0 * V * r.dpdT;
  r.dhdv = 1000.0 * (x.TK * r.dpdT + V * r.dpdv);
  return r;
}

double Pressure3WithSlope(double T, double V, double& dPdV) {
  const Reduced3 x = Reduce(T, V);
  const PressureSums s = EvaluatePressureSums<false>(x.delta, x.tau);
  // (∂p/∂v)_T = −ρ²·R·T·(δφδ + δ·∂(δφδ)/∂δ).
  dPdV = -x.rho * x.rho * kR * x.TK * (s.d1 + s.i2) / 1000.0;
  return x.rho * kR * x.TK * s.d1 / 1000.0;
}

double Pressure3Slope(double T, double V, double& dSlopedV) {
  const Reduced3 x = Reduce(T, V);
  const PressureSums s = EvaluatePressureSums<true>(x.delta, x.tau);
  const double e = s.d1 + s.i2;  // δφδ + δ·∂(δφδ)/∂δ
  const double rt = kR * x.TK / 1000.0;
  const double rho2 = x.rho * x.rho;
  dSlopedV = rt * rho2 * x.rho * (2 * e + s.i2 + s.i3);
  return -rt * rho2 * e;
}

void EntropyEnthalpy3(double T, double V, double& S, double& H) {
  const Reduced3 x = Reduce(T, V);
  const Helmholtz3 h = Evaluate(x.delta, x.tau, true);
  S = kR * (h.tphi - h.phi);
  H = kR * x.TK * (h.tphi + h.dphi);
}

void EntropyEnthalpy3(double T, double V, bool WantS, bool WantH, double& S, double& H) {
  if (WantS && WantH) {
    EntropyEnthalpy3(T, V, S, H);
  } else if (WantS) {
    S = Entropy3(T, V);
  } else if (WantH) {
    H = Enthalpy3(T, V);
  }
}

// ---------------------------------------------------------------------------
// Inversions. Each starts from a fitted estimate in reduced variables and then
// converges on the equation.

namespace {

// Reduced scales of the start-value fits: pc·vc/Tc for entropy, pc·vc for enthalpy.
constexpr double kEntropyScale = 0.10589114927373185;  // kJ/(kg K)
constexpr double kEntropyShift = 41.665336868663786;
constexpr double kEnthalpyScale = 68.52173913043478;  // kJ/kg

// Volume from (T, p) above Tc or at p <= ps(T): rows (θ − 1)^i, columns (1 − 1/π)^k.
constexpr double kFitVolumeTP[4][5] = {
    {0.351485, -6.460407, 8.647826, 9.958905, -15.92886},
    {29.05673, 10.54038, -192.9963, 0.8623962, 218.8565},
    {-105.3758, -5.603823, 1080.157, -642.4654, -663.8722},
    {152.9196, -55.30542, -1728.594, 1617.611, 494.8649},
};
// Volume from (T, p) below Tc at p > ps(T) (liquid side): rows (1 − 1/π)^i, columns (θ − 1)^k.
constexpr double kFitVolumeTPLiquid[2][2] = {
    {-0.3102907, 5.071092},
    {-0.3559181, -6.998232},
};
// Above Tc the fit is not used below this value of F (v₀ >= 0.44·vc).
constexpr double kFitVolumeTPMin = -0.56;
// Volume from (T, s): rows (θ − 1)^i, columns σ^k.
constexpr double kFitVolumeTS[4][4] = {
    {-0.02104005, 0.120554, 0.008147446, 0.0002034388},
    {-3.52855, -0.5410377, -0.02855841, -0.0007681592},
    {8.205993, 0.8144226, 0.1517771, 0.005411899},
    {-3.760455, 0.2722668, -0.7584692, 0.03697652},
};
// (p, s): volume and temperature, rows (1 − 1/π)^i, columns σ′^k.
constexpr double kFitVolumePS[3][5] = {
    {-10.82731, 1.486135, -0.0709944, 0.00136798, -8.892051e-06},
    {0.6852489, -0.9193532, 0.0638795, -0.001469114, 1.077792e-05},
    {13.55375, -1.084604, 0.03030528, -0.000335892, 1.096353e-06},
};
constexpr double kFitTemperaturePS[4][3] = {
    {-0.8175683, 0.03589088, -0.0003864563},
    {-1.968925, 0.08749178, -0.0008926847},
    {6.227182, -0.3090515, 0.003769431},
    {-4.502112, 0.2173087, -0.002456317},
};
// (p, h): volume and temperature, rows (1 − 1/π)^i, columns η^k.
constexpr double kFitVolumePI[3][5] = {
    {-6.537312, 1.081862, -0.06867058, 0.001803082, -1.587778e-05},
    {1.851681, -0.7138785, 0.06004431, -0.001816422, 1.730694e-05},
    {6.016168, -0.7181647, 0.03015495, -0.0005321911, 3.44907e-06},
};
constexpr double kFitTemperaturePI[5][4] = {
    {-2.698124, 0.2555576, -0.008052425, 8.446704e-05},
    {1.651047, -0.1900948, 0.006985103, -7.891391e-05},
    {3.536796, -0.3654731, 0.01234181, -0.0001343598},
    {-2.885876, 0.3262964, -0.01204872, 0.0001453465},
    {-0.5957458, 0.03406438, -0.0003078655, -4.191804e-06},
};

double ReducedTemperature(double T) { return (T + kKelvin) / kCriticalTemperatureK; }
double PressureVariable(double P) { return 1 - kCriticalPressure / P; }  // 1 − 1/π

// The region-3 functions with the volume varied first and T held fixed.
double PressureOfVolume(double v, double T) { return Pressure3(T, v); }
double EntropyOfVolume(double v, double T) { return Entropy3(T, v); }

// A property of the equation on the isochore v, with its slope in T: the target
// function of the temperature inversions.
template <double Region3Point::*Y, double Region3Point::*DYDT>
double OnIsochore(double t, double v, double& slope) {
  const Region3Point r = Region3At(t, v);
  slope = r.*DYDT;
  return r.*Y;
}

// Newton percentage: the difference steps are 2e-4 of the start values, the
// results must agree with their targets to a relative 1e-4·target.
constexpr double kNewtonPercent = 0.01;

}  // namespace

double Volume3FromTP(double T, double P) {
  const double theta = ReducedTemperature(T);
  const double x = PressureVariable(P);
  double F;
  // Below Tc the state lies on the vapour side of the loop (v above vc) at p <= ps(T),
  // on the liquid side (v below vc) above it; above Tc there is no loop.
  int side = 0;
  if (T > kCriticalTemperatureC || P <= SatPressure(T)) {
    F = DoublePolynomial(kFitVolumeTP, theta - 1, x);
    if (T > kCriticalTemperatureC && F < kFitVolumeTPMin) F = kFitVolumeTPMin;
    if (!(T > kCriticalTemperatureC)) side = 1;
  } else {
    F = DoublePolynomial(kFitVolumeTPLiquid, x, theta - 1);
    side = -1;
  }
  const double v0 = kCriticalVolume * (1 + F);
  const double tol = ValueTolerance(P, 5e-8, 0);
  // Newton's method from the fit, with the slope of the isotherm from the same sums
  // as the pressure. The root is accepted only where the isotherm falls (off the
  // middle of a loop) on the state's side of vc: the turning points of a loop lie on
  // either side of vc, so that root is the one the stepping search below encloses.
  const auto onBranch = [side](double v, double t, double& slope) {
    const double p = Pressure3WithSlope(t, v, slope);
    const bool onSide = side == 0 || (side < 0 ? v <= kCriticalVolume : v >= kCriticalVolume);
    return slope < 0 && onSide ? p : NAN;
  };
  double v = v0, step = 0;
  if (NewtonRootA(onBranch, T, v0, 0.5 * v0, 2 * v0, P, tol, v, step)) return v + step;
  Pair X{}, Y{};
  StepBracketOpenA(X, Y, PressureOfVolume, T, -1, 5, v0, P);
  return RefineRootA(X, Y, PressureOfVolume, T, P, tol);
}

double Volume3FromTS(double T, double S) {
  const double sigma = S / kEntropyScale - kEntropyShift;
  const double v0 = kCriticalVolume * (1 + DoublePolynomial(kFitVolumeTS, ReducedTemperature(T) - 1, sigma));
  Pair X{}, Y{};
  StepBracketOpenA(X, Y, EntropyOfVolume, T, -1, 5, v0, S);
  return RefineRootA(X, Y, EntropyOfVolume, T, S, 1e-5);
}

double Temperature3FromVS(double V, double S, double TLo, double THi, double SLo, double SHi) {
  // Newton's method inside the bracket, with (∂s/∂T)_v = cv/T from the same sums.
  double step = 0;
  return PolishRootA({TLo, THi}, {SLo, SHi}, OnIsochore<&Region3Point::s, &Region3Point::dsdT>, V, S, 1e-5, step);
}

double Temperature3FromVS(double V, double S) {
  return Temperature3FromVS(V, S, gScratch.Ts, gScratch.TB23, gScratch.sVap, gScratch.sB23);
}

double Temperature3FromVI(double V, double H, double TLo, double THi, double HLo, double HHi) {
  double step = 0;
  return PolishRootA({TLo, THi}, {HLo, HHi}, OnIsochore<&Region3Point::h, &Region3Point::dhdT>, V, H, 0.001, step);
}

double Temperature3FromVI(double V, double H) {
  return Temperature3FromVI(V, H, gScratch.Ts, gScratch.TB23, gScratch.hVap, gScratch.hB23);
}

void State3FromPS(double P, double S, double& T, double& V) {
  const double x = PressureVariable(P);
  const double sigma = S / kEntropyScale;
  const double v0 = kCriticalVolume * (1 + DoublePolynomial(kFitVolumePS, x, sigma));
  const double T0 = kCriticalTemperatureK * (1 + DoublePolynomial(kFitTemperaturePS, x, sigma)) - kKelvin;
  const auto func = [](double t, double v, double& p, double& s) {
    p = Pressure3(t, v);
    s = Entropy3(t, v);
  };
  Newton2D(func, T, V, T0, v0, kNewtonPercent, P, S);
}

void State3FromPI(double P, double H, double& T, double& V) {
  const double x = PressureVariable(P);
  const double eta = H / kEnthalpyScale;
  const double v0 = kCriticalVolume * (1 + DoublePolynomial(kFitVolumePI, x, eta));
  const double T0 = kCriticalTemperatureK * (1 + DoublePolynomial(kFitTemperaturePI, x, eta)) - kKelvin;
  const auto func = [](double t, double v, double& p, double& h) {
    p = Pressure3(t, v);
    h = Enthalpy3(t, v);
  };
  Newton2D(func, T, V, T0, v0, kNewtonPercent, P, H);
}

// ---------------------------------------------------------------------------
// Region-3 evaluator: (T, V) from the known pair, then P, S, I where asked.

void EvaluateRegion3(std::int32_t pair, bool NeedP, bool NeedS, bool NeedI, double& T, double& P, double& V,
                     double& S, double& I) {
  switch (pair) {
    case kPairTP: V = Volume3FromTP(T, P); break;
    case kPairTV: break;
    case kPairTS: V = Volume3FromTS(T, S); break;
    case kPairPS: State3FromPS(P, S, T, V); break;
    case kPairPI: State3FromPI(P, I, T, V); break;
    case kPairVS: T = Temperature3FromVS(V, S); break;
    case kPairVI: T = Temperature3FromVI(V, I); break;
    default: break;  // the classifiers send no other pair here
  }
  if (NeedP) P = Pressure3(T, V);
  EntropyEnthalpy3(T, V, NeedS, NeedI, S, I);
}

}  // namespace if97
