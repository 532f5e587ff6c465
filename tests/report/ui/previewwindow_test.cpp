// The preview driven through its keys, toolbar buttons, menu items and the mouse
// wheel, over the showcase report (every kind of element, 9 pages): paging with
// its ends, the eleven zoom factors sizing the page, "Výběr stránky", the results
// and Esc with and without template editing, printing through a fake printer,
// saving as text, metafiles and PDF into real files, failed saves, and pages
// drawn only when shown.
#include <QtTest>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QToolBar>
#include <QWheelEvent>

#include "../render/showcase.h"
#include "report/layout/qttextmeasurer.h"
#include "report/print/fakeprinterport.h"
#include "report/print/reportprinter.h"
#include "report/render/metafileexport.h"
#include "report/render/textgrid.h"
#include "report/ui/messages.h"
#include "report/ui/pagepanel.h"
#include "report/ui/pageselectpanel.h"
#include "report/ui/previewwindow.h"
#include "uitestsupport.h"

using namespace Qt::StringLiterals;
using namespace report;

namespace {

QAction* ActionNamed(QWidget* window, const QString& text) {
  for (QAction* a : window->findChildren<QAction*>())
    if (a->text() == text && !a->menu()) return a;
  return nullptr;
}

// The toolbar button of a command.
QAbstractButton* ToolButton(QWidget* window, const QString& text) {
  for (QToolBar* bar : window->findChildren<QToolBar*>())
    for (QAction* a : bar->actions())
      if (a->text() == text) return qobject_cast<QAbstractButton*>(bar->widgetForAction(a));
  return nullptr;
}

// The menu item of a command (in the menu bar or its submenus).
QAction* MenuItem(QWidget* window, const QString& text) {
  for (QMenu* menu : window->findChildren<QMenu*>())
    for (QAction* a : menu->actions())
      if (a->text() == text) return a;
  return nullptr;
}

void ShowActive(QWidget* w) {
  w->show();
  w->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(w));
}

void Wheel(QWidget* target, int delta, Qt::KeyboardModifiers modifiers) {
  const QPointF at(target->width() / 2.0, target->height() / 2.0);
  QWheelEvent event(at, target->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, modifiers,
                    Qt::NoScrollPhase, false);
  QApplication::sendEvent(target, &event);
}

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool IsEmf(const QByteArray& b) { return b.startsWith(QByteArray("\x01\0\0\0", 4)) && b.mid(40, 4) == " EMF"; }
bool IsWmf(const QByteArray& b) { return b.startsWith(QByteArray("\xD7\xCD\xC6\x9A", 4)); }

// A page as the fake printer gets it: the whole paper at `dpi`, white, the page
// drawn at the paper's margins.
QImage Printed(const TSestVystup& doc, int page, int dpi) {
  QImage image(qRound(doc.paper.pageWidth() * dpi / 100.0), qRound(doc.paper.pageHeight() * dpi / 100.0),
               QImage::Format_RGB32);
  image.setDotsPerMeterX(qRound(dpi / 0.0254));
  image.setDotsPerMeterY(qRound(dpi / 0.0254));
  image.fill(Qt::white);
  QPainter painter(&image);
  const double scale = dpi / 100.0;
  PageRenderer().renderPage(painter, doc, page, scale,
                            QPointF(doc.paper.marginLeft * scale, doc.paper.marginTop * scale));
  return image;
}

FakePrinterPort::Printer Laser() {
  FakePrinterPort::Printer p;
  p.name = u"Laser"_s;
  p.dpi = 50;
  return p;
}

}  // namespace

class PreviewWindowTest : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase();
  void init();
  void paging_data();
  void paging();
  void zoomButtons_data();
  void zoomButtons();
  void ctrlWheelZooms_data();
  void ctrlWheelZooms();
  void wheelAndArrowsScroll();
  void pageSelect_data();
  void pageSelect();
  void results_data();
  void results();
  void execReturnsResult_data();
  void execReturnsResult();
  void printing_data();
  void printing();
  void saving_data();
  void saving();
  void failedSave_data();
  void failedSave();
  void pagesDrawnWhenShown();
  void emptyDocument();
  void backgroundPicture_data();
  void backgroundPicture();
  void screenshots();

 private:
  QTemporaryDir dir_;
  TSestVystup doc_;
};

