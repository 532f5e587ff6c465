// The report settings dialog driven through its fields: the tabs and their
// captions, the settings it gives back, "Storno", the margin check against a fake
// printer, the paper formats and the ini file, the label size, the groups.
// Tables of cases in data/dialogs.txt; screenshots of the five tabs.
#include <QtTest>
#include <QtWidgets>

#include "designertestsupport.h"
#include "report/print/fakeprinterport.h"
#include "report/ui/designer/paperformatdialog.h"
#include "report/ui/designer/sestdlg.h"
#include "report/ui/messages.h"
#include "uitestsupport.h"

using namespace Qt::StringLiterals;
using namespace report;

namespace {

const QString kTable = u"dialogs.txt"_s;
const QString kMarginQuestion =
    u"Nastavené okraje tisku jsou menší, než umožňuje připojená tiskárna. Upravit velikost okrajů podle možností tiskárny?"_s;

// A dialog over the program's template, its formats and ini file, and a printer.
struct Dialog {
  QTemporaryDir dir;
  std::unique_ptr<TSestava> sestava;
  ReportSettings data;
  TListFormatu formats;
  std::unique_ptr<FakePrinterPort> port;
  std::unique_ptr<TSestDlg> dialog;

  explicit Dialog(QList<FakePrinterPort::Printer> printers = {}) {
    sestava = designertest::MakeSestava(dir.path());
    data = ReportSettings::FromReport(sestava->definition());
    data.reportName = sestava->ReportName();
    data.reportDir = sestava->ReportDir();
    formats = sestava->paperFormats();
    port = printers.isEmpty() ? std::make_unique<FakePrinterPort>() : std::make_unique<FakePrinterPort>(printers);
    dialog = std::make_unique<TSestDlg>(data, designertest::FieldNames(), formats, ini(), port.get());
  }
  QString ini() const { return dir.filePath(u"SestDLL.ini"_s); }
  template <typename T>
  T* field(const QString& name) {
    return dialog->findChild<T*>(name);
  }
  QPushButton* button(const QString& text) { return uitest::ButtonWithText<QPushButton>(dialog.get(), text); }
  QString iniValue(const QString& key) { return designertest::IniValue(ini(), u"FormatyPapiru"_s, key); }
};

FakePrinterPort::Printer Laser(int dpi, QMarginsF unprintable) {
  FakePrinterPort::Printer p;
  p.name = u"Laser"_s;
  p.dpi = dpi;
  p.unprintable = unprintable;
  return p;
}

QStringList Texts(QWidget* w) {
  QStringList out;
  for (QLabel* l : w->findChildren<QLabel*>()) out.append(l->text());
  for (QAbstractButton* b : w->findChildren<QAbstractButton*>()) out.append(b->text());
  for (QGroupBox* g : w->findChildren<QGroupBox*>()) out.append(g->title());
  return out;
}

}  // namespace

class SettingsDialogTest : public QObject {
  Q_OBJECT
 private slots:
  void tabsAndCaptions_data() { uitest::Table(kTable); }
  void tabsAndCaptions() {
    const uitest::Row r = uitest::FetchRow();
    const int tab = r.num(u"tab"_s);
    Dialog d;
    QCOMPARE(d.dialog->windowTitle(), u"Nastavení parametrů sestavy"_s);
    QCOMPARE(d.dialog->tabs()->count(), 5);
    QCOMPARE(d.dialog->tabs()->tabText(tab), r.str(u"title"_s));
    const QStringList texts = Texts(d.dialog->tabs()->widget(tab));
    for (const QString& c : r.list(u"captions"_s)) QVERIFY2(texts.contains(c), qPrintable(c));
    QVERIFY(uitest::ButtonWithText(d.dialog.get(), u"&Konec"_s));
    QVERIFY(uitest::ButtonWithText(d.dialog.get(), u"Storno"_s));
    uitest::Click(d.button(u"Ins"_s));  // a group to show
    d.dialog->show();
    d.dialog->tabs()->setCurrentIndex(tab);
    QVERIFY(!uitest::Screenshot(d.dialog.get(), u"settings_"_s + r.str(u"shot"_s)).isEmpty());
  }

