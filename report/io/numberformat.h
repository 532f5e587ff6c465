// Number and text formatting of the report: the floating-point formats of user
// functions (general, exponent, fixed, number, currency) with the symbols of the
// report's locale.
#pragma once

#include <optional>

#include <QLocale>
#include <QString>

#include "report/model/userfunction.h"

namespace report {

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

// Reads a number written with '.' or ',' as the decimal separator, an optional
// sign and an optional exponent, with surrounding blanks; nullopt for anything else
// and for values out of the double range.
std::optional<double> ReadNumber(QStringView text);
// Shortest text of a number with up to 15 significant digits, in fixed or
// scientific notation, with the given decimal separator.
QString GeneralNumberText(double v, QChar decimalSeparator = QChar(u'.'));

// Floating-point formatting of a user function's value. Precision is clamped to
// 1 … 18 (below 1 means 15), digits to 0 … 18; a format outside 0 … 4 is fixed.
// Not-a-number and infinities give "NAN", "INF" and "-INF".
QString FormatFloat(double value, int format, int precision, int digits, const ReportLocale& locale);

}  // namespace report