void PreviewWindowTest::initTestCase() {
  QVERIFY(dir_.isValid());
  const QString picture = dir_.filePath(u"obrazek.png"_s);
  QVERIFY(ShowcasePicture().save(picture));
  ReportDefinition r;
  BuildShowcase(r, picture);
  TableData data = ShowcaseData(400);
  QtTextMeasurer measurer;
  QCOMPARE(ReportGenerator(measurer).Generate(r, data, {}, doc_), 0);
  QCOMPARE(doc_.pageCount(), 9);
  doc_.ExportLanguage = slCP852;
}

void PreviewWindowTest::init() { QCOMPARE(QApplication::topLevelWidgets().count(), 0); }

void PreviewWindowTest::paging_data() {
  // Steps: keys "PgDn", "PgUp", "^PgDn", "^PgUp"; toolbar buttons by their text.
  QTest::addColumn<QStringList>("steps");
  QTest::addColumn<int>("page");
  QTest::newRow("start") << QStringList{} << 1;
  QTest::newRow("Page Down") << QStringList{u"PgDn"_s} << 2;
  QTest::newRow("Page Up at the first") << QStringList{u"PgUp"_s} << 1;
  QTest::newRow("down, down, up") << QStringList{u"PgDn"_s, u"PgDn"_s, u"PgUp"_s} << 2;
  QTest::newRow("Ctrl+Page Down") << QStringList{u"^PgDn"_s} << 9;
  QTest::newRow("Page Down at the last") << QStringList{u"^PgDn"_s, u"PgDn"_s} << 9;
  QTest::newRow("last, Page Up") << QStringList{u"^PgDn"_s, u"PgUp"_s} << 8;
  QTest::newRow("Ctrl+Page Up") << QStringList{u"^PgDn"_s, u"^PgUp"_s} << 1;
  QTest::newRow("next button") << QStringList{u"Další stránka"_s, u"Další stránka"_s} << 3;
  QTest::newRow("last button") << QStringList{u"Poslední stránka"_s} << 9;
  QTest::newRow("previous button") << QStringList{u"Poslední stránka"_s, u"Předchozí stránka"_s} << 8;
  QTest::newRow("first button") << QStringList{u"Poslední stránka"_s, u"První stránka"_s} << 1;
}

void PreviewWindowTest::paging() {
  QFETCH(QStringList, steps);
  QFETCH(int, page);
  FakePrinterPort port;
  TFormSestP preview(doc_, port, {}, false, u"Ukázka"_s, 50);
  ShowActive(&preview);
  for (const QString& step : steps) {
    if (step == u"PgDn") QTest::keyClick(&preview, Qt::Key_PageDown);
    else if (step == u"PgUp") QTest::keyClick(&preview, Qt::Key_PageUp);
    else if (step == u"^PgDn") QTest::keyClick(&preview, Qt::Key_PageDown, Qt::ControlModifier);
    else if (step == u"^PgUp") QTest::keyClick(&preview, Qt::Key_PageUp, Qt::ControlModifier);
    else {
      QAbstractButton* button = ToolButton(&preview, step);
      QVERIFY2(button, qPrintable(step));
      QVERIFY(MenuItem(&preview, step));
      if (button->isEnabled()) uitest::Click(button);
    }
  }
  QCOMPARE(preview.currentPage(), page);
  QCOMPARE(preview.pagePanel()->page(), page - 1);
  QCOMPARE(preview.findChild<QLabel*>(u"pageLabel"_s)->text(), u"Strana %1 z 9"_s.arg(page));
  QCOMPARE(ToolButton(&preview, u"Předchozí stránka"_s)->isEnabled(), page > 1);
  QCOMPARE(ToolButton(&preview, u"Další stránka"_s)->isEnabled(), page < 9);
}

void PreviewWindowTest::zoomButtons_data() {
  QTest::addColumn<int>("percent");
  for (const int percent : TFormSestP::kZoomPercents) QTest::addRow("%d", percent) << percent;
}

void PreviewWindowTest::zoomButtons() {
  QFETCH(int, percent);
  FakePrinterPort port;
  // Starts at the other end of the scale, so that every button changes the zoom.
  TFormSestP preview(doc_, port, {}, false, u"Ukázka"_s, percent >= 100 ? 32 : 300);
  ShowActive(&preview);
  const QString text = QString::number(percent);
  QVERIFY(MenuItem(&preview, text));
  uitest::Click(ToolButton(&preview, text));
  QCOMPARE(preview.zoom(), percent / 100.0);
  QVERIFY(ToolButton(&preview, text)->isChecked());
  // A4 portrait, 826 × 1169 hundredths of an inch, at 0.96 pixels per hundredth.
  QCOMPARE(preview.pagePanel()->size(),
           QSize(qRound(826 * 0.96 * percent / 100.0), qRound(1169 * 0.96 * percent / 100.0)));
}

