// Region classifiers: one per supported known pair. Each compares its two inputs
// with the boundary lines of the supported range (saturation line, B23 boundary,
// 350 °C isotherm, 100 MPa isobar, 800 °C isotherm, metastable-steam limit) and
// returns the region code of the state. A classifier never solves for the state;
// it evaluates boundary lines and region equations at fixed points only, and leaves
// the values it computed in gScratch, where the evaluator of the same SolveState
// call takes its brackets and saturation values from.
//
// The classifiers do not clear gScratch (SolveState does, once per call). Inputs
// must be finite: SolveState rejects NaN and infinite inputs before any classifier
// runs (a NaN compares false with every boundary and would pass some rules).
#pragma once

#include <cstdint>

#include "props/state.h"

namespace if97 {

// Limits and fixed boundary values of the supported range (units of the library).
namespace limits {
inline constexpr double kPmin = 0.0006112126774;   // MPa, saturation pressure at 0 °C
inline constexpr double kPmax = 100.0;             // MPa, upper pressure limit
inline constexpr double kP350 = 16.529164252;      // MPa, saturation pressure at 350 °C
inline constexpr double kPc = 22.064;              // MPa, critical pressure
inline constexpr double kTc = 373.946;             // °C, critical temperature
inline constexpr double kTmax = 800.0;             // °C, upper temperature limit
inline constexpr double kSmax = 9.155759395;       // kJ/(kg K), saturated vapour at 0 °C
inline constexpr double kImax = 4160.66;           // kJ/kg, region 2 at 800 °C and Pmin
inline constexpr double kVmin3 = 0.001311;         // m3/kg, just below v1(350 °C, 100 MPa)
inline constexpr double kVc = 0.003105590062111801;  // m3/kg, critical volume 1/322
inline constexpr double kVmax = 206.13971631;      // m3/kg, saturated vapour at 0 °C
inline constexpr double kVB350 = 0.0088009319322;  // m3/kg, v2 where B23 meets the saturation line
inline constexpr double kVB100 = 0.0043355076533;  // m3/kg, v2 at 800 °C and 100 MPa
inline constexpr double kSc = 4.4119904059;        // kJ/(kg K), entropy at the critical point
// Upper limit of B23 on the isotherms: above 590 °C the pressure range of region 2
// reaches 100 MPa.
inline constexpr double kTB23Top = 590.0;
// (T,P), (P,S), (P,I): metastable steam is offered only up to this pressure (MPa).
inline constexpr double kPMetastableMax = 10.0;
// Smallest equilibrium (or metastable-equation) dryness of a metastable state.
inline constexpr double kXMetastableMin = 0.95;
}  // namespace limits

// Pair 12. Returns 1, 2, 3, 8 or 9. Region 8 only with PreferMetastable.
PropertyRegion ClassifyTP(double T, double P, bool PreferMetastable);
// Pair 13. Returns 1, 2, 3, 5, 6 or 9.
PropertyRegion ClassifyTV(double T, double V);
// Pair 14. Returns 1, 2, 3, 5, 6 or 9.
PropertyRegion ClassifyTS(double T, double S);
// Pair 15, wet steam only. Returns 5, 6 or 9.
PropertyRegion ClassifyTI(double T, double I);
// Pair 16 (dryness first). Returns 5 (T > 350 °C), 6 or 9.
PropertyRegion ClassifyTX(double X, double T);
// Pair 23, wet steam only. Returns 5, 6 or 9.
PropertyRegion ClassifyPV(double P, double V);
// Pair 24. Returns 1, 2, 3, 5, 6, 8 or 9. Region 8 only with PreferMetastable.
PropertyRegion ClassifyPS(double P, double S, bool PreferMetastable);
// Pair 25. Returns 1, 2, 3, 5, 6, 8 or 9. Region 8 only with PreferMetastable.
PropertyRegion ClassifyPI(double P, double I, bool PreferMetastable);
// Pair 26 (dryness first). Returns 5 (Ts(P) >= 350 °C), 6 or 9.
PropertyRegion ClassifyPX(double X, double P);
// Pair 34, vapour side of the critical volume only. Returns 2, 3, 5, 6 or 9.
PropertyRegion ClassifyVS(double V, double S);
// Pair 35, vapour side of the critical volume only. Returns 2, 3, 5, 6 or 9.
PropertyRegion ClassifyVI(double V, double I);
// Pair 46 (dryness first), wet steam with X <= 0.3001 or X >= 0.7001. Returns 5, 6 or 9.
PropertyRegion ClassifySX(double X, double S);
// Pair 56 (dryness first), wet steam from 0 °C to about 170 °C. Returns 6 or 9.
PropertyRegion ClassifyIX(double X, double I);

}  // namespace if97
