// The calculator page driven through its widgets: typed inputs with either
// separator and Enter make one solver call with the pair's code, values and need
// flags, and the results are shown with their decimals in the locale's
// separator; result-row clicks rotate the known pair; bad inputs behave as the
// page promises; the metastable switch recomputes; the region name rolls in and
// out on its timer; Ctrl+C copies the state as a table.
#include <QtTest>

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

#include <memory>

#include "app/calculatorpage.h"
#include "app/hlavniform.h"
#include "testsupport.h"

using namespace Qt::Literals::StringLiterals;
using namespace testsupport;

namespace {

// A region-1 answer for (T, P) and a wet-steam answer for (T, X), standing in for
// the solver so that the page's own work can be checked value by value.
bool ScriptedAnswer(const SolveCall& call, SolveAnswer& a) {
  if (call.pairCode == 12) {
    a = {call.value1, call.value2, 0.00133981, 3.07754, 1255.4987, 0.0, 1};
    if (call.preferMetastable) a.region = 8;
    return true;
  }
  if (call.pairCode == 16) {
    a = {call.value1, 0.4761, 0.137, 3.84, 1358.5, call.value2, 6};
    return true;
  }
  a.region = 11;
  return false;
}

const char* const kValues[4] = {"LabelV11", "LabelV22", "LabelV33", "LabelV44"};

}  // namespace

class CalculatorPageTest : public QObject {
  Q_OBJECT
 private slots:
  void init();
  void cleanup();

  void enterSolvesAndShows_data();
  void enterSolvesAndShows();
  void focusAndOtherKeys();
  void resultRowRotatesPair_data();
  void resultRowRotatesPair();
  void drynessRowThenEnter();
  void negativeInput_data();
  void negativeInput();
  void unconvertibleInput_data();
  void unconvertibleInput();
  void metastableSwitch();
  void regionNameRollsOutAndIn();
  void unitFollowsValue();
  void copyKeyCopiesState_data();
  void copyKeyCopiesState();

 private:
  void Make(QChar separator, const char* config = kDefaultConfig, int language = 0) {
    w_ = std::make_unique<TestWindow>(separator, config);
    w_->form->activateWindow();
    if (language == 1) w_->form->Image14Click();
    else w_->form->Image13Click();
    page_ = w_->form->Calculator();
    Calls().clear();
  }
  QLineEdit* Edit(const char* name) const { return w_->Find<QLineEdit>(name); }
  QString Text(const char* label) const { return w_->Text(label); }
  const tab97::MainState& State() const { return w_->form->State(); }
  void Type(const char* edit, const QString& text) {
    Edit(edit)->clear();
    QTest::keyClicks(Edit(edit), text);
  }
  void Enter(const char* edit) { QTest::keyClick(Edit(edit), Qt::Key_Return); }
  // 284.15 °C and 16.257 MPa typed and entered: one region-1 result.
  void SolveFirst() {
    Type("Edit1", u"284.15"_s);
    Type("Edit2", u"16.257"_s);
    Enter("Edit2");
  }
  // Ticks the animation until its timer stops; returns the number of ticks.
  int RunTimer() {
    auto* timer = w_->Find<QTimer>("Timer2");
    int ticks = 0;
    for (; timer->isActive() && ticks < 100; ++ticks) page_->Timer2Timer();
    return ticks;
  }

  std::unique_ptr<TestWindow> w_;
  tab97::CalculatorPage* page_ = nullptr;
  std::unique_ptr<MessageRecorder> messages_;
};

void CalculatorPageTest::init() {
  messages_ = std::make_unique<MessageRecorder>();
  Calls().clear();
  Script() = ScriptedAnswer;
}

void CalculatorPageTest::cleanup() {
  w_.reset();
  messages_.reset();
  Script() = nullptr;
}

