// The ranges page driven through its spin editors: entering loads them from the
// decimal places, the bounds 0 and 8 hold against arrow keys and typing, and a
// change reaches the calculator page (at once, without a new calculation), the
// points grid, the function page and the configuration file written at closing.
// The limits text is shown as typed.
#include <QtTest>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTimer>

#include <memory>

#include "app/calculatorpage.h"
#include "app/functionpage.h"
#include "app/hlavniform.h"
#include "app/pointspage.h"
#include "testsupport.h"

using namespace Qt::Literals::StringLiterals;
using namespace testsupport;
using tab97::ThlavniForm;

namespace {

bool RegionOneAnswer(const SolveCall& call, SolveAnswer& a) {
  a = {call.value1, call.value2, 0.0012345678, 2.5, 1000.125, 0.0, 1};
  return call.pairCode == 12;
}

}  // namespace

class RangesPageTest : public QObject {
  Q_OBJECT
 private slots:
  void init();
  void cleanup();

  void enteringLoadsEditors();
  void boundsHold_data();
  void boundsHold();
  void typingOutsideBoundsIsRefused();
  void changeReachesCalculator();
  void changeShowsAtOnce_data();
  void changeShowsAtOnce();
  void changeReachesPointsAndFunctions();
  void changeReachesConfigurationFile();
  void limitsShownAsTyped_data();
  void limitsShownAsTyped();

 private:
  void Make(const char* config = "1\r\n2\r\n5\r\n3\r\n4\r\n6\r\n", int language = 0) {
    w_ = std::make_unique<TestWindow>(QLatin1Char(','), config);
    form_ = w_->form.get();
    if (language == 1) form_->Image14Click();
    else form_->Image13Click();
    form_->menuMouseUp(Find("menuRozsahy1"));
    QCOMPARE(form_->CurrentPageIndex(), int(ThlavniForm::kPageRanges));
  }
  QString ConfigPath() const { return w_->ConfigPath(); }
  template <typename T = QLabel>
  T* Find(const char* name) const {
    return w_->Find<T>(name);
  }
  QSpinBox* Spin(int q) const { return Find<QSpinBox>(qPrintable(u"SpinEdit%1"_s.arg(q))); }
  void Calculate(const QString& first, const QString& second) {
    Find<QLineEdit>("Edit1")->setText(first);
    Find<QLineEdit>("Edit2")->setText(second);
    QTest::keyClick(Find<QLineEdit>("Edit2"), Qt::Key_Return);
  }

  std::unique_ptr<TestWindow> w_;
  ThlavniForm* form_ = nullptr;
  std::unique_ptr<MessageRecorder> messages_;
};

void RangesPageTest::init() {
  messages_ = std::make_unique<MessageRecorder>();
  Calls().clear();
  Script() = RegionOneAnswer;
}

void RangesPageTest::cleanup() {
  w_.reset();
  messages_.reset();
  Script() = nullptr;
}

void RangesPageTest::enteringLoadsEditors() {
  Make();
  const int expected[7] = {0, 1, 2, 5, 3, 4, 6};
  for (int q = 1; q <= 6; ++q) {
    QCOMPARE(Spin(q)->property("tag").toInt(), q);
    QCOMPARE(Spin(q)->value(), expected[q]);
    QCOMPARE(Spin(q)->minimum(), 0);
    QCOMPARE(Spin(q)->maximum(), 8);
  }
  QCOMPARE(form_->focusWidget(), static_cast<QWidget*>(Spin(1)));
  // Loading is no change: the places stay as read.
  for (int q = 1; q <= 6; ++q) QCOMPARE(form_->State().DecimalPlaces[q], expected[q]);
  // Entering again after a change elsewhere shows the current places.
  form_->menuMouseUp(Find("menuVypocet4"));
  form_->State().DecimalPlaces[2] = 7;
  form_->menuMouseUp(Find("menuRozsahy1"));
  QCOMPARE(Spin(2)->value(), 7);
}

void RangesPageTest::boundsHold_data() {
  QTest::addColumn<int>("quantity");
  QTest::addColumn<int>("key");
  QTest::addColumn<int>("presses");
  QTest::addColumn<int>("expected");
  QTest::newRow("T up past 8") << 1 << int(Qt::Key_Up) << 12 << 8;
  QTest::newRow("X down past 0") << 6 << int(Qt::Key_Down) << 10 << 0;
  QTest::newRow("V page up") << 3 << int(Qt::Key_PageUp) << 3 << 8;
}

