// The two-language text tables: sizes, the texts of both rows at their
// positions, and empty results for positions outside a table; the texts shared
// with the command-line tool read from the one UTF-8 table.
#include <QtTest>

#include "res/texts.h"
#include "res/texttables/texttables.h"

using namespace Qt::Literals::StringLiterals;
namespace texts = tab97::texts;

class TextsTest : public QObject {
  Q_OBJECT
 private slots:
  void tableSizes();
  void entries_data();
  void entries();
  void outsideIsEmpty();
  void mnemonics();
  void limitsText();
  void messages();
  void carriageReturnsBreakLabels();
  void startAndContactTexts();
  void sharedTables();
};

namespace {
// Number of consecutive non-empty entries from `first` on, in both languages.
template <typename F>
int Count(F lookup, int first) {
  int n = 0;
  while (!lookup(0, first + n).isEmpty() && !lookup(1, first + n).isEmpty()) ++n;
  return n;
}
}  // namespace

void TextsTest::tableSizes() {
  QCOMPARE(Count(texts::MenuCaption, 1), 6);
  QCOMPARE(Count(texts::InputCaption, 1), 6);
  QCOMPARE(Count(texts::ShortColumnCaption, 1), 6);
  QCOMPARE(Count(texts::ResultCaption, 1), 6);
  QCOMPARE(Count(texts::Unit, 1), 6);
  QCOMPARE(Count(texts::RegionName, 1), 11);
  QCOMPARE(Count(texts::Heading, 1), 12);
  QCOMPARE(Count(texts::GroupName, 1), 5);
  QCOMPARE(Count(texts::SupplementaryName, 0), 7);
  QCOMPARE(Count(texts::SupplementaryResultCaption, 0), 7);
  QCOMPARE(Count(texts::SupplementaryResultUnit, 0), 7);
  QCOMPARE(Count(texts::ExpansionCaption, 1), 6);
}

void TextsTest::entries_data() {
  QTest::addColumn<QString>("got");
  QTest::addColumn<QString>("expected");
  QTest::newRow("menu 1 cz") << texts::MenuCaption(0, 1) << u"Výpočet"_s;
  QTest::newRow("menu 5 en") << texts::MenuCaption(1, 5) << u"T-S chart"_s;
  QTest::newRow("menu 6 cz") << texts::MenuCaption(0, 6) << u"Tisk"_s;
  QTest::newRow("input T cz") << texts::InputCaption(0, 1) << u"Teplota  [°C] :"_s;
  QTest::newRow("input V cz") << texts::InputCaption(0, 3) << u"Měrný objem  [m3/kg] :"_s;
  QTest::newRow("input X cz") << texts::InputCaption(0, 6) << u"Suchost pary  [1] :"_s;
  QTest::newRow("input I en") << texts::InputCaption(1, 5) << u"Spec. enthalpy [kJ/kg] :"_s;
  QTest::newRow("result T cz") << texts::ResultCaption(0, 1) << u"Teplota = "_s;
  QTest::newRow("result S en") << texts::ResultCaption(1, 4) << u"Specific entropy = "_s;
  QTest::newRow("result X en") << texts::ResultCaption(1, 6) << u"Dryness = "_s;
  QTest::newRow("unit S") << texts::Unit(0, 4) << u"kJ/kgK"_s;
  QTest::newRow("unit X is a blank") << texts::Unit(1, 6) << u" "_s;
  QTest::newRow("column V cz") << texts::ShortColumnCaption(0, 3) << u"Měr. objem\rm3/kg"_s;
  QTest::newRow("column X cz") << texts::ShortColumnCaption(0, 6) << u"Suchost pary"_s;
  QTest::newRow("column X en") << texts::ShortColumnCaption(1, 6) << u"Dryness\r1"_s;
  QTest::newRow("region 1 cz") << texts::RegionName(0, 1) << u"Oblast tlakové vody"_s;
  QTest::newRow("region 1 en") << texts::RegionName(1, 1) << u"Pressure water"_s;
  QTest::newRow("region 6 cz") << texts::RegionName(0, 6) << u"Mokrá pára - subkritická oblast"_s;
  QTest::newRow("region 8 en") << texts::RegionName(1, 8) << u"Metastable-steam region"_s;
  QTest::newRow("region 10 cz") << texts::RegionName(0, 10) << u"Kombinace proměnných není odladěna"_s;
  QTest::newRow("region 11 en") << texts::RegionName(1, 11) << u"This combination of parameters is not available"_s;
  QTest::newRow("heading 1 cz") << texts::Heading(0, 1) << u"V s t u p n í  v e l i č i n y"_s;
  QTest::newRow("heading 3 cz") << texts::Heading(0, 3) << u"V ý b ě r   f u n k c e"_s;
  QTest::newRow("heading 6 en") << texts::Heading(1, 6) << u"\rDefinition range:"_s;
  QTest::newRow("heading 7 en") << texts::Heading(1, 7) << u"Setting of decimal points :"_s;
  QTest::newRow("heading 12 cz") << texts::Heading(0, 12) << u"Bod číslo:"_s;
  QTest::newRow("note off cz") << texts::MetastableNote(0, false)
                               << u"Procedura neuvažuje s výpočtem v metastabilní oblasti"_s;
  QTest::newRow("note on en") << texts::MetastableNote(1, true) << u"Metastable-steam region is preferably selected"_s;
  QTest::newRow("group 3 en") << texts::GroupName(1, 3) << u"Multi regional functions"_s;
  QTest::newRow("function 4 en") << texts::SupplementaryName(1, 4) << u"Isentropic Exponent"_s;
  QTest::newRow("result 6 cz") << texts::SupplementaryResultCaption(0, 6) << u"Isoentropická práce čerp. = "_s;
  QTest::newRow("unit 2") << texts::SupplementaryResultUnit(0, 2) << u"E-6 kg/m.s"_s;
  QTest::newRow("expansion 4 cz") << texts::ExpansionCaption(0, 4) << u"Tlak poč.komprese = "_s;
  QTest::newRow("expansion 5 en") << texts::ExpansionCaption(1, 5) << u"Temperature-before compression = "_s;
}

