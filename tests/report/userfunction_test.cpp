// User functions: reset, the eight aggregations, AllowNullValues and the printed text.
#include <gtest/gtest.h>

#include <memory>

#include "report/run/reportrun.h"
#include "testing.h"

using namespace Qt::StringLiterals;

namespace report {
namespace {

// A report with one column "x" and the given functions; rows are fed one by one.
class Rows {
 public:
  explicit Rows(QList<TRadekFunkce> fns, bool allowNull = false) {
    data.FieldNames = {u"x"_s};
    data.AllowNullValues = allowNull;
    data.locale = ReportLocale::c();
    for (const TRadekFunkce& f : fns) def.functions.add(f);
    run = std::make_unique<ReportRun>(def, data);
    run->functions.markResetAll();
  }
  void rows(std::initializer_list<const char16_t*> xs) {
    for (const char16_t* x : xs) {
      data.RowValues = {U(x)};
      run->computeFunctions();
    }
  }
  const FunctionState& f(int i = 0) const { return run->functions[i]; }
  QString text(int i) const { return run->functionText(i); }
  ReportDefinition def;
  ReportData data;
  std::unique_ptr<ReportRun> run;
};

TRadekFunkce Fn(int aggregation, const QString& expression = u"#1"_s, const QString& initial = u"0"_s,
                const QString& name = {}) {
  TRadekFunkce f;
  f.name = name.isEmpty() ? u"f"_s + QString::number(aggregation) : name;
  f.expression = expression;
  f.initialValue = initial;
  f.aggregation = aggregation;
  f.format = kFormatGeneral;
  f.precision = 15;
  return f;
}

TEST(UserFunction, Aggregations) {
  const struct {
    int aggregation;
    std::initializer_list<const char16_t*> rows;
    bool hasValue;
    double value, tolerance = 1e-12;
  } cases[] = {
      {kAggNone, {u"4", u"7"}, true, 7},
      {kAggCount, {u"4", u"7", u"1"}, true, 3},
      {kAggSum, {u"1", u"2", u"3"}, true, 6},
      {kAggAverage, {u"2", u"4", u"9"}, true, 5},
      {kAggMinimum, {u"5", u"-2", u"3"}, true, -2},
      {kAggMinimum, {u"5", u"6"}, true, 5},
      {kAggMaximum, {u"-5", u"-2", u"-3"}, true, -2},
      // Over 2 and 4: deviation √2 = 1.4142135…, relative √2 / 3 = 0.4714045…
      {kAggStdDev, {u"2", u"4"}, true, 1.4142135623730951},
      {kAggStdDev, {u"2"}, false, 0},
      {kAggRelStdDev, {u"2", u"4"}, true, 0.47140452079103173},
      {kAggRelStdDev, {u"-1", u"1"}, false, 0},  // mean 0
      {kAggStdDev, {u"0.1", u"0.1", u"0.1"}, true, 0, 0},  // sum of squares minus sum²/n rounds below zero
  };
  for (const auto& c : cases) {
    Rows r({Fn(c.aggregation)});
    r.rows(c.rows);
    EXPECT_EQ(r.f().hasValue, c.hasValue) << "aggregation " << c.aggregation << " row " << (&c - cases);
    if (c.hasValue) {
      EXPECT_NEAR(r.f().value, c.value, c.tolerance) << "aggregation " << c.aggregation;
    }
  }
  const double s = 0.3000000000000000444, q = 0.030000000000000002;
  EXPECT_LT(q - s * s / 3, 0.0) << "the rounding the last row relies on";
}

TEST(UserFunction, AverageHasNoValueWhileNothingCounted) {
  Rows r({Fn(kAggAverage)}, true);
  r.rows({u""});  // no value: left out
  EXPECT_FALSE(r.f().hasValue);
  EXPECT_EQ(r.f().count, 0);
  EXPECT_EQ(r.text(0), u""_s);
  r.rows({u"3"});
  EXPECT_TRUE(r.f().hasValue);
  EXPECT_DOUBLE_EQ(r.f().value, 3);
}

TEST(UserFunction, NullValuesLeftOutOnlyWhenAllowed) {
  Rows allowed({Fn(kAggCount), Fn(kAggAverage)}, true);
  Rows counted({Fn(kAggCount), Fn(kAggAverage)}, false);
  allowed.rows({u"2", u"", u"4", u"abc"});
  counted.rows({u"2", u"", u"4", u"abc"});
  EXPECT_EQ(allowed.f(0).value, 2);
  EXPECT_DOUBLE_EQ(allowed.f(1).value, 3);
  EXPECT_EQ(counted.f(0).value, 4);
  EXPECT_DOUBLE_EQ(counted.f(1).value, 1.5);  // no value counts as 0
  Rows plain({Fn(kAggNone)}, true);
  plain.rows({u"5"});
  EXPECT_EQ(plain.text(0), u"5"_s);
  plain.rows({u""});
  EXPECT_EQ(plain.text(0), u""_s);
}

TEST(UserFunction, ResetByScope) {
  TRadekFunkce page = Fn(kAggSum, u"#1"_s, u"0"_s, u"page"_s);
  page.resetScope = kResetPage;
  Rows r({page, Fn(kAggSum, u"#1"_s, u"100"_s, u"report"_s)});
  r.rows({u"1", u"2"});
  r.run->functions.markReset(kResetPage);
  EXPECT_TRUE(r.f(0).pendingReset);
  EXPECT_FALSE(r.f(1).pendingReset);
  r.rows({u"5"});
  EXPECT_DOUBLE_EQ(r.f(0).value, 5);
  EXPECT_DOUBLE_EQ(r.f(1).value, 8);  // the sum starts from 0, not from the initial value
}

TEST(UserFunction, InitialValueIsTheValueAfterReset) {
  const TRadekFunkce def = Fn(kAggNone, QString(), u"12,5"_s);
  FunctionState f(def);
  f.reset();
  EXPECT_TRUE(f.hasValue);
  EXPECT_DOUBLE_EQ(f.value, 12.5);
  EXPECT_EQ(f.textValue, u"12,5"_s);
}

TEST(UserFunction, TextFunctionsAndFunctionsSeeingEachOther) {
  TRadekFunkce text = Fn(kAggNone, u"'Bod ' + #1"_s, QString());
  text.type = kFunctionText;
  Rows r({text, Fn(kAggSum, u"#1"_s, u"0"_s, u"a"_s), Fn(kAggNone, u"@a * 10"_s, u"0"_s, u"b"_s)});
  r.rows({u"2", u"3"});
  EXPECT_EQ(r.text(0), u"Bod 3"_s);
  EXPECT_DOUBLE_EQ(r.f(2).value, 50);
}

TEST(UserFunction, FailedExpressionGivesNoValueAndTheRunGoesOn) {
  Rows r({Fn(kAggCount, u"1 / #1"_s)}, true);
  r.rows({u"0"});
  EXPECT_EQ(r.f().lastError.text, exprmsg::Numeric());
  EXPECT_EQ(r.f().count, 0);
  r.rows({u"2"});
  EXPECT_TRUE(r.f().lastError.text.isEmpty());
  EXPECT_EQ(r.f().count, 1);
}

TEST(UserFunction, FormattedText) {
  TRadekFunkce f = Fn(kAggNone);
  f.format = kFormatFixed;
  f.decimals = 3;
  Rows r({f});
  r.rows({u"2.5"});
  EXPECT_EQ(r.text(0), u"2.500"_s);
  EXPECT_EQ(r.text(1), u""_s);
  EXPECT_EQ(r.text(-1), u""_s);
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
}  // namespace report