  void givesSettingsBack() {
    Dialog d;
    QCOMPARE(d.field<QSpinBox>(u"marginLeft"_s)->value(), 60);
    QCOMPARE(d.field<QSpinBox>(u"height0"_s)->value(), 90);
    QVERIFY(!d.field<QCheckBox>(u"visible3"_s)->isChecked());
    d.field<QLineEdit>(u"popis"_s)->setText(u"Tabulka bodů"_s);
    d.field<QSpinBox>(u"printCopies"_s)->setValue(3);
    d.field<QSpinBox>(u"marginBottom"_s)->setValue(80);
    d.field<QCheckBox>(u"visible3"_s)->setChecked(true);
    d.field<QSpinBox>(u"height3"_s)->setValue(25);
    d.field<QSpinBox>(u"gridX"_s)->setValue(5);
    d.field<QCheckBox>(u"snapRaster"_s)->setChecked(true);
    d.field<QSpinBox>(u"marginLeft"_s)->setValue(0);  // no printer: no question about the margins
    ScriptedMessages boxes;
    uitest::Click(uitest::ButtonWithText(d.dialog.get(), u"&Konec"_s));
    QVERIFY(boxes.texts.isEmpty());
    QCOMPARE(d.dialog->result(), int(QDialog::Accepted));
    QCOMPARE(d.data.paper.marginLeft, 0);
    QCOMPARE(d.data.popis, u"Tabulka bodů"_s);
    QCOMPARE(d.data.printCopies, 3);
    QCOMPARE(d.data.paper.marginBottom, 80);
    QVERIFY(d.data.visible[kSectionEnd]);
    QCOMPARE(d.data.height[kSectionEnd], 25);
    QCOMPARE(d.data.raster.gridX, 5);
    QCOMPARE(d.data.raster.designerFlag2, 1);
    QCOMPARE(d.data.reportName, u"zostava.pts"_s);
  }

  void stornoKeepsData() {
    Dialog d;
    const ReportPaper before = d.data.paper;
    d.field<QSpinBox>(u"marginLeft"_s)->setValue(5);
    uitest::Click(uitest::ButtonWithText(d.dialog.get(), u"Storno"_s));
    QCOMPARE(d.dialog->result(), int(QDialog::Rejected));
    QCOMPARE(d.data.paper, before);
  }

  void marginCheck_data() { uitest::Table(kTable); }
  void marginCheck() {
    const uitest::Row r = uitest::FetchRow();
    const bool landscape = r.flag(u"landscape"_s), accepted = r.flag(u"accepted"_s);
    const QRect edges = r.rect(u"unprintable"_s);
    Dialog d({Laser(r.num(u"dpi"_s), QMarginsF(edges.x(), edges.y(), edges.width(), edges.height()))});
    for (const QString& name : {u"marginRight"_s, u"marginTop"_s, u"marginBottom"_s})
      d.field<QSpinBox>(name)->setValue(60);
    d.field<QSpinBox>(u"marginLeft"_s)->setValue(r.num(u"left"_s));
    if (landscape) uitest::Click(uitest::ButtonWithText(d.dialog.get(), u"na šířku"_s));
    d.dialog->show();
    ScriptedMessages boxes({designertest::AnswerNamed(r.str(u"answer"_s))});
    uitest::Click(uitest::ButtonWithText(d.dialog.get(), u"&Konec"_s));
    QCOMPARE(boxes.texts, r.flag(u"asked"_s) ? QStringList{kMarginQuestion} : QStringList{});
    QCOMPARE(d.dialog->isVisible(), !accepted);
    QCOMPARE(d.dialog->result(), accepted ? int(QDialog::Accepted) : int(QDialog::Rejected));
    QCOMPARE(d.data.paper.marginLeft, r.num(u"leftAfter"_s));  // untouched while the dialog stays
    if (accepted) QCOMPARE(d.data.paper.orientation, landscape ? 1 : 0);
  }

