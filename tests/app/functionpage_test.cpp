// The function page driven through its widgets: the group and function lists
// chosen by keyboard show the right input rows, captions, units and result
// decimals in both languages; Enter evaluates unless an input still shows the
// reset text; a typed "0" is evaluated; point and comma give the same result;
// unreadable inputs and the focus moves behave as the page promises; a state
// without a value shows the reset text and its region's name, never a number.
// Reference values of the property functions come from the published IF97
// verification tables.
#include <QtTest>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include <cstdint>
#include <memory>
#include <vector>

#include "app/functionlogic.h"
#include "app/functionpage.h"
#include "app/hlavniform.h"
#include "props/functions.h"
#include "res/texts.h"
#include "testsupport.h"

using namespace Qt::Literals::StringLiterals;
using namespace testsupport;
using tab97::FunctionPage;
using tab97::ThlavniForm;

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
std::vector<EvalCall>& EvalCalls() {
  static std::vector<EvalCall> calls;
  return calls;
}
double gEvalAnswer = 0.0;
if97::PropertyRegion gEvalRegion = if97::kRegionWater;
double RecordingEvaluate(std::int32_t code, double in1, double in2, double in3, if97::PropertyRegion& region) {
  EvalCalls().push_back({code, in1, in2, in3});
  region = gEvalRegion;
  return gEvalAnswer;
}

}  // namespace

class FunctionPageTest : public QObject {
  Q_OBJECT
 private slots:
  void init();
  void cleanup();

  void functionRows_data();
  void functionRows();
  void everyFunctionAgreesWithCatalogue_data();
  void everyFunctionAgreesWithCatalogue();
  void groupChangeShowsOneList();
  void resetTextCountsAsNotEntered();
  void typedZeroIsEvaluated();
  void inputsPassedInOrder();
  void hiddenInputsAreNotRead();
  void separatorsGiveSameResult_data();
  void separatorsGiveSameResult();
  void referenceValues_data();
  void referenceValues();
  void unreadableInput();
  void focusMoves_data();
  void focusMoves();
  void resultFormatting_data();
  void resultFormatting();
  void enteringResets();
  void regionInsteadOfResult_data();
  void regionInsteadOfResult();
  void stateWithoutValueShowsRegion_data();
  void stateWithoutValueShowsRegion();
  void regionGoesWithTheNextValue();

 private:
  void Make(QChar separator, int language) {
    w_ = std::make_unique<TestWindow>(separator, kConfig);
    form_ = w_->form.get();
    if (language == tab97::texts::kEnglish) form_->Image14Click();
    else form_->Image13Click();
    form_->menuMouseUp(Find("menuFunkce1"));
    page_ = form_->findChild<FunctionPage*>();
    QVERIFY(page_ != nullptr);
    QCOMPARE(form_->CurrentPageIndex(), int(ThlavniForm::kPageFunctions));
  }
  template <typename T = QLabel>
  T* Find(const char* name) const {
    return w_->Find<T>(name);
  }
  QString Text(const char* label) const { return Find(label)->text(); }
  // Picks an item as the user does with the keyboard: Home, then Down.
  static void Choose(QComboBox* combo, int index) {
    QTest::keyClick(combo, Qt::Key_Home);
    for (int i = 0; i < index; ++i) QTest::keyClick(combo, Qt::Key_Down);
    QCOMPARE(combo->currentIndex(), index);
  }
  void ChooseFunction(std::int32_t code) {
    const int group = code / 100;
    Choose(Find<QComboBox>("ComboSkupiny"), group - 1);
    Choose(Find<QComboBox>(qPrintable(u"Combo%1"_s.arg(group))), code % 100);
    QCOMPARE(page_->FunctionCode(), code);
  }
  void Type(const char* edit, const QString& text) {
    auto* e = Find<QLineEdit>(edit);
    e->clear();
    QTest::keyClicks(e, text);
  }
  void Enter(const char* edit) { QTest::keyClick(Find<QLineEdit>(edit), Qt::Key_Return); }
  bool RowShown(int k) const {
    const QByteArray n = QByteArray::number(k);
    const bool caption = !Find(("Lvstup" + n).constData())->isHidden();
    const bool edit = !Find<QLineEdit>(("EditVstup" + n).constData())->isHidden();
    const bool unit = !Find(("Ljedn" + n).constData())->isHidden();
    if (caption != edit || edit != unit) qWarning("row %d partly shown", k);
    return caption && edit && unit;
  }

