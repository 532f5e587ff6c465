#include "report/ui/designer/reportsettings.h"

namespace report {

ReportSettings ReportSettings::FromReport(const ReportDefinition& report) {
  ReportSettings s;
  s.popis = report.Popis;
  s.paper = report.paper;
  s.raster = report.raster;
  s.background = report.background;
  for (int i = 0; i < kFixedSectionCount; ++i) {
    s.visible[static_cast<std::size_t>(i)] = report.sections[i].visible;
    s.height[static_cast<std::size_t>(i)] = report.sections[i].height;
  }
  s.pagination = report.pagination;
  for (const TPolSkup& g : report.groups) s.groups.append(g);
  return s;
}

void ReportSettings::applyTo(ReportDefinition& report) const {
  report.Popis = popis;
  report.paper = paper;
  report.paper.clamp();
  report.raster = raster;
  if (report.raster.type == kRasterCharacter) report.raster.applyCharacterGrid();
  report.background = background;
  for (int i = 0; i < kFixedSectionCount; ++i) {
    report.sections[i].visible = visible[static_cast<std::size_t>(i)];
    report.sections[i].height = std::max(0, height[static_cast<std::size_t>(i)]);
  }
  report.pagination = pagination;
  report.groups.clear();
  for (int g = 0; g < groups.size(); ++g) {
    TPolSkup group = groups.at(g);
    group.index = g;
    report.groups.set(group);
  }
  report.applyColumnLayout();
}

}  // namespace report
