// The saturation line, the boundary between regions 2 and 3 (B23), and the auxiliary
// lines the region classifiers need when the known pair contains the specific volume:
// closed-form equations and fits, and inversions of the region-2 equation. The
// saturated volumes of the region-3 equation are in props/saturation3.h.
//
// Units as everywhere in the library: T in °C (the equations use T + 273.15 K),
// P in MPa, V in m3/kg. No function reports an error. The closed-form equations
// extrapolate outside the supported range (a negative square-root argument gives
// NaN); the root searches stop at their bounds and return the bound, and every
// search has a pass budget, so no argument (NaN included) makes a function hang.
#pragma once

#include "props/constants.h"

namespace if97 {

// Saturation pressure ps(T), IAPWS-IF97 Eq. 30. For 0 … 373.946 °C.
double SatPressure(double T);
// Slope dps/dT of the saturation pressure [MPa/K], by a central difference of
// SatPressure over ±1 mK (relative error about 1e-9): for the slopes of Newton's
// method along the saturation line.
double SatPressureSlope(double T);
// Saturation temperature Ts(p), IAPWS-IF97 Eq. 31. For 0.000611213 … 22.064 MPa.
double SatTemperature(double P);

// B23 boundary: pressure on the boundary at T (IAPWS-IF97 Eq. 5), and temperature
// on the boundary at p (Eq. 6). The boundary runs from 350 °C, 16.529 MPa to
// 590 °C, 100 MPa.
double B23Pressure(double T);
double B23Temperature(double P);

// Temperature on B23 where the region-2 volume v2(T, pB23(T)) equals V, for
// 0.0025847 ≤ V ≤ 0.0088009 (590 … 350 °C); beyond these volumes the nearer end.
double B23TemperatureFromVolume(double V);

// Volume on the 100 MPa isobar: a fit of the region-3 volume, for 350 … 590 °C.
double Volume100MPa(double T);
// Temperature where the 100 MPa isobar of region 2 reaches the volume V:
// Region2V(T, 100) = V on 590 … 800 °C (0.0025847 ≤ V ≤ 0.0043355).
double Temperature100MPaFromVolume(double V);

// Pressure where the 800 °C isotherm of region 2 reaches the volume V:
// Region2V(800, p) = V for 0.0001086 ≤ p ≤ 100 MPa.
double Pressure800CFromVolume(double V);

// Lowest temperature of metastable (subcooled) steam at p: Ts(p) minus a fitted
// subcooling.
double MetastableLimitTemperature(double P);

}  // namespace if97
