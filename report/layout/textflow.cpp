#include "report/layout/textflow.h"

#include <algorithm>

namespace report {
namespace {

enum class TokenKind { Word, Space, Break };

struct Token {
  TokenKind kind;
  QString text;
  int piece;       // index into the paragraph's pieces
  double width;
};

// Words, blanks and forced breaks of a paragraph, each in the formatting of its piece.
QList<Token> Tokenize(const FlowParagraph& p, const TextMeasurer& m) {
  QList<Token> tokens;
  for (int i = 0; i < p.pieces.size(); ++i) {
    const FlowPiece& piece = p.pieces[i];
    const QString& t = piece.text;
    qsizetype at = 0;
    while (at < t.size()) {
      const QChar c = t[at];
      if (c == u'\n' || c == u'\r') {
        if (c == u'\r' && at + 1 < t.size() && t[at + 1] == u'\n') ++at;
        tokens.append({TokenKind::Break, QString(), i, 0});
        ++at;
        continue;
      }
      const bool blank = c == u' ' || c == u'\t';
      qsizetype end = at;
      while (end < t.size() && t[end] != u'\n' && t[end] != u'\r' && (t[end] == u' ' || t[end] == u'\t') == blank) ++end;
      QString text = t.mid(at, end - at);
      if (blank) text.replace(u'\t', QStringLiteral("    "));
      tokens.append({blank ? TokenKind::Space : TokenKind::Word, text, i, m.width(piece.font, text)});
      at = end;
    }
  }
  return tokens;
}

class LineBuilder {
 public:
  LineBuilder(const FlowParagraph& p, double width, const TextMeasurer& m, QList<OutputLine>& out, int limit)
      : p_(p), width_(width), m_(m), out_(out), limit_(limit) {}

  bool full() const { return static_cast<int>(out_.size()) >= limit_; }

  void add(const Token& t) { line_.append(t); used_ += t.width; }
  double used() const { return used_; }
  bool empty() const { return line_.isEmpty(); }

  // Ends the line; `last` when it ends the paragraph or a forced break (no justification).
  // `piece` gives an empty line its height.
  void finishLine(bool last, int piece) {
    while (!line_.isEmpty() && line_.last().kind == TokenKind::Space) used_ -= line_.takeLast().width;
    OutputLine line;
    line.y = y_;
    const TReportFont& lead = p_.pieces.isEmpty() ? fallback_ : p_.pieces[line_.isEmpty() ? piece : line_.first().piece].font;
    line.ascent = m_.ascent(lead);
    line.height = m_.lineHeight(lead);
    int spaces = 0;
    for (const Token& t : line_) {
      const TReportFont& f = p_.pieces[t.piece].font;
      line.ascent = std::max(line.ascent, m_.ascent(f));
      line.height = std::max(line.height, m_.lineHeight(f));
      if (t.kind == TokenKind::Space) ++spaces;
    }
    const bool justify = p_.alignment == kFlowJustify && !last && spaces > 0 && used_ < width_;
    double x = 0;
    if (p_.alignment == kFlowRight) x = width_ - used_;
    else if (p_.alignment == kFlowCenter) x = (width_ - used_) / 2;
    const double stretch = justify ? (width_ - used_) / spaces : 0;
    for (const Token& t : line_) {
      const FlowPiece& piece = p_.pieces[t.piece];
      const bool join = !justify && !line.runs.isEmpty() && lastRunPiece_ == t.piece;
      if (join) {
        line.runs.last().text += t.text;
      } else if (t.kind == TokenKind::Word || !justify) {
        line.runs.append({t.text, x, piece.font, piece.hasRgb, piece.rgb});
        lastRunPiece_ = t.piece;
      }
      x += t.width + (t.kind == TokenKind::Space ? stretch : 0);
      if (justify && t.kind == TokenKind::Space) lastRunPiece_ = -1;
    }
    lastRunPiece_ = -1;
    y_ += line.height;
    out_.append(std::move(line));
    line_.clear();
    used_ = 0;
  }

  void setY(double y) { y_ = y; }
  double y() const { return y_; }

 private:
  const FlowParagraph& p_;
  double width_;
  const TextMeasurer& m_;
  QList<OutputLine>& out_;
  int limit_;
  QList<Token> line_;
  double used_ = 0;
  double y_ = 0;
  int lastRunPiece_ = -1;
  TReportFont fallback_;
};

}  // namespace

QList<OutputLine> FlowText(const QList<FlowParagraph>& paragraphs, double width, bool wrap,
                           const TextMeasurer& measurer, int lineLimit) {
  QList<OutputLine> lines;
  double y = 0;
  width = std::max(width, 0.0);
  for (const FlowParagraph& p : paragraphs) {
    LineBuilder b(p, width, measurer, lines, lineLimit);
    b.setY(y);
    bool afterWrap = false;  // blanks at the start of a wrapped line are dropped
    int piece = 0;
    for (const Token& t : Tokenize(p, measurer)) {
      if (b.full()) return lines;
      piece = t.piece;
      if (t.kind == TokenKind::Break) {
        b.finishLine(true, piece);
        afterWrap = false;
        continue;
      }
      if (t.kind == TokenKind::Space) {
        if (!(wrap && afterWrap && b.empty())) b.add(t);
        continue;
      }
      if (!wrap || b.used() + t.width <= width) {
        b.add(t);
        afterWrap = false;
        continue;
      }
      if (!b.empty()) {
        b.finishLine(false, piece);
        afterWrap = true;
      }
      if (t.width <= width) {
        b.add(t);
        afterWrap = false;
        continue;
      }
      // A word wider than the line: as many characters as fit on each line (at
      // least one, so the layout always moves on).
      const TReportFont& f = p.pieces[t.piece].font;
      qsizetype at = 0;
      while (at < t.text.size() && !b.full()) {
        qsizetype n = 1;
        while (at + n < t.text.size() && measurer.width(f, QStringView(t.text).mid(at, n + 1)) <= width) ++n;
        const QString part = t.text.mid(at, n);
        b.add({TokenKind::Word, part, t.piece, measurer.width(f, part)});
        at += n;
        if (at < t.text.size()) b.finishLine(false, piece);
      }
      afterWrap = false;
    }
    if (b.full()) return lines;
    b.finishLine(true, piece);
    y = b.y();
  }
  return lines;
}

QList<FlowParagraph> PlainParagraphs(const QString& text, const TReportFont& font, int alignment) {
  FlowParagraph p;
  p.alignment = alignment;
  p.pieces.append({text, font, false, 0});
  return {p};
}

double LinesHeight(const QList<OutputLine>& lines) {
  return lines.isEmpty() ? 0 : lines.last().y + lines.last().height;
}

}  // namespace report
