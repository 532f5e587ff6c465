// The designer window over the program's own template (zostava.pts), driven
// through its widgets; tables of cases in data/designer.txt.
#include <QtTest>
#include <QtWidgets>

#include "designertestsupport.h"
#include "report/io/templatefile.h"
#include "report/io/templatetext.h"
#include "report/ui/designer/designersettings.h"
#include "report/ui/designer/elementdialog.h"
#include "report/ui/designer/expressiondialog.h"
#include "report/ui/designer/formseste.h"
#include "report/ui/designer/functiondialog.h"
#include "report/ui/designer/newtemplatewizard.h"
#include "report/ui/designer/opendesigner.h"
#include "report/ui/designer/oddil.h"
#include "report/ui/designer/paleta.h"
#include "report/ui/designer/papir.h"
#include "report/ui/designer/propertypanel.h"
#include "report/ui/designer/sesprvek.h"
#include "report/ui/designer/sestdlg.h"
#include "report/ui/designer/templatelines.h"
#include "report/ui/messages.h"
#include "report/ui/previewwindow.h"
#include "uitestsupport.h"

using namespace Qt::StringLiterals;
using namespace report;
using designertest::AnswerNamed;

namespace {

constexpr int kM = TSesPrvek::kMargin;
const QString kTable = u"designer.txt"_s;
const ElementRef kCaption1{kSectionHeader, 1};  // "H,4,0,90,0,97,20": a parameter at 90, 0
const ElementRef kUnit1{kSectionHeader, 2};     // "H,4,6,90,20,97,18"
const ElementRef kCaption2{kSectionHeader, 3};  // "H,4,1,192,0,97,20"

// Drags with the left button from `from` (pixels of `w`) by `delta` pixels,
// in a few moves, the way a hand does; the widget may move meanwhile.
void Drag(QWidget* w, QPoint from, QPoint delta, Qt::KeyboardModifiers modifiers = {}) {
  const QPoint start = w->mapToGlobal(from);
  QTest::mousePress(w, Qt::LeftButton, modifiers, from);
  for (int k = 1; k <= 3; ++k) QTest::mouseMove(w, w->mapFromGlobal(start + delta * k / 3));
  QTest::mouseRelease(w, Qt::LeftButton, modifiers, w->mapFromGlobal(start + delta));
}

void Click(QWidget* w, QPoint at, Qt::KeyboardModifiers modifiers = {}) {
  QTest::mouseClick(w, Qt::LeftButton, modifiers, at);
}

QPoint InElement(int x, int y) { return QPoint(kM + x, kM + y); }
QPoint InElement(QPoint p) { return InElement(p.x(), p.y()); }
QPoint InSection(int x, int y) { return QPoint(x, TOddil::kCaptionHeight + y); }

// A designer over a fresh copy of the template in its own directory, shown.
struct Designer {
  QTemporaryDir dir;
  std::unique_ptr<TSestava> sestava;
  std::unique_ptr<TFormSestE> form;

  explicit Designer(bool snap = false, bool show = true) {
    sestava = designertest::MakeSestava(dir.path());
    sestava->definition().raster.designerFlag2 = snap ? 1 : 0;
    form = std::make_unique<TFormSestE>(*sestava);
    if (show) uitest::ShowActive(form.get());
  }
  TemplateDocument& doc() { return form->document(); }
  TPapir* paper() { return form->paper(); }
  TSesPrvek* widget(ElementRef ref) { return form->paper()->elementWidget(ref); }
  TOddil* panel(int section) { return form->paper()->sectionPanel(section); }
  const TReportElement& element(ElementRef ref) { return *doc().element(ref); }
  QRect rect(ElementRef ref) {
    const TReportElement& e = element(ref);
    return QRect(e.left, e.top, e.width, e.height);
  }
  QString undoHint() { return form->command(u"Zrušit"_s)->toolTip(); }
  QString redoHint() { return form->command(u"Zpět"_s)->toolTip(); }
  QString file() { return dir.filePath(u"zostava.pts"_s); }
  QByteArray saved() { return uitest::ReadAll(file()); }
  // The first caption dragged by `delta`: the usual change before a save.
  void move(QPoint delta = {10, 0}) { Drag(widget(kCaption1), InElement(30, 10), delta); }
  void select(ElementRef ref, Qt::KeyboardModifiers modifiers = {}) { Click(widget(ref), InElement(5, 5), modifiers); }
  QPlainTextEdit* textArea() { return form->properties()->findChild<QPlainTextEdit*>(u"text"_s); }
  // The dialogs of class D the window runs get `fill`'s result; any other is rejected.
  template <typename D, typename F>
  void answerDialogs(F fill) {
    form->dialogRunner = [fill](QDialog& dialog) {
      auto* d = qobject_cast<D*>(&dialog);
      return d ? int(fill(*d)) : int(QDialog::Rejected);
    };
  }
};

// Shows the palette tab of the entry and clicks the entry; null when there is none.
QToolButton* ChoosePaletteEntry(Designer& d, const QString& entry) {
  QToolButton* button = d.form->palette()->entry(entry);
  if (!button) return nullptr;
  for (int t = 0; t < d.form->palette()->count(); ++t)
    if (d.form->palette()->widget(t)->isAncestorOf(button)) d.form->palette()->setCurrentIndex(t);
  QTest::mouseClick(button, Qt::LeftButton);
  return button;
}

}  // namespace

class DesignerWindowTest : public QObject {
  Q_OBJECT
 private slots:
  void init() {
    DesignerSettings::Current() = DesignerSettings{};
    QApplication::clipboard()->clear();
    // No box may wait for a hand: tests that expect boxes script them.
    ReportMessages::SetSink([](MessageKind kind, const QString& text) {
      qWarning("unexpected message box: %s", qPrintable(text));
      return kind == MessageKind::Question ? Answer::Cancel : Answer::Ok;
    });
  }

