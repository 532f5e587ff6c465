#include "report/run/functionstate.h"

#include <algorithm>
#include <cmath>

#include "report/io/numberformat.h"

namespace report {

void FunctionState::reset() {
  pendingReset = false;
  textValue = def_->initialValue;
  const std::optional<double> v = ReadNumber(def_->initialValue);
  value = v.value_or(0);
  hasValue = def_->type == kFunctionText || v.has_value();
  // An average or a deviation has no value until enough rows have come.
  if (def_->aggregation == kAggAverage || def_->aggregation == kAggStdDev || def_->aggregation == kAggRelStdDev) hasValue = false;
  count = 0;
  sum = 0;
  sumSquares = 0;
}

void FunctionState::setAggregate(double v, bool defined) {
  hasValue = defined;
  if (defined) value = v;
  if (def_->type == kFunctionText) textValue = defined ? GeneralNumberText(value) : QString();
}

void FunctionState::accumulate(const ExprValue& x, QChar decimalSeparator) {
  const std::optional<double> number = x.toNumber();
  // A numeric function counts a text that is not a number as no value.
  const bool null = x.isNone() || (def_->type == kFunctionNumeric && !number);
  if (null && AllowNullValues) {
    // The row is left out of the aggregation; a plain value has none now.
    if (def_->aggregation == kAggNone || def_->aggregation < 0 || def_->aggregation >= kAggregationCount) {
      hasValue = false;
      textValue.clear();
    }
    return;
  }
  const double xv = null ? 0 : number.value_or(0);
  ++count;
  switch (def_->aggregation) {
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
      if (def_->aggregation == kAggStdDev) setAggregate(deviation, true);
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

void FunctionState::compute(const ExpressionContext& context) {
  if (pendingReset) reset();
  if (compiled_.text() != def_->expression) compiled_ = Expression(def_->expression);
  ExprValue x;
  lastError = {};
  if (!compiled_.evaluate(context, &x, &lastError)) x = {};
  accumulate(x, context.decimalSeparator());
}

ExprValue FunctionState::currentValue() const {
  if (!hasValue) return {};
  if (def_->type == kFunctionText) return ExprValue::text(textValue);
  return ExprValue::number(value);
}

QString FunctionState::text(const ReportLocale& locale) const {
  if (AllowNullValues && !hasValue) return {};
  if (def_->type == kFunctionText) return textValue;
  return FormatFloat(value, def_->format, def_->precision, def_->decimals, locale);
}

void FunctionStates::attach(const TListFunkci& functions) {
  states_.clear();
  states_.reserve(static_cast<std::size_t>(functions.count()));
  for (const TRadekFunkce& f : functions) states_.emplace_back(f);
}

void FunctionStates::markReset(int scope) {
  for (FunctionState& f : states_)
    if (f.definition().resetScope == scope) f.markReset();
}

void FunctionStates::markResetAll() {
  for (FunctionState& f : states_) f.markReset();
}

void FunctionStates::setAllowNullValues(bool allow) {
  for (FunctionState& f : states_) f.AllowNullValues = allow;
}

void FunctionStates::computeAll(const ExpressionContext& context) {
  for (FunctionState& f : states_) f.compute(context);
}

}  // namespace report