  std::unique_ptr<TestWindow> w_;
  ThlavniForm* form_ = nullptr;
  FunctionPage* page_ = nullptr;
  std::unique_ptr<MessageRecorder> messages_;
};

void FunctionPageTest::init() {
  messages_ = std::make_unique<MessageRecorder>();
  EvalCalls().clear();
  gEvalAnswer = 0.0;
  gEvalRegion = if97::kRegionWater;
}

void FunctionPageTest::cleanup() {
  w_.reset();
  messages_.reset();
}

void FunctionPageTest::functionRows_data() {
  QTest::addColumn<int>("language");
  QTest::addColumn<int>("code");
  QTest::addColumn<int>("rows");
  QTest::addColumn<QStringList>("captions");  // Lvstup1..rows
  QTest::addColumn<QStringList>("units");     // Ljedn1..rows
  QTest::addColumn<QString>("result");
  QTest::addColumn<QString>("resultUnit");
  QTest::addColumn<int>("decimals");
  const QString blank = u" "_s;
  QTest::newRow("cs Ts_P") << 0 << 100 << 1 << QStringList{u"Tlak = "_s} << QStringList{u"MPa"_s}
                           << u"Teplota = "_s << u"°C"_s << kPlaces[1];
  QTest::newRow("en S_VI") << 1 << 315 << 2 << QStringList{u"Specific volume = "_s, u"Specific enthalpy = "_s}
                           << QStringList{u"m3/kg"_s, u"kJ/kg"_s} << u"Specific entropy = "_s << u"kJ/kgK"_s
                           << kPlaces[4];
  QTest::newRow("cs viskozita") << 0 << 502 << 2 << QStringList{u"Teplota = "_s, u"Tlak = "_s}
                                << QStringList{u"°C"_s, u"MPa"_s} << u"Dynamická viskozita = "_s
                                << u"E-6 kg/m.s"_s << 3;
  QTest::newRow("cs KAPA") << 0 << 504 << 2 << QStringList{u"Tlak = "_s, u"Entalpie = "_s}
                           << QStringList{u"MPa"_s, u"kJ/kg"_s} << u"Isoentropický exponent = "_s << blank
                           << kPlaces[6];
  QTest::newRow("cs HISO") << 0 << 505 << 3
                           << QStringList{u"Tlak poč. expanze = "_s, u"Entalpie poč. expanze = "_s,
                                          u"Tlak konce expanze = "_s}
                           << QStringList{u"MPa"_s, u"kJ/kg"_s, u"MPa"_s} << u"Isoentropický spád = "_s << u"kJ/kg"_s
                           << kPlaces[5];
  QTest::newRow("en PumpISO") << 1 << 506 << 3
                              << QStringList{u"Pressure-before compression = "_s,
                                             u"Temperature-before compression = "_s,
                                             u"Pressure-after compression = "_s}
                              << QStringList{u"MPa"_s, u"°C"_s, u"MPa"_s} << u"Isentropic heat increasing = "_s
                              << u"kJ/kg"_s << kPlaces[5];
}

