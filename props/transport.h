// Transport properties of water and steam from temperature and specific volume:
// dynamic viscosity and thermal conductivity, with the overflow-safe exponential
// and power they are built on. No range check: the caller has already solved the
// state (and so rejected states outside the supported range) through SolveState.
#pragma once

namespace if97 {

// e^x, with 1.7e38 for x > 88 and 0 for x < -88 (no overflow, no denormals).
double SafeExp(double x);

// base^exponent through SafeExp: 1 for exponent 0 or base 1; a negative base only
// with a whole exponent (sign by its parity); anything else, a base of magnitude
// at most 2.9e-39 included, gives 0.
double Power(double base, double exponent);

// Dynamic viscosity (IAPS 1985, without the critical enhancement), T in °C and
// V in m3/kg; result in 1e-6 kg/(m s), i.e. µPa·s.
double DynamicViscosity(double T, double V);

// Thermal conductivity (simplified IAPS 1985 equation for industrial use),
// T in °C and V in m3/kg; result in 1e-3 W/(m K), i.e. mW/(m·K).
double ThermalConductivity(double T, double V);

}  // namespace if97
