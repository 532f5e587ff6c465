#include "report/model/reportdefinition.h"


#include "report/model/reportlimits.h"

namespace report {

int FindColumn(const QStringList& fieldNames, const QString& name) {
  for (qsizetype i = 0; i < fieldNames.size(); ++i)
    if (fieldNames.at(i).compare(name, Qt::CaseInsensitive) == 0) return static_cast<int>(i);
  return -1;
}

ReportDefinition::ReportDefinition(ReportDefinition* parent) : parent_(parent) {
  if (parent_) version = parent_->version;
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

void ReportDefinition::resolveReferences(const QStringList& fieldNames) {
  auto resolve = [this, &fieldNames](TReportElement& e) {
    if (!e.hasName()) return;
    if (e.kind == kElementColumn || e.kind == kElementCaption) e.index = FindColumn(fieldNames, e.name);
    else if (e.kind == kElementFunction) e.index = functions.indexOf(e.name);
  };
  for (TOddilSestavy& s : sections)
    for (TReportElement& e : s.elements) resolve(e);
  for (TPolSkup& g : groups) {
    for (TReportElement& e : g.startBand.elements) resolve(e);
    for (TReportElement& e : g.endBand.elements) resolve(e);
    if (!g.columnName.isEmpty()) g.columnIndex = FindColumn(fieldNames, g.columnName);
  }
}

}  // namespace report
