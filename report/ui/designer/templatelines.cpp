#include "report/ui/designer/templatelines.h"

#include <functional>

#include "report/io/templatetext.h"

namespace report {
namespace {

// Calls `f` on every text of `report` that the writer quotes.
void ForEachText(ReportDefinition& report, const std::function<void(QString&)>& f) {
  f(report.Popis);
  f(report.background.picture);
  for (TRadekFunkce& fn : report.functions) {
    f(fn.description);
    f(fn.initialValue);
    f(fn.expression);
  }
  const auto section = [&f](TOddilSestavy& s) {
    for (TReportElement& e : s.elements) f(e.text);
  };
  for (TOddilSestavy& s : report.sections) section(s);
  for (TPolSkup& g : report.groups) {
    section(g.startBand);
    section(g.endBand);
  }
  for (int d = 0; d < report.detailCount(); ++d) ForEachText(report.detail(d), f);
}

}  // namespace

QString TemplateLines::Escape(const QString& text) {
  if (!text.contains(u'\n') && !text.contains(u'\r')) return text;
  QString out = text;
  out.replace(QStringLiteral("\r\n"), QString(QChar(kLineBreak)));
  out.replace(u'\r', QChar(kLineBreak));
  out.replace(u'\n', QChar(kLineBreak));
  return out;
}

QString TemplateLines::Unescape(const QString& text) {
  if (!text.contains(QChar(kLineBreak))) return text;
  QString out = text;
  out.replace(QChar(kLineBreak), QChar(u'\n'));
  return out;
}

void TemplateLines::EscapeTexts(ReportDefinition& report) {
  ForEachText(report, [](QString& t) { t = Escape(t); });
}

void TemplateLines::UnescapeTexts(ReportDefinition& report) {
  ForEachText(report, [](QString& t) { t = Unescape(t); });
}

TPredloha TemplateLines::Format(ReportDefinition& report) {
  // The texts are escaped for the writer and put back exactly as they were.
  QList<QString> saved;
  ForEachText(report, [&saved](QString& t) {
    saved.append(t);
    t = Escape(t);
  });
  TPredloha lines = FormatTemplate(report);
  qsizetype i = 0;
  ForEachText(report, [&saved, &i](QString& t) { t = saved.at(i++); });
  return lines;
}

void TemplateLines::Parse(ReportDefinition& report, const TPredloha& lines, const QStringList& fieldNames) {
  (void)ParseTemplate(report, lines, fieldNames);
  UnescapeTexts(report);
}

}  // namespace report
