// Value of an expression: a number, a text, a truth value, or no value.
#pragma once

#include <optional>

#include <QString>

#include "report/io/numberformat.h"
#include <QStringView>

namespace report {

class ExprValue {
 public:
  enum class Kind { None, Number, Text, Bool };

  ExprValue() = default;  // no value
  static ExprValue number(double v);
  static ExprValue text(QString t);
  static ExprValue boolean(bool b);
  // A column or parameter text: empty (or blank) text is no value, a text that
  // reads as a number is that number (keeping its text for text functions), any
  // other text is a text.
  static ExprValue fromDataText(const QString& t);

  Kind kind() const { return kind_; }
  bool isNone() const { return kind_ == Kind::None; }
  bool isNumber() const { return kind_ == Kind::Number; }
  bool isText() const { return kind_ == Kind::Text; }
  bool isBool() const { return kind_ == Kind::Bool; }

  // The value as a number: a number itself, a truth value as 1 or 0, a text when
  // it reads as a number; nullopt otherwise (and for no value).
  std::optional<double> toNumber() const;
  // The value as text: a text itself, a number as the text it was read from or
  // else in general format with the given decimal separator, a truth value as
  // "1" or "0", no value as empty text.
  QString toText(QChar decimalSeparator = QChar(u'.')) const;
  // Truth: a truth value itself, a number (or a text that reads as one) when not 0.
  std::optional<bool> toBool() const;

  bool operator==(const ExprValue&) const = default;

 private:
  Kind kind_ = Kind::None;
  double number_ = 0;
  QString text_;  // the text of a text, or the source text of a number read from data
};



}  // namespace report
