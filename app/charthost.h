// What the main window needs of the diagram window: load the chart picture once,
// and show the window modally. The diagram window implements it; until one is
// attached the main window loads no chart and its menu entry does nothing.
#pragma once

#include <QString>

#include "res/chart/chartscale.h"

namespace tab97 {

class ChartHost {
 public:
  virtual ~ChartHost() = default;
  // Loads the chart bitmap file; false when it cannot be read.
  virtual bool LoadChart(const QString& path) = 0;
  virtual void ShowModal() = 0;
};

}  // namespace tab97
