// Standard error of the tool: one-line messages, the component's message boxes
// turned into such lines, and a progress line rewritten in place.
#pragma once

#include <QIODevice>
#include <QString>
#include <functional>

#include "report/layout/generator.h"

namespace report::tool {

class Console {
 public:
  // Milliseconds of a monotonic clock.
  using Clock = std::function<qint64()>;
  static constexpr qint64 kProgressDelayMs = 1000;    // runs shorter than this show none
  static constexpr qint64 kProgressIntervalMs = 200;  // at most this often

  // `quiet` silences the progress line and the notices, never the errors.
  Console(QIODevice& err, bool quiet, Clock clock = {});

  // "sestava: TEXT" on a line of its own; line breaks inside TEXT become blanks.
  // A progress line on screen is ended first.
  void error(const QString& text);
  // The same for a warning or information.
  void notice(const QString& text);
  // Shows "\rLABEL N" once the console is a second old, at most every 200 ms.
  void progress(const QString& label, qint64 n);
  // Ends a progress line on screen with a line end.
  void endProgress();

  int errorCount() const { return errors_; }

 private:
  void line(const QString& text);
  QIODevice& err_;
  bool quiet_;
  Clock clock_;
  qint64 start_ = 0, last_ = -1;
  qsizetype shownLength_ = 0;  // of the progress text on screen; 0 when none
  int errors_ = 0;
};

// Installs a message sink for its lifetime: every message box of the engine
// becomes a line on the console, and every question is answered No (a
// command-line run never waits for a dialog).
class ConsoleMessages {
 public:
  explicit ConsoleMessages(Console& console);
  ~ConsoleMessages();
  ConsoleMessages(const ConsoleMessages&) = delete;
  ConsoleMessages& operator=(const ConsoleMessages&) = delete;
};

// The progress hook of a run: "row N".
class RowProgress : public ProgressHook {
 public:
  explicit RowProgress(Console& console) : console_(console) {}
  void update(int row) override;

 private:
  Console& console_;
};

}  // namespace report::tool
