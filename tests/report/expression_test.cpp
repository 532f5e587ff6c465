// Expressions of user functions: values, precedence, built-in functions and every
// error text at its position.
#include <cmath>
#include <numbers>

#include <gtest/gtest.h>

#include <QList>
#include <QStringList>

#include "report/expression.h"
#include "qtprint.h"
#include "report/reportlimits.h"

using namespace Qt::StringLiterals;

namespace if97 {
namespace {

class Row : public ExpressionContext {
 public:
  QStringList names{u"Vel1"_s, u"Vel2"_s, u"Vel3"_s, u"Vel4"_s, u"Vel5"_s, u"Vel6"_s};
  QStringList values{u"1.5"_s, u"2"_s, u"-3,25"_s, u"abc"_s, QString(), u"10"_s};
  QStringList params{u"Nadpis"_s, u"7"_s};
  QList<std::pair<QString, ExprValue>> functions{{u"soucet"_s, ExprValue::number(42)},
                                                 {u"jmeno"_s, ExprValue::text(u"pára"_s)}};
  QChar decimal = QChar(u'.');

  int columnCount() const override { return static_cast<int>(names.size()); }
  int columnIndex(const QString& n) const override {
    for (int i = 0; i < names.size(); ++i)
      if (names[i].compare(n, Qt::CaseInsensitive) == 0) return i;
    return -1;
  }
  QString columnText(int i) const override { return values.value(i); }
  int parameterCount() const override { return static_cast<int>(params.size()); }
  QString parameterText(int i) const override { return params.value(i); }
  int functionCount() const override { return static_cast<int>(functions.size()); }
  int functionIndex(const QString& n) const override {
    for (int i = 0; i < functions.size(); ++i)
      if (functions[i].first.compare(n, Qt::CaseInsensitive) == 0) return i;
    return -1;
  }
  ExprValue functionValue(int i) const override { return functions.value(i).second; }
  QChar decimalSeparator() const override { return decimal; }
};

ExpressionResult Eval(const QString& text, const Row& row = Row{}) { return EvaluateExpression(text, row); }

double Number(const QString& text) {
  const ExpressionResult r = Eval(text);
  EXPECT_TRUE(r.ok) << text.toStdString() << ": " << r.error.text.toStdString() << " at " << r.error.position;
  EXPECT_TRUE(r.value.isNumber()) << text.toStdString();
  return r.value.toNumber().value_or(std::nan(""));
}

QString Text(const QString& text) {
  const ExpressionResult r = Eval(text);
  EXPECT_TRUE(r.ok) << text.toStdString() << ": " << r.error.text.toStdString() << " at " << r.error.position;
  EXPECT_TRUE(r.value.isText()) << text.toStdString();
  return r.value.toText();
}

TEST(Expression, ColumnsAddUp) { EXPECT_DOUBLE_EQ(Number(u"#1 + #2"_s), 3.5); }

TEST(Expression, ColumnByNameWhereverItStands) {
  EXPECT_DOUBLE_EQ(Number(u"#Vel3"_s), -3.25);
  Row moved;
  moved.names = {u"Vel3"_s, u"Vel1"_s};
  moved.values = {u"8"_s, u"9"_s};
  EXPECT_DOUBLE_EQ(EvaluateExpression(u"#Vel3 * 2"_s, moved).value.toNumber().value_or(0), 16);
  EXPECT_DOUBLE_EQ(EvaluateExpression(u"#vel1"_s, moved).value.toNumber().value_or(0), 9);
}

TEST(Expression, IifWithComparisonGivesText) {
  EXPECT_EQ(Text(u"IIF(#1 > 0, 'kladné', 'záporné')"_s), u"kladné"_s);
  EXPECT_EQ(Text(u"IIF(#3 > 0, 'kladné', 'záporné')"_s), u"záporné"_s);
}

TEST(Expression, IifEvaluatesOnlyTheChosenArgument) {
  EXPECT_DOUBLE_EQ(Number(u"IIF(#2 = 0, 0, 1 / #2)"_s), 0.5);
  Row zero;
  zero.values[1] = u"0"_s;
  EXPECT_DOUBLE_EQ(EvaluateExpression(u"IIF(#2 = 0, 0, 1 / #2)"_s, zero).value.toNumber().value_or(-1), 0);
}

TEST(Expression, ParametersAndFunctions) {
  EXPECT_EQ(Text(u"&1"_s), u"Nadpis"_s);
  EXPECT_DOUBLE_EQ(Number(u"&2 + 1"_s), 8);
  EXPECT_DOUBLE_EQ(Number(u"@1 / 2"_s), 21);
  EXPECT_DOUBLE_EQ(Number(u"@SOUCET"_s), 42);
  EXPECT_EQ(Text(u"@jmeno + '!'"_s), u"pára!"_s);
}

TEST(Expression, PrecedenceAndAssociativity) {
  struct Case {
    const char16_t* text;
    double value;
  };
  const Case cases[] = {
      {u"1 + 2 * 3", 7},     {u"(1 + 2) * 3", 9}, {u"2 ^ 3 ^ 2", 512}, {u"-2 ^ 2", 4},
      {u"2 ^ -1", 0.5},      {u"10 - 4 - 3", 3},  {u"24 / 4 / 3", 2},  {u"2 * 3 ^ 2", 18},
      {u"- - 3", 3},         {u"+4 - -1", 5},     {u"1.5e1 + 0.5", 15.5}, {u"2E-1 * 10", 2},
  };
  for (const Case& c : cases) EXPECT_DOUBLE_EQ(Number(QString::fromUtf16(c.text)), c.value) << QString::fromUtf16(c.text).toStdString();
}

TEST(Expression, ComparisonsAndWordOperators) {
  struct Case {
    const char16_t* text;
    bool value;
  };
  const Case cases[] = {
      {u"1 < 2", true},           {u"2 <= 2", true},          {u"3 >= 4", false},
      {u"1 <> 1", false},         {u"'a' < 'b'", true},       {u"#2 = '2'", true},
      {u"NOT 1 = 2", true},       {u"1 = 1 AND 2 = 3", false}, {u"1 = 1 OR 2 = 3", true},
      {u"NOT 0 OR 0 AND 0", true}, {u"1 + 1 = 2", true},      {u"#4 = 'abc'", true},
      {u"2 IN [1, 2, 3]", true},  {u"'b' IN ['a','c']", false}, {u"-1 IN [-1]", true},
      {u"#1 IN [1.5]", true},     {u"1 in []", false},        {u"1 < 2 and not (2 < 1)", true},
  };
  for (const Case& c : cases) {
    const ExpressionResult r = Eval(QString::fromUtf16(c.text));
    ASSERT_TRUE(r.ok) << QString::fromUtf16(c.text).toStdString() << ": " << r.error.text.toStdString();
    EXPECT_TRUE(r.value.isBool()) << QString::fromUtf16(c.text).toStdString();
    EXPECT_EQ(r.value.toBool().value_or(!c.value), c.value) << QString::fromUtf16(c.text).toStdString();
  }
}

TEST(Expression, TextsJoinAndConvert) {
  EXPECT_EQ(Text(u"'a' + 'b'"_s), u"ab"_s);
  EXPECT_EQ(Text(u"#1 + ' kg'"_s), u"1.5 kg"_s);  // the column's own text
  EXPECT_EQ(Text(u"'It''s'"_s), u"It's"_s);
  EXPECT_DOUBLE_EQ(Number(u"'2' * 3"_s), 6);
}

TEST(Expression, EveryBuiltinFunction) {
  const double pi = std::numbers::pi;
  struct NumberCase {
    const char16_t* text;
    double value;
  };
  const NumberCase numbers[] = {
      {u"ABS(-2.5)", 2.5},      {u"INT(-2.7)", -2},          {u"INT(2.7)", 2},
      {u"SGN(-3)", -1},         {u"SGN(0)", 0},              {u"MAX(2, 5)", 5},
      {u"MIN(2, 5)", 2},        {u"SIN(0.5)", std::sin(0.5)}, {u"COS(0.5)", std::cos(0.5)},
      {u"TAN(0.5)", std::tan(0.5)}, {u"COTG(0.5)", 1 / std::tan(0.5)}, {u"EXP(1)", std::exp(1.0)},
      {u"LOG(10)", std::log(10.0)}, {u"ASIN(0.5)", std::asin(0.5)}, {u"ACOS(0.5)", std::acos(0.5)},
      {u"ATAN(2)", std::atan(2.0)}, {u"ACOTG(2)", pi / 2 - std::atan(2.0)}, {u"ORD('A')", 65},
      {u"ORD('Č')", 200},       {u"abs(1)", 1},
  };
  for (const NumberCase& c : numbers)
    EXPECT_NEAR(Number(QString::fromUtf16(c.text)), c.value, 1e-12) << QString::fromUtf16(c.text).toStdString();
  struct TextCase {
    const char16_t* text;
    const char16_t* value;
  };
  const TextCase texts[] = {
      {u"IIF(1 = 1, 'a', 'b')", u"a"}, {u"LEFT('abcdef', 2)", u"ab"},     {u"RIGHT('abcdef', 2)", u"ef"},
      {u"SUBSTR('abcdef', 2, 3)", u"bcd"}, {u"SUBSTR('abc', 0, 9)", u"abc"}, {u"UPPER('žluť')", u"ŽLUŤ"},
      {u"LOWER('ABC')", u"abc"},       {u"LTRIM('  a ')", u"a "},         {u"RTRIM('  a ')", u"  a"},
      {u"ALLTRIM('  a ')", u"a"},      {u"FORMAT(3.14159, 2)", u"3.14"},  {u"FORMAT(2, 0)", u"2"},
      {u"CHR(65)", u"A"},              {u"CHR(200)", u"Č"},               {u"LEFT('ab', -1)", u""},
      {u"MAX('a', 'b')", u"b"},
  };
  for (const TextCase& c : texts)
    EXPECT_EQ(Text(QString::fromUtf16(c.text)), QString::fromUtf16(c.value)) << QString::fromUtf16(c.text).toStdString();
}

TEST(Expression, FormatUsesTheReportDecimalSeparator) {
  Row row;
  row.decimal = QChar(u',');
  EXPECT_EQ(EvaluateExpression(u"FORMAT(#1, 3)"_s, row).value.toText(), u"1,500"_s);
}

TEST(Expression, NoValuePropagates) {
  for (const char16_t* text : {u"#5", u"#5 + 1", u"ABS(#5)", u"IIF(#5 > 1, 1, 2)", u"#5 = 1", u"", u"   "}) {
    const ExpressionResult r = Eval(QString::fromUtf16(text));
    EXPECT_TRUE(r.ok) << QString::fromUtf16(text).toStdString();
    EXPECT_TRUE(r.value.isNone()) << QString::fromUtf16(text).toStdString();
  }
}

struct ErrorCase {
  const char16_t* text;
  QString (*message)();
  int position;
};

TEST(Expression, EveryErrorTextAtItsPosition) {
  const ErrorCase cases[] = {
      {u"#Vel9", exprmsg::UnknownIdentifier, 1},
      {u"1 + #7", exprmsg::UnknownIdentifier, 5},
      {u"&3", exprmsg::UnknownIdentifier, 1},
      {u"@3 + 1", exprmsg::UnknownIdentifier, 1},
      {u"@nic", exprmsg::UnknownIdentifier, 1},
      {u"FOO(1)", exprmsg::UnknownIdentifier, 1},
      {u"IIF(1, 2, #Nic)", exprmsg::UnknownIdentifier, 11},
      {u"1 +", exprmsg::Syntax, 4},
      {u"* 2", exprmsg::Syntax, 1},
      {u"1 2", exprmsg::Syntax, 3},
      {u"1 $ 2", exprmsg::Syntax, 3},
      {u"ABS 1", exprmsg::Syntax, 5},
      {u"ABS()", exprmsg::Syntax, 5},
      {u"[1, 2]", exprmsg::Syntax, 1},
      {u"1 IN 2", exprmsg::Syntax, 3},
      {u"()", exprmsg::Syntax, 2},
      {u"1 + 2)", exprmsg::TooFewOpening, 6},
      {u")", exprmsg::TooFewOpening, 1},
      {u"(1 + 2", exprmsg::MissingClosing, 7},
      {u"MAX(1, 2", exprmsg::MissingClosing, 9},
      {u"1 / 0", exprmsg::Numeric, 3},
      {u"LOG(-1)", exprmsg::Numeric, 1},
      {u"LOG(0)", exprmsg::Numeric, 1},
      {u"ASIN(2)", exprmsg::Numeric, 1},
      {u"(-8) ^ 0.5", exprmsg::Numeric, 6},
      {u"EXP(1000)", exprmsg::Numeric, 1},
      {u"CHR(300)", exprmsg::Numeric, 1},
      {u"'a' * 2", exprmsg::Numeric, 5},
      {u"#4 - 1", exprmsg::Numeric, 4},
      {u"1.2.3", exprmsg::BadNumber, 1},
      {u"12abc", exprmsg::BadNumber, 1},
      {u"1e", exprmsg::BadNumber, 1},
      {u"2 + 1.", exprmsg::BadNumber, 5},
      {u"1e999", exprmsg::BadNumber, 1},
      {u"#0", exprmsg::BadReference, 1},
      {u"#256", exprmsg::BadReference, 1},
      {u"#1234", exprmsg::BadReference, 1},
      {u"1 + #", exprmsg::BadReference, 5},
      {u"&x", exprmsg::BadReference, 1},
      {u"#1x", exprmsg::BadReference, 1},
      {u"MAX(1)", exprmsg::CommaExpected, 6},
      {u"SUBSTR('a', 1)", exprmsg::CommaExpected, 14},
      {u"ABS(1, 2)", exprmsg::TooManyCommas, 6},
      {u"(1, 2)", exprmsg::TooManyCommas, 3},
      {u"1, 2", exprmsg::TooManyCommas, 2},
      {u"'abc", exprmsg::BadText, 1},
      {u"1 + 'x", exprmsg::BadText, 5},
      {u"1 IN [1, 2", exprmsg::BadSet, 6},
      {u"1 IN [#1]", exprmsg::BadSet, 6},
      {u"1 IN [1 2]", exprmsg::BadSet, 6},
      {u"1 IN [,]", exprmsg::BadSet, 6},
  };
  for (const ErrorCase& c : cases) {
    const ExpressionResult r = Eval(QString::fromUtf16(c.text));
    EXPECT_FALSE(r.ok) << QString::fromUtf16(c.text).toStdString();
    EXPECT_EQ(r.error.text, c.message()) << QString::fromUtf16(c.text).toStdString() << " gave "
                                         << r.error.text.toStdString();
    EXPECT_EQ(r.error.position, c.position) << QString::fromUtf16(c.text).toStdString();
    EXPECT_TRUE(r.value.isNone());
  }
}

TEST(Expression, TooManyReferences) {
  QString text = u"#1"_s;
  for (int i = 1; i < kMaxExpressionReferences; ++i) text += u"+#1"_s;
  EXPECT_TRUE(Eval(text).ok);
  const int position = static_cast<int>(text.size()) + 2;
  text += u"+#1"_s;
  const ExpressionResult r = Eval(text);
  EXPECT_EQ(r.error.text, exprmsg::TooManyReferences());
  EXPECT_EQ(r.error.position, position);
}

TEST(Expression, StackOverflowAtTheTwentyFirstPendingValue) {
  // A right-associative chain keeps every value pending until the end.
  auto chain = [](int values) {
    QString t = u"1"_s;
    for (int i = 1; i < values; ++i) t += u"^1"_s;
    return t;
  };
  EXPECT_DOUBLE_EQ(Number(chain(kExpressionStackSize)), 1);
  const ExpressionResult r = Eval(chain(kExpressionStackSize + 1));
  EXPECT_EQ(r.error.text, exprmsg::StackOverflow());
  EXPECT_EQ(r.error.position, 2 * kExpressionStackSize + 1);  // the 21st "1"
}

TEST(Expression, StackOverflowAtTheTwentyFirstPendingOperator) {
  const QString open(kExpressionStackSize, u'(');
  EXPECT_DOUBLE_EQ(Number(open + u"1"_s + QString(kExpressionStackSize, u')')), 1);
  const ExpressionResult r = Eval(open + u"(1"_s);
  EXPECT_EQ(r.error.text, exprmsg::StackOverflow());
  EXPECT_EQ(r.error.position, kExpressionStackSize + 1);
}

TEST(Expression, TooLongExpression) {
  QString text = u"1"_s + QString(kMaxExpressionLength - 1, u' ');
  EXPECT_TRUE(Eval(text).ok);
  text += u' ';
  const ExpressionResult r = Eval(text);
  EXPECT_EQ(r.error.text, exprmsg::Syntax());
  EXPECT_EQ(r.error.position, kMaxExpressionLength + 1);
}

TEST(Expression, CheckMessage) {
  EXPECT_EQ(CheckExpression(u"#1 + 1"_s, Row{}), u"Výraz je v pořádku."_s);
  EXPECT_EQ(CheckExpression(u"(1 + 2"_s, Row{}), u"Chyba : \"Chybí uzavírací závorky\" na pozici 7"_s);
  // A user's text with format directives is never used as a format.
  EXPECT_EQ(CheckExpression(u"'%s%n' +"_s, Row{}), u"Chyba : \"Syntaktická chyba\" na pozici 9"_s);
}

TEST(Expression, CompiledOnceEvaluatedPerRow) {
  const Expression e(u"#1 * 2"_s);
  ASSERT_TRUE(e.isValid());
  Row row;
  for (int v : {1, 5, -3}) {
    row.values[0] = QString::number(v);
    ExprValue out;
    ExpressionError err;
    ASSERT_TRUE(e.evaluate(row, &out, &err));
    EXPECT_DOUBLE_EQ(out.toNumber().value_or(0), 2.0 * v);
  }
}

}  // namespace
}  // namespace if97
