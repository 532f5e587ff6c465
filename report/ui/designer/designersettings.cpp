#include "report/ui/designer/designersettings.h"

namespace report {

DesignerSettings& DesignerSettings::Current() {
  static DesignerSettings settings;
  return settings;
}

}  // namespace report
