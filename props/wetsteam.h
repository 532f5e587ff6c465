// Wet steam below 350 °C: the target functions and temperature inversions of
// EvaluateWetSteam (props/evaluators.h) for the pairs that know neither T nor P.
//
// Saturated liquid values come from the region-1 equation and saturated vapour values
// from the region-2 equation, both at (T, SatPressure(T)). The target functions vary
// T [°C] with the second argument fixed and leave the saturation values they compute
// in gScratch: ps and the fields named with each, all at the last trial temperature.
#pragma once

#include <cstdint>

namespace if97 {

// Dryness limits of the lever rule: below kLiquidSideDryness the saturated liquid
// value is evaluated, above kVapourSideDryness the saturated vapour value.
inline constexpr double kLiquidSideDryness = 0.999999;
inline constexpr double kVapourSideDryness = 1e-6;

// What the scratch holds for one family of saturated values (vLiq/vVap, sLiq/sVap or
// hLiq/hVap) when the lever rule runs.
enum class Held {
  kNone,   // nothing: the path of the known pair did not compute them (they read 0)
  kTrial,  // the values of the last trial temperature of a temperature inversion
  kExact,  // the values at the state's own (T, P), computed by the classifier
};

// Whether the lever rule evaluates the liquid (vapour) side of a family. Values held
// at the state's own (T, P) are used as they are. Values of the last trial
// temperature are evaluated again inside the dryness limit; outside it their weight
// is at most 1e-6 and they stand. A side the scratch does not hold is evaluated
// whenever its weight is non-zero: only X = 1 exactly skips the liquid side and X = 0
// exactly the vapour side.
constexpr bool LeverLiquidSide(double X, Held held) {
  if (held == Held::kExact) return false;
  return X < kLiquidSideDryness || (held == Held::kNone && X != 1.0);
}
constexpr bool LeverVapourSide(double X, Held held) {
  if (held == Held::kExact) return false;
  return X > kVapourSideDryness || (held == Held::kNone && X != 0.0);
}

// Families of saturated values, for the masks of what a pair's path holds.
enum HeldFamily : unsigned {
  kHeldNone = 0,
  kHeldVolume = 1,    // vLiq, vVap
  kHeldEntropy = 2,   // sLiq, sVap
  kHeldEnthalpy = 4,  // hLiq, hVap
};

// The holding state of `family` for a pair whose path holds the families in `mask`:
// pairs that know T or P (codes below 34) hold exact values, the others (V,S), (V,I),
// (S,X), (I,X) the values of the last trial temperature.
constexpr Held HeldOf(unsigned mask, unsigned family, int pair) {
  if ((mask & family) == 0) return Held::kNone;
  return pair < 34 ? Held::kExact : Held::kTrial;
}

// Dryness of the wet state whose value y lies between the saturated values liq, vap.
constexpr double WetDryness(double y, double liq, double vap) { return (y - liq) / (vap - liq); }

// Step 1 of both wet-steam evaluators for the pairs that know T or P (codes 13–26):
// the other of T and P is the saturation value the classifier left in the scratch, and
// X follows from the known V, S or I and the saturated values there. Returns false for
// the other pairs, which find their temperature by an inversion.
bool CompleteWetPairWithKnownTOrP(std::int32_t pair, double& T, double& P, double V, double S, double I, double& X);

// Lever rule on the isochore V: writes ps, vLiq, sLiq, vVap, sVap; returns
// sLiq + (V − vLiq)·(sVap − sLiq)/(vVap − vLiq).
double WetEntropyFromVolume6(double T, double V);
// Writes ps, vLiq, hLiq, vVap, hVap; returns the enthalpy of the wet state of volume V.
double WetEnthalpyFromVolume6(double T, double V);
// Writes ps, sLiq, sVap; returns (1 − X)·sLiq + X·sVap.
double WetEntropyFromDryness6(double T, double X);
// Writes ps, hLiq, hVap; returns (1 − X)·hLiq + X·hVap.
double WetEnthalpyFromDryness6(double T, double X);

// Saturation temperature [°C] of the wet state, refined between the 0 °C wet-steam
// line (sWet0 / hWet0 of the scratch) and the upper end: the 350 °C wet-steam line
// (sWet350 / hWet350) when it lies at or above the dew point's value, else the dew
// point (Ts, sVap / hVap). Tolerances: 1e-5 kJ/(kg K) on S, 0.001 kJ/kg on I.
double Temperature6FromVS(double V, double S);
double Temperature6FromVI(double V, double I);
// Between the 0 °C and 350 °C wet-steam lines (sWet0, sWet350), tolerance 1e-5.
double Temperature6FromSX(double X, double S);
// Between the 0 °C and 170 °C wet-steam lines (hWet0, hWet170), tolerance 0.001.
double Temperature6FromIX(double X, double I);

}  // namespace if97
