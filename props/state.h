// Shared codes of the property library: state quantities, pair codes, region codes
// and the solver scratch record that a classifier fills and the evaluator of the
// same SolveState call reads.
#pragma once

#include <cstdint>

namespace if97 {

// The six state quantities. Every per-quantity array of the program is indexed
// by this number (index 0 unused).
enum StateQuantity : int {
  kT = 1,  // temperature, °C
  kP = 2,  // pressure, MPa
  kV = 3,  // specific volume, m3/kg
  kS = 4,  // specific entropy, kJ/(kg K)
  kI = 5,  // specific enthalpy, kJ/kg
  kX = 6,  // dryness, 0 … 1
};
constexpr int kQuantityCount = 6;

// A known pair is coded 10·i + j with i < j; the value of quantity i is passed first.
enum PairCode : std::int32_t {
  kPairTP = 12, kPairTV = 13, kPairTS = 14, kPairTI = 15, kPairTX = 16,
  kPairPV = 23, kPairPS = 24, kPairPI = 25, kPairPX = 26,
  kPairVS = 34, kPairVI = 35, kPairVX = 36,
  kPairSI = 45, kPairSX = 46,
  kPairIX = 56,
};
constexpr std::int32_t MakePairCode(int a, int b) { return a < b ? 10 * a + b : 10 * b + a; }

// Region code written by SolveState.
using PropertyRegion = std::int32_t;
enum RegionCode : PropertyRegion {
  kRegionNone = 0,            // nothing computed yet (caller's initial value)
  kRegionWater = 1,           // compressed water (IF97 region 1)
  kRegionSteam = 2,           // superheated steam (IF97 region 2)
  kRegionCritical = 3,        // near-critical single phase (IF97 region 3)
  kRegionOutOfRange = 4,      // display only
  kRegionWetCritical = 5,     // wet steam between 350 °C and the critical point
  kRegionWet = 6,             // wet steam below 350 °C
  kRegionSaturation = 7,      // display only
  kRegionMetastable = 8,      // metastable (subcooled) steam
  kRegionInputRange = 9,      // inputs out of range or region not supported for the pair
  kRegionPairUnsupported = 10,
  kRegionPairInvalid = 11,
};

// Boundary values computed by a classifier and reused by the evaluator of the same
// call. SolveState clears it at the start of every call, so a field that the
// classifier of the pair does not write reads 0. Units as everywhere in the library.
struct SolverScratch {
  double Ts = 0;                   // saturation temperature, °C
  double ps = 0;                   // saturation pressure, MPa
  double vLiq = 0, vVap = 0;       // saturated volumes, m3/kg
  double sLiq = 0, sVap = 0;       // saturated entropies, kJ/(kg K)
  double hLiq = 0, hVap = 0;       // saturated enthalpies, kJ/kg
  double TB23 = 0;                 // B23 temperature of the isobar or isochore, °C
  double pB23 = 0;                 // B23 pressure of the isotherm, MPa
  double vB23 = 0;                 // v2(T, pB23)
  double sB23 = 0;                 // entropy at the B23 point
  double hB23 = 0;                 // enthalpy at the B23 point
  double v100MPa = 0;              // volume at 100 MPa on the isotherm
  double s100MPa = 0;              // entropy at 100 MPa on the isotherm or isochore
  double T100MPa = 0, h100MPa = 0; // where the isochore reaches 100 MPa
  double p800C = 0, s800C = 0, h800C = 0;  // at 800 °C on the isobar or isochore
  double vPmin = 0, sPmin = 0;     // at the lowest pressure 0.0006112126774 MPa
  double sWet0 = 0, hWet0 = 0;     // 0 °C wet-steam line at the state's V or X
  double sWet350 = 0, hWet350 = 0; // 350 °C wet-steam line
  double hWet170 = 0;              // 170 °C wet-steam line at the state's X
};

// The one process-wide scratch record; SolveState is therefore not reentrant.
extern SolverScratch gScratch;

// Every field := 0.
void ClearScratch();

}  // namespace if97
