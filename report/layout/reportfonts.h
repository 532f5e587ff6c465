// The fonts pages are measured and drawn with. Templates name Windows fonts; the
// metric twins of the Liberation family stand in for the three common ones, so
// text measures the same as it did there: Arial → Liberation Sans, Times New Roman
// → Liberation Serif, Courier New → Liberation Mono. A name with a script suffix
// (" CE", …) that is not installed loses the suffix first.
#pragma once

#include <QFont>
#include <QString>

#include "report/model/reportfont.h"

namespace report {

// The family drawn for a template font name.
QString DrawingFamily(const QString& templateName);

// The font of a report font; its point size as given (the painter's device
// decides the pixels).
QFont ReportQFont(const TReportFont& font);

}  // namespace report