void TextsTest::entries() {
  QFETCH(QString, got);
  QFETCH(QString, expected);
  QCOMPARE(got, expected);
}

void TextsTest::outsideIsEmpty() {
  QVERIFY(texts::MenuCaption(0, 0).isEmpty());
  QVERIFY(texts::MenuCaption(0, 7).isEmpty());
  QVERIFY(texts::MenuCaption(2, 1).isEmpty());
  QVERIFY(texts::MenuCaption(-1, 1).isEmpty());
  QVERIFY(texts::RegionName(0, 0).isEmpty());
  QVERIFY(texts::RegionName(1, 12).isEmpty());
  QVERIFY(texts::Heading(0, 13).isEmpty());
  QVERIFY(texts::SupplementaryName(0, -1).isEmpty());
  QVERIFY(texts::ContactText(0).isEmpty());
  QVERIFY(texts::ContactText(4).isEmpty());
  QVERIFY(texts::Mnemonic(1, 8).isEmpty());
  QVERIFY(texts::Mnemonic(5, 0).isEmpty());
}

void TextsTest::mnemonics() {
  QCOMPARE(texts::MnemonicCount(1), 8);
  QCOMPARE(texts::MnemonicCount(2), 16);
  QCOMPARE(texts::MnemonicCount(3), 21);
  QCOMPARE(texts::MnemonicCount(4), 8);
  QCOMPARE(texts::MnemonicCount(5), 0);
  QCOMPARE(texts::Mnemonic(1, 0), u"Ts_P"_s);
  QCOMPARE(texts::Mnemonic(2, 15), u"X_PV"_s);
  QCOMPARE(texts::Mnemonic(3, 20), u"I_VS"_s);
  QCOMPARE(texts::Mnemonic(4, 7), u"Vms_TP"_s);
}

