// Text output of a report: every page becomes lines of characters, the way a
// line printer would print it. An element's text is put into the character grid
// (`TZnakovePole`) at the line and column its position falls on; each line
// (`TZnakovyRadek`) keeps 24 layers, one per combination of character pitch and
// style (bold 1, italic 2, underline 4; pitch bits 0 for 10, 8 for 12, 16 for 17
// characters per inch). A text placed over text already output only fills the
// positions still blank in every layer: the first one output keeps its characters.
#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <vector>

#include "report/io/codepage.h"
#include "report/layout/outputdocument.h"

namespace report {

class TZnakovyRadek {
 public:
  static constexpr int kLayers = 24;
  // Writes `text` from `column` into `layer`, only where every layer is blank.
  void put(int layer, int column, QStringView text);
  const QString& layer(int i) const { return layers_[static_cast<std::size_t>(i)]; }
  // All layers in one text, a blank position taken from the later layers;
  // without trailing blanks.
  QString merged() const;
  void clear();

 private:
  bool blankAt(int column) const;
  std::array<QString, kLayers> layers_;
};

class TZnakovePole {
 public:
  explicit TZnakovePole(int lines) : lines_(static_cast<std::size_t>(std::max(0, lines))) {}
  int lineCount() const { return static_cast<int>(lines_.size()); }
  TZnakovyRadek& line(int i) { return lines_[static_cast<std::size_t>(i)]; }
  void clear();

 private:
  std::vector<TZnakovyRadek> lines_;
};

// Widest line kept: a column beyond it is not written (hostile positions).
constexpr int kMaxTextColumns = 2000;

// The layer of an element's font with the given characters per inch.
int TextLayer(int charactersPerInch, int fontStyle);
// Lines per page: the page height times the lines per inch, divided by 100.
int TextLinesPerPage(const TSestVystup& doc);
// Characters per inch of the document's character pitch (10, 12 or 17).
int TextCharactersPerInch(const TSestVystup& doc);

// Pages `from` … `to` (from 1, clamped to the document), `copies` times (at least
// once): each line merged and converted to `language`, ended by CR LF; a page ends
// after its last line with no further separator. An empty document gives nothing.
QByteArray TextOutput(const TSestVystup& doc, int from, int to, int copies, TSestLanguage language);
// One page put into a grid (for text printing, which prints the layers).
void FillTextGrid(const TSestVystup& doc, int page, TZnakovePole& grid);

}  // namespace report
