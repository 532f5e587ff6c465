// Opening the template designer for a report component: what the component's
// Edit operation does once the template is loaded.
#pragma once

#include <QPoint>
#include <QRect>

namespace report {

class TSestava;

// Shows the designer (TFormSestE) over the component's template modally and
// returns when it is closed: 0 (seOk). `bounds` places the window when it lies
// on a screen (an empty rectangle: its own size); else a `position` other than
// (0, 0) moves it there. `windowState` 0 normal, 1 minimised, 2 maximised.
int OpenDesigner(TSestava& sestava, QRect bounds = {}, QPoint position = {}, int windowState = 0);

}  // namespace report