void TextsTest::limitsText() {
  const QStringList lines = texts::LimitsText().split(QLatin1Char('\r'));
  QCOMPARE(lines.size(), 6);
  QCOMPARE(lines[0], u"0   < =   T  [ ° C ]   < =   8 0 0"_s);
  QCOMPARE(lines[2], u"0 , 0 0 3 1   < =   V  [ m 3 / k g ]   < =   2 0 6 , 1 3 9 7"_s);
  QCOMPARE(lines[5], u"0   < =   X  [ 1 ]   < =   1"_s);
}

void TextsTest::messages() {
  QCOMPARE(texts::ConfigErrorPrefix(0), u"Chyba při otevírání konfiguračního souboru - "_s);
  QCOMPARE(texts::ConfigErrorPrefix(1), u"Error opening configuration file - "_s);
  QCOMPARE(texts::ChartErrorPrefix(0), u"Chyba při otevírání TS diagramu - "_s);
  QCOMPARE(texts::ChartErrorPrefix(1), u"Error opening T-S chart - "_s);
  QCOMPARE(texts::ApplicationTitle(), u"IAPWS-IF97"_s);
}

void TextsTest::carriageReturnsBreakLabels() {
  QCOMPARE(texts::ForLabel(u"Tlak\rMPa"_s), u"Tlak\nMPa"_s);
  QCOMPARE(texts::ForLabel(u"plain"_s), u"plain"_s);
}

void TextsTest::startAndContactTexts() {
  QCOMPARE(texts::StartTitle(), u"I A P W S   I F 9 7"_s);
  for (int lang = 0; lang <= 1; ++lang)
    for (int p = 1; p <= 2; ++p) QVERIFY(texts::StartParagraph(lang, p).size() > 60);
  QVERIFY(texts::StartParagraph(0, 3).isEmpty());
  QSet<QString> seen;
  for (int c = 1; c <= 3; ++c) {
    QVERIFY(texts::ContactText(c).contains(QLatin1Char('\n')));  // multi-line
    seen.insert(texts::ContactText(c));
  }
  QCOMPARE(seen.size(), 3);
}


namespace {
// Every entry of a shared table, as the window shows it, against the UTF-8 table
// itself; the table bytes must be valid UTF-8 (a lossless round trip).
template <std::size_t N, typename F>
void CompareShared(const char* name, const char* const (&table)[if97::texttables::kLanguageCount][N], F lookup,
                   int first) {
  for (int language = 0; language < 2; ++language) {
    for (int i = 0; i < static_cast<int>(N); ++i) {
      const QByteArray bytes(table[language][i]);
      const QString shown = lookup(language, first + i);
      const QString where = u"%1 [%2][%3]"_s.arg(QLatin1StringView(name)).arg(language).arg(i);
      QVERIFY2(!bytes.isEmpty(), qPrintable(where + u" is empty"_s));
      QVERIFY2(shown == QString::fromUtf8(bytes) && shown.toUtf8() == bytes, qPrintable(where + u": "_s + shown));
    }
    QVERIFY(lookup(language, first + static_cast<int>(N)).isNull());
    QVERIFY(lookup(language, first - 1).isNull());
  }
}
}  // namespace

void TextsTest::sharedTables() {
  namespace shared = if97::texttables;
  CompareShared("result captions", shared::kResultCaptions, texts::ResultCaption, 1);
  CompareShared("units", shared::kUnits, texts::Unit, 1);
  CompareShared("region names", shared::kRegionNames, texts::RegionName, 1);
  CompareShared("headings", shared::kHeadings, texts::Heading, 1);
  CompareShared("group 5 captions", shared::kSupplementaryResultCaptions, texts::SupplementaryResultCaption, 0);
  CompareShared("group 5 units", shared::kSupplementaryResultUnits, texts::SupplementaryResultUnit, 0);
  CompareShared("expansion captions", shared::kExpansionCaptions, texts::ExpansionCaption, 1);
  QCOMPARE(texts::Heading(texts::kCzech, shared::kRegionHeadingPosition), u"Oblast"_s);
  QCOMPARE(texts::Heading(texts::kEnglish, shared::kRegionHeadingPosition), u"Region"_s);
}

QTEST_APPLESS_MAIN(TextsTest)
#include "texts_test.moc"
