// The list report the layout and render benchmarks share: page header and footer,
// two groups, six columns and a sum, an average and a standard deviation, on A4.
#pragma once

#include <sys/resource.h>

#include "report/io/systemvariables.h"
#include "report/layout/generator.h"

namespace benchreport {

using namespace report;

inline double PeakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

class Rows : public ReportData {
 public:
  explicit Rows(int n) : n_(n) {
    for (int c = 1; c <= 6; ++c) FieldNames.append(QStringLiteral("Vel%1").arg(c));
    FieldLabels = FieldNames;
    Parametry = {QStringLiteral("Tabulka stavů")};
    locale = ReportLocale::c();
  }
  int StepRow(int dir) override {
    int result = srOk;
    if (dir == sdFirst) row_ = 1, result = srBof;
    else if (row_ >= n_) result = srEof;
    else ++row_;
    FetchRow();
    return result;
  }
  void FetchRow() override {
    RowValues = {QString::number(row_ / 1000), QString::number(row_ / 100), QString::number(row_ * 0.5, 'f', 3),
                 QString::number(row_ % 97 * 1.25, 'f', 2), QString::number(row_ * 3.7, 'f', 1),
                 QString::number(row_ % 13)};
  }

 private:
  int n_, row_ = 0;
};

inline void Build(ReportDefinition& r) {
  r.paper.width = 826;
  r.paper.height = 1169;
  r.paper.marginLeft = r.paper.marginRight = r.paper.marginTop = r.paper.marginBottom = 50;
  r.sections[kSectionHeader].height = 60;
  r.sections[kSectionHeader].elements = {MakeElement(kElementParameter, 0, 0, 0, 400, 20)};
  for (int c = 0; c < 6; ++c) r.sections[kSectionHeader].elements.append(MakeElement(kElementCaption, c, c * 120, 30, 110, 20));
  r.sections[kSectionBody].height = 18;
  for (int c = 0; c < 6; ++c) r.sections[kSectionBody].elements.append(MakeElement(kElementColumn, c, c * 120, 0, 110, 18));
  r.sections[kSectionFooter].height = 30;
  r.sections[kSectionFooter].elements = {MakeElement(kElementVariable, kVarPage, 300, 5, 100, 20),
                                         MakeElement(kElementVariable, kVarPageCount, 420, 5, 100, 20)};
  for (int f = 0; f < 3; ++f) {
    TRadekFunkce fn;
    fn.name = QStringLiteral("f%1").arg(f);
    fn.expression = QStringLiteral("#3");
    fn.aggregation = f == 0 ? kAggSum : f == 1 ? kAggAverage : kAggStdDev;
    fn.resetScope = kResetFirstGroup + 1;
    r.functions.add(fn);
  }
  for (int g = 0; g < 2; ++g) {
    TPolSkup group;
    group.index = g;
    group.columnIndex = g;
    group.startBand.index = kFirstGroupSection + 2 * g;
    group.endBand.index = group.startBand.index + 1;
    group.startBand.height = 20;
    group.startBand.elements = {MakeElement(kElementColumn, g, 0, 0, 200, 20)};
    group.endBand.height = 20;
    for (int f = 0; f < 3; ++f) group.endBand.elements.append(MakeElement(kElementFunction, f, 200 + f * 150, 0, 140, 20));
    r.groups.set(group);
  }
}

}  // namespace benchreport