  void cleanup() { ReportMessages::SetSink({}); }

  void opensTemplate() {
    Designer d(false, false);
    QStringList captions;
    QList<int> counts;
    for (TOddil* p : d.paper()->sectionPanels()) {
      captions.append(p->caption());
      counts.append(static_cast<int>(p->elementWidgets().size()));
    }
    // "Konec sestavy" is not shown in zostava.pts.
    QCOMPARE(captions, (QStringList{u"Začátek sestavy"_s, u"Hlava stránky"_s, u"Tělo sestavy"_s, u"Pata stránky"_s}));
    QCOMPARE(counts, (QList<int>{3, 14, 7, 4}));
    QCOMPARE(d.doc().history().count(), 1);
    QVERIFY(!d.doc().changed());
    QVERIFY(!d.form->command(u"Zrušit"_s)->isEnabled());
    QCOMPARE(d.undoHint(), u"Zrušit změny"_s);
    QCOMPARE(d.redoHint(), u"Znovu změny"_s);
    // The paper is a print column wide at 100 %: a hundredth of an inch a pixel.
    QCOMPARE(d.panel(kSectionBody)->width(), 826 - 60 - 60);
    QCOMPARE(d.widget(kCaption1)->geometry(),
             QRect(90 - kM, TOddil::kCaptionHeight - kM, 97 + 2 * kM + 1, 20 + 2 * kM + 1));
    for (const QString& hint : {u"Nová předloha"_s, u"Uložit předlohu"_s, u"Vymazat prvek"_s, u"Ukázka před tiskem"_s,
                                u"Tisknout sestavu"_s, u"Vystřihnout"_s, u"Kopírovat"_s, u"Vložit"_s, u"Nastavit prvek"_s,
                                u"Nastavit předlohu"_s, u"Nastavit prostředí"_s, u"Ukončit opravu předlohy"_s,
                                u"Přesunout dozadu"_s, u"Přenést dopředu"_s, u"Uložit předlohu jako..."_s,
                                u"Vyrovnat vše do rastru"_s, u"Vyrovnat vybrané"_s})
      QVERIFY2(d.form->command(hint), qPrintable(hint));
  }

  void screenshots() {
    Designer d;
    d.doc().report().raster.designerFlag1 = 1;  // the raster shown
    d.form->setZoomPercent(125);
    d.form->resize(1100, 800);
    d.form->setSelection({kCaption1, kUnit1});
    QVERIFY(!uitest::Screenshot(d.form.get(), u"designer_zostava"_s).isEmpty());
    const QStringList tabs = {u"polozky"_s, u"popisy"_s, u"parametry"_s, u"promenne"_s,
                              u"funkce"_s,  u"graficke"_s, u"detaily"_s};
    QCOMPARE(d.form->palette()->count(), 7);
    for (int t = 0; t < tabs.size(); ++t) {
      d.form->palette()->setCurrentIndex(t);
      QVERIFY(!uitest::Screenshot(d.form->palette(), u"designer_palette_"_s + tabs.at(t)).isEmpty());
    }
    // A barcode, a picture place, a drawing area and a rotated text, selected.
    TReportElement code = TPaleta::Prototype(kElementBarcode);
    code.left = 420;
    TReportElement box = TPaleta::Prototype(kElementPaintBox);
    box.left = 600;
    box.height = 60;
    d.doc().insertElement(kSectionStart, code);
    d.doc().insertElement(kSectionStart, box);
    d.form->setZoomPercent(100);
    d.form->setSelection({ElementRef{kSectionStart, 3}});
    QVERIFY(!uitest::Screenshot(d.form.get(), u"designer_elements"_s).isEmpty());
  }

  void selecting() {
    Designer d;
    Click(d.widget(kCaption1), InElement(10, 10));
    QCOMPARE(d.form->selection(), QList<ElementRef>{kCaption1});
    QVERIFY(d.widget(kCaption1)->isSelected());
    Click(d.widget(kCaption2), InElement(10, 10), Qt::ShiftModifier);
    QCOMPARE(d.form->selection(), (QList<ElementRef>{kCaption1, kCaption2}));
    Click(d.widget(kCaption1), InElement(10, 10), Qt::ControlModifier);
    QCOMPARE(d.form->selection(), QList<ElementRef>{kCaption2});
    QVERIFY(!d.widget(kCaption1)->isSelected());
    // A click on an empty place of a section lets the selection go.
    Click(d.panel(kSectionHeader), InSection(700, 40));
    QVERIFY(d.form->selection().isEmpty());
    QCOMPARE(d.form->currentSection(), int(kSectionHeader));
    QVERIFY(!d.form->command(u"Vymazat prvek"_s)->isEnabled());
  }

  void rubberBand() {
    Designer d;
    // Across the captions of the first two value columns, but not their units.
    Drag(d.panel(kSectionHeader), InSection(88, 2), QPoint(120, 10));
    QCOMPARE(d.form->selection(), (QList<ElementRef>{kCaption1, kCaption2}));
    // With Shift the band adds.
    Drag(d.panel(kSectionHeader), InSection(100, 30), QPoint(5, 5), Qt::ShiftModifier);
    QCOMPARE(d.form->selection(), (QList<ElementRef>{kCaption1, kCaption2, kUnit1}));
  }

