// The calculator page's logic without widgets: the known pair and its code, the
// pair rotation by a result-row click, the solver request, and the roll
// animation of the region name.
#include <QtTest>

#include <algorithm>
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

namespace {
QuantityOrderArray Order(int a, int b, int c, int d, int e, int f) { return {0, a, b, c, d, e, f}; }

QString Show(const QuantityOrderArray& o) {
  QString s;
  for (int i = 1; i <= 6; ++i) s += QString::number(o[i]);
  return s;
}

// Ticks the roll until the timer would stop; returns the heights after each tick.
std::vector<int> RunRoll(RegionRoll& roll, int region, int language, int* textSets = nullptr) {
  std::vector<int> heights;
  for (int i = 0; i < 100; ++i) {
    const RegionRoll::Tick t = roll.Step(region, language);
    if (t.setText && textSets) ++*textSets;
    heights.push_back(roll.Height());
    if (t.stopTimer) break;
  }
  return heights;
}
}  // namespace

class CalculatorLogicTest : public QObject {
  Q_OBJECT
 private slots:
  void pairCode_data();
  void pairCode();
  void rotation_data();
  void rotation();
  void rotationKeepsAPermutation();
  void request_data();
  void request();
  void rollOpensInSixTicksAndStops();
  void rollSwapsTextWhileClosed();
  void rollClosesWhenRegionCleared();
  void rollContinuesFromCurrentHeight();
  void rollTurnsRoundForAnotherName();
  void rollRenamesOnLanguageChange();
  void rollClosedWithoutRegionStopsAtOnce();
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

void CalculatorLogicTest::rotationKeepsAPermutation() {
  QuantityOrderArray order = InitialQuantityOrder();
  for (int step = 0; step < 200; ++step) {
    RotatePair(order, step * 7 % 4 + 1);
    std::vector<int> sorted(order.begin() + 1, order.end());
    std::sort(sorted.begin(), sorted.end());
    QCOMPARE(sorted, (std::vector<int>{1, 2, 3, 4, 5, 6}));
  }
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

void CalculatorLogicTest::rollOpensInSixTicksAndStops() {
  RegionRoll roll;
  int texts = 0;
  const std::vector<int> h = RunRoll(roll, 1, 0, &texts);
  QCOMPARE(h, (std::vector<int>{3, 6, 9, 12, 15, 18, 18}));  // the seventh tick finds it open and stops
  QCOMPARE(texts, 1);
  QVERIFY(roll.Shown());
}

void CalculatorLogicTest::rollSwapsTextWhileClosed() {
  RegionRoll roll;
  RunRoll(roll, 1, 0);
  // A new result: roll in to 0, set the text there, roll out again.
  int texts = 0;
  std::vector<int> h;
  for (int i = 0; i < 30; ++i) {
    const RegionRoll::Tick t = roll.Step(2, 0);
    if (t.setText) {
      ++texts;
      QCOMPARE(roll.Height(), 3);  // the text is set on the tick that leaves 0
      QCOMPARE(h.back(), 0);
    }
    h.push_back(roll.Height());
    if (t.stopTimer) break;
  }
  QCOMPARE(h, (std::vector<int>{15, 12, 9, 6, 3, 0, 3, 6, 9, 12, 15, 18, 18}));
  QCOMPARE(texts, 1);
}

void CalculatorLogicTest::rollClosesWhenRegionCleared() {
  RegionRoll roll;
  RunRoll(roll, 6, 0);
  const std::vector<int> h = RunRoll(roll, 0, 0);
  QCOMPARE(h, (std::vector<int>{15, 12, 9, 6, 3, 0, 0}));
  QVERIFY(!roll.Shown());
}

void CalculatorLogicTest::rollContinuesFromCurrentHeight() {
  RegionRoll roll;
  for (int i = 0; i < 3; ++i) roll.Step(1, 0);  // half open: 9
  QCOMPARE(roll.Height(), 9);
  // Enter again with the same region: the animation goes on upwards.
  const std::vector<int> h = RunRoll(roll, 1, 0);
  QCOMPARE(h, (std::vector<int>{12, 15, 18, 18}));
}

void CalculatorLogicTest::rollTurnsRoundForAnotherName() {
  RegionRoll roll;
  for (int i = 0; i < 3; ++i) roll.Step(1, 0);  // rolling out "region 1", at 9
  int texts = 0;
  const std::vector<int> h = RunRoll(roll, 2, 0, &texts);
  // Rolls in from 9 and shows the new name on the way out, never the old name open.
  QCOMPARE(h, (std::vector<int>{6, 3, 0, 3, 6, 9, 12, 15, 18, 18}));
  QCOMPARE(texts, 1);
}

void CalculatorLogicTest::rollRenamesOnLanguageChange() {
  RegionRoll roll;
  RunRoll(roll, 1, 0);
  int texts = 0;
  const std::vector<int> h = RunRoll(roll, 1, 1, &texts);
  QCOMPARE(h.size(), std::size_t{13});
  QCOMPARE(texts, 1);
}

void CalculatorLogicTest::rollClosedWithoutRegionStopsAtOnce() {
  RegionRoll roll;
  const RegionRoll::Tick t = roll.Step(0, 0);
  QVERIFY(t.stopTimer);
  QVERIFY(!t.setText);
  QCOMPARE(roll.Height(), 0);
}

QTEST_APPLESS_MAIN(CalculatorLogicTest)
#include "calculatorlogic_test.moc"
