// The points page through its grids: a row is solved when left or on Enter, marked when
// its values are bad; the results follow the known pair; Ctrl+C copies the points.
#include <QtTest>

#include <QClipboard>
#include <QGuiApplication>
#include <QScrollBar>

#include <memory>

#include "app/pointspage.h"
#include "props/solver.h"
#include "testsupport.h"

using namespace Qt::Literals::StringLiterals;
using namespace testsupport;
using tab97::PointGrid;

namespace {
// The computed columns V, S, I, X of the scripted region-1 answer, and its call.
const QStringList kSolved{u"0,001340"_s, u"3,0775"_s, u"1255,499"_s, u"0,0000"_s};
const QString kCall = u"12 150 1.5 0111 0"_s;
}  // namespace

class PointsPageTest : public QObject {
  Q_OBJECT

  std::unique_ptr<TestWindow> w_;
  PointGrid* grid1_ = nullptr;
  PointGrid* grid2_ = nullptr;

  // The points page in an active window, so that focus moves and shortcut keys arrive.
  void Open(tab97::SolveFunction solve = &RecordingSolve, const char* config = kDefaultConfig, QChar separator = u',',
            int language = 0) {
    w_.reset();
    w_ = std::make_unique<TestWindow>(separator, config, language, solve);
    QVERIFY(w_->Activate());
    w_->Menu("menuBody1");
    grid1_ = w_->Find<PointGrid>("SGBody1");
    grid2_ = w_->Find<PointGrid>("SGBody2");
  }
  const tab97::MainState& State() const { return w_->form->State(); }
  // The open editor of the current cell of SGBody1.
  QLineEdit* Editor() const { return qobject_cast<QLineEdit*>(grid1_->indexWidget(grid1_->currentIndex())); }
  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) { QTest::keyClick(Editor(), key, modifiers); }
  // A click on a cell of SGBody1, on the open editor when it covers the cell.
  void ClickCell(int column, int row) {
    const QModelIndex index = grid1_->model()->index(row, column);
    if (QWidget* editor = grid1_->indexWidget(index))
      QTest::mouseClick(editor, Qt::LeftButton, Qt::NoModifier, editor->rect().center());
    else
      QTest::mouseClick(grid1_->viewport(), Qt::LeftButton, Qt::NoModifier, grid1_->visualRect(index).center());
    QVERIFY(grid1_->currentRow() == row && grid1_->currentColumn() == column);
  }
  // Types into the open editor of the current cell.
  void TypeHere(const QString& text) {
    QVERIFY(Editor() != nullptr);
    Editor()->selectAll();
    if (text.isEmpty())
      Key(Qt::Key_Delete);
    else
      QTest::keyClicks(Editor(), text);
  }
  // Types the two known values of a row: click, type, Tab, type.
  void TypeRow(int row, const QString& first, const QString& second) {
    ClickCell(0, row);
    TypeHere(first);
    Key(Qt::Key_Tab);
    QVERIFY(grid1_->currentRow() == row && grid1_->currentColumn() == 1);
    TypeHere(second);
  }
  QStringList Computed(int row) const {
    QStringList cells;
    for (int c = 0; c < 4; ++c) cells << grid2_->item(row, c)->text();
    return cells;
  }
  bool RowUntouched(int row) const {
    return Computed(row) == QStringList(4, QString()) && State().PointTable[row].Validity == 0.0;
  }
  // The editor is open on (column, row) and has the focus.
  void CheckEditorAt(int column, int row) {
    QVERIFY(grid1_->currentRow() == row && grid1_->currentColumn() == column);
    QVERIFY(Editor() != nullptr);
    QCOMPARE(w_->form->focusWidget(), static_cast<QWidget*>(Editor()));
  }

 private slots:
  void cleanup() { w_.reset(); }

  // The twelve rows fit without scrolling, results under their captions, the editor open on (0, 0).
  void gridLayout() {
    Open();
    QCoreApplication::processEvents();
    for (PointGrid* g : {grid1_, grid2_}) QVERIFY(!g->verticalScrollBar()->isVisible());
    QVERIFY(grid1_->geometry().right() < grid2_->geometry().left());
    QCOMPARE(grid2_->geometry().left() + 1, w_->Find("L3")->x());
    CheckEditorAt(0, 0);
  }

  // Leaving a row solves it (not Tab within it), the region shared, the calculator's state untouched.
  void rowSolvedWhenLeft() {
    Open();
    TypeRow(0, u"150"_s, u"1,5"_s);
    Key(Qt::Key_Backtab);
    ClickCell(1, 0);
    QVERIFY(Calls().empty());
    ClickCell(0, 5);
    QCOMPARE(Calls(), QStringList{kCall});
    QCOMPARE(Computed(0), kSolved);
    const tab97::TablePoint& p = State().PointTable[0];
    QCOMPARE(p.Validity, 1.0);
    QCOMPARE(p.Values, (tab97::QuantityValues{0, 150.0, 1.5, 0.00133981, 3.07754, 1255.4987, 0.0}));
    for (int r = 1; r <= 5; ++r) QVERIFY2(RowUntouched(r), qPrintable(u"row %1"_s.arg(r)));
    QCOMPARE(w_->form->findChild<tab97::PointsPage*>()->CurrentPointRow(), 5);
    QCOMPARE(grid1_->item(0, 0)->text() + u' ' + grid1_->item(0, 1)->text(), u"150 1,5"_s);
    QCOMPARE(State().RegionCode, 1);
    QCOMPARE(State().StateValues, tab97::QuantityValues{});
  }

  // Enter solves and goes to the next row's first cell (the last row in place); arrows keep the column and
  // solve the row they leave, nothing at the edges. The editor opens where the cursor lands, with the focus.
  void keys_data() { AddRows("window.txt", "pointKeys", {"row", "column", "key", "toRow", "toColumn", "solved"}); }
  void keys() {
    const QMap<QString, Qt::Key> keys{
        {u"Return"_s, Qt::Key_Return}, {u"Enter"_s, Qt::Key_Enter}, {u"Up"_s, Qt::Key_Up}, {u"Down"_s, Qt::Key_Down}};
    const int row = F("row").toInt(), column = F("column").toInt();
    Open();
    TypeRow(row, u"150"_s, u"1,5"_s);
    if (column == 0) Key(Qt::Key_Backtab);
    Key(keys[F("key")], F("key") == u"Enter"_s ? Qt::KeypadModifier : Qt::NoModifier);
    CheckEditorAt(F("toColumn").toInt(), F("toRow").toInt());
    const bool solved = F("solved") == u"1"_s;
    QCOMPARE(Calls(), solved ? QStringList{kCall} : QStringList());
    QCOMPARE(Computed(row), solved ? kSolved : QStringList(4, QString()));
    QCOMPARE(State().PointTable[row].Validity, solved ? 1.0 : 0.0);
    if (solved)
      QCOMPARE(grid1_->item(row, 1)->text(), u"1,5"_s);  // the text typed went to its cell
    else
      QCOMPARE(Editor()->text(), column == 1 ? u"1,5"_s : u"150"_s);  // still being typed
    if (F("toRow").toInt() != row) QVERIFY(RowUntouched(F("toRow").toInt()));
  }

  // Ctrl+C in the editor copies the solved points, not its text; marked rows and the row being typed stay out.
  void copyKeyCopiesSolvedPoints_data() { AddRows("window.txt", "pointsCopy", {"separator", "language", "copied"}); }
  void copyKeyCopiesSolvedPoints() {
    Open(&RecordingSolve, kDefaultConfig, F("separator")[0], F("language").toInt());
    const QStringList rows[4] = {{u"150"_s, u"1,5"_s}, {u"-1"_s, u"1"_s}, {u"20.5"_s, u"3"_s}, {u"99"_s, u"9"_s}};
    for (int r = 0; r < 4; ++r) {
      TypeRow(r, rows[r][0], rows[r][1]);
      if (r < 3) Key(Qt::Key_Return);  // the last is typed, not solved
    }
    QGuiApplication::clipboard()->clear();
    Editor()->selectAll();
    Key(Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), F("copied"));
  }

  // A solved row left with bad inputs is marked and no longer solved, without solver or message.
  void badInputs_data() { AddRows("window.txt", "pointsBad", {"first", "second", "mark"}); }
  void badInputs() {
    Open();
    TypeRow(3, u"100"_s, u"1"_s);
    ClickCell(0, 11);
    QCOMPARE(State().PointTable[3].Validity, 1.0);
    TypeRow(3, F("first"), F("second"));
    ClickCell(0, 11);
    QCOMPARE(Computed(3), QStringList(4, F("mark")));
    QCOMPARE(State().PointTable[3].Validity, 0.0);
    QVERIFY(Calls().size() == 1 && w_->messages.texts.isEmpty());
    QCOMPARE(Computed(0), QStringList(4, u"- - -"_s));  // row 0, left empty by the first click
  }

  // Results and captions follow the calculator's pair (X, T, …, P) and places; entering the page anew
  // empties the table, solving nothing, and drops an open editor's text.
  void pairFromTheCalculator() {
    Open(&RecordingSolve, "1\r\n2\r\n8\r\n0\r\n5\r\n2\r\n");
    TypeRow(0, u"150.0"_s, u"1.5"_s);
    ClickCell(0, 1);
    QCOMPARE(Computed(0), (QStringList{u"0,00133981"_s, u"3"_s, u"1255,49870"_s, u"0,00"_s}));
    TypeHere(u"123"_s);
    w_->Menu("menuVypocet2");
    w_->form->Calculator()->ShapeV4MouseUp();
    w_->Menu("menuBody1");
    for (int r = 0; r < 12; ++r) {
      QVERIFY(grid1_->item(r, 0)->text().isEmpty() && grid1_->item(r, 1)->text().isEmpty());
      QVERIFY2(RowUntouched(r), qPrintable(u"row %1"_s.arg(r)));
      QCOMPARE(State().PointTable[r].Values, tab97::QuantityValues{});
    }
    CheckEditorAt(0, 0);
    QCOMPARE(Editor()->text(), QString());
    QCOMPARE(w_->form->findChild<tab97::PointsPage*>()->CurrentPointRow(), 0);
    QList<int> lefts;
    for (const char* caption : {"L6", "L1", "L3", "L2"}) lefts << w_->Find(caption)->x();
    QCOMPARE(lefts, (QList<int>{25, 103, 181, 415}));
    TypeRow(0, u"0,5"_s, u"150"_s);
    ClickCell(0, 1);
    QCOMPARE(Calls(), (QStringList{u"12 150 1.5 0111 0"_s, u"16 150 0.5 1111 0"_s}));
    QCOMPARE(Computed(0), (QStringList{u"0,13700000"_s, u"4"_s, u"1358,50000"_s, u"0,48"_s}));
  }

  // 900 °C is out of range: the real solver's region 9 and zeros are no solved point.
  void outOfRangeRowNotSolved() {
    Open(&if97::SolveState);
    TypeRow(0, u"900"_s, u"3"_s);
    ClickCell(0, 1);
    QCOMPARE(State().RegionCode, 9);
    QCOMPARE(Computed(0), QStringList(4, u"- - -"_s));
    QCOMPARE(State().PointTable[0].Validity, 0.0);
  }
};

QTEST_MAIN(PointsPageTest)
#include "pointspage_test.moc"
