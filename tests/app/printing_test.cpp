// Printing from the main window: the parameters and columns handed to the
// report component, one row in the calculator's display order, the solved points
// in table order (points 1, 2 and 4 give rows 1, 2, 4), the heading and one empty
// row without solved points, and the pages of "zostava.pts" as the preview gets them.
#include <QtTest>

#include "app/printlogic.h"
#include "props/solver.h"
#include "report/component/sestava.h"
#include "report/render/pdfexport.h"
#include "report/ui/previewwindow.h"
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
  void previewScreenshots();
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

// The preview as a user sees it, from the calculator and from the points page,
// written as PNG (and the points printout as PDF) for a person to look at.
void PrintingTest::previewScreenshots() {
  TestWindow w(u',', kDefaultConfig, &if97::SolveState);
  QVERIFY(QFile::copy(QStringLiteral(TAB97_SOURCE_DIR "/res/report/zostava.pts"), w.dir.filePath(u"zostava.pts"_s)));
  w.form->Image13Click();
  tab97::MainState& state = w.form->State();
  const auto fill = [&state] {
  double t = 100, p = 0.5;
  for (int k : {0, 1, 3, 5, 6}) {
    double T = 0, P = 0, V = 0, S = 0, I = 0, X = 0;
    if97::PropertyRegion region = if97::kRegionNone;
    if97::SolveState(if97::kPairTP, false, true, t + 40 * k, p * (k + 1), true, true, false, T, P, V, S, I, X, region);
    state.PointTable[k] = {1.0, {0, t + 40 * k, p * (k + 1), V, S, I, X}};
  }
  state.StateValues = state.PointTable[3].Values;
  };
  fill();
  const QString dir = QDir::current().absoluteFilePath(u"screenshots"_s);
  QDir().mkpath(dir);
  QString shot;
  w.form->Sestava1().previewer = [&](report::TSestavaTyp& r, QRect, QPoint, int zoom, int) {
    report::TFormSestP preview(r.document(), r.printerPort(), r.renderHooks(), false, r.Popis, zoom);
    preview.resize(900, 1000);
    preview.show();
    QTest::qWait(50);
    preview.grab().save(dir + u"/print-preview-"_s + shot + u".png"_s);
    report::ExportPdf(r.document(), dir + u"/print-"_s + shot + u".pdf"_s, r.Popis);
    return 1;
  };
  shot = u"calculator"_s;
  w.form->menuMouseUp(w.Find("menuTisk1"));
  w.form->menuMouseUp(w.Find("menuBody1"));
  fill();  // entering the points page starts an empty table
  shot = u"points"_s;
  w.form->menuMouseUp(w.Find("menuTisk2"));
  QVERIFY(QFile::exists(dir + u"/print-preview-calculator.png"_s));
  QVERIFY(QFile::exists(dir + u"/print-preview-points.png"_s));
}

QTEST_MAIN(PrintingTest)
#include "printing_test.moc"
