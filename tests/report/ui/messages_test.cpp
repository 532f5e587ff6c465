// The engine's message boxes shown for real: whose window a box belongs to when
// the engine names none, the box's title and text, its Czech buttons and the
// answer of each; tables of cases in data/windows.txt.
#include <QtTest>
#include <QtWidgets>

#include "report/ui/messages.h"
#include "uitestsupport.h"

using namespace Qt::StringLiterals;
using report::Answer;
using report::ReportMessages;

namespace {
const QString kTable = u"windows.txt"_s;
}  // namespace

class MessagesTest : public QObject {
  Q_OBJECT
 private slots:
  void init() { ReportMessages::SetSink({}); }
  void owner_data() { uitest::Table(kTable); }
  void owner() {
    const uitest::Row r = uitest::FetchRow();
    const QString up = r.str(u"up"_s), owner = r.str(u"owner"_s);
    QWidget given;
    QMainWindow window, other;
    if (up.startsWith(u"modal")) window.setWindowModality(Qt::ApplicationModal);
    if (!up.isEmpty()) uitest::ShowActive(&window);
    if (up == u"modal, another active") uitest::ShowActive(&other);
    QWidget* expected = owner == u"given" ? &given : owner.isEmpty() ? nullptr : &window;
    QCOMPARE(ReportMessages::Owner(r.str(u"parent"_s).isEmpty() ? nullptr : &given), expected);
  }

  // A box the component raises without a window of its own sits over the modal
  // window in front (the designer), not as a stray window of its own.
  void boxOverTheModalWindow_data() { uitest::Table(kTable); }
  void boxOverTheModalWindow() {
    const uitest::Row r = uitest::FetchRow();
    const QString kind = r.str(u"kind"_s), button = r.str(u"button"_s);
    QMainWindow designer;
    designer.setWindowModality(Qt::ApplicationModal);
    uitest::ShowActive(&designer);
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
    uitest::NeverHang();
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
    const QStringList answers = {u"Ok"_s, u"Yes"_s, u"No"_s, u"Cancel"_s};
    QCOMPARE(int(got), int(answers.indexOf(r.str(u"answer"_s))));
    QCOMPARE(texts, r.list(u"buttons"_s));
  }
};

QTEST_MAIN(MessagesTest)
#include "messages_test.moc"
