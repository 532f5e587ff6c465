// Saturated states of the region-3 equation near the critical point (350 °C …
// 373.946 °C), and the saturated vapour volume over the whole saturation line with
// its inversion. Units: T in °C, P in MPa, V in m3/kg. Every search has a pass
// budget; no argument (NaN included) makes a function hang.
#pragma once

#include "props/constants.h"
#include "props/region3.h"

namespace if97 {

// Saturated vapour volume v″(T): the region-2 volume at ps(T) up to 350 °C, the
// region-3 vapour root above.
double SatVapourVolume(double T);

// Saturated volumes of the region-3 equation for 350 °C ≤ T < 373.946 °C and
// P = ps(T): the liquid root (v′ ≤ vc) and the vapour root (v″ ≥ vc) of
// Pressure3(T, v) = P, always the outer roots of the isotherm's loop.
double SatLiquidVolume3(double T, double P);
double SatVapourVolume3(double T, double P);

// The saturated liquid (Vapour false) or vapour volume at (T, P = ps(T)) by Newton's
// method from a nearby volume v0, for example the saturated volume of a nearby
// temperature moved along the saturation line, with the equation and its
// derivatives at the result in At. Converged when the Newton step falls below 1e-7
// of the volume (or the pressure agrees to the rounding of its sum), which leaves
// the volume closer to the outer root than the searches above do. False when an
// iterate leaves the outer branch of its side of vc, or after a few steps: the
// caller then takes SatLiquidVolume3 or SatVapourVolume3.
bool SaturatedStateNear(double T, double P, double v0, bool Vapour, double& V, Region3Point& At);

// Temperature whose saturated vapour volume is V, for vc ≤ V ≤ 206.13971631.
// Below vc the result is Tc (v″ tends to vc there), above 206.1397 it is 0 °C.
double SatTemperatureFromVapourVolume(double V);
// Its start value: a fit in ln(V/vc), one table below and one above the vapour
// volume at 350 °C (0 outside vc … 206.13971631).
double SatTemperatureFromVapourVolumeStart(double V);

}  // namespace if97
