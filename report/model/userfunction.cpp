#include "report/model/userfunction.h"


namespace report {

bool TRadekFunkce::sameDefinition(const TRadekFunkce& o) const {
  return name == o.name && description == o.description && type == o.type && initialValue == o.initialValue &&
         resetScope == o.resetScope && expression == o.expression && aggregation == o.aggregation &&
         precision == o.precision && decimals == o.decimals && format == o.format;
}

bool TListFunkci::add(const TRadekFunkce& f) {
  const int at = indexOf(f.name);
  if (at >= 0) {
    functions_[at] = f;
    return false;
  }
  functions_.append(f);
  return true;
}

int TListFunkci::indexOf(const QString& name) const {
  for (int i = 0; i < count(); ++i)
    if (functions_.at(i).name.compare(name, Qt::CaseInsensitive) == 0) return i;
  return -1;
}

bool TListFunkci::sameDefinitions(const TListFunkci& o) const {
  if (count() != o.count()) return false;
  for (int i = 0; i < count(); ++i)
    if (!functions_.at(i).sameDefinition(o.functions_.at(i))) return false;
  return true;
}

}  // namespace report
