// Units, constants and the forward equations of IAPWS-IF97 regions 1 and 2 and of
// the metastable-vapour equation: specific volume, entropy and enthalpy from
// temperature and pressure.
//
// Units at every interface of the property library: T in °C (the equations use
// T + 273.15 K), P in MPa, V in m3/kg, S in kJ/(kg K), I (specific enthalpy) in
// kJ/kg. Every function takes T first and P second.
//
// No range test: arguments outside a region are extrapolated (bracket ends of the
// inversions may lie outside the region whose equation is evaluated there). Only
// T = -273.15 °C, and for v and s of region 2 and metastable vapour the terms in
// 1/p and ln p (p = 0, and p < 0 for s), make the formulas undefined: the result
// is then infinite or NaN. A NaN argument gives NaN. Pure functions; no
// allocation, no state.
#pragma once

#include "props/constants.h"

namespace if97 {

// Region 1: π = p / kRegion1Pressure, τ = kRegion1Temperature / T_K; the Gibbs
// sum runs in (kRegion1PiShift − π) and (τ − kRegion1TauShift).
inline constexpr double kRegion1Pressure = 16.53;     // MPa
inline constexpr double kRegion1Temperature = 1386.0;  // K
inline constexpr double kRegion1PiShift = 7.1;
inline constexpr double kRegion1TauShift = 1.222;

// Region 2 and metastable vapour: π = p / kRegion2Pressure, τ = kRegion2Temperature
// / T_K; the residual sum runs in π and (τ − kRegion2TauShift).
inline constexpr double kRegion2Pressure = 1.0;       // MPa
inline constexpr double kRegion2Temperature = 540.0;  // K
inline constexpr double kRegion2TauShift = 0.5;

// Region 1 (compressed water).
double Region1V(double T, double P);  // m3/kg
double Region1S(double T, double P);  // kJ/(kg K)
double Region1I(double T, double P);  // kJ/kg

// Region 2 (superheated steam).
double Region2V(double T, double P);
double Region2S(double T, double P);
double Region2I(double T, double P);

// Metastable vapour (steam subcooled below the saturation temperature).
double MetaV(double T, double P);
double MetaS(double T, double P);
double MetaI(double T, double P);

}  // namespace if97
