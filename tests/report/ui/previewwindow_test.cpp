// The preview driven through its keys, toolbar buttons, menu items and the mouse
// wheel over the showcase report (every kind of element, 9 pages); tables of
// cases in data/preview.txt.
#include <QtTest>
#include <QtWidgets>

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

const QString kTable = u"preview.txt"_s;

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

// A toolbar button by its text (when enabled), "menu:" and a menu item, "close"
// for the window's close button, or else a key sequence.
void Do(QWidget* window, const QString& step) {
  if (QAbstractButton* button = ToolButton(window, step)) {
    QVERIFY(MenuItem(window, step));  // every button is in the menu too
    if (button->isEnabled()) uitest::Click(button);
  } else if (step.startsWith(u"menu:")) {
    QAction* item = MenuItem(window, step.mid(5));
    QVERIFY2(item, qPrintable(step));
    item->trigger();
  } else if (step == u"close") {
    window->close();
  } else {
    const QKeySequence keys(step);
    QVERIFY2(keys.count() == 1 && keys[0].key() != Qt::Key_unknown, qPrintable(step));
    QTest::keySequence(window, keys);
  }
}

void Wheel(QWidget* target, int delta, Qt::KeyboardModifiers modifiers) {
  const QPointF at(target->width() / 2.0, target->height() / 2.0);
  QWheelEvent event(at, target->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, modifiers,
                    Qt::NoScrollPhase, false);
  QApplication::sendEvent(target, &event);
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

// A preview of `doc` at `zoom` % over a fake printer (one at 50 dpi, or none), shown.
struct Preview {
  FakePrinterPort port;
  TFormSestP w;
  Preview(const TSestVystup& doc, int zoom, bool printer = false, bool allowEdit = false)
      : port(printer ? QList<FakePrinterPort::Printer>{Laser()} : QList<FakePrinterPort::Printer>{}),
        w(doc, port, {}, allowEdit, u"Ukázka"_s, zoom) {}
  TFormSestP* show() {
    uitest::ShowActive(&w);
    return &w;
  }
};

}  // namespace

class PreviewWindowTest : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase() {
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

  void init() { QCOMPARE(QApplication::topLevelWidgets().count(), 0); }
  void paging_data() { uitest::Table(kTable); }
  void paging() {
    const uitest::Row r = uitest::FetchRow();
    const int page = r.num(u"page"_s);
    Preview p(doc_, 50);
    TFormSestP* preview = p.show();
    for (const QString& step : r.list(u"steps"_s)) Do(preview, step);
    QCOMPARE(preview->currentPage(), page);
    QCOMPARE(preview->pagePanel()->page(), page - 1);
    QCOMPARE(preview->findChild<QLabel*>(u"pageLabel"_s)->text(), u"Strana %1 z 9"_s.arg(page));
    QCOMPARE(ToolButton(preview, u"Předchozí stránka"_s)->isEnabled(), page > 1);
    QCOMPARE(ToolButton(preview, u"Další stránka"_s)->isEnabled(), page < 9);
  }

  void zoomButtons_data() {
    QTest::addColumn<int>("percent");
    for (const int percent : TFormSestP::kZoomPercents) QTest::addRow("%d", percent) << percent;
  }
  void zoomButtons() {
    QFETCH(int, percent);
    // Starts at the other end of the scale, so that every button changes the zoom.
    Preview p(doc_, percent >= 100 ? 32 : 300);
    TFormSestP* preview = p.show();
    Do(preview, QString::number(percent));
    QCOMPARE(preview->zoom(), percent / 100.0);
    QVERIFY(ToolButton(preview, QString::number(percent))->isChecked());
    // A4 portrait, 826 × 1169 hundredths of an inch, at 0.96 pixels per hundredth.
    QCOMPARE(preview->pagePanel()->size(),
             QSize(qRound(826 * 0.96 * percent / 100.0), qRound(1169 * 0.96 * percent / 100.0)));
  }

