// The calculator page driven through its widgets: typed inputs with either
// separator and Enter make one solver call with the pair's code, values and need
// flags, and the results are shown with their decimals in the locale's
// separator; bad inputs calculate nothing; result-row clicks rotate the known
// pair; the metastable switch recomputes; the region name is swapped only while
// its label is closed; Ctrl+C copies the state as a table. Over the real solver,
// states of an independent evaluation of IF97 come out on the page.
#include <QtTest>

#include <QClipboard>
#include <QGuiApplication>
#include <QTimer>

#include <cmath>
#include <memory>

#include "app/calculatorpage.h"
#include "props/solver.h"
#include "testsupport.h"

using namespace Qt::Literals::StringLiterals;
using namespace testsupport;

class CalculatorTest : public QObject {
  Q_OBJECT

  std::unique_ptr<TestWindow> w_;

  void Open(QChar separator, const QByteArray& config = kDefaultConfig, int language = 0,
            tab97::SolveFunction solve = &RecordingSolve) {
    w_.reset();
    w_ = std::make_unique<TestWindow>(separator, config, language, solve);
    w_->form->activateWindow();
  }
  const tab97::MainState& State() const { return w_->State(); }
  QString Shown() const {
    QStringList shown{w_->Edit("Edit1")->text(), w_->Edit("Edit2")->text()};
    for (const char* value : {"LabelV11", "LabelV22", "LabelV33", "LabelV44"}) shown << w_->Text(value);
    return shown.join(u' ');
  }
  void Calculate(const QString& first, const QString& second, const char* enterIn = "Edit2") {
    w_->Type("Edit1", first);
    w_->Type("Edit2", second);
    w_->Edit(enterIn)->setFocus();
    w_->Enter(enterIn);
  }
  // Ticks the region name's animation until its timer stops; its heights, and
  // the name it shows while closed.
  QList<int> RunTimer(QString* closedName = nullptr) {
    QList<int> heights;
    while (w_->Find<QTimer>("Timer2")->isActive() && heights.size() < 100) {
      w_->form->Calculator()->Timer2Timer();
      heights << w_->Find("lblNazevOblasti")->height();
      if (heights.last() == 0 && closedName) *closedName = w_->Text("lblNazevOblasti");
    }
    return heights;
  }

 private slots:
  void cleanup() { w_.reset(); }

  // After a first state, Enter calculates the typed pair and moves the focus to
  // the other edit. An unreadable or negative input calculates nothing, clears
  // the results and region, shows the last inputs again (the focus stays after
  // an unreadable one).
  void enter_data() {
    AddRows("window.txt", "enter", {"separator", "first", "second", "enterIn", "solved", "shown", "focus"});
  }
  void enter() {
    Open(F("separator")[0]);
    Calculate(u"284.15"_s, u"16.257"_s);
    RunTimer();
    Calls().clear();
    Calculate(F("first"), F("second"), qPrintable(F("enterIn")));
    QCOMPARE(Calls().size(), std::size_t(F("solved").toInt()));
    for (const SolveCall& c : Calls()) {
      QVERIFY(c.pairCode == 12 && c.value1 == 284.15 && c.value2 == 16.257);
      QVERIFY(!c.needP && c.needV && c.needS && c.needI && !c.preferMetastable);
    }
    QCOMPARE(Shown(), F("shown"));
    QVERIFY(w_->messages.texts.isEmpty());
    QCOMPARE(w_->form->focusWidget(), w_->Edit(qPrintable(F("focus"))));
    QCOMPARE(State().RegionCode, F("solved").toInt());
    RunTimer();
    QCOMPARE(w_->Find("lblNazevOblasti")->height(), F("solved") == u"1"_s ? 18 : 0);
  }

  void otherKeysAreTheEdits() {
    Open(u',');
    w_->Type("Edit1", u"12a"_s);
    QCOMPARE(w_->Edit("Edit1")->text(), u"12a"_s);
    QVERIFY(!w_->form->Calculator()->Edit1KeyPress(w_->Edit("Edit1"), u'5'));
    QVERIFY(Calls().empty());
  }

  // The clicked quantity becomes the first input, the old first the second, the
  // old second takes the row; nothing is recomputed and the region rolls in.
  void resultRowRotatesPair_data() { AddRows("window.txt", "rotate", {"label1", "rowLabel", "pairCode"}); }
  void resultRowRotatesPair() {
    Open(u',');
    Calculate(u"284.15"_s, u"16.257"_s);
    RunTimer();
    const auto before = State().StateValues;
    QTest::mouseClick(w_->Find<QWidget>(QTest::currentDataTag()), Qt::LeftButton, {}, QPoint(100, 10));
    QCOMPARE(w_->Text("Label1"), F("label1"));
    QCOMPARE(w_->Text("Label2"), u"Teplota  [°C] :"_s);
    QCOMPARE(w_->Text(qPrintable(F("rowLabel"))), u"Tlak = "_s);
    QCOMPARE(w_->Edit("Edit2")->text(), u"284,15"_s);
    QCOMPARE(State().PairCode, F("pairCode").toInt());
    QVERIFY(State().PairSwapped);
    QVERIFY(State().StateValues == before);
    QCOMPARE(Calls().size(), std::size_t{1});
    RunTimer();
    QCOMPARE(w_->Find("lblNazevOblasti")->height(), 0);
  }

