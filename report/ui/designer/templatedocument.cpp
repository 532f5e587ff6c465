#include "report/ui/designer/templatedocument.h"

#include <QRegularExpression>
#include <algorithm>

#include "report/io/defaulttemplate.h"
#include "report/io/templaterecord.h"
#include "report/ui/designer/designraster.h"
#include "report/ui/designer/templatelines.h"

namespace report {
namespace {

// The first field of a record and the rest after its comma.
QString FirstField(const QString& line, QString* rest) {
  const qsizetype comma = line.indexOf(u',');
  if (rest) *rest = comma < 0 ? QString() : line.mid(comma + 1);
  return comma < 0 ? line : line.left(comma);
}

bool IsSectionTag(const QString& tag) {
  static const QRegularExpression kTag(QStringLiteral("^(?:[ZHTKP]|[SU][0-9]{1,3})$"));
  return kTag.match(tag).hasMatch();
}

constexpr int kBodyTag = kSectionBody;

}  // namespace

TemplateDocument::TemplateDocument() : report_(std::make_unique<ReportDefinition>()) {}

TemplateDocument::~TemplateDocument() = default;

void TemplateDocument::open(const TPredloha& lines) {
  rebuild(lines);
  history_.reset(TemplateLines::Format(*report_));
  changed_ = false;
}

TPredloha TemplateDocument::lines() { return TemplateLines::Format(*report_); }

void TemplateDocument::rebuild(const TPredloha& lines) { TemplateLines::Parse(*report_, lines, fieldNames_); }

// ---- Sections.

QList<int> TemplateDocument::sectionOrder(bool visibleOnly) const {
  QList<int> order = {kSectionStart, kSectionHeader};
  const int groups = report_->groups.count();
  for (int g = 0; g < groups; ++g) order.append(kFirstGroupSection + 2 * g);
  order.append(kSectionBody);
  for (int g = groups - 1; g >= 0; --g) order.append(kFirstGroupSection + 2 * g + 1);
  order.append({kSectionEnd, kSectionFooter});
  if (visibleOnly) order.removeIf([this](int id) { return !section(id)->visible; });
  return order;
}

TOddilSestavy* TemplateDocument::section(int id) {
  return const_cast<TOddilSestavy*>(static_cast<const TemplateDocument*>(this)->section(id));
}

const TOddilSestavy* TemplateDocument::section(int id) const {
  if (id >= 0 && id < kFixedSectionCount) return &report_->sections[id];
  const int g = (id - kFirstGroupSection) / 2;
  if (id < kFirstGroupSection || g >= report_->groups.count()) return nullptr;
  const TPolSkup& group = report_->groups[g];
  return (id - kFirstGroupSection) % 2 == 0 ? &group.startBand : &group.endBand;
}

QString TemplateDocument::sectionCaption(int id) const {
  if (id >= 0 && id < kFixedSectionCount) return SectionName(id);
  const int g = (id - kFirstGroupSection) / 2;
  if (!section(id)) return {};
  const QString number = QString::number(report_->groups[g].index);
  return ((id - kFirstGroupSection) % 2 == 0 ? QStringLiteral("Začátek skupiny ") : QStringLiteral("Konec skupiny ")) +
         number;
}

QString TemplateDocument::sectionTag(int id) const {
  if (id >= 0 && id < kFixedSectionCount) return QString(SectionTag(id));
  if (!section(id)) return {};
  const int g = (id - kFirstGroupSection) / 2;
  return ((id - kFirstGroupSection) % 2 == 0 ? u'S' : u'U') + QString::number(g);
}

int TemplateDocument::sectionOfTag(const QString& tag) const {
  for (int id : sectionOrder(false))
    if (sectionTag(id) == tag) return id;
  return -1;
}

TReportElement* TemplateDocument::element(ElementRef ref) {
  TOddilSestavy* s = section(ref.section);
  return s && ref.index >= 0 && ref.index < s->elements.size() ? &s->elements[ref.index] : nullptr;
}

const TReportElement* TemplateDocument::element(ElementRef ref) const {
  const TOddilSestavy* s = section(ref.section);
  return s && ref.index >= 0 && ref.index < s->elements.size() ? &s->elements[ref.index] : nullptr;
}

QList<ElementRef> TemplateDocument::elements(int id) const {
  QList<ElementRef> out;
  if (const TOddilSestavy* s = section(id))
    for (int i = 0; i < s->elements.size(); ++i) out.append({id, i});
  return out;
}

QList<ElementRef> TemplateDocument::allElements() const {
  QList<ElementRef> out;
  for (int id : sectionOrder(false)) out.append(elements(id));
  return out;
}

// ---- The history.

bool TemplateDocument::record(int code) {
  TPredloha now = lines();
  if (history_.count() > 0 && history_.snapshot(history_.position()) == now) return false;
  history_.record(code, now);
  changed_ = true;
  return true;
}

bool TemplateDocument::undo() {
  if (!history_.canUndo()) return false;
  rebuild(history_.undo());
  changed_ = true;
  return true;
}

bool TemplateDocument::redo() {
  if (!history_.canRedo()) return false;
  rebuild(history_.redo());
  changed_ = true;
  return true;
}

// ---- Elements.

ElementRef TemplateDocument::insertElement(int id, const TReportElement& e) {
  TOddilSestavy* s = section(id);
  if (!s) return {-1, -1};
  s->elements.append(e);
  record(kUndoInsertElement);
  return {id, static_cast<int>(s->elements.size()) - 1};
}

bool TemplateDocument::removeElements(const QList<ElementRef>& refs, int code) {
  QList<ElementRef> sorted = refs;
  std::sort(sorted.begin(), sorted.end());
  sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
  bool any = false;
  for (auto it = sorted.rbegin(); it != sorted.rend(); ++it) {
    if (!element(*it)) continue;
    section(it->section)->elements.removeAt(it->index);
    any = true;
  }
  return any && record(code);
}

bool TemplateDocument::setRects(const QList<ElementRef>& refs, const QList<QRect>& rects) {
  bool any = false;
  for (qsizetype i = 0; i < refs.size() && i < rects.size(); ++i) {
    TReportElement* e = element(refs.at(i));
    if (!e) continue;
    const QRect& r = rects.at(i);
    any |= e->left != r.x() || e->top != r.y() || e->width != r.width() || e->height != r.height();
    e->left = r.x();
    e->top = r.y();
    e->width = r.width();
    e->height = r.height();
  }
  return any && record(kUndoMove);
}

bool TemplateDocument::modifyElements(const QList<ElementRef>& refs, int code,
                                      const std::function<void(TReportElement&)>& change) {
  bool any = false;
  for (const ElementRef& ref : refs) {
    TReportElement* e = element(ref);
    if (!e) continue;
    const TReportElement before = *e;
    change(*e);
    any |= !(before == *e);
  }
  return any && record(code);
}

QList<ElementRef> TemplateDocument::reorder(const QList<ElementRef>& refs, bool toFront) {
  QList<ElementRef> out;
  for (int id : sectionOrder(false)) {
    TOddilSestavy* s = section(id);
    QList<TReportElement> moved, kept;
    for (int i = 0; i < s->elements.size(); ++i)
      (refs.contains(ElementRef{id, i}) ? moved : kept).append(s->elements.at(i));
    if (moved.isEmpty()) continue;
    s->elements = toFront ? kept + moved : moved + kept;
    const int first = toFront ? static_cast<int>(kept.size()) : 0;
    for (int k = 0; k < moved.size(); ++k) out.append({id, first + k});
  }
  record(kUndoElementSettings);
  return out;
}

bool TemplateDocument::alignToRaster(const QList<ElementRef>& refs) {
  const DesignRaster raster(report_->raster.gridX, report_->raster.gridY, true);
  QList<QRect> rects;
  for (const ElementRef& ref : refs) {
    const TReportElement* e = element(ref);
    rects.append(e ? raster.aligned(QRect(e->left, e->top, e->width, e->height)) : QRect());
  }
  return setRects(refs, rects);
}

bool TemplateDocument::setSectionHeight(int id, int height) {
  TOddilSestavy* s = section(id);
  if (!s || s->height == std::max(0, height)) return false;
  s->height = std::max(0, height);
  return record(kUndoSectionHeight);
}

// ---- The clipboard.

QString TemplateDocument::copyText(const QList<ElementRef>& refs) {
  // The writer formats the elements in a template of their own; their records
  // then get the tags of the sections they come from.
  ReportDefinition scratch;
  QStringList tags;
  for (const ElementRef& ref : refs) {
    const TReportElement* e = element(ref);
    if (!e) continue;
    scratch.sections[kBodyTag].elements.append(*e);
    tags.append(sectionTag(ref.section));
  }
  QStringList out;
  qsizetype k = 0;
  for (const QString& line : TemplateLines::Format(scratch)) {
    QString rest;
    if (FirstField(line, &rest) != QString(SectionTag(kBodyTag))) continue;
    out.append(tags.value(k++) + u',' + rest);
  }
  return out.join(QStringLiteral("\r\n"));
}

bool TemplateDocument::IsElementText(const QString& text) {
  bool any = false;
  for (const QString& raw : text.split(u'\n')) {
    const QString line = raw.endsWith(u'\r') ? raw.chopped(1) : raw;
    if (line.isEmpty()) continue;
    QString rest;
    if (!IsSectionTag(FirstField(line, &rest))) return false;
    TemplateRecord rec(rest);
    bool bad = false;
    const int kind = rec.takeInt(0, &bad);
    if (bad || !IsKnownKind(kind)) return false;
    any = true;
  }
  return any;
}

QString TemplateDocument::cut(const QList<ElementRef>& refs) {
  const QString text = copyText(refs);
  removeElements(refs, kUndoCut);
  return text;
}

QList<ElementRef> TemplateDocument::paste(const QString& text, int targetSection) {
  QList<ElementRef> out;
  if (!IsElementText(text)) return out;
  for (const QString& raw : text.split(u'\n')) {
    const QString line = raw.endsWith(u'\r') ? raw.chopped(1) : raw;
    if (line.isEmpty()) continue;
    QString rest;
    const QString tag = FirstField(line, &rest);
    int id = targetSection;
    if (!section(id)) id = sectionOfTag(tag);
    if (!section(id)) id = kSectionBody;
    // Each record is read on its own, in the body of a scratch template.
    ReportDefinition scratch;
    TemplateLines::Parse(scratch, {QString(SectionTag(kBodyTag)) + u',' + rest}, fieldNames_);
    for (TReportElement e : scratch.sections[kBodyTag].elements) {
      resolve(e);
      section(id)->elements.append(e);
      out.append({id, static_cast<int>(section(id)->elements.size()) - 1});
    }
  }
  if (!out.isEmpty()) record(kUndoPaste);
  return out;
}

void TemplateDocument::resolve(TReportElement& e) const {
  if (!e.hasName()) return;
  if (e.kind == kElementColumn || e.kind == kElementCaption) {
    const int c = FindColumn(fieldNames_, e.name);
    e.index = std::max(0, c);
  } else if (e.kind == kElementFunction) {
    e.index = std::max(0, report_->functions.indexOf(e.name));
  }
}

// ---- User functions.

bool TemplateDocument::addFunction(const TRadekFunkce& f) {
  if (f.name.trimmed().isEmpty() || report_->functions.indexOf(f.name) >= 0) return false;
  report_->functions.add(f);
  return record(kUndoAddFunction);
}

bool TemplateDocument::editFunction(int i, const TRadekFunkce& f) {
  if (i < 0 || i >= report_->functions.count() || f.name.trimmed().isEmpty()) return false;
  const int other = report_->functions.indexOf(f.name);
  if (other >= 0 && other != i) return false;
  const QString old = report_->functions[i].name;
  report_->functions[i] = f;
  // Elements that name the function follow its new name.
  if (old != f.name)
    for (const ElementRef& ref : allElements()) {
      TReportElement* e = element(ref);
      if (e->kind == kElementFunction && e->name.compare(old, Qt::CaseInsensitive) == 0) e->name = f.name;
    }
  return record(kUndoEditFunction);
}

bool TemplateDocument::removeFunction(int i) {
  if (i < 0 || i >= report_->functions.count()) return false;
  report_->functions.removeAt(i);
  // Function elements by number keep pointing at the same functions.
  for (const ElementRef& ref : allElements()) {
    TReportElement* e = element(ref);
    if (e->kind == kElementFunction && !e->hasName() && e->index > i) --e->index;
  }
  return record(kUndoDeleteFunction);
}

void TemplateDocument::buildNewTemplate(const QStringList& columns, int parameterCount) {
  BuildDefaultLayout(*report_, columns, parameterCount);
  // The layout numbers the chosen columns from 0; their names find them among
  // all columns of the report.
  for (const ElementRef& ref : allElements()) resolve(*element(ref));
  history_.reset(lines());
  changed_ = true;
}

}  // namespace report
