// The report definition: what a template says once parsed (paper, the five fixed
// sections, groups with their bands, elements, user functions, detail reports and
// the template's settings) together with the data lists the host fills for a run.
//
// It is the template model of the report component: the component adds printing,
// preview and the data events on top of it and may override the column accessors.
#pragma once

#include <memory>
#include <vector>

#include <QStringList>

#include "report/expressioncontext.h"
#include "report/loadresult.h"
#include "report/numberformat.h"
#include "report/reportgroup.h"
#include "report/reportpaper.h"
#include "report/reportsection.h"
#include "report/templatesettings.h"
#include "report/userfunction.h"

namespace if97 {

// A template (`Predloha`): its lines as Unicode text.
using TPredloha = QStringList;

class ReportDefinition : public ExpressionContext {
 public:
  explicit ReportDefinition(ReportDefinition* parent = nullptr);
  ~ReportDefinition() override;
  ReportDefinition(const ReportDefinition&) = delete;
  ReportDefinition& operator=(const ReportDefinition&) = delete;

  // ---- Data lists of a run, filled by the host.
  QStringList Parametry;    // parameter texts, from 0
  QStringList FieldNames;   // column names
  QStringList FieldLabels;  // column captions
  QStringList RowValues;    // the current row, one text per column
  bool AllowNullValues = false;
  QString Popis = QStringLiteral("Tisková úloha IF97");
  ReportLocale locale = ReportLocale::system();

  // ---- Template content.
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
  // Parses template lines (the detail reports' lines included). Never fails: the
  // result lists every field that was malformed, clamped or ignored.
  LoadResult SetTemplate(const TPredloha& lines);
  // The template lines in the order the designer writes them.
  TPredloha GetTemplate() const;

  // Copies the paper's print columns and gap into every section.
  void applyColumnLayout();
  // Looks up the names of column, caption and function elements and of grouping
  // columns again (after FieldNames or the function list changed). A name that is
  // not found stays, with index -1.
  void resolveReferences();

  // ---- Column accessors.
  virtual int columnCount() const override;
  virtual QString columnText(int index) const override;  // "Položka ?" when out of range
  virtual double columnValue(int index) const;           // 0 when out of range or not a number
  virtual QString columnName(int index) const;           // the index in decimal when out of range
  virtual int columnIndex(const QString& name) const override;  // case-insensitive; -1
  virtual QString columnCaption(int index) const;        // empty when out of range

  // ---- The rest of the expression context.
  int parameterCount() const override { return static_cast<int>(Parametry.size()); }
  QString parameterText(int index) const override;  // empty when out of range
  int functionCount() const override { return functions.count(); }
  int functionIndex(const QString& name) const override { return functions.indexOf(name); }
  ExprValue functionValue(int index) const override;
  QChar decimalSeparator() const override { return locale.decimalSeparator; }

  // ---- User functions of a run.
  // Computes every function for the current row (AllowNullValues copied into each).
  void computeFunctions();
  // The printed text of function index; empty when out of range.
  QString functionText(int index) const;

 protected:
  // Creates the object of a detail report; the component overrides it to create its own kind.
  virtual std::unique_ptr<ReportDefinition> createDetail();

 private:
  ReportDefinition* parent_;
  std::vector<std::unique_ptr<ReportDefinition>> details_;
};

}  // namespace if97
