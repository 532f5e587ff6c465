#include "props/classifiers.h"

#include "props/forward.h"
#include "props/region3.h"
#include "props/saturation.h"
#include "props/saturation3.h"

namespace if97 {
namespace {

// Range tests are written as "not inside", so that NaN (every comparison false)
// is outside.
constexpr bool Outside(double x, double lo, double hi) { return !(x >= lo && x <= hi); }

constexpr PropertyRegion kOut = kRegionInputRange;

// The scratch fields of one quantity (volume, entropy or enthalpy) that the
// classifiers below fill alike; null where the quantity has none.
using Scratch = SolverScratch;
using Field = double Scratch::*;
struct ScratchFields {
  Field liq, vap, b23, at800C, at100MPa, atPmin, wet0, wet350;
};

// The entropy and enthalpy variants of the (P,S)/(P,I) and (V,S)/(V,I) classifiers,
// and the volume and entropy variants of (T,V)/(T,S), differ only in the property
// functions and the scratch fields; these traits name them.
struct EntropyTraits {
  static double Liquid(double T, double P) { return Region1S(T, P); }
  static double Vapour(double T, double P) { return Region2S(T, P); }
  static double Near(double T, double V) { return Entropy3(T, V); }
  static constexpr double kMax = kSmax;
  static constexpr ScratchFields kField{&Scratch::sLiq,    &Scratch::sVap,    &Scratch::sB23,  &Scratch::s800C,
                                        &Scratch::s100MPa, &Scratch::sPmin,   &Scratch::sWet0, &Scratch::sWet350};
  // Isochore lines of the wet region in V (kJ/(kg K)): saturated vapour at 350 °C,
  // the 350 °C wet line k350 + m350·V and the 0 °C wet line m0·V − k0.
  static constexpr double kVap350 = 5.210887825;
  static constexpr double kK350 = 3.4252314463, kM350 = 202.89401083;
  static constexpr double kM0 = 0.044416275205, kK0 = 0.00019897506062;
  // (P,S) writes no saturation pressure.
  static constexpr bool kStorePs = false;
  // (T,S): the entropy range is tested first.
  static bool InRange(double S) { return S >= 0.0 && S <= kSmax; }
  // Region-3 limit of (T,S): the entropy on the 100 MPa isobar (from a fit of its
  // volume).
  static bool BeyondRegion3(double T, double S) {
    SolverScratch& s = gScratch;
    s.v100MPa = Volume100MPa(T);
    s.s100MPa = Entropy3(T, s.v100MPa);
    return S <= s.s100MPa;
  }
};

// (T,V) uses the volume itself where (T,S) evaluates the entropy at a volume.
struct VolumeTraits {
  static double Liquid(double T, double P) { return Region1V(T, P); }
  static double Vapour(double T, double P) { return Region2V(T, P); }
  static double Near(double, double V) { return V; }
  static constexpr ScratchFields kField{&Scratch::vLiq, &Scratch::vVap, &Scratch::vB23, nullptr, &Scratch::v100MPa, &Scratch::vPmin, nullptr, nullptr};
  // Any volume passes the range test; a volume below the range fails the
  // 100 MPa tests of the regions.
  static bool InRange(double) { return true; }
  // Region-3 limit of (T,V): the pressure of the equation above 100 MPa; at volumes
  // below Vmin3 the equation is not evaluated.
  static bool BeyondRegion3(double T, double V) {
    const double p = V <= kVmin3 ? 101.0 : Pressure3(T, V);
    return p > kPmax;
  }
};

struct EnthalpyTraits {
  static double Liquid(double T, double P) { return Region1I(T, P); }
  static double Vapour(double T, double P) { return Region2I(T, P); }
  static double Near(double T, double V) { return Enthalpy3(T, V); }
  static constexpr double kMax = kImax;
  static constexpr ScratchFields kField{&Scratch::hLiq,    &Scratch::hVap, &Scratch::hB23,  &Scratch::h800C,
                                        &Scratch::h100MPa, nullptr,  &Scratch::hWet0, &Scratch::hWet350};
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
    s.*Tr::kField.vap = Tr::Vapour(s.Ts, P);
    if (Y > s.*Tr::kField.vap) {
      s.*Tr::kField.at800C = Tr::Vapour(kTmax, P);
      return Y >= s.*Tr::kField.at800C ? kOut : kRegionSteam;
    }
    s.*Tr::kField.liq = Tr::Liquid(s.Ts, P);
    if (Y < s.*Tr::kField.liq) return Y <= Tr::Liquid(kTmin, P) ? kOut : kRegionWater;
    // Wet steam; the metastable choice rests on the equilibrium dryness of Y.
    const double x = (Y - s.*Tr::kField.liq) / (s.*Tr::kField.vap - s.*Tr::kField.liq);
    if (x > kXMetastableMin && P <= kPMetastableMax && PreferMetastable) return kRegionMetastable;
    return kRegionWet;
  }

