// One state solved from a pair as the user gave it.
#pragma once

#include "cli/parse.h"
#include "props/state.h"

namespace if97::cli {

struct SolvedState {
  double q[kQuantityCount + 1] = {};  // indexed by StateQuantity; 0 where nothing was computed
  PropertyRegion region = kRegionNone;
};

// `first` and `second` are the values in the order the pair was given; every
// quantity that is not known is asked for.
SolvedState SolvePair(const PairSpec& pair, double first, double second, bool preferMetastable);

}  // namespace if97::cli
