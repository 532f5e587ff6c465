// The calculator page driven through its widgets: typed inputs with either
// separator and Enter make one solver call with the pair's code, values and need
// flags; results are shown with their decimals; result-row clicks rotate the
// known pair; bad inputs behave as the page promises; the metastable switch
// recomputes; the region name rolls in and out on its timer.
#include <QtTest>

#include <QLabel>
#include <QLineEdit>
#include <QTimer>

#include <memory>

#include "app/calculatorpage.h"
#include "app/hlavniform.h"
#include "testsupport.h"

using namespace Qt::Literals::StringLiterals;
using namespace testsupport;
using tab97::ThlavniForm;

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

}  // namespace

class CalculatorPageTest : public QObject {
  Q_OBJECT
 private slots:
  void init();
  void cleanup();

  void enterCallsSolver_data();
  void enterCallsSolver();
  void resultsShownWithDecimals_data();
  void resultsShownWithDecimals();
  void focusMovesBetweenEdits();
  void otherKeysPassThrough();
  void resultRowRotatesPair_data();
  void resultRowRotatesPair();
  void drynessRowThenEnter();
  void negativeInput();
  void unconvertibleInput_data();
  void unconvertibleInput();
  void metastableSwitch();
  void regionNameRollsOutAndIn();
  void enterMidAnimationContinues();
  void unitFollowsValue();
  void englishCaptions();

 private:
  void Make(QChar separator) {
    QVERIFY(dir_.isValid());
    QFile cfg(dir_.filePath(u"Tab97.cfg"_s));
    QVERIFY(cfg.open(QIODevice::WriteOnly));
    cfg.write("2\r\n3\r\n6\r\n4\r\n3\r\n4\r\n");
    cfg.close();
    platform_ = std::make_unique<FakePlatform>(separator, dir_.path());
    form_ = std::make_unique<ThlavniForm>(*platform_, &RecordingSolve);
    form_->show();
    form_->activateWindow();
    form_->Image13Click();
    page_ = form_->Calculator();
    Calls().clear();
  }
  template <typename T = QLabel>
  T* Find(const char* name) const {
    return form_->findChild<T*>(QString::fromLatin1(name));
  }
  QString Text(const char* label) const { return Find(label)->text(); }
  void Type(const char* edit, const QString& text) {
    auto* e = Find<QLineEdit>(edit);
    e->clear();
    QTest::keyClicks(e, text);
  }
  void Enter(const char* edit) { QTest::keyClick(Find<QLineEdit>(edit), Qt::Key_Return); }
  // Ticks the animation until its timer stops; returns the number of ticks.
  int RunTimer() {
    auto* timer = Find<QTimer>("Timer2");
    int ticks = 0;
    while (timer->isActive() && ticks < 100) {
      page_->Timer2Timer();
      ++ticks;
    }
    return ticks;
  }

  QTemporaryDir dir_;
  std::unique_ptr<FakePlatform> platform_;
  std::unique_ptr<ThlavniForm> form_;
  tab97::CalculatorPage* page_ = nullptr;
  std::unique_ptr<MessageRecorder> messages_;
};

void CalculatorPageTest::init() {
  messages_ = std::make_unique<MessageRecorder>();
  Calls().clear();
  Script() = ScriptedAnswer;
}

void CalculatorPageTest::cleanup() {
  form_.reset();
  platform_.reset();
  messages_.reset();
  Script() = nullptr;
}

void CalculatorPageTest::enterCallsSolver_data() {
  QTest::addColumn<QChar>("separator");
  QTest::addColumn<QString>("first");
  QTest::addColumn<QString>("second");
  QTest::newRow("comma locale, points typed") << QChar(u',') << u"284.15"_s << u"16.257"_s;
  QTest::newRow("comma locale, commas typed") << QChar(u',') << u"284,15"_s << u"16,257"_s;
  QTest::newRow("point locale, points typed") << QChar(u'.') << u"284.15"_s << u"16.257"_s;
  QTest::newRow("point locale, commas typed") << QChar(u'.') << u"284,15"_s << u"16,257"_s;
}