  // Moving by the body and resizing by a handle, with and without the raster.
  void drag_data() { uitest::Table(kTable); }
  void drag() {
    const uitest::Row r = uitest::FetchRow();
    Designer d(r.flag(u"snap"_s));
    if (r.flag(u"select"_s)) Click(d.widget(kCaption1), InElement(30, 10));
    Drag(d.widget(kCaption1), InElement(r.point(u"grab"_s)), r.point(u"delta"_s));
    QCOMPARE(d.rect(kCaption1), r.rect(u"result"_s));
    QCOMPARE(d.widget(kCaption1)->shownRect(), r.rect(u"result"_s));
    QCOMPARE(d.undoHint(), u"Zrušit posun prvku"_s);
    QVERIFY(d.doc().changed());
  }

  void dragMovesSelectionTogether() {
    Designer d(true);
    d.select(kCaption1);
    d.select(kUnit1, Qt::ControlModifier);
    d.move();
    // 90 + 10 lands on 104: both move by 14.
    QCOMPARE(d.rect(kCaption1), QRect(104, 0, 97, 20));
    QCOMPARE(d.rect(kUnit1), QRect(104, 20, 97, 18));
    QCOMPARE(d.doc().history().count(), 2);  // one step for both
    d.move({0, 0});  // a plain press without moving changes nothing
    QCOMPARE(d.doc().history().count(), 2);
  }

  void sectionEdgeDrag_data() { uitest::Table(kTable); }
  void sectionEdgeDrag() {
    const uitest::Row r = uitest::FetchRow();
    const int height = r.num(u"height"_s);
    Designer d(r.flag(u"snap"_s));
    TOddil* body = d.panel(kSectionBody);
    const int footerTop = d.panel(kSectionFooter)->y();
    QVERIFY(body->onEdge(InSection(300, 21)));
    Drag(body, InSection(300, 21), QPoint(0, r.num(u"dy"_s)));
    QCOMPARE(d.doc().section(kSectionBody)->height, height);
    QCOMPARE(d.undoHint(), u"Zrušit změna výšky oddílu"_s);
    QCOMPARE(d.panel(kSectionFooter)->y(), footerTop + height - 20);  // the sections below follow
    d.form->undo();
    QCOMPARE(d.doc().section(kSectionBody)->height, 20);
  }

