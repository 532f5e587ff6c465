// The calculator page's logic without widgets: the known pair and its code, the
// pair rotation by a result-row click, the solver request, and the roll
// animation of the region name.
#include <QtTest>

#include <vector>

#include "app/calculatorlogic.h"

using namespace Qt::Literals::StringLiterals;
using tab97::ComputePair;
using tab97::InitialQuantityOrder;
using tab97::MakeSolveRequest;
using tab97::QuantityOrderArray;
using tab97::RegionRoll;
using tab97::RotatePair;

Q_DECLARE_METATYPE(QuantityOrderArray)
Q_DECLARE_METATYPE(std::vector<int>)

namespace {
QuantityOrderArray Order(int a, int b, int c, int d, int e, int f) { return {0, a, b, c, d, e, f}; }

QString Show(const QuantityOrderArray& o) {
  QString s;
  for (int i = 1; i <= 6; ++i) s += QString::number(o[i]);
  return s;
}

// Ticks the roll until the timer would stop.
void RunRoll(RegionRoll& roll, int region, int language) {
  for (int i = 0; i < 100 && !roll.Step(region, language).stopTimer; ++i) {
  }
}
}  // namespace

class CalculatorLogicTest : public QObject {
  Q_OBJECT
 private slots:
  void pairCode_data();
  void pairCode();
  void rotation_data();
  void rotation();
  void request_data();
  void request();
  void roll_data();
  void roll();
};

void CalculatorLogicTest::pairCode_data() {
  QTest::addColumn<QuantityOrderArray>("order");
  QTest::addColumn<int>("code");
  QTest::addColumn<bool>("swapped");
  QTest::newRow("T, P") << Order(1, 2, 3, 4, 5, 6) << 12 << false;
  QTest::newRow("P, T") << Order(2, 1, 3, 4, 5, 6) << 12 << true;
  QTest::newRow("X, T") << Order(6, 1, 3, 4, 5, 2) << 16 << true;
  QTest::newRow("P, I") << Order(2, 5, 3, 4, 1, 6) << 25 << false;
  QTest::newRow("I, P") << Order(5, 2, 3, 4, 1, 6) << 25 << true;
  QTest::newRow("S, V") << Order(4, 3, 1, 2, 5, 6) << 34 << true;
}

void CalculatorLogicTest::pairCode() {
  QFETCH(QuantityOrderArray, order);
  QFETCH(int, code);
  QFETCH(bool, swapped);
  QCOMPARE(ComputePair(order).code, code);
  QCOMPARE(ComputePair(order).swapped, swapped);
}

void CalculatorLogicTest::rotation_data() {
  QTest::addColumn<QuantityOrderArray>("before");
  QTest::addColumn<int>("row");
  QTest::addColumn<QuantityOrderArray>("after");
  // The clicked quantity becomes the first input, the old first the second, and
  // the old second takes the clicked row.
  QTest::newRow("row 1 (V)") << Order(1, 2, 3, 4, 5, 6) << 1 << Order(3, 1, 2, 4, 5, 6);
  QTest::newRow("row 2 (S)") << Order(1, 2, 3, 4, 5, 6) << 2 << Order(4, 1, 3, 2, 5, 6);
  QTest::newRow("row 3 (I)") << Order(1, 2, 3, 4, 5, 6) << 3 << Order(5, 1, 3, 4, 2, 6);
  QTest::newRow("row 4 (X): P moves to row 4") << Order(1, 2, 3, 4, 5, 6) << 4 << Order(6, 1, 3, 4, 5, 2);
  QTest::newRow("twice") << Order(6, 1, 3, 4, 5, 2) << 4 << Order(2, 6, 3, 4, 5, 1);
  QTest::newRow("row 0 changes nothing") << Order(1, 2, 3, 4, 5, 6) << 0 << Order(1, 2, 3, 4, 5, 6);
  QTest::newRow("row 5 changes nothing") << Order(1, 2, 3, 4, 5, 6) << 5 << Order(1, 2, 3, 4, 5, 6);
}

void CalculatorLogicTest::rotation() {
  QFETCH(QuantityOrderArray, before);
  QFETCH(int, row);
  QFETCH(QuantityOrderArray, after);
  QuantityOrderArray order = before;
  RotatePair(order, row);
  QCOMPARE(Show(order), Show(after));
}

