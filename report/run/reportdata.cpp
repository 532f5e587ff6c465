#include "report/run/reportdata.h"

#include "report/model/reportdefinition.h"

namespace report {

int ReportData::StepRow(int) {
  FetchRow();
  return srBofEof;
}

QString ReportData::columnText(int index) const {
  if (index < 0 || index >= RowValues.size()) return QStringLiteral("Položka ?");
  return RowValues.at(index);
}

double ReportData::columnValue(int index) const {
  if (index < 0 || index >= RowValues.size()) return 0;
  return ReadNumber(RowValues.at(index)).value_or(0);
}

QString ReportData::columnName(int index) const {
  if (index < 0 || index >= FieldNames.size()) return QString::number(index);
  return FieldNames.at(index);
}

int ReportData::columnIndex(const QString& name) const { return FindColumn(FieldNames, name); }

QString ReportData::columnCaption(int index) const {
  if (index < 0 || index >= FieldLabels.size()) return {};
  return FieldLabels.at(index);
}

int ReportData::columnDataType(int) const { return ftUnknown; }
int ReportData::columnAlignment(int) const { return 0; }
int ReportData::columnDisplayWidth(int) const { return 10; }

QString ReportData::parameterText(int index) const {
  if (index < 0 || index >= Parametry.size()) return {};
  return Parametry.at(index);
}

ReportData* ReportData::detailData(int) { return nullptr; }

}  // namespace report
