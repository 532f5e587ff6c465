// The points page driven through its grids: values typed into the cells of
// SGBody1 are solved when their row is left (a click or an arrow key into
// another row, not Tab to the other cell of the row) or Enter is pressed in it;
// Enter goes on to the next row's first cell, the arrows keep the column; rows
// left empty read "- - -", negative values "x x x"; the four computed values
// follow the known pair and their decimals; entering the page arranges the
// captions after the pair and empties the table; Ctrl+C copies the solved
// points as a table. The row rule and the caption places are also checked on
// their own, without widgets.
#include <QtTest>

#include <QClipboard>
#include <QGuiApplication>

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>

#include <memory>

#include "app/calculatorpage.h"
#include "app/hlavniform.h"
#include "app/pointspage.h"
#include "app/pointtable.h"
#include "props/solver.h"
#include "testsupport.h"

using namespace Qt::Literals::StringLiterals;
using namespace testsupport;
using tab97::PointGrid;
using tab97::ThlavniForm;

namespace {

// Stands in for the solver: a region-1 answer for (T, P) and a wet-steam
// answer for (T, X), so that every value the page writes can be traced.
bool ScriptedAnswer(const SolveCall& call, SolveAnswer& a) {
  if (call.pairCode == 12) {
    a = {call.value1, call.value2, 0.00109, 1.8418, 632.25, 0.0, 1};
    return true;
  }
  if (call.pairCode == 16) {
    a = {call.value1, 0.4762, 0.19625, 4.6814, 1578.05, call.value2, 6};
    return true;
  }
  a.region = 11;
  return false;
}

}  // namespace

class PointsPageTest : public QObject {
  Q_OBJECT
 private slots:
  void init();
  void cleanup();

  void captionLefts_data();
  void captionLefts();
  void cursorSolvesOnlyTheRowLeft();
  void gridSizes();
  void rowSolvedWhenLeft();
  void tabWithinRowSolvesNothing();
  void arrowKeysKeepTheColumn_data();
  void arrowKeysKeepTheColumn();
  void enterSolvesAndMovesOn_data();
  void enterSolvesAndMovesOn();
  void enterOnLastRowSolvesIt();
  void pointsTypedWithEnterOnly();
  void copyKeyCopiesSolvedPoints_data();
  void copyKeyCopiesSolvedPoints();
  void emptyRowMarked();
  void badInputs_data();
  void badInputs();
  void valuesFollowPairAndDecimals();
  void swappedPair();
  void clearedOnReentry();
  void openEditorDiscardedOnReentry();
  void realSolver();
  void outOfRangeRowNotSolved();