void PreviewWindowTest::ctrlWheelZooms_data() {
  QTest::addColumn<int>("start");
  QTest::addColumn<QList<int>>("deltas");
  QTest::addColumn<bool>("onViewport");  // over the grey around the page instead of the page
  QTest::addColumn<int>("percent");
  QTest::newRow("up") << 100 << QList<int>{120} << false << 120;
  QTest::newRow("up twice") << 100 << QList<int>{120, 120} << false << 150;
  QTest::newRow("down") << 100 << QList<int>{-120} << false << 83;
  QTest::newRow("down three") << 100 << QList<int>{-120, -120, -120} << true << 64;
  QTest::newRow("above the top") << 300 << QList<int>{120} << false << 300;
  QTest::newRow("below the bottom") << 32 << QList<int>{-120, -120} << true << 32;
  QTest::newRow("half notches") << 100 << QList<int>{60, 60, 60} << false << 120;
  QTest::newRow("half, turned back") << 100 << QList<int>{60, -60, -60} << false << 83;
  QTest::newRow("start between") << 90 << QList<int>{120} << false << 100;  // 90 starts at 83
}

void PreviewWindowTest::ctrlWheelZooms() {
  QFETCH(int, start);
  QFETCH(QList<int>, deltas);
  QFETCH(bool, onViewport);
  QFETCH(int, percent);
  FakePrinterPort port;
  TFormSestP preview(doc_, port, {}, false, u"Ukázka"_s, start);
  ShowActive(&preview);
  for (const int delta : deltas) {
    QWidget* target = onViewport ? preview.findChild<QScrollArea*>(u"pageScroll"_s)->viewport()
                                 : static_cast<QWidget*>(preview.pagePanel());
    Wheel(target, delta, Qt::ControlModifier);
  }
  QCOMPARE(preview.zoom(), percent / 100.0);
  QVERIFY(ToolButton(&preview, QString::number(percent))->isChecked());
}

void PreviewWindowTest::wheelAndArrowsScroll() {
  FakePrinterPort port;
  TFormSestP preview(doc_, port, {}, false, u"Ukázka"_s, 200);
  preview.resize(700, 600);
  ShowActive(&preview);
  auto* scroll = preview.findChild<QScrollArea*>(u"pageScroll"_s);
  QScrollBar* v = scroll->verticalScrollBar();
  QScrollBar* h = scroll->horizontalScrollBar();
  QVERIFY(v->maximum() > 0 && h->maximum() > 0);
  QCOMPARE(v->value(), 0);
  QTest::keyClick(&preview, Qt::Key_Down);
  QCOMPARE(v->value(), v->singleStep());
  QTest::keyClick(&preview, Qt::Key_Down);
  QTest::keyClick(&preview, Qt::Key_Up);
  QCOMPARE(v->value(), v->singleStep());
  QTest::keyClick(&preview, Qt::Key_Right);
  QCOMPARE(h->value(), h->singleStep());
  QTest::keyClick(&preview, Qt::Key_Left);
  QCOMPARE(h->value(), 0);
  Wheel(scroll->viewport(), -120, Qt::NoModifier);  // the wheel without Ctrl scrolls
  QVERIFY(v->value() > v->singleStep());
  QCOMPARE(preview.zoom(), 2.0);
  QTest::keyClick(&preview, Qt::Key_PageDown);  // the next page is read from its top
  QCOMPARE(v->value(), 0);
}

void PreviewWindowTest::pageSelect_data() {
  QTest::addColumn<QString>("typed");
  QTest::addColumn<bool>("enter");  // Enter instead of "Zobrazit"
  QTest::addColumn<int>("page");
  QTest::newRow("3") << u"3"_s << false << 3;
  QTest::newRow("0 is the first") << u"0"_s << false << 1;
  QTest::newRow("99 is the last") << u"99"_s << true << 9;
  QTest::newRow("nothing typed") << QString() << false << 2;
  QTest::newRow("letters refused") << u"x5"_s << true << 5;
}

