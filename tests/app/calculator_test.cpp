// The calculator page through its widgets: Enter solves the typed pair, result rows
// rotate it, the metastable note recomputes, Ctrl+C copies the state.
#include <QtTest>

#include <QClipboard>
#include <QGuiApplication>

#include <memory>

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

 private slots:
  void cleanup() { w_.reset(); }

  // Enter solves and moves the focus on; a bad input clears results and region (an unreadable one keeps the focus).
  void enter_data() {
    AddRows("window.txt", "enter", {"separator", "first", "second", "enterIn", "solved", "shown", "focus"});
  }
  void enter() {
    Open(F("separator")[0]);
    Calculate(u"284.15"_s, u"16.257"_s);
    w_->RollRegion();
    Calls().clear();
    Calculate(F("first"), F("second"), qPrintable(F("enterIn")));
    QCOMPARE(Calls(), F("solved") == u"1"_s ? QStringList{u"12 284.15 16.257 0111 0"_s} : QStringList());
    QCOMPARE(Shown(), F("shown"));
    QVERIFY(w_->messages.texts.isEmpty());
    QCOMPARE(w_->form->focusWidget(), w_->Edit(qPrintable(F("focus"))));
    QCOMPARE(State().RegionCode, F("solved").toInt());
    w_->RollRegion();
    QCOMPARE(w_->Find("lblNazevOblasti")->height(), F("solved") == u"1"_s ? 18 : 0);
  }

  // The clicked quantity becomes the first input, the first the second, the second takes the row; no recomputing.
  void resultRowRotatesPair_data() { AddRows("window.txt", "rotate", {"label1", "rowLabel", "pairCode"}); }
  void resultRowRotatesPair() {
    Open(u',');
    Calculate(u"284.15"_s, u"16.257"_s);
    w_->RollRegion();
    const auto before = State().StateValues;
    QTest::mouseClick(w_->Find<QWidget>(QTest::currentDataTag()), Qt::LeftButton, {}, QPoint(100, 10));
    QCOMPARE(w_->Text("Label1"), F("label1"));
    QCOMPARE(w_->Text("Label2"), u"Teplota  [°C] :"_s);
    QCOMPARE(w_->Text(qPrintable(F("rowLabel"))), u"Tlak = "_s);
    QCOMPARE(w_->Edit("Edit2")->text(), u"284,15"_s);
    QCOMPARE(State().PairCode, F("pairCode").toInt());
    QVERIFY(State().PairSwapped && State().StateValues == before && Calls().size() == 1);
    w_->RollRegion();
    QCOMPARE(w_->Find("lblNazevOblasti")->height(), 0);
  }

  // The note recomputes with the other preference; the region rolls in with the old name, out with the new.
  void metastableSwitch() {
    Open(u',');
    Calculate(u"284.15"_s, u"16.257"_s);
    QCOMPARE(w_->RollRegion(), (QList<int>{3, 6, 9, 12, 15, 18, 18}));
    QWidget* focused = w_->form->focusWidget();
    Click(w_->Find("lblMetastab"));
    QCOMPARE(w_->Text("lblMetastab"), u"Procedura preferuje výpočet metastabilní oblasti"_s);
    QCOMPARE(w_->form->focusWidget(), focused);
    QString closedName;
    QCOMPARE(w_->RollRegion(&closedName), (QList<int>{15, 12, 9, 6, 3, 0, 3, 6, 9, 12, 15, 18, 18}));
    QCOMPARE(closedName, u"Oblast tlakové vody"_s);
    QCOMPARE(w_->Text("lblNazevOblasti"), u"Metastabilní oblast"_s);
    Click(w_->Find("lblMetastab"));
    QCOMPARE(w_->Text("lblMetastab"), u"Procedura neuvažuje s výpočtem v metastabilní oblasti"_s);
    QCOMPARE(Calls().mid(1), (QStringList{u"12 284.15 16.257 0111 1"_s, u"12 284.15 16.257 0111 0"_s}));
    QCOMPARE(State().RegionCode, 1);
  }

  // Ctrl+C in the focused edit, its text selected as after Enter, copies the page's state, not the text.
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
    QCOMPARE(Calls().size(), 1);
  }
};

QTEST_MAIN(CalculatorTest)
#include "calculator_test.moc"