 private:
  void Make(tab97::SolveFunction solve = &RecordingSolve, const char* config = kDefaultConfig,
            QChar separator = QLatin1Char(','), int language = 0) {
    w_ = std::make_unique<TestWindow>(separator, config, solve);
    form_ = w_->form.get();
    if (language == 1) form_->Image14Click();
    else form_->Image13Click();
    // Active, as under the user's hands: focus moves reach the grid's editor,
    // and shortcut keys reach the page.
    form_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form_));
    form_->menuMouseUp(Find("menuBody1"));
    QCOMPARE(form_->CurrentPageIndex(), int(ThlavniForm::kPagePoints));
    page_ = form_->findChild<tab97::PointsPage*>();
    grid1_ = Find<PointGrid>("SGBody1");
    grid2_ = Find<PointGrid>("SGBody2");
    Calls().clear();
  }
  template <typename T = QLabel>
  T* Find(const char* name) const {
    return w_->Find<T>(name);
  }
  // The open editor of the current cell of SGBody1.
  QLineEdit* Editor() const {
    return qobject_cast<QLineEdit*>(grid1_->indexWidget(grid1_->currentIndex()));
  }
  // A click on a cell of SGBody1, as the user selects it: on the open editor
  // when it covers the cell.
  void ClickCell(int column, int row) {
    const QModelIndex index = grid1_->model()->index(row, column);
    if (QWidget* editor = grid1_->indexWidget(index)) {
      QTest::mouseClick(editor, Qt::LeftButton, Qt::NoModifier, editor->rect().center());
    } else {
      const QRect cell = grid1_->visualRect(index);
      QTest::mouseClick(grid1_->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    }
    QCOMPARE(grid1_->currentRow(), row);
    QCOMPARE(grid1_->currentColumn(), column);
  }
  // Types into the open editor of the current cell.
  void TypeHere(const QString& text) {
    QLineEdit* editor = Editor();
    QVERIFY(editor != nullptr);
    editor->selectAll();
    if (text.isEmpty()) QTest::keyClick(editor, Qt::Key_Delete);
    else QTest::keyClicks(editor, text);
  }
  // Types the two known values of a row: click, type, Tab, type.
  void TypeRow(int row, const QString& first, const QString& second) {
    ClickCell(0, row);
    TypeHere(first);
    QTest::keyClick(Editor(), Qt::Key_Tab);
    QCOMPARE(grid1_->currentColumn(), 1);
    QCOMPARE(grid1_->currentRow(), row);
    TypeHere(second);
  }
  QStringList Computed(int row) const {
    QStringList cells;
    for (int c = 0; c < 4; ++c) cells << grid2_->item(row, c)->text();
    return cells;
  }
  bool RowUntouched(int row) const {
    return Computed(row) == QStringList(4, QString()) && form_->State().PointTable[row].Validity == 0.0;
  }

  std::unique_ptr<TestWindow> w_;
  ThlavniForm* form_ = nullptr;
  tab97::PointsPage* page_ = nullptr;
  PointGrid* grid1_ = nullptr;
  PointGrid* grid2_ = nullptr;
  std::unique_ptr<MessageRecorder> messages_;
};

void PointsPageTest::init() {
  messages_ = std::make_unique<MessageRecorder>();
  Calls().clear();
  Script() = ScriptedAnswer;
}

void PointsPageTest::cleanup() {
  w_.reset();
  messages_.reset();
  Script() = nullptr;
}

void PointsPageTest::captionLefts_data() {
  QTest::addColumn<QList<int>>("order");   // entries 1..6
  QTest::addColumn<QList<int>>("lefts");   // caption Left of quantity 1..6
  QTest::newRow("T, P known") << QList<int>{1, 2, 3, 4, 5, 6} << QList<int>{25, 103, 181, 259, 337, 415};
  QTest::newRow("X, T known") << QList<int>{6, 1, 3, 4, 5, 2} << QList<int>{103, 415, 181, 259, 337, 25};
  QTest::newRow("I, S known") << QList<int>{5, 4, 1, 2, 3, 6} << QList<int>{181, 259, 337, 103, 25, 415};
}

void PointsPageTest::captionLefts() {
  QFETCH(QList<int>, order);
  QFETCH(QList<int>, lefts);
  tab97::QuantityOrderArray o{};
  for (int i = 1; i <= 6; ++i) o[i] = order[i - 1];
  const std::array<int, 7> got = tab97::ColumnCaptionLefts(o);
  for (int q = 1; q <= 6; ++q) QCOMPARE(got[q], lefts[q - 1]);
}

void PointsPageTest::cursorSolvesOnlyTheRowLeft() {
  tab97::PointRowCursor cursor;
  QCOMPARE(cursor.CurrentPointRow(), 0);
  QCOMPARE(cursor.SelectRow(0), -1);  // the other cell of the same row
  QCOMPARE(cursor.SelectRow(5), 0);
  QCOMPARE(cursor.CurrentPointRow(), 5);
  QCOMPARE(cursor.SelectRow(5), -1);
  QCOMPARE(cursor.SelectRow(4), 5);
  cursor.SetCurrentPointRow(0);
  QCOMPARE(cursor.SelectRow(11), 0);
}

