#include <gtest/gtest.h>

#include "props/state.h"

namespace if97 {
namespace {

TEST(PairCodes, LowerQuantityFirst) {
  EXPECT_EQ(MakePairCode(kT, kP), kPairTP);
  EXPECT_EQ(MakePairCode(kX, kI), kPairIX);
  EXPECT_EQ(MakePairCode(kS, kV), kPairVS);
}

TEST(SolverScratch, ClearZeroesEveryField) {
  gScratch.Ts = 1;
  gScratch.hWet170 = 2;
  gScratch.p800C = 3;
  ClearScratch();
  const auto* p = reinterpret_cast<const double*>(&gScratch);
  for (std::size_t i = 0; i < sizeof(SolverScratch) / sizeof(double); ++i) EXPECT_EQ(p[i], 0.0) << "field " << i;
}

}  // namespace
}  // namespace if97