void PreviewWindowTest::pageSelect() {
  QFETCH(QString, typed);
  QFETCH(bool, enter);
  QFETCH(int, page);
  FakePrinterPort port;
  TFormSestP preview(doc_, port, {}, false, u"Ukázka"_s, 50);
  ShowActive(&preview);
  QTest::keyClick(&preview, Qt::Key_PageDown);
  uitest::Click(ToolButton(&preview, u"Zobrazit stránku ..."_s));
  TPageSelectPanel* panel = preview.pageSelectPanel();
  QVERIFY(panel && panel->isVisible());
  QCOMPARE(panel->windowTitle(), u"Výběr stránky"_s);
  QVERIFY(uitest::ButtonWithText(panel, u"Zobrazit"_s));
  QVERIFY(panel->findChild<QLabel*>()->text() == u"Stránka číslo:"_s);
  auto* number = panel->findChild<QLineEdit*>(u"pageNumber"_s);
  QCOMPARE(number->text(), u"2"_s);  // the current page to begin with
  if (typed == u"3") uitest::Screenshot(panel, u"pageselect"_s);
  QTest::keyClick(number, Qt::Key_A, Qt::ControlModifier);
  if (typed.isEmpty()) QTest::keyClick(number, Qt::Key_Delete);
  QTest::keyClicks(number, typed);
  if (enter) QTest::keyClick(number, Qt::Key_Return);
  else uitest::Click(uitest::ButtonWithText(panel, u"Zobrazit"_s));
  QCOMPARE(preview.currentPage(), page);
  QVERIFY(panel->isVisible());  // stays for the next jump
  QTest::keyClick(number, Qt::Key_Escape);
  QVERIFY(!panel->isVisible());
  QVERIFY(preview.isVisible());
}

void PreviewWindowTest::results_data() {
  QTest::addColumn<bool>("allowEdit");
  QTest::addColumn<bool>("fromDesigner");
  QTest::addColumn<QString>("how");  // a toolbar button, "menu:" and a menu item, a key, or "close"
  QTest::addColumn<int>("result");   // 0: still open
  QTest::newRow("close") << false << false << u"Zavřít náhled"_s << 1;
  QTest::newRow("close, editable") << true << false << u"Zavřít náhled"_s << 1;
  QTest::newRow("close from the menu") << true << false << u"menu:Zavřít náhled"_s << 1;
  QTest::newRow("close, designer's") << true << true << u"Zavřít náhled"_s << 1;
  QTest::newRow("edit") << true << false << u"Oprava předlohy..."_s << 2;
  QTest::newRow("edit from the menu") << true << false << u"menu:Oprava předlohy..."_s << 2;
  QTest::newRow("Ctrl+E") << true << false << u"Ctrl+E"_s << 2;
  QTest::newRow("Ctrl+E, not editable") << false << false << u"Ctrl+E"_s << 0;
  QTest::newRow("Esc") << false << false << u"Esc"_s << 1;
  // A host's preview that offers editing still just closes on Esc.
  QTest::newRow("Esc, editable") << true << false << u"Esc"_s << 1;
  QTest::newRow("Esc, designer's") << true << true << u"Esc"_s << 2;
  QTest::newRow("Esc, designer's, not editable") << false << true << u"Esc"_s << 1;
  QTest::newRow("close button, editable") << true << false << u"close"_s << 1;
  QTest::newRow("close button, designer's") << true << true << u"close"_s << 2;
}

void PreviewWindowTest::results() {
  QFETCH(bool, allowEdit);
  QFETCH(bool, fromDesigner);
  QFETCH(QString, how);
  QFETCH(int, result);
  FakePrinterPort port;
  TFormSestP preview(doc_, port, {}, allowEdit, u"Ukázka"_s, 50);
  preview.setOpenedFromDesigner(fromDesigner);
  ShowActive(&preview);
  QCOMPARE(ToolButton(&preview, u"Oprava předlohy..."_s)->isEnabled(), allowEdit);
  QCOMPARE(MenuItem(&preview, u"Oprava předlohy..."_s)->isEnabled(), allowEdit);
  if (how == u"Ctrl+E") QTest::keyClick(&preview, Qt::Key_E, Qt::ControlModifier);
  else if (how == u"Esc") QTest::keyClick(&preview, Qt::Key_Escape);
  else if (how == u"close") preview.close();
  else if (how.startsWith(u"menu:")) MenuItem(&preview, how.mid(5))->trigger();
  else uitest::Click(ToolButton(&preview, how));
  QCOMPARE(preview.isVisible(), result == 0);
  if (result != 0) QCOMPARE(preview.result(), result);
}

