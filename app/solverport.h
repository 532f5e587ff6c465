// The window reaches the state solver through this function type, so that the
// program passes the property library's SolveState and a test can pass a recorder.
#pragma once

#include <cstdint>

#include "props/state.h"

namespace tab97 {

using SolveFunction = void (*)(std::int32_t PairCode, bool NeedP, bool NeedV, double Value1, double Value2,
                               bool NeedS, bool NeedI, bool PreferMetastable, double& T, double& P, double& V,
                               double& S, double& I, double& X, if97::PropertyRegion& Region);

}  // namespace tab97
