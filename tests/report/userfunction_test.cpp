// User functions: reset, the eight aggregations, AllowNullValues and the printed text.
#include <cmath>

#include <gtest/gtest.h>

#include "qtprint.h"
#include "report/reportdefinition.h"

using namespace Qt::StringLiterals;

namespace if97 {
namespace {

// A report with one column "x" and the given functions; rows are fed one by one.
class Rows {
 public:
  explicit Rows(QList<TRadekFunkce> fns, bool allowNull = false) {
    report.FieldNames = {u"x"_s};
    report.AllowNullValues = allowNull;
    report.locale = ReportLocale::c();
    for (const TRadekFunkce& f : fns) report.functions.add(f);
    report.functions.markResetAll();
  }
  void row(const QString& x) {
    report.RowValues = {x};
    report.computeFunctions();
  }
  const TRadekFunkce& f(int i = 0) const { return report.functions[i]; }
  ReportDefinition report;
};

TRadekFunkce Fn(int aggregation, const QString& expression = u"#1"_s, const QString& initial = u"0"_s) {
  TRadekFunkce f;
  f.name = u"f"_s + QString::number(aggregation);
  f.expression = expression;
  f.initialValue = initial;
  f.aggregation = aggregation;
  f.format = kFormatGeneral;
  f.precision = 15;
  return f;
}

TEST(UserFunction, SumOfOneTwoThreeIsSix) {
  Rows r({Fn(kAggSum)});
  for (const char16_t* x : {u"1", u"2", u"3"}) r.row(QString::fromUtf16(x));
  EXPECT_DOUBLE_EQ(r.f().value, 6);
  EXPECT_EQ(r.report.functionText(0), u"6"_s);
}

struct AggregationCase {
  int aggregation;
  QList<const char16_t*> rows;
  bool hasValue;
  double value;
};

TEST(UserFunction, Aggregations) {
  const double sd24 = std::sqrt(2.0);  // deviation of 2 and 4
  const AggregationCase cases[] = {
      {kAggNone, {u"4", u"7"}, true, 7},
      {kAggCount, {u"4", u"7", u"1"}, true, 3},
      {kAggSum, {u"1.5", u"2.5"}, true, 4},
      {kAggAverage, {u"2", u"4", u"9"}, true, 5},
      {kAggMinimum, {u"5", u"-2", u"3"}, true, -2},
      {kAggMinimum, {u"5", u"6"}, true, 5},
      {kAggMaximum, {u"-5", u"-2", u"-3"}, true, -2},
      {kAggStdDev, {u"2", u"4"}, true, sd24},
      {kAggStdDev, {u"2"}, false, 0},
      {kAggRelStdDev, {u"2", u"4"}, true, sd24 * 2 / 6},
      {kAggRelStdDev, {u"-1", u"1"}, false, 0},  // mean 0
  };
  for (const AggregationCase& c : cases) {
    Rows r({Fn(c.aggregation)});
    for (const char16_t* x : c.rows) r.row(QString::fromUtf16(x));
    EXPECT_EQ(r.f().hasValue, c.hasValue) << "aggregation " << c.aggregation;
    if (c.hasValue) {
      EXPECT_NEAR(r.f().value, c.value, 1e-12) << "aggregation " << c.aggregation;
    }
  }
}

TEST(UserFunction, DeviationValuesFromTheDescription) {
  Rows r({Fn(kAggStdDev), Fn(kAggRelStdDev)});
  r.row(u"2"_s);
  r.row(u"4"_s);
  EXPECT_NEAR(r.f(0).value, 1.4142135, 1e-7);
  EXPECT_NEAR(r.f(1).value, 0.4714045, 1e-7);
}

TEST(UserFunction, VarianceOfEqualValuesIsNeverNegative) {
  // 0.1 three times: sum of squares minus sum²/n rounds below zero.
  Rows r({Fn(kAggStdDev)});
  for (int i = 0; i < 3; ++i) r.row(u"0.1"_s);
  const double s = 0.3000000000000000444, q = 0.030000000000000002;
  ASSERT_LT(q - s * s / 3, 0.0) << "the rounding this test relies on";
  EXPECT_TRUE(r.f().hasValue);
  EXPECT_EQ(r.f().value, 0.0);
}

TEST(UserFunction, AverageHasNoValueWhileNothingCounted) {
  Rows r({Fn(kAggAverage)}, true);
  r.row(QString());  // no value: left out
  EXPECT_FALSE(r.f().hasValue);
  EXPECT_EQ(r.f().count, 0);
  EXPECT_EQ(r.report.functionText(0), u""_s);
  r.row(u"3"_s);
  EXPECT_TRUE(r.f().hasValue);
  EXPECT_DOUBLE_EQ(r.f().value, 3);
}

TEST(UserFunction, NullValuesLeftOutOnlyWhenAllowed) {
  Rows allowed({Fn(kAggCount), Fn(kAggAverage)}, true);
  Rows counted({Fn(kAggCount), Fn(kAggAverage)}, false);
  for (const char16_t* x : {u"2", u"", u"4", u"abc"}) {
    allowed.row(QString::fromUtf16(x));
    counted.row(QString::fromUtf16(x));
  }
  EXPECT_EQ(allowed.f(0).value, 2);
  EXPECT_DOUBLE_EQ(allowed.f(1).value, 3);
  EXPECT_EQ(counted.f(0).value, 4);
  EXPECT_DOUBLE_EQ(counted.f(1).value, 1.5);  // no value counts as 0
}

TEST(UserFunction, PlainValueWithoutValuePrintsEmptyWhenAllowed) {
  Rows r({Fn(kAggNone)}, true);
  r.row(u"5"_s);
  EXPECT_EQ(r.report.functionText(0), u"5"_s);
  r.row(QString());
  EXPECT_EQ(r.report.functionText(0), u""_s);
}

TEST(UserFunction, ResetByScope) {
  TRadekFunkce page = Fn(kAggSum);
  page.name = u"page"_s;
  page.resetScope = kResetPage;
  TRadekFunkce report = Fn(kAggSum);
  report.name = u"report"_s;
  report.initialValue = u"100"_s;
  Rows r({page, report});
  r.row(u"1"_s);
  r.row(u"2"_s);
  r.report.functions.markReset(kResetPage);
  EXPECT_TRUE(r.f(0).pendingReset);
  EXPECT_FALSE(r.f(1).pendingReset);
  r.row(u"5"_s);
  EXPECT_DOUBLE_EQ(r.f(0).value, 5);
  EXPECT_DOUBLE_EQ(r.f(1).value, 8);  // the sum starts from 0, not from the initial value
}

TEST(UserFunction, InitialValueIsTheValueAfterReset) {
  TRadekFunkce f = Fn(kAggNone, QString(), u"12,5"_s);
  f.reset();
  EXPECT_TRUE(f.hasValue);
  EXPECT_DOUBLE_EQ(f.value, 12.5);
  EXPECT_EQ(f.textValue, u"12,5"_s);
}

TEST(UserFunction, TextFunction) {
  TRadekFunkce f = Fn(kAggNone, u"'Bod ' + #1"_s, QString());
  f.type = kFunctionText;
  Rows r({f});
  r.row(u"3"_s);
  EXPECT_EQ(r.report.functionText(0), u"Bod 3"_s);
}

TEST(UserFunction, FunctionsSeeEachOther) {
  TRadekFunkce a = Fn(kAggSum);
  a.name = u"a"_s;
  TRadekFunkce b = Fn(kAggNone, u"@a * 10"_s);
  b.name = u"b"_s;
  Rows r({a, b});
  r.row(u"2"_s);
  r.row(u"3"_s);
  EXPECT_DOUBLE_EQ(r.f(1).value, 50);
}

TEST(UserFunction, FailedExpressionGivesNoValueAndTheRunGoesOn) {
  Rows r({Fn(kAggCount, u"1 / #1"_s)}, true);
  r.row(u"0"_s);
  EXPECT_EQ(r.f().lastError.text, exprmsg::Numeric());
  EXPECT_EQ(r.f().count, 0);
  r.row(u"2"_s);
  EXPECT_TRUE(r.f().lastError.text.isEmpty());
  EXPECT_EQ(r.f().count, 1);
}

TEST(UserFunction, FormattedText) {
  TRadekFunkce f = Fn(kAggNone);
  f.format = kFormatFixed;
  f.precision = 15;
  f.decimals = 3;
  Rows r({f});
  r.row(u"2.5"_s);
  EXPECT_EQ(r.report.functionText(0), u"2.500"_s);
  EXPECT_EQ(r.report.functionText(1), u""_s);
  EXPECT_EQ(r.report.functionText(-1), u""_s);
}

TEST(UserFunction, NamesAreUniqueKeys) {
  TListFunkci list;
  TRadekFunkce f = Fn(kAggSum);
  EXPECT_TRUE(list.add(f));
  f.expression = u"#2"_s;
  f.name = f.name.toUpper();
  EXPECT_FALSE(list.add(f));
  ASSERT_EQ(list.count(), 1);
  EXPECT_EQ(list[0].expression, u"#2"_s);
}

}  // namespace
}  // namespace if97
