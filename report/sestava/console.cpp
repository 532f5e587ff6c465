#include "report/sestava/console.h"

#include <chrono>

#include "report/ui/messages.h"

using namespace Qt::StringLiterals;

namespace report::tool {
namespace {

qint64 SteadyMilliseconds() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace

Console::Console(QIODevice& err, bool quiet, Clock clock)
    : err_(err), quiet_(quiet), clock_(clock ? std::move(clock) : Clock(SteadyMilliseconds)), start_(clock_()) {}

void Console::line(const QString& text) {
  endProgress();
  QString flat = text;
  flat.replace(u"\r\n"_s, u" "_s).replace(u'\r', u' ').replace(u'\n', u' ');
  err_.write((u"sestava: "_s + flat.trimmed() + u'\n').toUtf8());
}

void Console::error(const QString& text) {
  ++errors_;
  line(text);
}

void Console::notice(const QString& text) {
  if (!quiet_) line(text);
}

void Console::progress(const QString& label, qint64 n) {
  if (quiet_) return;
  const qint64 now = clock_();
  if (now - start_ < kProgressDelayMs || (last_ >= 0 && now - last_ < kProgressIntervalMs)) return;
  last_ = now;
  QString text = label + u' ' + QString::number(n);
  const qsizetype length = text.size();
  // Blanks over the rest of a longer text shown before.
  if (length < shownLength_) text += QString(shownLength_ - length, u' ');
  err_.write((u'\r' + text).toUtf8());
  shownLength_ = length;
}

void Console::endProgress() {
  if (shownLength_ == 0) return;
  err_.write("\n");
  shownLength_ = 0;
}

ConsoleMessages::ConsoleMessages(Console& console) {
  ReportMessages::SetSink([&console](MessageKind kind, const QString& text) {
    switch (kind) {
      case MessageKind::Error: console.error(text); return Answer::Ok;
      case MessageKind::Question: console.error(text); return Answer::No;
      case MessageKind::Warning:
      case MessageKind::Information: console.notice(text); return Answer::Ok;
    }
    return Answer::No;
  });
}

ConsoleMessages::~ConsoleMessages() { ReportMessages::SetSink({}); }

void RowProgress::update(int row) { console_.progress(QStringLiteral("row"), row); }

}  // namespace report::tool