void CalculatorPageTest::enterCallsSolver() {
  QFETCH(QChar, separator);
  QFETCH(QString, first);
  QFETCH(QString, second);
  Make(separator);
  Type("Edit1", first);
  Type("Edit2", second);
  Enter("Edit2");
  QCOMPARE(Calls().size(), std::size_t{1});
  const SolveCall& c = Calls()[0];
  QCOMPARE(c.pairCode, 12);
  QCOMPARE(c.value1, 284.15);
  QCOMPARE(c.value2, 16.257);
  QVERIFY(!c.needP);
  QVERIFY(c.needV);
  QVERIFY(c.needS);
  QVERIFY(c.needI);
  QVERIFY(!c.preferMetastable);
  QCOMPARE(form_->State().RegionCode, 1);
  QCOMPARE(form_->State().StateValues[3], 0.00133981);
}

void CalculatorPageTest::resultsShownWithDecimals_data() {
  QTest::addColumn<QChar>("separator");
  QTest::addColumn<QStringList>("shown");  // Edit1, Edit2, V, S, I, X
  QTest::newRow("comma") << QChar(u',')
                         << QStringList{u"284,15"_s, u"16,257"_s, u"0,001340"_s, u"3,0775"_s, u"1255,499"_s, u"0"_s};
  QTest::newRow("point") << QChar(u'.')
                         << QStringList{u"284.15"_s, u"16.257"_s, u"0.001340"_s, u"3.0775"_s, u"1255.499"_s, u"0"_s};
}

void CalculatorPageTest::resultsShownWithDecimals() {
  QFETCH(QChar, separator);
  QFETCH(QStringList, shown);
  Make(separator);
  Type("Edit1", u"284.15"_s);
  Type("Edit2", u"16,257"_s);
  Enter("Edit1");
  QCOMPARE(Find<QLineEdit>("Edit1")->text(), shown[0]);
  QCOMPARE(Find<QLineEdit>("Edit2")->text(), shown[1]);
  QCOMPARE(Text("LabelV11"), shown[2]);
  QCOMPARE(Text("LabelV22"), shown[3]);
  QCOMPARE(Text("LabelV33"), shown[4]);
  QCOMPARE(Text("LabelV44"), shown[5]);  // a result of exactly 0 shows "0"
  QCOMPARE(Text("LabelV1"), u"Měrný objem = "_s);
  QCOMPARE(Text("LabelV4"), u"Suchost pary = "_s);
  QCOMPARE(Text("LabelV111"), u"m3/kg"_s);
  QCOMPARE(Text("LabelV333"), u"kJ/kg"_s);
  RunTimer();
  QCOMPARE(Text("lblNazevOblasti"), u"Oblast tlakové vody"_s);
  QCOMPARE(Find("lblNazevOblasti")->height(), 18);
}

void CalculatorPageTest::focusMovesBetweenEdits() {
  Make(QLatin1Char(','));
  Find<QLineEdit>("Edit1")->setFocus();
  Type("Edit1", u"100"_s);
  Enter("Edit1");
  QCOMPARE(form_->focusWidget(), Find<QWidget>("Edit2"));
  Enter("Edit2");
  QCOMPARE(form_->focusWidget(), Find<QWidget>("Edit1"));
  QCOMPARE(Calls().size(), std::size_t{2});
}

void CalculatorPageTest::otherKeysPassThrough() {
  Make(QLatin1Char(','));
  Type("Edit1", u"12a"_s);
  QCOMPARE(Find<QLineEdit>("Edit1")->text(), u"12a"_s);
  QVERIFY(Calls().empty());
  QVERIFY(!page_->Edit1KeyPress(Find<QLineEdit>("Edit1"), QLatin1Char('5')));
  QVERIFY(Calls().empty());
}

void CalculatorPageTest::resultRowRotatesPair_data() {
  QTest::addColumn<QByteArray>("shape");
  QTest::addColumn<QString>("label1");
  QTest::addColumn<QString>("label2");
  QTest::addColumn<QString>("rowCaption");  // caption of the clicked row afterwards
  QTest::addColumn<QByteArray>("rowLabel");
  QTest::addColumn<int>("pairCode");
  QTest::addColumn<bool>("swapped");
  QTest::newRow("row 1: V") << QByteArray("ShapeV1") << u"Měrný objem  [m3/kg] :"_s << u"Teplota  [°C] :"_s
                            << u"Tlak = "_s << QByteArray("LabelV1") << 13 << true;
  QTest::newRow("row 2: S") << QByteArray("ShapeV2") << u"Entropie  [kJ/kgK] :"_s << u"Teplota  [°C] :"_s
                            << u"Tlak = "_s << QByteArray("LabelV2") << 14 << true;
  QTest::newRow("row 3: I") << QByteArray("ShapeV3") << u"Entalpie  [kJ/kg] :"_s << u"Teplota  [°C] :"_s
                            << u"Tlak = "_s << QByteArray("LabelV3") << 15 << true;
  QTest::newRow("row 4: X") << QByteArray("ShapeV4") << u"Suchost pary  [1] :"_s << u"Teplota  [°C] :"_s
                            << u"Tlak = "_s << QByteArray("LabelV4") << 16 << true;
}

