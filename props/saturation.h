// The saturation line, the boundary between regions 2 and 3 (B23), the saturated
// volumes of the near-critical band 350 °C … 373.946 °C, and the auxiliary lines the
// region classifiers need when the known pair contains the specific volume.
//
// Units as everywhere in the library: T in °C (the equations use T + 273.15 K),
// P in MPa, V in m3/kg. No function reports an error. The closed-form equations
// extrapolate outside the supported range (a negative square-root argument gives
// NaN); the root searches stop at their bounds and return the bound, and every
// search has a pass budget, so no argument (NaN included) makes a function hang.
#pragma once

namespace if97 {

// Critical point of IAPWS-IF97 (the saturation line ends there).
inline constexpr double kCriticalTemperatureK = 647.096;         // K
inline constexpr double kCriticalTemperatureC = 373.946;         // °C
inline constexpr double kCriticalPressure = 22.064;              // MPa
inline constexpr double kCriticalDensity = 322.0;                // kg/m3
inline constexpr double kCriticalVolume = 0.003105590062111801;  // m3/kg, 1/322
// Saturated volumes at 350 °C, where the B23 boundary meets the saturation line.
inline constexpr double kSatLiquidVolume350 = 0.0017400705518;  // m3/kg
inline constexpr double kSatVapourVolume350 = 0.0088009319322;  // m3/kg
// Saturated vapour volume at 0 °C, the largest volume of the supported range.
inline constexpr double kSatVapourVolume0 = 206.13971631;  // m3/kg
// Region-2 volume on B23 at 590 °C (100 MPa), the other end of B23 within the range.
inline constexpr double kB23Volume590 = 0.0025847184959;  // m3/kg

// Saturation pressure ps(T), IAPWS-IF97 Eq. 30. For 0 … 373.946 °C.
double SatPressure(double T);
// Saturation temperature Ts(p), IAPWS-IF97 Eq. 31. For 0.000611213 … 22.064 MPa.
double SatTemperature(double P);

// B23 boundary: pressure on the boundary at T (IAPWS-IF97 Eq. 5), and temperature
// on the boundary at p (Eq. 6). The boundary runs from 350 °C, 16.529 MPa to
// 590 °C, 100 MPa.
double B23Pressure(double T);
double B23Temperature(double P);

// Saturated vapour volume v″(T): the region-2 volume at ps(T) up to 350 °C, the
// region-3 vapour root above.
double SatVapourVolume(double T);

// Saturated volumes of the region-3 equation for 350 °C ≤ T < 373.946 °C and
// P = ps(T): the liquid root (v′ ≤ vc) and the vapour root (v″ ≥ vc) of
// Pressure3(T, v) = P, always the outer roots of the isotherm's loop.
double SatLiquidVolume3(double T, double P);
double SatVapourVolume3(double T, double P);

// Temperature whose saturated vapour volume is V, for vc ≤ V ≤ 206.13971631.
// Below vc the result is Tc (v″ tends to vc there), above 206.1397 it is 0 °C.
double SatTemperatureFromVapourVolume(double V);
// Its start value: a fit in ln(V/vc), one table below and one above the vapour
// volume at 350 °C (0 outside vc … 206.13971631).
double SatTemperatureFromVapourVolumeStart(double V);

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
