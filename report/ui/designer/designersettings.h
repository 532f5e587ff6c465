// Settings of the designer itself ("Nastavit prostředí"): how many changes can be
// undone and the zoom of the paper. They hold for the program's run: every
// designer opened later starts with them. The raster's display and snapping are
// the template's own flags (they are saved with it).
#pragma once

#include <array>

namespace report {

struct DesignerSettings {
  static constexpr std::array<int, 7> kZoomPercents{50, 75, 100, 125, 150, 200, 300};

  int undoCapacity = 20;  // changes that can be undone, at least 1
  int zoomPercent = 100;  // of the paper: at 100 % a hundredth of an inch is one pixel

  // The settings of this run of the program.
  static DesignerSettings& Current();
};

}  // namespace report