  s.TB23 = B23Temperature(P);
  s.*Tr::kField.b23 = Tr::Vapour(s.TB23, P);
  if (Y > s.*Tr::kField.b23) {
    s.*Tr::kField.at800C = Tr::Vapour(kTmax, P);
    return Y >= s.*Tr::kField.at800C ? kOut : kRegionSteam;
  }
  if (Y < Tr::Liquid(kT350, P)) return Y <= Tr::Liquid(kTmin, P) ? kOut : kRegionWater;
  if (P >= kCriticalPressure) return kRegionCritical;
  s.Ts = SatTemperature(P);
  s.vLiq = SatLiquidVolume3(s.Ts, P);
  s.*Tr::kField.liq = Tr::Near(s.Ts, s.vLiq);
  if (Y < s.*Tr::kField.liq) return kRegionCritical;
  s.vVap = SatVapourVolume3(s.Ts, P);
  s.*Tr::kField.vap = Tr::Near(s.Ts, s.vVap);
  return Y > s.*Tr::kField.vap ? kRegionCritical : kRegionWetCritical;
}

// (V,S) and (V,I); Y is the entropy or enthalpy. Only the vapour side V >= Vc.
template <class Tr>
PropertyRegion ClassifyVY(double V, double Y) {
  SolverScratch& s = gScratch;
  if (Outside(V, kCriticalVolume, kVmax) || Outside(Y, 0.0, Tr::kMax)) return kOut;

  s.Ts = SatTemperatureFromVapourVolume(V);
  s.ps = SatPressure(s.Ts);
  s.*Tr::kField.vap = s.Ts >= kT350 ? Tr::Near(s.Ts, V) : Tr::Vapour(s.Ts, s.ps);

  // The isochore at 800 °C, for the dry side where it ends on the 800 °C isotherm.
  auto dryAt800C = [&s, V, Y]() {
    s.p800C = Pressure800CFromVolume(V);
    s.*Tr::kField.at800C = Tr::Vapour(kTmax, s.p800C);
    return Y >= s.*Tr::kField.at800C ? kOut : kRegionSteam;
  };

  if (Y >= s.*Tr::kField.vap) {  // dry side
    if (V >= kSatVapourVolume350) return dryAt800C();
    s.TB23 = B23TemperatureFromVolume(V);
    s.pB23 = B23Pressure(s.TB23);
    s.*Tr::kField.b23 = Tr::Near(s.TB23, V);
    if (Y < s.*Tr::kField.b23) return kRegionCritical;
    if (V < kVB100) {
      s.T100MPa = Temperature100MPaFromVolume(V);
      s.*Tr::kField.at100MPa = Tr::Vapour(s.T100MPa, kPmax);
      return Y >= s.*Tr::kField.at100MPa ? kOut : kRegionSteam;
    }
    return dryAt800C();
  }

  // Wet side.
  if (!(s.*Tr::kField.vap >= Tr::kVap350)) {
    s.*Tr::kField.wet350 = Tr::kK350 + Tr::kM350 * V;
    if (Y > s.*Tr::kField.wet350) return kRegionWetCritical;
  }
  s.*Tr::kField.wet0 = Tr::kM0 * V - Tr::kK0;
  return Y <= s.*Tr::kField.wet0 ? kOut : kRegionWet;
}

// (T,V) and (T,S); Y is the volume or the entropy.
template <class Tr>
PropertyRegion ClassifyTY(double T, double Y) {
  SolverScratch& s = gScratch;
  if (Outside(T, kTmin, kTmax) || !Tr::InRange(Y)) return kOut;

  if (T < kT350) {
    s.ps = SatPressure(T);
    s.*Tr::kField.liq = Tr::Liquid(T, s.ps);
    if (Y < s.*Tr::kField.liq) {
      s.*Tr::kField.at100MPa = Tr::Liquid(T, kPmax);
      return Y <= s.*Tr::kField.at100MPa ? kOut : kRegionWater;
    }
    s.*Tr::kField.vap = Tr::Vapour(T, s.ps);
    if (Y <= s.*Tr::kField.vap) return kRegionWet;
    s.*Tr::kField.atPmin = Tr::Vapour(T, kPmin);
    return Y >= s.*Tr::kField.atPmin ? kOut : kRegionSteam;
  }

  if (T < kT590) {
    s.pB23 = B23Pressure(T);
    s.*Tr::kField.b23 = Tr::Vapour(T, s.pB23);
    if (Y > s.*Tr::kField.b23) {
      s.*Tr::kField.atPmin = Tr::Vapour(T, kPmin);
      return Y >= s.*Tr::kField.atPmin ? kOut : kRegionSteam;
    }
    if (T < kCriticalTemperatureC) {
      s.ps = SatPressure(T);
      s.vLiq = SatLiquidVolume3(T, s.ps);
      s.*Tr::kField.liq = Tr::Near(T, s.vLiq);
      if (Y >= s.*Tr::kField.liq) {
        s.vVap = SatVapourVolume3(T, s.ps);
        s.*Tr::kField.vap = Tr::Near(T, s.vVap);
        return Y <= s.*Tr::kField.vap ? kRegionWetCritical : kRegionCritical;
      }
    }
    return Tr::BeyondRegion3(T, Y) ? kOut : kRegionCritical;
  }

  s.*Tr::kField.at100MPa = Tr::Vapour(T, kPmax);
  if (Y < s.*Tr::kField.at100MPa) return kOut;
  s.*Tr::kField.atPmin = Tr::Vapour(T, kPmin);
  return Y >= s.*Tr::kField.atPmin ? kOut : kRegionSteam;
}

}  // namespace

