// The undo history: the names of the fifteen actions and the hints after every
// step of a scripted session, the capacity dropping the oldest steps, redo cut
// by a new change, and the same over a real template through the document's
// commands, one per action code.
#include <QtTest>

#include "designertestsupport.h"
#include "report/io/templatetext.h"
#include "report/ui/designer/templatedocument.h"
#include "report/ui/designer/templatelines.h"
#include "report/ui/designer/undohistory.h"
#include "uitestsupport.h"

using namespace Qt::StringLiterals;
using namespace report;

namespace {

TPredloha Snap(const QString& tag) { return {tag}; }

// The names the designer shows, by code.
const QStringList kNames = {
    u"vložení prvku"_s,       u"změna písma"_s,       u"zrušení prvku"_s,       u"nastavení oddílů a skupin"_s,
    u"změna výšky oddílu"_s,  u"změna textu"_s,       u"posun prvku"_s,         u"změna zarovnávání"_s,
    u"oprava funkce"_s,       u"přidání funkce"_s,    u"zrušení funkce"_s,      u"vystřižení do úschovy"_s,
    u"vložení z úschovy"_s,   u"nastavení prvku"_s,   u"změna detailu"_s,
};

}  // namespace

class UndoHistoryTest : public QObject {
  Q_OBJECT
 private slots:
  void scriptedSession() {
    UndoHistory h(100);
    h.reset(Snap(u"opened"_s));
    QVERIFY(!h.canUndo());
    QCOMPARE(h.undoHint(), u"Zrušit změny"_s);
    QCOMPARE(h.redoHint(), u"Znovu změny"_s);
    QCOMPARE(UndoHistory::ActionName(0), QString());  // codes out of range have no name
    QCOMPARE(UndoHistory::ActionName(16), QString());
    for (int c = 1; c <= 15; ++c) {
      QCOMPARE(UndoHistory::ActionName(c), kNames.at(c - 1));
      h.record(c, Snap(QString::number(c)));
      QCOMPARE(h.undoHint(), u"Zrušit "_s + kNames.at(c - 1));
      QCOMPARE(h.redoHint(), u"Znovu změny"_s);
      QVERIFY(h.canUndo());
      QVERIFY(!h.canRedo());
    }
    // Back to the template as opened, step by step.
    for (int c = 15; c >= 1; --c) {
      const TPredloha back = h.undo();
      QCOMPARE(back, c == 1 ? Snap(u"opened"_s) : Snap(QString::number(c - 1)));
      QCOMPARE(h.redoHint(), u"Znovu "_s + kNames.at(c - 1));
      QCOMPARE(h.undoHint(), c == 1 ? u"Zrušit změny"_s : u"Zrušit "_s + kNames.at(c - 2));
    }
    QVERIFY(!h.canUndo());
    QCOMPARE(h.undo(), Snap(u"opened"_s));  // nothing before the opening
    QCOMPARE(h.position(), 0);
    QCOMPARE(h.name(0), QString());  // the template as opened
    // And forward again.
    for (int c = 1; c <= 15; ++c) {
      QCOMPARE(h.redo(), Snap(QString::number(c)));
      QCOMPARE(h.undoHint(), u"Zrušit "_s + kNames.at(c - 1));
      QCOMPARE(h.redoHint(), c == 15 ? u"Znovu změny"_s : u"Znovu "_s + kNames.at(c));
    }
    QVERIFY(!h.canRedo());
  }

  void capacityDropsOldest_data() { uitest::Table(u"designlogic.txt"_s); }
  void capacityDropsOldest() {
    const uitest::Row r = uitest::FetchRow();
    const int undoable = r.num(u"undoable"_s);
    UndoHistory h(r.num(u"capacity"_s));
    h.reset(Snap(u"opened"_s));
    for (int c = 1; c <= r.num(u"changes"_s); ++c) h.record(kUndoMove, Snap(QString::number(c)));
    QCOMPARE(h.count(), undoable + 1);
    int undone = 0;
    TPredloha last;
    while (h.canUndo()) {
      last = h.undo();
      ++undone;
    }
    QCOMPARE(undone, undoable);
    QCOMPARE(last, Snap(r.str(u"oldest"_s)));
  }

