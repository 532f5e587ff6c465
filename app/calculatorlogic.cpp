#include "app/calculatorlogic.h"

#include <utility>

namespace tab97 {

QuantityOrderArray InitialQuantityOrder() { return {0, 1, 2, 3, 4, 5, 6}; }

PairInfo ComputePair(const QuantityOrderArray& order) {
  const int first = order[1], second = order[2];
  if (second >= first) return {first * 10 + second, false};
  return {second * 10 + first, true};
}

void RotatePair(QuantityOrderArray& order, int row) {
  if (row < 1 || row > 4) return;
  const int p = row + 2;
  const int oldFirst = order[1], oldSecond = order[2], clicked = order[p];
  order[1] = clicked;
  order[2] = oldFirst;
  order[p] = oldSecond;
}

SolveRequest MakeSolveRequest(const QuantityOrderArray& order, double u, double w, bool preferMetastable) {
  const PairInfo pair = ComputePair(order);
  SolveRequest r;
  r.pairCode = pair.code;
  r.value1 = pair.swapped ? w : u;
  r.value2 = pair.swapped ? u : w;
  r.preferMetastable = preferMetastable;
  for (int entry = 1; entry <= 2; ++entry) {
    switch (order[entry]) {
      case if97::kP: r.needP = false; break;
      case if97::kV: r.needV = false; break;
      case if97::kS: r.needS = false; break;
      case if97::kI: r.needI = false; break;
      default: break;
    }
  }
  return r;
}

RegionRoll::Tick RegionRoll::Step(int regionCode, int language) {
  Tick tick;
  if (regionCode == 0) {
    if (height_ < 1) {
      shown_ = false;
      tick.stopTimer = true;
    } else {
      height_ -= kStep;
    }
    return tick;
  }
  // A label still rolling out with the name of an earlier result (or language)
  // turns round and rolls in, so the new name is never shown under the old text.
  if (!shown_ && height_ > 0 && (textRegion_ != regionCode || textLanguage_ != language)) shown_ = true;
  if (height_ <= 0) {
    tick.setText = true;
    textRegion_ = regionCode;
    textLanguage_ = language;
  }
  if (shown_) {
    if (height_ >= 1) height_ -= kStep;
    else shown_ = false;
    if (shown_) return tick;
  }
  if (height_ >= kOpenHeight) {
    shown_ = true;
    tick.stopTimer = true;
  } else {
    height_ += kStep;
  }
  return tick;
}

void RegionRoll::Reset() { *this = RegionRoll(); }

}  // namespace tab97
