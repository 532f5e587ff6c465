// The constants of IAPWS-IF97 and the fixed points of the supported range, each in
// one place with its unit and where it comes from. Every other file of the library
// (and the chart) refers to these names; none writes the numbers again.
//
// Units of the library: T in °C, P in MPa, V in m3/kg, S in kJ/(kg K), I in kJ/kg.
// Values marked "from the equations" are the library's own region equations
// evaluated at the named point and rounded to the digits given; the tests check
// them against the equations.
#pragma once

namespace if97 {

// --- Units and the equation of state -----------------------------------------------

// Celsius to kelvin: T_K = T + kKelvin (K; definition of the Celsius scale).
inline constexpr double kKelvin = 273.15;
// Specific gas constant of water, kJ/(kg K) (IAPWS-IF97 Eq. 1).
inline constexpr double kR = 0.461526;
// kR/1000, so that kRVolume·T_K/p with p in MPa gives m3/kg.
inline constexpr double kRVolume = 0.000461526;

// --- Critical point (IAPWS-IF97 Eqs. 2-4) ------------------------------------------

inline constexpr double kCriticalTemperatureK = 647.096;         // K
inline constexpr double kCriticalTemperatureC = 373.946;         // °C, 647.096 K
inline constexpr double kCriticalPressure = 22.064;              // MPa
inline constexpr double kCriticalDensity = 322.0;                // kg/m3
inline constexpr double kCriticalVolume = 0.003105590062111801;  // m3/kg, 1/322
// Entropy at the critical point as the (S,X) and (V,S) boundaries use it; the
// region-3 equation gives 3.1e-5 kJ/(kg K) more at (Tc, vc), a difference far
// below the tolerance of every search that ends there.
inline constexpr double kCriticalEntropy = 4.4119904059;  // kJ/(kg K)
inline constexpr double kCriticalEnthalpy = 2087.5468451;  // kJ/kg, region-3 equation at (Tc, vc)

// Next to the critical point the loop of a region-3 isotherm (below, then above the
// saturation pressure between the liquid and vapour roots) shrinks faster than the
// saturation pressure approaches the equation's own: above kLoopTopTemperature the
// top of the loop lies below SatPressure(T), and the isotherm has no vapour root.
// kLoopTopVolume is the volume of that top at kLoopTopTemperature, where it is the
// vapour root (from the equations).
inline constexpr double kLoopTopTemperature = 373.9459653427;  // °C, 3.47e-5 K below Tc
inline constexpr double kLoopTopVolume = 0.0031086572303;      // m3/kg, vc·(1 + 9.88e-4)

// --- Boundaries between the regions ----------------------------------------------

// The 350 °C isotherm: top of the region-1 equation and of the subcritical wet
// region; the B23 boundary meets the saturation line there, at the saturation
// pressure kP350 (IAPWS-IF97 Eq. 30 at 623.15 K).
inline constexpr double kT350 = 350.0;          // °C
inline constexpr double kP350 = 16.529164252;   // MPa
// Saturated volumes at 350 °C: the region-1 and region-2 equations at kP350.
inline constexpr double kSatLiquidVolume350 = 0.0017400705518;  // m3/kg
inline constexpr double kSatVapourVolume350 = 0.0088009319322;  // m3/kg
// The other end of B23 within the range: 590 °C at 100 MPa (IAPWS-IF97 Eq. 5), and
// the region-2 volume there (from the equations). Above 590 °C the pressure range
// of region 2 reaches 100 MPa.
inline constexpr double kT590 = 590.0;                      // °C
inline constexpr double kB23Volume590 = 0.0025847184959;    // m3/kg

// --- Limits of the supported range -----------------------------------------------

inline constexpr double kTmin = 0.0;                 // °C
inline constexpr double kTmax = 800.0;               // °C
inline constexpr double kPmin = 0.0006112126774;     // MPa, saturation pressure at 0 °C (Eq. 30)
inline constexpr double kPmax = 100.0;               // MPa
// The pairs with S, I or V end at saturated vapour at 0 °C (S, V) and at region 2
// at 800 °C and kPmin (I); lower-pressure superheated steam lies beyond them.
inline constexpr double kSmax = 9.155759395;         // kJ/(kg K), from the equations
inline constexpr double kImax = 4160.66;             // kJ/kg, from the equations
inline constexpr double kVmax = 206.13971631;        // m3/kg, saturated vapour at 0 °C
// Smallest volume the (T,V) classifier evaluates the region-3 equation at: just
// below v1(350 °C, 100 MPa).
inline constexpr double kVmin3 = 0.001311;           // m3/kg
// Region-2 volume at 800 °C and 100 MPa (from the equations).
inline constexpr double kVB100 = 0.0043355076533;    // m3/kg

// --- Metastable steam ---------------------------------------------------------------

// (T,P), (P,S), (P,I) offer metastable steam only up to this pressure.
inline constexpr double kPMetastableMax = 10.0;      // MPa
// Smallest equilibrium (or metastable-equation) dryness of a metastable state.
inline constexpr double kXMetastableMin = 0.95;

}  // namespace if97
