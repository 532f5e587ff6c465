// The designer window over the program's own template (zostava.pts), driven
// through its widgets: the paper's sections and elements, selecting with clicks
// and a rubber band, dragging to move and resize with and without the raster, a
// section's lower edge, the arrow keys, Delete, Ctrl+Z and Ctrl+Y, placing from
// the palette, the property area, the element dialog, the settings dialog, the
// clipboard between two designers, saving with its ".BAK", closing with and
// without saving (and a save that fails), the new-template wizard, functions,
// the zoom and the preview. Screenshots of the window and the palette's tabs.
#include <QtTest>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QToolButton>
#include <QWheelEvent>

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

namespace {

constexpr int kM = TSesPrvek::kMargin;
const ElementRef kCaption1{kSectionHeader, 1};  // "H,4,0,90,0,97,20": a parameter at 90, 0
const ElementRef kUnit1{kSectionHeader, 2};     // "H,4,6,90,20,97,18"
const ElementRef kCaption2{kSectionHeader, 3};  // "H,4,1,192,0,97,20"

void ShowActive(QWidget* w) {
  w->show();
  w->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(w));
}

// A designer over a fresh copy of the template in its own directory.
struct Designer {
  QTemporaryDir dir;
  std::unique_ptr<TSestava> sestava;
  std::unique_ptr<TFormSestE> form;

  explicit Designer(bool snap = false) {
    sestava = designertest::MakeSestava(dir.path());
    sestava->definition().raster.designerFlag2 = snap ? 1 : 0;
    form = std::make_unique<TFormSestE>(*sestava);
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
  QString file() { return dir.filePath(u"zostava.pts"_s); }
};

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
QPoint InSection(int x, int y) { return QPoint(x, TOddil::kCaptionHeight + y); }

}  // namespace

class DesignerWindowTest : public QObject {
  Q_OBJECT
 private slots:
  void init();
  void cleanup();
  void opensTemplate();
  void screenshots();
  void selecting();
  void rubberBand();
  void dragMoves_data();
  void dragMoves();
  void dragMovesSelectionTogether();
  void handleResizes_data();
  void handleResizes();
  void sectionEdgeDrag_data();
  void sectionEdgeDrag();
  void arrowKeys();
  void deleteAsks_data();
  void deleteAsks();
  void undoRedoKeys();
  void placesFromPalette_data();
  void placesFromPalette();
  void placesInsideTheBand_data();
  void placesInsideTheBand();
  void propertyArea();
  void propertyAreaNotCut_data();
  void propertyAreaNotCut();
  void elementDialogKeepsLineBreaks();
  void templateSettingsStep();
  void clipboardBetweenDesigners();
  void saveKeepsBackupAndReloads();
  void savedLineBreaksRoundTrip();
  void closing_data();
  void closing();
  void failedSaveShowsOneBox_data();
  void failedSaveShowsOneBox();
  void saveAsMovesTheTemplate_data();
  void saveAsMovesTheTemplate();
  void saveAsStartPath_data();
  void saveAsStartPath();
  void saveFromReadOnlyFolder_data();
  void saveFromReadOnlyFolder();
  void previewEscape_data();
  void previewEscape();
  void newTemplate_data();
  void newTemplate();
  void functions();
  void functionExpressionBuilder_data();
  void functionExpressionBuilder();
  void zoom();
  void previewRunsDesignedTemplate();
  void alignAndDrawingOrder();
  void environmentSettings();
  void openDesignerIsModal();
};

void DesignerWindowTest::init() {
  DesignerSettings::Current() = DesignerSettings{};
  QApplication::clipboard()->clear();
  // No box may wait for a hand: tests that expect boxes script them.
  ReportMessages::SetSink([](MessageKind kind, const QString& text) {
    qWarning("unexpected message box: %s", qPrintable(text));
    return kind == MessageKind::Question ? Answer::Cancel : Answer::Ok;
  });
}

void DesignerWindowTest::cleanup() { ReportMessages::SetSink({}); }

void DesignerWindowTest::opensTemplate() {
  Designer d;
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
  QCOMPARE(d.form->command(u"Zpět"_s)->toolTip(), u"Znovu změny"_s);
  // The paper is a print column wide at 100 %: a hundredth of an inch a pixel.
  QCOMPARE(d.panel(kSectionBody)->width(), 826 - 60 - 60);
  QCOMPARE(d.widget(kCaption1)->geometry(), QRect(90 - kM, TOddil::kCaptionHeight - kM, 97 + 2 * kM + 1, 20 + 2 * kM + 1));
  // Every toolbar command with its hint.
  for (const QString& hint : {u"Nová předloha"_s, u"Uložit předlohu"_s, u"Vymazat prvek"_s, u"Ukázka před tiskem"_s,
                              u"Tisknout sestavu"_s, u"Vystřihnout"_s, u"Kopírovat"_s, u"Vložit"_s, u"Nastavit prvek"_s,
                              u"Nastavit předlohu"_s, u"Nastavit prostředí"_s, u"Ukončit opravu předlohy"_s,
                              u"Přesunout dozadu"_s, u"Přenést dopředu"_s, u"Uložit předlohu jako..."_s,
                              u"Vyrovnat vše do rastru"_s, u"Vyrovnat vybrané"_s})
    QVERIFY2(d.form->command(hint), qPrintable(hint));
}

