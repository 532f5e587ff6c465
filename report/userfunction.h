// User functions of a report: `TRadekFunkce` and the list `TListFunkci`.
//
// A function evaluates its expression once per body row and feeds the result to
// its aggregation. A pending reset (set at the start of the report, of a page or
// of a group, by the function's reset scope) is carried out just before the next
// computation.
#pragma once

#include <QList>
#include <QString>

#include "report/expression.h"
#include "report/numberformat.h"

namespace if97 {

enum FunctionType : int { kFunctionNumeric = 0, kFunctionText = 1 };

// Reset scope: 0 report, 1 page, 2 + g the group at position g.
enum ResetScope : int { kResetReport = 0, kResetPage = 1, kResetFirstGroup = 2 };

enum Aggregation : int {
  kAggNone = 0,
  kAggCount = 1,
  kAggSum = 2,
  kAggAverage = 3,
  kAggMinimum = 4,
  kAggMaximum = 5,
  kAggStdDev = 6,
  kAggRelStdDev = 7,  // standard deviation divided by the mean (not in percent)
};
constexpr int kAggregationCount = 8;

class TRadekFunkce {
 public:
  // Definition (stored in the template).
  QString name;         // unique key in the function list
  QString description;
  int type = kFunctionNumeric;
  QString initialValue;  // text; read as a number for a numeric function
  int resetScope = kResetReport;
  QString expression;
  int aggregation = kAggNone;
  int precision = kDefaultPrecision;  // total number of characters (significant digits)
  int decimals = 2;
  int format = kDefaultNumberFormat;  // NumberFormat

  bool sameDefinition(const TRadekFunkce& o) const;

  // Run-time state.
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
  Expression compiled_;
};

class TListFunkci {
 public:
  int count() const { return static_cast<int>(functions_.size()); }
  TRadekFunkce& operator[](int i) { return functions_[i]; }
  const TRadekFunkce& operator[](int i) const { return functions_[i]; }
  void clear() { functions_.clear(); }
  // Adds the function, or replaces the definition of the function of the same
  // name (case-insensitive) at its place; returns false when it replaced one.
  bool add(const TRadekFunkce& f);
  void removeAt(int i) { functions_.removeAt(i); }
  int indexOf(const QString& name) const;  // -1 when there is none
  auto begin() { return functions_.begin(); }
  auto end() { return functions_.end(); }
  auto begin() const { return functions_.begin(); }
  auto end() const { return functions_.end(); }

  // Pending reset for every function of this scope, or of every scope.
  void markReset(int scope);
  void markResetAll();
  void setAllowNullValues(bool allow);
  // Computes all functions in list order.
  void computeAll(const ExpressionContext& context);

  bool sameDefinitions(const TListFunkci& o) const;

 private:
  QList<TRadekFunkce> functions_;
};

}  // namespace if97