void CalculatorPageTest::resultRowRotatesPair() {
  QFETCH(QByteArray, shape);
  QFETCH(QByteArray, rowLabel);
  QFETCH(int, pairCode);
  QFETCH(bool, swapped);
  Make(QLatin1Char(','));
  Type("Edit1", u"284.15"_s);
  Type("Edit2", u"16.257"_s);
  Enter("Edit2");
  RunTimer();
  const auto before = form_->State().StateValues;
  QTest::mouseClick(Find<QWidget>(shape.constData()), Qt::LeftButton, {}, QPoint(100, 10));
  QTEST(Text("Label1"), "label1");
  QTEST(Text("Label2"), "label2");
  QTEST(Find(rowLabel.constData())->text(), "rowCaption");
  QCOMPARE(form_->State().PairCode, pairCode);
  QCOMPARE(form_->State().PairSwapped, swapped);
  QCOMPARE(form_->State().RegionCode, 0);
  QVERIFY(form_->State().StateValues == before);  // nothing recomputed
  QCOMPARE(Calls().size(), std::size_t{1});
  QCOMPARE(Find<QLineEdit>("Edit2")->text(), u"284,15"_s);  // the old first input is now second
  RunTimer();
  QCOMPARE(Find("lblNazevOblasti")->height(), 0);  // rolled in, stays hidden
}