void DesignerWindowTest::screenshots() {
  Designer d;
  d.doc().report().raster.designerFlag1 = 1;  // the raster shown
  d.form->setZoomPercent(125);
  d.form->resize(1100, 800);
  ShowActive(d.form.get());
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

void DesignerWindowTest::selecting() {
  Designer d;
  ShowActive(d.form.get());
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

void DesignerWindowTest::rubberBand() {
  Designer d;
  ShowActive(d.form.get());
  // Across the captions of the first two value columns, but not their units.
  Drag(d.panel(kSectionHeader), InSection(88, 2), QPoint(120, 10));
  QCOMPARE(d.form->selection(), (QList<ElementRef>{kCaption1, kCaption2}));
  // With Shift the band adds.
  Drag(d.panel(kSectionHeader), InSection(100, 30), QPoint(5, 5), Qt::ShiftModifier);
  QCOMPARE(d.form->selection(), (QList<ElementRef>{kCaption1, kCaption2, kUnit1}));
}

void DesignerWindowTest::dragMoves_data() {
  QTest::addColumn<bool>("snap");
  QTest::addColumn<QPoint>("delta");
  QTest::addColumn<QRect>("result");
  QTest::newRow("free") << false << QPoint(13, 7) << QRect(103, 7, 97, 20);
  QTest::newRow("to the raster") << true << QPoint(13, 7) << QRect(104, 8, 97, 20);
  QTest::newRow("raster, back to the left") << true << QPoint(-29, 2) << QRect(64, 0, 97, 20);
  QTest::newRow("not left of the section") << false << QPoint(-200, -50) << QRect(0, 0, 97, 20);
}

void DesignerWindowTest::dragMoves() {
  QFETCH(bool, snap);
  QFETCH(QPoint, delta);
  QFETCH(QRect, result);
  Designer d(snap);
  ShowActive(d.form.get());
  Drag(d.widget(kCaption1), InElement(30, 10), delta);
  QCOMPARE(d.rect(kCaption1), result);
  QCOMPARE(d.widget(kCaption1)->shownRect(), result);
  QCOMPARE(d.undoHint(), u"Zrušit posun prvku"_s);
  QVERIFY(d.doc().changed());
}

void DesignerWindowTest::dragMovesSelectionTogether() {
  Designer d(true);
  ShowActive(d.form.get());
  Click(d.widget(kCaption1), InElement(5, 5));
  Click(d.widget(kUnit1), InElement(5, 5), Qt::ControlModifier);
  Drag(d.widget(kCaption1), InElement(30, 10), QPoint(10, 0));
  // 90 + 10 lands on 104: both move by 14.
  QCOMPARE(d.rect(kCaption1), QRect(104, 0, 97, 20));
  QCOMPARE(d.rect(kUnit1), QRect(104, 20, 97, 18));
  QCOMPARE(d.doc().history().count(), 2);  // one step for both
  // A plain press without moving changes nothing.
  Drag(d.widget(kCaption1), InElement(30, 10), QPoint(0, 0));
  QCOMPARE(d.doc().history().count(), 2);
}

void DesignerWindowTest::handleResizes_data() {
  QTest::addColumn<bool>("snap");
  QTest::addColumn<QPoint>("handle");  // in the element, pixels from its corner
  QTest::addColumn<QPoint>("delta");
  QTest::addColumn<QRect>("result");
  QTest::newRow("right, free") << false << QPoint(97, 10) << QPoint(20, 0) << QRect(90, 0, 117, 20);
  QTest::newRow("right, raster") << true << QPoint(97, 10) << QPoint(20, 0) << QRect(90, 0, 118, 20);
  QTest::newRow("bottom right, free") << false << QPoint(97, 20) << QPoint(-7, 5) << QRect(90, 0, 90, 25);
  QTest::newRow("left, raster") << true << QPoint(0, 10) << QPoint(-5, 0) << QRect(88, 0, 99, 20);
  QTest::newRow("bottom, raster") << true << QPoint(48, 20) << QPoint(0, 9) << QRect(90, 0, 97, 32);
}

void DesignerWindowTest::handleResizes() {
  QFETCH(bool, snap);
  QFETCH(QPoint, handle);
  QFETCH(QPoint, delta);
  QFETCH(QRect, result);
  Designer d(snap);
  ShowActive(d.form.get());
  Click(d.widget(kCaption1), InElement(30, 10));
  Drag(d.widget(kCaption1), InElement(handle.x(), handle.y()), delta);
  QCOMPARE(d.rect(kCaption1), result);
  QCOMPARE(d.undoHint(), u"Zrušit posun prvku"_s);
}

void DesignerWindowTest::sectionEdgeDrag_data() {
  QTest::addColumn<bool>("snap");
  QTest::addColumn<int>("dy");
  QTest::addColumn<int>("height");
  QTest::newRow("free") << false << 30 << 50;
  QTest::newRow("raster") << true << 30 << 48;
  QTest::newRow("not below 0") << false << -60 << 0;
}

void DesignerWindowTest::sectionEdgeDrag() {
  QFETCH(bool, snap);
  QFETCH(int, dy);
  QFETCH(int, height);
  Designer d(snap);
  ShowActive(d.form.get());
  TOddil* body = d.panel(kSectionBody);
  const int footerTop = d.panel(kSectionFooter)->y();
  QVERIFY(body->onEdge(InSection(300, 21)));
  Drag(body, InSection(300, 21), QPoint(0, dy));
  QCOMPARE(d.doc().section(kSectionBody)->height, height);
  QCOMPARE(d.undoHint(), u"Zrušit změna výšky oddílu"_s);
  // The sections below follow.
  QCOMPARE(d.panel(kSectionFooter)->y(), footerTop + height - 20);
  d.form->undo();
  QCOMPARE(d.doc().section(kSectionBody)->height, 20);
}

void DesignerWindowTest::arrowKeys() {
  Designer d;
  d.doc().report().raster.gridY = 5;
  ShowActive(d.form.get());
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

void DesignerWindowTest::deleteAsks_data() {
  QTest::addColumn<bool>("two");
  QTest::addColumn<int>("answer");
  QTest::addColumn<QString>("question");
  QTest::addColumn<int>("left");  // elements left in the header
  QTest::newRow("one, yes") << false << int(Answer::Yes) << u"Smazat vybraný prvek?"_s << 13;
  QTest::newRow("one, no") << false << int(Answer::No) << u"Smazat vybraný prvek?"_s << 14;
  QTest::newRow("two, yes") << true << int(Answer::Yes) << u"Smazat všechny vybrané prvky?"_s << 12;
  QTest::newRow("two, no") << true << int(Answer::No) << u"Smazat všechny vybrané prvky?"_s << 14;
}

void DesignerWindowTest::deleteAsks() {
  QFETCH(bool, two);
  QFETCH(int, answer);
  QFETCH(QString, question);
  QFETCH(int, left);
  Designer d;
  ShowActive(d.form.get());
  Click(d.widget(kCaption1), InElement(5, 5));
  if (two) Click(d.widget(kCaption2), InElement(5, 5), Qt::ShiftModifier);
  ScriptedMessages boxes({static_cast<Answer>(answer)});
  QTest::keyClick(d.form.get(), Qt::Key_Delete);
  QCOMPARE(boxes.texts, QStringList{question});
  QCOMPARE(d.doc().section(kSectionHeader)->elements.size(), left);
  if (left < 14) QCOMPARE(d.undoHint(), u"Zrušit zrušení prvku"_s);
  else QCOMPARE(d.doc().history().count(), 1);
}

void DesignerWindowTest::undoRedoKeys() {
  Designer d;
  ShowActive(d.form.get());
  Drag(d.widget(kCaption1), InElement(30, 10), QPoint(10, 0));
  QCOMPARE(d.rect(kCaption1).x(), 100);
  QTest::keyClick(d.form.get(), Qt::Key_Z, Qt::ControlModifier);
  QCOMPARE(d.rect(kCaption1).x(), 90);
  QCOMPARE(d.undoHint(), u"Zrušit změny"_s);
  QCOMPARE(d.form->command(u"Zpět"_s)->toolTip(), u"Znovu posun prvku"_s);
  QVERIFY(d.doc().changed());  // undone, but not as saved
  QTest::keyClick(d.form.get(), Qt::Key_Y, Qt::ControlModifier);
  QCOMPARE(d.rect(kCaption1).x(), 100);
  QCOMPARE(d.widget(kCaption1)->shownRect().x(), 100);
  QCOMPARE(d.form->command(u"Zpět"_s)->toolTip(), u"Znovu změny"_s);
}

void DesignerWindowTest::placesFromPalette_data() {
  QTest::addColumn<QString>("entry");
  QTest::addColumn<int>("kind");
  QTest::addColumn<int>("index");
  QTest::addColumn<QPoint>("at");  // where the element lands, with the raster
  QTest::newRow("line") << u"Úsečky"_s << int(kElementLine) << 0 << QPoint(32, 8);
  // 50 high in the 30 of the footer: at the band's top.
  QTest::newRow("ellipse") << u"Elipsa"_s << int(kElementEllipse) << int(kElementEllipse) << QPoint(32, 0);
  QTest::newRow("page count") << u"Celkový počet stran"_s << int(kElementVariable) << 4 << QPoint(32, 8);
  QTest::newRow("column") << u"Vel3"_s << int(kElementColumn) << 2 << QPoint(32, 8);
}

// Shows the palette tab of the entry and clicks the entry; null when there is none.
QToolButton* ChoosePaletteEntry(Designer& d, const QString& entry) {
  QToolButton* button = d.form->palette()->entry(entry);
  if (!button) return nullptr;
  for (int t = 0; t < d.form->palette()->count(); ++t)
    if (d.form->palette()->widget(t)->isAncestorOf(button)) d.form->palette()->setCurrentIndex(t);
  QTest::mouseClick(button, Qt::LeftButton);
  return button;
}

void DesignerWindowTest::placesFromPalette() {
  QFETCH(QString, entry);
  QFETCH(int, kind);
  QFETCH(int, index);
  QFETCH(QPoint, at);
  Designer d(true);
  ShowActive(d.form.get());
  QToolButton* button = ChoosePaletteEntry(d, entry);
  QVERIFY(button);
  QVERIFY(button->isChecked());
  QVERIFY(d.paper()->placing());
  Click(d.panel(kSectionFooter), InSection(35, 5));
  const ElementRef added{kSectionFooter, 4};
  QVERIFY(d.doc().element(added));
  QCOMPARE(d.element(added).kind, kind);
  QCOMPARE(d.element(added).index, index);
  QCOMPARE(QPoint(d.element(added).left, d.element(added).top), at);
  QCOMPARE(d.form->selection(), QList<ElementRef>{added});
  QCOMPARE(d.undoHint(), u"Zrušit vložení prvku"_s);
  QVERIFY(!button->isChecked());
  QVERIFY(!d.paper()->placing());
}

void DesignerWindowTest::placesInsideTheBand_data() {
  QTest::addColumn<bool>("snap");
  QTest::addColumn<QString>("entry");  // "Vel3": 97 x 20, "Obrázek": 150 x 50
  QTest::addColumn<QPoint>("click");   // in the page footer: 706 wide, 30 high
  QTest::addColumn<QPoint>("at");
  QTest::newRow("room enough") << false << u"Vel3"_s << QPoint(40, 6) << QPoint(40, 6);
  QTest::newRow("near the lower edge") << false << u"Vel3"_s << QPoint(40, 22) << QPoint(40, 10);
  QTest::newRow("near the lower edge, raster") << true << u"Vel3"_s << QPoint(40, 22) << QPoint(40, 8);
  QTest::newRow("near the right edge") << false << u"Vel3"_s << QPoint(680, 5) << QPoint(609, 5);
  QTest::newRow("near the right edge, raster") << true << u"Vel3"_s << QPoint(680, 5) << QPoint(608, 8);
  QTest::newRow("taller than the band") << false << u"Obrázek"_s << QPoint(40, 20) << QPoint(40, 0);
}

// A new element clicked in near a band's edge lies inside the band.
void DesignerWindowTest::placesInsideTheBand() {
  QFETCH(bool, snap);
  QFETCH(QString, entry);
  QFETCH(QPoint, click);
  QFETCH(QPoint, at);
  Designer d(snap);
  ShowActive(d.form.get());
  QVERIFY(ChoosePaletteEntry(d, entry));
  Click(d.panel(kSectionFooter), InSection(click.x(), click.y()));
  const ElementRef added{kSectionFooter, 4};
  QVERIFY(d.doc().element(added));
  QCOMPARE(QPoint(d.element(added).left, d.element(added).top), at);
}

void DesignerWindowTest::propertyArea() {
  Designer d;
  ShowActive(d.form.get());
  Click(d.widget(kCaption1), InElement(5, 5));
  Click(d.widget(kCaption2), InElement(5, 5), Qt::ShiftModifier);
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
  d.form->dialogRunner = [](QDialog& dialog) {
    auto* fonts = qobject_cast<QFontDialog*>(&dialog);
    if (!fonts) return int(QDialog::Rejected);
    QFont f(u"Liberation Serif"_s, 14);
    f.setItalic(true);
    fonts->setCurrentFont(f);
    fonts->accept();
    return fonts->result();
  };
  d.form->chooseFont();
  QCOMPARE(d.element(kCaption1).font.size, 14);
  QCOMPARE(d.element(kCaption2).font.style, int(kFontItalic));
  QCOMPARE(d.undoHint(), u"Zrušit změna písma"_s);
  // Text typed in the area, with a line break, is taken when the area loses the focus.
  auto* text = d.form->properties()->findChild<QPlainTextEdit*>(u"text"_s);
  text->setFocus();
  text->setPlainText(u"%s\nřádek"_s);
  d.paper()->setFocus();
  QCOMPARE(d.element(kCaption1).text, u"%s\nřádek"_s);
  QCOMPARE(d.undoHint(), u"Zrušit změna textu"_s);
}

void DesignerWindowTest::propertyAreaNotCut_data() {
  QTest::addColumn<int>("kind");
  QTest::addColumn<int>("fontSize");  // of the application; 0: as it is
  QTest::newRow("parameter of the template") << 0 << 0;  // the heading "Teplota =" as it is
  QTest::newRow("text") << int(kElementText) << 0;
  QTest::newRow("column") << int(kElementColumn) << 0;
  QTest::newRow("function") << int(kElementFunction) << 0;
  QTest::newRow("line") << int(kElementLine) << 0;
  QTest::newRow("rectangle") << int(kElementRectangle) << 0;
  QTest::newRow("picture") << int(kElementPicture) << 0;
  QTest::newRow("barcode") << int(kElementBarcode) << 0;
  QTest::newRow("drawing area") << int(kElementPaintBox) << 0;
  // A larger desktop font widens the settings; the window makes room for them.
  QTest::newRow("parameter, large font") << 0 << 13;
  QTest::newRow("text, large font") << int(kElementText) << 13;
  QTest::newRow("line, large font") << int(kElementLine) << 13;
}

// The settings of the selected element fit the property area at the window's
// own size, and the paper at 100 % fits beside it: nothing is cut at the right
// edge behind a horizontal scroll bar.
void DesignerWindowTest::propertyAreaNotCut() {
  QFETCH(int, kind);
  QFETCH(int, fontSize);
  const QFont font = QApplication::font();
  const auto restore = qScopeGuard([&font] { QApplication::setFont(font); });
  if (fontSize > 0) {
    QFont large = font;
    large.setPointSize(fontSize);
    QApplication::setFont(large);
  }
  Designer d;
  ShowActive(d.form.get());
  ElementRef ref = kCaption1;
  if (kind != 0) {
    TReportElement e;
    e.kind = kind;
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

void DesignerWindowTest::elementDialogKeepsLineBreaks() {
  Designer d;
  ShowActive(d.form.get());
  const ElementRef title{kSectionStart, 0};
  d.form->dialogRunner = [](QDialog& dialog) {
    auto* e = qobject_cast<TElementDlg*>(&dialog);
    if (!e) return int(QDialog::Rejected);
    e->findChild<QPlainTextEdit*>(u"text"_s)->setPlainText(u"první \"řádek\"\ndruhý"_s);
    e->findChild<QSpinBox*>(u"height"_s)->setValue(40);
    return int(QDialog::Accepted);
  };
  QTest::mouseDClick(d.widget(title), Qt::LeftButton, {}, InElement(20, 10));
  QTest::mouseRelease(d.widget(title), Qt::LeftButton, {}, InElement(20, 10));
  QCOMPARE(d.element(title).text, u"první \"řádek\"\ndruhý"_s);
  QCOMPARE(d.element(title).height, 40);
  QCOMPARE(d.undoHint(), u"Zrušit nastavení prvku"_s);
  d.form->undo();
  QCOMPARE(d.element(title).text, QString());
  d.form->redo();
  QCOMPARE(d.element(title).text, u"první \"řádek\"\ndruhý"_s);
}

void DesignerWindowTest::templateSettingsStep() {
  Designer d;
  ShowActive(d.form.get());
  d.form->dialogRunner = [](QDialog& dialog) {
    auto* s = qobject_cast<TSestDlg*>(&dialog);
    if (!s) return int(QDialog::Rejected);
    s->findChild<QSpinBox*>(u"marginLeft"_s)->setValue(100);
    s->findChild<QSpinBox*>(u"height2"_s)->setValue(40);
    uitest::Click(uitest::ButtonWithText(s, u"Ins"_s));  // a group
    s->accept();
    return s->result();
  };
  d.form->command(u"Nastavit předlohu"_s)->trigger();
  QCOMPARE(d.doc().report().paper.marginLeft, 100);
  QCOMPARE(d.doc().section(kSectionBody)->height, 40);
  QCOMPARE(d.undoHint(), u"Zrušit nastavení oddílů a skupin"_s);
  // The paper is a print column wide.
  QCOMPARE(d.panel(kSectionBody)->width(), 826 - 100 - 60);
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

void DesignerWindowTest::clipboardBetweenDesigners() {
  Designer a, b;
  ShowActive(a.form.get());
  Click(a.widget(kCaption1), InElement(5, 5));
  auto* text = a.form->properties()->findChild<QPlainTextEdit*>(u"text"_s);
  text->setPlainText(u"\"Tlak\",\nMPa"_s);
  a.form->properties()->commitText();
  const TReportElement copied = a.element(kCaption1);
  QCOMPARE(copied.text, u"\"Tlak\",\nMPa"_s);
  QTest::keyClick(a.form.get(), Qt::Key_C, Qt::ControlModifier);
  QVERIFY(TemplateDocument::IsElementText(QApplication::clipboard()->text()));

  ShowActive(b.form.get());
  QVERIFY(b.form->command(u"Vložit"_s)->isEnabled());
  Click(b.panel(kSectionBody), InSection(600, 10));  // the body is where it goes
  QTest::keyClick(b.form.get(), Qt::Key_V, Qt::ControlModifier);
  const ElementRef pasted{kSectionBody, 7};
  QVERIFY(b.doc().element(pasted));
  QCOMPARE(b.element(pasted), copied);
  QCOMPARE(b.form->selection(), QList<ElementRef>{pasted});
  QCOMPARE(b.undoHint(), u"Zrušit vložení z úschovy"_s);

  // Cut takes it away in the first window, as its own step.
  ShowActive(a.form.get());
  QTest::keyClick(a.form.get(), Qt::Key_X, Qt::ControlModifier);
  QCOMPARE(a.doc().section(kSectionHeader)->elements.size(), 13);
  QCOMPARE(a.undoHint(), u"Zrušit vystřižení do úschovy"_s);
}

void DesignerWindowTest::saveKeepsBackupAndReloads() {
  Designer d;
  ShowActive(d.form.get());
  const QByteArray original = designertest::ReadAll(d.file());
  Drag(d.widget(kCaption1), InElement(30, 10), QPoint(10, 5));
  d.form->properties()->findChild<QPlainTextEdit*>(u"text"_s)->setPlainText(u"\"uvozovky\", čárka"_s);
  d.form->properties()->commitText();
  QTest::keyClick(d.form.get(), Qt::Key_S, Qt::ControlModifier);
  QVERIFY(!d.doc().changed());
  QCOMPARE(designertest::ReadAll(TemplateBackupPath(d.file())), original);
  QVERIFY(designertest::ReadAll(d.file()) != original);
  // A component that reads the file again has the model the designer shows.
  TSestava again;
  again.FieldNames = designertest::FieldNames();
  again.ReportDirIgnore = false;
  again.setReportDir(d.dir.path());
  again.setReportName(u"zostava.pts"_s);
  QVERIFY(again.LoadTemplate(true));
  QCOMPARE(FormatTemplate(again.definition()), TemplateLines::Format(d.doc().report()));
  QCOMPARE(again.definition().sections[kSectionHeader].elements.at(1).text, u"\"uvozovky\", čárka"_s);
}

void DesignerWindowTest::savedLineBreaksRoundTrip() {
  Designer d;
  const ElementRef title{kSectionStart, 0};
  d.doc().modifyElements({title}, kUndoText, [](TReportElement& e) { e.text = u"a\nb"_s; });
  QVERIFY(d.form->saveTemplate());
  QStringList lines;
  QVERIFY(ReadTemplateFile(d.file(), &lines).ok);
  QCOMPARE(lines.size(), FormatTemplate(d.sestava->definition()).size());  // one record per line
  ReportDefinition read;
  (void)ParseTemplate(read, lines, designertest::FieldNames());
  QCOMPARE(read.sections[kSectionStart].elements.at(0).text, u"a\nb"_s);
}

void DesignerWindowTest::closing_data() {
  QTest::addColumn<bool>("change");
  QTest::addColumn<int>("answer");
  QTest::addColumn<bool>("saveFails");
  QTest::addColumn<bool>("closed");
  QTest::addColumn<bool>("saved");
  QTest::addColumn<QStringList>("boxes");
  const QString ask = u"V předloze sestavy byly provedeny změny. Uložit?"_s;
  QTest::newRow("unchanged") << false << int(Answer::Yes) << false << true << false << QStringList{};
  QTest::newRow("cancel") << true << int(Answer::Cancel) << false << false << false << QStringList{ask};
  QTest::newRow("no") << true << int(Answer::No) << false << true << false << QStringList{ask};
  QTest::newRow("yes") << true << int(Answer::Yes) << false << true << true << QStringList{ask};
  // One box tells that the save failed; the window stays open, unsaved.
  QTest::newRow("yes, the save fails")
      << true << int(Answer::Yes) << true << false << false
      << QStringList{ask, u"Soubor s předlohou se nepodařilo uložit."_s};
}

void DesignerWindowTest::closing() {
  QFETCH(bool, change);
  QFETCH(int, answer);
  QFETCH(bool, saveFails);
  QFETCH(bool, closed);
  QFETCH(bool, saved);
  QFETCH(QStringList, boxes);
  Designer d;
  ShowActive(d.form.get());
  const QByteArray original = designertest::ReadAll(d.file());
  if (change) Drag(d.widget(kCaption1), InElement(30, 10), QPoint(10, 0));
  if (saveFails) d.sestava->setReportDir(d.dir.filePath(u"chybi"_s));
  QSignalSpy closedSpy(d.form.get(), &TFormSestE::closed);
  ScriptedMessages messages({static_cast<Answer>(answer)});
  d.form->command(u"Ukončit opravu předlohy"_s)->trigger();
  QCOMPARE(messages.texts, boxes);
  QCOMPARE(d.form->isVisible(), !closed);
  QCOMPARE(closedSpy.count(), closed ? 1 : 0);
  QCOMPARE(designertest::ReadAll(d.file()) != original, saved);
  QCOMPARE(d.doc().changed(), change && !saved);
}

void DesignerWindowTest::failedSaveShowsOneBox_data() {
  QTest::addColumn<QString>("how");      // "Ctrl+S", a command, or "close" (answered Yes)
  QTest::addColumn<bool>("hostSaves");   // OnUlozPredlohu assigned (and failing)
  QTest::addColumn<QStringList>("boxes");
  const QString ask = u"V předloze sestavy byly provedeny změny. Uložit?"_s;
  const QString file = u"Soubor s předlohou se nepodařilo uložit."_s;  // the component's own
  const QString designer = u"Předlohou se nepodařilo uložit."_s;
  QTest::newRow("Ctrl+S, file") << u"Ctrl+S"_s << false << QStringList{file};
  QTest::newRow("Ctrl+S, host") << u"Ctrl+S"_s << true << QStringList{designer};
  QTest::newRow("toolbar, file") << u"Uložit předlohu"_s << false << QStringList{file};
  QTest::newRow("closing, file") << u"close"_s << false << QStringList{ask, file};
  QTest::newRow("closing, host") << u"close"_s << true << QStringList{ask, designer};
  QTest::newRow("closing twice, file") << u"close twice"_s << false << QStringList{ask, file, ask, file};
}

// A save that fails is told once, whoever failed; the template stays unsaved
// and the window open.
void DesignerWindowTest::failedSaveShowsOneBox() {
  QFETCH(QString, how);
  QFETCH(bool, hostSaves);
  QFETCH(QStringList, boxes);
  Designer d;
  ShowActive(d.form.get());
  const QByteArray original = designertest::ReadAll(d.file());
  Drag(d.widget(kCaption1), InElement(30, 10), QPoint(10, 0));
  int hostCalls = 0;
  if (hostSaves) d.sestava->OnUlozPredlohu = [&](TSestava&) { return ++hostCalls, false; };
  else d.sestava->setReportDir(d.dir.filePath(u"chybi"_s));  // a folder that is not there
  QSignalSpy closedSpy(d.form.get(), &TFormSestE::closed);
  ScriptedMessages messages({Answer::Yes, Answer::Ok, Answer::Yes, Answer::Ok});
  if (how == u"Ctrl+S") {
    QTest::keyClick(d.form.get(), Qt::Key_S, Qt::ControlModifier);
  } else if (how.startsWith(u"close")) {
    d.form->close();
    if (how == u"close twice") d.form->close();
  } else {
    d.form->command(how)->trigger();
  }
  QCOMPARE(messages.texts, boxes);
  QCOMPARE(hostCalls, hostSaves ? 1 : 0);
  QVERIFY(d.form->isVisible());
  QCOMPARE(closedSpy.count(), 0);
  QVERIFY(d.doc().changed());
  QVERIFY(d.form->windowTitle().endsWith(u" *"_s));
  QCOMPARE(designertest::ReadAll(d.file()), original);
}

void DesignerWindowTest::saveAsMovesTheTemplate_data() {
  QTest::addColumn<QString>("target");   // relative to the test's folder
  QTest::addColumn<bool>("programDir");  // the template is found through the program's folder
  QTest::addColumn<bool>("moved");       // the component and the next save use the new file
  QTest::addColumn<QStringList>("boxes");
  QTest::newRow("another folder") << u"vlastni/zostava.pts"_s << false << true << QStringList{};
  QTest::newRow("another folder, program's folder") << u"vlastni/zostava.pts"_s << true << true << QStringList{};
  QTest::newRow("same folder, new name") << u"jina.pts"_s << false << true << QStringList{};
  QTest::newRow("same folder, program's folder") << u"jina.pts"_s << true << true << QStringList{};
  QTest::newRow("not a template's name") << u"vlastni/kopie.txt"_s << false << false << QStringList{};
  QTest::newRow("folder missing") << u"chybi/zostava.pts"_s << false << false
                                  << QStringList{u"Soubor s předlohou se nepodařilo uložit."_s};
}

// "Uložit předlohu jako..." writes the template as designed; afterwards the
// template lives in the new file: the window is saved, Ctrl+S writes there and
// the component's next run reads it.
void DesignerWindowTest::saveAsMovesTheTemplate() {
  QFETCH(QString, target);
  QFETCH(bool, programDir);
  QFETCH(bool, moved);
  QFETCH(QStringList, boxes);
  Designer d;
  if (programDir) {
    d.sestava->ReportDirIgnore = true;
    d.sestava->setProgramDirectory(d.dir.path());
  }
  QVERIFY(QDir(d.dir.path()).mkpath(u"vlastni"_s));
  ShowActive(d.form.get());
  const QByteArray original = designertest::ReadAll(d.file());
  const QString path = d.dir.filePath(target);
  Drag(d.widget(kCaption1), InElement(30, 10), QPoint(10, 0));
  QString startedIn;
  d.form->dialogRunner = [&](QDialog& dialog) {
    auto* files = qobject_cast<QFileDialog*>(&dialog);
    if (!files) return int(QDialog::Rejected);
    startedIn = files->selectedFiles().value(0);
    files->selectFile(path);
    return int(QDialog::Accepted);
  };
  ScriptedMessages messages;
  d.form->command(u"Uložit předlohu jako..."_s)->trigger();
  QCOMPARE(messages.texts, boxes);
  QCOMPARE(QFileInfo(startedIn).canonicalFilePath(), QFileInfo(d.file()).canonicalFilePath());
  QCOMPARE(designertest::ReadAll(d.file()), original);  // the old file as it was
  const bool written = boxes.isEmpty();
  QCOMPARE(QFileInfo::exists(path), written);
  if (written) {
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
  Drag(d.widget(kCaption1), InElement(30, 10), QPoint(10, 0));
  QTest::keyClick(d.form.get(), Qt::Key_S, Qt::ControlModifier);
  QVERIFY(messages.texts.isEmpty());
  QVERIFY(!d.doc().changed());
  QVERIFY(QFileInfo::exists(TemplateBackupPath(path)));
  QCOMPARE(designertest::ReadAll(d.file()), original);
  // The next run reads the new file.
  d.form->close();
  QVERIFY(d.sestava->LoadTemplate(true));
  QCOMPARE(d.sestava->definition().sections[kSectionHeader].elements.at(1).left, 110);
}

void DesignerWindowTest::saveFromReadOnlyFolder_data() {
  QTest::addColumn<bool>("writable");  // the template's folder can be written
  QTest::addColumn<bool>("hostSaves");
  QTest::addColumn<bool>("userCopy");  // the save made the user's own copy
  QTest::newRow("installed copy's folder") << false << false << true;
  QTest::newRow("writable folder") << true << false << false;
  QTest::newRow("host saves") << false << true << false;
}

// Ctrl+S on a template whose folder the user cannot write (an installed copy's
// data folder) writes the user's own copy instead, which the next run reads;
// the shipped file stays as it was.
void DesignerWindowTest::saveFromReadOnlyFolder() {
  QFETCH(bool, writable);
  QFETCH(bool, hostSaves);
  QFETCH(bool, userCopy);
  Designer d;
  d.form->folderWritable = [&](const QString&) { return writable; };
  d.form->userFolder = d.dir.filePath(u"uzivatel"_s);
  int hostCalls = 0;
  if (hostSaves) d.sestava->OnUlozPredlohu = [&](TSestava&) { return ++hostCalls, true; };
  ShowActive(d.form.get());
  const QByteArray original = designertest::ReadAll(d.file());
  const QString own = QDir(d.form->userFolder).filePath(QFileInfo(d.file()).fileName());
  Drag(d.widget(kCaption1), InElement(30, 10), QPoint(10, 0));
  ScriptedMessages messages;
  QTest::keyClick(d.form.get(), Qt::Key_S, Qt::ControlModifier);
  QVERIFY(messages.texts.isEmpty());
  QVERIFY(!d.doc().changed());
  QCOMPARE(hostCalls, hostSaves ? 1 : 0);
  QCOMPARE(QFileInfo::exists(own), userCopy);
  QCOMPARE(designertest::ReadAll(d.file()) == original, userCopy || hostSaves);
  if (!userCopy) return;
  QCOMPARE(QFileInfo(d.sestava->GetTemplateFileName()).canonicalFilePath(), QFileInfo(own).canonicalFilePath());
  QStringList lines;
  QVERIFY(ReadTemplateFile(own, &lines).ok);
  QCOMPARE(lines, FormatTemplate(d.sestava->definition()));
}

void DesignerWindowTest::saveAsStartPath_data() {
  QTest::addColumn<QString>("file");
  QTest::addColumn<bool>("writable");
  QTest::addColumn<QString>("userFolder");
  QTest::addColumn<QString>("start");
  QTest::newRow("writable folder") << u"/opt/t/zostava.pts"_s << true << u"/home/u/.config/tab97"_s
                                   << u"/opt/t/zostava.pts"_s;
  QTest::newRow("read-only folder") << u"/usr/share/tab97/zostava.pts"_s << false << u"/home/u/.config/tab97"_s
                                    << u"/home/u/.config/tab97/zostava.pts"_s;
  QTest::newRow("read-only, another name") << u"/usr/share/x/tisk.pts"_s << false << u"/home/u/.config/x"_s
                                           << u"/home/u/.config/x/tisk.pts"_s;
  QTest::newRow("read-only, no user folder") << u"/usr/share/tab97/zostava.pts"_s << false << QString()
                                             << u"/usr/share/tab97/zostava.pts"_s;
}

void DesignerWindowTest::saveAsStartPath() {
  QFETCH(QString, file);
  QFETCH(bool, writable);
  QFETCH(QString, userFolder);
  QFETCH(QString, start);
  QCOMPARE(TFormSestE::SaveAsStartPath(file, writable, userFolder), start);
}

void DesignerWindowTest::previewEscape_data() {
  QTest::addColumn<bool>("fromDesigner");  // the designer's "Ukázka před tiskem", else the host's Preview
  QTest::addColumn<bool>("allowEdit");     // the host offers "Oprava předlohy..."
  QTest::addColumn<QString>("how");        // "Esc" or "close" (the window's close button)
  QTest::addColumn<int>("result");
  QTest::newRow("host, editable, Esc") << false << true << u"Esc"_s << 1;
  QTest::newRow("host, editable, close") << false << true << u"close"_s << 1;
  QTest::newRow("host, Esc") << false << false << u"Esc"_s << 1;
  QTest::newRow("designer, Esc") << true << false << u"Esc"_s << 2;
  QTest::newRow("designer, close") << true << false << u"close"_s << 2;
}

// Esc in the host's preview closes it even where it offers "Oprava předlohy...";
// only the designer's own preview goes back to editing.
void DesignerWindowTest::previewEscape() {
  QFETCH(bool, fromDesigner);
  QFETCH(bool, allowEdit);
  QFETCH(QString, how);
  QFETCH(int, result);
  Designer d;
  ShowActive(d.form.get());
  d.sestava->OnGetData = [](TSestavaD&) {};
  d.sestava->OnStepData = [](TSestavaD&, int) { return int(srBofEof); };
  d.sestava->AllowTemplateEdit = allowEdit;
  bool offered = false;
  QTimer::singleShot(0, [&] {
    auto* preview = qobject_cast<TFormSestP*>(QApplication::activeModalWidget());
    QVERIFY(preview);
    offered = preview->editAllowed();
    if (how == u"Esc") QTest::keyClick(preview, Qt::Key_Escape);
    else preview->close();
  });
  QTimer::singleShot(10000, [] {  // never hangs
    if (auto* w = qobject_cast<QDialog*>(QApplication::activeModalWidget())) w->done(-1);
  });
  ScriptedMessages noBoxes;
  if (fromDesigner) {
    d.form->command(u"Ukázka před tiskem"_s)->trigger();
  } else {
    d.form->hide();
    (void)d.sestava->Preview();
  }
  QCOMPARE(d.sestava->lastPreviewResult(), result);
  QCOMPARE(offered, allowEdit || fromDesigner);
  QVERIFY(!d.sestava->PreviewFromDesigner);  // as the host left it
  QVERIFY(noBoxes.texts.isEmpty());
}

void DesignerWindowTest::newTemplate_data() {
  QTest::addColumn<QList<int>>("answers");
  QTest::addColumn<int>("wizard");  // -1 not shown, 0 cancelled, 1 accepted
  QTest::addColumn<QStringList>("columns");
  QTest::addColumn<QStringList>("boxes");
  QTest::addColumn<bool>("built");
  const QString ask = u"Zrušit všechny prvky a začít s návrhem nové předlohy?"_s;
  QTest::newRow("no") << QList<int>{int(Answer::No)} << -1 << QStringList{} << QStringList{ask} << false;
  QTest::newRow("wizard cancelled") << QList<int>{int(Answer::Yes)} << 0 << QStringList{} << QStringList{ask} << false;
  QTest::newRow("nothing chosen")
      << QList<int>{int(Answer::Yes)} << 1 << QStringList{} << QStringList{ask, u"Nebyly vybrány žádné položky. Návrh nemůže být proveden!"_s}
      << false;
  QTest::newRow("two columns") << QList<int>{int(Answer::Yes)} << 1 << QStringList{u"Vel2"_s, u"Vel5"_s}
                               << QStringList{ask} << true;
}

void DesignerWindowTest::newTemplate() {
  QFETCH(QList<int>, answers);
  QFETCH(int, wizard);
  QFETCH(QStringList, columns);
  QFETCH(QStringList, boxes);
  QFETCH(bool, built);
  Designer d;
  ShowActive(d.form.get());
  Drag(d.widget(kCaption1), InElement(30, 10), QPoint(10, 0));
  const TPredloha before = d.doc().lines();
  int shown = 0;
  bool allTicked = false;
  d.form->dialogRunner = [&](QDialog& dialog) {
    auto* w = qobject_cast<TNewTemplateWizard*>(&dialog);
    if (!w) return int(QDialog::Rejected);
    ++shown;
    allTicked = w->chosenColumns() == designertest::FieldNames();
    for (int i = 0; i < w->columnList()->count(); ++i) {
      QListWidgetItem* item = w->columnList()->item(i);
      item->setCheckState(columns.contains(item->text()) ? Qt::Checked : Qt::Unchecked);
    }
    return wizard == 1 ? int(QDialog::Accepted) : int(QDialog::Rejected);
  };
  QList<Answer> scripted;
  for (int a : answers) scripted.append(static_cast<Answer>(a));
  ScriptedMessages messages(scripted);
  d.form->command(u"Nová předloha"_s)->trigger();
  QCOMPARE(messages.texts, boxes);
  QCOMPARE(shown, wizard < 0 ? 0 : 1);
  QCOMPARE(allTicked, wizard >= 0);  // every column ticked at first
  if (!built) {
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

void DesignerWindowTest::functions() {
  Designer d;
  ShowActive(d.form.get());
  d.form->dialogRunner = [](QDialog& dialog) {
    auto* f = qobject_cast<TFunctionDlg*>(&dialog);
    if (!f) return int(QDialog::Rejected);
    f->findChild<QLineEdit*>(u"name"_s)->setText(u"Suma"_s);
    f->findChild<QLineEdit*>(u"expression"_s)->setText(u"Vel1+Vel2"_s);
    f->accept();
    return f->result();
  };
  d.form->palette()->setCurrentIndex(4);
  uitest::Click(uitest::ButtonWithText(d.form->palette(), u"Přidej"_s));
  QCOMPARE(d.doc().report().functions.count(), 1);
  QCOMPARE(d.doc().report().functions[0].expression, u"Vel1+Vel2"_s);
  QCOMPARE(d.undoHint(), u"Zrušit přidání funkce"_s);
  QToolButton* entry = d.form->palette()->entry(u"Suma"_s);
  QVERIFY(entry);
  QTest::mouseClick(entry, Qt::LeftButton);
  ScriptedMessages messages({Answer::Yes});
  uitest::Click(uitest::ButtonWithText(d.form->palette(), u"Vynech"_s));
  QCOMPARE(messages.texts, QStringList{u"Smazat vybranou funkci?"_s});
  QCOMPARE(d.doc().report().functions.count(), 0);
  QCOMPARE(d.undoHint(), u"Zrušit zrušení funkce"_s);
}

void DesignerWindowTest::functionExpressionBuilder_data() {
  QTest::addColumn<bool>("edit");  // "Oprav" on the first function, else "Přidej"
  QTest::addColumn<QStringList>("functions");
  QTest::newRow("adding the first") << false << QStringList{};
  QTest::newRow("editing") << true << QStringList{u"Suma"_s};
}

// A sum of a column built the way a user does it: "Přidej" (or "Oprav") on the
// palette's functions, the builder behind "Výraz:" offering this report's
// columns, parameters and functions, a column put in by a double click.
void DesignerWindowTest::functionExpressionBuilder() {
  QFETCH(bool, edit);
  QFETCH(QStringList, functions);
  Designer d;
  if (edit) {
    TRadekFunkce f;
    f.name = u"Suma"_s;
    f.expression = u"#Vel2"_s;
    QVERIFY(d.doc().addFunction(f));
    d.form->undo();  // the window shows the document anew, with the function
    d.form->redo();
  }
  ShowActive(d.form.get());
  QStringList columns, offered;
  int parameters = -1;
  d.form->dialogRunner = [&](QDialog& dialog) {
    if (auto* b = qobject_cast<TExpressionDlg*>(&dialog)) {
      auto* c = b->findChild<QListWidget*>(u"columns"_s);
      for (int i = 0; i < c->count(); ++i) columns.append(c->item(i)->text());
      auto* f = b->findChild<QListWidget*>(u"functions"_s);
      for (int i = 0; i < f->count(); ++i) offered.append(f->item(i)->text());
      parameters = b->findChild<QListWidget*>(u"parameters"_s)->count();
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
  QCOMPARE(columns, designertest::FieldNames());
  QCOMPARE(parameters, 15);
  QCOMPARE(offered, functions);
  QCOMPARE(d.doc().report().functions.count(), 1);
  QCOMPARE(d.doc().report().functions[0].expression, u"#Vel1"_s);
}

void DesignerWindowTest::zoom() {
  Designer d;
  ShowActive(d.form.get());
  d.form->setZoomPercent(200);
  QCOMPARE(d.widget(kCaption1)->geometry(),
           QRect(180 - kM, TOddil::kCaptionHeight - kM, 194 + 2 * kM + 1, 40 + 2 * kM + 1));
  // A drag of 20 pixels at 200 % is 10 hundredths.
  Drag(d.widget(kCaption1), InElement(30, 10), QPoint(20, 0));
  QCOMPARE(d.rect(kCaption1).x(), 100);
  // Ctrl with the wheel goes one zoom step per notch.
  const QPointF at(50, 50);
  QWheelEvent wheel(at, d.paper()->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::ControlModifier,
                    Qt::NoScrollPhase, false);
  QApplication::sendEvent(d.paper(), &wheel);
  QCOMPARE(d.form->zoomPercent(), 150);
  QCOMPARE(DesignerSettings::Current().zoomPercent, 150);
}

void DesignerWindowTest::previewRunsDesignedTemplate() {
  Designer d;
  ShowActive(d.form.get());
  Drag(d.widget(kCaption1), InElement(30, 10), QPoint(10, 0));
  ScriptedMessages noBoxes;
  d.sestava->OnGetData = [](TSestavaD&) {};
  d.sestava->OnStepData = [](TSestavaD&, int) { return int(srBofEof); };
  int previews = 0;
  int movedTo = -1;
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

void DesignerWindowTest::alignAndDrawingOrder() {
  Designer d;
  ShowActive(d.form.get());
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

void DesignerWindowTest::environmentSettings() {
  Designer d;
  ShowActive(d.form.get());
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
  // A designer opened later starts with these settings.
  Designer later;
  QCOMPARE(later.doc().history().capacity(), 2);
  QCOMPARE(later.form->zoomPercent(), 200);
}

void DesignerWindowTest::openDesignerIsModal() {
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

QTEST_MAIN(DesignerWindowTest)
#include "formseste_test.moc"