void FunctionPageTest::functionRows() {
  QFETCH(int, language);
  QFETCH(int, code);
  QFETCH(int, rows);
  QFETCH(QStringList, captions);
  QFETCH(QStringList, units);
  QFETCH(QString, result);
  QFETCH(QString, resultUnit);
  QFETCH(int, decimals);
  Make(QLatin1Char(','), language);
  ChooseFunction(code);
  QCOMPARE(page_->FunctionInputCount(), rows);
  QCOMPARE(page_->FunctionDecimals(), decimals);
  for (int k = 1; k <= 3; ++k) {
    QCOMPARE(RowShown(k), k <= rows);
    if (k > rows) continue;
    const QByteArray n = QByteArray::number(k);
    QCOMPARE(Text(("Lvstup" + n).constData()), captions[k - 1]);
    QCOMPARE(Text(("Ljedn" + n).constData()), units[k - 1]);
    QCOMPARE(Find<QLineEdit>(("EditVstup" + n).constData())->text(), u"0,0"_s);
  }
  QCOMPARE(Text("Lvystup"), result);
  QCOMPARE(Text("LjednV"), resultUnit);
  QCOMPARE(Text("Lhodnota"), u"0,0"_s);
  QCOMPARE(Find("LjednV")->x(), Find("Lhodnota")->geometry().right() + 1 + 8);
  QCOMPARE(form_->focusWidget(), Find<QWidget>("EditVstup1"));
}

void FunctionPageTest::everyFunctionAgreesWithCatalogue_data() {
  QTest::addColumn<int>("code");
  for (const auto& f : if97::FunctionCatalogue()) QTest::newRow(f.nameEn) << int(f.code);
}

// Input count by code range (1 for group 1, 3 for HISO and PumpISO, 2 for the
// rest); the captions of the inputs and the result as the mnemonic reads them
// agree with the catalogue's quantities.
void FunctionPageTest::everyFunctionAgreesWithCatalogue() {
  QFETCH(int, code);
  Make(QLatin1Char('.'), 1);
  ChooseFunction(code);
  const if97::FunctionEntry* f = if97::FindFunction(code);
  QVERIFY(f != nullptr);
  const int expectedRows = code < 200 ? 1 : code >= 505 ? 3 : 2;
  QCOMPARE(page_->FunctionInputCount(), expectedRows);
  for (int k = 1; k <= 3; ++k) QCOMPARE(RowShown(k), k <= expectedRows);
  QCOMPARE(page_->FunctionName(), QString::fromUtf8(f->nameEn));
  for (int k = 0; k < f->inputCount; ++k) {
    const QByteArray n = QByteArray::number(k + 1);
    QCOMPARE(Text(("Ljedn" + n).constData()), tab97::texts::Unit(1, f->inputs[k]));
    if (code < 505) QCOMPARE(Text(("Lvstup" + n).constData()), tab97::texts::ResultCaption(1, f->inputs[k]));
  }
  if (code < 500) {
    QCOMPARE(Text("Lvystup"), tab97::texts::ResultCaption(1, f->resultCell));
    QCOMPARE(Text("LjednV"), tab97::texts::Unit(1, f->resultCell));
    QCOMPARE(page_->FunctionDecimals(), kPlaces[f->resultCell]);
  }
}

void FunctionPageTest::groupChangeShowsOneList() {
  Make(QLatin1Char(','), 0);
  for (int g = 1; g <= 5; ++g) {
    Choose(Find<QComboBox>("ComboSkupiny"), g - 1);
    for (int list = 1; list <= 5; ++list)
      QCOMPARE(!Find<QComboBox>(qPrintable(u"Combo%1"_s.arg(list)))->isHidden(), list == g);
    QCOMPARE(Find<QComboBox>(qPrintable(u"Combo%1"_s.arg(g)))->count(), int(if97::FunctionsOfGroup(g).size()));
    QCOMPARE(Text("Label27"), tab97::texts::GroupName(0, g));
    QCOMPARE(page_->FunctionCode(), g * 100);
  }
  // The list keeps its choice when the group comes back.
  Choose(Find<QComboBox>("Combo5"), 5);
  Choose(Find<QComboBox>("ComboSkupiny"), 0);
  Choose(Find<QComboBox>("ComboSkupiny"), 4);
  QCOMPARE(page_->FunctionCode(), 505);
  QCOMPARE(page_->FunctionName(), u"HISO"_s);
}

