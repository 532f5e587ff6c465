// What an expression can refer to: the columns of the current row (#), the
// parameters (&) and the other user functions (@). The report implements it; tests
// and the designer's check may supply their own.
#pragma once

#include <QChar>
#include <QString>

#include "report/expr/exprvalue.h"

namespace report {

class ExpressionContext {
 public:
  virtual ~ExpressionContext() = default;

  virtual int columnCount() const = 0;
  virtual int columnIndex(const QString& name) const = 0;  // from 0; -1 when not found
  virtual QString columnText(int index) const = 0;         // text of the current row
  virtual int parameterCount() const = 0;
  virtual QString parameterText(int index) const = 0;
  virtual int functionCount() const = 0;
  virtual int functionIndex(const QString& name) const = 0;  // from 0; -1 when not found
  virtual ExprValue functionValue(int index) const = 0;      // current value
  // Decimal separator of numbers turned into text (FORMAT, joining texts).
  virtual QChar decimalSeparator() const { return QChar(u'.'); }
};

}  // namespace report