void CalculatorPageTest::drynessRowThenEnter() {
  Make(QLatin1Char(','));
  Type("Edit1", u"150"_s);
  Type("Edit2", u"0.4761"_s);
  Enter("Edit2");
  page_->ShapeV4MouseUp();
  const auto& order = form_->State().QuantityOrder;
  QCOMPARE((std::vector<int>{order[1], order[2], order[3], order[4], order[5], order[6]}),
           (std::vector<int>{6, 1, 3, 4, 5, 2}));
  QCOMPARE(Text("LabelV4"), u"Tlak = "_s);  // P moved to row 4
  QCOMPARE(Find<QLineEdit>("Edit1")->text(), u"0,0000"_s);  // X of the previous result, an input: formatted
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

void CalculatorPageTest::negativeInput() {
  Make(QLatin1Char(','));
  Type("Edit1", u"284.15"_s);
  Type("Edit2", u"16.257"_s);
  Enter("Edit2");
  const auto before = form_->State().StateValues;
  Calls().clear();
  Find<QLineEdit>("Edit1")->setFocus();
  Type("Edit1", u"-5"_s);
  Enter("Edit1");
  QVERIFY(Calls().empty());
  QVERIFY(form_->State().StateValues == before);
  QCOMPARE(form_->State().RegionCode, 1);
  QCOMPARE(Find<QLineEdit>("Edit1")->text(), u"-5"_s);  // nothing redrawn
  QCOMPARE(form_->focusWidget(), Find<QWidget>("Edit2"));  // only the focus moves
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
  Type("Edit1", u"284.15"_s);
  Type("Edit2", u"16.257"_s);
  Enter("Edit2");
  RunTimer();
  Calls().clear();
  Find<QLineEdit>("Edit1")->setFocus();
  Type("Edit1", first);
  Type("Edit2", second);
  Find<QLineEdit>("Edit1")->setFocus();
  Enter("Edit1");
  QVERIFY(Calls().empty());
  QVERIFY(messages_->texts.isEmpty());
  for (const char* value : {"LabelV11", "LabelV22", "LabelV33", "LabelV44"}) QCOMPARE(Text(value), u"0"_s);
  QCOMPARE(form_->State().RegionCode, 0);
  QCOMPARE(form_->State().StateValues[1], 284.15);  // the inputs keep their last values
  QCOMPARE(Find<QLineEdit>("Edit1")->text(), u"284,15"_s);
  QCOMPARE(form_->focusWidget(), Find<QWidget>("Edit1"));  // the focus stays
  RunTimer();
  QCOMPARE(Find("lblNazevOblasti")->height(), 0);
}

void CalculatorPageTest::metastableSwitch() {
  Make(QLatin1Char(','));
  Type("Edit1", u"284.15"_s);
  Type("Edit2", u"16.257"_s);
  Enter("Edit2");
  Find<QLineEdit>("Edit2")->setFocus();
  QWidget* focused = form_->focusWidget();
  Click(Find("lblMetastab"));
  QVERIFY(form_->State().PreferMetastable);
  QCOMPARE(Text("lblMetastab"), u"Procedura preferuje výpočet metastabilní oblasti"_s);
  QCOMPARE(Calls().size(), std::size_t{2});
  QVERIFY(Calls()[1].preferMetastable);
  QCOMPARE(Calls()[1].value1, 284.15);
  QCOMPARE(Calls()[1].value2, 16.257);
  QCOMPARE(form_->State().RegionCode, 8);
  QCOMPARE(form_->focusWidget(), focused);  // no focus move
  Click(Find("lblMetastab"));
  QVERIFY(!form_->State().PreferMetastable);
  QCOMPARE(Text("lblMetastab"), u"Procedura neuvažuje s výpočtem v metastabilní oblasti"_s);
  QVERIFY(!Calls()[2].preferMetastable);
  QCOMPARE(form_->State().RegionCode, 1);
}

void CalculatorPageTest::regionNameRollsOutAndIn() {
  Make(QLatin1Char(','));
  QLabel* name = Find("lblNazevOblasti");
  auto* timer = Find<QTimer>("Timer2");
  QCOMPARE(timer->interval(), 50);
  QCOMPARE(name->height(), 0);
  Type("Edit1", u"284.15"_s);
  Type("Edit2", u"16.257"_s);
  Enter("Edit2");
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
  Click(Find("lblMetastab"));
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

void CalculatorPageTest::enterMidAnimationContinues() {
  Make(QLatin1Char(','));
  QLabel* name = Find("lblNazevOblasti");
  Type("Edit1", u"284.15"_s);
  Type("Edit2", u"16.257"_s);
  Enter("Edit2");
  page_->Timer2Timer();
  page_->Timer2Timer();
  QCOMPARE(name->height(), 6);
  Enter("Edit1");  // same result again
  page_->Timer2Timer();
  QCOMPARE(name->height(), 9);
  QCOMPARE(RunTimer(), 4);
  QCOMPARE(name->height(), 18);
}

void CalculatorPageTest::unitFollowsValue() {
  Make(QLatin1Char(','));
  Type("Edit1", u"284.15"_s);
  Type("Edit2", u"16.257"_s);
  Enter("Edit2");
  for (const auto& [value, unit] : {std::pair{"LabelV11", "LabelV111"}, std::pair{"LabelV22", "LabelV222"},
                                    std::pair{"LabelV33", "LabelV333"}}) {
    QLabel* v = Find(value);
    QCOMPARE(v->width(), v->sizeHint().width());
    QCOMPARE(Find(unit)->x(), v->x() + v->width() + 8);
  }
}

void CalculatorPageTest::englishCaptions() {
  Make(QLatin1Char('.'));
  form_->Image14Click();
  QCOMPARE(Text("Label1"), u"Temperature [°C] :"_s);
  QCOMPARE(Text("Label2"), u"Pressure [MPa] :"_s);
  QCOMPARE(Text("LabelV3"), u"Specific enthalpy = "_s);
  QCOMPARE(Find<QLineEdit>("Edit1")->text(), u"0.00"_s);  // an input of 0 is formatted
  QCOMPARE(Text("LabelV11"), u"0"_s);
  QCOMPARE(Text("lblVypocteneVeliciny"), u"C a l c u l a t e d  v a l u e s"_s);
  Type("Edit1", u"284.15"_s);
  Type("Edit2", u"16.257"_s);
  Enter("Edit2");
  RunTimer();
  QCOMPARE(Text("lblNazevOblasti"), u"Pressure water"_s);
}

QTEST_MAIN(CalculatorPageTest)
#include "calculatorpage_test.moc"