void FunctionPageTest::resetTextCountsAsNotEntered() {
  Make(QLatin1Char(','), 0);
  page_->SetEvaluator(&RecordingEvaluate);
  gEvalAnswer = 7.25;
  ChooseFunction(310);  // V_TP
  Enter("EditVstup1");
  QVERIFY(EvalCalls().empty());
  QCOMPARE(Text("Lhodnota"), u"0,0"_s);
  // One input typed, the other still at the reset text.
  Type("EditVstup1", u"100"_s);
  Enter("EditVstup2");
  QVERIFY(EvalCalls().empty());
  QCOMPARE(Text("Lhodnota"), u"0,0"_s);
  QCOMPARE(Find("LjednV")->x(), Find("Lhodnota")->geometry().right() + 1 + 8);
  // With a point locale the reset text is "0.0"; "0,0" typed there is a value.
  Make(QLatin1Char('.'), 1);
  page_->SetEvaluator(&RecordingEvaluate);
  QCOMPARE(page_->EmptyText(), u"0.0"_s);
  Type("EditVstup1", u"0,0"_s);
  Enter("EditVstup1");
  QCOMPARE(EvalCalls().size(), std::size_t{1});
  QCOMPARE(EvalCalls()[0].in1, 0.0);
}

void FunctionPageTest::typedZeroIsEvaluated() {
  Make(QLatin1Char(','), 0);
  page_->SetEvaluator(&RecordingEvaluate);
  gEvalAnswer = 0.0;
  ChooseFunction(102);  // V12_T: a volume, eight places
  Type("EditVstup1", u"0"_s);
  Enter("EditVstup1");
  QCOMPARE(EvalCalls().size(), std::size_t{1});
  QCOMPARE(EvalCalls()[0].code, 102);
  QCOMPARE(EvalCalls()[0].in1, 0.0);
  // An evaluated zero is written with the result's decimals, unlike the reset text.
  QCOMPARE(Text("Lhodnota"), u"0,00000000"_s);
  Type("EditVstup1", u"0,00"_s);
  Enter("EditVstup1");
  QCOMPARE(EvalCalls().size(), std::size_t{2});
}

void FunctionPageTest::inputsPassedInOrder() {
  Make(QLatin1Char(','), 0);
  page_->SetEvaluator(&RecordingEvaluate);
  ChooseFunction(505);
  Type("EditVstup1", u"10"_s);
  Type("EditVstup2", u"3000,5"_s);
  Type("EditVstup3", u"0.1"_s);
  Enter("EditVstup3");
  QCOMPARE(EvalCalls().size(), std::size_t{1});
  QCOMPARE(EvalCalls()[0].code, 505);
  QCOMPARE(EvalCalls()[0].in1, 10.0);
  QCOMPARE(EvalCalls()[0].in2, 3000.5);
  QCOMPARE(EvalCalls()[0].in3, 0.1);
  QCOMPARE(page_->FunctionInputs(), (std::array<double, 3>{10.0, 3000.5, 0.1}));
}

// Rows not shown are neither checked for the reset text nor read: a two-input
// function ignores what the hidden third edit holds.
void FunctionPageTest::hiddenInputsAreNotRead() {
  Make(QLatin1Char(','), 0);
  page_->SetEvaluator(&RecordingEvaluate);
  ChooseFunction(505);
  Type("EditVstup3", u"abc"_s);
  Choose(Find<QComboBox>("Combo5"), 4);  // KAPA, two inputs; the reset writes the edits anew
  Find<QLineEdit>("EditVstup3")->setText(u"abc"_s);
  Type("EditVstup1", u"1"_s);
  Type("EditVstup2", u"2800"_s);
  Enter("EditVstup2");
  QCOMPARE(EvalCalls().size(), std::size_t{1});
  QCOMPARE(EvalCalls()[0].code, 504);
  QCOMPARE(EvalCalls()[0].in3, 0.0);
}

