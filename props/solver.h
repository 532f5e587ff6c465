// SolveState: the one entry point through which every state of water and steam is
// computed from a known pair of quantities.
#pragma once

#include <cstdint>

#include "props/state.h"

namespace if97 {

// PairCode: 10·i + j of the two known quantities (i < j); Value1 belongs to i.
// NeedP … NeedI ask for the quantity to be computed (false for the known ones).
// PreferMetastable lets (T,P), (P,S) and (P,I) place a state in region 8.
// T … X are in-out: inputs, computed values, and untouched caller values for the
// rest. Region receives the region code (1…3, 5, 6, 8 computed; 9 out of range or
// not supported for the pair; 10 pair not supported; 11 invalid pair code).
// Not reentrant: it uses the process-wide gScratch.
void SolveState(std::int32_t PairCode, bool NeedP, bool NeedV, double Value1, double Value2, bool NeedS,
                bool NeedI, bool PreferMetastable, double& T, double& P, double& V, double& S, double& I,
                double& X, PropertyRegion& Region);

}  // namespace if97
