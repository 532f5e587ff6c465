// The progress window of a report run and of printing. It is the ProgressHook
// the generator and the printer call: begin() with a caption, update() with the
// row (or page) being worked on, cancelled() asked in between, end() at the end.
//
// The window shows the caption followed by the number ("Připravuji tisk položky
// číslo: 123") and a button "Přerušit" that asks the work to stop. It appears
// only once the work has run for showDelay milliseconds, so a quick run does not
// flash a window, and then stays (application-modal) until end(). While the work
// runs, update() lets the program process its events at most every
// eventInterval milliseconds, so that the window paints and the button reacts
// without slowing down a run of a hundred thousand rows.
//
// The window is not re-entered: a begin() while a run is going on is ignored
// (and so is its matching end()), and an update() called from within the event
// processing of another update() does nothing.
#pragma once

#include <QDialog>
#include <QElapsedTimer>
#include <QString>

#include "report/layout/generator.h"

class QLabel;
class QPushButton;

namespace report {

class TFormProgress : public QDialog, public ProgressHook {
  Q_OBJECT
 public:
  static constexpr int kShowDelayMs = 300;
  static constexpr int kEventIntervalMs = 50;

  explicit TFormProgress(QWidget* parent = nullptr);
  ~TFormProgress() override;

  void begin(const QString& caption, int row) override;
  void update(int row) override;
  bool cancelled() override { return cancelled_; }
  void end() override;

  // Between the outermost begin() and its end().
  bool running() const { return depth_ > 0; }
  // The caption and the number as the window shows them.
  QString text() const;
  int row() const { return row_; }
  // Changes the delay before the window appears and the interval between two
  // rounds of event processing (milliseconds).
  void setTimings(int showDelayMs, int eventIntervalMs);

 protected:
  // Esc and the window's close button ask the work to stop, like "Přerušit";
  // the window itself goes away with end().
  void reject() override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void cancel();

  QLabel* label_ = nullptr;
  QPushButton* cancelButton_ = nullptr;
  QElapsedTimer started_, lastEvents_;
  QString caption_;
  int row_ = 0;
  int depth_ = 0;  // nesting of begin() … end(); only the outermost pair counts
  bool cancelled_ = false;
  bool inEvents_ = false;
  int showDelayMs_ = kShowDelayMs;
  int eventIntervalMs_ = kEventIntervalMs;
};

}  // namespace report