void FunctionPageTest::separatorsGiveSameResult_data() {
  QTest::addColumn<QChar>("separator");
  QTest::addColumn<QString>("typed");
  QTest::addColumn<QString>("shown");
  // Saturation temperature at 1.5 MPa: 198.3 °C in the steam tables, shown
  // with one decimal.
  QTest::newRow("comma locale, point") << QChar(u',') << u"1.5"_s << u"198,3"_s;
  QTest::newRow("comma locale, comma") << QChar(u',') << u"1,5"_s << u"198,3"_s;
  QTest::newRow("point locale, point") << QChar(u'.') << u"1.5"_s << u"198.3"_s;
  QTest::newRow("point locale, comma") << QChar(u'.') << u"1,5"_s << u"198.3"_s;
}

void FunctionPageTest::separatorsGiveSameResult() {
  QFETCH(QChar, separator);
  QFETCH(QString, typed);
  QFETCH(QString, shown);
  Make(separator, 0);
  ChooseFunction(100);
  Type("EditVstup1", typed);
  Enter("EditVstup1");
  QCOMPARE(Text("Lhodnota"), shown);
}

void FunctionPageTest::referenceValues_data() {
  QTest::addColumn<int>("code");
  QTest::addColumn<QStringList>("inputs");
  QTest::addColumn<QString>("shown");
  // IF97 verification values: saturation temperature 453.035632 K at 1 MPa;
  // saturation pressure 2.63889776 MPa at 500 K; region 1 at 300 K, 3 MPa: v = 0.00100215168 m3/kg,
  // h = 115.331273 kJ/kg; region 2 at 700 K, 30 MPa: s = 5.17540298 kJ/(kg K).
  QTest::newRow("Ts_P 1 MPa") << 100 << QStringList{u"1"_s} << u"179.9"_s;
  QTest::newRow("Ps_T 500 K") << 101 << QStringList{u"226.85"_s} << u"2.64"_s;
  QTest::newRow("V_TP 300 K 3 MPa") << 310 << QStringList{u"26.85"_s, u"3"_s} << u"0.00100215"_s;
  QTest::newRow("I_TP 300 K 3 MPa") << 317 << QStringList{u"26.85"_s, u"3"_s} << u"115.3313"_s;
  QTest::newRow("S_TP 700 K 30 MPa") << 313 << QStringList{u"426.85"_s, u"30"_s} << u"5.17540"_s;
  // HISO with the end pressure at or above the start: no drop.
  QTest::newRow("HISO no expansion") << 505 << QStringList{u"1"_s, u"3000"_s, u"1"_s} << u"0.0000"_s;
  QTest::newRow("HISO compression") << 505 << QStringList{u"1"_s, u"3000"_s, u"2"_s} << u"0.0000"_s;
}

void FunctionPageTest::referenceValues() {
  QFETCH(int, code);
  QFETCH(QStringList, inputs);
  QFETCH(QString, shown);
  Make(QLatin1Char('.'), 1);
  ChooseFunction(code);
  for (int k = 0; k < inputs.size(); ++k) Type(qPrintable(u"EditVstup%1"_s.arg(k + 1)), inputs[k]);
  Enter("EditVstup1");
  QCOMPARE(Text("Lhodnota"), shown);
}

