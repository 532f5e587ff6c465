// Logic of the calculator page that needs no widgets: the known pair, the solver
// request built from two typed values, and the roll animation of the region name.
#pragma once

#include "app/mainstate.h"

namespace tab97 {

struct PairInfo {
  int code;      // smaller quantity number × 10 + larger one
  bool swapped;  // entry 1 holds the larger quantity number
};

// The pair of entries 1 and 2 of the order.
PairInfo ComputePair(const QuantityOrderArray& order);

// Clicking result row k (1..4, entry p = k + 2): the clicked quantity becomes the
// first input, the old first input the second, and the old second input moves
// into the clicked row. Rows outside 1..4 change nothing.
void RotatePair(QuantityOrderArray& order, int row);

// The arguments of one SolveState call for the known pair of `order`, with u
// typed for entry 1 and w for entry 2.
struct SolveRequest {
  int pairCode = 0;
  bool needP = true, needV = true, needS = true, needI = true;
  double value1 = 0.0, value2 = 0.0;  // lower-numbered quantity first
  bool preferMetastable = false;
};
SolveRequest MakeSolveRequest(const QuantityOrderArray& order, double u, double w, bool preferMetastable);

// The region-name label rolls in (height down to 0 in steps of 3) and out (up to
// 18) on a 50 ms timer. The text changes only while the label is closed.
class RegionRoll {
 public:
  static constexpr int kOpenHeight = 18;
  static constexpr int kStep = 3;

  struct Tick {
    bool setText = false;    // show the name of the current region from now on
    bool stopTimer = false;  // disable the timer after this tick
  };

  // One timer tick for the current region code and language.
  Tick Step(int regionCode, int language);

  int Height() const { return height_; }
  bool Shown() const { return shown_; }

  // Forget everything: closed, nothing shown (the state at start).
  void Reset();

 private:
  int height_ = 0;
  bool shown_ = false;  // fully opened; must roll in before another name
  int textRegion_ = 0;  // region and language of the name on the label
  int textLanguage_ = -1;
};

}  // namespace tab97
