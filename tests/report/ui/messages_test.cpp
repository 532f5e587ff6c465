// The engine's message boxes shown for real: whose window a box belongs to when
// the engine names none (the component's own messages while the designer or the
// preview is up), the box's title and text, its buttons in Czech like the rest
// of the engine, and the answer of each button.
#include <QtTest>

#include <QApplication>
#include <QDialog>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "report/ui/messages.h"
#include "uitestsupport.h"

using namespace Qt::StringLiterals;
using report::Answer;
using report::ReportMessages;

class MessagesTest : public QObject {
  Q_OBJECT
 private slots:
  void init() { ReportMessages::SetSink({}); }
  void owner_data();
  void owner();
  void boxOverTheModalWindow_data();
  void boxOverTheModalWindow();
};

void MessagesTest::owner_data() {
  QTest::addColumn<QString>("parent");  // "given" or none
  QTest::addColumn<QString>("up");      // what is on the screen: "modal", "window" or nothing
  QTest::addColumn<QString>("owner");   // "given", "modal", "window" or none
  QTest::newRow("given, nothing up") << u"given"_s << QString() << u"given"_s;
  QTest::newRow("given, a modal window up") << u"given"_s << u"modal"_s << u"given"_s;
  QTest::newRow("none, a modal window up") << QString() << u"modal"_s << u"modal"_s;
  QTest::newRow("none, a window up") << QString() << u"window"_s << u"window"_s;
  QTest::newRow("none, nothing up") << QString() << QString() << QString();
}

void MessagesTest::owner() {
  QFETCH(QString, parent);
  QFETCH(QString, up);
  QFETCH(QString, owner);
  QWidget given;
  QMainWindow window;
  if (up == u"modal") window.setWindowModality(Qt::ApplicationModal);
  if (!up.isEmpty()) {
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
  }
  QWidget* expected = owner == u"given" ? &given : owner.isEmpty() ? nullptr : &window;
  QCOMPARE(ReportMessages::Owner(parent.isEmpty() ? nullptr : &given), expected);
}

void MessagesTest::boxOverTheModalWindow_data() {
  QTest::addColumn<QString>("kind");    // "error", "warning", "inform", "ask", "ask with cancel"
  QTest::addColumn<QString>("button");  // the button pressed
  QTest::addColumn<int>("answer");      // for questions
  QTest::addColumn<QStringList>("buttons");
  const QStringList ok{u"OK"_s}, yesNo{u"Ano"_s, u"Ne"_s}, yesNoCancel{u"Ano"_s, u"Ne"_s, u"Storno"_s};
  QTest::newRow("error") << u"error"_s << u"OK"_s << int(Answer::Ok) << ok;
  QTest::newRow("warning") << u"warning"_s << u"OK"_s << int(Answer::Ok) << ok;
  QTest::newRow("inform") << u"inform"_s << u"OK"_s << int(Answer::Ok) << ok;
  QTest::newRow("ask, yes") << u"ask"_s << u"yes"_s << int(Answer::Yes) << yesNo;
  QTest::newRow("ask, no") << u"ask"_s << u"no"_s << int(Answer::No) << yesNo;
  QTest::newRow("ask, Esc") << u"ask"_s << u"Esc"_s << int(Answer::No) << yesNo;
  QTest::newRow("ask with cancel, yes") << u"ask with cancel"_s << u"yes"_s << int(Answer::Yes) << yesNoCancel;
  QTest::newRow("ask with cancel, cancel") << u"ask with cancel"_s << u"cancel"_s << int(Answer::Cancel) << yesNoCancel;
  QTest::newRow("ask with cancel, Esc") << u"ask with cancel"_s << u"Esc"_s << int(Answer::Cancel) << yesNoCancel;
}

// A box the component raises without a window of its own sits over the modal
// window in front (the designer), not as a stray window of its own.
void MessagesTest::boxOverTheModalWindow() {
  QFETCH(QString, kind);
  QFETCH(QString, button);
  QFETCH(int, answer);
  QFETCH(QStringList, buttons);
  QMainWindow designer;
  designer.setWindowModality(Qt::ApplicationModal);
  designer.show();
  designer.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&designer));
  QWidget* parentSeen = nullptr;
  QString title, text;
  QStringList texts;
  bool seen = false;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    QVERIFY(box);
    seen = true;
    parentSeen = box->parentWidget();
    title = box->windowTitle();
    text = box->text();
    for (QAbstractButton* b : box->buttons()) texts.append(b->text());
    texts.sort();
    if (button == u"Esc") {
      QTest::keyClick(box, Qt::Key_Escape);
      return;
    }
    const QMessageBox::StandardButton which = button == u"yes"   ? QMessageBox::Yes
                                              : button == u"no"  ? QMessageBox::No
                                              : button == u"cancel" ? QMessageBox::Cancel
                                                                    : QMessageBox::Ok;
    QAbstractButton* b = box->button(which);
    QVERIFY(b);
    uitest::Click(b);
  });
  QTimer::singleShot(10000, [] {  // never hangs
    if (auto* w = qobject_cast<QDialog*>(QApplication::activeModalWidget())) w->done(QMessageBox::Ok);
  });
  const QString message = u"Soubor s předlohou se nepodařilo uložit."_s;
  Answer got = Answer::Ok;
  if (kind == u"error") ReportMessages::Error(nullptr, message);
  else if (kind == u"warning") ReportMessages::Warning(nullptr, message);
  else if (kind == u"inform") ReportMessages::Inform(nullptr, message);
  else got = ReportMessages::Ask(nullptr, message, kind == u"ask with cancel");
  QVERIFY(seen);
  QCOMPARE(parentSeen, &designer);
  QCOMPARE(title, u"Tisková sestava"_s);
  QCOMPARE(text, message);
  QCOMPARE(int(got), answer);
  QCOMPARE(texts, buttons);
}

QTEST_MAIN(MessagesTest)
#include "messages_test.moc"
