// One report (the main report or a detail) while it runs: what its expressions
// see (the columns, parameters and function values), the states of its user
// functions, the key of each group and the value of each system variable.
#pragma once

#include <QString>
#include <vector>

#include "report/expr/expressioncontext.h"
#include "report/model/reportdefinition.h"
#include "report/run/functionstate.h"
#include "report/run/reportdata.h"

namespace report {

class ReportRun : public ExpressionContext {
 public:
  // Both must outlive the run; the definition's function list must not change
  // while it runs.
  ReportRun(const ReportDefinition& definition, ReportData& data);

  const ReportDefinition& definition() const { return def_; }
  ReportData& data() { return data_; }
  const ReportData& data() const { return data_; }

  FunctionStates functions;
  // The text of each group's grouping column for the current group, by position.
  std::vector<QString> groupKeys;

  // System variables by index (2 row, 3 page, 4 page count, 5 + 2g and 6 + 2g of
  // group g); 0 and 1 hold the run's date and time as a day count.
  double variable(int index) const;
  void setVariable(int index, double value);
  int variableCount() const { return static_cast<int>(variables_.size()); }

  // AllowNullValues copied into every function, then every function computed
  // for the current row.
  void computeFunctions();
  // The printed text of function index; empty when out of range.
  QString functionText(int index) const;

  // ---- ExpressionContext.
  int columnCount() const override { return data_.columnCount(); }
  int columnIndex(const QString& name) const override { return data_.columnIndex(name); }
  QString columnText(int index) const override { return data_.columnText(index); }
  int parameterCount() const override { return static_cast<int>(data_.Parametry.size()); }
  QString parameterText(int index) const override { return data_.parameterText(index); }
  int functionCount() const override { return functions.count(); }
  int functionIndex(const QString& name) const override { return def_.functions.indexOf(name); }
  ExprValue functionValue(int index) const override;
  QChar decimalSeparator() const override { return data_.locale.decimalSeparator; }

 private:
  const ReportDefinition& def_;
  ReportData& data_;
  std::vector<double> variables_;
};

}  // namespace report
