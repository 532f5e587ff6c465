#include "report/model/reportgroup.h"

namespace report {

void TListSkupin::set(const TPolSkup& group) {
  qsizetype at = 0;
  while (at < groups_.size() && groups_.at(at).index < group.index) ++at;
  if (at < groups_.size() && groups_.at(at).index == group.index) {
    TPolSkup& old = groups_[at];
    // A later record replaces the settings; elements already placed in the bands stay.
    const QList<TReportElement> startElements = old.startBand.elements;
    const QList<TReportElement> endElements = old.endBand.elements;
    old = group;
    old.startBand.elements = startElements;
    old.endBand.elements = endElements;
  } else {
    groups_.insert(at, group);
  }
}

}  // namespace report