  void ctrlWheelZooms_data() { uitest::Table(kTable); }
  void ctrlWheelZooms() {
    const uitest::Row r = uitest::FetchRow();
    Preview p(doc_, r.num(u"start"_s));
    TFormSestP* preview = p.show();
    QWidget* target = r.flag(u"onViewport"_s) ? preview->findChild<QScrollArea*>(u"pageScroll"_s)->viewport()
                                              : static_cast<QWidget*>(preview->pagePanel());
    for (const int delta : r.nums(u"deltas"_s)) Wheel(target, delta, Qt::ControlModifier);
    QCOMPARE(preview->zoom(), r.num(u"percent"_s) / 100.0);
    QVERIFY(ToolButton(preview, r.str(u"percent"_s))->isChecked());
  }

  void wheelAndArrowsScroll() {
    Preview p(doc_, 200);
    p.w.resize(700, 600);
    TFormSestP* preview = p.show();
    auto* scroll = preview->findChild<QScrollArea*>(u"pageScroll"_s);
    QScrollBar* v = scroll->verticalScrollBar();
    QScrollBar* h = scroll->horizontalScrollBar();
    QVERIFY(v->maximum() > 0 && h->maximum() > 0);
    QCOMPARE(v->value(), 0);
    QTest::keyClick(preview, Qt::Key_Down);
    QCOMPARE(v->value(), v->singleStep());
    QTest::keyClick(preview, Qt::Key_Down);
    QTest::keyClick(preview, Qt::Key_Up);
    QCOMPARE(v->value(), v->singleStep());
    QTest::keyClick(preview, Qt::Key_Right);
    QCOMPARE(h->value(), h->singleStep());
    QTest::keyClick(preview, Qt::Key_Left);
    QCOMPARE(h->value(), 0);
    Wheel(scroll->viewport(), -120, Qt::NoModifier);  // the wheel without Ctrl scrolls
    QVERIFY(v->value() > v->singleStep());
    QCOMPARE(preview->zoom(), 2.0);
    QTest::keyClick(preview, Qt::Key_PageDown);  // the next page is read from its top
    QCOMPARE(v->value(), 0);
  }

  void pageSelect_data() { uitest::Table(kTable); }
  void pageSelect() {
    const uitest::Row r = uitest::FetchRow();
    const QString typed = r.str(u"typed"_s);
    Preview p(doc_, 50);
    TFormSestP* preview = p.show();
    QTest::keyClick(preview, Qt::Key_PageDown);
    Do(preview, u"Zobrazit stránku ..."_s);
    TPageSelectPanel* panel = preview->pageSelectPanel();
    QVERIFY(panel && panel->isVisible());
    QCOMPARE(panel->windowTitle(), u"Výběr stránky"_s);
    QCOMPARE(panel->findChild<QLabel*>()->text(), u"Stránka číslo:"_s);
    auto* number = panel->findChild<QLineEdit*>(u"pageNumber"_s);
    QCOMPARE(number->text(), u"2"_s);  // the current page to begin with
    if (typed == u"3") uitest::Screenshot(panel, u"pageselect"_s);
    QTest::keyClick(number, Qt::Key_A, Qt::ControlModifier);
    if (typed.isEmpty()) QTest::keyClick(number, Qt::Key_Delete);
    QTest::keyClicks(number, typed);
    if (r.flag(u"enter"_s)) QTest::keyClick(number, Qt::Key_Return);
    else uitest::Click(uitest::ButtonWithText(panel, u"Zobrazit"_s));
    QCOMPARE(preview->currentPage(), r.num(u"page"_s));
    QVERIFY(panel->isVisible());  // stays for the next jump
    QTest::keyClick(number, Qt::Key_Escape);
    QVERIFY(!panel->isVisible());
    QVERIFY(preview->isVisible());
  }

