// Backward equations of IAPWS-IF97 regions 1 and 2: temperature from pressure and
// specific enthalpy, or from pressure and specific entropy, without iteration.
// Each takes P [MPa] first and I [kJ/kg] or S [kJ/(kg K)] second and returns T in °C.
// No range test; arguments outside the region give extrapolated values.
#pragma once

namespace if97 {

// Region-2 sub-region boundaries: below kRegion2abPressure sub-region 2a; at and
// above it 2c where p >= B2bcPressure(h) (for T(p,h)) or s <= kRegion2bcEntropy
// (for T(p,s)), else 2b.
inline constexpr double kRegion2abPressure = 4.0;  // MPa
inline constexpr double kRegion2bcEntropy = 5.85;  // kJ/(kg K)

// Pressure [MPa] of the 2b/2c boundary as a function of enthalpy [kJ/kg].
double B2bcPressure(double I);

double Temperature1FromPI(double P, double I);  // region 1, T(p,h)
double Temperature1FromPS(double P, double S);  // region 1, T(p,s)
double Temperature2FromPI(double P, double I);  // region 2, T(p,h), sub-regions 2a/2b/2c
double Temperature2FromPS(double P, double S);  // region 2, T(p,s), sub-regions 2a/2b/2c

}  // namespace if97
