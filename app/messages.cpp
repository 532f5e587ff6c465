#include "app/messages.h"

#include <QMessageBox>

#include "res/texts.h"

namespace tab97 {
namespace {
MessageBoxes::Sink& CurrentSink() {
  static MessageBoxes::Sink sink;
  return sink;
}
}  // namespace

void MessageBoxes::Inform(QWidget* parent, const QString& text) {
  const QString title = texts::ApplicationTitle();
  if (CurrentSink()) {
    CurrentSink()(title, text);
    return;
  }
  QMessageBox::information(parent, title, text);
}

void MessageBoxes::SetSink(Sink sink) { CurrentSink() = std::move(sink); }

}  // namespace tab97
