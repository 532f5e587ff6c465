// The rich text of text elements: a small reader of RTF that keeps only what the
// layout needs, paragraphs with their alignment and, inside them, runs of text with
// bold, italic, underline, font size, font name and colour. Everything else in the
// document is read past without failing.
//
// Rules of the reader:
// - Blanks before the opening brace are skipped; the reading ends where the first
//   group closes, so anything after the final closing brace is ignored. Missing
//   closing braces end the text at the end of the input. (Input that does not
//   start with a brace is read as text up to where its first group closes; a '}'
//   outside all groups is ignored.)
// - Control words: `\` + ASCII letters + an optional numeric parameter (`-` and
//   digits; only the first 10 digits count, the value is clamped to
//   ±2147483647) + one optional space, which is consumed. Unknown words are
//   ignored.
// - Control symbols: `\\ \{ \}` give the character itself, `\~` a no-break space
//   (U+00A0), `\-` (optional hyphen) nothing, `\_` (non-breaking hyphen) '-',
//   `\*` makes the group it stands in ignorable (the group is skipped), `\` before
//   a line end is a paragraph end, any other symbol is ignored.
// - `\'hh` is a byte of the document's ANSI code page: Windows-1250 unless
//   `\ansicpg1252` selects Windows-1252 (other `\ansicpg` values keep 1250). With
//   fewer than two hex digits the symbol gives nothing.
// - `\uN` is a UTF-16 code unit as a signed 16-bit number (-32768 … -1 stand for
//   32768 … 65535; outside -32768 … 65535 it gives U+FFFD). The next `\ucN`
//   characters are skipped (default 1, clamped to 0 … 10, scoped to the group);
//   a text character, a `\'hh`, a control symbol and a control word each count as
//   one, a brace ends the skipping.
// - Line ends in the input are ignored, so are other control characters below
//   U+0020 (also NUL); they come into the text only from `\tab` and `\line`.
// - Groups save and restore the character formatting, the paragraph alignment,
//   `\uc` and the destination. Groups nested deeper than 64 levels do not save
//   anything: their contents are read as text of the level-64 group and their
//   formatting stays in force until that group closes.
// - Character formatting: `\b \i \ul` (a parameter of 0 switches off; `\ul0` and
//   `\ulnone` end the underline, the underline styles `\uld \uldb \ulw \ulwave …`
//   count as underline), `\fsN` font size in half-points (N ≤ 0 or no N: the
//   element's own size; at most 3276, i.e. 1638 pt), `\cfN` colour table entry
//   (0, an entry without colour or an entry out of the table: the element's own
//   colour), `\fN` font table entry (only an explicit `\fN` gives a font name;
//   `\deff` is not followed: without `\fN` the element's own font is used), `\v`
//   hidden text (dropped), `\plain` resets all of them.
// - Paragraphs: `\par` ends a paragraph, `\line` is a forced line break inside the
//   paragraph, kept as '\n' in the run text, `\tab` is '\t'. `\pard` resets the
//   alignment to left, `\ql \qr \qc \qj` (and `\qd` as justified) set it. A
//   paragraph takes the alignment in force at its `\par`; the last paragraph,
//   when not ended by `\par`, the alignment in force at its last character. A
//   `\par` at the very end does not start an empty paragraph; a document without
//   `\par` gives one paragraph. Table cells: `\cell` gives '\t', `\row` ends the
//   paragraph.
// - A few named characters are kept: `\emdash \endash \bullet \lquote \rquote
//   \ldblquote \rdblquote \emspace \enspace \qmspace \zwj \zwnj \ltrmark
//   \rtlmark`.
// - Font table (`\fonttbl`): entries `{\f0\fswiss Arial;}` or `\f0 Arial;` give the
//   font name of the index, without the ';' and the surrounding blanks, at most 255
//   characters. Colour table (`\colortbl`): entries `\redR\greenG\blueB;`, an entry
//   without components (usually the first one) stands for the element's own colour.
// - Skipped entirely: any group starting with `\*`, and the groups of the
//   destinations annotation, atnauthor, atndate, atnicn, atnid, atnparent, atnref,
//   atntime, atrfend, atrfstart, author, bkmkend, bkmkstart, buptim, category,
//   colorschememapping, comment, company, creatim, datastore, defchp, defpap,
//   doccomm, docvar, fchars, falt, fldinst, filetbl, footer, footerf, footerl,
//   footerr, footnote, ftncn, ftnsep, ftnsepc, aftncn, aftnsep, aftnsepc,
//   generator, header, headerf, headerl, headerr, info, keywords, latentstyles,
//   lchars, leveltext, levelnumbers, listoverridetable, listpicture, listtable,
//   manager, nonshppict, objdata, object, operator, panose, pgdsctbl, pict, pn,
//   printim, private, revtbl, revtim, rsidtbl, rxe, shp, shpinst, shppict,
//   stylesheet, subject, tc, template, themedata, title, txe, userprops, xe,
//   xmlnstbl. `\binN` skips N characters of binary data wherever it stands.
//   Field results (`\fldrslt`) are read as text.
// - The work is linear in the input size; the recursion depth is bounded (the
//   group stack is explicit).
#pragma once

#include <cstdint>

#include <QList>
#include <QString>
#include <QStringView>

namespace report {

// Paragraph alignment; 0 … 2 are the engine's own TextAlignment values.
enum RichAlignment : int {
  kRichAlignLeft = 0,
  kRichAlignRight = 1,
  kRichAlignCenter = 2,
  kRichAlignJustify = 3,
};

// Largest font size the reader gives, in points (pt).
constexpr double kRichMaxPointSize = 1638.0;

// A piece of text with one character formatting.
struct RichRun {
  QString text;  // may hold '\n' (forced line break) and '\t'
  bool bold = false, italic = false, underline = false;
  double pointSize = 0;   // font size in points (pt); 0: the element's own size
  QString fontName;       // empty: the element's own font
  bool hasColor = false;  // false: the element's own colour
  std::uint32_t rgb = 0;  // 0xRRGGBB when hasColor
  bool operator==(const RichRun&) const = default;
};

struct RichParagraph {
  int alignment = kRichAlignLeft;  // RichAlignment
  QList<RichRun> runs;             // no empty runs; neighbours differ in formatting
  bool operator==(const RichParagraph&) const = default;
};

struct RichText {
  QList<RichParagraph> paragraphs;  // at least one after ParseRichText
  // The text of all paragraphs joined by '\n'.
  QString plainText() const;
};

// True when the text, after optional blanks, starts with "{\rtf".
bool IsRichText(QStringView text);

// Reads rich text; never fails (see the rules above).
RichText ParseRichText(QStringView text);

}  // namespace report
