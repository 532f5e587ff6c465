// The state that all pages of the main window share. One instance, owned by the
// window, living as long as the program. Per-quantity arrays are indexed by the
// quantity number 1..6 (T, P, V, S, I, X); index 0 is unused.
#pragma once

#include <QChar>
#include <QString>

#include <array>

#include "app/config.h"
#include "props/state.h"

namespace tab97 {

// Display order: entries 1 and 2 are the known pair, entries 3..6 the computed
// quantities (a permutation of 1..6 in entries 1..6).
using QuantityOrderArray = std::array<int, 7>;
using QuantityValues = std::array<double, 7>;

QuantityOrderArray InitialQuantityOrder();

// The points table of the points page: twelve points, point k at index k − 1.
// A point is solved when its validity is exactly 1.0 (0.0: not solved); its six
// values are indexed by quantity 1..6 like every per-quantity array.
inline constexpr int kPointCount = 12;
struct TablePoint {
  double Validity = 0.0;
  QuantityValues Values{};
};
using PointTableArray = std::array<TablePoint, kPointCount>;

struct MainState {
  QuantityOrderArray QuantityOrder = InitialQuantityOrder();
  QuantityValues StateValues{};          // the calculator page's state
  QuantityValues ResultCells{};          // the cells handed to the solver
  DecimalPlacesArray DecimalPlaces = DefaultDecimalPlaces();
  int LanguageIndex = 0;                 // 0 Czech, 1 English
  int PairCode = if97::kPairTP;
  bool PairSwapped = false;
  if97::PropertyRegion RegionCode = if97::kRegionNone;
  bool PreferMetastable = false;
  int ActiveMenuTag = 1;
  int HoverTag = 0;
  bool HoverActive = false;
  bool DragActive = false;
  int DragOriginX = 0;
  int DragOriginY = 0;
  bool DiagramLoaded = false;
  bool PointsMode = false;               // the points page is the page last entered
  PointTableArray PointTable{};          // read by the printout and the diagram window
  QString ProgramDir;                    // with the trailing separator
  QString ResourceDir;                   // pictures, chart, report template (app/filelocations.h)
  QString ConfigDir;                     // "Tab97.cfg" and the report's ini file
  QChar DecimalSeparator = QLatin1Char('.');
};

}  // namespace tab97
