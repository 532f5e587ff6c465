// Logic of the function page that needs no widgets: whether an evaluated result
// is a value to show, or the state it came from has none.
#pragma once

#include "props/functions.h"
#include "props/state.h"

namespace tab97 {

// The region whose name the function page shows in place of the result, or 0
// when the result is a value to show as a number.
//
// A state outside the range, or a pair the solver does not handle (regions 4 and
// 9 to 11), has no value: the solver leaves zeros in its cells, and a zero shown
// as the saturation temperature at 50 MPa would read as a result. The dryness
// and the moisture are defined only for a state that falls into water, steam,
// the near-critical region, wet or metastable steam (regions 1, 2, 3, 5, 6, 8);
// any other region leaves them without a value. No evaluation (region 0) is
// not a region to name.
if97::PropertyRegion RegionInsteadOfResult(if97::FunctionMethod method, if97::PropertyRegion region);

}  // namespace tab97
