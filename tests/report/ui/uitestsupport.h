// Shared by the tests of the report engine's windows: screenshots into the build
// directory, and a wait that gives up instead of hanging.
#pragma once

#include <QAbstractButton>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QString>
#include <QTest>
#include <QWidget>

namespace uitest {

// Grabs `widget` into <build>/screenshots/<name>.png; the path, or empty on failure.
inline QString Screenshot(QWidget* widget, const QString& name) {
  const QString dir = QStringLiteral(REPORTUI_SCREENSHOT_DIR);
  QDir().mkpath(dir);
  const QString path = dir + u'/' + name + QStringLiteral(".png");
  return widget->grab().save(path) ? path : QString();
}

// The button among `parent`'s children whose text is `text`, or nullptr.
template <typename Button = QAbstractButton>
Button* ButtonWithText(QWidget* parent, const QString& text) {
  for (Button* b : parent->findChildren<Button*>())
    if (b->text() == text) return b;
  return nullptr;
}

// Clicks a button; a check box on its indicator (its centre may lie past its text).
inline void Click(QAbstractButton* button) {
  QVERIFY(button);
  const bool box = button->inherits("QCheckBox") || button->inherits("QRadioButton");
  QTest::mouseClick(button, Qt::LeftButton, {}, box ? QPoint(8, button->height() / 2) : button->rect().center());
}

}  // namespace uitest
