// The progress window driven as the generator and the printer drive it: quick
// work never shows it; slow work shows it after the delay with the caption and
// the row, its button or Esc stop the work while it stays up until end(); a
// nested begin() and a re-entrant update() change nothing.
#include <QtTest>
#include <QtWidgets>

#include "report/ui/progresswindow.h"
#include "uitestsupport.h"

using namespace Qt::StringLiterals;
using report::TFormProgress;

namespace {

// Counts the times a widget was shown.
class ShowCounter : public QObject {
 public:
  int shows = 0;
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show) ++shows;
    return QObject::eventFilter(watched, event);
  }
};

}  // namespace

class ProgressWindowTest : public QObject {
  Q_OBJECT
 private slots:
  void quickWorkStaysHidden();
  void slowWorkShowsAndStops_data();
  void slowWorkShowsAndStops();
  void nestedBeginIsIgnored();
  void reentrantUpdateDoesNothing();
};

void ProgressWindowTest::quickWorkStaysHidden() {
  TFormProgress progress;
  ShowCounter counter;
  progress.installEventFilter(&counter);
  progress.begin(u"Připravuji tisk položky číslo: "_s, 1);
  QVERIFY(progress.running());
  for (int row = 1; row <= 100000 && !progress.cancelled(); ++row) progress.update(row);
  progress.end();
  QVERIFY(!progress.running());
  QCOMPARE(counter.shows, 0);
  QVERIFY(!progress.isVisible());
}

void ProgressWindowTest::slowWorkShowsAndStops_data() {
  QTest::addColumn<bool>("escape");
  QTest::newRow("Přerušit") << false;
  QTest::newRow("Esc") << true;
}

// The work runs row by row, 5 ms a row; the user stops it as soon as the window
// is there. The window only reacts through the events update() processes.
void ProgressWindowTest::slowWorkShowsAndStops() {
  QFETCH(bool, escape);
  TFormProgress progress;
  QElapsedTimer clock;
  qint64 shownAfter = -1;
  QString shownText;
  QTimer user;
  user.setInterval(10);
  connect(&user, &QTimer::timeout, &progress, [&] {
    if (!progress.isVisible() || shownAfter >= 0) return;
    shownAfter = clock.elapsed();
    shownText = progress.findChild<QLabel*>(u"progressText"_s)->text();
    if (!escape) uitest::Screenshot(&progress, u"progress"_s);
    if (escape) QTest::keyClick(&progress, Qt::Key_Escape);
    else QTest::mouseClick(uitest::ButtonWithText(&progress, u"Přerušit"_s), Qt::LeftButton);
  });
  user.start();
  clock.start();
  progress.begin(u"Připravuji tisk položky číslo: "_s, 1);
  int row = 1;
  while (!progress.cancelled() && clock.elapsed() < 5000) {
    QThread::msleep(5);
    progress.update(++row);
  }
  QVERIFY(progress.cancelled());
  QVERIFY(shownAfter >= TFormProgress::kShowDelayMs);
  QVERIFY(shownText.startsWith(u"Připravuji tisk položky číslo: "_s));
  QVERIFY(shownText.mid(31).toInt() > 1);
  QVERIFY(progress.isVisible());  // stopping does not close it: end() does
  QVERIFY(progress.isModal());
  progress.end();
  QVERIFY(!progress.isVisible());
  // The next run starts afresh; a caption without a blank at its end gets one.
  progress.setTimings(10000, 0);
  progress.begin(u"Odesílám data do tiskárny ..."_s, 1);
  QVERIFY(!progress.cancelled());
  progress.update(3);
  QCOMPARE(progress.findChild<QLabel*>(u"progressText"_s)->text(), u"Odesílám data do tiskárny ... 3"_s);
  progress.end();
}

void ProgressWindowTest::nestedBeginIsIgnored() {
  TFormProgress progress;
  progress.setTimings(0, 0);
  progress.begin(u"Připravuji tisk položky číslo: "_s, 1);
  progress.update(7);
  QVERIFY(progress.isVisible());
  progress.begin(u"Odesílám data do tiskárny ..."_s, 1);  // ignored
  QCOMPARE(progress.text(), u"Připravuji tisk položky číslo: 7"_s);
  progress.end();  // ends the nested begin only
  QVERIFY(progress.running());
  QVERIFY(progress.isVisible());
  progress.end();
  QVERIFY(!progress.running());
  QVERIFY(!progress.isVisible());
  progress.update(9);  // after the run: nothing
  QCOMPARE(progress.row(), 7);
}

void ProgressWindowTest::reentrantUpdateDoesNothing() {
  TFormProgress progress;
  progress.setTimings(10000, 0);
  int seenInside = -1;
  QTimer::singleShot(0, &progress, [&] {
    progress.update(999);  // from within the event processing of update(5)
    seenInside = progress.row();
  });
  progress.begin(u"Připravuji tisk položky číslo: "_s, 1);
  progress.update(5);
  QCOMPARE(seenInside, 5);
  QCOMPARE(progress.row(), 5);
  progress.end();
}

QTEST_MAIN(ProgressWindowTest)
#include "progresswindow_test.moc"
