#include "report/ui/designer/opendesigner.h"

#include <QGuiApplication>
#include <QScreen>

#include "report/component/sestava.h"
#include "report/ui/designer/formseste.h"

namespace report {

int OpenDesigner(TSestava& sestava, QRect bounds, QPoint position, int windowState) {
  TFormSestE form(sestava);
  bool onScreen = false;
  if (!bounds.isEmpty())
    for (const QScreen* screen : QGuiApplication::screens())
      onScreen |= screen->availableGeometry().intersects(bounds);
  if (onScreen) form.setGeometry(bounds);
  else if (!position.isNull()) form.move(position);
  if (windowState == 1) form.setWindowState(Qt::WindowMinimized);
  else if (windowState == 2) form.setWindowState(Qt::WindowMaximized);
  form.runModal();
  return seOk;
}

}  // namespace report