void PreviewWindowTest::execReturnsResult_data() {
  QTest::addColumn<bool>("allowEdit");
  QTest::addColumn<bool>("viaShow");
  QTest::addColumn<bool>("fromDesigner");
  QTest::newRow("exec") << false << false << false;
  QTest::newRow("exec, editable") << true << false << false;
  QTest::newRow("exec, editable, designer's") << true << false << true;
  QTest::newRow("Show, editable") << true << true << false;
  QTest::newRow("Show, editable, designer's") << true << true << true;
}

// The window runs modally; Esc is pressed once it is up.
void PreviewWindowTest::execReturnsResult() {
  QFETCH(bool, allowEdit);
  QFETCH(bool, viaShow);
  QFETCH(bool, fromDesigner);
  FakePrinterPort port;
  const QRect bounds(40, 30, 640, 480);
  QRect seen;
  QTimer::singleShot(0, [&] {
    QWidget* w = QApplication::activeModalWidget();
    QVERIFY(w);
    seen = w->geometry();
    QTest::keyClick(w, Qt::Key_Escape);
  });
  QTimer::singleShot(10000, [] {  // never hangs
    if (QWidget* w = QApplication::activeModalWidget()) static_cast<QDialog*>(w)->done(-1);
  });
  int result = 0;
  if (viaShow) {
    result = TFormSestP::Show(nullptr, doc_, port, {}, allowEdit, u"Ukázka"_s, 75, bounds, false, fromDesigner);
    QCOMPARE(seen, bounds);
  } else {
    TFormSestP preview(doc_, port, {}, allowEdit, u"Ukázka"_s, 75);
    preview.setOpenedFromDesigner(fromDesigner);
    result = preview.exec();
  }
  QCOMPARE(result, allowEdit && fromDesigner ? 2 : 1);
}

void PreviewWindowTest::printing_data() {
  QTest::addColumn<bool>("printers");   // a printer installed
  QTest::addColumn<QString>("how");     // "Ctrl+P", "Ctrl+T" or the toolbar button
  QTest::addColumn<int>("answer");      // the print dialog's result
  QTest::addColumn<bool>("toFile");
  QTest::addColumn<bool>("currentPage");
  QTest::addColumn<QString>("failure"); // the printer's begin() fails with it
  QTest::addColumn<int>("pages");       // pages printed; -1: no job at all
  QTest::addColumn<QString>("message"); // the error shown
  const QString button = u"Tisk náhledu..."_s;
  QTest::newRow("pages 2-4") << true << u"Ctrl+P"_s << 2 << false << false << QString() << 3 << QString();
  QTest::newRow("Ctrl+T") << true << u"Ctrl+T"_s << 2 << false << false << QString() << 3 << QString();
  QTest::newRow("button, current page") << true << button << 2 << false << true << QString() << 1 << QString();
  QTest::newRow("to a file") << true << button << 2 << true << false << QString() << 3 << QString();
  QTest::newRow("cancelled") << true << button << 0 << false << false << QString() << -1 << QString();
  QTest::newRow("Náhled") << true << button << 1 << false << false << QString() << -1 << QString();
  QTest::newRow("no printer") << false << button << 2 << false << false << QString() << -1 << NoPrinterMessage();
  QTest::newRow("no printer, to a file") << false << button << 2 << true << false << QString() << 3 << QString();
  QTest::newRow("printer fails") << true << button << 2 << false << false << u"Tiskárna je vypnutá."_s << -1
                                 << u"Tiskárna je vypnutá."_s;
}