void PointsPageTest::gridSizes() {
  Make();
  QCoreApplication::processEvents();  // the scroll bars follow the layout
  QCOMPARE(grid1_->columnCount(), 2);
  QCOMPARE(grid1_->rowCount(), 12);
  QCOMPARE(grid2_->columnCount(), 4);
  QCOMPARE(grid2_->rowCount(), 12);
  for (PointGrid* g : {grid1_, grid2_}) {
    QVERIFY(g->horizontalHeader()->isHidden());
    QVERIFY(g->verticalHeader()->isHidden());
    for (int c = 0; c < g->columnCount(); ++c) QCOMPARE(g->columnWidth(c), 76);
    for (int r = 0; r < g->rowCount(); ++r) QCOMPARE(g->rowHeight(r), 16);
    // All twelve rows fit, so neither grid scrolls.
    QVERIFY(!g->verticalScrollBar()->isVisible());
  }
  QVERIFY(grid1_->isEnabled());
  QVERIFY(!grid2_->isEnabled());
  QVERIFY(grid1_->tabKeyNavigation());
  // The grids stand side by side under their captions, without overlapping.
  QVERIFY(grid1_->geometry().right() < grid2_->geometry().left());
  QCOMPARE(grid2_->geometry().left() + 1, Find("L3")->x());
  // The editor is open on cell (0, 0) at once.
  QCOMPARE(grid1_->currentRow(), 0);
  QCOMPARE(grid1_->currentColumn(), 0);
  QVERIFY(Editor() != nullptr);
  QCOMPARE(form_->focusWidget(), static_cast<QWidget*>(Editor()));
}

void PointsPageTest::rowSolvedWhenLeft() {
  Make();
  TypeRow(0, u"150"_s, u"1,5"_s);
  QVERIFY(Calls().empty());
  ClickCell(0, 5);
  QCOMPARE(Calls().size(), std::size_t{1});
  const SolveCall& c = Calls()[0];
  QCOMPARE(c.pairCode, 12);
  QCOMPARE(c.value1, 150.0);
  QCOMPARE(c.value2, 1.5);
  QVERIFY(!c.needP);
  QVERIFY(c.needV && c.needS && c.needI);
  QVERIFY(!c.preferMetastable);
  QCOMPARE(Computed(0), (QStringList{u"0,001090"_s, u"1,8418"_s, u"632,250"_s, u"0,0000"_s}));
  const tab97::TablePoint& p = form_->State().PointTable[0];
  QCOMPARE(p.Validity, 1.0);
  QCOMPARE(p.Values[1], 150.0);
  QCOMPARE(p.Values[2], 1.5);
  QCOMPARE(p.Values[3], 0.00109);
  QCOMPARE(p.Values[5], 632.25);
  for (int r = 1; r <= 4; ++r) QVERIFY2(RowUntouched(r), qPrintable(u"row %1"_s.arg(r)));
  QVERIFY(RowUntouched(5));  // the row entered is not solved either
  QCOMPARE(page_->CurrentPointRow(), 5);
  // The texts typed stay in their cells.
  QCOMPARE(grid1_->item(0, 0)->text(), u"150"_s);
  QCOMPARE(grid1_->item(0, 1)->text(), u"1,5"_s);
  // The region goes to the shared RegionCode; the calculator's state stays.
  QCOMPARE(form_->State().RegionCode, 1);
  QCOMPARE(form_->State().StateValues, tab97::QuantityValues{});
}

void PointsPageTest::tabWithinRowSolvesNothing() {
  Make();
  TypeRow(2, u"100"_s, u"1"_s);
  QTest::keyClick(Editor(), Qt::Key_Backtab);  // back to the first cell of the row
  QCOMPARE(grid1_->currentColumn(), 0);
  ClickCell(1, 2);
  QVERIFY(Calls().empty());
  QVERIFY(RowUntouched(2));
  // Row 0, entered at the start and left by the first click, was empty.
  QCOMPARE(Computed(0), QStringList(4, u"- - -"_s));
}

