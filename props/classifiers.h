// Region classifiers: one per supported known pair. Each compares its two inputs
// with the boundary lines of the supported range (saturation line, B23 boundary,
// 350 °C isotherm, 100 MPa isobar, 800 °C isotherm, metastable-steam limit) and
// returns the region code of the state. A classifier never solves for the state;
// it evaluates boundary lines and region equations at fixed points only, and leaves
// the values it computed in gScratch, where the evaluator of the same SolveState
// call takes its brackets and saturation values from.
//
// The classifiers do not clear gScratch (SolveState does, once per call). Inputs
// must be finite: SolveState rejects NaN and infinite inputs before any classifier
// runs (a NaN compares false with every boundary and would pass some rules).
#pragma once

#include <cstdint>

#include "props/constants.h"
#include "props/state.h"

namespace if97 {


// Pair 12. Returns 1, 2, 3, 8 or 9. Region 8 only with PreferMetastable.
PropertyRegion ClassifyTP(double T, double P, bool PreferMetastable);
// Pair 13. Returns 1, 2, 3, 5, 6 or 9.
PropertyRegion ClassifyTV(double T, double V);
// Pair 14. Returns 1, 2, 3, 5, 6 or 9.
PropertyRegion ClassifyTS(double T, double S);
// Pair 15, wet steam only. Returns 5, 6 or 9.
PropertyRegion ClassifyTI(double T, double I);
// Pair 16 (dryness first). Returns 5 (T > 350 °C), 6 or 9.
PropertyRegion ClassifyTX(double X, double T);
// Pair 23, wet steam only. Returns 5, 6 or 9.
PropertyRegion ClassifyPV(double P, double V);
// Pair 24. Returns 1, 2, 3, 5, 6, 8 or 9. Region 8 only with PreferMetastable.
PropertyRegion ClassifyPS(double P, double S, bool PreferMetastable);
// Pair 25. Returns 1, 2, 3, 5, 6, 8 or 9. Region 8 only with PreferMetastable.
PropertyRegion ClassifyPI(double P, double I, bool PreferMetastable);
// Pair 26 (dryness first). Returns 5 (Ts(P) >= 350 °C), 6 or 9.
PropertyRegion ClassifyPX(double X, double P);
// Pair 34, vapour side of the critical volume only. Returns 2, 3, 5, 6 or 9.
PropertyRegion ClassifyVS(double V, double S);
// Pair 35, vapour side of the critical volume only. Returns 2, 3, 5, 6 or 9.
PropertyRegion ClassifyVI(double V, double I);
// Pair 46 (dryness first), wet steam with X <= 0.3001 or X >= 0.7001. Returns 5, 6 or 9.
PropertyRegion ClassifySX(double X, double S);
// Pair 56 (dryness first), wet steam from 0 °C to about 170 °C. Returns 6 or 9.
PropertyRegion ClassifyIX(double X, double I);

}  // namespace if97
