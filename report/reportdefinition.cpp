#include "report/reportdefinition.h"

#include <algorithm>
#include <climits>

#include "report/exprvalue.h"
#include "report/reportlimits.h"
#include "report/templatereader_p.h"
#include "report/templatewriter_p.h"

namespace if97 {

ReportDefinition::ReportDefinition(ReportDefinition* parent) : parent_(parent) {
  if (parent_) {
    version = parent_->version;
    locale = parent_->locale;
  }
}

ReportDefinition::~ReportDefinition() = default;

int ReportDefinition::depth() const {
  int d = 0;
  for (const ReportDefinition* p = parent_; p; p = p->parent_) ++d;
  return d;
}

std::unique_ptr<ReportDefinition> ReportDefinition::createDetail() {
  return std::make_unique<ReportDefinition>(this);
}

ReportDefinition* ReportDefinition::ensureDetail(int d) {
  if (d < 0 || d >= kMaxDetails || depth() >= kMaxDetailDepth) return nullptr;
  while (detailCount() <= d) details_.push_back(createDetail());
  return details_[static_cast<std::size_t>(d)].get();
}

void ReportDefinition::removeDetail(int d) {
  if (d >= 0 && d < detailCount()) details_.erase(details_.begin() + d);
}

TOddilSestavy* ReportDefinition::sectionByTag(QStringView tag) {
  return const_cast<TOddilSestavy*>(static_cast<const ReportDefinition*>(this)->sectionByTag(tag));
}

const TOddilSestavy* ReportDefinition::sectionByTag(QStringView tag) const {
  if (tag.size() == 1) {
    for (int s = 0; s < kFixedSectionCount; ++s)
      if (tag.front() == SectionTag(s)) return &sections[s];
    return nullptr;
  }
  if (tag.size() < 2 || (tag.front() != u'S' && tag.front() != u'U')) return nullptr;
  for (int g = 0; g < groups.count(); ++g) {
    if (tag.mid(1) != QString::number(g)) continue;
    return tag.front() == u'S' ? &groups[g].startBand : &groups[g].endBand;
  }
  return nullptr;
}

QList<const TOddilSestavy*> ReportDefinition::allSections() const {
  QList<const TOddilSestavy*> out;
  for (const TOddilSestavy& s : sections) out.append(&s);
  for (const TPolSkup& g : groups) {
    out.append(&g.startBand);
    out.append(&g.endBand);
  }
  return out;
}

void ReportDefinition::clearTemplate() {
  paper = ReportPaper{};
  paperExtra = 0;
  pagination = PaginationFlags{};
  sections = TListOddilu{};
  groups.clear();
  designerValue = 0;
  raster = TemplateRaster{};
  background = TemplateBackground{};
  functions.clear();
  for (auto& d : details_) d->clearTemplate();
}

LoadResult ReportDefinition::SetTemplate(const TPredloha& lines) {
  LoadResult result;
  QList<TemplateLine> numbered;
  numbered.reserve(lines.size());
  for (qsizetype i = 0; i < lines.size(); ++i) {
    const int number = static_cast<int>(std::min<qsizetype>(i + 1, INT_MAX));
    // No record of ours is near this long; a longer line is skipped whole
    // rather than read as a cut-off record.
    if (lines.at(i).size() > kMaxTemplateLineLength) {
      result.add(number, 0, loadmsg::LineTooLong());
      numbered.append({number, 0, QString()});
    } else {
      numbered.append({number, 0, lines.at(i)});
    }
  }
  ReadBudget budget;
  TemplateReader(*this, result, budget).read(numbered);
  return result;
}

TPredloha ReportDefinition::GetTemplate() const { return TemplateWriter(*this).write(); }

void ReportDefinition::applyColumnLayout() {
  const ReportPaper& p = parent_ ? parent_->paper : paper;
  auto apply = [&p](TOddilSestavy& s) {
    s.columns = p.columns;
    s.columnGap = p.columnGap;
  };
  for (TOddilSestavy& s : sections) apply(s);
  for (TPolSkup& g : groups) {
    apply(g.startBand);
    apply(g.endBand);
  }
}

void ReportDefinition::resolveReferences() {
  auto resolve = [this](TReportElement& e) {
    if (!e.hasName()) return;
    if (e.kind == kElementColumn || e.kind == kElementCaption) e.index = columnIndex(e.name);
    else if (e.kind == kElementFunction) e.index = functions.indexOf(e.name);
  };
  for (TOddilSestavy& s : sections)
    for (TReportElement& e : s.elements) resolve(e);
  for (TPolSkup& g : groups) {
    for (TReportElement& e : g.startBand.elements) resolve(e);
    for (TReportElement& e : g.endBand.elements) resolve(e);
    if (!g.columnName.isEmpty()) g.columnIndex = columnIndex(g.columnName);
  }
}

int ReportDefinition::columnCount() const { return static_cast<int>(FieldNames.size()); }

QString ReportDefinition::columnText(int index) const {
  if (index < 0 || index >= RowValues.size()) return QStringLiteral("Položka ?");
  return RowValues.at(index);
}

double ReportDefinition::columnValue(int index) const {
  if (index < 0 || index >= RowValues.size()) return 0;
  return ReadNumber(RowValues.at(index)).value_or(0);
}

QString ReportDefinition::columnName(int index) const {
  if (index < 0 || index >= FieldNames.size()) return QString::number(index);
  return FieldNames.at(index);
}

int ReportDefinition::columnIndex(const QString& name) const {
  for (qsizetype i = 0; i < FieldNames.size(); ++i)
    if (FieldNames.at(i).compare(name, Qt::CaseInsensitive) == 0) return static_cast<int>(i);
  return -1;
}

QString ReportDefinition::columnCaption(int index) const {
  if (index < 0 || index >= FieldLabels.size()) return {};
  return FieldLabels.at(index);
}

QString ReportDefinition::parameterText(int index) const {
  if (index < 0 || index >= Parametry.size()) return {};
  return Parametry.at(index);
}

ExprValue ReportDefinition::functionValue(int index) const {
  if (index < 0 || index >= functions.count()) return {};
  return functions[index].currentValue();
}

void ReportDefinition::computeFunctions() {
  functions.setAllowNullValues(AllowNullValues);
  functions.computeAll(*this);
}

QString ReportDefinition::functionText(int index) const {
  if (index < 0 || index >= functions.count()) return {};
  return functions[index].text(locale);
}

}  // namespace if97