  void results_data() { uitest::Table(kTable); }
  void results() {
    const uitest::Row r = uitest::FetchRow();
    const bool allowEdit = r.flag(u"allowEdit"_s);
    const int result = r.num(u"result"_s);
    Preview p(doc_, 50, false, allowEdit);
    p.w.setOpenedFromDesigner(r.flag(u"fromDesigner"_s));
    TFormSestP* preview = p.show();
    QCOMPARE(ToolButton(preview, u"Oprava předlohy..."_s)->isEnabled(), allowEdit);
    QCOMPARE(MenuItem(preview, u"Oprava předlohy..."_s)->isEnabled(), allowEdit);
    Do(preview, r.str(u"how"_s));
    QCOMPARE(preview->isVisible(), result == 0);
    if (result != 0) QCOMPARE(preview->result(), result);
  }

  // The window runs modally; Esc is pressed once it is up.
  void execReturnsResult_data() { uitest::Table(kTable); }
  void execReturnsResult() {
    const uitest::Row r = uitest::FetchRow();
    const bool allowEdit = r.flag(u"allowEdit"_s), fromDesigner = r.flag(u"fromDesigner"_s);
    FakePrinterPort port;
    const QRect bounds(40, 30, 640, 480);
    QRect seen;
    QTimer::singleShot(0, [&] {
      QWidget* w = QApplication::activeModalWidget();
      QVERIFY(w);
      seen = w->geometry();
      QTest::keyClick(w, Qt::Key_Escape);
    });
    uitest::NeverHang();
    int result = 0;
    if (r.flag(u"viaShow"_s)) {
      result = TFormSestP::Show(nullptr, doc_, port, {}, allowEdit, u"Ukázka"_s, 75, bounds, false, fromDesigner);
      QCOMPARE(seen, bounds);
    } else {
      TFormSestP preview(doc_, port, {}, allowEdit, u"Ukázka"_s, 75);
      preview.setOpenedFromDesigner(fromDesigner);
      result = preview.exec();
    }
    QCOMPARE(result, allowEdit && fromDesigner ? 2 : 1);
  }

  void printing_data() { uitest::Table(kTable); }
  void printing() {
    const uitest::Row r = uitest::FetchRow();
    const bool toFile = r.flag(u"toFile"_s), currentPage = r.flag(u"currentPage"_s);
    const QString failure = r.str(u"failure"_s), message = r.str(u"message"_s);
    const int pages = r.num(u"pages"_s);
    Preview p(doc_, 50, r.flag(u"printers"_s));
    p.port.setBeginError(failure);
    ScriptedMessages messages;
    TPrintDialogTyp offered;
    p.w.setPrintDialogChooser([&](QWidget*, PrinterPort& port, TPrintDialogTyp& data) {
      [&] { QCOMPARE(&port, static_cast<PrinterPort*>(&p.port)); }();
      offered = data;
      data.firstPage = 2;
      data.lastPage = 4;
      data.toFile = toFile;
      data.currentPageOnly = currentPage;
      return r.num(u"answer"_s);
    });
    const QString pdf = dir_.filePath(u"tisk.pdf"_s);
    p.w.setFileChooser([&](QWidget*, const QString&, const QString&) { return pdf; });
    TFormSestP* preview = p.show();
    QTest::keyClick(preview, Qt::Key_PageDown, Qt::ControlModifier);  // page 9
    QTest::keyClick(preview, Qt::Key_PageUp);                         // page 8
    Do(preview, r.str(u"how"_s));
    // What the dialog is offered: the document's pages, no template, no record.
    QCOMPARE(offered.firstPage, 1);
    QCOMPARE(offered.lastPage, 9);
    QVERIFY(!offered.showTemplate && !offered.showOneRecord && offered.showCurrentPage && offered.showBackground);
    const QString shown = message == u"no printer" ? NoPrinterMessage() : message;
    QCOMPARE(messages.texts, shown.isEmpty() ? QStringList{} : QStringList{shown});
    if (pages < 0) {
      QCOMPARE(p.port.pages().size(), 0);
      if (failure.isEmpty()) QCOMPARE(p.port.log(), QStringList{});
      return;
    }
    QCOMPARE(p.port.jobTitles(), QStringList{u"Tisková sestava"_s});
    QCOMPARE(p.port.pages().size(), pages);
    QCOMPARE(p.port.port(), toFile ? u"FILE:"_s : QString());
    if (toFile) QCOMPARE(p.port.outputFile(), pdf);
    // The pages printed are the ones asked for: page 8 (shown) or pages 2 … 4.
    const int first = currentPage ? 8 : 2;
    const int dpi = toFile ? 100 : 50;
    for (int i = 0; i < pages; ++i)
      QVERIFY2(p.port.pages()[i] == Printed(doc_, first + i - 1, dpi), qPrintable(QString::number(i)));
    QVERIFY(p.port.pages()[0] != Printed(doc_, first, dpi));
  }

