// The automatic layout of a new template: every parameter as a heading line in
// the report start, the column captions in the page header, one body line of all
// columns, and the page number and page count in the footer, on A4 with half-inch
// margins. The component writes it for a missing template file; the designer's
// new-template wizard builds the same.
#pragma once

#include <QStringList>

#include "report/model/reportdefinition.h"

namespace report {

// Builds the layout into `report` (its template content is replaced) for the
// given columns and number of parameters.
void BuildDefaultLayout(ReportDefinition& report, const QStringList& fieldNames, int parameterCount);

// The same as template lines.
TPredloha DefaultTemplate(const QStringList& fieldNames, int parameterCount);

}  // namespace report