  void arrowKeys() {
    Designer d;
    d.doc().report().raster.gridY = 5;
    Click(d.widget(kCaption1), InElement(30, 10));
    QTest::keyClick(d.paper(), Qt::Key_Right);
    QTest::keyClick(d.paper(), Qt::Key_Down);
    QCOMPARE(d.rect(kCaption1), QRect(98, 5, 97, 20));
    QTest::keyClick(d.paper(), Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(d.paper(), Qt::Key_Left, Qt::ShiftModifier);
    QCOMPARE(d.rect(kCaption1), QRect(98, 5, 89, 25));
    QCOMPARE(d.doc().history().count(), 5);
    QCOMPARE(d.undoHint(), u"Zrušit posun prvku"_s);
  }

  void deleteAsks_data() { uitest::Table(kTable); }
  void deleteAsks() {
    const uitest::Row r = uitest::FetchRow();
    const int left = r.num(u"left"_s);  // elements left in the header
    Designer d;
    d.select(kCaption1);
    if (r.flag(u"two"_s)) d.select(kCaption2, Qt::ShiftModifier);
    ScriptedMessages boxes({AnswerNamed(r.str(u"answer"_s))});
    QTest::keyClick(d.form.get(), Qt::Key_Delete);
    QCOMPARE(boxes.texts, QStringList{r.str(u"question"_s)});
    QCOMPARE(d.doc().section(kSectionHeader)->elements.size(), left);
    if (left < 14) QCOMPARE(d.undoHint(), u"Zrušit zrušení prvku"_s);
    else QCOMPARE(d.doc().history().count(), 1);
  }

  void undoRedoKeys() {
    Designer d;
    d.move();
    QCOMPARE(d.rect(kCaption1).x(), 100);
    QTest::keyClick(d.form.get(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(d.rect(kCaption1).x(), 90);
    QCOMPARE(d.undoHint(), u"Zrušit změny"_s);
    QCOMPARE(d.redoHint(), u"Znovu posun prvku"_s);
    QVERIFY(d.doc().changed());  // undone, but not as saved
    QTest::keyClick(d.form.get(), Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(d.rect(kCaption1).x(), 100);
    QCOMPARE(d.widget(kCaption1)->shownRect().x(), 100);
    QCOMPARE(d.redoHint(), u"Znovu změny"_s);
  }

  // A new element clicked in near a band's edge lies inside the band.
  void placesFromPalette_data() { uitest::Table(kTable); }
  void placesFromPalette() {
    const uitest::Row r = uitest::FetchRow();
    Designer d(r.flag(u"snap"_s));
    QToolButton* button = ChoosePaletteEntry(d, r.str(u"entry"_s));
    QVERIFY(button);
    QVERIFY(button->isChecked());
    QVERIFY(d.paper()->placing());
    Click(d.panel(kSectionFooter), InSection(r.point(u"click"_s).x(), r.point(u"click"_s).y()));
    const ElementRef added{kSectionFooter, 4};
    QVERIFY(d.doc().element(added));
    QCOMPARE(d.element(added).kind, r.num(u"kind"_s));
    if (!r.str(u"index"_s).isEmpty()) QCOMPARE(d.element(added).index, r.num(u"index"_s));
    QCOMPARE(QPoint(d.element(added).left, d.element(added).top), r.point(u"at"_s));
    QCOMPARE(d.form->selection(), QList<ElementRef>{added});
    QCOMPARE(d.undoHint(), u"Zrušit vložení prvku"_s);
    QVERIFY(!button->isChecked());
    QVERIFY(!d.paper()->placing());
  }

  void propertyArea() {
    Designer d;
    d.select(kCaption1);
    d.select(kCaption2, Qt::ShiftModifier);
    auto* width = d.form->properties()->findChild<QSpinBox*>(u"width"_s);
    QCOMPARE(width->value(), 97);
    width->setValue(120);  // both selected elements
    QCOMPARE(d.rect(kCaption1).width(), 120);
    QCOMPARE(d.rect(kCaption2).width(), 120);
    QCOMPARE(d.undoHint(), u"Zrušit posun prvku"_s);
    uitest::Click(d.form->properties()->findChild<QToolButton*>(u"align2"_s));
    QCOMPARE(d.element(kCaption1).alignment, int(kAlignCenter));
    QCOMPARE(d.undoHint(), u"Zrušit změna zarovnávání"_s);
    uitest::Click(d.form->properties()->findChild<QToolButton*>(u"SBCarR4"_s));
    QCOMPARE(d.element(kCaption2).frame & kFrameSide4, int(kFrameSide4));
    QCOMPARE(d.undoHint(), u"Zrušit nastavení prvku"_s);
    d.answerDialogs<QFontDialog>([](QFontDialog& fonts) {
      QFont f(u"Liberation Serif"_s, 14);
      f.setItalic(true);
      fonts.setCurrentFont(f);
      fonts.accept();
      return fonts.result();
    });
    d.form->chooseFont();
    QCOMPARE(d.element(kCaption1).font.size, 14);
    QCOMPARE(d.element(kCaption2).font.style, int(kFontItalic));
    QCOMPARE(d.undoHint(), u"Zrušit změna písma"_s);
    // Text typed in the area, with a line break, is taken when the area loses the focus.
    d.textArea()->setFocus();
    d.textArea()->setPlainText(u"%s\nřádek"_s);
    d.paper()->setFocus();
    QCOMPARE(d.element(kCaption1).text, u"%s\nřádek"_s);
    QCOMPARE(d.undoHint(), u"Zrušit změna textu"_s);
  }

  // The settings of the selected element fit the property area at the window's
  // own size, and the paper at 100 % fits beside it: nothing is cut at the right
  // edge behind a horizontal scroll bar, also with a larger desktop font.
  void propertyAreaNotCut_data() { uitest::Table(kTable); }
  void propertyAreaNotCut() {
    const uitest::Row r = uitest::FetchRow();
    const QFont font = QApplication::font();
    const auto restore = qScopeGuard([&font] { QApplication::setFont(font); });
    if (r.num(u"fontSize"_s) > 0) {
      QFont large = font;
      large.setPointSize(r.num(u"fontSize"_s));
      QApplication::setFont(large);
    }
    Designer d;
    ElementRef ref = kCaption1;
    if (r.num(u"kind"_s) != 0) {
      TReportElement e;
      e.kind = r.num(u"kind"_s);
      e.left = 10;
      e.top = 2;
      e.width = 80;
      e.height = 16;
      ref = d.doc().insertElement(kSectionBody, e);
      d.form->setZoomPercent(d.form->zoomPercent());  // the paper shows it anew
    }
    Click(d.widget(ref), InElement(d.rect(ref).width() / 2, d.rect(ref).height() / 2));
    QCOMPARE(d.form->selection(), QList<ElementRef>{ref});
    auto* area = d.form->findChild<QScrollArea*>(u"propertyArea"_s);
    QVERIFY(area);
    QTRY_VERIFY(area->viewport()->width() >= d.form->properties()->minimumSizeHint().width());
    QCOMPARE(area->horizontalScrollBar()->maximum(), 0);
    auto* paper = d.form->findChild<QScrollArea*>(u"paperArea"_s);
    QVERIFY(paper);
    QVERIFY(paper->viewport()->width() >= d.paper()->width());
    // Both lie inside the window, side by side.
    QWidget* inside = d.form->centralWidget();
    QVERIFY(area->mapTo(inside, QPoint(area->width(), 0)).x() <= inside->width());
    QVERIFY(paper->mapTo(inside, QPoint(paper->width(), 0)).x() <= area->mapTo(inside, QPoint(0, 0)).x());
    QCOMPARE(paper->horizontalScrollBar()->maximum(), 0);
  }

  void elementDialogKeepsLineBreaks() {
    Designer d;
    const ElementRef title{kSectionStart, 0};
    const QString text = u"první \"řádek\"\ndruhý"_s;
    d.answerDialogs<TElementDlg>([&](TElementDlg& e) {
      e.findChild<QPlainTextEdit*>(u"text"_s)->setPlainText(text);
      e.findChild<QSpinBox*>(u"height"_s)->setValue(40);
      return QDialog::Accepted;
    });
    QTest::mouseDClick(d.widget(title), Qt::LeftButton, {}, InElement(20, 10));
    QTest::mouseRelease(d.widget(title), Qt::LeftButton, {}, InElement(20, 10));
    QCOMPARE(d.element(title).text, text);
    QCOMPARE(d.element(title).height, 40);
    QCOMPARE(d.undoHint(), u"Zrušit nastavení prvku"_s);
  }

  void templateSettingsStep() {
    Designer d;
    d.answerDialogs<TSestDlg>([](TSestDlg& s) {
      s.findChild<QSpinBox*>(u"marginLeft"_s)->setValue(100);
      s.findChild<QSpinBox*>(u"height2"_s)->setValue(40);
      uitest::Click(uitest::ButtonWithText(&s, u"Ins"_s));  // a group
      s.accept();
      return s.result();
    });
    d.form->command(u"Nastavit předlohu"_s)->trigger();
    QCOMPARE(d.doc().report().paper.marginLeft, 100);
    QCOMPARE(d.doc().section(kSectionBody)->height, 40);
    QCOMPARE(d.undoHint(), u"Zrušit nastavení oddílů a skupin"_s);
    QCOMPARE(d.panel(kSectionBody)->width(), 826 - 100 - 60);  // a print column wide
    QCOMPARE(d.panel(kSectionBody)->shownHeight(), 40);
    // The group's bands stand around the body.
    QStringList captions;
    for (TOddil* p : d.paper()->sectionPanels()) captions.append(p->caption());
    QCOMPARE(captions, (QStringList{u"Začátek sestavy"_s, u"Hlava stránky"_s, u"Začátek skupiny 0"_s, u"Tělo sestavy"_s,
                                    u"Konec skupiny 0"_s, u"Pata stránky"_s}));
    d.form->undo();
    QCOMPARE(d.paper()->sectionPanels().size(), 4);
    QCOMPARE(d.doc().report().paper.marginLeft, 60);
  }

  void clipboardBetweenDesigners() {
    Designer a, b(false, false);
    a.select(kCaption1);
    a.textArea()->setPlainText(u"\"Tlak\",\nMPa"_s);
    a.form->properties()->commitText();
    const TReportElement copied = a.element(kCaption1);
    QCOMPARE(copied.text, u"\"Tlak\",\nMPa"_s);
    QTest::keyClick(a.form.get(), Qt::Key_C, Qt::ControlModifier);
    QVERIFY(TemplateDocument::IsElementText(QApplication::clipboard()->text()));

    uitest::ShowActive(b.form.get());
    QVERIFY(b.form->command(u"Vložit"_s)->isEnabled());
    Click(b.panel(kSectionBody), InSection(600, 10));  // the body is where it goes
    QTest::keyClick(b.form.get(), Qt::Key_V, Qt::ControlModifier);
    const ElementRef pasted{kSectionBody, 7};
    QVERIFY(b.doc().element(pasted));
    QCOMPARE(b.element(pasted), copied);
    QCOMPARE(b.form->selection(), QList<ElementRef>{pasted});
    QCOMPARE(b.undoHint(), u"Zrušit vložení z úschovy"_s);

    // Cut takes it away in the first window, as its own step.
    uitest::ShowActive(a.form.get());
    QTest::keyClick(a.form.get(), Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(a.doc().section(kSectionHeader)->elements.size(), 13);
    QCOMPARE(a.undoHint(), u"Zrušit vystřižení do úschovy"_s);
  }

  // Ctrl+S keeps the old file as ".BAK"; a text with quotes, a comma and a line
  // break is one record of the file and comes back as typed.
  void saveKeepsBackupAndReloads() {
    Designer d;
    const QByteArray original = d.saved();
    d.move({10, 5});
    d.textArea()->setPlainText(u"\"uvozovky\", čárka\nřádek"_s);
    d.form->properties()->commitText();
    QTest::keyClick(d.form.get(), Qt::Key_S, Qt::ControlModifier);
    QVERIFY(!d.doc().changed());
    QCOMPARE(uitest::ReadAll(TemplateBackupPath(d.file())), original);
    QVERIFY(d.saved() != original);
    QStringList lines;
    QVERIFY(ReadTemplateFile(d.file(), &lines).ok);
    QCOMPARE(lines.size(), FormatTemplate(d.sestava->definition()).size());
    // A component that reads the file again has the model the designer shows.
    TSestava again;
    again.FieldNames = designertest::FieldNames();
    again.ReportDirIgnore = false;
    again.setReportDir(d.dir.path());
    again.setReportName(u"zostava.pts"_s);
    QVERIFY(again.LoadTemplate(true));
    QCOMPARE(FormatTemplate(again.definition()), TemplateLines::Format(d.doc().report()));
    QCOMPARE(again.definition().sections[kSectionHeader].elements.at(1).text, u"\"uvozovky\", čárka\nřádek"_s);
  }

  // Closing asks whether to save a changed template; a save that fails is told
  // once, whoever failed, and leaves the template unsaved and the window open.
  void leaving_data() { uitest::Table(kTable); }
  void leaving() {
    const uitest::Row r = uitest::FetchRow();
    const QString how = r.str(u"how"_s), fail = r.str(u"fail"_s);
    const bool change = r.flag(u"change"_s), closed = r.flag(u"closed"_s), saved = r.flag(u"saved"_s);
    Designer d;
    const QByteArray original = d.saved();
    if (change) d.move();
    int hostCalls = 0;
    if (fail == u"host") d.sestava->OnUlozPredlohu = [&](TSestava&) { return ++hostCalls, false; };
    if (fail == u"file") d.sestava->setReportDir(d.dir.filePath(u"chybi"_s));  // a folder that is not there
    QSignalSpy closedSpy(d.form.get(), &TFormSestE::closed);
    const Answer answer = AnswerNamed(r.str(u"answer"_s));
    ScriptedMessages messages({answer, Answer::Ok, answer, Answer::Ok});
    if (how.startsWith(u"close")) {
      d.form->close();
      if (how == u"close twice") d.form->close();
    } else if (how == u"Ctrl+S") {
      QTest::keyClick(d.form.get(), Qt::Key_S, Qt::ControlModifier);
    } else {
      d.form->command(how)->trigger();
    }
    QCOMPARE(messages.texts, r.list(u"boxes"_s));
    QCOMPARE(hostCalls, fail == u"host" ? 1 : 0);
    QCOMPARE(d.form->isVisible(), !closed);
    QCOMPARE(closedSpy.count(), closed ? 1 : 0);
    QCOMPARE(d.saved() != original, saved);
    QCOMPARE(d.doc().changed(), change && !saved);
    QCOMPARE(d.form->windowTitle().endsWith(u" *"_s), change && !saved);
  }

  // "Uložit předlohu jako..." writes the template as designed; afterwards the
  // template lives in the new file: the window is saved, Ctrl+S writes there and
  // the component's next run reads it.
  void saveAsMovesTheTemplate_data() { uitest::Table(kTable); }
  void saveAsMovesTheTemplate() {
    const uitest::Row r = uitest::FetchRow();
    const bool moved = r.flag(u"moved"_s);
    const QStringList boxes = r.list(u"boxes"_s);
    Designer d;
    if (r.flag(u"programDir"_s)) {
      d.sestava->ReportDirIgnore = true;
      d.sestava->setProgramDirectory(d.dir.path());
    }
    QVERIFY(QDir(d.dir.path()).mkpath(u"vlastni"_s));
    const QByteArray original = d.saved();
    const QString path = d.dir.filePath(r.str(u"target"_s));
    d.move();
    QString startedIn;
    d.answerDialogs<QFileDialog>([&](QFileDialog& files) {
      startedIn = files.selectedFiles().value(0);
      files.selectFile(path);
      return QDialog::Accepted;
    });
    ScriptedMessages messages;
    d.form->command(u"Uložit předlohu jako..."_s)->trigger();
    QCOMPARE(messages.texts, boxes);
    QCOMPARE(QFileInfo(startedIn).canonicalFilePath(), QFileInfo(d.file()).canonicalFilePath());
    QCOMPARE(d.saved(), original);  // the old file as it was
    QCOMPARE(QFileInfo::exists(path), boxes.isEmpty());
    if (boxes.isEmpty()) {
      QStringList lines;
      QVERIFY(ReadTemplateFile(path, &lines).ok);
      QCOMPARE(lines, FormatTemplate(d.sestava->definition()));
    }
    QCOMPARE(d.doc().changed(), !moved);
    QCOMPARE(d.form->windowTitle().endsWith(u" *"_s), !moved);
    const QString now = QFileInfo(d.sestava->GetTemplateFileName()).canonicalFilePath();
    QCOMPARE(now, QFileInfo(moved ? path : d.file()).canonicalFilePath());
    if (!moved) return;
    QVERIFY(d.form->windowTitle().contains(QFileInfo(path).fileName()));
    // Saving goes on in the new file, keeping its ".BAK" there.
    d.move();
    QTest::keyClick(d.form.get(), Qt::Key_S, Qt::ControlModifier);
    QVERIFY(messages.texts.isEmpty());
    QVERIFY(!d.doc().changed());
    QVERIFY(QFileInfo::exists(TemplateBackupPath(path)));
    QCOMPARE(d.saved(), original);
    d.form->close();  // the next run reads the new file
    QVERIFY(d.sestava->LoadTemplate(true));
    QCOMPARE(d.sestava->definition().sections[kSectionHeader].elements.at(1).left, 110);
  }

  void saveAsStartPath_data() { uitest::Table(kTable); }
  void saveAsStartPath() {
    const uitest::Row r = uitest::FetchRow();
    QCOMPARE(TFormSestE::SaveAsStartPath(r.str(u"file"_s), r.flag(u"writable"_s), r.str(u"userFolder"_s)),
             r.str(u"start"_s));
  }

  // Ctrl+S on a template whose folder the user cannot write (an installed copy's
  // data folder) writes the user's own copy instead, which the next run reads;
  // the shipped file stays as it was.
  void saveFromReadOnlyFolder_data() { uitest::Table(kTable); }
  void saveFromReadOnlyFolder() {
    const uitest::Row r = uitest::FetchRow();
    const bool writable = r.flag(u"writable"_s), hostSaves = r.flag(u"hostSaves"_s), userCopy = r.flag(u"userCopy"_s);
    Designer d;
    d.form->folderWritable = [&](const QString&) { return writable; };
    d.form->userFolder = d.dir.filePath(u"uzivatel"_s);
    int hostCalls = 0;
    if (hostSaves) d.sestava->OnUlozPredlohu = [&](TSestava&) { return ++hostCalls, true; };
    const QByteArray original = d.saved();
    const QString own = QDir(d.form->userFolder).filePath(QFileInfo(d.file()).fileName());
    d.move();
    ScriptedMessages messages;
    QTest::keyClick(d.form.get(), Qt::Key_S, Qt::ControlModifier);
    QVERIFY(messages.texts.isEmpty());
    QVERIFY(!d.doc().changed());
    QCOMPARE(hostCalls, hostSaves ? 1 : 0);
    QCOMPARE(QFileInfo::exists(own), userCopy);
    QCOMPARE(d.saved() == original, userCopy || hostSaves);
    if (!userCopy) return;
    QCOMPARE(QFileInfo(d.sestava->GetTemplateFileName()).canonicalFilePath(), QFileInfo(own).canonicalFilePath());
    QStringList lines;
    QVERIFY(ReadTemplateFile(own, &lines).ok);
    QCOMPARE(lines, FormatTemplate(d.sestava->definition()));
  }

  // Esc in the host's preview closes it even where it offers "Oprava předlohy...";
  // only the designer's own preview goes back to editing.
  void previewEscape_data() { uitest::Table(kTable); }
  void previewEscape() {
    const uitest::Row r = uitest::FetchRow();
    const bool fromDesigner = r.flag(u"fromDesigner"_s), allowEdit = r.flag(u"allowEdit"_s);
    Designer d;
    d.sestava->OnGetData = [](TSestavaD&) {};
    d.sestava->OnStepData = [](TSestavaD&, int) { return int(srBofEof); };
    d.sestava->AllowTemplateEdit = allowEdit;
    bool offered = false;
    QTimer::singleShot(0, [&] {
      auto* preview = qobject_cast<TFormSestP*>(QApplication::activeModalWidget());
      QVERIFY(preview);
      offered = preview->editAllowed();
      if (r.str(u"how"_s) == u"Esc") QTest::keyClick(preview, Qt::Key_Escape);
      else preview->close();
    });
    uitest::NeverHang();
    ScriptedMessages noBoxes;
    if (fromDesigner) {
      d.form->command(u"Ukázka před tiskem"_s)->trigger();
    } else {
      d.form->hide();
      (void)d.sestava->Preview();
    }
    QCOMPARE(d.sestava->lastPreviewResult(), r.num(u"result"_s));
    QCOMPARE(offered, allowEdit || fromDesigner);
    QVERIFY(!d.sestava->PreviewFromDesigner);  // as the host left it
    QVERIFY(noBoxes.texts.isEmpty());
  }

  void newTemplate_data() { uitest::Table(kTable); }
  void newTemplate() {
    const uitest::Row r = uitest::FetchRow();
    const int wizard = r.num(u"wizard"_s);
    const QStringList columns = r.list(u"columns"_s);
    Designer d;
    d.move();
    const TPredloha before = d.doc().lines();
    int shown = 0;
    bool allTicked = false;
    d.answerDialogs<TNewTemplateWizard>([&](TNewTemplateWizard& w) {
      ++shown;
      allTicked = w.chosenColumns() == designertest::FieldNames();
      for (int i = 0; i < w.columnList()->count(); ++i) {
        QListWidgetItem* item = w.columnList()->item(i);
        item->setCheckState(columns.contains(item->text()) ? Qt::Checked : Qt::Unchecked);
      }
      return wizard == 1 ? QDialog::Accepted : QDialog::Rejected;
    });
    ScriptedMessages messages({AnswerNamed(r.str(u"answer"_s))});
    d.form->command(u"Nová předloha"_s)->trigger();
    QCOMPARE(messages.texts, r.list(u"boxes"_s));
    QCOMPARE(shown, wizard < 0 ? 0 : 1);
    QCOMPARE(allTicked, wizard >= 0);  // every column ticked at first
    if (columns.isEmpty()) {
      // The old template and its history are as they were.
      QCOMPARE(d.doc().lines(), before);
      QCOMPARE(d.doc().history().count(), 2);
      QCOMPARE(d.undoHint(), u"Zrušit posun prvku"_s);
      return;
    }
    const TOddilSestavy& body = *d.doc().section(kSectionBody);
    QCOMPARE(body.elements.size(), 2);
    QCOMPARE(body.elements.at(0).name, u"Vel2"_s);
    QCOMPARE(body.elements.at(0).index, 1);
    QCOMPARE(body.elements.at(1).index, 4);
    QCOMPARE(d.doc().section(kSectionStart)->elements.size(), 15);  // the parameters head it
    QCOMPARE(d.doc().history().count(), 1);
    QCOMPARE(d.undoHint(), u"Zrušit změny"_s);
    QVERIFY(d.doc().changed());
    QCOMPARE(d.panel(kSectionBody)->elementWidgets().size(), 2);
  }

  void functionExpressionBuilder_data() {
    QTest::addColumn<bool>("edit");  // "Oprav" on the first function, else "Přidej"
    QTest::newRow("adding the first") << false;
    QTest::newRow("editing") << true;
  }
  // A sum of a column built the way a user does it: "Přidej" (or "Oprav") on the
  // palette's functions, the builder behind "Výraz:" offering this report's
  // columns, parameters and functions, a column put in by a double click; then
  // "Vynech" takes the function away.
  void functionExpressionBuilder() {
    QFETCH(bool, edit);
    Designer d(false, false);
    if (edit) {
      TRadekFunkce f;
      f.name = u"Suma"_s;
      f.expression = u"#Vel2"_s;
      QVERIFY(d.doc().addFunction(f));
      d.form->undo();  // the window shows the document anew, with the function
      d.form->redo();
    }
    uitest::ShowActive(d.form.get());
    QString offered;
    d.form->dialogRunner = [&](QDialog& dialog) {
      if (auto* b = qobject_cast<TExpressionDlg*>(&dialog)) {
        offered = designertest::Offered(b);
        auto* c = b->findChild<QListWidget*>(u"columns"_s);
        b->findChild<QLineEdit*>(u"expression"_s)->clear();
        b->show();
        const QPoint at = c->visualItemRect(c->item(0)).center();
        QTest::mouseClick(c->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(c->viewport(), Qt::LeftButton, {}, at);
        b->accept();
        return b->result();
      }
      auto* f = qobject_cast<TFunctionDlg*>(&dialog);
      if (!f) return int(QDialog::Rejected);
      f->findChild<QLineEdit*>(u"name"_s)->setText(u"Suma"_s);
      f->buildExpression();
      f->accept();
      return f->result();
    };
    d.form->palette()->setCurrentIndex(4);
    if (edit) QTest::mouseClick(d.form->palette()->entry(u"Suma"_s), Qt::LeftButton);
    uitest::Click(uitest::ButtonWithText(d.form->palette(), edit ? u"Oprav"_s : u"Přidej"_s));
    QCOMPARE(offered, designertest::Offering(edit ? QStringList{u"Suma"_s} : QStringList{}));
    QCOMPARE(d.doc().report().functions.count(), 1);
    QCOMPARE(d.doc().report().functions[0].expression, u"#Vel1"_s);
    QCOMPARE(d.undoHint(), edit ? u"Zrušit oprava funkce"_s : u"Zrušit přidání funkce"_s);
    QVERIFY(d.form->palette()->entry(u"Suma"_s));
    QTest::mouseClick(d.form->palette()->entry(u"Suma"_s), Qt::LeftButton);
    ScriptedMessages messages({Answer::Yes});
    uitest::Click(uitest::ButtonWithText(d.form->palette(), u"Vynech"_s));
    QCOMPARE(messages.texts, QStringList{u"Smazat vybranou funkci?"_s});
    QCOMPARE(d.doc().report().functions.count(), 0);
    QCOMPARE(d.undoHint(), u"Zrušit zrušení funkce"_s);
  }

  void zoom() {
    Designer d;
    d.form->setZoomPercent(200);
    QCOMPARE(d.widget(kCaption1)->geometry(),
             QRect(180 - kM, TOddil::kCaptionHeight - kM, 194 + 2 * kM + 1, 40 + 2 * kM + 1));
    d.move({20, 0});  // 20 pixels at 200 % are 10 hundredths
    QCOMPARE(d.rect(kCaption1).x(), 100);
    // Ctrl with the wheel goes one zoom step per notch.
    const QPointF at(50, 50);
    QWheelEvent wheel(at, d.paper()->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::ControlModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(d.paper(), &wheel);
    QCOMPARE(d.form->zoomPercent(), 150);
    QCOMPARE(DesignerSettings::Current().zoomPercent, 150);
  }

  void previewRunsDesignedTemplate() {
    Designer d;
    d.move();
    ScriptedMessages noBoxes;
    d.sestava->OnGetData = [](TSestavaD&) {};
    d.sestava->OnStepData = [](TSestavaD&, int) { return int(srBofEof); };
    int previews = 0, movedTo = -1;
    d.sestava->previewer = [&](TSestavaTyp& report, QRect, QPoint, int, int) {
      ++previews;
      movedTo = report.definition().sections[kSectionHeader].elements.at(1).left;
      return 1;
    };
    d.form->command(u"Ukázka před tiskem"_s)->trigger();
    QCOMPARE(previews, 1);
    QCOMPARE(movedTo, 100);  // the template as designed, not yet saved
    QVERIFY(!d.sestava->IsStored);
    QVERIFY(d.sestava->Predloha.isEmpty());
    int hooked = 0;
    d.form->previewHook = [&] { ++hooked; };
    d.form->preview();
    QCOMPARE(hooked, 1);
    QCOMPARE(previews, 1);
    QVERIFY(noBoxes.texts.isEmpty());
  }

  void alignAndDrawingOrder() {
    Designer d;
    d.doc().setRects({kCaption1}, {QRect(93, 3, 97, 21)});
    d.form->setSelection({kCaption1});
    d.form->command(u"Vyrovnat vybrané"_s)->trigger();
    QCOMPARE(d.rect(kCaption1), QRect(96, 0, 96, 24));
    QCOMPARE(d.undoHint(), u"Zrušit posun prvku"_s);
    d.form->command(u"Přenést dopředu"_s)->trigger();
    const ElementRef last{kSectionHeader, 13};
    QCOMPARE(d.form->selection(), QList<ElementRef>{last});
    QCOMPARE(d.rect(last), QRect(96, 0, 96, 24));
    QCOMPARE(d.undoHint(), u"Zrušit nastavení prvku"_s);
    d.form->command(u"Přesunout dozadu"_s)->trigger();
    QCOMPARE(d.form->selection(), (QList<ElementRef>{ElementRef{kSectionHeader, 0}}));
    // Everything to the raster: the title's 706 wide becomes 704.
    d.form->command(u"Vyrovnat vše do rastru"_s)->trigger();
    QCOMPARE(d.rect(ElementRef{kSectionStart, 0}), QRect(0, 0, 704, 24));
  }

  void environmentSettings() {
    Designer d;
    d.form->dialogRunner = [](QDialog& dialog) {
      dialog.findChild<QSpinBox*>(u"undoCapacity"_s)->setValue(2);
      dialog.findChild<QComboBox*>(u"zoom"_s)->setCurrentIndex(5);  // 200 %
      uitest::Click(uitest::ButtonWithText(&dialog, u"Zobrazovat rastr"_s));
      return int(QDialog::Accepted);
    };
    d.form->command(u"Nastavit prostředí"_s)->trigger();
    QCOMPARE(d.doc().history().capacity(), 2);
    QCOMPARE(d.form->zoomPercent(), 200);
    QVERIFY(d.paper()->showsRaster());
    QCOMPARE(d.undoHint(), u"Zrušit nastavení oddílů a skupin"_s);
    for (int k = 1; k <= 4; ++k) d.doc().setSectionHeight(kSectionBody, 20 + k);
    QCOMPARE(d.doc().history().count(), 3);
    Designer later(false, false);  // a designer opened later starts with these settings
    QCOMPARE(later.doc().history().capacity(), 2);
    QCOMPARE(later.form->zoomPercent(), 200);
  }

  void openDesignerIsModal() {
    QTemporaryDir dir;
    auto s = designertest::MakeSestava(dir.path());
    bool maximised = false, modal = false;
    QTimer::singleShot(0, [&] {
      for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* form = qobject_cast<TFormSestE*>(w); form && form->isVisible()) {
          maximised = form->isMaximized();
          modal = form->isModal();
          form->close();
        }
    });
    QCOMPARE(OpenDesigner(*s, QRect(), QPoint(), 2), 0);
    QVERIFY(maximised);
    QVERIFY(modal);
  }
};

QTEST_MAIN(DesignerWindowTest)
#include "formseste_test.moc"
