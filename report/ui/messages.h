// Every message box of the report engine goes through here: errors and warnings
// with an OK button, questions with Yes/No (and Cancel where asked). The program
// shows modal boxes; a test installs a sink that answers in advance and records
// the texts, so no modal dialog ever blocks it.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace report {

enum class Answer { Ok, Yes, No, Cancel };
enum class MessageKind { Error, Warning, Information, Question };

class ReportMessages {
 public:
  using Sink = std::function<Answer(MessageKind kind, const QString& text)>;

  static void Error(QWidget* parent, const QString& text);
  static void Warning(QWidget* parent, const QString& text);
  static void Inform(QWidget* parent, const QString& text);
  // Yes or No; with `cancel` also Cancel (Esc gives No, or Cancel when offered).
  static Answer Ask(QWidget* parent, const QString& text, bool cancel = false);

  // Replaces the modal boxes by `sink` (an empty sink restores them).
  static void SetSink(Sink sink);

  // The window a box is shown over: `parent`, or when the engine gives none
  // (the component's own messages), the modal window the user is working in
  // (the designer, the preview), else the active window. A box without an
  // owner is not tied to the window in front and may not even be drawn there.
  static QWidget* Owner(QWidget* parent);
};

// Answers given in advance, in order, and the boxes shown; installed for its
// lifetime. Boxes beyond the answers get Ok (or No for a question).
class ScriptedMessages {
 public:
  explicit ScriptedMessages(QList<Answer> answers = {});
  ~ScriptedMessages();
  QStringList texts;  // every box's text, in order
  QList<MessageKind> kinds;

 private:
  QList<Answer> answers_;
};

}  // namespace report
