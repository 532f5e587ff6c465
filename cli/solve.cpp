#include "cli/solve.h"

#include "props/solver.h"

namespace if97::cli {

SolvedState SolvePair(const PairSpec& pair, double first, double second, bool preferMetastable) {
  const double value1 = pair.swapped ? second : first;
  const double value2 = pair.swapped ? first : second;
  const int known1 = pair.code / 10;
  const int known2 = pair.code % 10;
  auto need = [&](int q) { return q != known1 && q != known2; };
  SolvedState s;
  SolveState(pair.code, need(kP), need(kV), value1, value2, need(kS), need(kI), preferMetastable, s.q[kT], s.q[kP],
             s.q[kV], s.q[kS], s.q[kI], s.q[kX], s.region);
  return s;
}

}  // namespace if97::cli