PropertyRegion ClassifyTP(double T, double P, bool PreferMetastable) {
  SolverScratch& s = gScratch;
  if (Outside(T, kTmin, kTmax) || Outside(P, kPmin, kPmax)) return kOut;

  if (P > kP350) {
    if (T < kT350) return kRegionWater;
    if (T > kT590) return kRegionSteam;
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

PropertyRegion ClassifyTV(double T, double V) { return ClassifyTY<VolumeTraits>(T, V); }

PropertyRegion ClassifyTS(double T, double S) { return ClassifyTY<EntropyTraits>(T, S); }

PropertyRegion ClassifyTI(double T, double I) {
  SolverScratch& s = gScratch;
  if (Outside(T, kTmin, kCriticalTemperatureC)) return kOut;
  s.Ts = T;
  s.ps = SatPressure(T);
  if (T >= kT350) {
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
  if (Outside(X, 0.0, 1.0) || Outside(T, kTmin, kCriticalTemperatureC)) return kOut;
  s.Ts = T;
  s.ps = SatPressure(T);
  return T > kT350 ? kRegionWetCritical : kRegionWet;
}

PropertyRegion ClassifyPV(double P, double V) {
  SolverScratch& s = gScratch;
  if (Outside(P, kPmin, kCriticalPressure)) return kOut;
  s.Ts = SatTemperature(P);
  if (s.Ts >= kT350) {
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
  if (Outside(X, 0.0, 1.0) || Outside(P, kPmin, kCriticalPressure)) return kOut;
  s.ps = P;
  s.Ts = SatTemperature(P);
  // At exactly P350 the computed Ts lies a hair below 350 °C: region 6.
  return s.Ts >= kT350 ? kRegionWetCritical : kRegionWet;
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
    if (S < kCriticalEntropy) return kOut;
    return S > s.sWet350 ? kRegionWet : kRegionWetCritical;
  }
  // Dryness between the two bands (0.3001 … 0.7001) is not supported.
  if (X > 0.3001) return kOut;
  if (S < s.sWet0) return kOut;
  if (S > kCriticalEntropy) return kOut;
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