void FunctionPageTest::unreadableInput() {
  Make(QLatin1Char(','), 0);
  page_->SetEvaluator(&RecordingEvaluate);
  gEvalAnswer = 5.0;
  ChooseFunction(310);
  Type("EditVstup1", u"100"_s);
  Type("EditVstup2", u"1"_s);
  Enter("EditVstup1");
  QCOMPARE(Text("Lhodnota"), u"5,00000000"_s);
  Find<QLineEdit>("EditVstup2")->setFocus();
  Type("EditVstup2", u"1,2,3"_s);
  Enter("EditVstup2");
  QCOMPARE(EvalCalls().size(), std::size_t{1});
  QCOMPARE(Text("Lhodnota"), u"0,0"_s);
  QCOMPARE(form_->focusWidget(), Find<QWidget>("EditVstup2"));  // the focus stays
  Type("EditVstup2", QString());
  Enter("EditVstup2");
  QCOMPARE(EvalCalls().size(), std::size_t{1});
  QCOMPARE(Text("Lhodnota"), u"0,0"_s);
  QVERIFY(messages_->texts.isEmpty());
}

void FunctionPageTest::focusMoves_data() {
  QTest::addColumn<int>("code");
  QTest::addColumn<QStringList>("path");  // the edit focused after Enter in edit 1, then in that one, ...
  QTest::newRow("one input") << 100 << QStringList{u"EditVstup1"_s, u"EditVstup1"_s};
  QTest::newRow("two inputs") << 310 << QStringList{u"EditVstup2"_s, u"EditVstup1"_s, u"EditVstup2"_s};
  QTest::newRow("three inputs") << 506
                                << QStringList{u"EditVstup2"_s, u"EditVstup3"_s, u"EditVstup1"_s, u"EditVstup2"_s};
}

void FunctionPageTest::focusMoves() {
  QFETCH(int, code);
  QFETCH(QStringList, path);
  Make(QLatin1Char(','), 0);
  page_->SetEvaluator(&RecordingEvaluate);
  ChooseFunction(code);
  QCOMPARE(form_->focusWidget(), Find<QWidget>("EditVstup1"));
  for (const QString& next : path) {
    auto* from = qobject_cast<QLineEdit*>(form_->focusWidget());
    QVERIFY(from != nullptr);
    QTest::keyClick(from, Qt::Key_Return);
    QCOMPARE(form_->focusWidget()->objectName(), next);
  }
  QVERIFY(EvalCalls().empty());  // the reset texts were never replaced
  // Other keys pass through to the edit.
  QVERIFY(!page_->EditVstupKeyPress(Find<QLineEdit>("EditVstup1"), QLatin1Char('7')));
  Type("EditVstup1", u"12a"_s);
  QCOMPARE(Find<QLineEdit>("EditVstup1")->text(), u"12a"_s);
  QVERIFY(EvalCalls().empty());
}

void FunctionPageTest::resultFormatting_data() {
  QTest::addColumn<int>("code");
  QTest::addColumn<double>("answer");
  QTest::addColumn<QString>("shown");
  QTest::newRow("enthalpy, 4 places") << 317 << 1234.567891 << u"1234,5679"_s;
  QTest::newRow("viscosity, 3 places") << 502 << 87.30567 << u"87,306"_s;
  QTest::newRow("dryness, 6 places") << 500 << 0.5 << u"0,500000"_s;
  QTest::newRow("ten significant digits") << 310 << 1234.56789012345 << u"1234,56789000"_s;
}

void FunctionPageTest::resultFormatting() {
  QFETCH(int, code);
  QFETCH(double, answer);
  QFETCH(QString, shown);
  Make(QLatin1Char(','), 0);
  page_->SetEvaluator(&RecordingEvaluate);
  gEvalAnswer = answer;
  ChooseFunction(code);
  for (int k = 1; k <= page_->FunctionInputCount(); ++k) Type(qPrintable(u"EditVstup%1"_s.arg(k)), u"1"_s);
  Enter("EditVstup1");
  QCOMPARE(EvalCalls().size(), std::size_t{1});
  QCOMPARE(Text("Lhodnota"), shown);
  QCOMPARE(Find("LjednV")->x(), Find("Lhodnota")->geometry().right() + 1 + 8);
}

