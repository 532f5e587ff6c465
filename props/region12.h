// Inversions of the region-1 and region-2 equations used by EvaluateRegion1 and
// EvaluateRegion2 (props/evaluators.h): the pressure on an isotherm from a known
// volume or entropy, and, in region 2, temperature and pressure on an isochore from
// a known entropy or enthalpy.
//
// None of them searches for a bracket. They take the end points of the line on which
// the state lies from gScratch, where the classifier of the same SolveState call left
// them while deciding the region:
//   isotherm of T, pairs (T,V), (T,S): ps, vLiq/sLiq, vVap/sVap, pB23, vB23/sB23,
//     v100MPa/s100MPa, vPmin/sPmin;
//   isochore of V, pairs (V,S), (V,I): Ts, ps, sVap/hVap, pB23, sB23/hB23,
//     T100MPa, s100MPa/h100MPa, p800C, s800C/h800C.
// Called without that classifier (a cleared scratch) they still return a number,
// but a meaningless one. Units as everywhere in the library (°C, MPa, m3/kg,
// kJ/(kg K), kJ/kg).
#pragma once

#include "numerics/roots.h"

namespace if97 {

// Tolerances of the isotherm inversions: the volume to 0.05 % of the target, the
// entropy absolutely. Region 1 needs the tight entropy tolerance because liquid
// entropy hardly changes with pressure: at 10 °C a tolerance of 1e-5 kJ/(kg K) lets
// the pressure be off by about 0.1 MPa.
inline constexpr double kIsothermVolumePercent = 0.05;
inline constexpr double kRegion1EntropyTolerance = 1e-9;  // kJ/(kg K)
inline constexpr double kRegion2EntropyTolerance = 1e-5;  // kJ/(kg K)
// Percent parameter of the two-dimensional Newton iteration on region-2 isochores
// (sets its difference steps and its stopping test).
inline constexpr double kIsochoreNewtonPercent = 1e-4;
// A relative deviation of the volume or of the entropy (enthalpy) above this at the
// point the iteration ended on gets one more Newton pass.
inline constexpr double kIsochorePolish = 1e-6;

// Pressure [MPa] in region 1 on the isotherm T [°C], bracketed by the 100 MPa point
// and the saturated-liquid point.
double Pressure1FromTV(double T, double V);
double Pressure1FromTS(double T, double S);

// Pressure [MPa] in region 2 on the isotherm T [°C], bracketed by the lowest pressure
// and the upper end of the isotherm: the saturation point when the scratch holds a
// saturation pressure above the B23 pressure (below 350 °C), else the B23 point when
// the scratch holds one (350 … 590 °C), else the 100 MPa point.
double Pressure2FromTV(double T, double V);
double Pressure2FromTS(double T, double S);

// Temperature [°C] and pressure [MPa] in region 2 on the isochore V, by the
// two-dimensional Newton iteration from the start values below, with one more pass
// where the point it ended on deviates more than kIsochorePolish: its relative test
// alone leaves low-pressure states up to 0.1 K off.
void State2FromVS(double& T, double& P, double V, double S);
void State2FromVI(double& T, double& P, double V, double I);

// Start values of the isochore inversions: linear interpolation in S (or I) along the
// isochore between the dew point and the upper point (800 °C where the scratch's
// 800 °C value exceeds its 100 MPa value, else the 100 MPa point); for the pressure
// the lower point is the B23 point when its value exceeds the dew point's. 0 outside
// V in [Vc, Vmax], S in [0, Smax] (I in [0, Imax]).
double StartTemperature2FromVS(double V, double S);
double StartPressure2FromVS(double V, double S);
double StartTemperature2FromVI(double V, double I);
double StartPressure2FromVI(double V, double I);

// The isotherm inversions with the region equation passed in as a function of
// (p, T). The functions above pass Region1V … Region2S; tests pass a wrapper that
// counts or records the evaluations.
double Pressure1FromTVWith(numerics::TargetFunctionA volume, double T, double V);
double Pressure1FromTSWith(numerics::TargetFunctionA entropy, double T, double S);
double Pressure2FromTVWith(numerics::TargetFunctionA volume, double T, double V);
double Pressure2FromTSWith(numerics::TargetFunctionA entropy, double T, double S);

}  // namespace if97
