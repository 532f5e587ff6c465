// A template's lines and the report model: parsing (the detail reports' lines
// included) and writing them back in the order the designer writes them.
#pragma once

#include <QStringList>

#include "report/io/loadresult.h"
#include "report/model/reportdefinition.h"

namespace report {

// Parses template lines into `report` (its template content is replaced; the
// version of the last template read is kept for the next). Never fails: the
// result lists every field that was malformed, clamped or ignored, and every
// limit of what one file may build that was reached. Column names of elements
// and groups are looked up in `fieldNames`.
LoadResult ParseTemplate(ReportDefinition& report, const TPredloha& lines, const QStringList& fieldNames = {});

// The template lines of `report`, detail reports included.
TPredloha FormatTemplate(const ReportDefinition& report);

}  // namespace report
