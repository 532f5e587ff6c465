// System variables printed by elements of kind 5 ("Proměnná").
#pragma once

#include <QDateTime>
#include <QString>

#include "report/io/numberformat.h"

namespace report {

enum SystemVariable : int {
  kVarPrintDate = 0,  // "Datum tisku": date of the run
  kVarPrintTime = 1,  // "Čas tisku": time of the run
  kVarRow = 2,        // "Číslo řádku": number of the current row
  kVarPage = 3,       // "Číslo stránky"
  kVarPageCount = 4,  // "Počet stran"
  // For group g from 1: 5 + 2(g-1) the row within the group, 6 + 2(g-1) the group's running number.
  kVarFirstGroup = 5,
};

// Old templates (major version below 2 and build below 3) numbered the variables
// without the page count: their index 4 and above is one lower.
constexpr bool IsOldVariableNumbering(int major, int build) { return major < 2 && build < 3; }

QString SystemVariableName(int index);  // "Datum tisku" …; "Číslo ř. ve sk.1", "Číslo skupiny 1" …

// A run's date and time as a variable value: days since 30 December 1899 with the
// time of day as the fraction.
double DateTimeToVariable(const QDateTime& when);
QDateTime VariableToDateTime(double value);

// Text of a variable. Date and time use the format text as a date-time pattern when
// it is not empty, else the short date or time of the locale; numeric variables use
// the format text as a value pattern with the value as one integer, else the value
// in decimal.
QString SystemVariableText(int index, double value, const QString& format, const ReportLocale& locale);

}  // namespace report
