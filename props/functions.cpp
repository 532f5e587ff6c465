#include "props/functions.h"

#include <cmath>

#include "props/classifiers.h"
#include "props/solver.h"
#include "props/transport.h"

namespace if97 {

namespace {

// One SolveState call. Flags are written as a string of the letters P V S I that
// are set (the other flags false).
constexpr FunctionEntry Solve(std::int32_t code, const char* mnemonic, int in1, int in2, std::int32_t pair,
                              const char* flags, bool meta, int result) {
  FunctionEntry e{};
  e.code = code;
  e.group = code / 100;
  e.index = code % 100;
  e.nameCs = mnemonic;
  e.nameEn = mnemonic;
  e.inputCount = in2 == 0 ? 1 : 2;
  e.inputs = {in1, in2, 0};
  e.resultQuantity = result;
  e.method = FunctionMethod::kSolve;
  e.pair = pair;
  for (const char* f = flags; *f != '\0'; ++f) {
    if (*f == 'P') e.needP = true;
    if (*f == 'V') e.needV = true;
    if (*f == 'S') e.needS = true;
    if (*f == 'I') e.needI = true;
  }
  e.preferMetastable = meta;
  e.resultCell = result;
  return e;
}

// A saturation-line function: one input, the dryness fixed at 0 or 1.
constexpr FunctionEntry Saturation(std::int32_t code, const char* mnemonic, int in1, std::int32_t pair,
                                   double dryness, const char* flags, int result) {
  FunctionEntry e = Solve(code, mnemonic, in1, 0, pair, flags, false, result);
  e.hasFixedValue2 = true;
  e.fixedValue2 = dryness;
  return e;
}

constexpr FunctionEntry Supplementary(std::int32_t code, const char* cs, const char* en, FunctionMethod method,
                                      std::array<int, 3> inputs, int result) {
  FunctionEntry e{};
  e.code = code;
  e.group = 5;
  e.index = code % 100;
  e.nameCs = cs;
  e.nameEn = en;
  e.inputCount = inputs[2] != 0 ? 3 : 2;
  e.inputs = inputs;
  e.resultQuantity = result;
  e.method = method;
  return e;
}

constexpr FunctionEntry kCatalogue[] = {
    // Group 1: saturation line. Dryness 0 asks for saturated liquid, 1 for saturated vapour.
    Saturation(100, "Ts_P", kP, kPairPX, 0.0, "", kT),
    Saturation(101, "Ps_T", kT, kPairTX, 0.0, "P", kP),
    Saturation(102, "V12_T", kT, kPairTX, 0.0, "V", kV),
    Saturation(103, "V23_T", kT, kPairTX, 1.0, "V", kV),
    Saturation(104, "I12_T", kT, kPairTX, 0.0, "I", kI),
    Saturation(105, "I23_T", kT, kPairTX, 1.0, "I", kI),
    Saturation(106, "S12_T", kT, kPairTX, 0.0, "S", kS),
    Saturation(107, "S23_T", kT, kPairTX, 1.0, "S", kS),
    // Group 2: wet steam.
    Solve(200, "P_TX", kT, kX, kPairTX, "P", false, kP),
    Solve(201, "T_PX", kP, kX, kPairPX, "", false, kT),
    Solve(202, "V_PX", kP, kX, kPairPX, "V", false, kV),
    Solve(203, "V_TX", kT, kX, kPairTX, "V", false, kV),
    Solve(204, "I_PX", kP, kX, kPairPX, "I", false, kI),
    Solve(205, "I_TX", kT, kX, kPairTX, "I", false, kI),
    Solve(206, "S_PX", kP, kX, kPairPX, "S", false, kS),
    Solve(207, "S_TX", kT, kX, kPairTX, "S", false, kS),
    Solve(208, "P_TI", kT, kI, kPairTI, "P", false, kP),
    Solve(209, "V_TI", kT, kI, kPairTI, "V", false, kV),
    Solve(210, "S_TI", kT, kI, kPairTI, "S", false, kS),
    Solve(211, "X_TI", kT, kI, kPairTI, "", false, kX),
    Solve(212, "T_PV", kP, kV, kPairPV, "", false, kT),
    Solve(213, "S_PV", kP, kV, kPairPV, "S", false, kS),
    Solve(214, "I_PV", kP, kV, kPairPV, "I", false, kI),
    Solve(215, "X_PV", kP, kV, kPairPV, "", false, kX),
    // Group 3: functions over all regions.
    Solve(300, "T_PI", kP, kI, kPairPI, "", false, kT),
    Solve(301, "T_PS", kP, kS, kPairPS, "", false, kT),
    Solve(302, "T_VI", kV, kI, kPairVI, "", false, kT),
    Solve(303, "T_VS", kV, kS, kPairVS, "", false, kT),
    Solve(304, "P_TS", kT, kS, kPairTS, "P", false, kP),
    Solve(305, "P_TV", kT, kV, kPairTV, "P", false, kP),
    Solve(306, "P_VI", kV, kI, kPairVI, "P", false, kP),
    Solve(307, "P_VS", kV, kS, kPairVS, "P", false, kP),
    Solve(308, "V_PI", kP, kI, kPairPI, "V", false, kV),
    Solve(309, "V_PS", kP, kS, kPairPS, "V", false, kV),
    Solve(310, "V_TP", kT, kP, kPairTP, "V", false, kV),
    Solve(311, "V_TS", kT, kS, kPairTS, "V", false, kV),
    Solve(312, "S_PI", kP, kI, kPairPI, "S", false, kS),
    Solve(313, "S_TP", kT, kP, kPairTP, "S", false, kS),
    Solve(314, "S_TV", kT, kV, kPairTV, "S", false, kS),
    Solve(315, "S_VI", kV, kI, kPairVI, "S", false, kS),
    Solve(316, "I_PS", kP, kS, kPairPS, "I", false, kI),
    Solve(317, "I_TP", kT, kP, kPairTP, "I", false, kI),
    Solve(318, "I_TS", kT, kS, kPairTS, "I", false, kI),
    Solve(319, "I_TV", kT, kV, kPairTV, "I", false, kI),
    Solve(320, "I_VS", kV, kS, kPairVS, "I", false, kI),
    // Group 4: metastable steam preferred.
    Solve(400, "Ims_PS", kP, kS, kPairPS, "I", true, kI),
    Solve(401, "Ims_TP", kT, kP, kPairTP, "I", true, kI),
    Solve(402, "Sms_PI", kP, kI, kPairPI, "S", true, kS),
    Solve(403, "Sms_TP", kT, kP, kPairTP, "S", true, kS),
    Solve(404, "Tms_PI", kP, kI, kPairPI, "", true, kT),
    Solve(405, "Tms_PS", kP, kS, kPairPS, "", true, kT),
    Solve(406, "Vms_PI", kP, kI, kPairPI, "V", true, kV),
    Solve(407, "Vms_TP", kT, kP, kPairTP, "V", true, kV),
    // Group 5: supplementary functions.
    Supplementary(500, "Suchost", "Dryness", FunctionMethod::kDryness, {kP, kI, 0}, kX),
    Supplementary(501, "Vlhkost", "Moisture", FunctionMethod::kMoisture, {kP, kI, 0}, kX),
    Supplementary(502, "Dynamická viskozita", "Dynamic Viscosity", FunctionMethod::kViscosity, {kT, kP, 0}, 0),
    Supplementary(503, "Tepelná vodivost", "Thermal Conductivity", FunctionMethod::kConductivity, {kT, kP, 0}, 0),
    Supplementary(504, "KAPA", "Isentropic Exponent", FunctionMethod::kIsentropicExponent, {kP, kI, 0}, kX),
    Supplementary(505, "HISO", "HISO", FunctionMethod::kIsentropicDrop, {kP, kI, kP}, kI),
    Supplementary(506, "PumpISO", "PumpISO", FunctionMethod::kIsentropicPumpWork, {kP, kT, kP}, kI),
};
static_assert(std::size(kCatalogue) == kFunctionCount);

// Where each group starts in kCatalogue, and one past the end.
constexpr int kGroupStart[kFunctionGroupCount + 1] = {0, 8, 24, 45, 53, 60};

constexpr bool GroupsContiguous() {
  for (int g = 0; g < kFunctionGroupCount; ++g)
    for (int k = kGroupStart[g]; k < kGroupStart[g + 1]; ++k)
      if (kCatalogue[k].group != g + 1 || kCatalogue[k].index != k - kGroupStart[g]) return false;
  return true;
}
static_assert(GroupsContiguous(), "catalogue must list each group contiguously in index order");

const char* const kGroupNames[2][kFunctionGroupCount] = {
    {"Mez sytosti", "Mokrá pára", "Obecné funkce", "Metastabilní oblast", "Doplňkové funkce"},
    {"Saturation line", "Wet Steam", "Multi regional functions", "Metastable-steam region",
     "Supplementary functions"},
};

bool IsComputedRegion(PropertyRegion r) { return r != kRegionInputRange && r != kRegionPairUnsupported && r != kRegionPairInvalid; }

// The output cells of one solver call. Every cell starts at 0; the known
// quantities are preset to their values.
struct Cells {
  double q[kQuantityCount + 1] = {};  // indexed by StateQuantity
  PropertyRegion region = kRegionNone;
};

// Runs the solver calls of one evaluation and keeps the region record.
class Evaluation {
 public:
  // Solves for the pair; v1 belongs to the lower-numbered quantity of the pair.
  Cells Solve(std::int32_t pair, double v1, double v2, bool needP, bool needV, bool needS, bool needI,
              bool preferMetastable) {
    Cells c;
    c.q[pair / 10] = v1;
    c.q[pair % 10] = v2;
    SolveState(pair, needP, needV, v1, v2, needS, needI, preferMetastable, c.q[kT], c.q[kP], c.q[kV], c.q[kS],
               c.q[kI], c.q[kX], c.region);
    if (!outOfRange_) {
      region_ = c.region;
      outOfRange_ = !IsComputedRegion(c.region);
    }
    return c;
  }
  // An input that no solver call examines, checked against the pressure range
  // of the library; outside it counts as a call that found region 9.
  bool PressureInRange(double P) {
    const bool inside = P >= kPmin && P <= kPmax;  // false for NaN
    if (!inside && !outOfRange_) {
      region_ = kRegionInputRange;
      outOfRange_ = true;
    }
    return inside;
  }
  bool OutOfRange() const { return outOfRange_; }
  PropertyRegion Region() const { return region_; }

