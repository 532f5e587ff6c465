// Laying text out into lines: words are placed greedily into the width, a word
// wider than the width is broken between characters, '\n' breaks the line, and
// each line is aligned left, right, centred or justified (justified lines spread
// their spaces to the full width, except the last line of a paragraph and a line
// ended by '\n'). Plain text is one paragraph per '\n'-free block in one font;
// rich text brings its own paragraphs and runs.
#pragma once

#include <QList>
#include <QString>
#include <cstdint>

#include "report/layout/outputdocument.h"
#include "report/layout/textmeasurer.h"

namespace report {

enum FlowAlignment : int { kFlowLeft = 0, kFlowRight = 1, kFlowCenter = 2, kFlowJustify = 3 };

struct FlowPiece {
  QString text;
  TReportFont font;
  bool hasRgb = false;
  std::uint32_t rgb = 0;
};

struct FlowParagraph {
  int alignment = kFlowLeft;
  QList<FlowPiece> pieces;
};

// Lines of the paragraphs within `width` (hundredths of an inch). Without `wrap`
// lines break only at '\n' and at paragraph ends. `lineLimit` stops the layout
// after that many lines (a bound for hostile texts).
QList<OutputLine> FlowText(const QList<FlowParagraph>& paragraphs, double width, bool wrap,
                           const TextMeasurer& measurer, int lineLimit = 100000);

// The paragraphs of a plain text in one font: one paragraph for the whole text
// ('\n' and "\r\n" break lines inside it).
QList<FlowParagraph> PlainParagraphs(const QString& text, const TReportFont& font, int alignment);

// Total height of laid-out lines.
double LinesHeight(const QList<OutputLine>& lines);

}  // namespace report
