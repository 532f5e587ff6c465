// Expressions of user functions.
//
// An expression is a text of at most 255 characters made of number literals,
// text literals in single quotes (two single quotes stand for one), set literals
// in brackets for IN, references (#n or #name a column, &n a parameter, @n or
// @name a user function; numbers 1 … 255 from 1), the operators + - * / ^ = <> <
// > <= >=, the word operators NOT AND OR IN, parentheses and the built-in
// functions ABS INT SGN MAX MIN IIF LEFT RIGHT SUBSTR UPPER LOWER LTRIM RTRIM
// ALLTRIM FORMAT SIN COS TAN COTG EXP LOG ASIN ACOS ATAN ACOTG CHR ORD. Words are
// read without regard to case.
//
// Precedence, from the tightest: unary minus and plus; ^ (right associative);
// * /; + -; comparisons and IN; NOT; AND; OR. Other binary operators are left
// associative.
//
// Values and conversions: + adds two numbers and joins the texts when either side
// is a text; the other arithmetic operators take a text that reads as a number as
// that number and fail on any other text; a comparison compares numbers when both
// sides read as numbers and one of them is a number, else texts (case-sensitive).
// Truth values count as 1 and 0. An operand with no value gives no value. IIF
// evaluates only the chosen argument. INT truncates toward zero, LOG is the natural
// logarithm, angles are in radians, FORMAT(value, decimals) gives the value as
// fixed-point text with that many decimal places, CHR and ORD use code page 1250.
// Any result that is not a finite number is "Numerická chyba".
//
// Parsing works with a stack of pending values and a stack of pending operators of
// 20 entries each; pushing a 21st is "Přetečení zásobníku". Errors carry the
// 1-based position of the token where they were found (one past the end for a
// missing part at the end). An expression longer than 255 characters is a
// "Syntaktická chyba" at position 256. An empty expression has no value.
#pragma once

#include <memory>

#include <QString>

#include "report/expr/expressioncontext.h"
#include "report/expr/exprvalue.h"

namespace report {

struct ExpressionError {
  QString text;      // one of the texts below; empty when there is no error
  int position = 0;  // 1-based character position
  bool operator==(const ExpressionError&) const = default;
};

namespace exprmsg {
inline QString UnknownIdentifier() { return QStringLiteral("Neznamý identifikátor"); }
inline QString Syntax() { return QStringLiteral("Syntaktická chyba"); }
inline QString StackOverflow() { return QStringLiteral("Přetečení zásobníku"); }
inline QString TooFewOpening() { return QStringLiteral("Málo otevíracích závorek"); }
inline QString MissingClosing() { return QStringLiteral("Chybí uzavírací závorky"); }
inline QString Numeric() { return QStringLiteral("Numerická chyba"); }
inline QString BadNumber() { return QStringLiteral("Chybný zápis čísla"); }
inline QString TooManyReferences() { return QStringLiteral("Příliš mnoho proměnných"); }
inline QString BadReference() { return QStringLiteral("Chybný název proměnné"); }
inline QString CommaExpected() { return QStringLiteral("Očekávám čárku"); }
inline QString TooManyCommas() { return QStringLiteral("Příliš mnoho čárek"); }
inline QString BadText() { return QStringLiteral("Chybný zápis řetězce"); }
inline QString BadSet() { return QStringLiteral("Chybný zápis množiny"); }
}  // namespace exprmsg

constexpr int kExpressionStackSize = 20;  // pending values, and pending operators
constexpr int kMaxExpressionReferences = 32;

struct ExprProgram;

// A compiled expression; compiling checks the syntax, evaluating resolves the
// references against a context and computes the value.
class Expression {
 public:
  Expression();
  explicit Expression(const QString& text);
  Expression(const Expression&);
  Expression& operator=(const Expression&);
  ~Expression();

  const QString& text() const { return text_; }
  bool isValid() const { return error_.text.isEmpty(); }
  const ExpressionError& syntaxError() const { return error_; }
  bool isEmpty() const;  // no tokens at all: evaluates to no value

  // True and the value, or false and the error.
  bool evaluate(const ExpressionContext& context, ExprValue* value, ExpressionError* error) const;

 private:
  QString text_;
  ExpressionError error_;
  std::unique_ptr<ExprProgram> program_;
};

struct ExpressionResult {
  bool ok = false;
  ExprValue value;
  ExpressionError error;
};
ExpressionResult EvaluateExpression(const QString& text, const ExpressionContext& context);

// The designer's check: "Výraz je v pořádku." or "Chyba : "<text>" na pozici <n>".
QString CheckExpression(const QString& text, const ExpressionContext& context);

}  // namespace report
