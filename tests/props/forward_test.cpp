// Forward equations of regions 1, 2 and metastable steam: the verification values
// of the published standard, states computed by an independent implementation,
// the Gibbs-function identities that tie v, s and h together, and bad input.
#include "props/forward.h"

#include "testing.h"

namespace if97 {
namespace {

using namespace test;
using Forward = double (*)(double, double);

struct VerificationRow {
  const char* name;
  Forward f;
  double T, P;           // °C, MPa
  const char* expected;  // written to the digits the standard gives
};

// The standard's verification tables for regions 1 and 2 and metastable vapour
// (T = 300, 500, 700, 450, 440 K), with T in °C.
const VerificationRow kVerification[] = {
    {"Region1V", Region1V, 26.85, 3, "0.00100215168"},
    {"Region1I", Region1I, 26.85, 3, "115.331273"},
    {"Region1S", Region1S, 26.85, 3, "0.392294792"},
    {"Region1V", Region1V, 26.85, 80, "0.000971180894"},
    {"Region1I", Region1I, 26.85, 80, "184.142828"},
    {"Region1S", Region1S, 26.85, 80, "0.368563852"},
    {"Region1V", Region1V, 226.85, 3, "0.00120241800"},
    {"Region1I", Region1I, 226.85, 3, "975.542239"},
    {"Region1S", Region1S, 226.85, 3, "2.58041912"},
    {"Region2V", Region2V, 26.85, 0.0035, "39.4913866"},
    {"Region2I", Region2I, 26.85, 0.0035, "2549.91145"},
    {"Region2S", Region2S, 26.85, 0.0035, "8.52238967"},
    {"Region2V", Region2V, 426.85, 0.0035, "92.3015898"},
    {"Region2I", Region2I, 426.85, 0.0035, "3335.68375"},
    {"Region2S", Region2S, 426.85, 0.0035, "10.1749996"},
    {"Region2V", Region2V, 426.85, 30, "0.00542946619"},
    {"Region2I", Region2I, 426.85, 30, "2631.49474"},
    {"Region2S", Region2S, 426.85, 30, "5.17540298"},
    {"MetaV", MetaV, 176.85, 1, "0.19251654"},
    {"MetaI", MetaI, 176.85, 1, "2768.81115"},
    {"MetaS", MetaS, 176.85, 1, "6.56660377"},
    {"MetaV", MetaV, 166.85, 1, "0.186212297"},
    {"MetaI", MetaI, 166.85, 1, "2740.15123"},
    {"MetaS", MetaS, 166.85, 1, "6.50218759"},
    {"MetaV", MetaV, 176.85, 1.5, "0.121685206"},
    {"MetaI", MetaI, 176.85, 1.5, "2721.34539"},
    {"MetaS", MetaS, 176.85, 1.5, "6.2917044"},
};

TEST(ForwardEquations, VerificationValuesToTheDigitsGiven) {
  for (const auto& row : kVerification) {
    ExpectDigits(row.f(row.T, row.P), row.expected, row.name, row.T, row.P);
  }
}

// States evaluated by an independent implementation of the same equations
// (region 1, 2, or 8 for metastable vapour), T in °C, P in MPa.
struct IndependentState {
  int region;
  double T, P, V, S, I;
};

const IndependentState kIndependentStates[] = {
    {1, 41.9772404276033, 0.9451779667920934, 0.0010082446137698942, 0.5983533412013108, 176.6300138577058},
    {1, 177.06701319393642, 51.90902633116239, 0.0010869843316210846, 2.0497486461714733, 778.9373171974055},
    {1, 36.30707657439417, 0.05483054373353474, 0.001006479129925151, 0.5228389846119538, 152.1512796979224},
    {1, 207.75454442046978, 17.209008875741645, 0.0011530610514216403, 2.3789723750820917, 893.44856964452},
    {1, 270.4804435742175, 27.489880266466383, 0.001258619609621883, 2.9222309491216443, 1183.9122331955177},
    {1, 252.30541338876608, 47.939703405530196, 0.0011933357262579897, 2.7243363226345942, 1103.1348997503426},
    {1, 259.3529296065646, 28.506806365699664, 0.001232266316741469, 2.8222348190965696, 1131.3735695257994},
    {1, 83.53732330256689, 5.5821471229534785, 0.0010287891355065077, 1.113471211282061, 354.15849552051515},
    {1, 39.093370995004705, 17.35298954842958, 0.0010000046227656714, 0.5536808527768391, 179.0917972093472},
    {1, 155.6812624033701, 38.21727247834223, 0.001072876984310044, 1.858786396827941, 680.2390441308277},
    {1, 236.7012552072006, 33.3174668381169, 0.001183148362437475, 2.614105122997088, 1028.7046325914173},
    {1, 73.31728345634627, 0.2734107118856177, 0.0010246623997272207, 0.9951473852682343, 307.1114873482381},
    {2, 779.0504043782792, 42.55155315238186, 0.010481518010348885, 6.566629304047396, 3900.1480064855273},
    {2, 640.2779054702634, 98.59413446372282, 0.0030729187997797364, 5.394599846450724, 3072.2680006543765},
    {2, 271.2732902407198, 0.09825206438996818, 2.549979470318635, 8.122239551442412, 3016.9951973010825},
    {2, 232.94476831224512, 0.029691102936653564, 7.857774481777811, 8.532947103064135, 2943.2057929024722},
    {2, 696.9209991244022, 2.8826057464418393, 0.1539922092050028, 7.770645322763542, 3905.9012672801955},
    {2, 336.24069215359725, 0.03370813470019252, 8.338325760448745, 8.844592442037627, 3149.1633656323006},
    {2, 466.05994615132005, 0.15774843961882604, 2.1596252830951044, 8.529672105683753, 3415.9479862653807},
    {2, 93.4596672490387, 0.007195685121859547, 23.487178989791516, 8.567791995001192, 2675.346349953106},
    {2, 596.6165515348557, 0.8340481455547396, 0.47939834369542217, 8.107209178039918, 3692.343065272894},
    {8, 30.164459816186614, 0.013044641618371019, 10.663794963137033, 7.92364813724372, 2551.8158303337077},
    {8, 277.3007786363772, 6.336088104375668, 0.03024873567528545, 5.846651083831958, 2771.2343242489105},
    {8, 152.97553524271092, 0.5538638568177656, 0.3375462172447251, 6.770181129756532, 2745.7951059997076},
    {8, 194.1289771036175, 1.4557786586134678, 0.13434557001036404, 6.436323183800906, 2781.9657613488857},
};

struct Equations {
  Forward v, s, h;
};

Equations EquationsOf(int region) {
  switch (region) {
    case 1: return {Region1V, Region1S, Region1I};
    case 2: return {Region2V, Region2S, Region2I};
    default: return {MetaV, MetaS, MetaI};
  }
}

TEST(ForwardEquations, AgreeWithAnIndependentImplementation) {
  constexpr double kRelative = 1e-11;
  for (const auto& st : kIndependentStates) {
    const Equations eq = EquationsOf(st.region);
    const auto where = ::testing::Message() << "region " << st.region << " at T=" << st.T << " P=" << st.P;
    EXPECT_NEAR(eq.v(st.T, st.P), st.V, kRelative * st.V) << "V, " << where;
    EXPECT_NEAR(eq.s(st.T, st.P), st.S, kRelative * st.S) << "S, " << where;
    EXPECT_NEAR(eq.h(st.T, st.P), st.I, kRelative * st.I) << "I, " << where;
  }
}

// The three results come from one Gibbs function g = h − T_K·s: v = ∂g/∂p at
// constant T and s = −∂g/∂T at constant p. Central differences of g must give back
// v and s; a wrong derivative of a coefficient table shows up here at once.
struct GibbsCase {
  int region;
  double T, P;
};

const GibbsCase kGibbsCases[] = {
    {1, 0.5, 0.1}, {1, 100, 50},    {1, 340, 100},  {2, 1, 0.0006}, {2, 250, 1},   {2, 450, 30},
    {2, 800, 100}, {2, 800, 0.001}, {8, 60, 0.015}, {8, 200, 1.2},  {8, 300, 8},
};

TEST(ForwardEquations, VolumeAndEntropyAreDerivativesOfTheGibbsFunction) {
  for (const auto& c : kGibbsCases) {
    const Equations eq = EquationsOf(c.region);
    auto g = [&](double T, double P) { return eq.h(T, P) - (T + kKelvin) * eq.s(T, P); };
    const double dp = 1e-4 * c.P, dT = 1e-3;
    // g in kJ/kg, p in MPa: ∂g/∂p is in kJ/(kg MPa) = 1e-3 m3/kg.
    const double vFromG = 1e-3 * (g(c.T, c.P + dp) - g(c.T, c.P - dp)) / (2 * dp);
    const double sFromG = -(g(c.T + dT, c.P) - g(c.T - dT, c.P)) / (2 * dT);
    const auto where = ::testing::Message() << "region " << c.region << " at T=" << c.T << " P=" << c.P;
    EXPECT_NEAR(vFromG, eq.v(c.T, c.P), 1e-6 * eq.v(c.T, c.P)) << "V, " << where;
    EXPECT_NEAR(sFromG, eq.s(c.T, c.P), 1e-6 * std::fabs(eq.s(c.T, c.P)) + 1e-9) << "S, " << where;
  }
}

// Arguments outside a region are extrapolated, not refused: a region-1 call at a
// steam state and a region-2 call at a liquid state are finite. Bad input ends in NaN
// or infinity, never in a crash: NaN passes through; only T_K = 0 and p <= 0 for the
// terms in 1/p and ln p make the formulas undefined.
TEST(ForwardEquations, ExtrapolateAndGiveNonFiniteResultsOnlyWhereUndefined) {
  const Forward all[] = {Region1V, Region1S, Region1I, Region2V, Region2S, Region2I, MetaV, MetaS, MetaI};
  const double points[][2] = {{800, 100}, {500, 0.1}, {20, 100}, {-20, 0.001}, {0, -1}};
  for (Forward f : all) {
    const bool usesLogOfP = f != Region1V && f != Region1S && f != Region1I && f != Region2I && f != MetaI;
    for (const auto& p : points) {
      if (!usesLogOfP || p[1] > 0) {
        EXPECT_TRUE(std::isfinite(f(p[0], p[1]))) << "at T=" << p[0] << " P=" << p[1];
      }
    }
    EXPECT_TRUE(std::isnan(f(kNaN, 1.0)));
    EXPECT_TRUE(std::isnan(f(100.0, kNaN)));
    EXPECT_FALSE(std::isfinite(f(-kKelvin, 1.0)));
  }
  for (Forward f : {Region2V, Region2S, MetaV, MetaS}) EXPECT_FALSE(std::isfinite(f(300.0, 0.0)));
  for (Forward f : {Region2S, MetaS}) EXPECT_TRUE(std::isnan(f(300.0, -1.0)));
  // The enthalpy of the gas equations has no term in ln p or 1/p: at p = 0 it is
  // the ideal-gas enthalpy, the limit of low pressures.
  EXPECT_NEAR(Region2I(300.0, 0.0), Region2I(300.0, 1e-9), 1e-6);
  EXPECT_NEAR(MetaI(300.0, 0.0), MetaI(300.0, 1e-9), 1e-6);
}

}  // namespace
}  // namespace if97
