#include "res/texts.h"

#include <cstddef>

#include "res/texttables/texttables.h"

namespace tab97::texts {
namespace {

template <std::size_t N>
using Table = const char16_t* const[2][N];

// Language index 0 or 1 and position 0..N-1; anything else reads as empty.
template <std::size_t N>
QString Pick(const Table<N>& table, int language, int position) {
  if (language < 0 || language > 1 || position < 0 || position >= static_cast<int>(N)) return {};
  return QString::fromUtf16(table[language][position]);
}

namespace shared = if97::texttables;
static_assert(kCzech == shared::kCzech && kEnglish == shared::kEnglish);

// The same for a table shared with the command-line tool (UTF-8).
template <std::size_t N>
QString Pick(const char* const (&table)[shared::kLanguageCount][N], int language, int position) {
  const char* text = shared::At(table, language, position);
  return text != nullptr ? QString::fromUtf8(text) : QString();
}

constexpr Table<2> kMetastableNote = {
    {u"Procedura neuvažuje s výpočtem v metastabilní oblasti", u"Procedura preferuje výpočet metastabilní oblasti"},
    {u"Metastable-steam region is not included", u"Metastable-steam region is preferably selected"},
};

constexpr Table<6> kMenuCaptions = {
    {u"Výpočet", u"Body", u"Funkce", u"Rozsahy", u"Diagram", u"Tisk"},
    {u"Calculation", u"Points", u"Functions", u"Ranges", u"T-S chart", u"Print"},
};

constexpr Table<6> kInputCaptions = {
    {u"Teplota  [°C] :", u"Tlak  [MPa] :", u"Měrný objem  [m3/kg] :", u"Entropie  [kJ/kgK] :",
     u"Entalpie  [kJ/kg] :", u"Suchost pary  [1] :"},
    {u"Temperature [°C] :", u"Pressure [MPa] :", u"Spec. volume [m3/kg] :", u"Spec. entropy [kJ/kgK] :",
     u"Spec. enthalpy [kJ/kg] :", u"Dryness [1] :"},
};

constexpr Table<6> kShortColumnCaptions = {
    {u"Teplota\r°C", u"Tlak\rMPa", u"Měr. objem\rm3/kg", u"Entropie\rkJ/kgK", u"Entalpie\rkJ/kg", u"Suchost pary"},
    {u"Temperat.\r°C", u"Pressure\rMPa", u"S.volume\rm3/kg", u"S.entropy\rkJ/kgK", u"S.enthalpy\rkJ/kg",
     u"Dryness\r1"},
};

constexpr Table<5> kGroupNames = {
    {u"Mez sytosti", u"Mokrá pára", u"Obecné funkce", u"Metastabilní oblast", u"Doplňkové funkce"},
    {u"Saturation line", u"Wet Steam", u"Multi regional functions", u"Metastable-steam region",
     u"Supplementary functions"},
};

constexpr Table<7> kSupplementaryNames = {
    {u"Suchost", u"Vlhkost", u"Dynamická viskozita", u"Tepelná vodivost", u"KAPA", u"HISO", u"PumpISO"},
    {u"Dryness", u"Moisture", u"Dynamic Viscosity", u"Thermal Conductivity", u"Isentropic Exponent", u"HISO",
     u"PumpISO"},
};

constexpr const char16_t* kGroup1[] = {u"Ts_P", u"Ps_T", u"V12_T", u"V23_T", u"I12_T", u"I23_T", u"S12_T", u"S23_T"};
constexpr const char16_t* kGroup2[] = {u"P_TX", u"T_PX", u"V_PX", u"V_TX", u"I_PX", u"I_TX", u"S_PX", u"S_TX",
                                       u"P_TI", u"V_TI", u"S_TI", u"X_TI", u"T_PV", u"S_PV", u"I_PV", u"X_PV"};
constexpr const char16_t* kGroup3[] = {u"T_PI", u"T_PS", u"T_VI", u"T_VS", u"P_TS", u"P_TV", u"P_VI",
                                       u"P_VS", u"V_PI", u"V_PS", u"V_TP", u"V_TS", u"S_PI", u"S_TP",
                                       u"S_TV", u"S_VI", u"I_PS", u"I_TP", u"I_TS", u"I_TV", u"I_VS"};
constexpr const char16_t* kGroup4[] = {u"Ims_PS", u"Ims_TP", u"Sms_PI", u"Sms_TP",
                                       u"Tms_PI", u"Tms_PS", u"Vms_PI", u"Vms_TP"};

struct MnemonicList {
  const char16_t* const* names;
  int count;
};
constexpr MnemonicList kMnemonics[] = {
    {kGroup1, static_cast<int>(std::size(kGroup1))},
    {kGroup2, static_cast<int>(std::size(kGroup2))},
    {kGroup3, static_cast<int>(std::size(kGroup3))},
    {kGroup4, static_cast<int>(std::size(kGroup4))},
};

constexpr Table<2> kStartParagraphs = {
    {u"Program počítá termofyzikální vlastnosti vody a vodní páry podle průmyslové formulace IAPWS-IF97. "
     u"Ze dvou známých veličin – teploty, tlaku, měrného objemu, entropie, entalpie nebo suchosti – určí "
     u"všechny ostatní a pojmenuje oblast, ve které stav leží.",
     u"Vznikl pro inženýry provozu a projekce tepelných elektráren: výpočet stavu, tabulka až dvanácti bodů, "
     u"přes šedesát jednotlivých funkcí, T-s diagram a tisková sestava."},
    {u"The program calculates the thermophysical properties of water and steam after the industrial "
     u"formulation IAPWS-IF97. From two known quantities – temperature, pressure, specific volume, entropy, "
     u"enthalpy or dryness – it finds all the others and names the region of the state.",
     u"It was made for the operating and design engineers of thermal power plants: a state calculator, a table "
     u"of up to twelve points, over sixty single functions, a T-s chart and a printed report."},
};

constexpr const char16_t* kContactTexts[] = {
    u"Zadavatel\n"
    u"Program byl objednán provozovatelem energetických zařízení pro jeho\n"
    u"provozní a projektové inženýry, kteří denně pracují s vodou a párou.\n\n"
    u"Contracting party\n"
    u"The program was commissioned by an operator of power equipment for its\n"
    u"operating and design engineers, who work with water and steam every day.",
    u"Výpočtové knihovny\n"
    u"Rovnice IAPWS-IF97, hranice oblastí, inverzní výpočty a transportní\n"
    u"vlastnosti zpracoval tým specialistů na numerické metody a termodynamiku.\n\n"
    u"Calculation libraries\n"
    u"The IAPWS-IF97 equations, the region boundaries, the inversions and the\n"
    u"transport properties were written by a team of numerical and\n"
    u"thermodynamics specialists.",
    u"Uživatelský program\n"
    u"Okna programu, stránky výpočtu, diagram a tiskovou sestavu vytvořil\n"
    u"tým vývojářů aplikací pro technické výpočty.\n\n"
    u"User program\n"
    u"The windows, the calculation pages, the chart and the printed report\n"
    u"were built by a team of developers of engineering software.",
};

}  // namespace

QString MetastableNote(int language, bool preferMetastable) {
  return Pick(kMetastableNote, language, preferMetastable ? 1 : 0);
}
QString MenuCaption(int language, int tag) { return Pick(kMenuCaptions, language, tag - 1); }
QString InputCaption(int language, int quantity) { return Pick(kInputCaptions, language, quantity - 1); }
QString ShortColumnCaption(int language, int quantity) {
  return Pick(kShortColumnCaptions, language, quantity - 1);
}
QString ResultCaption(int language, int quantity) { return Pick(shared::kResultCaptions, language, quantity - 1); }
QString Unit(int language, int quantity) { return Pick(shared::kUnits, language, quantity - 1); }
QString RegionName(int language, int regionCode) { return Pick(shared::kRegionNames, language, regionCode - 1); }
QString Heading(int language, int position) { return Pick(shared::kHeadings, language, position - 1); }
QString GroupName(int language, int group) { return Pick(kGroupNames, language, group - 1); }
QString SupplementaryName(int language, int index) { return Pick(kSupplementaryNames, language, index); }
QString SupplementaryResultCaption(int language, int index) {
  return Pick(shared::kSupplementaryResultCaptions, language, index);
}
QString SupplementaryResultUnit(int language, int index) {
  return Pick(shared::kSupplementaryResultUnits, language, index);
}
QString ExpansionCaption(int language, int position) {
  return Pick(shared::kExpansionCaptions, language, position - 1);
}

int MnemonicCount(int group) {
  if (group < 1 || group > 4) return 0;
  return kMnemonics[group - 1].count;
}

QString Mnemonic(int group, int index) {
  if (index < 0 || index >= MnemonicCount(group)) return {};
  return QString::fromUtf16(kMnemonics[group - 1].names[index]);
}

QString LimitsText() {
  return QStringLiteral(
      "0   < =   T  [ ° C ]   < =   8 0 0\r"
      "0 , 0 0 0 6 1 1 2   < =   P  [ M P a ]   < =   1 0 0\r"
      "0 , 0 0 3 1   < =   V  [ m 3 / k g ]   < =   2 0 6 , 1 3 9 7\r"
      "0   < =   S  [ k J / k g K ]   < =   9 , 1 5 5 7 6\r"
      "0   < =   I  [ k J / k g ]   < =   4 1 6 0 , 6 6\r"
      "0   < =   X  [ 1 ]   < =   1");
}

QString StartTitle() { return QStringLiteral("I A P W S   I F 9 7"); }
QString StartParagraph(int language, int paragraph) { return Pick(kStartParagraphs, language, paragraph - 1); }
QString ContactText(int contact) {
  if (contact < 1 || contact > 3) return {};
  return QString::fromUtf16(kContactTexts[contact - 1]);
}
QString LanguageChoiceHint() { return QStringLiteral("Zvolte jazyk  ·  Choose your language"); }

QString ConfigErrorPrefix(int language) {
  return language == kEnglish ? QStringLiteral("Error opening configuration file - ")
                              : QStringLiteral("Chyba při otevírání konfiguračního souboru - ");
}
QString ChartErrorPrefix(int language) {
  return language == kEnglish ? QStringLiteral("Error opening T-S chart - ")
                              : QStringLiteral("Chyba při otevírání TS diagramu - ");
}

QString ApplicationTitle() { return QStringLiteral("IAPWS-IF97"); }

QString ForLabel(const QString& text) {
  QString shown = text;
  shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return shown;
}

}  // namespace tab97::texts
