// The equations of the property library: forward and backward equations of
// regions 1 and 2 and of metastable steam, the saturation line, the B23 boundary
// and auxiliary lines, and the region-3 equation with its inversions.
#pragma once

#include "props/forward.h"      // units, constants, Region1V … MetaI
#include "props/backward.h"     // T(p,h), T(p,s) of regions 1 and 2
#include "props/saturation.h"   // saturation line, B23, auxiliary lines
#include "props/saturation3.h" // saturated volumes of region 3, T(v″)
#include "props/region3.h"      // region-3 equation and its inversions
