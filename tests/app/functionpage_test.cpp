// The function page driven through its widgets: the lists chosen by keyboard
// show the function's input rows, captions, units and result decimals in both
// languages; Enter evaluates the inputs typed and moves the focus; a state
// without a value shows the reset text and its region's name, never a number.
#include <QtTest>

#include <QComboBox>

#include <cstdint>
#include <memory>
#include <vector>

#include "app/functionpage.h"
#include "props/functions.h"
#include "res/texts.h"
#include "testsupport.h"

using namespace Qt::Literals::StringLiterals;
using namespace testsupport;
using tab97::FunctionPage;

namespace {

// Decimal places of T, P, V, S, I, X: all different, and none equal to the
// three digits of the transport properties, so a result shown with the places
// of the wrong quantity cannot pass.
constexpr char kConfig[] = "1\r\n2\r\n8\r\n5\r\n4\r\n6\r\n";
constexpr int kPlaces[7] = {0, 1, 2, 8, 5, 4, 6};

struct EvalCall {
  std::int32_t code;
  double in1, in2, in3;
};
std::vector<EvalCall> gEvalCalls;
double gEvalAnswer = 0.0;
if97::PropertyRegion gEvalRegion = if97::kRegionWater;
double RecordingEvaluate(std::int32_t code, double in1, double in2, double in3, if97::PropertyRegion& region) {
  gEvalCalls.push_back({code, in1, in2, in3});
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
      shownCaptions << Text(qPrintable(u"Lvstup%1"_s.arg(k))).trimmed();
      shownUnits << Text(qPrintable(u"Ljedn%1"_s.arg(k))).trimmed();
      QCOMPARE(w_->Edit(qPrintable(u"EditVstup%1"_s.arg(k)))->text(), u"0,0"_s);
    }
    QCOMPARE(shownCaptions.join(u" ; "_s), F("captions"));
    QCOMPARE(shownUnits.join(u" ; "_s), F("units"));
    QCOMPARE(RowsShown(), shownCaptions.size());
    QCOMPARE(Text("Lvystup").trimmed(), F("result"));
    QCOMPARE(Text("LjednV").trimmed(), F("resultUnit"));
    QCOMPARE(page_->FunctionDecimals(), F("decimals").toInt());
    QCOMPARE(Text("Lhodnota"), u"0,0"_s);
    CheckUnitPlace();
    QCOMPARE(w_->form->focusWidget(), w_->Find<QWidget>("EditVstup1"));
  }

  void everyFunctionAgreesWithCatalogue_data() {
    QTest::addColumn<int>("code");
    for (const auto& f : if97::FunctionCatalogue()) QTest::newRow(f.nameEn) << int(f.code);
  }
  // Input count by code range (1 for group 1, 3 for HISO and PumpISO, 2 for the
  // rest); the captions of the inputs and the result as the mnemonic reads them
  // agree with the catalogue's quantities.
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
    for (int k = 0; k < f->inputCount; ++k) {
      QCOMPARE(Text(qPrintable(u"Ljedn%1"_s.arg(k + 1))), tab97::texts::Unit(1, f->inputs[k]));
      if (code < 505)
        QCOMPARE(Text(qPrintable(u"Lvstup%1"_s.arg(k + 1))), tab97::texts::ResultCaption(1, f->inputs[k]));
    }
    if (code < 500) {
      QCOMPARE(Text("Lvystup"), tab97::texts::ResultCaption(1, f->resultCell));
      QCOMPARE(Text("LjednV"), tab97::texts::Unit(1, f->resultCell));
      QCOMPARE(page_->FunctionDecimals(), kPlaces[f->resultCell]);
    }
  }

  // Only the chosen group's list shows; a list keeps its choice when its group
  // comes back.
  void groupChangeShowsOneList() {
    Open(u',', 0);
    for (int g = 1; g <= 5; ++g) {
      Choose(Combo(0), g - 1);
      for (int list = 1; list <= 5; ++list) QCOMPARE(!Combo(list)->isHidden(), list == g);
      QCOMPARE(Combo(g)->count(), int(if97::FunctionsOfGroup(g).size()));
      QCOMPARE(Text("Label27"), tab97::texts::GroupName(0, g));
      QCOMPARE(page_->FunctionCode(), g * 100);
    }
    Choose(Combo(5), 5);
    Choose(Combo(0), 0);
    Choose(Combo(0), 4);
    QCOMPARE(page_->FunctionCode(), 505);
    QCOMPARE(page_->FunctionName(), u"HISO"_s);
  }

  // Enter evaluates the inputs in order unless one still shows the reset text;
  // a typed zero is a value, written with the result's decimals. An unreadable
  // or empty input evaluates nothing and keeps the focus; hidden rows are not
  // read. With a point locale the reset text is "0.0", and "0,0" is a value.
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
    QCOMPARE(page_->FunctionInputs(), (std::array<double, 3>{10.0, 3000.5, 0.1}));
    Choose(Combo(5), 4);  // KAPA, two inputs; the reset writes the edits anew
    w_->Edit("EditVstup3")->setText(u"abc"_s);
    Evaluate({u"1"_s, u"2800"_s}, 2);
    Open(u'.', 1);
    QCOMPARE(page_->EmptyText(), u"0.0"_s);
    Evaluate({u"0,0"_s});
    QCOMPARE(gEvalCalls.size(), std::size_t{4});
    QVERIFY(gEvalCalls[0].code == 310 && gEvalCalls[0].in1 == 0.0 && gEvalCalls[0].in2 == 0.0);
    QVERIFY(gEvalCalls[1].code == 505 && gEvalCalls[1].in1 == 10.0 && gEvalCalls[1].in2 == 3000.5);
    QCOMPARE(gEvalCalls[1].in3, 0.1);
    QVERIFY(gEvalCalls[2].code == 504 && gEvalCalls[2].in3 == 0.0);
    QVERIFY(gEvalCalls[3].code == 100 && gEvalCalls[3].in1 == 0.0);
    QVERIFY(w_->messages.texts.isEmpty());
  }

  // With the property library: a value in the locale's separator, or the reset
  // text and the region's name under it for a state without a value.
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

  // Enter moves the focus through the rows shown, round to the first, also with
  // the reset texts; other keys are left to the edit.
  void focusMoves_data() { AddRows("window.txt", "focus", {"code", "path"}); }
  void focusMoves() {
    Open(u',', 0);
    ChooseFunction(F("code").toInt());
    for (const QString& next : F("path").split(u' ')) {
      QTest::keyClick(w_->form->focusWidget(), Qt::Key_Return);
      QCOMPARE(w_->form->focusWidget()->objectName(), u"EditVstup"_s + next);
    }
    QVERIFY(!page_->EditVstupKeyPress(w_->Edit("EditVstup1"), u'7'));
    QVERIFY(gEvalCalls.empty());
  }

  // The page's own menu entry changes nothing; entering it anew resets the
  // lists, the function, the inputs and the result.
  void enteringResets() {
    Open(u',', 0);
    gEvalAnswer = 3.5;
    ChooseFunction(407);
    Evaluate({u"300"_s, u"1"_s});
    w_->Menu("MenuFunkce3");
    QCOMPARE(Text("Lhodnota"), u"3,50000000"_s);
    QCOMPARE(Combo(0)->currentIndex(), 3);
    w_->Menu("menuVypocet3");
    w_->Menu("menuFunkce1");
    QVERIFY(Combo(0)->currentIndex() == 0 && Combo(4)->currentIndex() == 0);
    QCOMPARE(page_->FunctionCode(), 100);
    QCOMPARE(page_->FunctionName(), u"Ts_P"_s);
    QCOMPARE(w_->Edit("EditVstup1")->text(), u"0,0"_s);
    QCOMPARE(w_->Edit("EditVstup2")->text(), u"0,0"_s);
    QCOMPARE(Text("Lhodnota"), u"0,0"_s);
    QCOMPARE(RowsShown(), 1);
    QVERIFY(Combo(1)->isVisibleTo(page_) && !Combo(4)->isVisibleTo(page_));
  }

  // The region line belongs to the result it explains: a value evaluated next,
  // an unreadable input and a reset of the page each take it away.
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
    QCOMPARE(Text("Lhodnota"), u"0,250000"_s);
    QCOMPARE(Text("lblOblastFunkce"), QString());
    evaluate(9, 0.0);
    Evaluate({u"x"_s});
    QCOMPARE(Text("lblOblastFunkce"), QString());
    evaluate(9, 0.0);
    Choose(Combo(5), 1);  // Vlhkost: the page is reset
    QCOMPARE(Text("Lhodnota"), u"0,0"_s);
    QCOMPARE(Text("lblOblastFunkce"), QString());
  }
};

QTEST_MAIN(FunctionPageTest)
#include "functionpage_test.moc"
