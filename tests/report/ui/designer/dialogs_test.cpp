// The small dialogs around the designer, through their fields: "Nastavit prvek"
// for each kind of element, "Nastavit prostředí", the new-template wizard, the
// function dialog and the expression builder behind it, and "Formát papíru".
// Tables of cases in data/dialogs.txt.
#include <QtTest>
#include <QtWidgets>

#include "designertestsupport.h"
#include "report/ui/designer/elementdialog.h"
#include "report/ui/designer/environmentdialog.h"
#include "report/ui/designer/expressiondialog.h"
#include "report/ui/designer/functiondialog.h"
#include "report/ui/designer/newtemplatewizard.h"
#include "report/ui/designer/paleta.h"
#include "report/ui/designer/paperformatdialog.h"
#include "report/ui/messages.h"
#include "uitestsupport.h"

using namespace Qt::StringLiterals;
using namespace report;

namespace {

const QString kTable = u"dialogs.txt"_s;

TElementDlg::Choices Choices() {
  TElementDlg::Choices c;
  c.fieldNames = designertest::FieldNames();
  c.parameterCount = 15;
  c.groupCount = 1;
  TRadekFunkce f;
  f.name = u"Prumer"_s;
  c.functions.add(f);
  f.name = u"Suma"_s;
  c.functions.add(f);
  return c;
}

}  // namespace

class DialogsTest : public QObject {
  Q_OBJECT
 private slots:
  void elementFields_data() { uitest::Table(kTable); }
  void elementFields() {
    const uitest::Row r = uitest::FetchRow();
    TReportElement e = TPaleta::Prototype(r.num(u"kind"_s));
    e.left = 12;
    TElementDlg d(e, Choices());
    QCOMPARE(d.windowTitle(), u"Nastavit prvek"_s);
    for (const QString& name : r.list(u"present"_s)) QVERIFY2(d.findChild<QWidget*>(name), qPrintable(name));
    for (const QString& name : r.list(u"absent"_s)) QVERIFY2(!d.findChild<QWidget*>(name), qPrintable(name));
    QCOMPARE(d.findChild<QSpinBox*>(u"left"_s)->value(), 12);
    QCOMPARE(d.element(), e);  // untouched fields give the element back as it was
  }

  void elementTextAndReference() {
    TReportElement e = TPaleta::Prototype(kElementFunction, 0);
    e.name = u"Prumer"_s;
    TElementDlg d(e, Choices());
    auto* reference = d.findChild<QComboBox*>(u"reference"_s);
    QCOMPARE(reference->currentText(), u"Prumer"_s);
    reference->setCurrentIndex(1);
    d.findChild<QPlainTextEdit*>(u"text"_s)->setPlainText(u"%.2f \"kg\"\ncelkem"_s);
    d.findChild<QSpinBox*>(u"width"_s)->setValue(150);
    d.findChild<QCheckBox*>(u"SBCarR2"_s)->setChecked(true);
    const TReportElement out = d.element();
    QCOMPARE(out.name, u"Suma"_s);
    QCOMPARE(out.index, 1);
    QCOMPARE(out.text, u"%.2f \"kg\"\ncelkem"_s);
    QCOMPARE(out.width, 150);
    QCOMPARE(out.frame, int(kFrameSide2));

    // A column named in the template but missing in the data stays as it is.
    TReportElement c = TPaleta::Prototype(kElementColumn, 0);
    c.name = u"Hustota"_s;
    TElementDlg unknown(c, Choices());
    QCOMPARE(unknown.findChild<QComboBox*>(u"reference"_s)->currentText(), u"Hustota"_s);
    QCOMPARE(unknown.element().name, u"Hustota"_s);
  }

  void elementShape() {
    TReportElement e = TPaleta::Prototype(kElementEllipse);
    TElementDlg d(e, Choices());
    d.findChild<QSpinBox*>(u"penWidth"_s)->setValue(3);
    const QList<QComboBox*> combos = d.findChildren<QComboBox*>();
    QCOMPARE(combos.size(), 4);  // pen style, pen colour, fill style, fill colour
    combos.at(2)->setCurrentIndex(6);
    const TReportElement out = d.element();
    QCOMPARE(out.penWidth, 3);
    QCOMPARE(out.fillStyle, 6);
    QCOMPARE(out.index, int(kElementEllipse));
  }

