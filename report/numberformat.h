// Number and text formatting of the report: the floating-point formats of user
// functions (general, exponent, fixed, number, currency) with the symbols of the
// report's locale.
#pragma once

#include <QLocale>
#include <QString>

namespace if97 {

// Symbols used when numbers become text.
struct ReportLocale {
  QChar decimalSeparator = QChar(u',');
  QChar thousandsSeparator = QChar(0x00A0);  // no-break space
  QString currencySymbol = QStringLiteral("Kč");
  bool currencyBefore = false;  // "Kč 12" instead of "12 Kč"
  QLocale locale = QLocale(QLocale::Czech, QLocale::CzechRepublic);  // day and month names

  // The symbols of the user's locale.
  static ReportLocale system();
  // '.' as decimal separator, ',' between thousands, "$" before: predictable for tests.
  static ReportLocale c();
};

enum NumberFormat : int {
  kFormatGeneral = 0,   // shortest of fixed and scientific, `precision` significant digits
  kFormatExponent = 1,  // d.ddd…E+xx with `precision` significant digits, at least `digits` exponent digits
  kFormatFixed = 2,     // `digits` decimal places (scientific when the integer part needs more than `precision` digits)
  kFormatNumber = 3,    // as fixed, with thousands separators
  kFormatCurrency = 4,  // as number, with the currency symbol
};
constexpr int kNumberFormatCount = 5;
constexpr int kDefaultNumberFormat = kFormatFixed;
constexpr int kDefaultPrecision = 15;  // used when the precision is below 1

// Floating-point formatting of a user function's value. Precision is clamped to
// 1 … 18 (below 1 means 15), digits to 0 … 18; a format outside 0 … 4 is fixed.
// Not-a-number and infinities give "NAN", "INF" and "-INF".
QString FormatFloat(double value, int format, int precision, int digits, const ReportLocale& locale);

}  // namespace if97
