// Groups of a report: `TPolSkup` and the group list `TListSkupin`.
#pragma once

#include <QList>
#include <QString>

#include "report/model/reportsection.h"

namespace report {

struct TPolSkup {
  int index = 0;          // the group's number as the template gives it
  QString columnName;     // grouping column by name; empty: by columnIndex
  int columnIndex = 0;    // grouping column (from 0); -1 when the name was not found
  bool newPage = false;   // each new group starts on a new page
  TOddilSestavy startBand;  // tag S
  TOddilSestavy endBand;    // tag U

  // Name in the group list: "Skupina" and the group index.
  QString caption() const { return QStringLiteral("Skupina ") + QString::number(index); }

  bool operator==(const TPolSkup& o) const {
    return index == o.index && columnName == o.columnName && columnIndex == o.columnIndex &&
           newPage == o.newPage && startBand == o.startBand && endBand == o.endBand;
  }
};

// Groups in list order (outermost first); the position in the list is the g of
// the template tags Sg and Ug.
class TListSkupin {
 public:
  int count() const { return static_cast<int>(groups_.size()); }
  TPolSkup& operator[](int i) { return groups_[i]; }
  const TPolSkup& operator[](int i) const { return groups_[i]; }
  void clear() { groups_.clear(); }
  // Puts a group into the list kept sorted by index; a group of the same index is replaced.
  void set(const TPolSkup& group);
  void removeAt(int i) { groups_.removeAt(i); }
  auto begin() { return groups_.begin(); }
  auto end() { return groups_.end(); }
  auto begin() const { return groups_.begin(); }
  auto end() const { return groups_.end(); }
  bool operator==(const TListSkupin&) const = default;

 private:
  QList<TPolSkup> groups_;
};

}  // namespace report
