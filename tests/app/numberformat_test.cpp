// Number formatting and reading of the window: fixed point with 10 significant
// digits, the quantity's decimals and the locale's separator; typed numbers with
// '.' or ',' on either locale.
#include <QtTest>

#include <cmath>
#include <limits>

#include "app/numberformat.h"

using namespace Qt::Literals::StringLiterals;
using tab97::FormatFixed;
using tab97::FormatResult;
using tab97::ParseUserNumber;

class NumberFormatTest : public QObject {
  Q_OBJECT
 private slots:
  void formatFixed_data();
  void formatFixed();
  void formatUsesTheSeparator();
  void resultZeroIsPlainZero();
  void parse_data();
  void parse();
};

void NumberFormatTest::formatFixed_data() {
  QTest::addColumn<double>("value");
  QTest::addColumn<int>("decimals");
  QTest::addColumn<QString>("expected");
  QTest::newRow("typed temperature") << 284.15 << 2 << u"284,15"_s;
  QTest::newRow("zero, no decimals") << 0.0 << 0 << u"0"_s;
  QTest::newRow("volume, leading zeros") << 0.001008245 << 6 << u"0,001008"_s;
  // Rounding works on the decimal digits: halves go away from zero even where
  // the binary value lies just below the half (2.675 is 2.67499999…).
  QTest::newRow("half up") << 0.125 << 2 << u"0,13"_s;
  QTest::newRow("binary below half") << 2.675 << 2 << u"2,68"_s;
  QTest::newRow("carry into a new digit") << 9.9999 << 2 << u"10,00"_s;
  QTest::newRow("ten significant digits") << 1234567.891234 << 8 << u"1234567,89100000"_s;
  QTest::newRow("rounds up from below the last place") << 0.006 << 2 << u"0,01"_s;
  QTest::newRow("negative rounding to zero has no sign") << -0.0001 << 2 << u"0,00"_s;
  QTest::newRow("half to integer") << 0.5 << 0 << u"1"_s;
  QTest::newRow("ten integer digits stay fixed") << 9999999999.0 << 0 << u"9999999999"_s;
  QTest::newRow("eleven integer digits go scientific") << 123456789012.0 << 2 << u"1,234567890E+11"_s;
  QTest::newRow("negative decimals read as none") << 2.5 << -3 << u"3"_s;
  QTest::newRow("decimals capped at 18") << 1.0 << 1000 << u"1,000000000000000000"_s;
  QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << 2 << u"NAN"_s;
  QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << 2 << u"INF"_s;
}

void NumberFormatTest::formatFixed() {
  QFETCH(double, value);
  QFETCH(int, decimals);
  QFETCH(QString, expected);
  QCOMPARE(FormatFixed(value, decimals, QLatin1Char(',')), expected);
}

void NumberFormatTest::formatUsesTheSeparator() {
  QCOMPARE(FormatFixed(284.15, 2, QLatin1Char('.')), u"284.15"_s);
  QCOMPARE(FormatFixed(0.0, 4, QLatin1Char('.')), u"0.0000"_s);
  QCOMPARE(FormatFixed(1234.5, 1, QLatin1Char('.')), u"1234.5"_s);  // no thousands separator
  QCOMPARE(FormatFixed(123456789012.0, 2, QLatin1Char('.')), u"1.234567890E+11"_s);
}

void NumberFormatTest::resultZeroIsPlainZero() {
  QCOMPARE(FormatResult(0.0, 4, QLatin1Char(',')), u"0"_s);
  QCOMPARE(FormatResult(-0.0, 4, QLatin1Char(',')), u"0"_s);
  QCOMPARE(FormatResult(1e-9, 4, QLatin1Char(',')), u"0,0000"_s);  // not exactly zero
  QCOMPARE(FormatResult(1.0, 4, QLatin1Char('.')), u"1.0000"_s);
}

void NumberFormatTest::parse_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<QChar>("separator");
  QTest::addColumn<bool>("ok");
  QTest::addColumn<double>("value");
  for (const QChar sep : {QLatin1Char(','), QLatin1Char('.')}) {
    const QByteArray s = sep == QLatin1Char(',') ? "comma locale: " : "point locale: ";
    QTest::newRow(s + "point") << u"284.15"_s << sep << true << 284.15;
    QTest::newRow(s + "comma") << u"284,15"_s << sep << true << 284.15;
    QTest::newRow(s + "blanks around") << u"  16,257 "_s << sep << true << 16.257;
    QTest::newRow(s + "sign") << u"-2.5"_s << sep << true << -2.5;
    QTest::newRow(s + "exponent") << u"1e3"_s << sep << true << 1000.0;
    QTest::newRow(s + "leading separator") << u".5"_s << sep << true << 0.5;
    QTest::newRow(s + "thousands and decimals") << u"1,000.5"_s << sep << false << 0.0;
    QTest::newRow(s + "grouping blank") << u"1 000"_s << sep << false << 0.0;
    QTest::newRow(s + "empty") << QString() << sep << false << 0.0;
    QTest::newRow(s + "letters") << u"abc"_s << sep << false << 0.0;
    QTest::newRow(s + "lone sign") << u"-"_s << sep << false << 0.0;
    QTest::newRow(s + "double sign") << u"--1"_s << sep << false << 0.0;
    QTest::newRow(s + "exponent without digits") << u"1e"_s << sep << false << 0.0;
    QTest::newRow(s + "hexadecimal") << u"0x10"_s << sep << false << 0.0;
    QTest::newRow(s + "infinity word") << u"inf"_s << sep << false << 0.0;
    QTest::newRow(s + "overflow") << u"1e999"_s << sep << false << 0.0;
  }
}

void NumberFormatTest::parse() {
  QFETCH(QString, text);
  QFETCH(QChar, separator);
  QFETCH(bool, ok);
  QFETCH(double, value);
  double parsed = -12345.0;
  QCOMPARE(ParseUserNumber(text, separator, parsed), ok);
  QCOMPARE(parsed, ok ? value : -12345.0);  // a failure leaves the value
}

QTEST_APPLESS_MAIN(NumberFormatTest)
#include "numberformat_test.moc"
