#include "report/ui/messages.h"

#include <QAbstractButton>
#include <QApplication>
#include <QList>
#include <QMessageBox>
#include <QStringList>
#include <utility>

namespace report {
namespace {

ReportMessages::Sink& CurrentSink() {
  static ReportMessages::Sink sink;
  return sink;
}

// The engine's boxes carry the engine's own title.
QString Title() { return QStringLiteral("Tisková sestava"); }

// A modal box over `owner`; its buttons speak the engine's language, whatever
// translations the program has loaded for Qt's own.
QMessageBox::StandardButton Show(QWidget* owner, QMessageBox::Icon icon, const QString& text,
                                 QMessageBox::StandardButtons buttons,
                                 QMessageBox::StandardButton preselected = QMessageBox::NoButton) {
  QMessageBox box(icon, Title(), text, buttons, owner);
  if (preselected != QMessageBox::NoButton) box.setDefaultButton(preselected);
  const std::pair<QMessageBox::StandardButton, QString> names[] = {{QMessageBox::Ok, QStringLiteral("OK")},
                                                                   {QMessageBox::Yes, QStringLiteral("Ano")},
                                                                   {QMessageBox::No, QStringLiteral("Ne")},
                                                                   {QMessageBox::Cancel, QStringLiteral("Storno")}};
  for (const auto& [button, name] : names)
    if (QAbstractButton* b = box.button(button)) b->setText(name);
  return static_cast<QMessageBox::StandardButton>(box.exec());
}

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
  Show(Owner(parent), QMessageBox::Critical, text, QMessageBox::Ok);
}

void ReportMessages::Warning(QWidget* parent, const QString& text) {
  if (CurrentSink()) {
    CurrentSink()(MessageKind::Warning, text);
    return;
  }
  Show(Owner(parent), QMessageBox::Warning, text, QMessageBox::Ok);
}

void ReportMessages::Inform(QWidget* parent, const QString& text) {
  if (CurrentSink()) {
    CurrentSink()(MessageKind::Information, text);
    return;
  }
  Show(Owner(parent), QMessageBox::Information, text, QMessageBox::Ok);
}

Answer ReportMessages::Ask(QWidget* parent, const QString& text, bool cancel) {
  if (CurrentSink()) return CurrentSink()(MessageKind::Question, text);
  QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No;
  if (cancel) buttons |= QMessageBox::Cancel;
  switch (Show(Owner(parent), QMessageBox::Question, text, buttons, cancel ? QMessageBox::Cancel : QMessageBox::No)) {
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
