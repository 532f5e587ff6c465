// Region 3 of IAPWS-IF97, the near-critical single phase: the Helmholtz-energy
// equation in temperature and specific volume, and the inversions that find T, v or
// both from the other known pairs. The region-3 evaluator EvaluateRegion3 is
// declared in props/evaluators.h and defined with these functions.
//
// Units: T in °C, P in MPa, V in m3/kg, S in kJ/(kg K), I (enthalpy) in kJ/kg.
// No range test and no error result: the equation extrapolates, the inversions
// return their best point when a search stops (every search has a pass budget).
#pragma once

namespace if97 {

// The equation (IAPWS-IF97 Eq. 28, Table 30).
double Pressure3(double T, double V);  // MPa
double Entropy3(double T, double V);   // kJ/(kg K)
double Enthalpy3(double T, double V);  // kJ/kg

// The equation and its first derivatives at one point (T, V), from a single pass over
// the terms. p, s, h are exactly Pressure3 … Enthalpy3 up to the rounding of the
// pressure sum (s and h are bitwise the values of Entropy3 and Enthalpy3).
struct Region3Point {
  double p = 0, s = 0, h = 0;  // MPa, kJ/(kg K), kJ/kg
  double dpdv = 0;             // (∂p/∂v)_T, MPa per m3/kg
  double dpdT = 0;             // (∂p/∂T)_v, MPa/K
  double dsdT = 0, dsdv = 0;   // (∂s/∂T)_v = cv/T and (∂s/∂v)_T = (∂p/∂T)_v
  double dhdT = 0, dhdv = 0;   // (∂h/∂T)_v and (∂h/∂v)_T
};
Region3Point Region3At(double T, double V);

// Pressure3 (bitwise) and its slope (∂p/∂v)_T along the isotherm.
double Pressure3WithSlope(double T, double V, double& dPdV);
// The slope (∂p/∂v)_T and its derivative (∂²p/∂v²)_T: the turning points of an
// isotherm's loop (the spinodals) are where the slope is 0.
double Pressure3Slope(double T, double V, double& dSlopedV);

// Entropy3 and Enthalpy3 at the same point from one evaluation of the sums.
void EntropyEnthalpy3(double T, double V, double& S, double& H);
// Those of the two that are wanted, from one evaluation when both are; the other
// output is left as it is.
void EntropyEnthalpy3(double T, double V, bool WantS, bool WantH, double& S, double& H);

// Volume with Pressure3(T, V) = P, to a relative 5e-10 on the pressure.
double Volume3FromTP(double T, double P);
// Volume with Entropy3(T, V) = S, to 1e-5 kJ/(kg K).
double Volume3FromTS(double T, double S);

// Temperature with Entropy3(T, V) = S on the isochore V, searched between the
// saturated vapour temperature TLo (entropy SLo there) and the B23 temperature THi
// (entropy SHi), to 1e-5 kJ/(kg K).
double Temperature3FromVS(double V, double S, double TLo, double THi, double SLo, double SHi);
// The same with the bracket the (V,S) classifier left in the solver scratch:
// [gScratch.Ts, gScratch.TB23] with entropies [gScratch.sVap, gScratch.sB23].
double Temperature3FromVS(double V, double S);

// Temperature with Enthalpy3(T, V) = H on the isochore V, bracket as above with
// enthalpies, to 0.001 kJ/kg.
double Temperature3FromVI(double V, double H, double TLo, double THi, double HLo, double HHi);
// Bracket from the solver scratch: [gScratch.Ts, gScratch.TB23], [gScratch.hVap, gScratch.hB23].
double Temperature3FromVI(double V, double H);

// (T, V) with Pressure3 = P and Entropy3 = S, or Enthalpy3 = H, by the two-dimensional
// Newton iteration with percentage parameter 0.01 (relative 1e-4·target agreement).
void State3FromPS(double P, double S, double& T, double& V);
void State3FromPI(double P, double H, double& T, double& V);

}  // namespace if97
