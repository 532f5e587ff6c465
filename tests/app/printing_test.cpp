// Printing from the main window: the parameters and columns handed to the
// report component, one row in the calculator's display order, the solved points
// in table order (points 1, 2 and 4 give rows 1, 2, 4), the heading and one empty
// row without solved points, and the pages of "zostava.pts" as the preview gets them.
#include <QtTest>

#include "app/printlogic.h"
#include "props/solver.h"
#include "report/component/sestava.h"
#include "res/texts.h"
#include "testsupport.h"

using namespace Qt::Literals::StringLiterals;
using namespace testsupport;
namespace texts = tab97::texts;

class PrintingTest : public QObject {
  Q_OBJECT
 private slots:
  void parametersFollowLanguageAndPair();
  void rows_data();
  void rows();
  void previewOfTheTemplate();
};

void PrintingTest::parametersFollowLanguageAndPair() {
  tab97::MainState state;
  state.QuantityOrder = {0, 2, 4, 1, 3, 5, 6};  // P and S known
  state.LanguageIndex = 1;
  const QStringList p = tab97::PrintParameters(state);
  QCOMPARE(p.size(), 15);
  QCOMPARE(p[0], texts::ResultCaption(1, 2));
  QCOMPARE(p[1], texts::ResultCaption(1, 4));
  QCOMPARE(p[6], texts::Unit(1, 2));
  QCOMPARE(p.mid(12), (QStringList{u"IAPWS IF97 software - calculated values"_s, u"(Report)"_s, u"Point number:"_s}));
  state.LanguageIndex = 0;
  QCOMPARE(tab97::PrintParameters(state)[14], u"Bod číslo:"_s);
  QCOMPARE(tab97::PrintFieldNames(), (QStringList{u"Vel1"_s, u"Vel2"_s, u"Vel3"_s, u"Vel4"_s, u"Vel5"_s, u"Vel6"_s}));
}

void PrintingTest::rows_data() {
  QTest::addColumn<bool>("pointsPage");
  QTest::addColumn<QList<int>>("solved");  // table indices of solved points
  QTest::addColumn<QStringList>("firstValues");  // column Vel1 of each row
  QTest::newRow("calculator: one row") << false << QList<int>{} << QStringList{u"1,50"_s};
  QTest::newRow("points 1, 2 and 4") << true << QList<int>{0, 1, 3} << QStringList{u"10,00"_s, u"20,00"_s, u"40,00"_s};
  QTest::newRow("no point solved: one empty row") << true << QList<int>{} << QStringList{QString()};
}

void PrintingTest::rows() {
  QFETCH(bool, pointsPage);
  QFETCH(QList<int>, solved);
  QFETCH(QStringList, firstValues);
  tab97::MainState state;
  state.DecimalSeparator = u',';
  state.StateValues[1] = 1.5;
  for (int k = 0; k < tab97::kPointCount; ++k) state.PointTable[k].Values[1] = 10.0 * (k + 1);
  for (int k : solved) state.PointTable[k].Validity = 1.0;
  state.PointTable[2].Values[1] = 30;  // point 3, not solved, is never printed
  tab97::PrintRows rows(state, pointsPage);
  QStringList got;
  QCOMPARE(rows.Step(0), 1);
  for (int guard = 0; guard < 20; ++guard) {
    got.append(rows.RowValues().value(0));
    QCOMPARE(rows.RowValues().size(), 6);
    if (rows.Step(2) != 0) break;
  }
  QCOMPARE(got, firstValues);
  QCOMPARE(rows.Step(3), 2);
  QCOMPARE(rows.ReportRow(), pointsPage ? static_cast<int>(solved.size()) : 1);
}

// The real window and the shipped template: the preview receives pages with the
// heading, the captions of the display order and the row of the calculator.
void PrintingTest::previewOfTheTemplate() {
  TestWindow w(u',', kDefaultConfig, &if97::SolveState);
  QVERIFY(QFile::copy(QStringLiteral(TAB97_SOURCE_DIR "/res/report/zostava.pts"), w.dir.filePath(u"zostava.pts"_s)));
  w.form->Image13Click();  // Czech, calculator page
  w.form->State().StateValues[1] = 284.15;
  w.form->State().StateValues[2] = 16.257;
  QStringList shown;
  int pages = 0;
  w.form->Sestava1().previewer = [&](report::TSestavaTyp& r, QRect, QPoint, int zoom, int) {
    pages = r.document().pageCount();
    for (const report::TVystPrvek& e : r.document().pages[0].elements) shown.append(e.text);
    return zoom == 100 ? 1 : 0;
  };
  w.form->menuMouseUp(w.Find("menuTisk1"));
  QCOMPARE(pages, 1);
  for (const QString& expected : {u"Termofyzikální vlastnosti vody a vodní páry podle IAPWS IF97"_s,
                                  texts::ResultCaption(0, 1), u"284,15"_s, u"16,257"_s, u"Strana 1"_s, u"z 1"_s})
    QVERIFY2(shown.contains(expected), qPrintable(expected + u" not in "_s + shown.join(u'|')));
}

QTEST_MAIN(PrintingTest)
#include "printing_test.moc"
