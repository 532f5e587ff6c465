#include "state.h"

namespace if97 {

SolverScratch gScratch;

void ClearScratch() { gScratch = SolverScratch{}; }

}  // namespace if97
