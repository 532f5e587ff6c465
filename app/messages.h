// Every message box of the main window goes through here. The program shows a
// modal box; a test installs a sink that records the texts instead, so no modal
// dialog ever blocks it.
#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace tab97 {

class MessageBoxes {
 public:
  using Sink = std::function<void(const QString& title, const QString& text)>;

  // An information box with one OK button.
  static void Inform(QWidget* parent, const QString& text);

  // Replaces the modal boxes by `sink` (an empty sink restores them).
  static void SetSink(Sink sink);
};

}  // namespace tab97
