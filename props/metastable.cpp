// Metastable-steam evaluator: (T, P) from the known pair, then the metastable-vapour
// equation for what is asked for.
#include "props/metastable.h"

#include <cmath>

#include "numerics/roots.h"
#include "props/evaluators.h"
#include "props/forward.h"
#include "props/state.h"

namespace if97 {

using numerics::MaxOf;
using numerics::Pair;
using numerics::RefineRootA;
using numerics::StepBracketOpenA;

namespace {

// Start-value fits of the subcooling: one row per power of P, highest first; in each
// row the coefficient of d² and of d (the constant term is 0).
struct FitRow {
  double d2, d1;
};
constexpr FitRow kEntropyFit[4] = {
    {0.008338059055, 0.01143815134},   // P³
    {-0.07345851003, -0.1669732952},   // P²
    {-0.1942560109, -0.3515191407},    // P¹
    {-0.09961841746, 17.58221383},     // P⁰
};
constexpr FitRow kEnthalpyFit[4] = {
    {-3.263508097e-06, -0.001481745792},
    {3.486313197e-05, 0.02640520116},
    {5.670867205e-05, -0.1541673776},
    {-0.001009026344, 0.5223474997},
};

// Σ P^k·(a_k·d² + b_k·d), Horner in P with Horner coefficients in d.
double Subcooling(const FitRow (&fit)[4], double P, double d) {
  double sum = 0.0;
  for (const FitRow& row : fit) sum = sum * P + (row.d2 * d + row.d1) * d;
  return sum;
}

// Open stepping search from T0, then refinement. The walk runs on the absolute
// temperature: its step is 1 % of T0 in °C with a floor of 0.01 K, and expressing
// that step as a percentage of a positive start value keeps it from vanishing when
// T0 is at or near 0 °C.
double MetastableTemperature(double (*f)(double, double), double P, double target, double T0, double tol) {
  const double T0K = T0 + kKelvin;
  if (!(T0K > 0.0)) return T0;  // NaN start (no scratch) or nonsense: nothing to walk on
  const double step = MaxOf(std::fabs(T0) * kMetastableStepPercent / 100.0, kMetastableMinStep);
  auto ofKelvin = [f](double TK, double p) { return f(TK - kKelvin, p); };
  Pair X{}, F{};
  StepBracketOpenA(X, F, ofKelvin, P, -1, 100.0 * step / T0K, T0K, target);
  X[0] -= kKelvin;
  X[1] -= kKelvin;
  return RefineRootA(X, F, f, P, target, tol);
}

}  // namespace

double StartTemperature8FromPS(double P, double S) {
  const double d = (gScratch.sVap - S) / kMetastableEntropyScale;
  return gScratch.Ts - Subcooling(kEntropyFit, P, d);
}

double StartTemperature8FromPI(double P, double I) {
  const double d = gScratch.hVap - I;
  return gScratch.Ts - Subcooling(kEnthalpyFit, P, d);
}

double Temperature8FromPS(double P, double S) {
  return MetastableTemperature(MetaS, P, S, StartTemperature8FromPS(P, S), kMetastableEntropyTolerance);
}

double Temperature8FromPI(double P, double I) {
  return MetastableTemperature(MetaI, P, I, StartTemperature8FromPI(P, I), kMetastableEnthalpyTolerance);
}

void EvaluateMetastable(std::int32_t pair, bool NeedV, bool NeedS, bool NeedI, double& T, double& P, double& V,
                        double& S, double& I) {
  switch (pair) {
    case kPairPS: T = Temperature8FromPS(P, S); break;
    case kPairPI: T = Temperature8FromPI(P, I); break;
    default: break;  // (T, P) known
  }
  if (NeedV) V = MetaV(T, P);
  if (NeedS) S = MetaS(T, P);
  if (NeedI) I = MetaI(T, P);
}

}  // namespace if97
