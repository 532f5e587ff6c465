// Metastable (subcooled) steam: the temperature from (P, S) or (P, I) on the
// IAPWS-IF97 metastable-vapour equation, used by EvaluateMetastable
// (props/evaluators.h).
//
// The start value is this system's own fit of the subcooling below the saturation
// temperature; it reads Ts and sVap (or hVap) from gScratch, where the (P,S) or (P,I)
// classifier left them for the state's pressure. Units: T °C, P MPa, S kJ/(kg K),
// I kJ/kg.
#pragma once

namespace if97 {

// Scale of the entropy deficit d = (sVap − S)/kMetastableEntropyScale of the (P,S)
// fit: pc·vc/Tc in kJ/(kg K).
inline constexpr double kMetastableEntropyScale = 0.10589114927373185;
// The stepping search walks in steps of this percentage of the start temperature in
// °C, but never less than kMetastableMinStep: near 0 °C (the lowest pressures) a step
// proportional to the start value would vanish.
inline constexpr double kMetastableStepPercent = 1.0;
inline constexpr double kMetastableMinStep = 0.01;  // K
inline constexpr double kMetastableEntropyTolerance = 1e-5;   // kJ/(kg K)
inline constexpr double kMetastableEnthalpyTolerance = 0.001;  // kJ/kg

// Start temperature Ts − Σ P^k·(a_k·d² + b_k·d); equal to Ts at d = 0.
double StartTemperature8FromPS(double P, double S);  // d = (sVap − S)/kMetastableEntropyScale
double StartTemperature8FromPI(double P, double I);  // d = hVap − I

// Temperature at which the metastable entropy (enthalpy) at P equals S (I): open
// stepping search from the start value, then refinement to the tolerance above.
double Temperature8FromPS(double P, double S);
double Temperature8FromPI(double P, double I);

}  // namespace if97