void CalculatorPageTest::enterSolvesAndShows_data() {
  QTest::addColumn<QChar>("separator");
  QTest::addColumn<QString>("first");
  QTest::addColumn<QString>("second");
  QTest::addColumn<QByteArray>("enterIn");
  QTest::addColumn<QStringList>("shown");  // Edit1, Edit2, V, S, I, X
  const QStringList comma{u"284,15"_s, u"16,257"_s, u"0,001340"_s, u"3,0775"_s, u"1255,499"_s, u"0"_s};
  const QStringList point{u"284.15"_s, u"16.257"_s, u"0.001340"_s, u"3.0775"_s, u"1255.499"_s, u"0"_s};
  QTest::newRow("comma locale, points typed") << QChar(u',') << u"284.15"_s << u"16.257"_s << QByteArray("Edit2")
                                              << comma;
  QTest::newRow("comma locale, commas typed") << QChar(u',') << u"284,15"_s << u"16,257"_s << QByteArray("Edit1")
                                              << comma;
  QTest::newRow("point locale, points typed") << QChar(u'.') << u"284.15"_s << u"16.257"_s << QByteArray("Edit1")
                                              << point;
  QTest::newRow("point locale, commas typed") << QChar(u'.') << u"284,15"_s << u"16,257"_s << QByteArray("Edit2")
                                              << point;
}

void CalculatorPageTest::enterSolvesAndShows() {
  QFETCH(QChar, separator);
  QFETCH(QString, first);
  QFETCH(QString, second);
  QFETCH(QByteArray, enterIn);
  QFETCH(QStringList, shown);
  Make(separator);
  Type("Edit1", first);
  Type("Edit2", second);
  Enter(enterIn.constData());
  QCOMPARE(Calls().size(), std::size_t{1});
  const SolveCall& c = Calls()[0];
  QCOMPARE(c.pairCode, 12);
  QCOMPARE(c.value1, 284.15);
  QCOMPARE(c.value2, 16.257);
  QVERIFY(!c.needP && c.needV && c.needS && c.needI);
  QVERIFY(!c.preferMetastable);
  QCOMPARE(State().RegionCode, 1);
  QCOMPARE(State().StateValues[3], 0.00133981);
  QCOMPARE(Edit("Edit1")->text(), shown[0]);
  QCOMPARE(Edit("Edit2")->text(), shown[1]);
  for (int k = 0; k < 4; ++k) QCOMPARE(Text(kValues[k]), shown[k + 2]);  // an exact 0 shows "0"
  RunTimer();
  QCOMPARE(Text("lblNazevOblasti"), u"Oblast tlakové vody"_s);
  QCOMPARE(w_->Find("lblNazevOblasti")->height(), 18);
}

void CalculatorPageTest::focusAndOtherKeys() {
  Make(QLatin1Char(','));
  Edit("Edit1")->setFocus();
  Type("Edit1", u"12a"_s);  // other keys pass through
  QCOMPARE(Edit("Edit1")->text(), u"12a"_s);
  QVERIFY(!page_->Edit1KeyPress(Edit("Edit1"), QLatin1Char('5')));
  QVERIFY(Calls().empty());
  Type("Edit1", u"100"_s);
  Enter("Edit1");
  QCOMPARE(w_->form->focusWidget(), Edit("Edit2"));
  Enter("Edit2");
  QCOMPARE(w_->form->focusWidget(), Edit("Edit1"));
  QCOMPARE(Calls().size(), std::size_t{2});
}

void CalculatorPageTest::resultRowRotatesPair_data() {
  QTest::addColumn<QByteArray>("shape");
  QTest::addColumn<QString>("label1");
  QTest::addColumn<QByteArray>("rowLabel");
  QTest::addColumn<int>("pairCode");
  QTest::newRow("row 1: V") << QByteArray("ShapeV1") << u"Měrný objem  [m3/kg] :"_s << QByteArray("LabelV1") << 13;
  QTest::newRow("row 2: S") << QByteArray("ShapeV2") << u"Entropie  [kJ/kgK] :"_s << QByteArray("LabelV2") << 14;
  QTest::newRow("row 3: I") << QByteArray("ShapeV3") << u"Entalpie  [kJ/kg] :"_s << QByteArray("LabelV3") << 15;
  QTest::newRow("row 4: X") << QByteArray("ShapeV4") << u"Suchost pary  [1] :"_s << QByteArray("LabelV4") << 16;
}

