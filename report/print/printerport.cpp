#include "report/print/printerport.h"

namespace report {

int PrinterPort::fallbackIndex(int index, int count, int defaultIndex) {
  if (count <= 0) return -1;
  if (index >= 0 && index < count) return index;
  if (defaultIndex >= 0 && defaultIndex < count) return defaultIndex;
  return 0;
}

QMarginsF PrinterPort::landscapeFromPortrait(const QMarginsF& portrait) {
  // QMarginsF(left, top, right, bottom)
  return {portrait.bottom(), portrait.left(), portrait.top(), portrait.right()};
}

bool PrinterPort::isFilePort(const QString& port) {
  return port.compare(kFilePort, Qt::CaseInsensitive) == 0;
}

}  // namespace report
