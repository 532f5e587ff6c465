#include "report/ui/messages.h"

#include <QApplication>
#include <QList>
#include <QMessageBox>
#include <QStringList>

namespace report {
namespace {

ReportMessages::Sink& CurrentSink() {
  static ReportMessages::Sink sink;
  return sink;
}

// The engine's boxes carry the engine's own title.
QString Title() { return QStringLiteral("Tisková sestava"); }

}  // namespace

void ReportMessages::SetSink(Sink sink) { CurrentSink() = std::move(sink); }

QWidget* ReportMessages::Owner(QWidget* parent) {
  if (parent) return parent;
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  return QApplication::activeWindow();
}

void ReportMessages::Error(QWidget* parent, const QString& text) {
  if (CurrentSink()) {
    CurrentSink()(MessageKind::Error, text);
    return;
  }
  QMessageBox::critical(Owner(parent), Title(), text);
}

void ReportMessages::Warning(QWidget* parent, const QString& text) {
  if (CurrentSink()) {
    CurrentSink()(MessageKind::Warning, text);
    return;
  }
  QMessageBox::warning(Owner(parent), Title(), text);
}

void ReportMessages::Inform(QWidget* parent, const QString& text) {
  if (CurrentSink()) {
    CurrentSink()(MessageKind::Information, text);
    return;
  }
  QMessageBox::information(Owner(parent), Title(), text);
}

Answer ReportMessages::Ask(QWidget* parent, const QString& text, bool cancel) {
  if (CurrentSink()) return CurrentSink()(MessageKind::Question, text);
  QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No;
  if (cancel) buttons |= QMessageBox::Cancel;
  switch (QMessageBox::question(Owner(parent), Title(), text, buttons, cancel ? QMessageBox::Cancel : QMessageBox::No)) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::Cancel: return Answer::Cancel;
    default: return Answer::No;
  }
}

ScriptedMessages::ScriptedMessages(QList<Answer> answers) : answers_(std::move(answers)) {
  ReportMessages::SetSink([this](MessageKind kind, const QString& text) {
    texts.append(text);
    kinds.append(kind);
    if (!answers_.isEmpty()) return answers_.takeFirst();
    return kind == MessageKind::Question ? Answer::No : Answer::Ok;
  });
}

ScriptedMessages::~ScriptedMessages() { ReportMessages::SetSink({}); }

}  // namespace report