void CalculatorPageTest::resultRowRotatesPair() {
  QFETCH(QByteArray, shape);
  QFETCH(QByteArray, rowLabel);
  QFETCH(int, pairCode);
  Make(QLatin1Char(','));
  SolveFirst();
  RunTimer();
  const auto before = State().StateValues;
  QTest::mouseClick(w_->Find<QWidget>(shape.constData()), Qt::LeftButton, {}, QPoint(100, 10));
  QTEST(Text("Label1"), "label1");
  QCOMPARE(Text("Label2"), u"Teplota  [°C] :"_s);
  QCOMPARE(w_->Find(rowLabel.constData())->text(), u"Tlak = "_s);  // the old second takes the row
  QCOMPARE(State().PairCode, pairCode);
  QVERIFY(State().PairSwapped);
  QCOMPARE(State().RegionCode, 0);
  QVERIFY(State().StateValues == before);  // nothing recomputed
  QCOMPARE(Calls().size(), std::size_t{1});
  QCOMPARE(Edit("Edit2")->text(), u"284,15"_s);  // the old first input is now second
  RunTimer();
  QCOMPARE(w_->Find("lblNazevOblasti")->height(), 0);  // rolled in, stays hidden
}

void CalculatorPageTest::drynessRowThenEnter() {
  Make(QLatin1Char(','));
  Type("Edit1", u"150"_s);
  Type("Edit2", u"0.4761"_s);
  Enter("Edit2");
  page_->ShapeV4MouseUp();
  const auto& order = State().QuantityOrder;
  QCOMPARE((std::vector<int>{order[1], order[2], order[3], order[4], order[5], order[6]}),
           (std::vector<int>{6, 1, 3, 4, 5, 2}));
  QCOMPARE(Text("LabelV4"), u"Tlak = "_s);          // P moved to row 4
  QCOMPARE(Edit("Edit1")->text(), u"0,0000"_s);     // X of the previous result, an input: formatted
  Calls().clear();
  Type("Edit1", u"0,35"_s);
  Type("Edit2", u"150"_s);
  Enter("Edit1");
  QCOMPARE(Calls().size(), std::size_t{1});
  const SolveCall& c = Calls()[0];
  QCOMPARE(c.pairCode, 16);
  QCOMPARE(c.value1, 150.0);  // T, the lower-numbered quantity, first
  QCOMPARE(c.value2, 0.35);
  QVERIFY(c.needP && c.needV && c.needS && c.needI);
  QCOMPARE(Text("LabelV44"), u"0,476"_s);
  RunTimer();
  QCOMPARE(Text("lblNazevOblasti"), u"Mokrá pára - subkritická oblast"_s);
}

void CalculatorPageTest::negativeInput_data() {
  QTest::addColumn<QByteArray>("edit");
  QTest::addColumn<QByteArray>("next");  // the edit focused after Enter
  QTest::newRow("first negative") << QByteArray("Edit1") << QByteArray("Edit2");
  QTest::newRow("second negative") << QByteArray("Edit2") << QByteArray("Edit1");
}

// A negative value is no state: nothing is solved, and the results and region
// of the last state do not stay under it as if they were its own.
void CalculatorPageTest::negativeInput() {
  QFETCH(QByteArray, edit);
  QFETCH(QByteArray, next);
  Make(QLatin1Char(','));
  SolveFirst();
  RunTimer();
  QCOMPARE(w_->Find("lblNazevOblasti")->height(), 18);
  Calls().clear();
  Edit(edit.constData())->setFocus();
  Type(edit.constData(), u"-5"_s);
  Enter(edit.constData());
  QVERIFY(Calls().empty());
  QVERIFY(messages_->texts.isEmpty());
  for (const char* value : kValues) QCOMPARE(Text(value), u"0"_s);
  QCOMPARE(State().RegionCode, 0);
  QCOMPARE(State().StateValues[1], 284.15);  // the inputs keep their last values
  QCOMPARE(State().StateValues[2], 16.257);
  QCOMPARE(Edit("Edit1")->text(), u"284,15"_s);
  QCOMPARE(Edit("Edit2")->text(), u"16,257"_s);
  QCOMPARE(w_->form->focusWidget(), Edit(next.constData()));  // the focus moves on
  RunTimer();
  QCOMPARE(w_->Find("lblNazevOblasti")->height(), 0);
}

