// Region evaluators: each fills in the quantities asked for from the known pair and
// from the boundary values the classifier of the same call left in gScratch.
// Called only by SolveState, after the pair's classifier.
#pragma once

#include <cstdint>

namespace if97 {

// Compressed water and superheated steam. On return T and P are set, V, S, I where asked.
void EvaluateRegion1(std::int32_t pair, bool NeedV, bool NeedS, bool NeedI, double& T, double& P, double& V,
                     double& S, double& I);
void EvaluateRegion2(std::int32_t pair, bool NeedV, bool NeedS, bool NeedI, double& T, double& P, double& V,
                     double& S, double& I);

// Near-critical single phase; its natural pair is (T, v), hence NeedP instead of NeedV.
void EvaluateRegion3(std::int32_t pair, bool NeedP, bool NeedS, bool NeedI, double& T, double& P, double& V,
                     double& S, double& I);

// Wet steam below 350 °C; sets X unless given.
void EvaluateWetSteam(std::int32_t pair, bool NeedV, bool NeedS, bool NeedI, double& T, double& P, double& V,
                      double& S, double& I, double& X);

// Wet steam between 350 °C and the critical point; sets X unless given.
void EvaluateCriticalWetSteam(std::int32_t pair, bool NeedV, bool NeedS, bool NeedI, double& T, double& P,
                              double& V, double& S, double& I, double& X);

// Metastable (subcooled) steam; SolveState sets X := 1 afterwards.
void EvaluateMetastable(std::int32_t pair, bool NeedV, bool NeedS, bool NeedI, double& T, double& P, double& V,
                        double& S, double& I);

}  // namespace if97
