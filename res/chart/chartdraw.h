// Draws the T-s chart and the navigator's small picture from the computed curves.
// Needs a QGuiApplication (fonts).
#pragma once

#include <QImage>

#include "res/chart/chartcurves.h"

namespace tab97::chart {

// The full chart, kWidth × kHeight: grid, axes, the curve families in their own
// colours with labels that keep clear of each other, the saturation line on top.
QImage DrawChart(const ChartCurves& curves);

// The navigator picture, kNavigatorWidth × kNavigatorHeight: the same chart
// reduced, without texts.
QImage DrawNavigator(const ChartCurves& curves);

}  // namespace tab97::chart
