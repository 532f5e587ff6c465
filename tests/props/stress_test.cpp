// Pseudo-random and hostile inputs for every pair code: every call returns, the region
// is one SolveState can write and one the pair accepts, the zeroing rules hold, and
// every quantity of a computed state is finite.
#include <iomanip>
#include <random>

#include "testing.h"

// Number of calls; the sanitizer build passes a smaller count, IF97_STRESS_CALLS in the environment overrides.
#ifndef IF97_STRESS_CALLS
#define IF97_STRESS_CALLS 300000
#endif

namespace if97 {
namespace {

using namespace test;

// Regions each pair may end in besides 9.
const std::map<std::int32_t, std::string> kRegions = {
    {kPairTP, "123568"}, {kPairPS, "123568"}, {kPairPI, "123568"}, {kPairTS, "12356"}, {kPairVS, "12356"},
    {kPairVI, "12356"},  {kPairTV, "2356"},   {kPairTI, "56"},     {kPairTX, "56"},    {kPairPV, "56"},
    {kPairPX, "56"},     {kPairSX, "56"},     {kPairIX, "6"}};

// Values of each quantity on or next to a boundary of the range, and hostile ones.
const std::vector<double> kBoundaries[kQuantityCount + 1] = {
    {0.0, -0.0, -1.0, -1e300, 1e300, kNaN, kInf, -kInf, 5e-324, -5e-324, 1e-300, 2.0e10, -273.15, 1.0},
    {0, 350, 373.946, 590, 800, 170, 100, 373.9, 349.999999},
    {kPmin, kPmax, kP350, kCriticalPressure, 10.0, 0.101417977921, 16.6, 50.0},
    {kCriticalVolume, kVmax, kSatVapourVolume350, kVB100, kVmin3, 0.0017400705518, 0.001, 1.0},
    {0, kSmax, kCriticalEntropy, 5.210887825, 3.77828134, 9.1557594, -0.00015455},
    {0, kImax, 2563.5920039, 719.2063979, 2767.893655, 2500.892618, -0.04158783},
    {0, 1, 0.3001, 0.7001, 0.5, 0.95, 1e-6, 0.999999}};

TEST(SolveStateStress, EveryCallEndsInAValidRegion) {
  std::mt19937_64 rng(0x1F97u);
  const auto pick = [&rng](const auto& list) { return list[rng() % std::size(list)]; };
  const auto uniform = [&rng](double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng); };
  // Mostly inside and around the range of quantity k, sometimes on or next to a boundary, sometimes hostile.
  const auto value = [&](int k) {
    const double u = uniform(0, 1);
    if (u < 0.08) return pick(kBoundaries[0]);
    if (u < 0.25) {
      const double b = pick(kBoundaries[k]), side = pick(std::array{0, 0, 1, -1});
      return side ? std::nextafter(b, side * kInf) : b;
    }
    const double ranges[][2] = {{-50, 900}, {std::log(1e-5), std::log(200.0)}, {std::log(2e-4), std::log(500.0)},
                                {-0.5, 10}, {-100, 4500},                        {-0.2, 1.2}};
    const double x = uniform(ranges[k - 1][0], ranges[k - 1][1]);
    return k == kP || k == kV ? std::exp(x) : x;
  };
  const std::int32_t pairs[] = {12, 13, 14, 15, 16, 23, 24, 25, 26, 34, 35, 46, 56, 12, 13, 14, 15, 16, 23, 24, 25,
                                26, 34, 35, 46, 56, 36, 45, 0, 17, -12, 66, 99};
  long calls = IF97_STRESS_CALLS;
  if (const char* env = std::getenv("IF97_STRESS_CALLS"); env && std::strtol(env, nullptr, 10) > 0)
    calls = std::strtol(env, nullptr, 10);
  std::array<long, 12> seen{};
  int reported = 0;
  for (long n = 0; n < calls && reported < 20; ++n) {
    const std::int32_t pair = pick(pairs);
    const int a = pair > 0 ? pair / 10 : 0, b = pair > 0 ? pair % 10 : 0;
    const bool knownPair = a >= 1 && b <= kQuantityCount && a < b;
    const double v1 = value(knownPair ? a : kT), v2 = value(knownPair ? b : kP);
    const bool meta = rng() & 1;
    State q{0, -7, -7, -7, -7, -7, -7};
    PropertyRegion region = -1;
    SolveState(pair, rng() & 1, rng() & 1, v1, v2, rng() & 1, rng() & 1, meta, q[kT], q[kP], q[kV], q[kS], q[kI],
               q[kX], region);
    const auto allowed = kRegions.find(pair);
    bool ok = region >= 1 && region <= 11 && region != 4 && region != 7;
    if (ok) ++seen[static_cast<std::size_t>(region)];
    for (int k = 1; ok && k <= kQuantityCount; ++k) {
      if (region == kRegionPairUnsupported) {
        ok = (pair == kPairVX || pair == kPairSI) && q[k] == 0;
      } else if (region == kRegionPairInvalid) {
        ok = allowed == kRegions.end() && pair != kPairVX && pair != kPairSI && q[k] == -7;
      } else {
        ok = allowed != kRegions.end() &&
             (region == kRegionInputRange || allowed->second.find(char('0' + region)) != std::string::npos) &&
             (region == kRegionInputRange ? k == a || k == b || q[k] == 0 : std::isfinite(q[k]));
      }
    }
    if (!ok && ++reported) {
      ADD_FAILURE() << std::setprecision(17) << "call " << n << ": pair " << pair << " (" << v1 << ", " << v2
                    << ") metastable " << meta << " -> region " << region << " T " << q[kT] << " P " << q[kP] << " V "
                    << q[kV] << " S " << q[kS] << " I " << q[kI] << " X " << q[kX];
    }
  }
  // The inputs reach every region the solver can write.
  for (PropertyRegion r : {1, 2, 3, 5, 6, 8, 9, 10, 11}) EXPECT_GT(seen[static_cast<std::size_t>(r)], 0) << r;
}

}  // namespace
}  // namespace if97
