#include "app/widgets.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace tab97 {

MouseLabel::MouseLabel(QWidget* parent) : QLabel(parent) { setMouseTracking(true); }

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

}  // namespace tab97
