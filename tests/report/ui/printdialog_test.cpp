// The print dialog driven through its controls: each way out with its result
// and the choices copied back unless cancelled; the printers, driver and queue
// of the port, also with none installed; the optional controls; "Vlastnosti...".
// Tables of cases in data/windows.txt.
#include <QtTest>
#include <QtWidgets>

#include "report/print/fakeprinterport.h"
#include "report/ui/printdialog.h"
#include "uitestsupport.h"

using namespace Qt::StringLiterals;
using report::FakePrinterPort;
using report::TPrintDialogTyp;
using report::TSestPrintDlg;

namespace {

const QString kTable = u"windows.txt"_s;

QList<FakePrinterPort::Printer> TwoPrinters() {
  FakePrinterPort::Printer laser;
  laser.name = u"Laser"_s;
  laser.driver = u"HP LaserJet 4"_s;
  laser.dpi = 600;
  laser.unprintable = QMarginsF(20, 20, 40, 30);
  FakePrinterPort::Printer jehlicka;
  jehlicka.name = u"Jehličková"_s;
  jehlicka.driver = u"Generic Text-Only"_s;
  jehlicka.textOnly = true;
  return {laser, jehlicka};
}

TPrintDialogTyp Start() {
  TPrintDialogTyp d;
  d.printerIndex = 0;
  d.firstPage = 2;
  d.lastPage = 5;
  d.copies = 1;
  d.templateName = u"seznam.sst"_s;
  return d;
}

bool Same(const TPrintDialogTyp& a, const TPrintDialogTyp& b) {
  return a.printerIndex == b.printerIndex && a.firstPage == b.firstPage && a.lastPage == b.lastPage &&
         a.copies == b.copies && a.toFile == b.toFile && a.currentPageOnly == b.currentPageOnly &&
         a.oneRecordOnly == b.oneRecordOnly && a.printBackground == b.printBackground &&
         a.templateName == b.templateName && a.defaultTemplate == b.defaultTemplate;
}

void TypeInto(QWidget* edit, const QString& text) {
  QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(edit, text);
}

}  // namespace

