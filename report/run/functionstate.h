// User functions while a report runs: the value, count and sums of each function
// of the template's list, its pending reset and its compiled expression.
#pragma once

#include <QString>
#include <vector>

#include "report/expr/expression.h"
#include "report/io/numberformat.h"
#include "report/model/userfunction.h"

namespace report {

class FunctionState {
 public:
  explicit FunctionState(const TRadekFunkce& definition) : def_(&definition) {}

  const TRadekFunkce& definition() const { return *def_; }

  double value = 0;
  QString textValue;
  bool hasValue = false;
  int count = 0;
  double sum = 0;
  double sumSquares = 0;
  bool pendingReset = true;
  bool AllowNullValues = false;
  ExpressionError lastError;  // error of the last evaluation, empty when it succeeded

  void markReset() { pendingReset = true; }
  // Carries out the reset now: value from the initial value, count and sums 0.
  void reset();
  // One body row: pending reset, evaluation, aggregation.
  void compute(const ExpressionContext& context);
  // Feeds one expression result to the aggregation (no value = ExprValue()).
  void accumulate(const ExprValue& x, QChar decimalSeparator);

  // The value as other expressions see it (@n): a number, a text, or no value.
  ExprValue currentValue() const;
  // The printed text: the formatted number, or the text value; empty when
  // AllowNullValues is on and the function has no value.
  QString text(const ReportLocale& locale) const;

 private:
  void setAggregate(double v, bool defined);
  const TRadekFunkce* def_;
  Expression compiled_;
};

// The states of every function of a list, in list order.
class FunctionStates {
 public:
  // Makes one state per definition; the list must outlive this object and not
  // change while it is in use.
  void attach(const TListFunkci& functions);
  int count() const { return static_cast<int>(states_.size()); }
  FunctionState& operator[](int i) { return states_[static_cast<std::size_t>(i)]; }
  const FunctionState& operator[](int i) const { return states_[static_cast<std::size_t>(i)]; }

  // Pending reset for every function of this scope, or of every scope.
  void markReset(int scope);
  void markResetAll();
  void setAllowNullValues(bool allow);
  // Computes all functions in list order.
  void computeAll(const ExpressionContext& context);

 private:
  std::vector<FunctionState> states_;
};

}  // namespace report
