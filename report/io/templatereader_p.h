// Private: the reader of template lines.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "report/io/loadresult.h"
#include "report/model/reportpaper.h"

namespace report {

class ReportDefinition;
class TemplateRecord;
struct TOddilSestavy;

struct TemplateLine {
  int number = 0;       // 1-based line of the outermost template
  int fieldOffset = 0;  // fields of "D"d prefixes before this line's own first field
  QString text;
};

// What one template file may build, counted over the report and all its detail
// reports, so that a small hostile file cannot make a huge model.
struct ReadBudget {
  int detailReports = 0;
  int elements = 0;
};

class TemplateReader {
 public:
  TemplateReader(ReportDefinition& report, const QStringList& fieldNames, LoadResult& result, ReadBudget& budget)
      : r_(report), fieldNames_(fieldNames), result_(result), budget_(budget) {}
  void read(const QList<TemplateLine>& lines);

 private:
  // The tag (first field) of a line and the record positioned after it.
  void readHeaders(const QList<TemplateLine>& lines);
  void readVersion(const TemplateLine& line, TemplateRecord& rec);
  void readPaper(const TemplateLine& line, TemplateRecord& rec);
  void readSection(const TemplateLine& line, TemplateRecord& rec);
  void readGroup(const TemplateLine& line, TemplateRecord& rec);
  void readRaster(const TemplateLine& line, TemplateRecord& rec);
  void readBackground(const TemplateLine& line, TemplateRecord& rec);
  void readFunction(const TemplateLine& line, TemplateRecord& rec);
  void readElement(const TemplateLine& line, TemplateRecord& rec, TOddilSestavy& section);
  void readDetails(const QList<TemplateLine>& lines);

  // Integer field with its default; a malformed field is noted.
  int takeInt(const TemplateLine& line, TemplateRecord& rec, int def);
  bool takeBool(const TemplateLine& line, TemplateRecord& rec, bool def) { return takeInt(line, rec, def ? 1 : 0) != 0; }
  // v clamped to lo … hi; a change is noted against the given field.
  int clamp(const TemplateLine& line, int field, int v, int lo, int hi);
  void note(const TemplateLine& line, int field, const QString& message);

  ReportDefinition& r_;
  const QStringList& fieldNames_;  // column names that element and group records may name
  LoadResult& result_;
  ReadBudget& budget_;
  ReportPaper keptPaper_;
};

}  // namespace report
