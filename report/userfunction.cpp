#include "report/userfunction.h"

#include <algorithm>
#include <cmath>

namespace if97 {

bool TRadekFunkce::sameDefinition(const TRadekFunkce& o) const {
  return name == o.name && description == o.description && type == o.type && initialValue == o.initialValue &&
         resetScope == o.resetScope && expression == o.expression && aggregation == o.aggregation &&
         precision == o.precision && decimals == o.decimals && format == o.format;
}

void TRadekFunkce::reset() {
  pendingReset = false;
  textValue = initialValue;
  const std::optional<double> v = ReadNumber(initialValue);
  value = v.value_or(0);
  hasValue = type == kFunctionText || v.has_value();
  // An average or a deviation has no value until enough rows have come.
  if (aggregation == kAggAverage || aggregation == kAggStdDev || aggregation == kAggRelStdDev) hasValue = false;
  count = 0;
  sum = 0;
  sumSquares = 0;
}

void TRadekFunkce::setAggregate(double v, bool defined) {
  hasValue = defined;
  if (defined) value = v;
  if (type == kFunctionText) textValue = defined ? GeneralNumberText(value) : QString();
}

void TRadekFunkce::accumulate(const ExprValue& x, QChar decimalSeparator) {
  const std::optional<double> number = x.toNumber();
  // A numeric function counts a text that is not a number as no value.
  const bool null = x.isNone() || (type == kFunctionNumeric && !number);
  if (null && AllowNullValues) {
    // The row is left out of the aggregation; a plain value has none now.
    if (aggregation == kAggNone || aggregation < 0 || aggregation >= kAggregationCount) {
      hasValue = false;
      textValue.clear();
    }
    return;
  }
  const double xv = null ? 0 : number.value_or(0);
  ++count;
  switch (aggregation) {
    case kAggCount: setAggregate(count, true); break;
    case kAggSum:
      sum += xv;
      setAggregate(sum, true);
      break;
    case kAggAverage:
      sum += xv;
      setAggregate(sum / count, true);
      break;
    case kAggMinimum: setAggregate(count == 1 || value > xv ? xv : value, true); break;
    case kAggMaximum: setAggregate(count == 1 || value < xv ? xv : value, true); break;
    case kAggStdDev:
    case kAggRelStdDev: {
      sum += xv;
      sumSquares += xv * xv;
      if (count <= 1) {
        setAggregate(0, false);
        break;
      }
      // Rounding can make the variance of equal values slightly negative.
      const double variance = std::max(0.0, (sumSquares - sum * sum / count) / (count - 1));
      const double deviation = std::sqrt(variance);
      if (aggregation == kAggStdDev) setAggregate(deviation, true);
      else if (sum == 0) setAggregate(0, false);
      else setAggregate(deviation * count / sum, true);
      break;
    }
    default:  // none
      hasValue = true;
      value = xv;
      textValue = null ? QString() : x.toText(decimalSeparator);
      break;
  }
}

void TRadekFunkce::compute(const ExpressionContext& context) {
  if (pendingReset) reset();
  if (compiled_.text() != expression) compiled_ = Expression(expression);
  ExprValue x;
  lastError = {};
  if (!compiled_.evaluate(context, &x, &lastError)) x = {};
  accumulate(x, context.decimalSeparator());
}

ExprValue TRadekFunkce::currentValue() const {
  if (!hasValue) return {};
  if (type == kFunctionText) return ExprValue::text(textValue);
  return ExprValue::number(value);
}

QString TRadekFunkce::text(const ReportLocale& locale) const {
  if (AllowNullValues && !hasValue) return {};
  if (type == kFunctionText) return textValue;
  return FormatFloat(value, format, precision, decimals, locale);
}

bool TListFunkci::add(const TRadekFunkce& f) {
  const int at = indexOf(f.name);
  if (at >= 0) {
    functions_[at] = f;
    return false;
  }
  functions_.append(f);
  return true;
}

int TListFunkci::indexOf(const QString& name) const {
  for (int i = 0; i < count(); ++i)
    if (functions_.at(i).name.compare(name, Qt::CaseInsensitive) == 0) return i;
  return -1;
}

void TListFunkci::markReset(int scope) {
  for (TRadekFunkce& f : functions_)
    if (f.resetScope == scope) f.markReset();
}

void TListFunkci::markResetAll() {
  for (TRadekFunkce& f : functions_) f.markReset();
}

void TListFunkci::setAllowNullValues(bool allow) {
  for (TRadekFunkce& f : functions_) f.AllowNullValues = allow;
}

void TListFunkci::computeAll(const ExpressionContext& context) {
  for (TRadekFunkce& f : functions_) f.compute(context);
}

bool TListFunkci::sameDefinitions(const TListFunkci& o) const {
  if (count() != o.count()) return false;
  for (int i = 0; i < count(); ++i)
    if (!functions_.at(i).sameDefinition(o.functions_.at(i))) return false;
  return true;
}

}  // namespace if97
