// The function page through its widgets: the lists set rows, captions, units and decimals;
// Enter evaluates; a state without a value shows the reset text and its region's name.
#include <QtTest>

#include <QComboBox>

#include <memory>

#include "app/functionpage.h"
#include "props/functions.h"
#include "res/texts.h"
#include "testsupport.h"

using namespace Qt::Literals::StringLiterals;
using namespace testsupport;
using tab97::FunctionPage;

namespace {

// Places of T, P, V, S, I, X, all different and none 3 (transport properties): wrong places cannot pass.
constexpr char kConfig[] = "1\r\n2\r\n8\r\n5\r\n4\r\n6\r\n";
constexpr int kPlaces[7] = {0, 1, 2, 8, 5, 4, 6};

// The evaluations asked for, each written "code in1 in2 in3", and the answer given.
QStringList gEvalCalls;
double gEvalAnswer = 0.0;
if97::PropertyRegion gEvalRegion = if97::kRegionWater;
double RecordingEvaluate(std::int32_t code, double in1, double in2, double in3, if97::PropertyRegion& region) {
  gEvalCalls << QString::asprintf("%d %g %g %g", code, in1, in2, in3);
  region = gEvalRegion;
  return gEvalAnswer;
}

}  // namespace

class FunctionPageTest : public QObject {
  Q_OBJECT

  std::unique_ptr<TestWindow> w_;
  FunctionPage* page_ = nullptr;

  // The function page in its window; `recording` evaluates through the recorder.
  void Open(QChar separator, int language, bool recording = true) {
    w_.reset();
    w_ = std::make_unique<TestWindow>(separator, kConfig, language);
    w_->Menu("menuFunkce1");
    page_ = w_->form->findChild<FunctionPage*>();
    if (recording) page_->SetEvaluator(&RecordingEvaluate);
  }
  QString Text(const char* label) const { return w_->Text(label); }
  QString Row(const char* prefix, int k) const { return Text(qPrintable(QLatin1String(prefix) + QString::number(k))); }
  QComboBox* Combo(int list) const {
    return w_->Find<QComboBox>(list ? qPrintable(u"Combo%1"_s.arg(list)) : "ComboSkupiny");
  }
  // Picks an item as the user does with the keyboard: Home, then Down.
  static void Choose(QComboBox* combo, int index) {
    QTest::keyClick(combo, Qt::Key_Home);
    for (int i = 0; i < index; ++i) QTest::keyClick(combo, Qt::Key_Down);
    QCOMPARE(combo->currentIndex(), index);
  }
  void ChooseFunction(std::int32_t code) {
    Choose(Combo(0), code / 100 - 1);
    Choose(Combo(code / 100), code % 100);
    QCOMPARE(page_->FunctionCode(), code);
  }
  // Types the inputs into EditVstup1.. and presses Enter in `enterIn`.
  void Evaluate(const QStringList& inputs, int enterIn = 1) {
    for (int k = 0; k < inputs.size(); ++k) w_->Type(qPrintable(u"EditVstup%1"_s.arg(k + 1)), inputs[k]);
    w_->Enter(qPrintable(u"EditVstup%1"_s.arg(enterIn)));
  }
  // Input rows shown, each with its caption, edit and unit.
  int RowsShown() const {
    int rows = 0;
    for (const char* prefix : {"Lvstup", "EditVstup", "Ljedn"})
      for (int k = 1; k <= 3; ++k)
        rows += !w_->Find<QWidget>(qPrintable(QLatin1String(prefix) + QString::number(k)))->isHidden();
    return rows % 3 == 0 ? rows / 3 : -1;
  }
  void CheckUnitPlace() const { QCOMPARE(w_->Find("LjednV")->x(), w_->Find("Lhodnota")->geometry().right() + 1 + 8); }

 private slots:
  void init() {
    gEvalCalls.clear();
    gEvalAnswer = 0.0;
    gEvalRegion = if97::kRegionWater;
  }
  void cleanup() { w_.reset(); }

