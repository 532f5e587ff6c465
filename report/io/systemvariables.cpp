#include "report/io/systemvariables.h"

#include <algorithm>
#include <cmath>

#include "report/io/formatpattern.h"

namespace report {
namespace {

const QDate kEpoch(1899, 12, 30);
constexpr double kMsPerDay = 86400000.0;
constexpr double kMaxDays = 3.0e6;  // about year 10000

qint64 ToInteger(double v) {
  if (!std::isfinite(v)) return 0;
  return static_cast<qint64>(std::trunc(std::clamp(v, -9.0e18, 9.0e18)));
}

}  // namespace

QString SystemVariableName(int index) {
  switch (index) {
    case kVarPrintDate: return QStringLiteral("Datum tisku");
    case kVarPrintTime: return QStringLiteral("Čas tisku");
    case kVarRow: return QStringLiteral("Číslo řádku");
    case kVarPage: return QStringLiteral("Číslo stránky");
    case kVarPageCount: return QStringLiteral("Počet stran");
    default: break;
  }
  if (index < kVarFirstGroup) return {};
  const int g = (index - kVarFirstGroup) / 2 + 1;
  if ((index - kVarFirstGroup) % 2 == 0) return QStringLiteral("Číslo ř. ve sk.") + QString::number(g);
  return QStringLiteral("Číslo skupiny ") + QString::number(g);
}

double DateTimeToVariable(const QDateTime& when) {
  const double days = static_cast<double>(kEpoch.daysTo(when.date()));
  return days + when.time().msecsSinceStartOfDay() / kMsPerDay;
}

QDateTime VariableToDateTime(double value) {
  if (!std::isfinite(value)) value = 0;
  value = std::clamp(value, -kMaxDays, kMaxDays);
  const double day = std::floor(value);
  const int ms = std::clamp(static_cast<int>(std::llround((value - day) * kMsPerDay)), 0, 86399999);
  return QDateTime(kEpoch.addDays(static_cast<qint64>(day)), QTime::fromMSecsSinceStartOfDay(ms));
}

QString SystemVariableText(int index, double value, const QString& format, const ReportLocale& locale) {
  if (index == kVarPrintDate || index == kVarPrintTime) {
    const QDateTime when = VariableToDateTime(value);
    if (!format.isEmpty()) return FormatDateTime(format, when, locale);
    return index == kVarPrintDate ? locale.locale.toString(when.date(), QLocale::ShortFormat)
                                  : locale.locale.toString(when.time(), QLocale::ShortFormat);
  }
  const qint64 v = ToInteger(value);
  if (!format.isEmpty()) return FormatValue(format, FormatArgument::ofInteger(v), locale);
  return QString::number(v);
}

}  // namespace report
