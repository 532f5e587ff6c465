#include "report/io/defaulttemplate.h"

#include <algorithm>

#include "report/io/systemvariables.h"
#include "report/io/templatetext.h"

namespace report {
void BuildDefaultLayout(ReportDefinition& report, const QStringList& fieldNames, int parameterCount) {
  report.clearTemplate();
  ReportPaper& paper = report.paper;
  paper.width = 826;
  paper.height = 1169;
  paper.marginLeft = paper.marginRight = paper.marginTop = paper.marginBottom = 50;
  const int width = paper.printableWidth();
  constexpr int kLine = 20;  // hundredths of an inch: one line of 10-point text

  TOddilSestavy& start = report.sections[kSectionStart];
  parameterCount = std::clamp(parameterCount, 0, 100);
  for (int p = 0; p < parameterCount; ++p) {
    TReportElement e = MakeElement(kElementParameter, p, 0, p * kLine, width, kLine);
    if (p == 0) e.font.style = kFontBold;
    start.elements.append(e);
  }
  start.height = parameterCount > 0 ? parameterCount * kLine + kLine / 2 : 0;
  start.visible = parameterCount > 0;

  const int columns = static_cast<int>(std::min<qsizetype>(fieldNames.size(), 100));
  const int columnWidth = columns > 0 ? width / columns : width;
  TOddilSestavy& header = report.sections[kSectionHeader];
  TOddilSestavy& body = report.sections[kSectionBody];
  header.height = kLine + 5;
  body.height = kLine;
  for (int c = 0; c < columns; ++c) {
    TReportElement caption = MakeElement(kElementCaption, c, c * columnWidth, 0, columnWidth - 5, kLine);
    caption.name = fieldNames.at(c).left(kMaxElementNameLength);
    caption.font.style = kFontBold;
    caption.frame = kFrameSide4;
    header.elements.append(caption);
    TReportElement value = MakeElement(kElementColumn, c, c * columnWidth, 0, columnWidth - 5, kLine);
    value.name = caption.name;
    body.elements.append(value);
  }
  report.sections[kSectionEnd].visible = false;
  TOddilSestavy& footer = report.sections[kSectionFooter];
  footer.height = kLine + 10;
  TReportElement page = MakeElement(kElementVariable, kVarPage, width / 2 - 80, 10, 80, kLine);
  page.text = QStringLiteral("Strana %d");
  page.alignment = kAlignRight;
  TReportElement count = MakeElement(kElementVariable, kVarPageCount, width / 2 + 5, 10, 80, kLine);
  count.text = QStringLiteral("z %d");
  footer.elements = {page, count};
  report.applyColumnLayout();
}

TPredloha DefaultTemplate(const QStringList& fieldNames, int parameterCount) {
  ReportDefinition report;
  BuildDefaultLayout(report, fieldNames, parameterCount);
  return FormatTemplate(report);
}

}  // namespace report
