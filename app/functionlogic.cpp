#include "app/functionlogic.h"

namespace tab97 {

namespace {

bool OutOfRange(if97::PropertyRegion region) {
  return region == if97::kRegionOutOfRange || region == if97::kRegionInputRange ||
         region == if97::kRegionPairUnsupported || region == if97::kRegionPairInvalid;
}

bool DefinesDryness(if97::PropertyRegion region) {
  switch (region) {
    case if97::kRegionWater:
    case if97::kRegionSteam:
    case if97::kRegionCritical:
    case if97::kRegionWetCritical:
    case if97::kRegionWet:
    case if97::kRegionMetastable: return true;
    default: return false;
  }
}

}  // namespace

if97::PropertyRegion RegionInsteadOfResult(if97::FunctionMethod method, if97::PropertyRegion region) {
  if (region == if97::kRegionNone) return if97::kRegionNone;
  if (OutOfRange(region)) return region;
  const bool drynessOfState =
      method == if97::FunctionMethod::kDryness || method == if97::FunctionMethod::kMoisture;
  if (drynessOfState && !DefinesDryness(region)) return region;
  return if97::kRegionNone;
}

}  // namespace tab97