  void saving_data() { uitest::Table(kTable); }
  void saving() {
    const uitest::Row r = uitest::FetchRow();
    const QString command = r.str(u"command"_s), name = r.str(u"file"_s);
    QTemporaryDir out;
    ScriptedMessages messages;
    Preview p(doc_, 50);
    QString filter;
    p.w.setFileChooser([&](QWidget*, const QString&, const QString& f) {
      filter = f;
      return out.filePath(name);
    });
    TFormSestP* preview = p.show();
    QTest::keyClick(preview, Qt::Key_PageDown);  // page 2
    Do(preview, u"menu:"_s + command);
    QCOMPARE(messages.texts, QStringList{});
    const QStringList files = QDir(out.path()).entryList(QDir::Files, QDir::Name);
    const bool wmf = name.endsWith(u"wmf"_s, Qt::CaseInsensitive);
    const auto format = wmf ? MetafileDevice::Format::Placeable : MetafileDevice::Format::Enhanced;
    if (command == u"Textový soubor...") {
      QCOMPARE(files, QStringList{u"sestava.txt"_s});
      const QByteArray bytes = uitest::ReadAll(out.filePath(files.front()));
      QCOMPARE(bytes, TextOutput(doc_, 1, 9, 1, slCP852));
      QVERIFY(bytes != TextOutput(doc_, 1, 9, 1, slUndefined));  // the document's code page
      QVERIFY(filter.contains(u"*.txt"_s));
    } else if (command == u"Aktuální stránku jako EMF/WMF...") {
      QCOMPARE(files, QStringList{name});
      const QByteArray bytes = uitest::ReadAll(out.filePath(name));
      QVERIFY(wmf ? IsWmf(bytes) : IsEmf(bytes));
      QCOMPARE(bytes.size(), PageMetafile(doc_, 1, format).size());  // page 2, not page 1
      QVERIFY(bytes.size() != PageMetafile(doc_, 0, format).size());
    } else if (command == u"Všechny stránky jako EMF/WMF...") {
      QCOMPARE(files.size(), 9);
      for (int page = 1; page <= 9; ++page) {
        const QByteArray bytes = uitest::ReadAll(MetafilePageName(out.filePath(name), page, format));
        QVERIFY2(wmf ? IsWmf(bytes) : IsEmf(bytes), qPrintable(QString::number(page)));
      }
    } else {
      QCOMPARE(files, QStringList{name});
      QVERIFY(uitest::ReadAll(out.filePath(name)).startsWith("%PDF"));
    }
  }

  void failedSave_data() { uitest::Table(kTable); }
  void failedSave() {
    const uitest::Row r = uitest::FetchRow();
    const QString directory = r.str(u"directory"_s);
    QTemporaryDir out;
    QVERIFY(QDir(out.path()).mkdir(directory));
    ScriptedMessages messages;
    Preview p(doc_, 50);
    p.w.setFileChooser([&](QWidget*, const QString&, const QString&) { return out.filePath(r.str(u"file"_s)); });
    Do(p.show(), u"menu:"_s + r.str(u"command"_s));
    QCOMPARE(messages.kinds, QList<MessageKind>{MessageKind::Error});
    QVERIFY(!messages.texts.front().isEmpty());
    // Nothing left behind: the directory in the way, nothing else.
    const auto all = QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden;
    QCOMPARE(QDir(out.path()).entryList(all), QStringList{directory});
    QCOMPARE(QDir(out.filePath(directory)).entryList(all), QStringList{});
  }

