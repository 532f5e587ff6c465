#include "props/classifiers.h"

#include "props/forward.h"
#include "props/region3.h"
#include "props/saturation.h"

namespace if97 {

using namespace limits;

namespace {

// Range tests are written as "not inside", so that NaN (every comparison false)
// is outside.
constexpr bool Outside(double x, double lo, double hi) { return !(x >= lo && x <= hi); }

constexpr PropertyRegion kOut = kRegionInputRange;

// The entropy and enthalpy variants of the (P,S)/(P,I) and (V,S)/(V,I) classifiers
// differ only in the property function and the scratch fields; these traits name them.
struct EntropyTraits {
  static double Liquid(double T, double P) { return Region1S(T, P); }
  static double Vapour(double T, double P) { return Region2S(T, P); }
  static double Near(double T, double V) { return Entropy3(T, V); }
  static constexpr double kMax = kSmax;
  static constexpr double SolverScratch::*kLiq = &SolverScratch::sLiq;
  static constexpr double SolverScratch::*kVap = &SolverScratch::sVap;
  static constexpr double SolverScratch::*kB23 = &SolverScratch::sB23;
  static constexpr double SolverScratch::*k800C = &SolverScratch::s800C;
  static constexpr double SolverScratch::*k100MPa = &SolverScratch::s100MPa;
  static constexpr double SolverScratch::*kWet0 = &SolverScratch::sWet0;
  static constexpr double SolverScratch::*kWet350 = &SolverScratch::sWet350;
  // Isochore lines of the wet region in V (kJ/(kg K)): saturated vapour at 350 °C,
  // the 350 °C wet line k350 + m350·V and the 0 °C wet line m0·V − k0.
  static constexpr double kVap350 = 5.210887825;
  static constexpr double kK350 = 3.4252314463, kM350 = 202.89401083;
  static constexpr double kM0 = 0.044416275205, kK0 = 0.00019897506062;
  // (P,S) writes no saturation pressure.
  static constexpr bool kStorePs = false;
};

struct EnthalpyTraits {
  static double Liquid(double T, double P) { return Region1I(T, P); }
  static double Vapour(double T, double P) { return Region2I(T, P); }
  static double Near(double T, double V) { return Enthalpy3(T, V); }
  static constexpr double kMax = kImax;
  static constexpr double SolverScratch::*kLiq = &SolverScratch::hLiq;
  static constexpr double SolverScratch::*kVap = &SolverScratch::hVap;
  static constexpr double SolverScratch::*kB23 = &SolverScratch::hB23;
  static constexpr double SolverScratch::*k800C = &SolverScratch::h800C;
  static constexpr double SolverScratch::*k100MPa = &SolverScratch::h100MPa;
  static constexpr double SolverScratch::*kWet0 = &SolverScratch::hWet0;
  static constexpr double SolverScratch::*kWet350 = &SolverScratch::hWet350;
  // The same lines in kJ/kg.
  static constexpr double kVap350 = 2563.5920039;
  static constexpr double kK350 = 1450.8539318, kM350 = 126434.11864;
  static constexpr double kM0 = 12.132287679, kK0 = 0.053722624653;
  // (P,I) keeps the given pressure as the saturation pressure of the subcritical branch.
  static constexpr bool kStorePs = true;
};

// (P,S) and (P,I); Y is the entropy or enthalpy.
template <class Tr>
PropertyRegion ClassifyPY(double P, double Y, bool PreferMetastable) {
  SolverScratch& s = gScratch;
  if (Outside(P, kPmin, kPmax) || Outside(Y, 0.0, Tr::kMax)) return kOut;

  if (P <= kP350) {
    s.Ts = SatTemperature(P);
    if constexpr (Tr::kStorePs) s.ps = P;
    s.*Tr::kVap = Tr::Vapour(s.Ts, P);
    if (Y > s.*Tr::kVap) {
      s.*Tr::k800C = Tr::Vapour(kTmax, P);
      return Y >= s.*Tr::k800C ? kOut : kRegionSteam;
    }
    s.*Tr::kLiq = Tr::Liquid(s.Ts, P);
    if (Y < s.*Tr::kLiq) return Y <= Tr::Liquid(0.0, P) ? kOut : kRegionWater;
    // Wet steam; the metastable choice rests on the equilibrium dryness of Y.
    const double x = (Y - s.*Tr::kLiq) / (s.*Tr::kVap - s.*Tr::kLiq);
    if (x > kXMetastableMin && P <= kPMetastableMax && PreferMetastable) return kRegionMetastable;
    return kRegionWet;
  }

  s.TB23 = B23Temperature(P);
  s.*Tr::kB23 = Tr::Vapour(s.TB23, P);
  if (Y > s.*Tr::kB23) {
    s.*Tr::k800C = Tr::Vapour(kTmax, P);
    return Y >= s.*Tr::k800C ? kOut : kRegionSteam;
  }
  if (Y < Tr::Liquid(350.0, P)) return Y <= Tr::Liquid(0.0, P) ? kOut : kRegionWater;
  if (P >= kPc) return kRegionCritical;
  s.Ts = SatTemperature(P);
  s.vLiq = SatLiquidVolume3(s.Ts, P);
  s.*Tr::kLiq = Tr::Near(s.Ts, s.vLiq);
  if (Y < s.*Tr::kLiq) return kRegionCritical;
  s.vVap = SatVapourVolume3(s.Ts, P);
  s.*Tr::kVap = Tr::Near(s.Ts, s.vVap);
  return Y > s.*Tr::kVap ? kRegionCritical : kRegionWetCritical;
}

// (V,S) and (V,I); Y is the entropy or enthalpy. Only the vapour side V >= Vc.
template <class Tr>
PropertyRegion ClassifyVY(double V, double Y) {
  SolverScratch& s = gScratch;
  if (Outside(V, kVc, kVmax) || Outside(Y, 0.0, Tr::kMax)) return kOut;

  s.Ts = SatTemperatureFromVapourVolume(V);
  s.ps = SatPressure(s.Ts);
  s.*Tr::kVap = s.Ts >= 350.0 ? Tr::Near(s.Ts, V) : Tr::Vapour(s.Ts, s.ps);

  // The isochore at 800 °C, for the dry side where it ends on the 800 °C isotherm.
  auto dryAt800C = [&s, V, Y]() {
    s.p800C = Pressure800CFromVolume(V);
    s.*Tr::k800C = Tr::Vapour(kTmax, s.p800C);
    return Y >= s.*Tr::k800C ? kOut : kRegionSteam;
  };

  if (Y >= s.*Tr::kVap) {  // dry side
    if (V >= kVB350) return dryAt800C();
    s.TB23 = B23TemperatureFromVolume(V);
    s.pB23 = B23Pressure(s.TB23);
    s.*Tr::kB23 = Tr::Near(s.TB23, V);
    if (Y < s.*Tr::kB23) return kRegionCritical;
    if (V < kVB100) {
      s.T100MPa = Temperature100MPaFromVolume(V);
      s.*Tr::k100MPa = Tr::Vapour(s.T100MPa, kPmax);
      return Y >= s.*Tr::k100MPa ? kOut : kRegionSteam;
    }
    return dryAt800C();
  }

  // Wet side.
  if (!(s.*Tr::kVap >= Tr::kVap350)) {
    s.*Tr::kWet350 = Tr::kK350 + Tr::kM350 * V;
    if (Y > s.*Tr::kWet350) return kRegionWetCritical;
  }
  s.*Tr::kWet0 = Tr::kM0 * V - Tr::kK0;
  return Y <= s.*Tr::kWet0 ? kOut : kRegionWet;
}

}  // namespace

PropertyRegion ClassifyTP(double T, double P, bool PreferMetastable) {
  SolverScratch& s = gScratch;
  if (Outside(T, 0.0, kTmax) || Outside(P, kPmin, kPmax)) return kOut;

  if (P > kP350) {
    if (T < 350.0) return kRegionWater;
    if (T > kTB23Top) return kRegionSteam;
    s.pB23 = B23Pressure(T);
    return P >= s.pB23 ? kRegionCritical : kRegionSteam;
  }

  s.Ts = SatTemperature(P);
  // A state exactly at its saturation temperature counts as superheated steam.
  if (T >= s.Ts) return kRegionSteam;
  if (!PreferMetastable) return kRegionWater;

  // Metastable test: subcooled steam below 10 MPa, more than 1 K above the
  // metastable limit line, whose metastable enthalpy lies near the vapour side.
  if (P > kPMetastableMax) return kRegionWater;
  if (T - MetastableLimitTemperature(P) <= 1.0) return kRegionWater;
  const double hm = MetaI(T, P);
  s.hLiq = Region1I(s.Ts, P);
  s.hVap = Region2I(s.Ts, P);
  const double x = (hm - s.hLiq) / (s.hVap - s.hLiq);
  return x > kXMetastableMin ? kRegionMetastable : kRegionWater;
}

PropertyRegion ClassifyTV(double T, double V) {
  SolverScratch& s = gScratch;
  if (Outside(T, 0.0, kTmax)) return kOut;

  if (T < 350.0) {
    s.ps = SatPressure(T);
    s.vLiq = Region1V(T, s.ps);
    if (V < s.vLiq) {
      s.v100MPa = Region1V(T, kPmax);
      return V <= s.v100MPa ? kOut : kRegionWater;
    }
    s.vVap = Region2V(T, s.ps);
    if (V <= s.vVap) return kRegionWet;
    s.vPmin = Region2V(T, kPmin);
    return V >= s.vPmin ? kOut : kRegionSteam;
  }

  if (T < kTB23Top) {
    s.pB23 = B23Pressure(T);
    s.vB23 = Region2V(T, s.pB23);
    if (V > s.vB23) {
      s.vPmin = Region2V(T, kPmin);
      return V >= s.vPmin ? kOut : kRegionSteam;
    }
    if (T < kTc) {
      s.ps = SatPressure(T);
      s.vLiq = SatLiquidVolume3(T, s.ps);
      if (V >= s.vLiq) {
        s.vVap = SatVapourVolume3(T, s.ps);
        return V <= s.vVap ? kRegionWetCritical : kRegionCritical;
      }
    }
    // Region-3 pressure test; at volumes below Vmin3 the equation is not evaluated.
    const double p = V <= kVmin3 ? 101.0 : Pressure3(T, V);
    return p > kPmax ? kOut : kRegionCritical;
  }

  s.v100MPa = Region2V(T, kPmax);
  if (V < s.v100MPa) return kOut;
  s.vPmin = Region2V(T, kPmin);
  return V >= s.vPmin ? kOut : kRegionSteam;
}

PropertyRegion ClassifyTS(double T, double S) {
  SolverScratch& s = gScratch;
  if (Outside(T, 0.0, kTmax) || Outside(S, 0.0, kSmax)) return kOut;

  if (T < 350.0) {
    s.ps = SatPressure(T);
    s.sLiq = Region1S(T, s.ps);
    if (S < s.sLiq) {
      s.s100MPa = Region1S(T, kPmax);
      return S <= s.s100MPa ? kOut : kRegionWater;
    }
    s.sVap = Region2S(T, s.ps);
    if (S <= s.sVap) return kRegionWet;
    s.sPmin = Region2S(T, kPmin);
    return S >= s.sPmin ? kOut : kRegionSteam;
  }

  if (T < kTB23Top) {
    s.pB23 = B23Pressure(T);
    s.sB23 = Region2S(T, s.pB23);
    if (S > s.sB23) {
      s.sPmin = Region2S(T, kPmin);
      return S >= s.sPmin ? kOut : kRegionSteam;
    }
    if (T < kTc) {
      s.ps = SatPressure(T);
      s.vLiq = SatLiquidVolume3(T, s.ps);
      s.sLiq = Entropy3(T, s.vLiq);
      if (S >= s.sLiq) {
        s.vVap = SatVapourVolume3(T, s.ps);
        s.sVap = Entropy3(T, s.vVap);
        return S <= s.sVap ? kRegionWetCritical : kRegionCritical;
      }
    }
    // Region-3 limit test on the 100 MPa isobar.
    s.v100MPa = Volume100MPa(T);
    s.s100MPa = Entropy3(T, s.v100MPa);
    return S <= s.s100MPa ? kOut : kRegionCritical;
  }

  s.s100MPa = Region2S(T, kPmax);
  if (S < s.s100MPa) return kOut;
  s.sPmin = Region2S(T, kPmin);
  return S >= s.sPmin ? kOut : kRegionSteam;
}

PropertyRegion ClassifyTI(double T, double I) {
  SolverScratch& s = gScratch;
  if (Outside(T, 0.0, kTc)) return kOut;
  s.Ts = T;
  s.ps = SatPressure(T);
  if (T >= 350.0) {
    s.vVap = SatVapourVolume3(T, s.ps);
    s.hVap = Enthalpy3(T, s.vVap);
    s.vLiq = SatLiquidVolume3(T, s.ps);
    s.hLiq = Enthalpy3(T, s.vLiq);
    return (I < s.hLiq || I > s.hVap) ? kOut : kRegionWetCritical;
  }
  s.hLiq = Region1I(T, s.ps);
  s.hVap = Region2I(T, s.ps);
  return (I < s.hLiq || I > s.hVap) ? kOut : kRegionWet;
}

PropertyRegion ClassifyTX(double X, double T) {
  SolverScratch& s = gScratch;
  if (Outside(X, 0.0, 1.0) || Outside(T, 0.0, kTc)) return kOut;
  s.Ts = T;
  s.ps = SatPressure(T);
  return T > 350.0 ? kRegionWetCritical : kRegionWet;
}

PropertyRegion ClassifyPV(double P, double V) {
  SolverScratch& s = gScratch;
  if (Outside(P, kPmin, kPc)) return kOut;
  s.Ts = SatTemperature(P);
  if (s.Ts >= 350.0) {
    s.vLiq = SatLiquidVolume3(s.Ts, P);
    s.vVap = SatVapourVolume3(s.Ts, P);
    return Outside(V, s.vLiq, s.vVap) ? kOut : kRegionWetCritical;
  }
  s.vLiq = Region1V(s.Ts, P);
  s.vVap = Region2V(s.Ts, P);
  return Outside(V, s.vLiq, s.vVap) ? kOut : kRegionWet;
}

PropertyRegion ClassifyPS(double P, double S, bool PreferMetastable) {
  return ClassifyPY<EntropyTraits>(P, S, PreferMetastable);
}

PropertyRegion ClassifyPI(double P, double I, bool PreferMetastable) {
  return ClassifyPY<EnthalpyTraits>(P, I, PreferMetastable);
}

PropertyRegion ClassifyPX(double X, double P) {
  SolverScratch& s = gScratch;
  if (Outside(X, 0.0, 1.0) || Outside(P, kPmin, kPc)) return kOut;
  s.ps = P;
  s.Ts = SatTemperature(P);
  // At exactly P350 the computed Ts lies a hair below 350 °C: region 6.
  return s.Ts >= 350.0 ? kRegionWetCritical : kRegionWet;
}

PropertyRegion ClassifyVS(double V, double S) { return ClassifyVY<EntropyTraits>(V, S); }

PropertyRegion ClassifyVI(double V, double I) { return ClassifyVY<EnthalpyTraits>(V, I); }

PropertyRegion ClassifySX(double X, double S) {
  SolverScratch& s = gScratch;
  if (Outside(X, 0.0, 1.0) || Outside(S, 0.0, kSmax)) return kOut;
  // The 0 °C and 350 °C wet-steam lines, linear in X.
  s.sWet0 = 9.1557594 * X + (-0.00015455) * (1 - X);
  s.sWet350 = 5.21088782 * X + 3.77828134 * (1 - X);
  if (X >= 0.7001) {
    if (S > s.sWet0) return kOut;
    if (S < kSc) return kOut;
    return S > s.sWet350 ? kRegionWet : kRegionWetCritical;
  }
  // Dryness between the two bands (0.3001 … 0.7001) is not supported.
  if (X > 0.3001) return kOut;
  if (S < s.sWet0) return kOut;
  if (S > kSc) return kOut;
  return S < s.sWet350 ? kRegionWet : kRegionWetCritical;
}

PropertyRegion ClassifyIX(double X, double I) {
  SolverScratch& s = gScratch;
  if (Outside(X, 0.0, 1.0)) return kOut;
  // The 0 °C and 170 °C wet-steam lines, linear in X.
  s.hWet0 = 2500.892618 * X + (-0.04158783) * (1 - X);
  s.hWet170 = 2767.893655 * X + 719.2063979 * (1 - X);
  return (I < s.hWet0 || I > s.hWet170) ? kOut : kRegionWet;
}

}  // namespace if97
