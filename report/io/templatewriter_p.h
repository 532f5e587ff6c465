// Private: the writer of template lines.
#pragma once

#include <QString>
#include <QStringList>

namespace report {

class ReportDefinition;
struct TOddilSestavy;
struct TReportElement;

class TemplateWriter {
 public:
  explicit TemplateWriter(const ReportDefinition& report) : r_(report) {}
  // Header records 0, 1, 2, one record 3 per fixed section, one record 4 per
  // group, records 5, 6, 7, the functions in list order, the elements of every
  // section in element order, then the lines of each detail report.
  QStringList write() const;

 private:
  QString element(const QString& tag, const TReportElement& e) const;
  const ReportDefinition& r_;
};

}  // namespace report