  void newChangeCutsRedo() {
    UndoHistory h;
    h.reset(Snap(u"opened"_s));
    h.record(kUndoInsertElement, Snap(u"a"_s));
    h.record(kUndoFont, Snap(u"b"_s));
    h.undo();
    QCOMPARE(h.redoHint(), u"Znovu změna písma"_s);
    h.record(kUndoText, Snap(u"c"_s));
    QVERIFY(!h.canRedo());
    QCOMPARE(h.redoHint(), u"Znovu změny"_s);
    QCOMPARE(h.undoHint(), u"Zrušit změna textu"_s);
    QCOMPARE(h.undo(), Snap(u"a"_s));
    QCOMPARE(h.redo(), Snap(u"c"_s));
  }

  void namesAreCut() {
    UndoHistory h;
    h.reset(Snap(u"opened"_s));
    h.record(QString(40, u'x'), Snap(u"1"_s));
    QCOMPARE(h.name(1).size(), UndoHistory::kMaxNameLength);
  }

  // Every command of the document records its own action: the hint after it
  // names it, and undoing it brings back the template text before it exactly.
  void documentCommands() {
    QTemporaryDir dir;
    auto s = designertest::MakeSestava(dir.path());
    TemplateDocument doc;
    doc.setFieldNames(s->FieldNames);
    doc.open(TemplateLines::Format(s->definition()));
    QVERIFY(!doc.changed());
    const ElementRef first{kSectionHeader, 0};
    TRadekFunkce f;
    f.name = u"Soucet"_s;
    f.expression = u"Vel1"_s;
    QString clip;
    struct Step {
      int code;
      std::function<void()> run;
    };
    const QList<Step> steps = {
        {kUndoInsertElement, [&] { doc.insertElement(kSectionBody, TReportElement{}); }},
        {kUndoFont, [&] { doc.modifyElements({first}, kUndoFont, [](TReportElement& e) { e.font.size = 20; }); }},
        {kUndoDeleteElement, [&] { doc.removeElements({ElementRef{kSectionBody, 0}}); }},
        {kUndoSections, [&] {
           doc.report().sections[kSectionEnd].visible = true;
           doc.record(kUndoSections);
         }},
        {kUndoSectionHeight, [&] { doc.setSectionHeight(kSectionBody, 64); }},
        {kUndoText, [&] { doc.modifyElements({first}, kUndoText, [](TReportElement& e) { e.text = u"a\"b\nc"_s; }); }},
        {kUndoMove, [&] { doc.setRects({first}, {QRect(8, 8, 50, 20)}); }},
        {kUndoAlignment,
         [&] { doc.modifyElements({first}, kUndoAlignment, [](TReportElement& e) { e.alignment = 2; }); }},
        {kUndoAddFunction, [&] { doc.addFunction(f); }},
        {kUndoEditFunction, [&] {
           TRadekFunkce g = f;
           g.expression = u"Vel2"_s;
           doc.editFunction(0, g);
         }},
        {kUndoDeleteFunction, [&] { doc.removeFunction(0); }},
        {kUndoCut, [&] { clip = doc.cut({first}); }},
        {kUndoPaste, [&] { doc.paste(clip, kSectionFooter); }},
        {kUndoElementSettings, [&] { doc.reorder({ElementRef{kSectionFooter, 0}}, true); }},
        {kUndoDetail, [&] {
           TReportElement d;
           d.kind = kElementDetail;
           doc.report().sections[kSectionBody].elements.append(d);
           doc.record(kUndoDetail);
         }},
    };
    QList<TPredloha> before;
    for (const Step& step : steps) {
      before.append(doc.lines());
      step.run();
      QVERIFY2(doc.history().undoHint() == u"Zrušit "_s + kNames.at(step.code - 1),
               qPrintable(doc.history().undoHint()));
      QVERIFY(doc.changed());
    }
    for (qsizetype i = steps.size() - 1; i >= 0; --i) {
      QVERIFY(doc.undo());
      QCOMPARE(doc.lines(), before.at(i));
    }
    QVERIFY(!doc.undo());
    // The text typed with a quote and a line break comes back with redo.
    for (int i = 0; i < 6; ++i) QVERIFY(doc.redo());
    QCOMPARE(doc.element(first)->text, u"a\"b\nc"_s);
  }
};

QTEST_MAIN(UndoHistoryTest)
#include "undohistory_test.moc"
