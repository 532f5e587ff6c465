// Small controls of the main window: labels and pictures that report the mouse,
// an edit that reports Enter, an invisible click area, and the copy key of a page.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QWidget>

#include <functional>

namespace tab97 {

// A label that reports mouse moves and button releases over it, and the mouse
// leaving it. Menu labels carry their tag in the dynamic property "tag".
class MouseLabel : public QLabel {
  Q_OBJECT
 public:
  explicit MouseLabel(QWidget* parent = nullptr);

 signals:
  void mousePressed(QPoint pos);
  void mouseMoved(QPoint pos, QPoint globalPos);
  void mouseReleased(QPoint pos);
  void clicked();
  void mouseLeft();

 protected:
  void leaveEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
};

// The tag of a label (0 when it has none).
int TagOf(const QObject* object);
void SetTag(QObject* object, int tag);

// An edit that hands Enter to a callback instead of handling it; every other key
// behaves as usual.
class EnterEdit : public QLineEdit {
  Q_OBJECT
 public:
  explicit EnterEdit(QWidget* parent = nullptr);

 signals:
  void enterPressed();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

// An invisible rectangle (no pen, no brush) that reports a mouse release.
class ClickArea : public QWidget {
  Q_OBJECT
 public:
  explicit ClickArea(QWidget* parent = nullptr);

 signals:
  void mouseReleased();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
};

// The copy key (Ctrl+C) of a page: pressed anywhere on `page`, also in one of
// its edits, it runs `copy` instead of copying the edit's selected text. Edits
// claim the key for themselves, so each edit of the page (and each editor a grid
// of the page opens) is handed to PassCopyKey.
class PageCopyKey : public QObject {
  Q_OBJECT
 public:
  PageCopyKey(QWidget* page, std::function<void()> copy);
  // The edit leaves the copy key to the page.
  void PassCopyKey(QWidget* edit);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace tab97
