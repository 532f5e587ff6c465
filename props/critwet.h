// Wet steam between 350 °C and the critical point: the lever-rule target functions and
// temperature inversions of EvaluateCriticalWetSteam (props/evaluators.h).
//
// Both saturated phases come from the region-3 equation: the saturated volumes are
// SatLiquidVolume3 and SatVapourVolume3 at (T, SatPressure(T)), entropy and enthalpy
// Entropy3 and Enthalpy3 at those volumes. Units: T °C, V m3/kg, S kJ/(kg K),
// I kJ/kg.
#pragma once

#include "props/constants.h"

namespace if97 {

// Lever rule on the isochore V at T: writes ps, vLiq, sLiq, vVap, sVap to gScratch and
// returns sLiq + (V − vLiq)·(sVap − sLiq)/(vVap − vLiq).
double WetEntropyFromVolume5(double T, double V);
// Writes ps, vLiq, hLiq, vVap, hVap; returns the enthalpy of the wet state of volume V.
double WetEnthalpyFromVolume5(double T, double V);
// Writes ps, vLiq, sLiq, vVap, sVap; returns sVap·X + (1 − X)·sLiq.
double WetEntropyFromDryness5(double T, double X);

// Saturation temperature [°C] of the wet state. (V,S), (V,I): refined between 350 °C
// (sWet350 / hWet350 of the scratch) and the isochore's dew point (Ts, sVap / hVap);
// (S,X): between 350 °C (sWet350) and the critical point. Tolerances 1e-5 kJ/(kg K) on
// the entropy, 0.001 kJ/kg on the enthalpy.
double Temperature5FromVS(double V, double S);
double Temperature5FromVI(double V, double I);
double Temperature5FromSX(double X, double S);

}  // namespace if97