void FunctionPageTest::enteringResets() {
  Make(QLatin1Char(','), 0);
  page_->SetEvaluator(&RecordingEvaluate);
  gEvalAnswer = 3.5;
  ChooseFunction(407);
  Type("EditVstup1", u"300"_s);
  Type("EditVstup2", u"1"_s);
  Enter("EditVstup1");
  QCOMPARE(Text("Lhodnota"), u"3,50000000"_s);
  form_->menuMouseUp(Find("menuVypocet3"));
  form_->menuMouseUp(Find("menuFunkce1"));
  QCOMPARE(Find<QComboBox>("ComboSkupiny")->currentIndex(), 0);
  QCOMPARE(Find<QComboBox>("Combo4")->currentIndex(), 0);
  QCOMPARE(page_->FunctionCode(), 100);
  QCOMPARE(page_->FunctionName(), u"Ts_P"_s);
  QCOMPARE(Find<QLineEdit>("EditVstup1")->text(), u"0,0"_s);
  QCOMPARE(Find<QLineEdit>("EditVstup2")->text(), u"0,0"_s);
  QCOMPARE(Text("Lhodnota"), u"0,0"_s);
  QVERIFY(!RowShown(2));
  QVERIFY(Find<QComboBox>("Combo1")->isVisibleTo(page_));
  QVERIFY(!Find<QComboBox>("Combo4")->isVisibleTo(page_));
}

void FunctionPageTest::regionInsteadOfResult_data() {
  using M = if97::FunctionMethod;
  QTest::addColumn<int>("method");
  QTest::addColumn<int>("region");
  QTest::addColumn<int>("named");  // the region shown instead of the result; 0: the result is shown
  QTest::newRow("solve, water") << int(M::kSolve) << 1 << 0;
  QTest::newRow("solve, wet steam") << int(M::kSolve) << 6 << 0;
  QTest::newRow("solve, metastable") << int(M::kSolve) << 8 << 0;
  QTest::newRow("solve, out of range (display)") << int(M::kSolve) << 4 << 4;
  QTest::newRow("solve, inputs out of range") << int(M::kSolve) << 9 << 9;
  QTest::newRow("solve, pair not tuned") << int(M::kSolve) << 10 << 10;
  QTest::newRow("solve, pair not available") << int(M::kSolve) << 11 << 11;
  QTest::newRow("solve, saturation line") << int(M::kSolve) << 7 << 0;
  QTest::newRow("no evaluation") << int(M::kSolve) << 0 << 0;
  QTest::newRow("dryness, steam") << int(M::kDryness) << 2 << 0;
  QTest::newRow("dryness, critical") << int(M::kDryness) << 3 << 0;
  QTest::newRow("dryness, wet critical") << int(M::kDryness) << 5 << 0;
  QTest::newRow("dryness, metastable") << int(M::kDryness) << 8 << 0;
  QTest::newRow("dryness, saturation line") << int(M::kDryness) << 7 << 7;
  QTest::newRow("dryness, out of range") << int(M::kDryness) << 9 << 9;
  QTest::newRow("moisture, water") << int(M::kMoisture) << 1 << 0;
  QTest::newRow("moisture, saturation line") << int(M::kMoisture) << 7 << 7;
  QTest::newRow("HISO, out of range") << int(M::kIsentropicDrop) << 9 << 9;
  QTest::newRow("viscosity, steam") << int(M::kViscosity) << 2 << 0;
}

void FunctionPageTest::regionInsteadOfResult() {
  QFETCH(int, method);
  QFETCH(int, region);
  QFETCH(int, named);
  QCOMPARE(tab97::RegionInsteadOfResult(if97::FunctionMethod(method), region), named);
}

