// The template text the designer keeps (undo snapshots, the clipboard) and the
// model rebuilt from it.
//
// A template record is one line, so the writer cannot put a line break into a
// quoted text. Texts typed in the designer may hold line breaks; in the lines
// kept here each line break of a quoted text (element text, format text,
// description, function texts, picture name) is written as the control character
// U+000B (vertical tab) and turned back into a line break when the model is
// rebuilt, so what was typed comes back as it was. Quotes need nothing of the
// kind: the writer doubles them.
#pragma once

#include <QStringList>

#include "report/model/reportdefinition.h"

namespace report {

class TemplateLines {
 public:
  static constexpr char16_t kLineBreak = u'\u000B';

  // The template lines of `report`, detail reports included, with line breaks
  // kept as kLineBreak. `report` is left exactly as it was.
  static TPredloha Format(ReportDefinition& report);
  // Rebuilds `report` from such lines (column names looked up in `fieldNames`).
  static void Parse(ReportDefinition& report, const TPredloha& lines, const QStringList& fieldNames);

  // Line breaks ("\r\n", "\r", "\n") of a text as kLineBreak, and back ("\n").
  static QString Escape(const QString& text);
  static QString Unescape(const QString& text);
  // Every quoted text of `report` (its details too) escaped or unescaped.
  static void EscapeTexts(ReportDefinition& report);
  static void UnescapeTexts(ReportDefinition& report);
};

}  // namespace report
