#include "app/style.h"

#include <QLabel>
#include <QPalette>
#include <QWidget>

namespace tab97::style {

QFont FormFont() {
  QFont font(QStringLiteral("Arial"));
  font.setPointSize(8);
  font.setStyleHint(QFont::SansSerif);
  return font;
}

QFont PixelFont(int pixels, bool bold) {
  QFont font = FormFont();
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

void SetTextColour(QWidget* widget, const QColor& colour) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::WindowText, colour);
  palette.setColor(QPalette::Disabled, QPalette::WindowText, kMenuDisabled);
  widget->setPalette(palette);
}

QLabel* MakeLabel(QWidget* parent, const char* objectName, const QColor& colour, const QRect& geometry,
                  Qt::Alignment alignment) {
  auto* label = new QLabel(parent);
  label->setObjectName(QString::fromLatin1(objectName));
  label->setGeometry(geometry);
  label->setAlignment(alignment);
  SetTextColour(label, colour);
  return label;
}

void SetInputColours(QWidget* widget) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Base, kEditGround);
  palette.setColor(QPalette::Button, kEditGround);
  palette.setColor(QPalette::Text, kNavy);
  palette.setColor(QPalette::ButtonText, kNavy);
  palette.setColor(QPalette::WindowText, kNavy);
  palette.setColor(QPalette::Highlight, QColor(0x3d, 0x7b, 0xe0));
  palette.setColor(QPalette::HighlightedText, Qt::white);
  widget->setPalette(palette);
}

QString InputStyleSheet() {
  return QStringLiteral(
      "QLineEdit { background: #f2f6fc; color: #0a1f44; border: none; border-radius: 2px; padding: 0 4px;"
      "  selection-background-color: #3d7be0; selection-color: white; }"
      "QComboBox QAbstractItemView { background: #f2f6fc; color: #0a1f44;"
      "  selection-background-color: #3d7be0; selection-color: white; }");
}

}  // namespace tab97::style
