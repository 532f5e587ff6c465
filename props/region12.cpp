// Region-1 and region-2 evaluators: bring the state to (T, P) from the known pair,
// then evaluate the forward equations for what is asked for.
#include "props/region12.h"

#include <cmath>

#include "numerics/newton.h"
#include "props/backward.h"
#include "props/classifiers.h"
#include "props/evaluators.h"
#include "props/forward.h"
#include "props/state.h"

namespace if97 {

using numerics::Newton2D;
using numerics::Pair;
using numerics::RefineRootA;
using numerics::TargetFunctionA;
using numerics::ValueTolerance;

namespace {


// The region equations written as functions of (p, T), the pressure being varied.
double Volume1OfP(double p, double T) { return Region1V(T, p); }
double Entropy1OfP(double p, double T) { return Region1S(T, p); }
double Volume2OfP(double p, double T) { return Region2V(T, p); }
double Entropy2OfP(double p, double T) { return Region2S(T, p); }

// Upper end of a region-2 isotherm from the scratch; `sat`, `b23` and `top` are the
// scratch's value (volume or entropy) at the saturation, B23 and 100 MPa points.
void Region2IsothermTop(double sat, double b23, double top, double& p, double& y) {
  const SolverScratch& s = gScratch;
  if (s.ps > s.pB23) {
    p = s.ps;
    y = sat;
  } else if (s.pB23 > 0) {
    p = s.pB23;
    y = b23;
  } else {
    p = kPmax;
    y = top;
  }
}

// The characteristic points of a region-2 isochore in the scratch, for the entropy
// or the enthalpy as the second known quantity.
struct IsochorePoints {
  double vap;     // at the dew point (Ts, ps)
  double b23;     // at the B23 point (TB23, pB23); 0 when not computed
  double top100;  // where the isochore reaches 100 MPa (T100MPa)
  double top800;  // where the isochore reaches 800 °C (p800C)
  double max;     // upper limit of the known quantity
};

IsochorePoints EntropyPoints() {
  const SolverScratch& s = gScratch;
  return {s.sVap, s.sB23, s.s100MPa, s.s800C, kSmax};
}

IsochorePoints EnthalpyPoints() {
  const SolverScratch& s = gScratch;
  return {s.hVap, s.hB23, s.h100MPa, s.h800C, kImax};
}

bool OutsideIsochoreDomain(double V, double Y, double max) {
  // Written as "not inside" so that NaN is outside.
  return !(V >= kCriticalVolume && V <= kVmax && Y >= 0.0 && Y <= max);
}

double StartTemperature2(double V, double Y, const IsochorePoints& pt) {
  if (OutsideIsochoreDomain(V, Y, pt.max)) return 0.0;
  const SolverScratch& s = gScratch;
  const bool at800 = pt.top800 > pt.top100;
  const double yUp = at800 ? pt.top800 : pt.top100;
  const double tUp = at800 ? kTmax : s.T100MPa;
  return s.Ts + (tUp - s.Ts) * (Y - pt.vap) / (yUp - pt.vap);
}

double StartPressure2(double V, double Y, const IsochorePoints& pt) {
  if (OutsideIsochoreDomain(V, Y, pt.max)) return 0.0;
  const SolverScratch& s = gScratch;
  const bool at800 = pt.top800 > pt.top100;
  const double yUp = at800 ? pt.top800 : pt.top100;
  const double pUp = at800 ? s.p800C : kPmax;
  const bool atB23 = pt.b23 > pt.vap;
  const double yLo = atB23 ? pt.b23 : pt.vap;
  const double pLo = atB23 ? s.pB23 : s.ps;
  return pLo + (pUp - pLo) * (Y - yLo) / (yUp - yLo);
}

}  // namespace

double Pressure1FromTVWith(TargetFunctionA volume, double T, double V) {
  const SolverScratch& s = gScratch;
  const Pair X{kPmax, s.ps};
  const Pair F{s.v100MPa, s.vLiq};
  return RefineRootA(X, F, volume, T, V, ValueTolerance(V, kIsothermVolumePercent, 0));
}

double Pressure1FromTSWith(TargetFunctionA entropy, double T, double S) {
  const SolverScratch& s = gScratch;
  const Pair X{kPmax, s.ps};
  const Pair F{s.s100MPa, s.sLiq};
  return RefineRootA(X, F, entropy, T, S, kRegion1EntropyTolerance);
}

double Pressure2FromTVWith(TargetFunctionA volume, double T, double V) {
  const SolverScratch& s = gScratch;
  Pair X{0, kPmin};
  Pair F{0, s.vPmin};
  Region2IsothermTop(s.vVap, s.vB23, s.v100MPa, X[0], F[0]);
  return RefineRootA(X, F, volume, T, V, ValueTolerance(V, kIsothermVolumePercent, 0));
}

double Pressure2FromTSWith(TargetFunctionA entropy, double T, double S) {
  const SolverScratch& s = gScratch;
  Pair X{0, kPmin};
  Pair F{0, s.sPmin};
  Region2IsothermTop(s.sVap, s.sB23, s.s100MPa, X[0], F[0]);
  return RefineRootA(X, F, entropy, T, S, kRegion2EntropyTolerance);
}

double Pressure1FromTV(double T, double V) { return Pressure1FromTVWith(Volume1OfP, T, V); }
double Pressure1FromTS(double T, double S) { return Pressure1FromTSWith(Entropy1OfP, T, S); }
double Pressure2FromTV(double T, double V) { return Pressure2FromTVWith(Volume2OfP, T, V); }
double Pressure2FromTS(double T, double S) { return Pressure2FromTSWith(Entropy2OfP, T, S); }

double StartTemperature2FromVS(double V, double S) { return StartTemperature2(V, S, EntropyPoints()); }
double StartPressure2FromVS(double V, double S) { return StartPressure2(V, S, EntropyPoints()); }
double StartTemperature2FromVI(double V, double I) { return StartTemperature2(V, I, EnthalpyPoints()); }
double StartPressure2FromVI(double V, double I) { return StartPressure2(V, I, EnthalpyPoints()); }

namespace {

// The pair function of an isochore inversion, remembering the last point it was
// evaluated at and its values.
template <double (*Second)(double, double)>
struct IsochorePairFunction {
  double t = NAN, p = NAN, v = NAN, y = NAN;
  void operator()(double T, double P, double& V, double& Y) {
    V = Region2V(T, P);
    Y = Second(T, P);
    t = T, p = P, v = V, y = Y;
  }
};

// The Newton iteration on the isochore, and one pass more where its convergence
// test was loose. The test compares the relative deviations with 1e-6 times the
// target values themselves, which lets a large volume (low pressure) or a large
// enthalpy pass while the temperature is still up to 0.1 K off. When the point the
// iteration ended on deviates more than kIsochorePolish (relative) in either value,
// the iteration runs again from there: its first pass is one more Newton step, and
// the temperature comes within a few millikelvin.
template <double (*Second)(double, double)>
void SolveIsochore(double& T, double& P, double T0, double P0, double V, double Y) {
  IsochorePairFunction<Second> f;
  Newton2D(f, T, P, T0, P0, kIsochoreNewtonPercent, V, Y);
  const bool atLastPoint = f.t == T && f.p == P;
  if (atLastPoint && !(std::fabs(f.v / V - 1) <= kIsochorePolish && std::fabs(f.y / Y - 1) <= kIsochorePolish)) {
    const double T1 = T, P1 = P;
    Newton2D(f, T, P, T1, P1, kIsochoreNewtonPercent, V, Y);
  }
}

}  // namespace

void State2FromVS(double& T, double& P, double V, double S) {
  SolveIsochore<Region2S>(T, P, StartTemperature2FromVS(V, S), StartPressure2FromVS(V, S), V, S);
}

void State2FromVI(double& T, double& P, double V, double I) {
  SolveIsochore<Region2I>(T, P, StartTemperature2FromVI(V, I), StartPressure2FromVI(V, I), V, I);
}

void EvaluateRegion1(std::int32_t pair, bool NeedV, bool NeedS, bool NeedI, double& T, double& P, double& V,
                     double& S, double& I) {
  switch (pair) {
    case kPairTV: P = Pressure1FromTV(T, V); break;
    case kPairTS: P = Pressure1FromTS(T, S); break;
    case kPairPS: T = Temperature1FromPS(P, S); break;
    case kPairPI: T = Temperature1FromPI(P, I); break;
    default: break;  // (T, P) known
  }
  if (NeedV) V = Region1V(T, P);
  if (NeedS) S = Region1S(T, P);
  if (NeedI) I = Region1I(T, P);
}

void EvaluateRegion2(std::int32_t pair, bool NeedV, bool NeedS, bool NeedI, double& T, double& P, double& V,
                     double& S, double& I) {
  switch (pair) {
    case kPairTV: P = Pressure2FromTV(T, V); break;
    case kPairTS: P = Pressure2FromTS(T, S); break;
    case kPairPS: T = Temperature2FromPS(P, S); break;
    case kPairPI: T = Temperature2FromPI(P, I); break;
    case kPairVS: State2FromVS(T, P, V, S); break;
    case kPairVI: State2FromVI(T, P, V, I); break;
    default: break;  // (T, P) known
  }
  if (NeedV) V = Region2V(T, P);
  if (NeedS) S = Region2S(T, P);
  if (NeedI) I = Region2I(T, P);
}

}  // namespace if97
