// The two-language text tables: every table has its full length in both
// languages and nothing outside it; the texts shared with the command-line tool
// are read from the one UTF-8 table without loss; carriage returns break labels.
#include <QtTest>

#include "res/texts.h"
#include "res/texttables/texttables.h"

using namespace Qt::Literals::StringLiterals;
namespace texts = tab97::texts;

class TextsTest : public QObject {
  Q_OBJECT
 private slots:
  void tableSizes();
  void outsideIsEmpty();
  void mnemonics();
  void carriageReturnsBreakLabels();
  void contactTextsDiffer();
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
  QCOMPARE(Count(texts::RegionName, 1), 11);
  QCOMPARE(Count(texts::Heading, 1), 12);
  QCOMPARE(Count(texts::GroupName, 1), 5);
  QCOMPARE(Count(texts::SupplementaryName, 0), 7);
  QCOMPARE(texts::Unit(1, 6), u" "_s);  // the dryness unit is a blank, not missing
}

void TextsTest::outsideIsEmpty() {
  QVERIFY(texts::MenuCaption(0, 0).isEmpty());
  QVERIFY(texts::MenuCaption(0, 7).isEmpty());
  QVERIFY(texts::MenuCaption(2, 1).isEmpty());
  QVERIFY(texts::MenuCaption(-1, 1).isEmpty());
  QVERIFY(texts::RegionName(1, 12).isEmpty());
  QVERIFY(texts::SupplementaryName(0, -1).isEmpty());
  QVERIFY(texts::ContactText(0).isEmpty());
  QVERIFY(texts::ContactText(4).isEmpty());
  QVERIFY(texts::StartParagraph(0, 3).isEmpty());
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
  QCOMPARE(texts::Mnemonic(3, 20), u"I_VS"_s);
}

void TextsTest::carriageReturnsBreakLabels() {
  QCOMPARE(texts::ForLabel(u"Tlak\rMPa"_s), u"Tlak\nMPa"_s);
  QCOMPARE(texts::ForLabel(u"plain"_s), u"plain"_s);
  QCOMPARE(texts::LimitsText().count(QLatin1Char('\r')), 5);  // six lines
}

void TextsTest::contactTextsDiffer() {
  QSet<QString> seen;
  for (int c = 1; c <= 3; ++c) {
    QVERIFY(texts::ContactText(c).contains(QLatin1Char('\n')));  // multi-line
    seen.insert(texts::ContactText(c));
  }
  QCOMPARE(seen.size(), 3);
}

namespace {
// Every entry of a shared table, as the window shows it, against the UTF-8 table
// itself; the table bytes must be valid UTF-8 (a lossless round trip), and the
// positions before and after the table are empty.
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
}

QTEST_APPLESS_MAIN(TextsTest)
#include "texts_test.moc"