  void pagesDrawnWhenShown() {
    TSestVystup big;
    big.paper = doc_.paper;
    for (int i = 0; i < 1000; ++i) big.pages.append(doc_.pages[1 + i % 8]);
    Preview p(big, 100);
    TFormSestP* preview = p.show();
    TPagePanel* panel = preview->pagePanel();
    QTRY_COMPARE(panel->renderCount(), 1);
    QTest::keyClick(preview, Qt::Key_PageDown, Qt::ControlModifier);
    QTRY_COMPARE(panel->renderCount(), 2);
    QTest::keyClick(preview, Qt::Key_PageUp, Qt::ControlModifier);
    panel->repaint();
    QCOMPARE(panel->renderCount(), 2);  // page 1 again: from the cache
    for (int i = 0; i < 10; ++i) {
      QTest::keyClick(preview, Qt::Key_PageDown);
      panel->repaint();
    }
    QCOMPARE(panel->renderCount(), 12);
    QCOMPARE(panel->cachedImages(), TPagePanel::kCachedImages);
    uitest::Click(ToolButton(preview, u"200"_s));
    panel->repaint();
    QCOMPARE(panel->renderCount(), 13);  // another zoom: drawn again
  }

  // A report without pages: blank paper, nothing to page to, no page to save alone.
  void emptyDocument() {
    TSestVystup empty;
    empty.paper = doc_.paper;
    Preview p(empty, 100);
    TFormSestP* preview = p.show();
    QTest::keyClick(preview, Qt::Key_PageDown);
    QTest::keyClick(preview, Qt::Key_PageDown, Qt::ControlModifier);
    QCOMPARE(preview->currentPage(), 0);
    QCOMPARE(preview->findChild<QLabel*>(u"pageLabel"_s)->text(), u"Strana 0 z 0"_s);
    for (const QString& command : {u"První stránka"_s, u"Předchozí stránka"_s, u"Další stránka"_s,
                                   u"Poslední stránka"_s, u"Aktuální stránku jako EMF/WMF..."_s,
                                   u"Všechny stránky jako EMF/WMF..."_s})
      QVERIFY2(!MenuItem(preview, command)->isEnabled(), qPrintable(command));
    const QImage page = preview->pagePanel()->pageImage(0);
    QCOMPARE(page.pixel(page.width() / 2, page.height() / 2), qRgb(255, 255, 255));
  }

  // The background picture (80 × 60 pixels, a yellow disc on navy) stretched into
  // its rectangle on the paper, in the free space right of the table.
  void backgroundPicture() {
    for (const auto& [percent, withPicture] : {std::pair{50, true}, {100, true}, {300, true}, {100, false}}) {
      TSestVystup doc = doc_;
      if (withPicture) doc.background.picture = dir_.filePath(u"obrazek.png"_s);
      doc.background.left = 650;
      doc.background.top = 900;
      doc.background.width = 120;
      doc.background.height = 90;
      Preview p(doc, percent);
      const QImage page = p.w.pagePanel()->pageImage(0);
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
  }

  void screenshots() {
    FakePrinterPort port;
    for (const int percent : {100, 50}) {
      TFormSestP preview(doc_, port, {}, true, u"Ukázka"_s, percent);
      preview.resize(percent == 100 ? QSize(900, 1000) : QSize(720, 760));
      uitest::ShowActive(&preview);
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

 private:
  QTemporaryDir dir_;
  TSestVystup doc_;
};

QTEST_MAIN(PreviewWindowTest)
#include "previewwindow_test.moc"
