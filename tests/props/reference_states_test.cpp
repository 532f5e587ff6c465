// Independent reference states (IAPWS-IF97 evaluated by another implementation):
// every row is solved from its known pair and must get the listed region and state
// within the accuracy stated in the file's header.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "props/solver.h"
#include "props/state.h"

#ifndef IF97_REFERENCE_STATES_CSV
#error "IF97_REFERENCE_STATES_CSV must name the reference-states file"
#endif

namespace if97 {
namespace {

struct Row {
  int line = 0;
  std::string text;
  std::int32_t pair = 0;
  double v1 = 0, v2 = 0;
  bool meta = false;
  PropertyRegion region = 0;
  double q[kQuantityCount + 1] = {};
};

int QuantityOfLetter(char c) {
  switch (c) {
    case 'T': return kT;
    case 'P': return kP;
    case 'V': return kV;
    case 'S': return kS;
    case 'I': return kI;
    case 'X': return kX;
    default: return 0;
  }
}

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

// Accuracy of the file's header: T 0.03 K, P and V 0.2 % relative, S 0.002,
// I 1 kJ/kg, X 0.002; region 3 from (P,S) or (P,I): T 1 K, V 2 %, S 0.01, I 10;
// region 2 from (V,S) or (V,I): T 0.5 K, P 0.5 %, S 0.005, I 5.
struct Tolerance {
  double T, relP, relV, S, I, X;
};

Tolerance ToleranceFor(const Row& r) {
  Tolerance t{0.03, 2e-3, 2e-3, 0.002, 1.0, 0.002};
  if (r.region == kRegionCritical && (r.pair == kPairPS || r.pair == kPairPI)) {
    t.T = 1.0;
    t.relV = 2e-2;
    t.S = 0.01;
    t.I = 10.0;
  }
  if (r.region == kRegionSteam && (r.pair == kPairVS || r.pair == kPairVI)) {
    t.T = 0.5;
    t.relP = 5e-3;
    t.S = 0.005;
    t.I = 5.0;
  }
  return t;
}

TEST(ReferenceStates, EveryRowGetsItsRegionAndState) {
  std::string error;
  const std::vector<Row> rows = LoadRows(error);
  ASSERT_TRUE(error.empty()) << error;
  ASSERT_GE(rows.size(), 400u);

  int failed = 0;
  for (const Row& r : rows) {
    const int a = r.pair / 10, b = r.pair % 10;
    auto need = [&](int k) { return k != a && k != b; };
    double q[kQuantityCount + 1] = {};
    PropertyRegion region = 0;
    SolveState(r.pair, need(kP), need(kV), r.v1, r.v2, need(kS), need(kI), r.meta, q[kT], q[kP], q[kV], q[kS],
               q[kI], q[kX], region);

    const Tolerance t = ToleranceFor(r);
    const double tol[kQuantityCount + 1] = {0, t.T, t.relP * std::fabs(r.q[kP]), t.relV * std::fabs(r.q[kV]),
                                            t.S, t.I, t.X};
    const char* names = " TPVSIX";
    std::ostringstream bad;
    if (region != r.region) bad << " region " << region << " (expected " << r.region << ")";
    for (int k = 1; k <= kQuantityCount; ++k) {
      if (!(std::fabs(q[k] - r.q[k]) <= tol[k]))
        bad << " " << names[k] << " " << q[k] << " (expected " << r.q[k] << ", tolerance " << tol[k] << ")";
    }
    if (!bad.str().empty()) {
      ++failed;
      ADD_FAILURE() << "line " << r.line << ": " << r.text << "\n   got:" << bad.str();
    }
  }
  EXPECT_EQ(failed, 0) << "of " << rows.size() << " rows";
}

}  // namespace
}  // namespace if97