  void elementFont() {
    TReportElement e = TPaleta::Prototype(kElementText);
    TElementDlg d(e, Choices());
    int runs = 0;
    d.dialogRunner = [&runs](QDialog& dialog) {
      auto* f = qobject_cast<QFontDialog*>(&dialog);
      if (!f) return int(QDialog::Rejected);
      ++runs;
      QFont font(u"Liberation Mono"_s, 12);
      font.setBold(true);
      font.setUnderline(true);
      f->setCurrentFont(font);
      f->accept();
      return f->result();
    };
    uitest::Click(uitest::ButtonWithText(&d, u"Písmo..."_s));
    QCOMPARE(runs, 1);
    const TReportElement out = d.element();
    QCOMPARE(out.font.name, u"Liberation Mono"_s);
    QCOMPARE(out.font.size, 12);
    QCOMPARE(out.font.style, kFontBold | kFontUnderline);
    QCOMPARE(d.findChild<QLabel*>(u"fontName"_s)->text(), u"Liberation Mono, 12 b., tučné, podtržené"_s);
  }

  void environment() {
    DesignerSettings s;
    s.undoCapacity = 7;
    s.zoomPercent = 150;
    TEnvironmentDlg d(s, true, false);
    QCOMPARE(d.windowTitle(), u"Nastavit prostředí"_s);
    QCOMPARE(d.findChild<QSpinBox*>(u"undoCapacity"_s)->value(), 7);
    QCOMPARE(d.findChild<QComboBox*>(u"zoom"_s)->currentText(), u"150 %"_s);
    d.findChild<QSpinBox*>(u"undoCapacity"_s)->setValue(0);  // at least 1
    d.findChild<QComboBox*>(u"zoom"_s)->setCurrentIndex(0);
    uitest::Click(uitest::ButtonWithText(&d, u"Zarovnávat do rastru"_s));
    QCOMPARE(d.settings().undoCapacity, 1);
    QCOMPARE(d.settings().zoomPercent, 50);
    QVERIFY(d.showRaster());
    QVERIFY(d.snapToRaster());
  }

  void wizard() {
    TNewTemplateWizard w(designertest::FieldNames(), 15);
    QCOMPARE(w.windowTitle(), u"Nová předloha"_s);
    QCOMPARE(w.chosenColumns(), designertest::FieldNames());
    QVERIFY(w.withParameters());
    uitest::Click(uitest::ButtonWithText(&w, u"Zrušit výběr"_s));
    QVERIFY(w.chosenColumns().isEmpty());
    w.columnList()->item(3)->setCheckState(Qt::Checked);
    QCOMPARE(w.chosenColumns(), QStringList{u"Vel4"_s});
    uitest::Click(uitest::ButtonWithText(&w, u"Vybrat vše"_s));
    QCOMPARE(w.chosenColumns().size(), 6);
    TNewTemplateWizard none({}, 0);
    QVERIFY(!none.withParameters());
  }

  void functionNames_data() { uitest::Table(kTable); }
  void functionNames() {
    const uitest::Row r = uitest::FetchRow();
    const bool accepted = r.list(u"boxes"_s).isEmpty();
    TRadekFunkce f;
    f.aggregation = kAggSum;
    f.format = kFormatNumber;
    TFunctionDlg d(f, {u"Suma"_s}, 2, nullptr);
    QCOMPARE(d.windowTitle(), u"Uživatelská funkce"_s);
    d.findChild<QLineEdit*>(u"name"_s)->setText(r.str(u"name"_s));
    d.findChild<QLineEdit*>(u"expression"_s)->setText(u"Vel1*2"_s);
    d.show();
    ScriptedMessages messages;
    uitest::Click(uitest::ButtonWithText(&d, u"OK"_s));
    QCOMPARE(messages.texts, r.list(u"boxes"_s));
    QCOMPARE(d.result() == QDialog::Accepted, accepted);
    QCOMPARE(d.isVisible(), !accepted);
    const TRadekFunkce out = d.function();
    QCOMPARE(out.expression, u"Vel1*2"_s);
    QCOMPARE(out.aggregation, int(kAggSum));
    QCOMPARE(out.format, int(kFormatNumber));
  }