void PreviewWindowTest::printing() {
  QFETCH(bool, printers);
  QFETCH(QString, how);
  QFETCH(int, answer);
  QFETCH(bool, toFile);
  QFETCH(bool, currentPage);
  QFETCH(QString, failure);
  QFETCH(int, pages);
  QFETCH(QString, message);
  FakePrinterPort port(printers ? QList<FakePrinterPort::Printer>{Laser()} : QList<FakePrinterPort::Printer>{});
  port.setBeginError(failure);
  ScriptedMessages messages;
  TFormSestP preview(doc_, port, {}, false, u"Ukázka"_s, 50);
  TPrintDialogTyp offered;
  preview.setPrintDialogChooser([&](QWidget*, PrinterPort& p, TPrintDialogTyp& data) {
    [&] { QCOMPARE(&p, static_cast<PrinterPort*>(&port)); }();
    offered = data;
    data.firstPage = 2;
    data.lastPage = 4;
    data.toFile = toFile;
    data.currentPageOnly = currentPage;
    return answer;
  });
  const QString pdf = dir_.filePath(u"tisk.pdf"_s);
  preview.setFileChooser([&](QWidget*, const QString&, const QString&) { return pdf; });
  ShowActive(&preview);
  QTest::keyClick(&preview, Qt::Key_PageDown, Qt::ControlModifier);  // page 9
  QTest::keyClick(&preview, Qt::Key_PageUp);                         // page 8
  if (how == u"Ctrl+P") QTest::keyClick(&preview, Qt::Key_P, Qt::ControlModifier);
  else if (how == u"Ctrl+T") QTest::keyClick(&preview, Qt::Key_T, Qt::ControlModifier);
  else uitest::Click(ToolButton(&preview, how));
  // What the dialog is offered: the document's pages, no template, no record.
  QCOMPARE(offered.firstPage, 1);
  QCOMPARE(offered.lastPage, 9);
  QVERIFY(!offered.showTemplate && !offered.showOneRecord && offered.showCurrentPage && offered.showBackground);
  QCOMPARE(messages.texts, message.isEmpty() ? QStringList{} : QStringList{message});
  if (pages < 0) {
    QCOMPARE(port.pages().size(), 0);
    if (failure.isEmpty()) QCOMPARE(port.log(), QStringList{});
    return;
  }
  QCOMPARE(port.jobTitles(), QStringList{u"Tisková sestava"_s});
  QCOMPARE(port.pages().size(), pages);
  QCOMPARE(port.port(), toFile ? u"FILE:"_s : QString());
  if (toFile) QCOMPARE(port.outputFile(), pdf);
  // The pages printed are the ones asked for: page 8 (shown) or pages 2 … 4.
  const int first = currentPage ? 8 : 2;
  const int dpi = toFile ? 100 : 50;
  for (int i = 0; i < pages; ++i) QVERIFY2(port.pages()[i] == Printed(doc_, first + i - 1, dpi), qPrintable(QString::number(i)));
  QVERIFY(port.pages()[0] != Printed(doc_, first, dpi));
}

void PreviewWindowTest::saving_data() {
  QTest::addColumn<QString>("command");
  QTest::addColumn<QString>("name");
  QTest::newRow("text") << u"Textový soubor..."_s << u"sestava.txt"_s;
  QTest::newRow("text, no extension") << u"Textový soubor..."_s << u"sestava"_s;
  QTest::newRow("current page EMF") << u"Aktuální stránku jako EMF/WMF..."_s << u"strana.emf"_s;
  QTest::newRow("current page WMF") << u"Aktuální stránku jako EMF/WMF..."_s << u"strana.WMF"_s;
  QTest::newRow("all pages EMF") << u"Všechny stránky jako EMF/WMF..."_s << u"strany.emf"_s;
  QTest::newRow("all pages WMF") << u"Všechny stránky jako EMF/WMF..."_s << u"strany.wmf"_s;
  QTest::newRow("PDF") << u"Dokument PDF..."_s << u"sestava.pdf"_s;
}

void PreviewWindowTest::saving() {
  QFETCH(QString, command);
  QFETCH(QString, name);
  QTemporaryDir out;
  ScriptedMessages messages;
  FakePrinterPort port;
  TFormSestP preview(doc_, port, {}, false, u"Ukázka"_s, 50);
  QString filter;
  preview.setFileChooser([&](QWidget*, const QString&, const QString& f) {
    filter = f;
    return out.filePath(name);
  });
  ShowActive(&preview);
  QTest::keyClick(&preview, Qt::Key_PageDown);  // page 2
  QAction* item = MenuItem(&preview, command);
  QVERIFY(item);
  QVERIFY(ActionNamed(&preview, command) == item);
  item->trigger();
  QCOMPARE(messages.texts, QStringList{});
  const QStringList files = QDir(out.path()).entryList(QDir::Files, QDir::Name);
  if (command == u"Textový soubor...") {
    QCOMPARE(files, QStringList{u"sestava.txt"_s});
    const QByteArray bytes = ReadAll(out.filePath(files.front()));
    QCOMPARE(bytes, TextOutput(doc_, 1, 9, 1, slCP852));
    QVERIFY(bytes != TextOutput(doc_, 1, 9, 1, slUndefined));  // the document's code page
    QVERIFY(filter.contains(u"*.txt"_s));
  } else if (command == u"Aktuální stránku jako EMF/WMF...") {
    QCOMPARE(files, QStringList{name});
    const QByteArray bytes = ReadAll(out.filePath(name));
    const bool wmf = name.endsWith(u"WMF"_s);
    QVERIFY(wmf ? IsWmf(bytes) : IsEmf(bytes));
    const auto format = wmf ? MetafileDevice::Format::Placeable : MetafileDevice::Format::Enhanced;
    QCOMPARE(bytes.size(), PageMetafile(doc_, 1, format).size());  // page 2, not page 1
    QVERIFY(bytes.size() != PageMetafile(doc_, 0, format).size());
  } else if (command == u"Všechny stránky jako EMF/WMF...") {
    QCOMPARE(files.size(), 9);
    const bool wmf = name.endsWith(u"wmf"_s);
    for (int page = 1; page <= 9; ++page) {
      const QByteArray bytes = ReadAll(MetafilePageName(out.filePath(name), page,
          wmf ? MetafileDevice::Format::Placeable : MetafileDevice::Format::Enhanced));
      QVERIFY2(wmf ? IsWmf(bytes) : IsEmf(bytes), qPrintable(QString::number(page)));
    }
  } else {
    QCOMPARE(files, QStringList{name});
    QVERIFY(ReadAll(out.filePath(name)).startsWith("%PDF"));
  }
}

