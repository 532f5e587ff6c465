// User functions of a report: `TRadekFunkce` and the list `TListFunkci`.
//
// A function evaluates its expression once per body row and feeds the result to
// its aggregation (run/functionstate). A pending reset (set at the start of the
// report, of a page or of a group, by the function's reset scope) is carried out
// just before the next computation.
#pragma once

#include <QList>
#include <QString>


namespace report {

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

// Number formats of a function's value (the formatting itself is io/numberformat).
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

// The definition of a user function, as the template stores it. What it holds
// while a report runs (value, count, sums, pending reset) is run/functionstate.
class TRadekFunkce {
 public:
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

  bool sameDefinitions(const TListFunkci& o) const;

 private:
  QList<TRadekFunkce> functions_;
};

}  // namespace report