void FunctionPageTest::stateWithoutValueShowsRegion_data() {
  QTest::addColumn<int>("language");
  QTest::addColumn<int>("code");
  QTest::addColumn<QStringList>("inputs");
  QTest::addColumn<QString>("region");
  // Above the critical pressure there is no saturation temperature; the 0 the
  // solver leaves in its cell must not read as one.
  QTest::newRow("Ts_P 50 MPa, Czech") << 0 << 100 << QStringList{u"50"_s} << u"Hodnoty mimo funkční oblast"_s;
  QTest::newRow("Ts_P 50 MPa, English") << 1 << 100 << QStringList{u"50"_s} << u"Input parameters are out of range"_s;
  QTest::newRow("V_TP 900 °C") << 1 << 310 << QStringList{u"900"_s, u"1"_s} << u"Input parameters are out of range"_s;
  // The dryness of a state beyond the range (the library's −1), and the
  // moisture, 1 − that, which would read 2.
  QTest::newRow("Suchost 150 MPa") << 0 << 500 << QStringList{u"150"_s, u"2000"_s} << u"Hodnoty mimo funkční oblast"_s;
  QTest::newRow("Vlhkost 150 MPa") << 0 << 501 << QStringList{u"150"_s, u"2000"_s} << u"Hodnoty mimo funkční oblast"_s;
  QTest::newRow("HISO end pressure 200 MPa") << 1 << 505 << QStringList{u"10"_s, u"3300"_s, u"200"_s}
                                             << u"Input parameters are out of range"_s;
}

// With the property library, through the widgets: the result row shows the
// reset text, the region's name stands under it.
void FunctionPageTest::stateWithoutValueShowsRegion() {
  QFETCH(int, language);
  QFETCH(int, code);
  QFETCH(QStringList, inputs);
  QFETCH(QString, region);
  Make(QLatin1Char(','), language);
  ChooseFunction(code);
  QCOMPARE(Text("lblOblastFunkce"), QString());
  for (int k = 0; k < inputs.size(); ++k) Type(qPrintable(u"EditVstup%1"_s.arg(k + 1)), inputs[k]);
  Enter("EditVstup1");
  QCOMPARE(Text("Lhodnota"), u"0,0"_s);
  QCOMPARE(Text("lblOblastFunkce"), region);
  QVERIFY(Find("lblOblastFunkce")->isVisibleTo(page_));
  QCOMPARE(Find("LjednV")->x(), Find("Lhodnota")->geometry().right() + 1 + 8);
}

// The region line belongs to the result it explains: a value evaluated next,
// a reset of the page and an unreadable input each take it away.
void FunctionPageTest::regionGoesWithTheNextValue() {
  Make(QLatin1Char(','), 0);
  page_->SetEvaluator(&RecordingEvaluate);
  ChooseFunction(500);  // Suchost
  const auto evaluate = [this](if97::PropertyRegion region, double answer) {
    gEvalRegion = region;
    gEvalAnswer = answer;
    Type("EditVstup1", u"1"_s);
    Type("EditVstup2", u"2000"_s);
    Enter("EditVstup2");
  };
  evaluate(7, -1.0);  // a dryness the region does not define
  QCOMPARE(Text("Lhodnota"), u"0,0"_s);
  QCOMPARE(Text("lblOblastFunkce"), u"Mez sytosti"_s);
  evaluate(6, 0.25);
  QCOMPARE(Text("Lhodnota"), u"0,250000"_s);
  QCOMPARE(Text("lblOblastFunkce"), QString());
  evaluate(9, 0.0);
  QCOMPARE(Text("lblOblastFunkce"), u"Hodnoty mimo funkční oblast"_s);
  Type("EditVstup1", u"x"_s);
  Enter("EditVstup1");
  QCOMPARE(Text("lblOblastFunkce"), QString());
  evaluate(9, 0.0);
  Choose(Find<QComboBox>("Combo5"), 1);  // Vlhkost: the page is reset
  QCOMPARE(Text("Lhodnota"), u"0,0"_s);
  QCOMPARE(Text("lblOblastFunkce"), QString());
}

QTEST_MAIN(FunctionPageTest)
#include "functionpage_test.moc"