void PreviewWindowTest::failedSave_data() {
  QTest::addColumn<QString>("command");
  QTest::addColumn<QString>("name");       // chosen
  QTest::addColumn<QString>("directory");  // in the way
  QTest::newRow("text") << u"Textový soubor..."_s << u"cil.txt"_s << u"cil.txt"_s;
  QTest::newRow("current page") << u"Aktuální stránku jako EMF/WMF..."_s << u"cil.emf"_s << u"cil.emf"_s;
  QTest::newRow("all pages") << u"Všechny stránky jako EMF/WMF..."_s << u"cil.emf"_s << u"cil1.emf"_s;
  QTest::newRow("PDF") << u"Dokument PDF..."_s << u"cil.pdf"_s << u"cil.pdf"_s;
  QTest::newRow("missing folder") << u"Dokument PDF..."_s << u"neni/cil.pdf"_s << u"jiny"_s;
}

void PreviewWindowTest::failedSave() {
  QFETCH(QString, command);
  QFETCH(QString, name);
  QFETCH(QString, directory);
  QTemporaryDir out;
  QVERIFY(QDir(out.path()).mkdir(directory));
  ScriptedMessages messages;
  FakePrinterPort port;
  TFormSestP preview(doc_, port, {}, false, u"Ukázka"_s, 50);
  preview.setFileChooser([&](QWidget*, const QString&, const QString&) { return out.filePath(name); });
  ShowActive(&preview);
  MenuItem(&preview, command)->trigger();
  QCOMPARE(messages.kinds, QList<MessageKind>{MessageKind::Error});
  QVERIFY(!messages.texts.front().isEmpty());
  // Nothing left behind: the directory in the way, nothing else.
  QCOMPARE(QDir(out.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
           QStringList{directory});
  QCOMPARE(QDir(out.filePath(directory)).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
           QStringList{});
}

// A long report opens with one page drawn; paging draws each page once while it
// stays among the last few, and no more images are kept than that.
void PreviewWindowTest::pagesDrawnWhenShown() {
  TSestVystup big;
  big.paper = doc_.paper;
  for (int i = 0; i < 1000; ++i) big.pages.append(doc_.pages[1 + i % 8]);
  FakePrinterPort port;
  TFormSestP preview(big, port, {}, false, u"Ukázka"_s, 100);
  ShowActive(&preview);
  TPagePanel* panel = preview.pagePanel();
  QTRY_COMPARE(panel->renderCount(), 1);
  QTest::keyClick(&preview, Qt::Key_PageDown, Qt::ControlModifier);
  QTRY_COMPARE(panel->renderCount(), 2);
  QTest::keyClick(&preview, Qt::Key_PageUp, Qt::ControlModifier);
  panel->repaint();
  QCOMPARE(panel->renderCount(), 2);  // page 1 again: from the cache
  for (int i = 0; i < 10; ++i) {
    QTest::keyClick(&preview, Qt::Key_PageDown);
    panel->repaint();
  }
  QCOMPARE(panel->renderCount(), 12);
  QCOMPARE(panel->cachedImages(), TPagePanel::kCachedImages);
  uitest::Click(ToolButton(&preview, u"200"_s));
  panel->repaint();
  QCOMPARE(panel->renderCount(), 13);  // another zoom: drawn again
}

// A report without pages: blank paper, nothing to page to, no page to save alone.
void PreviewWindowTest::emptyDocument() {
  TSestVystup empty;
  empty.paper = doc_.paper;
  FakePrinterPort port;
  TFormSestP preview(empty, port, {}, false, u"Ukázka"_s, 100);
  ShowActive(&preview);
  QTest::keyClick(&preview, Qt::Key_PageDown);
  QTest::keyClick(&preview, Qt::Key_PageDown, Qt::ControlModifier);
  QCOMPARE(preview.currentPage(), 0);
  QCOMPARE(preview.findChild<QLabel*>(u"pageLabel"_s)->text(), u"Strana 0 z 0"_s);
  for (const QString& command : {u"První stránka"_s, u"Předchozí stránka"_s, u"Další stránka"_s,
                                 u"Poslední stránka"_s, u"Aktuální stránku jako EMF/WMF..."_s,
                                 u"Všechny stránky jako EMF/WMF..."_s})
    QVERIFY2(!MenuItem(&preview, command)->isEnabled(), qPrintable(command));
  const QImage page = preview.pagePanel()->pageImage(0);
  QCOMPARE(page.pixel(page.width() / 2, page.height() / 2), qRgb(255, 255, 255));
}

void PreviewWindowTest::backgroundPicture_data() {
  QTest::addColumn<int>("percent");
  QTest::addColumn<bool>("withPicture");
  QTest::newRow("50") << 50 << true;
  QTest::newRow("100") << 100 << true;
  QTest::newRow("300") << 300 << true;
  QTest::newRow("none") << 100 << false;
}

// The background picture (80 × 60 pixels, a yellow disc on navy) stretched into
// its rectangle on the paper, in the free space right of the table.
void PreviewWindowTest::backgroundPicture() {
  QFETCH(int, percent);
  QFETCH(bool, withPicture);
  TSestVystup doc = doc_;
  if (withPicture) doc.background.picture = dir_.filePath(u"obrazek.png"_s);
  doc.background.left = 650;
  doc.background.top = 900;
  doc.background.width = 120;
  doc.background.height = 90;
  FakePrinterPort port;
  TFormSestP preview(doc, port, {}, false, u"Ukázka"_s, percent);
  const QImage page = preview.pagePanel()->pageImage(0);
  const auto at = [&](double x, double y) {
    return page.pixel(qRound(x * 0.96 * percent / 100.0), qRound(y * 0.96 * percent / 100.0));
  };
  const QRgb navy = qRgb(0, 0, 128), yellow = qRgb(255, 255, 0), white = qRgb(255, 255, 255);
  QCOMPARE(at(710, 945), withPicture ? yellow : white);  // the disc in the middle
  QCOMPARE(at(660, 905), withPicture ? navy : white);    // near the top-left corner
  QCOMPARE(at(762, 985), withPicture ? navy : white);    // near the bottom-right corner
  QCOMPARE(at(640, 945), white);                         // left of it
  QCOMPARE(at(710, 1000), white);                        // below it
}

void PreviewWindowTest::screenshots() {
  FakePrinterPort port;
  for (const int percent : {100, 50}) {
    TFormSestP preview(doc_, port, {}, true, u"Ukázka"_s, percent);
    preview.resize(percent == 100 ? QSize(900, 1000) : QSize(720, 760));
    ShowActive(&preview);
    QVERIFY(!uitest::Screenshot(&preview, u"preview-%1"_s.arg(percent)).isEmpty());
    // The page on screen is the renderer's page: a dark pixel of the picture at the same place.
    const QImage page = preview.pagePanel()->pageImage(0);
    const QImage reference = PageRenderer().pageImage(doc_, 0, 96 * percent / 100.0);
    QVERIFY(qAbs(page.width() - reference.width()) <= 1 && qAbs(page.height() - reference.height()) <= 1);
    int differing = 0;
    const int width = qMin(page.width(), reference.width()), height = qMin(page.height(), reference.height());
    for (int y = 0; y < height; y += 3)
      for (int x = 0; x < width; x += 3)
        differing += qGray(page.pixel(x, y)) / 64 != qGray(reference.pixel(x, y)) / 64;
    QVERIFY2(differing < page.width() * page.height() / 9 / 100, qPrintable(QString::number(differing)));
  }
}

QTEST_MAIN(PreviewWindowTest)
#include "previewwindow_test.moc"
