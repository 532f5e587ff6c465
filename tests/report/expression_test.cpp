// Expressions of user functions: values, precedence, built-in functions and every
// error text at its position.
#include <cmath>
#include <numbers>

#include <gtest/gtest.h>

#include <QList>
#include <QStringList>

#include "report/expr/expression.h"
#include "report/model/reportlimits.h"
#include "testing.h"

using namespace Qt::StringLiterals;

namespace report {
namespace {

class Row : public ExpressionContext {
 public:
  QStringList names{u"vel1"_s, u"vel2"_s, u"vel3"_s, u"vel4"_s, u"vel5"_s, u"vel6"_s};  // lower case
  QStringList values{u"1.5"_s, u"2"_s, u"-3,25"_s, u"abc"_s, QString(), u"10"_s};
  QStringList params{u"Nadpis"_s, u"7"_s};
  QList<std::pair<QString, ExprValue>> functions{{u"soucet"_s, ExprValue::number(42)},
                                                 {u"jmeno"_s, ExprValue::text(u"pára"_s)}};
  QChar decimal = QChar(u'.');

  int columnCount() const override { return static_cast<int>(names.size()); }
  int columnIndex(const QString& n) const override { return static_cast<int>(names.indexOf(n.toLower())); }
  QString columnText(int i) const override { return values.value(i); }
  int parameterCount() const override { return static_cast<int>(params.size()); }
  QString parameterText(int i) const override { return params.value(i); }
  int functionCount() const override { return static_cast<int>(functions.size()); }
  int functionIndex(const QString& n) const override {
    for (int i = 0; i < functions.size(); ++i)
      if (functions[i].first == n.toLower()) return i;
    return -1;
  }
  ExprValue functionValue(int i) const override { return functions.value(i).second; }
  QChar decimalSeparator() const override { return decimal; }
};

double NumberOf(const QString& text, const Row& row = Row{}) {
  const ExpressionResult r = EvaluateExpression(text, row);
  EXPECT_TRUE(r.ok && r.value.isNumber()) << text.toStdString() << ": " << r.error.text.toStdString();
  return r.value.toNumber().value_or(std::nan(""));
}

void ExpectError(const QString& text, const QString& message, int position) {
  const ExpressionResult r = EvaluateExpression(text, Row{});
  EXPECT_FALSE(r.ok) << text.toStdString();
  EXPECT_EQ(r.error.text, message) << text.toStdString() << " gave " << r.error.text.toStdString();
  EXPECT_EQ(r.error.position, position) << text.toStdString();
  EXPECT_TRUE(r.value.isNone()) << text.toStdString();
}

TEST(Expression, Values) {
  const double pi = std::numbers::pi;
  auto n = [](double v) { return ExprValue::number(v); };
  auto t = [](const char16_t* v) { return ExprValue::text(U(v)); };
  auto b = [](bool v) { return ExprValue::boolean(v); };
  const std::pair<const char16_t*, ExprValue> cases[] = {
      // Columns, parameters, functions; a column's own text joins texts.
      {u"#1 + #2", n(3.5)}, {u"#Vel3", n(-3.25)}, {u"&1", t(u"Nadpis")}, {u"&2 + 1", n(8)},
      {u"@1 / 2", n(21)}, {u"@SOUCET", n(42)}, {u"@jmeno + '!'", t(u"pára!")}, {u"#1 + ' kg'", t(u"1.5 kg")},
      {u"IIF(#1 > 0, 'kladné', 'záporné')", t(u"kladné")}, {u"IIF(#3 > 0, 'kladné', 'záporné')", t(u"záporné")},
      {u"IIF(#2 = 0, 0, 1 / #2)", n(0.5)}, {u"'a' + 'b'", t(u"ab")}, {u"'It''s'", t(u"It's")}, {u"'2' * 3", n(6)},
      // Precedence and associativity.
      {u"1 + 2 * 3", n(7)}, {u"(1 + 2) * 3", n(9)}, {u"2 ^ 3 ^ 2", n(512)}, {u"-2 ^ 2", n(4)}, {u"2 ^ -1", n(0.5)},
      {u"10 - 4 - 3", n(3)}, {u"24 / 4 / 3", n(2)}, {u"2 * 3 ^ 2", n(18)}, {u"- - 3", n(3)}, {u"+4 - -1", n(5)},
      {u"1.5e1 + 0.5", n(15.5)}, {u"2E-1 * 10", n(2)},
      // Comparisons and the word operators.
      {u"1 < 2", b(true)}, {u"2 <= 2", b(true)}, {u"3 >= 4", b(false)}, {u"1 <> 1", b(false)},
      {u"'a' < 'b'", b(true)}, {u"#2 = '2'", b(true)}, {u"NOT 1 = 2", b(true)}, {u"1 = 1 AND 2 = 3", b(false)},
      {u"1 = 1 OR 2 = 3", b(true)}, {u"NOT 0 OR 0 AND 0", b(true)}, {u"1 + 1 = 2", b(true)},
      {u"#4 = 'abc'", b(true)}, {u"2 IN [1, 2, 3]", b(true)}, {u"'b' IN ['a','c']", b(false)},
      {u"-1 IN [-1]", b(true)}, {u"#1 IN [1.5]", b(true)}, {u"1 in []", b(false)},
      {u"1 < 2 and not (2 < 1)", b(true)},
      // Every built-in function once.
      {u"ABS(-2.5)", n(2.5)}, {u"INT(-2.7)", n(-2)}, {u"INT(2.7)", n(2)}, {u"SGN(-3)", n(-1)}, {u"SGN(0)", n(0)},
      {u"MAX(2, 5)", n(5)}, {u"MIN(2, 5)", n(2)}, {u"SIN(0.5)", n(std::sin(0.5))}, {u"COS(0.5)", n(std::cos(0.5))},
      {u"TAN(0.5)", n(std::tan(0.5))}, {u"COTG(0.5)", n(1 / std::tan(0.5))}, {u"EXP(1)", n(std::exp(1.0))},
      {u"LOG(10)", n(std::log(10.0))}, {u"ASIN(0.5)", n(std::asin(0.5))}, {u"ACOS(0.5)", n(std::acos(0.5))},
      {u"ATAN(2)", n(std::atan(2.0))}, {u"ACOTG(2)", n(pi / 2 - std::atan(2.0))}, {u"ORD('A')", n(65)},
      {u"ORD('Č')", n(200)}, {u"abs(1)", n(1)}, {u"IIF(1 = 1, 'a', 'b')", t(u"a")},
      {u"LEFT('abcdef', 2)", t(u"ab")}, {u"RIGHT('abcdef', 2)", t(u"ef")}, {u"SUBSTR('abcdef', 2, 3)", t(u"bcd")},
      {u"SUBSTR('abc', 0, 9)", t(u"abc")}, {u"UPPER('žluť')", t(u"ŽLUŤ")}, {u"LOWER('ABC')", t(u"abc")},
      {u"LTRIM('  a ')", t(u"a ")}, {u"RTRIM('  a ')", t(u"  a")}, {u"ALLTRIM('  a ')", t(u"a")},
      {u"FORMAT(3.14159, 2)", t(u"3.14")}, {u"FORMAT(2, 0)", t(u"2")}, {u"CHR(65)", t(u"A")},
      {u"CHR(200)", t(u"Č")}, {u"LEFT('ab', -1)", t(u"")}, {u"MAX('a', 'b')", t(u"b")},
      // No value spreads through everything.
      {u"#5", ExprValue()}, {u"#5 + 1", ExprValue()}, {u"ABS(#5)", ExprValue()}, {u"IIF(#5 > 1, 1, 2)", ExprValue()},
      {u"#5 = 1", ExprValue()}, {u"", ExprValue()}, {u"   ", ExprValue()},
  };
  for (const auto& [text, expected] : cases) {
    const ExpressionResult r = EvaluateExpression(U(text), Row{});
    ASSERT_TRUE(r.ok) << S(text) << ": " << r.error.text.toStdString() << " at " << r.error.position;
    if (expected.isNumber() && r.value.isNumber())
      EXPECT_NEAR(*r.value.toNumber(), *expected.toNumber(), 1e-12) << S(text);
    else
      EXPECT_EQ(r.value, expected) << S(text) << " gave " << r.value.toText().toStdString();
  }
}

TEST(Expression, ColumnByNameWhereverItStands) {
  Row moved;
  moved.names = {u"vel3"_s, u"vel1"_s};
  moved.values = {u"8"_s, u"9"_s};
  EXPECT_DOUBLE_EQ(NumberOf(u"#Vel3 * 2"_s, moved), 16);
  EXPECT_DOUBLE_EQ(NumberOf(u"#vel1"_s, moved), 9);
}

TEST(Expression, IifEvaluatesOnlyTheChosenArgument) {
  Row zero;
  zero.values[1] = u"0"_s;
  EXPECT_DOUBLE_EQ(NumberOf(u"IIF(#2 = 0, 0, 1 / #2)"_s, zero), 0);
}

TEST(Expression, FormatUsesTheReportDecimalSeparator) {
  Row row;
  row.decimal = QChar(u',');
  EXPECT_EQ(EvaluateExpression(u"FORMAT(#1, 3)"_s, row).value.toText(), u"1,500"_s);
}

TEST(Expression, EveryErrorTextAtItsPosition) {
  const struct {
    const char16_t* text;
    QString (*message)();
    int position;
  } cases[] = {
      {u"#Vel9", exprmsg::UnknownIdentifier, 1}, {u"1 + #7", exprmsg::UnknownIdentifier, 5},
      {u"&3", exprmsg::UnknownIdentifier, 1}, {u"@3 + 1", exprmsg::UnknownIdentifier, 1},
      {u"@nic", exprmsg::UnknownIdentifier, 1}, {u"FOO(1)", exprmsg::UnknownIdentifier, 1},
      {u"IIF(1, 2, #Nic)", exprmsg::UnknownIdentifier, 11}, {u"1 +", exprmsg::Syntax, 4},
      {u"* 2", exprmsg::Syntax, 1}, {u"1 2", exprmsg::Syntax, 3}, {u"1 $ 2", exprmsg::Syntax, 3},
      {u"ABS 1", exprmsg::Syntax, 5}, {u"ABS()", exprmsg::Syntax, 5}, {u"[1, 2]", exprmsg::Syntax, 1},
      {u"1 IN 2", exprmsg::Syntax, 3}, {u"()", exprmsg::Syntax, 2}, {u"1 + 2)", exprmsg::TooFewOpening, 6},
      {u")", exprmsg::TooFewOpening, 1}, {u"(1 + 2", exprmsg::MissingClosing, 7},
      {u"MAX(1, 2", exprmsg::MissingClosing, 9}, {u"1 / 0", exprmsg::Numeric, 3}, {u"LOG(-1)", exprmsg::Numeric, 1},
      {u"LOG(0)", exprmsg::Numeric, 1}, {u"ASIN(2)", exprmsg::Numeric, 1}, {u"(-8) ^ 0.5", exprmsg::Numeric, 6},
      {u"EXP(1000)", exprmsg::Numeric, 1}, {u"CHR(300)", exprmsg::Numeric, 1}, {u"'a' * 2", exprmsg::Numeric, 5},
      {u"#4 - 1", exprmsg::Numeric, 4}, {u"1.2.3", exprmsg::BadNumber, 1}, {u"12abc", exprmsg::BadNumber, 1},
      {u"1e", exprmsg::BadNumber, 1}, {u"2 + 1.", exprmsg::BadNumber, 5}, {u"1e999", exprmsg::BadNumber, 1},
      {u"#0", exprmsg::BadReference, 1}, {u"#256", exprmsg::BadReference, 1}, {u"#1234", exprmsg::BadReference, 1},
      {u"1 + #", exprmsg::BadReference, 5}, {u"&x", exprmsg::BadReference, 1}, {u"#1x", exprmsg::BadReference, 1},
      {u"MAX(1)", exprmsg::CommaExpected, 6}, {u"SUBSTR('a', 1)", exprmsg::CommaExpected, 14},
      {u"ABS(1, 2)", exprmsg::TooManyCommas, 6}, {u"(1, 2)", exprmsg::TooManyCommas, 3},
      {u"1, 2", exprmsg::TooManyCommas, 2}, {u"'abc", exprmsg::BadText, 1}, {u"1 + 'x", exprmsg::BadText, 5},
      {u"1 IN [1, 2", exprmsg::BadSet, 6}, {u"1 IN [#1]", exprmsg::BadSet, 6}, {u"1 IN [1 2]", exprmsg::BadSet, 6},
      {u"1 IN [,]", exprmsg::BadSet, 6},
  };
  for (const auto& c : cases) ExpectError(U(c.text), c.message(), c.position);
}

// The bounds of the evaluator: the last allowed size works, one more is an error
// at the first character beyond it.
TEST(Expression, Limits) {
  QString refs = u"#1"_s;
  for (int i = 1; i < kMaxExpressionReferences; ++i) refs += u"+#1"_s;
  EXPECT_TRUE(EvaluateExpression(refs, Row{}).ok);
  ExpectError(refs + u"+#1"_s, exprmsg::TooManyReferences(), static_cast<int>(refs.size()) + 2);

  // A right-associative chain keeps every value pending until the end.
  QString chain = u"1"_s;
  for (int i = 1; i < kExpressionStackSize; ++i) chain += u"^1"_s;
  EXPECT_DOUBLE_EQ(NumberOf(chain), 1);
  ExpectError(chain + u"^1"_s, exprmsg::StackOverflow(), 2 * kExpressionStackSize + 1);  // the 21st "1"

  const QString open(kExpressionStackSize, u'(');
  EXPECT_DOUBLE_EQ(NumberOf(open + u"1"_s + QString(kExpressionStackSize, u')')), 1);
  ExpectError(open + u"(1"_s, exprmsg::StackOverflow(), kExpressionStackSize + 1);

  const QString longest = u"1"_s + QString(kMaxExpressionLength - 1, u' ');
  EXPECT_TRUE(EvaluateExpression(longest, Row{}).ok);
  ExpectError(longest + u' ', exprmsg::Syntax(), kMaxExpressionLength + 1);
}

TEST(Expression, CheckMessage) {
  EXPECT_EQ(CheckExpression(u"#1 + 1"_s, Row{}), u"Výraz je v pořádku."_s);
  EXPECT_EQ(CheckExpression(u"(1 + 2"_s, Row{}), u"Chyba : \"Chybí uzavírací závorky\" na pozici 7"_s);
  EXPECT_EQ(CheckExpression(u"2 + LOG(-1)"_s, Row{}), u"Chyba : \"Numerická chyba\" na pozici 5"_s);
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
}  // namespace report
