// Independent reference states (data/reference-states.csv, IAPWS-IF97 evaluated by
// another implementation): every row is solved from its known pair and must get the
// listed region and state within the accuracy stated in the file's header, which is
// the one of ToleranceFor.
#include "testing.h"

namespace if97 {
namespace {

using namespace test;

TEST(ReferenceStates, EveryRowGetsItsRegionAndState) {
  const std::vector<Row> rows = Table("reference-states.csv");
  ASSERT_GE(rows.size(), 400u);
  int failed = 0;
  for (const Row& r : rows) {
    const std::int32_t pair = PairOf(r["pair"]);
    const auto region = static_cast<PropertyRegion>(r("region"));
    ASSERT_TRUE(pair / 10 >= 1 && pair % 10 <= kQuantityCount && pair / 10 < pair % 10) << "line " << r.line;
    State expected{};
    for (int k = 1; k <= kQuantityCount; ++k) expected[k] = r(std::string(1, "TPVSIX"[k - 1]));
    const Result got = SolveAll(pair, r("value1"), r("value2"), r["meta"] == "1");
    std::string bad = Deviations(got.q, expected, ToleranceFor(pair, region));
    if (got.region != region) bad = " region " + std::to_string(got.region) + " (expected " + r["region"] + ")" + bad;
    if (!bad.empty()) ADD_FAILURE() << "line " << r.line << ": " << r["pair"] << " " << r["value1"] << " "
                                    << r["value2"] << "\n   got:" << bad << (++failed, "");
  }
  EXPECT_EQ(failed, 0) << "of " << rows.size() << " rows";
}

}  // namespace
}  // namespace if97