  // The note switches the preference and recomputes the same inputs, leaving
  // the focus where it is. The label of the region name opens in six steps;
  // a new region rolls it in with the old name and out with the new one.
  void metastableSwitch() {
    Open(u',');
    Calculate(u"284.15"_s, u"16.257"_s);
    QCOMPARE(RunTimer(), (QList<int>{3, 6, 9, 12, 15, 18, 18}));
    QWidget* focused = w_->form->focusWidget();
    Click(w_->Find("lblMetastab"));
    QCOMPARE(w_->Text("lblMetastab"), u"Procedura preferuje výpočet metastabilní oblasti"_s);
    QCOMPARE(Calls().size(), std::size_t{2});
    QVERIFY(Calls()[1].preferMetastable && Calls()[1].value1 == 284.15 && Calls()[1].value2 == 16.257);
    QCOMPARE(w_->form->focusWidget(), focused);
    QString closedName;
    QCOMPARE(RunTimer(&closedName), (QList<int>{15, 12, 9, 6, 3, 0, 3, 6, 9, 12, 15, 18, 18}));
    QCOMPARE(closedName, u"Oblast tlakové vody"_s);
    QCOMPARE(w_->Text("lblNazevOblasti"), u"Metastabilní oblast"_s);
    Click(w_->Find("lblMetastab"));
    QCOMPARE(w_->Text("lblMetastab"), u"Procedura neuvažuje s výpočtem v metastabilní oblasti"_s);
    QVERIFY(!Calls()[2].preferMetastable);
    QCOMPARE(State().RegionCode, 1);
  }

  // Ctrl+C in the edit that has the focus, its text selected as after Enter,
  // copies the page's state, not the edit's text.
  void copyKeyCopiesState_data() {
    AddRows("window.txt", "calculatorCopy", {"separator", "language", "config", "drynessFirst", "copied"});
  }
  void copyKeyCopiesState() {
    Open(F("separator")[0], F("config").toLatin1(), F("language").toInt());
    QVERIFY(w_->Activate());
    Calculate(u"284.15"_s, u"16.257"_s);
    if (F("drynessFirst") == u"1"_s)
      QTest::mouseClick(w_->Find<QWidget>("ShapeV4"), Qt::LeftButton, {}, QPoint(100, 10));
    QGuiApplication::clipboard()->clear();
    auto* focused = qobject_cast<QLineEdit*>(w_->form->focusWidget());
    QVERIFY(focused != nullptr);
    focused->selectAll();
    QTest::keyClick(focused, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), F("copied"));
    QCOMPARE(Calls().size(), std::size_t{1});
  }

  // Over the real solver, with 8 decimals shown. Accuracy of the reference:
  // T 0.03 K, V 0.2 %, S 0.002, I 1 kJ/kg, X 0.002.
  void realSolver_data() { AddRows("window.txt", "calculator", {"clicks", "first", "second", "region", "state"}); }
  void realSolver() {
    Open(u',', "8\r\n8\r\n8\r\n8\r\n8\r\n8\r\n", 0, &if97::SolveState);
    for (int row : Ints(F("clicks"))) w_->form->Calculator()->ShapeVMouseUp(row);
    Calculate(F("first"), F("second"));
    QCOMPARE(State().RegionCode, F("region").toInt());
    const QStringList reference = F("state").split(u' ', Qt::SkipEmptyParts);
    const QStringList shown = Shown().replace(u',', u'.').split(u' ');
    const double tolerance[7] = {0, 0.03, 0.002, 0.002, 0.002, 1.0, 0.002};
    for (int k = 3; k <= 6; ++k) {
      const int q = State().QuantityOrder[k];
      const double expected = reference[q - 1].toDouble();
      const double tol = q == 2 || q == 3 ? tolerance[q] * std::fabs(expected) : tolerance[q];
      QVERIFY2(std::fabs(shown[k - 1].toDouble() - expected) <= tol + 1e-8,
               qPrintable(u"quantity %1: shown %2, reference %3"_s.arg(q).arg(shown[k - 1]).arg(expected)));
    }
  }
};

QTEST_MAIN(CalculatorTest)
#include "calculator_test.moc"