void CalculatorPageTest::unconvertibleInput_data() {
  QTest::addColumn<QString>("first");
  QTest::addColumn<QString>("second");
  QTest::newRow("letters") << u"abc"_s << u"16.257"_s;
  QTest::newRow("empty second") << u"284.15"_s << QString();
  QTest::newRow("thousands separator") << u"1,000.5"_s << u"16.257"_s;
}

void CalculatorPageTest::unconvertibleInput() {
  QFETCH(QString, first);
  QFETCH(QString, second);
  Make(QLatin1Char(','));
  SolveFirst();
  RunTimer();
  Calls().clear();
  Type("Edit1", first);
  Type("Edit2", second);
  Edit("Edit1")->setFocus();
  Enter("Edit1");
  QVERIFY(Calls().empty());
  QVERIFY(messages_->texts.isEmpty());
  for (const char* value : kValues) QCOMPARE(Text(value), u"0"_s);
  QCOMPARE(State().RegionCode, 0);
  QCOMPARE(State().StateValues[1], 284.15);  // the inputs keep their last values
  QCOMPARE(Edit("Edit1")->text(), u"284,15"_s);
  QCOMPARE(w_->form->focusWidget(), Edit("Edit1"));  // the focus stays
  RunTimer();
  QCOMPARE(w_->Find("lblNazevOblasti")->height(), 0);
}

void CalculatorPageTest::metastableSwitch() {
  Make(QLatin1Char(','));
  SolveFirst();
  Edit("Edit2")->setFocus();
  QWidget* focused = w_->form->focusWidget();
  Click(w_->Find("lblMetastab"));
  QVERIFY(State().PreferMetastable);
  QCOMPARE(Text("lblMetastab"), u"Procedura preferuje výpočet metastabilní oblasti"_s);
  QCOMPARE(Calls().size(), std::size_t{2});
  QVERIFY(Calls()[1].preferMetastable);
  QCOMPARE(Calls()[1].value1, 284.15);
  QCOMPARE(Calls()[1].value2, 16.257);
  QCOMPARE(State().RegionCode, 8);
  QCOMPARE(w_->form->focusWidget(), focused);  // no focus move
  Click(w_->Find("lblMetastab"));
  QVERIFY(!State().PreferMetastable);
  QCOMPARE(Text("lblMetastab"), u"Procedura neuvažuje s výpočtem v metastabilní oblasti"_s);
  QVERIFY(!Calls()[2].preferMetastable);
  QCOMPARE(State().RegionCode, 1);
}

void CalculatorPageTest::regionNameRollsOutAndIn() {
  Make(QLatin1Char(','));
  QLabel* name = w_->Find("lblNazevOblasti");
  auto* timer = w_->Find<QTimer>("Timer2");
  QCOMPARE(timer->interval(), 50);
  QCOMPARE(name->height(), 0);
  SolveFirst();
  QVERIFY(timer->isActive());
  std::vector<int> heights;
  for (int i = 0; i < 7; ++i) {
    page_->Timer2Timer();
    heights.push_back(name->height());
  }
  QCOMPARE(heights, (std::vector<int>{3, 6, 9, 12, 15, 18, 18}));
  QVERIFY(!timer->isActive());
  QCOMPARE(name->text(), u"Oblast tlakové vody"_s);
  // A metastable result: the old name rolls in, the new one out.
  Click(w_->Find("lblMetastab"));
  heights.clear();
  QString textAtZero;
  while (timer->isActive()) {
    page_->Timer2Timer();
    heights.push_back(name->height());
    if (heights.back() == 0) textAtZero = name->text();
    if (heights.back() == 3 && heights.size() > 6) QCOMPARE(name->text(), u"Metastabilní oblast"_s);
  }
  QCOMPARE(heights, (std::vector<int>{15, 12, 9, 6, 3, 0, 3, 6, 9, 12, 15, 18, 18}));
  QCOMPARE(textAtZero, u"Oblast tlakové vody"_s);
  // A cleared region rolls the label in and stops.
  page_->ShapeV1MouseUp();
  QCOMPARE(RunTimer(), 7);
  QCOMPARE(name->height(), 0);
}

