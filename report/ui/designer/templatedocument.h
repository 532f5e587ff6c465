// The template being designed, without any widget: the model, the undo history,
// the "changed" mark, and every editing command of the designer. Each command
// changes the model and records its undo step (action codes of UndoHistory); a
// command that changes nothing records nothing.
//
// The window shows what is here and turns mouse, keys and dialogs into these
// commands; tests drive them directly.
#pragma once

#include <QList>
#include <QRect>
#include <QStringList>
#include <functional>
#include <memory>

#include "report/model/reportdefinition.h"
#include "report/ui/designer/elementref.h"
#include "report/ui/designer/undohistory.h"

namespace report {

class TemplateDocument {
 public:
  TemplateDocument();
  ~TemplateDocument();
  TemplateDocument(const TemplateDocument&) = delete;
  TemplateDocument& operator=(const TemplateDocument&) = delete;

  // Column names of the report's data: column elements and groups refer to them.
  void setFieldNames(const QStringList& names) { fieldNames_ = names; }
  const QStringList& fieldNames() const { return fieldNames_; }

  ReportDefinition& report() { return *report_; }
  const ReportDefinition& report() const { return *report_; }

  // Opens a template given as lines (line breaks of texts kept as TemplateLines
  // does): the model is rebuilt from them and the history starts with them as
  // the snapshot of the template as opened. The template is not changed.
  void open(const TPredloha& lines);
  // The template as lines, in the same form.
  TPredloha lines();

  UndoHistory& history() { return history_; }
  const UndoHistory& history() const { return history_; }
  bool changed() const { return changed_; }
  void setChanged(bool changed) { changed_ = changed; }

  // ---- Sections.
  // Section numbers in the order the paper shows them: report start, page
  // header, the groups' start bands (outermost first), body, the end bands
  // (innermost first), report end, page footer; only visible ones on request.
  QList<int> sectionOrder(bool visibleOnly) const;
  // nullptr for a number that names no section.
  TOddilSestavy* section(int id);
  const TOddilSestavy* section(int id) const;
  // "Začátek sestavy" … and for group bands "Začátek skupiny g" / "Konec skupiny g".
  QString sectionCaption(int id) const;
  // The template tag of a section (Z … P, Sg, Ug).
  QString sectionTag(int id) const;
  // The section of a tag; -1 when this template has none of that tag.
  int sectionOfTag(const QString& tag) const;

  TReportElement* element(ElementRef ref);
  const TReportElement* element(ElementRef ref) const;
  QList<ElementRef> elements(int section) const;
  QList<ElementRef> allElements() const;
  bool hasElements() const { return !allElements().isEmpty(); }

  // ---- The history.
  // Records the template as it is now under action `code`; marks it changed.
  // False (nothing recorded) when it equals the current snapshot.
  bool record(int code);
  // Rebuilds the template from the previous (next) snapshot and marks it
  // changed; false when there is none.
  bool undo();
  bool redo();

  // ---- Elements.
  // Appends an element to a section (code 1); its place, or an invalid ref.
  ElementRef insertElement(int section, const TReportElement& e);
  // Deletes elements (code 3, or `code`).
  bool removeElements(const QList<ElementRef>& refs, int code = kUndoDeleteElement);
  // New rectangles of elements (code 7).
  bool setRects(const QList<ElementRef>& refs, const QList<QRect>& rects);
  // Changes elements through `change` and records `code` when any changed.
  bool modifyElements(const QList<ElementRef>& refs, int code, const std::function<void(TReportElement&)>& change);
  // Moves elements to the end (front) or start (back) of their sections' drawing
  // order (code 14); the refs of the moved elements afterwards.
  QList<ElementRef> reorder(const QList<ElementRef>& refs, bool toFront);
  // "Vyrovnat": corners and sizes of the elements to the grid (code 7).
  bool alignToRaster(const QList<ElementRef>& refs);
  // A section's height (code 5).
  bool setSectionHeight(int section, int height);

  // ---- The clipboard: elements as template lines, each with its section's tag.
  QString copyText(const QList<ElementRef>& refs);
  // Whether a text is such lines (every non-empty line an element record).
  static bool IsElementText(const QString& text);
  // Copies and deletes (code 12); the copied text.
  QString cut(const QList<ElementRef>& refs);
  // Adds the elements of a copied text to `targetSection` (or, for -1, to the
  // section of each line's tag, the body when there is none) at their positions
  // (code 13); the refs of the new elements.
  QList<ElementRef> paste(const QString& text, int targetSection);

  // ---- User functions.
  bool addFunction(const TRadekFunkce& f);               // code 10; false when the name exists
  bool editFunction(int i, const TRadekFunkce& f);       // code 9
  bool removeFunction(int i);                            // code 11

  // ---- A new template: the automatic layout of `columns` and the parameters.
  // The history starts anew with it; the template is changed.
  void buildNewTemplate(const QStringList& columns, int parameterCount);

 private:
  void rebuild(const TPredloha& lines);
  void resolve(TReportElement& e) const;

  std::unique_ptr<ReportDefinition> report_;
  UndoHistory history_;
  QStringList fieldNames_;
  bool changed_ = false;
};

}  // namespace report