  void functionRows_data() {
    AddRows("window.txt", "functionRows",
            {"language", "code", "captions", "units", "result", "resultUnit", "decimals"});
  }
  void functionRows() {
    Open(u',', F("language").toInt());
    ChooseFunction(F("code").toInt());
    QStringList shownCaptions, shownUnits;
    for (int k = 1; k <= page_->FunctionInputCount(); ++k) {
      shownCaptions << Row("Lvstup", k).trimmed();
      shownUnits << Row("Ljedn", k).trimmed();
      QCOMPARE(w_->Edit(qPrintable(u"EditVstup%1"_s.arg(k)))->text(), u"0,0"_s);
    }
    QCOMPARE(shownCaptions.join(u" ; "_s), F("captions"));
    QCOMPARE(shownUnits.join(u" ; "_s), F("units"));
    QCOMPARE(Text("Lvystup").trimmed(), F("result"));
    QCOMPARE(Text("LjednV").trimmed(), F("resultUnit"));
    QCOMPARE(page_->FunctionDecimals(), F("decimals").toInt());
    QCOMPARE(Text("Lhodnota"), u"0,0"_s);
    QCOMPARE(w_->form->focusWidget(), w_->Find<QWidget>("EditVstup1"));
  }

  // Rows by code (1 in group 1, 3 for HISO and PumpISO, else 2); the mnemonic agrees with the catalogue, and only
  // the group's list shows.
  void everyFunctionAgreesWithCatalogue_data() {
    QTest::addColumn<int>("code");
    for (const auto& f : if97::FunctionCatalogue()) QTest::newRow(f.nameEn) << int(f.code);
  }
  void everyFunctionAgreesWithCatalogue() {
    QFETCH(int, code);
    Open(u'.', 1);
    ChooseFunction(code);
    const if97::FunctionEntry* f = if97::FindFunction(code);
    QVERIFY(f != nullptr);
    const int rows = code < 200 ? 1 : code >= 505 ? 3 : 2;
    QCOMPARE(page_->FunctionInputCount(), rows);
    QCOMPARE(RowsShown(), rows);
    QCOMPARE(page_->FunctionName(), QString::fromUtf8(f->nameEn));
    for (int list = 1; list <= 5; ++list) QCOMPARE(!Combo(list)->isHidden(), list == code / 100);
    QCOMPARE(Text("Label27"), tab97::texts::GroupName(1, code / 100));
    for (int k = 1; k <= f->inputCount; ++k) {
      QCOMPARE(Row("Ljedn", k), tab97::texts::Unit(1, f->inputs[k - 1]));
      if (code < 505) QCOMPARE(Row("Lvstup", k), tab97::texts::ResultCaption(1, f->inputs[k - 1]));
    }
    if (code < 500) {
      QCOMPARE(Text("Lvystup"), tab97::texts::ResultCaption(1, f->resultCell));
      QCOMPARE(Text("LjednV"), tab97::texts::Unit(1, f->resultCell));
      QCOMPARE(page_->FunctionDecimals(), kPlaces[f->resultCell]);
    }
  }

  // Enter evaluates unless an input shows the reset text ("0.0" in a point locale, where "0,0" is a value); an
  // unreadable or empty input evaluates nothing and keeps the focus; hidden rows are not read.
  void evaluation() {
    Open(u',', 0);
    ChooseFunction(310);  // V_TP
    w_->Enter("EditVstup1");
    Evaluate({u"100"_s}, 2);
    QVERIFY(gEvalCalls.empty());
    QCOMPARE(Text("Lhodnota"), u"0,0"_s);
    Evaluate({u"0"_s, u"0,00"_s});
    QCOMPARE(Text("Lhodnota"), u"0,00000000"_s);
    w_->Edit("EditVstup2")->setFocus();
    for (const QString& bad : {u"1,2,3"_s, QString()}) {
      Evaluate({u"100"_s, bad}, 2);
      QCOMPARE(Text("Lhodnota"), u"0,0"_s);
      QCOMPARE(w_->form->focusWidget(), w_->Find<QWidget>("EditVstup2"));
    }
    ChooseFunction(505);
    Evaluate({u"10"_s, u"3000,5"_s, u"0.1"_s}, 3);
    Choose(Combo(5), 4);  // KAPA, two inputs; the reset writes the edits anew
    w_->Edit("EditVstup3")->setText(u"abc"_s);
    Evaluate({u"1"_s, u"2800"_s}, 2);
    Open(u'.', 1);
    QCOMPARE(page_->EmptyText(), u"0.0"_s);
    Evaluate({u"0,0"_s});
    QCOMPARE(gEvalCalls, (QStringList{u"310 0 0 0"_s, u"505 10 3000.5 0.1"_s, u"504 1 2800 0"_s, u"100 0 0 0"_s}));
    QVERIFY(w_->messages.texts.isEmpty());
  }