  void addAndRemoveFormats() {
    Dialog d;
    QCOMPARE(d.iniValue(u"PocetFormatu"_s), u"0"_s);
    QString proposed;
    d.dialog->dialogRunner = [&proposed](QDialog& dialog) {
      auto* f = qobject_cast<TPaperFormatDlg*>(&dialog);
      if (!f) return int(QDialog::Rejected);
      proposed = f->findChild<QLineEdit*>(u"formatName"_s)->text();
      f->findChild<QSpinBox*>(u"formatWidth"_s)->setValue(400);
      f->findChild<QSpinBox*>(u"formatHeight"_s)->setValue(600);
      return int(QDialog::Accepted);
    };
    QVERIFY(!d.button(u"Vynech"_s)->isEnabled());  // A4 is built in
    uitest::Click(d.button(u"Přidej"_s));
    QCOMPARE(proposed, u"uživ. formát"_s);
    QCOMPARE(d.iniValue(u"PocetFormatu"_s), u"1"_s);
    QCOMPARE(d.iniValue(u"Format1"_s), u"uživ. formát,400,600"_s);
    QCOMPARE(d.dialog->formatList()->currentText(), u"uživ. formát"_s);  // the new format is chosen
    QCOMPARE(d.dialog->current().paper.width, 400);
    uitest::Click(d.button(u"Přidej"_s));
    QCOMPARE(d.iniValue(u"PocetFormatu"_s), u"2"_s);

    // "Vynech" asks; No keeps it, Yes writes one format fewer.
    QVERIFY(d.button(u"Vynech"_s)->isEnabled());
    {
      ScriptedMessages boxes({Answer::No});
      uitest::Click(d.button(u"Vynech"_s));
      QCOMPARE(boxes.texts, QStringList{u"Zrušit vybraný uživatelský formát?"_s});
      QCOMPARE(d.iniValue(u"PocetFormatu"_s), u"2"_s);
    }
    ScriptedMessages boxes({Answer::Yes});
    uitest::Click(d.button(u"Vynech"_s));
    QCOMPARE(d.iniValue(u"PocetFormatu"_s), u"1"_s);
    QCOMPARE(d.formats.count(), TListFormatu::kBuiltinCount + 1);
  }

  void showFormat() {
    Dialog d;
    QString shown;
    bool editable = true;
    d.dialog->dialogRunner = [&](QDialog& dialog) {
      auto* f = qobject_cast<TPaperFormatDlg*>(&dialog);
      if (!f) return int(QDialog::Rejected);
      shown = f->windowTitle() + u'|' + f->format().name + u'|' + QString::number(f->format().width);
      editable = !f->findChild<QLineEdit*>(u"formatName"_s)->isReadOnly();
      return int(QDialog::Accepted);
    };
    uitest::Click(d.button(u"Ukaž"_s));
    QCOMPARE(shown, u"Formát papíru|A4 (210 x 297 mm)|826"_s);
    QVERIFY(!editable);
    QCOMPARE(d.iniValue(u"PocetFormatu"_s), u"0"_s);  // nothing written
  }

  void formatChangesPaper() {
    Dialog d;
    d.dialog->formatList()->setCurrentIndex(9);  // A5
    d.field<QSpinBox>(u"printColumns"_s)->setValue(2);
    d.field<QSpinBox>(u"columnGap"_s)->setValue(20);
    // A5 584 wide less 2 × 60 is 464; (464 + 20) / 2 = 242 a column, 222 a label.
    QCOMPARE(d.field<QLabel>(u"labelSize"_s)->text(), u"222 x 706"_s);
    d.dialog->accept();
    QCOMPARE(d.data.paper.width, 584);
    QCOMPARE(d.data.paper.height, 826);
    QCOMPARE(d.data.paper.columns, 2);
  }

  void groups() {
    Dialog d;
    auto* list = d.field<QListWidget>(u"groups"_s);
    QCOMPARE(list->count(), 0);
    uitest::Click(d.button(u"Ins"_s));
    uitest::Click(d.button(u"Ins"_s));
    QCOMPARE(list->count(), 2);
    list->setCurrentRow(1);
    d.field<QComboBox>(u"groupColumn"_s)->setCurrentIndex(2);
    d.field<QCheckBox>(u"groupByName"_s)->setChecked(true);
    d.field<QCheckBox>(u"groupNewPage"_s)->setChecked(true);
    d.field<QSpinBox>(u"groupEndHeight"_s)->setValue(33);
    list->setCurrentRow(0);
    uitest::Click(d.button(u"Del"_s));
    QCOMPARE(list->count(), 1);
    QCOMPARE(list->item(0)->text(), u"Skupina 0"_s);
    d.dialog->accept();
    QCOMPARE(d.data.groups.size(), 1);
    QCOMPARE(d.data.groups.at(0).columnName, u"Vel3"_s);
    QVERIFY(d.data.groups.at(0).newPage);
    QCOMPARE(d.data.groups.at(0).endBand.height, 33);
  }
};

QTEST_MAIN(SettingsDialogTest)
#include "sestdlg_test.moc"
