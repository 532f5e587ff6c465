#include "report/expr/exprvalue.h"

#include <cmath>

#include <QLocale>

namespace report {

ExprValue ExprValue::number(double v) {
  ExprValue e;
  e.kind_ = Kind::Number;
  e.number_ = v;
  return e;
}

ExprValue ExprValue::text(QString t) {
  ExprValue e;
  e.kind_ = Kind::Text;
  e.text_ = std::move(t);
  return e;
}

ExprValue ExprValue::boolean(bool b) {
  ExprValue e;
  e.kind_ = Kind::Bool;
  e.number_ = b ? 1 : 0;
  return e;
}

ExprValue ExprValue::fromDataText(const QString& t) {
  if (t.trimmed().isEmpty()) return {};
  if (const std::optional<double> v = ReadNumber(t)) {
    ExprValue e = number(*v);
    e.text_ = t;
    return e;
  }
  return text(t);
}

std::optional<double> ExprValue::toNumber() const {
  switch (kind_) {
    case Kind::Number:
    case Kind::Bool: return number_;
    case Kind::Text: return ReadNumber(text_);
    case Kind::None: break;
  }
  return std::nullopt;
}

QString ExprValue::toText(QChar decimalSeparator) const {
  switch (kind_) {
    case Kind::Text: return text_;
    case Kind::Number: return text_.isEmpty() ? GeneralNumberText(number_, decimalSeparator) : text_;
    case Kind::Bool: return number_ != 0 ? QStringLiteral("1") : QStringLiteral("0");
    case Kind::None: break;
  }
  return {};
}

std::optional<bool> ExprValue::toBool() const {
  if (kind_ == Kind::Bool) return number_ != 0;
  if (const std::optional<double> v = toNumber()) return *v != 0;
  return std::nullopt;
}


}  // namespace report