  // With the property library: a value in the locale's separator, or the reset text and the region's name.
  void libraryValues_data() {
    AddRows("window.txt", "functionValues", {"separator", "language", "code", "inputs", "shown", "region"});
  }
  void libraryValues() {
    Open(F("separator")[0], F("language").toInt(), false);
    ChooseFunction(F("code").toInt());
    Evaluate(F("inputs").split(u' '));
    QCOMPARE(Text("Lhodnota"), F("shown"));
    QCOMPARE(Text("lblOblastFunkce"), F("region"));
    QVERIFY(w_->Find("lblOblastFunkce")->isVisibleTo(page_));
    CheckUnitPlace();
  }

  // Enter moves the focus through the rows shown, round to the first, also with the reset texts.
  void focusMoves_data() { AddRows("window.txt", "focus", {"code", "path"}); }
  void focusMoves() {
    Open(u',', 0);
    ChooseFunction(F("code").toInt());
    for (const QString& next : F("path").split(u' ')) {
      QTest::keyClick(w_->form->focusWidget(), Qt::Key_Return);
      QCOMPARE(w_->form->focusWidget()->objectName(), u"EditVstup"_s + next);
    }
    QVERIFY(gEvalCalls.empty());
  }

  // A list keeps its choice when its group comes back; the page's own menu entry changes nothing; entering it
  // anew resets lists, function, inputs and result.
  void enteringResets() {
    Open(u',', 0);
    gEvalAnswer = 3.5;
    Choose(Combo(0), 4);
    Choose(Combo(5), 5);
    ChooseFunction(407);
    Choose(Combo(0), 4);
    QCOMPARE(page_->FunctionName(), u"HISO"_s);
    Choose(Combo(0), 3);
    QCOMPARE(page_->FunctionCode(), 407);
    Evaluate({u"300"_s, u"1"_s});
    w_->Menu("MenuFunkce3");
    QCOMPARE(Text("Lhodnota"), u"3,50000000"_s);
    QCOMPARE(Combo(0)->currentIndex(), 3);
    w_->Menu("menuVypocet3");
    w_->Menu("menuFunkce1");
    QVERIFY(Combo(0)->currentIndex() == 0 && Combo(4)->currentIndex() == 0);
    QCOMPARE(page_->FunctionName(), u"Ts_P"_s);
    QCOMPARE(w_->Edit("EditVstup1")->text() + w_->Edit("EditVstup2")->text() + Text("Lhodnota"), u"0,00,00,0"_s);
    QCOMPARE(RowsShown(), 1);
    QVERIFY(Combo(1)->isVisibleTo(page_) && !Combo(4)->isVisibleTo(page_));
  }

  // The region line goes with its result: a next value, an unreadable input and a reset take it away.
  void regionGoesWithTheNextValue() {
    Open(u',', 0);
    ChooseFunction(500);  // Suchost
    const auto evaluate = [this](if97::PropertyRegion region, double answer) {
      gEvalRegion = region;
      gEvalAnswer = answer;
      Evaluate({u"1"_s, u"2000"_s}, 2);
    };
    evaluate(7, -1.0);  // a dryness the region does not define
    QCOMPARE(Text("Lhodnota"), u"0,0"_s);
    QCOMPARE(Text("lblOblastFunkce"), u"Mez sytosti"_s);
    evaluate(6, 0.25);
    QCOMPARE(Text("Lhodnota") + Text("lblOblastFunkce"), u"0,250000"_s);
    evaluate(9, 0.0);
    Evaluate({u"x"_s});
    QCOMPARE(Text("lblOblastFunkce"), QString());
    evaluate(9, 0.0);
    Choose(Combo(5), 1);  // Vlhkost: the page is reset
    QCOMPARE(Text("Lhodnota") + Text("lblOblastFunkce"), u"0,0"_s);
  }
};

QTEST_MAIN(FunctionPageTest)
#include "functionpage_test.moc"
