#include "report/io/templatetext.h"

#include <algorithm>
#include <climits>

#include "report/io/templatereader_p.h"
#include "report/io/templatewriter_p.h"
#include "report/model/reportlimits.h"

namespace report {

LoadResult ParseTemplate(ReportDefinition& report, const TPredloha& lines, const QStringList& fieldNames) {
  LoadResult result;
  QList<TemplateLine> numbered;
  numbered.reserve(lines.size());
  for (qsizetype i = 0; i < lines.size(); ++i) {
    const int number = static_cast<int>(std::min<qsizetype>(i + 1, INT_MAX));
    // No record of ours is near this long; a longer line is skipped whole
    // rather than read as a cut-off record.
    if (lines.at(i).size() > kMaxTemplateLineLength) {
      result.add(number, 0, loadmsg::LineTooLong());
      numbered.append({number, 0, QString()});
    } else {
      numbered.append({number, 0, lines.at(i)});
    }
  }
  ReadBudget budget;
  TemplateReader(report, fieldNames, result, budget).read(numbered);
  return result;
}

TPredloha FormatTemplate(const ReportDefinition& report) { return TemplateWriter(report).write(); }

}  // namespace report
