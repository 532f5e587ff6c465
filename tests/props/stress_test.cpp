// Pseudo-random and hostile inputs for every pair code: every call returns, the
// region is one SolveState can write and one the pair accepts, the zeroing rules
// hold, and every quantity of a computed state is finite.
#include <random>

#include "testing.h"

// Number of calls; the sanitizer build passes a smaller count. The environment
// variable IF97_STRESS_CALLS overrides either.
#ifndef IF97_STRESS_CALLS
#define IF97_STRESS_CALLS 300000
#endif

namespace if97 {
namespace {

using test::kInf;
using test::kNaN;

long CallCount() {
  if (const char* env = std::getenv("IF97_STRESS_CALLS")) {
    const long n = std::strtol(env, nullptr, 10);
    if (n > 0) return n;
  }
  return IF97_STRESS_CALLS;
}

// Regions each pair may end in (9 always possible); none for the others.
bool Allowed(std::int32_t pair, PropertyRegion r) {
  static const std::map<std::int32_t, std::string> kRegions = {
      {kPairTP, "123568"}, {kPairPS, "123568"}, {kPairPI, "123568"}, {kPairTS, "12356"}, {kPairVS, "12356"},
      {kPairVI, "12356"},  {kPairTV, "2356"},   {kPairTI, "56"},     {kPairTX, "56"},    {kPairPV, "56"},
      {kPairPX, "56"},     {kPairSX, "56"},     {kPairIX, "6"}};
  const auto it = kRegions.find(pair);
  return it != kRegions.end() && (r == kRegionInputRange || (r < 9 && it->second.find(char('0' + r)) != std::string::npos));
}

class Inputs {
 public:
  explicit Inputs(std::uint64_t seed) : rng_(seed) {}

  std::int32_t Pair() {
    static constexpr std::int32_t kPairs[] = {12, 13, 14, 15, 16, 23, 24, 25, 26, 34, 35, 46, 56,
                                              12, 13, 14, 15, 16, 23, 24, 25, 26, 34, 35, 46, 56,
                                              36, 45, 0, 17, -12, 66, 99};
    return kPairs[Index(std::size(kPairs))];
  }

  bool Flag() { return (rng_() & 1) != 0; }

  // A value for quantity k: mostly inside and around its range, sometimes exactly
  // on or next to a boundary, sometimes hostile.
  double Value(int k) {
    const double u = Uniform(0, 1);
    if (u < 0.08) return Hostile();
    if (u < 0.25) return NearBoundary(k);
    switch (k) {
      case kT: return Uniform(-50, 900);
      case kP: return std::exp(Uniform(std::log(1e-5), std::log(200.0)));
      case kV: return std::exp(Uniform(std::log(2e-4), std::log(500.0)));
      case kS: return Uniform(-0.5, 10);
      case kI: return Uniform(-100, 4500);
      default: return Uniform(-0.2, 1.2);
    }
  }

 private:
  std::size_t Index(std::size_t n) { return static_cast<std::size_t>(rng_() % n); }
  double Uniform(double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng_); }

  double Hostile() {
    static constexpr double kHostile[] = {0.0,   -0.0,   -1.0,  -1e300, 1e300, kNaN, kInf, -kInf,
                                          5e-324, -5e-324, 1e-300, 2.0e10, -273.15, 1.0};
    return kHostile[Index(std::size(kHostile))];
  }

