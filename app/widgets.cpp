#include "app/widgets.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QShortcut>

namespace tab97 {

MouseLabel::MouseLabel(QWidget* parent) : QLabel(parent) { setMouseTracking(true); }

void MouseLabel::leaveEvent(QEvent* event) {
  QLabel::leaveEvent(event);
  emit mouseLeft();
}

void MouseLabel::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) emit mousePressed(event->position().toPoint());
  event->accept();
}

void MouseLabel::mouseMoveEvent(QMouseEvent* event) {
  emit mouseMoved(event->position().toPoint(), event->globalPosition().toPoint());
  event->accept();
}

void MouseLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    emit mouseReleased(event->position().toPoint());
    if (rect().contains(event->position().toPoint())) emit clicked();
  }
  event->accept();
}

int TagOf(const QObject* object) {
  const QVariant tag = object ? object->property("tag") : QVariant();
  return tag.isValid() ? tag.toInt() : 0;
}

void SetTag(QObject* object, int tag) { object->setProperty("tag", tag); }

EnterEdit::EnterEdit(QWidget* parent) : QLineEdit(parent) {}

void EnterEdit::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    emit enterPressed();
    event->accept();
    return;
  }
  QLineEdit::keyPressEvent(event);
}

ClickArea::ClickArea(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_NoSystemBackground);
  setCursor(Qt::PointingHandCursor);
}

void ClickArea::mousePressEvent(QMouseEvent* event) { event->accept(); }

void ClickArea::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit mouseReleased();
  event->accept();
}

PageCopyKey::PageCopyKey(QWidget* page, std::function<void()> copy) : QObject(page) {
  auto* shortcut = new QShortcut(QKeySequence(QKeySequence::Copy), page);
  shortcut->setContext(Qt::WidgetWithChildrenShortcut);
  connect(shortcut, &QShortcut::activated, this, [copy = std::move(copy)] { copy(); });
}

void PageCopyKey::PassCopyKey(QWidget* edit) { edit->installEventFilter(this); }

// An edit accepts the shortcut override of the copy key, which keeps the key
// from the page's shortcut; left unanswered, the shortcut takes it.
bool PageCopyKey::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ShortcutOverride && static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
    event->ignore();
    return true;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace tab97
