#include "report/run/reportrun.h"

#include "report/io/systemvariables.h"

namespace report {

ReportRun::ReportRun(const ReportDefinition& definition, ReportData& data) : def_(definition), data_(data) {
  functions.attach(def_.functions);
  groupKeys.resize(static_cast<std::size_t>(def_.groups.count()));
  variables_.assign(static_cast<std::size_t>(kVarFirstGroup + 2 * def_.groups.count() + 2), 0.0);
}

double ReportRun::variable(int index) const {
  if (index < 0 || index >= variableCount()) return 0;
  return variables_[static_cast<std::size_t>(index)];
}

void ReportRun::setVariable(int index, double value) {
  if (index >= 0 && index < variableCount()) variables_[static_cast<std::size_t>(index)] = value;
}

void ReportRun::computeFunctions() {
  functions.setAllowNullValues(data_.AllowNullValues);
  functions.computeAll(*this);
}

QString ReportRun::functionText(int index) const {
  if (index < 0 || index >= functions.count()) return {};
  return functions[index].text(data_.locale);
}

ExprValue ReportRun::functionValue(int index) const {
  if (index < 0 || index >= functions.count()) return {};
  return functions[index].currentValue();
}

}  // namespace report