void RangesPageTest::boundsHold() {
  QFETCH(int, quantity);
  QFETCH(int, key);
  QFETCH(int, presses);
  QFETCH(int, expected);
  Make();
  for (int i = 0; i < presses; ++i) {
    QTest::keyClick(Spin(quantity), Qt::Key(key));
    const int places = form_->State().DecimalPlaces[quantity];
    QVERIFY2(places >= 0 && places <= 8, qPrintable(u"%1 places after %2 presses"_s.arg(places).arg(i + 1)));
  }
  QCOMPARE(Spin(quantity)->value(), expected);
  QCOMPARE(form_->State().DecimalPlaces[quantity], expected);
}

void RangesPageTest::typingOutsideBoundsIsRefused() {
  Make();
  QSpinBox* spin = Spin(5);
  spin->selectAll();
  QTest::keyClicks(spin, u"9"_s);
  QVERIFY(spin->value() <= 8);
  spin->selectAll();
  QTest::keyClicks(spin, u"-1"_s);
  QVERIFY(spin->value() >= 0);
  spin->selectAll();
  QTest::keyClicks(spin, u"7"_s);
  QCOMPARE(spin->value(), 7);
  QCOMPARE(form_->State().DecimalPlaces[5], 7);
  for (int q = 1; q <= 6; ++q) {
    const int places = form_->State().DecimalPlaces[q];
    QVERIFY(places >= 0 && places <= 8);
  }
}

void RangesPageTest::changeReachesCalculator() {
  Make();
  Spin(3)->selectAll();
  QTest::keyClicks(Spin(3), u"8"_s);
  QTest::keyClick(Spin(5), Qt::Key_Down);  // I: 4 → 3
  QTest::keyClick(Spin(1), Qt::Key_Up);    // T: 1 → 2
  form_->menuMouseUp(Find("menuVypocet4"));
  Calculate(u"150"_s, u"1"_s);
  QCOMPARE(Find<QLineEdit>("Edit1")->text(), u"150,00"_s);
  QCOMPARE(Find("LabelV11")->text(), u"0,00123457"_s);
  QCOMPARE(Find("LabelV33")->text(), u"1000,125"_s);
}

void RangesPageTest::changeShowsAtOnce_data() {
  QTest::addColumn<int>("quantity");
  QTest::addColumn<int>("key");
  QTest::addColumn<QByteArray>("label");  // where the quantity's value is shown
  QTest::addColumn<QString>("shown");
  // Decimals before the change: T 1, P 2, V 5, S 3, I 4, X 6.
  QTest::newRow("T, first input") << 1 << int(Qt::Key_Up) << QByteArray("Edit1") << u"150,00"_s;
  QTest::newRow("P, second input") << 2 << int(Qt::Key_Down) << QByteArray("Edit2") << u"1,0"_s;
  QTest::newRow("V, first result") << 3 << int(Qt::Key_Up) << QByteArray("LabelV11") << u"0,001235"_s;
  QTest::newRow("I, third result") << 5 << int(Qt::Key_Down) << QByteArray("LabelV33") << u"1000,125"_s;
}

// The calculator shows new decimal places as soon as they are set, without a
// new calculation and without rolling its region name anew.
void RangesPageTest::changeShowsAtOnce() {
  QFETCH(int, quantity);
  QFETCH(int, key);
  QFETCH(QByteArray, label);
  QFETCH(QString, shown);
  Make();
  form_->menuMouseUp(Find("menuVypocet4"));
  Calculate(u"150"_s, u"1"_s);
  auto* page = form_->findChild<tab97::CalculatorPage*>();
  auto* timer = Find<QTimer>("Timer2");
  for (int tick = 0; tick < 40 && timer->isActive(); ++tick) page->Timer2Timer();
  QVERIFY(!timer->isActive());
  QCOMPARE(Find("lblNazevOblasti")->height(), 18);
  Calls().clear();
  form_->menuMouseUp(Find("menuRozsahy1"));
  QTest::keyClick(Spin(quantity), Qt::Key(key));
  form_->menuMouseUp(Find("menuVypocet4"));
  const QWidget* shownIn = Find<QWidget>(label.constData());
  const auto* edit = qobject_cast<const QLineEdit*>(shownIn);
  QCOMPARE(edit != nullptr ? edit->text() : static_cast<const QLabel*>(shownIn)->text(), shown);
  QVERIFY(Calls().empty());
  QVERIFY(!timer->isActive());
  QCOMPARE(Find("lblNazevOblasti")->height(), 18);
  // The unit follows its value's new width.
  for (const auto& [value, unit] : {std::pair{"LabelV11", "LabelV111"}, std::pair{"LabelV33", "LabelV333"}}) {
    QLabel* v = Find(value);
    QCOMPARE(v->width(), v->sizeHint().width());
    QCOMPARE(Find(unit)->x(), v->x() + v->width() + 8);
  }
}

