#include "report/ui/designer/paperformateditor.h"

namespace report {

int PaperFormatEditor::add(const TFormatPapiru& format, bool* written) {
  formats_.addUserFormat(format);
  const bool ok = formats_.saveIni(iniPath_);
  if (written) *written = ok;
  return formats_.count() - 1;
}

bool PaperFormatEditor::remove(int i) {
  if (!IsUserFormat(i) || !formats_.removeUserFormat(i - TListFormatu::kBuiltinCount)) return false;
  return formats_.saveIni(iniPath_);
}

int PaperFormatEditor::indexFor(int width, int height) {
  // The user's own format (entry 0) is skipped in the search: a paper of its
  // size finds the named format of that size (A4) first.
  for (int i = 1; i < formats_.count(); ++i)
    if (formats_.at(i).width == width && formats_.at(i).height == height) return i;
  formats_.setOwnFormatSize(width, height);
  return 0;
}

}  // namespace report