class PrintDialogTest : public QObject {
  Q_OBJECT
 private slots:
  void results_data() { uitest::Table(kTable); }
  void results() {
    const uitest::Row r = uitest::FetchRow();
    const QString button = r.str(u"button"_s);
    const int result = r.num(u"result"_s);
    FakePrinterPort port(TwoPrinters());
    TPrintDialogTyp data = Start();
    const TPrintDialogTyp before = data;
    TSestPrintDlg dialog(port, data);
    uitest::ShowActive(&dialog);
    QTest::keyClick(dialog.findChild<QComboBox*>(u"printer"_s), Qt::Key_Down);
    TypeInto(dialog.findChild<QSpinBox*>(u"firstPage"_s), u"3"_s);
    TypeInto(dialog.findChild<QSpinBox*>(u"lastPage"_s), u"7"_s);
    TypeInto(dialog.findChild<QSpinBox*>(u"copies"_s), u"4"_s);
    TypeInto(dialog.findChild<QLineEdit*>(u"templateName"_s), u"tabulka.sst"_s);
    for (const QString& box : {u"Tisknout pouze &jeden záznam"_s, u"Tisknout pozadí"_s,
                               u"Nastavit jako výchozí &formulář"_s, u"Tisknout do &souboru"_s})
      uitest::Click(uitest::ButtonWithText(&dialog, box));
    if (button.isEmpty()) QTest::keyClick(&dialog, Qt::Key_Escape);
    else uitest::Click(uitest::ButtonWithText(&dialog, button));
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), result);
    TPrintDialogTyp chosen = before;  // the choices made above, copied back unless cancelled
    chosen.printerIndex = 1;
    chosen.firstPage = 3;
    chosen.lastPage = 7;
    chosen.copies = 4;
    chosen.templateName = u"tabulka.sst"_s;
    chosen.oneRecordOnly = chosen.printBackground = chosen.defaultTemplate = chosen.toFile = true;
    QVERIFY(Same(data, result == 0 ? before : chosen));
  }

  void printersOfThePort() {
    FakePrinterPort port(TwoPrinters(), 1);
    TPrintDialogTyp data = Start();
    data.printerIndex = -1;  // the default one
    TSestPrintDlg dialog(port, data);
    uitest::ShowActive(&dialog);
    auto* printer = dialog.findChild<QComboBox*>(u"printer"_s);
    QCOMPARE(printer->count(), 2);
    QCOMPARE(printer->currentText(), u"Jehličková"_s);
    QCOMPARE(dialog.findChild<QLabel*>(u"driver"_s)->text(), u"Generic Text-Only"_s);
    QCOMPARE(dialog.findChild<QLabel*>(u"where"_s)->text(), u"Jehličková"_s);
    QTest::keyClick(printer, Qt::Key_Up);
    QCOMPARE(dialog.findChild<QLabel*>(u"driver"_s)->text(), u"HP LaserJet 4"_s);
    QCOMPARE(dialog.findChild<QLabel*>(u"where"_s)->text(), u"Laser"_s);
    QVERIFY(!uitest::Screenshot(&dialog, u"printdialog"_s).isEmpty());
    uitest::Click(uitest::ButtonWithText(&dialog, u"Tisknout do &souboru"_s));
    QCOMPARE(dialog.findChild<QLabel*>(u"driver"_s)->text(), u"PDF"_s);
    QCOMPARE(dialog.findChild<QLabel*>(u"where"_s)->text(), u"FILE:"_s);
  }

  void noPrinterInstalled() {
    FakePrinterPort port;
    TPrintDialogTyp data = Start();
    TSestPrintDlg dialog(port, data);
    uitest::ShowActive(&dialog);
    QCOMPARE(dialog.findChild<QComboBox*>(u"printer"_s)->count(), 0);
    QPushButton* print = uitest::ButtonWithText<QPushButton>(&dialog, u"&Tisk"_s);
    QVERIFY(!print->isEnabled());
    QVERIFY(uitest::ButtonWithText(&dialog, u"&Náhled"_s)->isEnabled());
    QAbstractButton* toFile = uitest::ButtonWithText(&dialog, u"Tisknout do &souboru"_s);
    uitest::Click(toFile);
    QVERIFY(print->isEnabled());
    uitest::Click(toFile);
    QVERIFY(!print->isEnabled());
    uitest::Click(toFile);
    uitest::Click(print);
    QCOMPARE(dialog.result(), 2);
    QCOMPARE(data.printerIndex, -1);
    QVERIFY(data.toFile);
  }

  void optionalControls_data() { uitest::Table(kTable); }
  void optionalControls() {
    const uitest::Row r = uitest::FetchRow();
    FakePrinterPort port(TwoPrinters());
    for (const bool off : {false, true}) {
      TPrintDialogTyp data = Start();
      bool* flags[] = {&data.showTemplate, &data.showOneRecord, &data.showBackground, &data.showCurrentPage};
      *flags[r.num(u"hidden"_s)] = !off;
      TSestPrintDlg dialog(port, data);
      uitest::ShowActive(&dialog);
      QCOMPARE(uitest::ButtonWithText(&dialog, r.str(u"control"_s))->isVisible(), !off);
    }
  }

  void currentPageLeavesNoRange() {
    FakePrinterPort port(TwoPrinters());
    TPrintDialogTyp data = Start();
    TSestPrintDlg dialog(port, data);
    uitest::ShowActive(&dialog);
    auto* from = dialog.findChild<QSpinBox*>(u"firstPage"_s);
    QVERIFY(from->isEnabled());
    uitest::Click(uitest::ButtonWithText(&dialog, u"&Tisknout &aktuální stránku"_s));
    QVERIFY(!from->isEnabled());
    QVERIFY(!dialog.findChild<QSpinBox*>(u"lastPage"_s)->isEnabled());
    uitest::Click(uitest::ButtonWithText(&dialog, u"&Tisk"_s));
    QVERIFY(data.currentPageOnly);
  }

  void properties() {
    FakePrinterPort port(TwoPrinters());
    TPrintDialogTyp data = Start();
    TSestPrintDlg dialog(port, data);
    uitest::ShowActive(&dialog);
    uitest::Click(uitest::ButtonWithText(&dialog, u"&Vlastnosti..."_s));
    QDialog* box = dialog.propertiesBox();
    QVERIFY(box && box->isVisible());
    const QString text = box->findChild<QLabel*>(u"propertiesText"_s)->text();
    for (const QString& part : {u"Tiskárna: Laser"_s, u"HP LaserJet 4"_s, u"600 dpi"_s, u"209,8 × 296,9 mm"_s,
                                u"vlevo 5,1 mm, nahoře 5,1 mm, vpravo 10,2 mm, dole 7,6 mm"_s})
      QVERIFY2(text.contains(part), qPrintable(text));
    uitest::Screenshot(box, u"printerproperties"_s);
    uitest::Click(uitest::ButtonWithText(&dialog, u"Storno"_s));
    QVERIFY(!box->isVisible());
  }
};

QTEST_MAIN(PrintDialogTest)
#include "printdialog_test.moc"