void RangesPageTest::changeReachesPointsAndFunctions() {
  Make();
  QTest::keyClick(Spin(3), Qt::Key_Down);  // V: 5 → 4
  QTest::keyClick(Spin(5), Qt::Key_Up);    // I: 4 → 5
  form_->menuMouseUp(Find("menuBody4"));
  auto* grid = Find<QTableWidget>("SGBody1");
  const auto editor = [grid] { return qobject_cast<QLineEdit*>(grid->indexWidget(grid->currentIndex())); };
  QVERIFY(editor() != nullptr);
  editor()->setText(u"150"_s);
  grid->setCurrentCell(0, 1);
  editor()->setText(u"1"_s);
  grid->setCurrentCell(3, 0);  // leaves row 0
  auto* computed = Find<QTableWidget>("SGBody2");
  QCOMPARE(computed->item(0, 0)->text(), u"0,0012"_s);
  QCOMPARE(computed->item(0, 2)->text(), u"1000,12500"_s);
  form_->menuMouseUp(Find("menuFunkce2"));
  auto* page = form_->findChild<tab97::FunctionPage*>();
  QTest::keyClick(Find<QComboBox>("ComboSkupiny"), Qt::Key_Down);
  QTest::keyClick(Find<QComboBox>("ComboSkupiny"), Qt::Key_Down);  // general functions, T_PI
  QTest::keyClick(Find<QComboBox>("Combo3"), Qt::Key_End);          // I_VS: an enthalpy
  QCOMPARE(page->FunctionCode(), 320);
  QCOMPARE(page->FunctionDecimals(), 5);
}

void RangesPageTest::changeReachesConfigurationFile() {
  Make();
  QTest::keyClick(Spin(2), Qt::Key_Up);    // P: 2 → 3
  QTest::keyClick(Spin(6), Qt::Key_Down);  // X: 6 → 5
  Spin(4)->selectAll();
  QTest::keyClicks(Spin(4), u"0"_s);       // S: 0
  QFile::remove(ConfigPath());
  QTest::mouseClick(Find("Image8"), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
  QCOMPARE(ReadFile(ConfigPath()), QByteArray("1\r\n3\r\n5\r\n0\r\n4\r\n5\r\n"));
}

void RangesPageTest::limitsShownAsTyped_data() {
  QTest::addColumn<int>("language");
  QTest::newRow("Czech") << 0;
  QTest::newRow("English") << 1;
}

// The limits text keeps the blanks between its letters, one quantity a line,
// and the headings and the limits fit their labels in both languages.
void RangesPageTest::limitsShownAsTyped() {
  QFETCH(int, language);
  Make("1\r\n2\r\n5\r\n3\r\n4\r\n6\r\n", language);
  const QStringList lines = Find("LabelMin")->text().split(QLatin1Char('\n'));
  QCOMPARE(lines.size(), 6);
  QCOMPARE(lines[1], u"0 , 0 0 0 6 1 1 2   < =   P  [ M P a ]   < =   1 0 0"_s);
  QCOMPARE(Find("LabelMin")->textFormat(), Qt::PlainText);
  for (const char* name : {"lblMezni", "lblNastaveni", "lblMinim", "lblMaxim", "LabelMin"}) {
    QLabel* label = Find(name);
    QVERIFY2(label->heightForWidth(label->width()) <= label->height() ||
                 label->sizeHint().height() <= label->height(),
             name);
  }
}

QTEST_MAIN(RangesPageTest)
#include "rangespage_test.moc"
