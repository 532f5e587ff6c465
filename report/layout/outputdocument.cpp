#include "report/layout/outputdocument.h"

namespace report {

int TSestVystup::elementCount() const {
  int n = 0;
  for (const TStranaPrvku& p : pages) n += static_cast<int>(p.elements.size());
  return n;
}

}  // namespace report
