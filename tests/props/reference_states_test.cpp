// Independent reference states (IAPWS-IF97 evaluated by another implementation):
// every row is solved from its known pair and must get the listed region and state
// within the accuracy stated in the file's header.
#include <fstream>
#include <vector>

#include "testing.h"

#ifndef IF97_REFERENCE_STATES_CSV
#error "IF97_REFERENCE_STATES_CSV must name the reference-states file"
#endif

namespace if97 {
namespace {

using namespace test;

struct Row {
  int line = 0;
  std::string text;
  std::int32_t pair = 0;
  double v1 = 0, v2 = 0;
  bool meta = false;
  PropertyRegion region = 0;
  State q = {};
};

// Reads the table; a malformed line fails the test that loads it.
std::vector<Row> LoadRows(std::string& error) {
  std::ifstream in(IF97_REFERENCE_STATES_CSV);
  if (!in) {
    error = "cannot open " IF97_REFERENCE_STATES_CSV;
    return {};
  }
  std::vector<Row> rows;
  std::string line;
  int number = 0;
  bool header = false;
  while (std::getline(in, line)) {
    ++number;
    if (line.empty() || line[0] == '#') continue;
    if (!header) {  // column names
      header = true;
      continue;
    }
    std::vector<std::string> f;
    std::stringstream ss(line);
    for (std::string cell; std::getline(ss, cell, ',');) f.push_back(cell);
    if (f.size() != 11 || f[0].size() != 2) {
      error = "line " + std::to_string(number) + " malformed: " + line;
      return {};
    }
    Row r;
    r.line = number;
    r.text = line;
    const int a = QuantityOfLetter(f[0][0]), b = QuantityOfLetter(f[0][1]);
    if (a == 0 || b == 0 || a >= b) {
      error = "line " + std::to_string(number) + " bad pair: " + f[0];
      return {};
    }
    r.pair = MakePairCode(a, b);
    r.v1 = std::strtod(f[1].c_str(), nullptr);
    r.v2 = std::strtod(f[2].c_str(), nullptr);
    r.meta = f[3] == "1";
    r.region = std::atoi(f[4].c_str());
    for (int k = 1; k <= kQuantityCount; ++k) r.q[k] = std::strtod(f[4 + k].c_str(), nullptr);
    rows.push_back(r);
  }
  return rows;
}

// The accuracy of the file's header is the one of ToleranceFor.
TEST(ReferenceStates, EveryRowGetsItsRegionAndState) {
  std::string error;
  const std::vector<Row> rows = LoadRows(error);
  ASSERT_TRUE(error.empty()) << error;
  ASSERT_GE(rows.size(), 400u);

  int failed = 0;
  for (const Row& r : rows) {
    const Result got = SolveAll(r.pair, r.v1, r.v2, r.meta);
    std::string bad = Deviations(got.q, r.q, ToleranceFor(r.pair, r.region));
    if (got.region != r.region)
      bad = " region " + std::to_string(got.region) + " (expected " + std::to_string(r.region) + ")" + bad;
    if (!bad.empty()) {
      ++failed;
      ADD_FAILURE() << "line " << r.line << ": " << r.text << "\n   got:" << bad;
    }
  }
  EXPECT_EQ(failed, 0) << "of " << rows.size() << " rows";
}

}  // namespace
}  // namespace if97