  double NearBoundary(int k) {
    static constexpr double kT_[] = {0, 350, 373.946, 590, 800, 170, 100, 373.9, 349.999999};
    static constexpr double kP_[] = {kPmin, kPmax, kP350, kCriticalPressure, 10.0, 0.101417977921, 16.6, 50.0};
    static constexpr double kV_[] = {kCriticalVolume, kVmax, kSatVapourVolume350, kVB100, kVmin3, 0.0017400705518, 0.001, 1.0};
    static constexpr double kS_[] = {0, kSmax, kCriticalEntropy, 5.210887825, 3.77828134, 9.1557594, -0.00015455};
    static constexpr double kI_[] = {0, kImax, 2563.5920039, 719.2063979, 2767.893655, 2500.892618, -0.04158783};
    static constexpr double kX_[] = {0, 1, 0.3001, 0.7001, 0.5, 0.95, 1e-6, 0.999999};
    double b;
    switch (k) {
      case kT: b = kT_[Index(std::size(kT_))]; break;
      case kP: b = kP_[Index(std::size(kP_))]; break;
      case kV: b = kV_[Index(std::size(kV_))]; break;
      case kS: b = kS_[Index(std::size(kS_))]; break;
      case kI: b = kI_[Index(std::size(kI_))]; break;
      default: b = kX_[Index(std::size(kX_))]; break;
    }
    switch (Index(4)) {
      case 0: return std::nextafter(b, kInf);
      case 1: return std::nextafter(b, -kInf);
      default: return b;
    }
  }

  std::mt19937_64 rng_;
};

TEST(SolveStateStress, EveryCallEndsInAValidRegion) {
  Inputs in(0x1F97u);
  const long calls = CallCount();
  std::array<long, 12> seen{};
  int reported = 0;
  for (long n = 0; n < calls && reported < 20; ++n) {
    const std::int32_t pair = in.Pair();
    const int a = pair > 0 ? pair / 10 : 0, b = pair > 0 ? pair % 10 : 0;
    const bool knownPair = a >= 1 && b <= kQuantityCount && a < b;
    const double v1 = in.Value(knownPair ? a : kT), v2 = in.Value(knownPair ? b : kP);
    const bool meta = in.Flag();
    std::array<double, kQuantityCount + 1> q{0, -7, -7, -7, -7, -7, -7};
    PropertyRegion region = -1;
    SolveState(pair, in.Flag(), in.Flag(), v1, v2, in.Flag(), in.Flag(), meta, q[kT], q[kP], q[kV], q[kS], q[kI],
               q[kX], region);

    std::ostringstream what;
    what.precision(17);
    what << "call " << n << ": pair " << pair << " (" << v1 << ", " << v2 << ") metastable " << meta
         << " -> region " << region;
    bool ok = true;
    if (region < 0 || region > 11 || region == 0 || region == 4 || region == 7) {
      ok = false;
    } else {
      ++seen[static_cast<std::size_t>(region)];
      if (region == kRegionPairUnsupported) {
        ok = (pair == kPairVX || pair == kPairSI);
        for (int k = 1; k <= kQuantityCount; ++k) ok = ok && q[k] == 0;
      } else if (region == kRegionPairInvalid) {
        ok = !Allowed(pair, kRegionWet) && pair != kPairVX && pair != kPairSI;  // not one of the fifteen
        for (int k = 1; k <= kQuantityCount; ++k) ok = ok && q[k] == -7;
      } else {
        ok = Allowed(pair, region);
        if (region == kRegionInputRange) {
          for (int k = 1; k <= kQuantityCount; ++k)
            if (k != a && k != b) ok = ok && q[k] == 0;
        } else {
          // A computed state: every quantity finite (the ones not asked for keep -7).
          for (int k = 1; k <= kQuantityCount; ++k) ok = ok && std::isfinite(q[k]);
        }
      }
    }
    if (!ok) {
      ++reported;
      ADD_FAILURE() << what.str() << " T " << q[kT] << " P " << q[kP] << " V " << q[kV] << " S " << q[kS] << " I "
                    << q[kI] << " X " << q[kX];
    }
  }
  // The inputs reach every region the solver can write.
  for (PropertyRegion r : {1, 2, 3, 5, 6, 8, 9, 10, 11}) EXPECT_GT(seen[static_cast<std::size_t>(r)], 0) << r;
}

}  // namespace
}  // namespace if97
