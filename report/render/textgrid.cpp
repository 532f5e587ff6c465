#include "report/render/textgrid.h"

#include <algorithm>
#include <cmath>

namespace report {

bool TZnakovyRadek::blankAt(int column) const {
  for (const QString& l : layers_)
    if (column < l.size() && l[column] != u' ') return false;
  return true;
}

void TZnakovyRadek::put(int layer, int column, QStringView text) {
  if (layer < 0 || layer >= kLayers) return;
  QString& l = layers_[static_cast<std::size_t>(layer)];
  for (qsizetype i = 0; i < text.size(); ++i) {
    const qsizetype c = column + i;
    if (c < 0) continue;
    if (c >= kMaxTextColumns) break;
    const QChar ch = text[i] == u'\t' ? QChar(u' ') : text[i];
    if (ch == u' ' || !blankAt(static_cast<int>(c))) continue;
    if (l.size() <= c) l.append(QString(c + 1 - l.size(), u' '));
    l[c] = ch;
  }
}

QString TZnakovyRadek::merged() const {
  qsizetype width = 0;
  for (const QString& l : layers_) width = std::max(width, l.size());
  QString out(width, u' ');
  for (auto l = layers_.rbegin(); l != layers_.rend(); ++l)
    for (qsizetype c = 0; c < l->size(); ++c)
      if ((*l)[c] != u' ') out[c] = (*l)[c];
  while (!out.isEmpty() && out.back() == u' ') out.chop(1);
  return out;
}

void TZnakovyRadek::clear() {
  for (QString& l : layers_) l.clear();
}

void TZnakovePole::clear() {
  for (TZnakovyRadek& l : lines_) l.clear();
}

int TextLayer(int charactersPerInch, int fontStyle) {
  const int pitch = charactersPerInch == 12 ? 8 : charactersPerInch == 17 ? 16 : 0;
  return pitch | (fontStyle & (kFontBold | kFontItalic | kFontUnderline));
}

int TextLinesPerPage(const TSestVystup& doc) {
  return std::clamp(doc.paper.pageHeight() * doc.raster.linesPerInch() / 100, 0, 100000);
}

int TextCharactersPerInch(const TSestVystup& doc) {
  return doc.raster.charPitch == 1 ? 12 : doc.raster.charPitch == 2 ? 17 : 10;
}

void FillTextGrid(const TSestVystup& doc, int page, TZnakovePole& grid) {
  if (page < 0 || page >= doc.pageCount()) return;
  const int cpi = TextCharactersPerInch(doc);
  const double cw = 100.0 / cpi;                             // one character, hundredths of an inch
  const double lh = 100.0 / std::max(1, doc.raster.linesPerInch());  // one line
  const auto lineOf = [&](double y) { return static_cast<int>(std::floor((doc.paper.marginTop + y) / lh + 1e-9)); };
  const auto columnOf = [&](double x) { return static_cast<int>(std::floor((doc.paper.marginLeft + x) / cw + 1e-9)); };
  for (const TVystPrvek& e : doc.pages[page].elements) {
    if (!IsTextKind(e.look.kind)) continue;
    const int layer = TextLayer(cpi, e.look.font.style);
    if (!e.lines.isEmpty()) {
      for (const OutputLine& line : e.lines) {
        const int row = lineOf(e.top + line.y);
        if (row < 0 || row >= grid.lineCount()) continue;
        for (const OutputRun& run : line.runs)
          grid.line(row).put(TextLayer(cpi, run.font.style), columnOf(e.left + run.x), run.text);
      }
      continue;
    }
    const int row = lineOf(e.top);
    if (row < 0 || row >= grid.lineCount() || e.text.isEmpty()) continue;
    const QString text = QString(e.text).replace(u'\n', u' ').replace(u'\r', u' ');
    const int width = static_cast<int>(std::floor(e.width / cw + 1e-9));
    int column = columnOf(e.left);
    const int spare = width - static_cast<int>(text.size());
    if (spare > 0 && (e.look.alignment & 3) == kAlignRight) column += spare;
    if (spare > 0 && (e.look.alignment & 3) == kAlignCenter) column += spare / 2;
    grid.line(row).put(layer, column, text);
  }
}

QByteArray TextOutput(const TSestVystup& doc, int from, int to, int copies, TSestLanguage language) {
  QByteArray out;
  from = std::max(from, 1);
  to = std::min(to, doc.pageCount());
  TZnakovePole grid(TextLinesPerPage(doc));
  for (int copy = 0; copy < std::max(copies, 1); ++copy) {
    for (int page = from; page <= to; ++page) {
      FillTextGrid(doc, page - 1, grid);
      for (int l = 0; l < grid.lineCount(); ++l) {
        out += ConvertExportText(grid.line(l).merged(), language);
        out += "\r\n";
      }
      grid.clear();
    }
  }
  return out;
}

}  // namespace report
