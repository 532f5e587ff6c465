#include "report/exprvalue.h"

#include <cmath>

#include <QLocale>

namespace if97 {

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

std::optional<double> ReadNumber(QStringView text) {
  text = text.trimmed();
  const qsizetype n = text.size();
  qsizetype i = 0;
  if (i < n && (text[i] == u'+' || text[i] == u'-')) ++i;
  qsizetype digits = 0;
  while (i < n && text[i].isDigit() && text[i].unicode() < 128) ++i, ++digits;
  if (i < n && (text[i] == u'.' || text[i] == u',')) {
    ++i;
    while (i < n && text[i].isDigit() && text[i].unicode() < 128) ++i, ++digits;
  }
  if (digits == 0) return std::nullopt;
  if (i < n && (text[i] == u'e' || text[i] == u'E')) {
    ++i;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) ++i;
    qsizetype expDigits = 0;
    while (i < n && text[i].isDigit() && text[i].unicode() < 128) ++i, ++expDigits;
    if (expDigits == 0) return std::nullopt;
  }
  if (i != n) return std::nullopt;
  QString normal = text.toString();
  normal.replace(u',', u'.');
  bool ok = false;
  const double v = QLocale::c().toDouble(normal, &ok);
  if (!ok || !std::isfinite(v)) return std::nullopt;
  return v;
}

QString GeneralNumberText(double v, QChar decimalSeparator) {
  if (v == 0) return QStringLiteral("0");  // also -0
  QString s = QString::number(v, 'g', 15);
  if (decimalSeparator != u'.') s.replace(u'.', decimalSeparator);
  return s;
}

}  // namespace if97
