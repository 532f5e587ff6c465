// Format texts of elements. They are user data, so they are never handed to a
// printf-style function: these routines understand a small set of patterns and
// print everything else literally.
//
// Value patterns: "%" [ "-" ] [ "0" ] [ width ] [ "." precision ] conversion, with
// the conversions d u (integer; precision = least digits), x X (hexadecimal), f e g
// n m (number: fixed, scientific, general, with thousands separators, currency;
// precision = decimals, 2 when omitted for f n m), s (text; precision = most
// characters) and "%%" for a percent sign. Width and precision are at most 255.
// The first conversion takes the value; any further conversion, and anything that
// is not one of these, is printed as it stands.
//
// Date-time patterns: d dd (day), ddd dddd (day name), ddddd dddddd (short and
// long date), m mm (month, or minutes right after an hour), mmm mmmm (month name),
// yy yyyy (year), h hh (hour), n nn (minutes), s ss (seconds), z zzz
// (milliseconds), am/pm and a/p (12-hour clock), c (date and time), t tt (short and
// long time), "/" the date separator, ":" the time separator, text in single or
// double quotes as it stands, letters case-insensitive; any other character is
// printed as it stands.
#pragma once

#include <QDateTime>
#include <QString>

#include "report/io/numberformat.h"

namespace report {

struct FormatArgument {
  enum class Kind { Integer, Float, Text } kind = Kind::Integer;
  qint64 integer = 0;
  double number = 0;
  QString text;

  static FormatArgument ofInteger(qint64 v) { return {Kind::Integer, v, 0, {}}; }
  static FormatArgument ofFloat(double v) { return {Kind::Float, 0, v, {}}; }
  static FormatArgument ofText(QString t) { return {Kind::Text, 0, 0, std::move(t)}; }
};

QString FormatValue(const QString& pattern, const FormatArgument& arg, const ReportLocale& locale);
QString FormatDateTime(const QString& pattern, const QDateTime& when, const ReportLocale& locale);

}  // namespace report