void PointsPageTest::arrowKeysKeepTheColumn_data() {
  QTest::addColumn<int>("row");
  QTest::addColumn<int>("column");
  QTest::addColumn<int>("key");
  QTest::addColumn<int>("toRow");
  QTest::addColumn<bool>("solved");  // the row typed in is solved
  QTest::newRow("down from the first cell") << 0 << 0 << int(Qt::Key_Down) << 1 << true;
  QTest::newRow("down from the second cell") << 0 << 1 << int(Qt::Key_Down) << 1 << true;
  QTest::newRow("up from the second cell") << 4 << 1 << int(Qt::Key_Up) << 3 << true;
  QTest::newRow("up from the first cell") << 4 << 0 << int(Qt::Key_Up) << 3 << true;
  QTest::newRow("up at the top") << 0 << 1 << int(Qt::Key_Up) << 0 << false;
  QTest::newRow("down at the bottom") << 11 << 0 << int(Qt::Key_Down) << 11 << false;
}

void PointsPageTest::arrowKeysKeepTheColumn() {
  QFETCH(int, row);
  QFETCH(int, column);
  QFETCH(int, key);
  QFETCH(int, toRow);
  QFETCH(bool, solved);
  Make();
  TypeRow(row, u"100"_s, u"1"_s);
  if (column == 0) QTest::keyClick(Editor(), Qt::Key_Backtab);
  QCOMPARE(grid1_->currentColumn(), column);
  QTest::keyClick(Editor(), Qt::Key(key));
  QCOMPARE(grid1_->currentRow(), toRow);
  QCOMPARE(grid1_->currentColumn(), column);
  QVERIFY(Editor() != nullptr);
  QCOMPARE(form_->focusWidget(), static_cast<QWidget*>(Editor()));
  QCOMPARE(Calls().size(), std::size_t(solved ? 1 : 0));
  QCOMPARE(form_->State().PointTable[row].Validity, solved ? 1.0 : 0.0);
  if (solved) {
    QCOMPARE(grid2_->item(row, 0)->text(), u"0,001090"_s);
    QCOMPARE(grid1_->item(row, 1)->text(), u"1"_s);  // the text typed went to its cell
  } else {
    QCOMPARE(Editor()->text(), column == 1 ? u"1"_s : u"100"_s);  // still being typed
  }
}

void PointsPageTest::enterSolvesAndMovesOn_data() {
  QTest::addColumn<int>("column");
  QTest::addColumn<int>("key");
  QTest::newRow("Return in the second cell") << 1 << int(Qt::Key_Return);
  QTest::newRow("Enter in the second cell") << 1 << int(Qt::Key_Enter);
  QTest::newRow("Return in the first cell") << 0 << int(Qt::Key_Return);
}