 private:
  PropertyRegion region_ = kRegionNone;
  bool outOfRange_ = false;
};

constexpr double kError = -1.0;

double SingleCall(const FunctionEntry& f, double in1, double in2, Evaluation& ev) {
  const double v2 = f.hasFixedValue2 ? f.fixedValue2 : in2;
  const Cells c = ev.Solve(f.pair, in1, v2, f.needP, f.needV, f.needS, f.needI, f.preferMetastable);
  return c.q[f.resultCell];
}

// Dryness of the (P, I) state: 0 for compressed water, 1 for single-phase steam
// (also near-critical and metastable), X of wet steam; otherwise undefined.
double Dryness(double P, double I, Evaluation& ev) {
  const Cells c = ev.Solve(kPairPI, P, I, false, false, false, false, false);
  switch (c.region) {
    case kRegionWater: return 0.0;
    case kRegionSteam:
    case kRegionCritical:
    case kRegionMetastable: return 1.0;
    case kRegionWetCritical:
    case kRegionWet: return c.q[kX];
    default: return kError;
  }
}

// Isentropic exponent −(v/p)(∂p/∂v)s by a central difference of ±1e-6 relative
// in pressure along the isentrope of the (P, I) state.
double IsentropicExponent(double P, double I, Evaluation& ev) {
  const double s = ev.Solve(kPairPI, P, I, false, true, true, false, false).q[kS];
  const double P1 = 1.000001 * P;
  const double V1 = ev.Solve(kPairPS, P1, s, false, true, false, false, false).q[kV];
  const double P2 = 0.999999 * P;
  const double V2 = ev.Solve(kPairPS, P2, s, false, true, false, false, false).q[kV];
  return -(V1 / P1) * (P1 - P2) / (V1 - V2);
}

// Isentropic heat drop of an expansion from (P1, I1) down to P2; 0 unless P2 < P1.
// The start state and the end pressure are checked before that rule: "no
// expansion" is an answer only for inputs inside the range, never for nonsense.
double IsentropicDrop(double P1, double I1, double P2, Evaluation& ev) {
  const Cells start = ev.Solve(kPairPI, P1, I1, false, false, true, false, false);
  if (ev.OutOfRange() || !ev.PressureInRange(P2)) return kError;
  if (!(P1 > P2)) return 0.0;
  const double h2 = ev.Solve(kPairPS, P2, start.q[kS], false, false, false, true, false).q[kI];
  const double drop = start.q[kI] - h2;
  return drop < 0.0 ? 0.0 : drop;
}

// Isentropic work of a compression from (P1, T1) up to P2; 0 when negative. Both
// solver calls run before that rule, so an input out of range is reported.
double IsentropicPumpWork(double P1, double T1, double P2, Evaluation& ev) {
  const Cells start = ev.Solve(kPairTP, T1, P1, false, false, true, true, false);
  const double h2 = ev.Solve(kPairPS, P2, start.q[kS], false, false, false, true, false).q[kI];
  const double work = h2 - start.q[kI];
  return work < 0.0 ? 0.0 : work;
}

double Evaluate(const FunctionEntry& f, double in1, double in2, double in3, Evaluation& ev) {
  switch (f.method) {
    case FunctionMethod::kSolve: return SingleCall(f, in1, in2, ev);
    case FunctionMethod::kDryness: return Dryness(in1, in2, ev);
    case FunctionMethod::kMoisture: return 1.0 - Dryness(in1, in2, ev);
    case FunctionMethod::kViscosity:
    case FunctionMethod::kConductivity: {
      const Cells c = ev.Solve(kPairTP, in1, in2, false, true, false, false, false);
      if (ev.OutOfRange()) return kError;
      return f.method == FunctionMethod::kViscosity ? DynamicViscosity(c.q[kT], c.q[kV])
                                                    : ThermalConductivity(c.q[kT], c.q[kV]);
    }
    case FunctionMethod::kIsentropicExponent: {
      const double k = IsentropicExponent(in1, in2, ev);
      return ev.OutOfRange() ? kError : k;
    }
    case FunctionMethod::kIsentropicDrop: {
      const double d = IsentropicDrop(in1, in2, in3, ev);
      return ev.OutOfRange() ? kError : d;
    }
    case FunctionMethod::kIsentropicPumpWork: {
      const double w = IsentropicPumpWork(in1, in2, in3, ev);
      return ev.OutOfRange() ? kError : w;
    }
  }
  return kError;
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t k = 0; k < a.size(); ++k) {
    char x = a[k], y = b[k];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

}  // namespace

std::span<const FunctionEntry> FunctionCatalogue() { return kCatalogue; }

std::span<const FunctionEntry> FunctionsOfGroup(int group) {
  if (group < 1 || group > kFunctionGroupCount) return {};
  const int first = kGroupStart[group - 1];
  return std::span<const FunctionEntry>(kCatalogue + first, static_cast<std::size_t>(kGroupStart[group] - first));
}

const FunctionEntry* FindFunction(std::int32_t code) {
  for (const auto& f : FunctionsOfGroup(code / 100))
    if (f.code == code) return &f;
  return nullptr;
}

const FunctionEntry* FindFunctionByName(std::string_view name) {
  for (const auto& f : kCatalogue)
    if (name == f.nameCs || name == f.nameEn) return &f;
  for (const auto& f : kCatalogue)
    if (EqualsIgnoringAsciiCase(name, f.nameCs) || EqualsIgnoringAsciiCase(name, f.nameEn)) return &f;
  return nullptr;
}

const char* FunctionGroupName(int group, int language) {
  if (group < 1 || group > kFunctionGroupCount || language < 0 || language > 1) return nullptr;
  return kGroupNames[language][group - 1];
}

double EvaluateFunction(std::int32_t code, double in1, double in2, double in3, PropertyRegion& region) {
  region = kRegionNone;
  const FunctionEntry* f = FindFunction(code);
  if (f == nullptr) return kError;
  Evaluation ev;
  const double result = Evaluate(*f, in1, in2, in3, ev);
  region = ev.Region();
  return std::isfinite(result) ? result : kError;
}

double EvaluateFunction(std::int32_t code, double in1, double in2, double in3) {
  PropertyRegion region;
  return EvaluateFunction(code, in1, in2, in3, region);
}

}  // namespace if97
