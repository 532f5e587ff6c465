// The report definition: what a template says once parsed (paper, the five fixed
// sections, groups with their bands, elements, user functions, detail reports and
// the template's settings). It knows no file format (io/ reads and writes it) and
// holds nothing of a run (run/ keeps the data lists, function values, group keys
// and variables).
#pragma once

#include <memory>
#include <vector>

#include <QStringList>

#include "report/model/reportgroup.h"
#include "report/model/reportpaper.h"
#include "report/model/reportsection.h"
#include "report/model/templatesettings.h"
#include "report/model/userfunction.h"

namespace report {

// Position of a column name in a list of names, without regard to case; -1.
int FindColumn(const QStringList& fieldNames, const QString& name);

// A template (`Predloha`): its lines as Unicode text.
using TPredloha = QStringList;

class ReportDefinition {
 public:
  explicit ReportDefinition(ReportDefinition* parent = nullptr);
  virtual ~ReportDefinition();
  ReportDefinition(const ReportDefinition&) = delete;
  ReportDefinition& operator=(const ReportDefinition&) = delete;

  // ---- Template content.
  QString Popis = QStringLiteral("Tisková úloha IF97");  // description; the print job's title
  TemplateVersion version;  // of the template last read (4, 0, 120 for a new report)
  ReportPaper paper;        // a detail report uses its parent's
  int paperExtra = 0;       // further value of the paper record, kept as read
  PaginationFlags pagination;
  TListOddilu sections;
  TListSkupin groups;
  int designerValue = 0;    // kept for the designer
  TemplateRaster raster;
  TemplateBackground background;
  TListFunkci functions;

  ReportDefinition* parent() const { return parent_; }
  bool isDetail() const { return parent_ != nullptr; }
  // Nesting depth: 0 for the main report.
  int depth() const;

  int detailCount() const { return static_cast<int>(details_.size()); }
  ReportDefinition& detail(int d) { return *details_[static_cast<std::size_t>(d)]; }
  const ReportDefinition& detail(int d) const { return *details_[static_cast<std::size_t>(d)]; }
  // Detail d, created (with all details before it) when missing; nullptr when d is
  // outside 0 … kMaxDetails-1 or the nesting would be deeper than kMaxDetailDepth.
  ReportDefinition* ensureDetail(int d);
  void removeDetail(int d);

  // The section a template tag names: Z H T K P, Sg and Ug for the group at
  // position g; nullptr for anything else.
  TOddilSestavy* sectionByTag(QStringView tag);
  const TOddilSestavy* sectionByTag(QStringView tag) const;
  // Every section in template order: the fixed ones, then each group's two bands.
  QList<const TOddilSestavy*> allSections() const;

  // Empties the template: five empty sections, no groups, no functions, default
  // paper and settings; the version and the data lists stay.
  void clearTemplate();
  // Copies the paper's print columns and gap into every section.
  void applyColumnLayout();
  // Looks up the names of column, caption and function elements and of grouping
  // columns again (after the column names or the function list changed). A name
  // that is not found stays, with index -1.
  void resolveReferences(const QStringList& fieldNames);

 protected:
  // Creates the object of a detail report; the component overrides it to create its own kind.
  virtual std::unique_ptr<ReportDefinition> createDetail();

 private:
  ReportDefinition* parent_;
  std::vector<std::unique_ptr<ReportDefinition>> details_;
};

}  // namespace report