void PointsPageTest::enterSolvesAndMovesOn() {
  QFETCH(int, column);
  QFETCH(int, key);
  Make();
  TypeRow(2, u"150"_s, u"1,5"_s);
  if (column == 0) QTest::keyClick(Editor(), Qt::Key_Backtab);
  QTest::keyClick(Editor(), Qt::Key(key), key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
  QCOMPARE(Calls().size(), std::size_t{1});
  QCOMPARE(Calls()[0].value1, 150.0);
  QCOMPARE(Calls()[0].value2, 1.5);
  QCOMPARE(Computed(2), (QStringList{u"0,001090"_s, u"1,8418"_s, u"632,250"_s, u"0,0000"_s}));
  QCOMPARE(form_->State().PointTable[2].Validity, 1.0);
  QCOMPARE(grid1_->currentRow(), 3);
  QCOMPARE(grid1_->currentColumn(), 0);
  QCOMPARE(page_->CurrentPointRow(), 3);
  QVERIFY(Editor() != nullptr);
  QCOMPARE(form_->focusWidget(), static_cast<QWidget*>(Editor()));
  QVERIFY(RowUntouched(3));
}

// The last row has no next one to go to: Enter solves it where it is.
void PointsPageTest::enterOnLastRowSolvesIt() {
  Make();
  TypeRow(11, u"150"_s, u"1,5"_s);
  QTest::keyClick(Editor(), Qt::Key_Return);
  QCOMPARE(Calls().size(), std::size_t{1});
  QCOMPARE(Computed(11), (QStringList{u"0,001090"_s, u"1,8418"_s, u"632,250"_s, u"0,0000"_s}));
  QCOMPARE(form_->State().PointTable[11].Validity, 1.0);
  QCOMPARE(grid1_->currentRow(), 11);
  QCOMPARE(grid1_->item(11, 1)->text(), u"1,5"_s);
  QVERIFY(Editor() != nullptr);
  // A changed value and Enter again solve it anew.
  TypeHere(u"2"_s);
  QTest::keyClick(Editor(), Qt::Key_Return);
  QCOMPARE(Calls().size(), std::size_t{2});
  QCOMPARE(Calls()[1].value2, 2.0);
  QCOMPARE(form_->State().PointTable[11].Values[2], 2.0);
}

// Points typed one after another with the keyboard alone: value, Tab, value, Enter.
void PointsPageTest::pointsTypedWithEnterOnly() {
  Make();
  const QStringList points[3] = {{u"100"_s, u"1"_s}, {u"150"_s, u"2"_s}, {u"200"_s, u"3"_s}};
  for (const QStringList& point : points) {
    TypeHere(point[0]);
    QTest::keyClick(Editor(), Qt::Key_Tab);
    TypeHere(point[1]);
    QTest::keyClick(Editor(), Qt::Key_Return);
  }
  QCOMPARE(Calls().size(), std::size_t{3});
  for (int r = 0; r < 3; ++r) {
    QCOMPARE(form_->State().PointTable[r].Validity, 1.0);
    QCOMPARE(form_->State().PointTable[r].Values[1], points[r][0].toDouble());
    QCOMPARE(form_->State().PointTable[r].Values[2], points[r][1].toDouble());
  }
  QCOMPARE(grid1_->currentRow(), 3);
  QCOMPARE(grid1_->currentColumn(), 0);
}

void PointsPageTest::copyKeyCopiesSolvedPoints_data() {
  QTest::addColumn<QChar>("separator");
  QTest::addColumn<int>("language");
  QTest::addColumn<QString>("copied");
  QTest::newRow("Czech") << QChar(u',') << 0
                         << u"Teplota [°C]\tTlak [MPa]\tMěrný objem [m3/kg]\tEntropie [kJ/kgK]\t"
                            "Entalpie [kJ/kg]\tSuchost pary [1]\n"
                            "150,00\t1,500\t0,001090\t1,8418\t632,250\t0,0000\n"
                            "20,50\t3,000\t0,001090\t1,8418\t632,250\t0,0000\n"_s;
  QTest::newRow("English") << QChar(u'.') << 1
                           << u"Temperature [°C]\tPressure [MPa]\tSpecific volume [m3/kg]\t"
                              "Specific entropy [kJ/kgK]\tSpecific enthalpy [kJ/kg]\tDryness [1]\n"
                              "150.00\t1.500\t0.001090\t1.8418\t632.250\t0.0000\n"
                              "20.50\t3.000\t0.001090\t1.8418\t632.250\t0.0000\n"_s;
}

// Ctrl+C in the open editor copies the solved points, not the editor's text;
// rows marked unsolved and the row not yet left stay out.
void PointsPageTest::copyKeyCopiesSolvedPoints() {
  QFETCH(QChar, separator);
  QFETCH(int, language);
  QFETCH(QString, copied);
  Make(&RecordingSolve, kDefaultConfig, separator, language);
  TypeRow(0, u"150"_s, u"1,5"_s);
  QTest::keyClick(Editor(), Qt::Key_Return);
  TypeRow(1, u"-1"_s, u"1"_s);
  QTest::keyClick(Editor(), Qt::Key_Return);
  TypeRow(2, u"20.5"_s, u"3"_s);
  QTest::keyClick(Editor(), Qt::Key_Return);
  TypeRow(3, u"99"_s, u"9"_s);  // typed, not solved
  QCOMPARE(Computed(1), QStringList(4, u"x x x"_s));
  QGuiApplication::clipboard()->clear();
  Editor()->selectAll();
  QTest::keyClick(Editor(), Qt::Key_C, Qt::ControlModifier);
  QCOMPARE(QGuiApplication::clipboard()->text(), copied);
}

void PointsPageTest::emptyRowMarked() {
  Make();
  ClickCell(1, 3);  // leaves row 0 without typing anything
  QCOMPARE(Computed(0), QStringList(4, u"- - -"_s));
  QCOMPARE(form_->State().PointTable[0].Validity, 0.0);
  TypeHere(u"1"_s);  // only one value in row 3
  ClickCell(0, 4);
  QCOMPARE(Computed(3), QStringList(4, u"- - -"_s));
  QVERIFY(Calls().empty());
  QVERIFY(RowUntouched(1));
  QVERIFY(RowUntouched(2));
}

void PointsPageTest::badInputs_data() {
  QTest::addColumn<QString>("first");
  QTest::addColumn<QString>("second");
  QTest::addColumn<QString>("mark");
  QTest::newRow("negative first") << u"-5"_s << u"1"_s << u"x x x"_s;
  QTest::newRow("negative second") << u"100"_s << u"-0,1"_s << u"x x x"_s;
  QTest::newRow("negative and empty") << u"-5"_s << QString() << u"- - -"_s;
  QTest::newRow("letters") << u"abc"_s << u"1"_s << u"- - -"_s;
  QTest::newRow("thousands") << u"1 000"_s << u"1"_s << u"- - -"_s;
}

void PointsPageTest::badInputs() {
  QFETCH(QString, first);
  QFETCH(QString, second);
  QFETCH(QString, mark);
  Make();
  // A solved row first, so the mark must also replace its validity.
  TypeRow(0, u"100"_s, u"1"_s);
  ClickCell(0, 1);
  QCOMPARE(form_->State().PointTable[0].Validity, 1.0);
  ClickCell(0, 0);
  TypeHere(first);
  QTest::keyClick(Editor(), Qt::Key_Tab);
  TypeHere(second);
  ClickCell(0, 7);
  QCOMPARE(Computed(0), QStringList(4, mark));
  QCOMPARE(form_->State().PointTable[0].Validity, 0.0);
  QCOMPARE(Calls().size(), std::size_t{1});
  QVERIFY(messages_->texts.isEmpty());
}

void PointsPageTest::valuesFollowPairAndDecimals() {
  Make(&RecordingSolve, "1\r\n2\r\n8\r\n0\r\n5\r\n2\r\n");
  TypeRow(0, u"150.0"_s, u"1.5"_s);
  ClickCell(0, 1);
  QCOMPARE(Computed(0), (QStringList{u"0,00109000"_s, u"2"_s, u"632,25000"_s, u"0,00"_s}));
}

void PointsPageTest::swappedPair() {
  Make();
  form_->menuMouseUp(Find("menuVypocet2"));
  form_->Calculator()->ShapeV4MouseUp();  // dryness first, temperature second, pressure last
  form_->menuMouseUp(Find("menuBody1"));
  TypeRow(0, u"0,5"_s, u"150"_s);
  ClickCell(0, 1);
  QCOMPARE(Calls().size(), std::size_t{1});
  QCOMPARE(Calls()[0].pairCode, 16);
  QCOMPARE(Calls()[0].value1, 150.0);
  QCOMPARE(Calls()[0].value2, 0.5);
  QVERIFY(Calls()[0].needP && Calls()[0].needV && Calls()[0].needS && Calls()[0].needI);
  // V, S, I, P in the order of the calculator page.
  QCOMPARE(Computed(0), (QStringList{u"0,196250"_s, u"4,6814"_s, u"1578,050"_s, u"0,476"_s}));
}

void PointsPageTest::clearedOnReentry() {
  Make();
  TypeRow(0, u"100"_s, u"1"_s);
  ClickCell(0, 1);
  TypeRow(1, u"-1"_s, u"1"_s);
  ClickCell(0, 2);
  QCOMPARE(form_->State().PointTable[0].Validity, 1.0);
  form_->menuMouseUp(Find("menuVypocet2"));
  form_->Calculator()->ShapeV4MouseUp();
  form_->menuMouseUp(Find("menuBody1"));
  // Captions after the new order X, T, V, S, I, P.
  QCOMPARE(Find("L6")->x(), 25);
  QCOMPARE(Find("L1")->x(), 103);
  QCOMPARE(Find("L3")->x(), 181);
  QCOMPARE(Find("L2")->x(), 415);
  for (int r = 0; r < 12; ++r) {
    QCOMPARE(grid1_->item(r, 0)->text(), QString());
    QCOMPARE(grid1_->item(r, 1)->text(), QString());
    QVERIFY2(RowUntouched(r), qPrintable(u"row %1"_s.arg(r)));
    QCOMPARE(form_->State().PointTable[r].Values, tab97::QuantityValues{});
  }
  QCOMPARE(page_->CurrentPointRow(), 0);
  QCOMPARE(grid1_->currentRow(), 0);
  QCOMPARE(grid1_->currentColumn(), 0);
  QCOMPARE(Calls().size(), std::size_t{1});  // preparing the page solves nothing
}

// Text typed but not yet handed to its cell when the page was left belongs to
// the last visit: it neither comes back nor gets solved.
void PointsPageTest::openEditorDiscardedOnReentry() {
  Make();
  TypeHere(u"123"_s);
  form_->menuMouseUp(Find("menuFunkce2"));
  form_->menuMouseUp(Find("menuBody3"));
  QCOMPARE(grid1_->item(0, 0)->text(), QString());
  QVERIFY(Editor() != nullptr);
  QCOMPARE(Editor()->text(), QString());
  TypeHere(u"100"_s);
  QTest::keyClick(Editor(), Qt::Key_Tab);
  TypeHere(u"1"_s);
  ClickCell(0, 1);
  QCOMPARE(Calls().size(), std::size_t{1});
  QCOMPARE(Calls()[0].value1, 100.0);
}

// With the property library: region 1 at 300 K and 3 MPa (IF97 verification
// values v = 0.00100215168 m3/kg, s = 0.392294792 kJ/(kg K), h = 115.331273 kJ/kg).
void PointsPageTest::realSolver() {
  Make(&if97::SolveState);
  TypeRow(0, u"26.85"_s, u"3"_s);
  ClickCell(0, 1);
  QCOMPARE(Computed(0), (QStringList{u"0,001002"_s, u"0,3923"_s, u"115,331"_s, u"0,0000"_s}));
  QCOMPARE(form_->State().PointTable[0].Validity, 1.0);
  QCOMPARE(form_->State().RegionCode, 1);
}

// 900 °C lies beyond the range: the solver answers region 9 with zeros, and the
// row must not count as a solved point (it would be printed and marked).
void PointsPageTest::outOfRangeRowNotSolved() {
  Make(&if97::SolveState);
  TypeRow(0, u"900"_s, u"3"_s);
  ClickCell(0, 1);
  QCOMPARE(form_->State().RegionCode, 9);
  QCOMPARE(Computed(0), (QStringList{u"- - -"_s, u"- - -"_s, u"- - -"_s, u"- - -"_s}));
  QCOMPARE(form_->State().PointTable[0].Validity, 0.0);
}

QTEST_MAIN(PointsPageTest)
#include "pointspage_test.moc"
