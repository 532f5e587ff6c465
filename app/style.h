// Colours and fonts of the main window: navy ground, light text, Arial 8 pt
// (Liberation Sans where Arial is not installed).
#pragma once

#include <QColor>
#include <QFont>
#include <QString>

class QLabel;
class QWidget;

namespace tab97::style {

inline const QColor kNavy(0x0a, 0x1f, 0x44);
inline const QColor kText(0xdb, 0xe6, 0xf7);
inline const QColor kHeading(0x9f, 0xc3, 0xff);
inline const QColor kValue(0xff, 0xff, 0xff);
inline const QColor kUnit(0xa9, 0xbe, 0xdf);
inline const QColor kRegion(0xff, 0xd6, 0x78);
inline const QColor kNote(0x8f, 0xb0, 0xe0);
inline const QColor kMenu(0xe6, 0xee, 0xfb);
inline const QColor kMenuDisabled(0x5c, 0x73, 0x9c);
inline const QColor kEditGround(0xf2, 0xf6, 0xfc);

QFont FormFont();                // Arial 8 pt
QFont PixelFont(int pixels, bool bold = false);  // Arial of a pixel size

// A transparent label in the given colour at the given place.
QLabel* MakeLabel(QWidget* parent, const char* objectName, const QColor& colour, const QRect& geometry,
                  Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);
void SetTextColour(QWidget* widget, const QColor& colour);

// Light ground and navy text for combo boxes and spin editors.
void SetInputColours(QWidget* widget);

// The style sheet of the edits (and of the lists that combo boxes open).
QString InputStyleSheet();

}  // namespace tab97::style