  // A double click on a list entry, or an operator button, puts it in at the cursor.
  void expressionBuilderPuts_data() { uitest::Table(kTable); }
  void expressionBuilderPuts() {
    const uitest::Row r = uitest::FetchRow();
    const QString start = r.str(u"start"_s), source = r.str(u"source"_s);
    TExpressionDlg d(start, designertest::FieldNames(), designertest::Parameters(), {u"Prumer"_s, u"Suma"_s});
    QCOMPARE(d.windowTitle(), u"Tvorba výrazu pro výpočet funkce"_s);
    d.show();
    QVERIFY(QTest::qWaitForWindowExposed(&d));
    auto* line = d.findChild<QLineEdit*>(u"expression"_s);
    line->setCursorPosition(static_cast<int>(start.size()));
    if (source.startsWith(u"operator ")) {
      auto* b = d.findChild<QToolButton*>(source);
      QVERIFY(b);
      uitest::Click(b);
    } else {
      auto* list = d.findChild<QListWidget*>(source);
      QVERIFY(list);
      QListWidgetItem* item = list->item(r.num(u"row"_s));
      QVERIFY(item);
      list->scrollToItem(item);
      // A double click as the mouse gives it: a click, then the double click.
      const QPoint at = list->visualItemRect(item).center();
      QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
      QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    }
    QCOMPARE(d.expression(), r.str(u"result"_s));
    QCOMPARE(line->cursorPosition(), r.num(u"cursor"_s));
  }

  // "Kontrola" tells in a box whether the expression is right, over a sample row.
  void expressionCheck_data() { uitest::Table(kTable); }
  void expressionCheck() {
    const uitest::Row r = uitest::FetchRow();
    const QString expression = r.str(u"expression"_s);
    TExpressionDlg d(expression, designertest::FieldNames(), designertest::Parameters(), {u"Prumer"_s, u"Suma"_s});
    d.show();
    ScriptedMessages messages;
    uitest::Click(uitest::ButtonWithText(&d, u"Kontrola"_s));
    QCOMPARE(messages.texts, QStringList{r.str(u"box"_s)});
    QVERIFY(d.isVisible());  // checking does not close it
    QCOMPARE(d.expression(), expression);
  }

  // The button beside "Výraz:" opens the builder over the expression typed so far
  // and the columns, parameters and functions given.
  void functionDialogOpensBuilder() {
    for (const bool accept : {true, false}) {  // OK takes the built expression, Storno keeps the typed one
      TFunctionDlg d(TRadekFunkce{}, {u"Suma"_s}, 0, nullptr);
      d.setExpressionSources(designertest::FieldNames(), designertest::Parameters(), {u"Suma"_s});
      d.findChild<QLineEdit*>(u"expression"_s)->setText(u"#Vel1*2"_s);
      QString seen, offered;
      d.dialogRunner = [&](QDialog& dialog) {
        auto* b = qobject_cast<TExpressionDlg*>(&dialog);
        if (!b) return int(QDialog::Rejected);
        seen = b->expression();
        offered = designertest::Offered(b);
        b->findChild<QLineEdit*>(u"expression"_s)->end(false);
        b->insert(u"+#Vel3"_s);
        return accept ? int(QDialog::Accepted) : int(QDialog::Rejected);
      };
      d.show();
      uitest::Click(d.findChild<QToolButton*>(u"buildExpression"_s));
      QCOMPARE(seen, u"#Vel1*2"_s);
      QCOMPARE(offered, designertest::Offering({u"Suma"_s}));
      QCOMPARE(d.findChild<QLineEdit*>(u"expression"_s)->text(), accept ? u"#Vel1*2+#Vel3"_s : u"#Vel1*2"_s);
    }
  }

  void paperFormat() {
    TPaperFormatDlg shown({u"A5 (148.5 x 210 mm)"_s, 584, 826}, false);
    QCOMPARE(shown.windowTitle(), u"Formát papíru"_s);
    QVERIFY(shown.findChild<QLineEdit*>(u"formatName"_s)->isReadOnly());
    QVERIFY(!uitest::ButtonWithText(&shown, u"Storno"_s));
    TPaperFormatDlg add({u"uživ. formát"_s, 584, 826}, true);
    add.findChild<QLineEdit*>(u"formatName"_s)->setText(u"Štítek 70 x 36"_s);
    add.findChild<QSpinBox*>(u"formatHeight"_s)->setValue(142);
    const TFormatPapiru f = add.format();
    QCOMPARE(f.name, u"Štítek 70 x 36"_s);
    QCOMPARE(f.width, 584);
    QCOMPARE(f.height, 142);
    QCOMPARE(add.findChild<QLineEdit*>(u"formatName"_s)->maxLength(), 31);
  }
};

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