void CalculatorPageTest::unitFollowsValue() {
  Make(QLatin1Char(','));
  SolveFirst();
  for (const auto& [value, unit] : {std::pair{"LabelV11", "LabelV111"}, std::pair{"LabelV22", "LabelV222"},
                                    std::pair{"LabelV33", "LabelV333"}}) {
    QLabel* v = w_->Find(value);
    QCOMPARE(v->width(), v->sizeHint().width());
    QCOMPARE(w_->Find(unit)->x(), v->x() + v->width() + 8);
  }
}

void CalculatorPageTest::copyKeyCopiesState_data() {
  QTest::addColumn<QChar>("separator");
  QTest::addColumn<int>("language");
  QTest::addColumn<QByteArray>("config");
  QTest::addColumn<bool>("drynessFirst");  // the dryness row clicked after the calculation
  QTest::addColumn<QString>("copied");
  QTest::newRow("Czech")
      << QChar(u',') << 0 << QByteArray(kDefaultConfig) << false
      << u"Teplota [°C]\tTlak [MPa]\tMěrný objem [m3/kg]\tEntropie [kJ/kgK]\tEntalpie [kJ/kg]\t"
         "Suchost pary [1]\tOblast\n"
         "284,15\t16,257\t0,001340\t3,0775\t1255,499\t0\tOblast tlakové vody\n"_s;
  QTest::newRow("English")
      << QChar(u'.') << 1 << QByteArray(kDefaultConfig) << false
      << u"Temperature [°C]\tPressure [MPa]\tSpecific volume [m3/kg]\tSpecific entropy [kJ/kgK]\t"
         "Specific enthalpy [kJ/kg]\tDryness [1]\tRegion\n"
         "284.15\t16.257\t0.001340\t3.0775\t1255.499\t0\tPressure water\n"_s;
  // Own decimal places, the known pair X, T: the columns in the page's order,
  // and no region while none is shown.
  QTest::newRow("Czech, dryness first")
      << QChar(u',') << 0 << QByteArray("1\r\n2\r\n8\r\n0\r\n5\r\n2\r\n") << true
      << u"Suchost pary [1]\tTeplota [°C]\tMěrný objem [m3/kg]\tEntropie [kJ/kgK]\tEntalpie [kJ/kg]\t"
         "Tlak [MPa]\tOblast\n"
         "0,00\t284,2\t0,00133981\t3\t1255,49870\t16,26\t\n"_s;
}

// Ctrl+C in the edit that has the focus, its text selected as after Enter,
// copies the page's state, not the edit's text.
void CalculatorPageTest::copyKeyCopiesState() {
  QFETCH(QChar, separator);
  QFETCH(int, language);
  QFETCH(QByteArray, config);
  QFETCH(bool, drynessFirst);
  QFETCH(QString, copied);
  Make(separator, config.constData(), language);
  QVERIFY(QTest::qWaitForWindowActive(w_->form.get()));  // keys reach an active window
  SolveFirst();
  if (drynessFirst) QTest::mouseClick(w_->Find<QWidget>("ShapeV4"), Qt::LeftButton, {}, QPoint(100, 10));
  QGuiApplication::clipboard()->clear();
  QLineEdit* focused = qobject_cast<QLineEdit*>(w_->form->focusWidget());
  QVERIFY(focused != nullptr);
  focused->selectAll();
  QTest::keyClick(focused, Qt::Key_C, Qt::ControlModifier);
  QCOMPARE(QGuiApplication::clipboard()->text(), copied);
  QCOMPARE(Calls().size(), std::size_t{1});
}

QTEST_MAIN(CalculatorPageTest)
#include "calculatorpage_test.moc"