void CalculatorLogicTest::request_data() {
  QTest::addColumn<QuantityOrderArray>("order");
  QTest::addColumn<int>("code");
  QTest::addColumn<double>("value1");
  QTest::addColumn<double>("value2");
  QTest::addColumn<QString>("needs");  // P V S I, 1 = asked for
  // u = 1.5 is typed for entry 1, w = 2.5 for entry 2.
  QTest::newRow("T, P") << Order(1, 2, 3, 4, 5, 6) << 12 << 1.5 << 2.5 << u"0111"_s;
  QTest::newRow("X, T: T first") << Order(6, 1, 3, 4, 5, 2) << 16 << 2.5 << 1.5 << u"1111"_s;
  QTest::newRow("P, I") << Order(2, 5, 3, 4, 1, 6) << 25 << 1.5 << 2.5 << u"0110"_s;
  QTest::newRow("S, V") << Order(4, 3, 1, 2, 5, 6) << 34 << 2.5 << 1.5 << u"1001"_s;
  QTest::newRow("V, I") << Order(3, 5, 1, 2, 4, 6) << 35 << 1.5 << 2.5 << u"1010"_s;
}

void CalculatorLogicTest::request() {
  QFETCH(QuantityOrderArray, order);
  QFETCH(int, code);
  QFETCH(double, value1);
  QFETCH(double, value2);
  QFETCH(QString, needs);
  const tab97::SolveRequest r = MakeSolveRequest(order, 1.5, 2.5, true);
  QCOMPARE(r.pairCode, code);
  QCOMPARE(r.value1, value1);
  QCOMPARE(r.value2, value2);
  const QString got = QString::number(int(r.needP)) + QString::number(int(r.needV)) + QString::number(int(r.needS)) +
                      QString::number(int(r.needI));
  QCOMPARE(got, needs);
  QVERIFY(r.preferMetastable);
  QVERIFY(!MakeSolveRequest(order, 1.5, 2.5, false).preferMetastable);
}

void CalculatorLogicTest::roll_data() {
  QTest::addColumn<int>("firstRegion");   // the roll before: region shown, ticked
  QTest::addColumn<int>("firstTicks");    // this many times (-1: until it stops)
  QTest::addColumn<int>("region");        // then ticked with this region and language
  QTest::addColumn<int>("language");
  QTest::addColumn<std::vector<int>>("heights");
  QTest::addColumn<int>("textSets");
  using H = std::vector<int>;
  QTest::newRow("opens in six ticks and stops") << 0 << 0 << 1 << 0 << H{3, 6, 9, 12, 15, 18, 18} << 1;
  // A new result: roll in to 0, set the text there, roll out again.
  QTest::newRow("another name swaps while closed")
      << 1 << -1 << 2 << 0 << H{15, 12, 9, 6, 3, 0, 3, 6, 9, 12, 15, 18, 18} << 1;
  QTest::newRow("cleared region closes") << 6 << -1 << 0 << 0 << H{15, 12, 9, 6, 3, 0, 0} << 0;
  QTest::newRow("same region continues from the height") << 1 << 3 << 1 << 0 << H{12, 15, 18, 18} << 0;
  // Rolling out "region 1" at 9: turns round, the old name never shown open.
  QTest::newRow("turns round for another name")
      << 1 << 3 << 2 << 0 << H{6, 3, 0, 3, 6, 9, 12, 15, 18, 18} << 1;
  QTest::newRow("language change renames")
      << 1 << -1 << 1 << 1 << H{15, 12, 9, 6, 3, 0, 3, 6, 9, 12, 15, 18, 18} << 1;
  QTest::newRow("closed without region stops at once") << 0 << 0 << 0 << 0 << H{0} << 0;
}

void CalculatorLogicTest::roll() {
  QFETCH(int, firstRegion);
  QFETCH(int, firstTicks);
  QFETCH(int, region);
  QFETCH(int, language);
  QFETCH(std::vector<int>, heights);
  QFETCH(int, textSets);
  RegionRoll roll;
  if (firstTicks < 0) RunRoll(roll, firstRegion, 0);
  for (int i = 0; i < firstTicks; ++i) roll.Step(firstRegion, 0);
  std::vector<int> h;
  int texts = 0;
  for (int i = 0; i < 100; ++i) {
    const RegionRoll::Tick t = roll.Step(region, language);
    if (t.setText) {
      ++texts;
      QCOMPARE(roll.Height(), 3);  // the text is set on the tick that leaves 0
      QVERIFY(!h.empty() || firstTicks == 0);
      if (!h.empty()) QCOMPARE(h.back(), 0);
    }
    h.push_back(roll.Height());
    if (t.stopTimer) break;
  }
  QCOMPARE(h, heights);
  QCOMPARE(texts, textSets);
  QCOMPARE(roll.Shown(), region != 0);
}

QTEST_APPLESS_MAIN(CalculatorLogicTest)
#include "calculatorlogic_test.moc"
