// What the report settings dialog edits: the report's data of the component
// (file, copies, pages, records, description) and the template's paper, raster,
// background, sections with their pagination flags, and groups. The dialog works
// on a copy; the designer takes it back into the model and the component.
#pragma once

#include <QString>
#include <array>

#include "report/model/reportdefinition.h"

namespace report {

struct ReportSettings {
  // "Sestava"
  QString reportName, reportDir;
  int printCopies = 1, startPage = 1, endPage = 9999, maxRecords = 0;
  QString popis;
  // "Papír"
  ReportPaper paper;
  // "Rastr"
  TemplateRaster raster;
  TemplateBackground background;
  // "Oddíly"
  std::array<bool, kFixedSectionCount> visible{true, true, true, true, true};
  std::array<int, kFixedSectionCount> height{0, 0, 0, 0, 0};
  PaginationFlags pagination;
  // "Skupiny", each with its bands (and their elements).
  QList<TPolSkup> groups;

  // The template's part from the model (the component's part stays default).
  static ReportSettings FromReport(const ReportDefinition& report);
  // Writes the template's part into the model. Groups are numbered by their
  // places in the list; the column layout follows the paper.
  void applyTo(ReportDefinition& report) const;
};

}  // namespace report
