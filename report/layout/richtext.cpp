#include "report/layout/richtext.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include <QHash>

#include "report/io/codepage.h"

namespace report {
namespace {

constexpr int kMaxGroupDepth = 64;              // groups that save the state
constexpr int kMaxUcSkip = 10;                  // largest \ucN
constexpr int kMaxParamDigits = 10;             // digits of a parameter that count
constexpr qint64 kMaxParam = 2147483647;        // parameters are clamped to ±this
constexpr int kMaxFontSizeHalfPoints = 3276;    // 1638 pt
constexpr qsizetype kMaxFontNameLength = 255;   // characters
constexpr std::size_t kMaxKeywordLength = 32;   // longer control words are unknown

// Unicode of bytes 0x80 … 0x9F in code page 1252 (0xA0 … 0xFF are Latin-1); the
// undefined bytes map to the control character of the same number.
constexpr std::array<char16_t, 32> kCp1252C1{{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
}};

enum class Destination : std::uint8_t { Text, FontTable, ColorTable, Skip };

// What a group saves and restores.
struct GroupState {
  bool bold = false, italic = false, underline = false, hidden = false;
  int fontSizeHalfPoints = 0;  // 0: the element's own size
  int fontIndex = -1;          // -1: the element's own font
  int colorIndex = 0;          // 0: the element's own colour
  int alignment = kRichAlignLeft;
  int ucSkip = 1;
  Destination destination = Destination::Text;
};

enum class Word : std::uint8_t {
  Par, Line, Tab, Row, Pard, Plain, AlignLeft, AlignRight, AlignCenter, AlignJustify,
  Bold, Italic, Underline, UnderlineNone, Hidden, FontSize, Color, Font, UcSkip, Unicode,
  AnsiCodePage, Red, Green, Blue, Bin, FontTable, ColorTable, SkipGroup, Character,
};

struct WordInfo {
  Word word;
  char16_t character = 0;  // of Word::Character
};

const std::unordered_map<std::string_view, WordInfo>& Words() {
  static const std::unordered_map<std::string_view, WordInfo> words = [] {
    std::unordered_map<std::string_view, WordInfo> w{
        {"par", {Word::Par}}, {"line", {Word::Line}}, {"tab", {Word::Tab}},
        {"cell", {Word::Tab}}, {"nestcell", {Word::Tab}}, {"row", {Word::Row}},
        {"nestrow", {Word::Row}}, {"pard", {Word::Pard}}, {"plain", {Word::Plain}},
        {"ql", {Word::AlignLeft}}, {"qr", {Word::AlignRight}}, {"qc", {Word::AlignCenter}},
        {"qj", {Word::AlignJustify}}, {"qd", {Word::AlignJustify}}, {"b", {Word::Bold}},
        {"i", {Word::Italic}}, {"ulnone", {Word::UnderlineNone}}, {"v", {Word::Hidden}},
        {"fs", {Word::FontSize}}, {"cf", {Word::Color}}, {"f", {Word::Font}},
        {"uc", {Word::UcSkip}}, {"u", {Word::Unicode}}, {"ansicpg", {Word::AnsiCodePage}},
        {"red", {Word::Red}}, {"green", {Word::Green}}, {"blue", {Word::Blue}},
        {"bin", {Word::Bin}}, {"fonttbl", {Word::FontTable}}, {"colortbl", {Word::ColorTable}},
        {"emdash", {Word::Character, 0x2014}}, {"endash", {Word::Character, 0x2013}},
        {"bullet", {Word::Character, 0x2022}}, {"lquote", {Word::Character, 0x2018}},
        {"rquote", {Word::Character, 0x2019}}, {"ldblquote", {Word::Character, 0x201C}},
        {"rdblquote", {Word::Character, 0x201D}}, {"emspace", {Word::Character, 0x2003}},
        {"enspace", {Word::Character, 0x2002}}, {"qmspace", {Word::Character, 0x2005}},
        {"zwj", {Word::Character, 0x200D}}, {"zwnj", {Word::Character, 0x200C}},
        {"ltrmark", {Word::Character, 0x200E}}, {"rtlmark", {Word::Character, 0x200F}},
    };
    // The underline styles; `\ulc` (underline colour) is not among them.
    for (std::string_view u : {"ul", "uld", "uldash", "uldashd", "uldashdd", "uldb", "ulhwave", "ulldash",
                               "ulth", "ulthd", "ulthdash", "ulthdashd", "ulthdashdd", "ulthldash",
                               "ululdbwave", "ulw", "ulwave"})
      w.emplace(u, WordInfo{Word::Underline});
    // Destinations whose groups hold no text of the document.
    for (std::string_view d :
         {"annotation", "atnauthor", "atndate", "atnicn", "atnid", "atnparent", "atnref", "atntime",
          "atrfend", "atrfstart", "author", "bkmkend", "bkmkstart", "buptim", "category",
          "colorschememapping", "comment", "company", "creatim", "datastore", "defchp", "defpap",
          "doccomm", "docvar", "fchars", "falt", "fldinst", "filetbl", "footer", "footerf", "footerl",
          "footerr", "footnote", "ftncn", "ftnsep", "ftnsepc", "aftncn", "aftnsep", "aftnsepc",
          "generator", "header", "headerf", "headerl", "headerr", "info", "keywords", "latentstyles",
          "lchars", "leveltext", "levelnumbers", "listoverridetable", "listpicture", "listtable",
          "manager", "nonshppict", "objdata", "object", "operator", "panose", "pgdsctbl", "pict", "pn",
          "printim", "private", "revtbl", "revtim", "rsidtbl", "rxe", "shp", "shpinst", "shppict",
          "stylesheet", "subject", "tc", "template", "themedata", "title", "txe", "userprops", "xe",
          "xmlnstbl"})
      w.emplace(d, WordInfo{Word::SkipGroup});
    return w;
  }();
  return words;
}

constexpr bool IsAsciiLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }
constexpr bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
constexpr int HexValue(char16_t c) {
  if (IsDigit(c)) return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}
constexpr int ClampInt(qint64 v, int lo, int hi) { return static_cast<int>(std::clamp<qint64>(v, lo, hi)); }

bool SameFormat(const RichRun& a, const RichRun& b) {
  return a.bold == b.bold && a.italic == b.italic && a.underline == b.underline && a.pointSize == b.pointSize &&
         a.hasColor == b.hasColor && a.rgb == b.rgb && a.fontName == b.fontName;
}

// One pass over the input with an explicit stack of group states.
class Parser {
 public:
  explicit Parser(QStringView in) : in_(in) { stack_.reserve(kMaxGroupDepth + 1); }

  RichText parse() {
    while (pos_ < in_.size() && in_[pos_].isSpace()) ++pos_;
    stack_.push_back(GroupState{});  // level 0, outside all groups
    while (pos_ < in_.size() && !done_) {
      const char16_t c = in_[pos_].unicode();
      ++pos_;
      switch (c) {
        case u'{': openGroup(); break;
        case u'}': closeGroup(); break;
        case u'\\': readControl(); break;
        case u'\r':
        case u'\n': break;
        default:
          if (skipChars_ > 0)
            --skipChars_;
          else
            put(c, false);
          break;
      }
    }
    finish();
    return std::move(out_);
  }

 private:
  GroupState& state() { return stack_.back(); }

  void openGroup() {
    skipChars_ = 0;
    if (stack_.size() > kMaxGroupDepth) {
      ++overflow_;
      return;
    }
    stack_.push_back(stack_.back());
  }

  void closeGroup() {
    skipChars_ = 0;
    if (overflow_ > 0) {
      --overflow_;
      return;
    }
    if (stack_.size() == 1) return;  // a stray '}' before any group
    if (state().destination == Destination::FontTable) commitFont();
    if (state().destination == Destination::ColorTable && colorPending_) commitColor();
    if (stack_.size() == 2) {  // the first group closes: the end of the document
      done_ = true;
      return;
    }
    stack_.pop_back();
    formatDirty_ = true;
  }

  void readControl() {
    if (pos_ >= in_.size()) return;  // a backslash at the very end
    const char16_t c = in_[pos_].unicode();
    if (IsAsciiLetter(c)) {
      readWord();
      return;
    }
    ++pos_;
    int byte = -1;
    if (c == u'\'') {  // the hex digits belong to the symbol even when it is skipped
      const int hi = pos_ < in_.size() ? HexValue(in_[pos_].unicode()) : -1;
      if (hi >= 0) ++pos_;
      const int lo = hi >= 0 && pos_ < in_.size() ? HexValue(in_[pos_].unicode()) : -1;
      if (lo >= 0) ++pos_;
      if (lo >= 0) byte = hi * 16 + lo;
    }
    if (skipChars_ > 0) {
      --skipChars_;
      return;
    }
    switch (c) {
      case u'\'':
        if (byte >= 0) put(decodeByte(byte), false);
        break;
      case u'\\':
      case u'{':
      case u'}': put(c, false); break;
      case u'~': put(u'\u00A0', false); break;
      case u'_': put(u'-', false); break;
      case u'*': state().destination = Destination::Skip; break;
      case u'\r':
      case u'\n': endParagraph(); break;
      default: break;  // `\-` and unknown symbols
    }
  }

  void readWord() {
    const qsizetype start = pos_;
    while (pos_ < in_.size() && IsAsciiLetter(in_[pos_].unicode())) ++pos_;
    const QStringView name = in_.sliced(start, pos_ - start);
    bool negative = false;
    if (pos_ + 1 < in_.size() && in_[pos_] == u'-' && IsDigit(in_[pos_ + 1].unicode())) {
      negative = true;
      ++pos_;
    }
    bool hasParam = false;
    qint64 param = 0;
    for (int digits = 0; pos_ < in_.size() && IsDigit(in_[pos_].unicode()); ++pos_, ++digits) {
      hasParam = true;
      if (digits < kMaxParamDigits) param = param * 10 + (in_[pos_].unicode() - u'0');
    }
    param = std::min(param, kMaxParam);
    if (negative) param = -param;
    if (pos_ < in_.size() && in_[pos_] == u' ') ++pos_;
    if (skipChars_ > 0) {
      --skipChars_;
      return;
    }
    if (name.size() > static_cast<qsizetype>(kMaxKeywordLength)) return;
    std::array<char, kMaxKeywordLength> buffer{};
    for (qsizetype i = 0; i < name.size(); ++i) buffer[i] = static_cast<char>(name[i].unicode());
    const auto& words = Words();
    const auto it = words.find(std::string_view(buffer.data(), static_cast<std::size_t>(name.size())));
    if (it != words.end()) apply(it->second, hasParam, param);
  }

  void apply(const WordInfo& info, bool hasParam, qint64 param) {
    GroupState& s = state();
    const bool on = !hasParam || param != 0;  // toggles: no parameter or non-zero switches on
    formatDirty_ = true;
    switch (info.word) {
      case Word::Par:
      case Word::Row: endParagraph(); break;
      case Word::Line: put(u'\n', true); break;
      case Word::Tab: put(u'\t', true); break;
      case Word::Pard: s.alignment = kRichAlignLeft; break;
      case Word::Plain: {
        const GroupState defaults;
        s.bold = defaults.bold;
        s.italic = defaults.italic;
        s.underline = defaults.underline;
        s.hidden = defaults.hidden;
        s.fontSizeHalfPoints = defaults.fontSizeHalfPoints;
        s.fontIndex = defaults.fontIndex;
        s.colorIndex = defaults.colorIndex;
        break;
      }
      case Word::AlignLeft: s.alignment = kRichAlignLeft; break;
      case Word::AlignRight: s.alignment = kRichAlignRight; break;
      case Word::AlignCenter: s.alignment = kRichAlignCenter; break;
      case Word::AlignJustify: s.alignment = kRichAlignJustify; break;
      case Word::Bold: s.bold = on; break;
      case Word::Italic: s.italic = on; break;
      case Word::Underline: s.underline = on; break;
      case Word::UnderlineNone: s.underline = false; break;
      case Word::Hidden: s.hidden = on; break;
      case Word::FontSize: s.fontSizeHalfPoints = ClampInt(param, 0, kMaxFontSizeHalfPoints); break;
      case Word::Color: s.colorIndex = ClampInt(param, 0, static_cast<int>(kMaxParam)); break;
      case Word::Font:
        if (s.destination == Destination::FontTable) {
          commitFont();
          fontEntry_ = ClampInt(param, 0, static_cast<int>(kMaxParam));
        } else {
          s.fontIndex = ClampInt(param, -1, static_cast<int>(kMaxParam));
        }
        break;
      case Word::UcSkip: s.ucSkip = hasParam ? ClampInt(param, 0, kMaxUcSkip) : 1; break;
      case Word::Unicode:
        if (!hasParam) break;
        if (param < -32768 || param > 65535)
          put(u'\uFFFD', false);
        else
          put(static_cast<char16_t>(param < 0 ? param + 65536 : param), false);
        skipChars_ = s.ucSkip;
        break;
      case Word::AnsiCodePage:
        if (param == 1250 || param == 1252) codePage_ = static_cast<int>(param);
        break;
      case Word::Red:
      case Word::Green:
      case Word::Blue:
        if (s.destination == Destination::ColorTable) {
          const int shift = info.word == Word::Red ? 16 : info.word == Word::Green ? 8 : 0;
          color_ = (color_ & ~(0xFFu << shift)) | (static_cast<std::uint32_t>(ClampInt(param, 0, 255)) << shift);
          colorPending_ = true;
        }
        break;
      case Word::Bin:
        // Binary data may hold any character, braces too: it is skipped whole.
        pos_ += std::min<qint64>(std::max<qint64>(param, 0), in_.size() - pos_);
        break;
      case Word::FontTable:
        if (s.destination == Destination::Skip) break;
        s.destination = Destination::FontTable;
        fontEntry_ = -1;
        fontName_.clear();
        break;
      case Word::ColorTable:
        if (s.destination == Destination::Skip) break;
        s.destination = Destination::ColorTable;
        colors_.clear();
        color_ = 0;
        colorPending_ = false;
        break;
      case Word::SkipGroup: s.destination = Destination::Skip; break;
      case Word::Character: put(info.character, false); break;
    }
  }

  QChar decodeByte(int byte) const {
    const auto b = static_cast<unsigned char>(byte);
    if (codePage_ == 1252) return b >= 0x80 && b < 0xA0 ? QChar(kCp1252C1[b - 0x80]) : QChar(char16_t(b));
    return Cp1250CharOf(b);
  }

  // One character of the current destination. `control`: a tab or line break that
  // a control word gave, the only control characters that reach the text.
  void put(QChar c, bool control) {
    GroupState& s = state();
    if (c.unicode() < 0x20 && !control) return;
    switch (s.destination) {
      case Destination::Text:
        if (!s.hidden) appendText(c);
        break;
      case Destination::FontTable:
        if (c == u';')
          commitFont();
        else if (c.unicode() >= 0x20 && fontName_.size() < kMaxFontNameLength)
          fontName_.append(c);
        break;
      case Destination::ColorTable:
        if (c == u';') commitColor();
        break;
      case Destination::Skip: break;
    }
  }

  void appendText(QChar c) {
    // The format is resolved only after a control word or a brace, so that plain
    // text costs one append per character.
    if (formatDirty_ || para_.runs.isEmpty()) {
      RichRun run = currentFormat();
      if (para_.runs.isEmpty() || !SameFormat(para_.runs.constLast(), run)) para_.runs.append(std::move(run));
      formatDirty_ = false;
    }
    para_.runs.last().text.append(c);
    lastTextAlignment_ = state().alignment;
  }

  RichRun currentFormat() const {
    const GroupState& s = stack_.back();
    RichRun r;
    r.bold = s.bold;
    r.italic = s.italic;
    r.underline = s.underline;
    r.pointSize = s.fontSizeHalfPoints / 2.0;
    if (s.fontIndex >= 0) r.fontName = fonts_.value(s.fontIndex);
    if (s.colorIndex > 0 && s.colorIndex < colors_.size() && colors_[s.colorIndex]) {
      r.hasColor = true;
      r.rgb = *colors_[s.colorIndex];
    }
    return r;
  }

  void endParagraph() {
    if (state().destination != Destination::Text) return;
    para_.alignment = state().alignment;
    out_.paragraphs.append(std::move(para_));
    para_ = RichParagraph{};
    lastTextAlignment_ = -1;
    formatDirty_ = true;
  }

  void finish() {
    if (para_.runs.isEmpty() && !out_.paragraphs.isEmpty()) return;  // ended by \par
    para_.alignment = lastTextAlignment_ >= 0 ? lastTextAlignment_ : state().alignment;
    out_.paragraphs.append(std::move(para_));
  }

  void commitFont() {
    const QString name = fontName_.trimmed();
    if (fontEntry_ >= 0 && !name.isEmpty()) fonts_.insert(fontEntry_, name);
    fontName_.clear();
  }

  void commitColor() {
    colors_.append(colorPending_ ? std::optional<std::uint32_t>(color_) : std::nullopt);
    color_ = 0;
    colorPending_ = false;
  }

  QStringView in_;
  qsizetype pos_ = 0;
  std::vector<GroupState> stack_;  // [0]: outside all groups; at most 64 groups above it
  int overflow_ = 0;               // open groups deeper than 64 levels
  bool done_ = false;
  int skipChars_ = 0;              // characters still to skip after \uN
  int codePage_ = 1250;

  QHash<int, QString> fonts_;
  int fontEntry_ = -1;
  QString fontName_;
  QList<std::optional<std::uint32_t>> colors_;  // nullopt: the element's own colour
  std::uint32_t color_ = 0;
  bool colorPending_ = false;

  RichText out_;
  RichParagraph para_;
  bool formatDirty_ = true;  // the last run may no longer have the current format
  int lastTextAlignment_ = -1;
};

}  // namespace

QString RichText::plainText() const {
  QString text;
  for (qsizetype i = 0; i < paragraphs.size(); ++i) {
    if (i > 0) text.append(u'\n');
    for (const RichRun& run : paragraphs[i].runs) text.append(run.text);
  }
  return text;
}

bool IsRichText(QStringView text) {
  qsizetype i = 0;
  while (i < text.size() && text[i].isSpace()) ++i;
  return text.sliced(i).startsWith(u"{\\rtf");
}

RichText ParseRichText(QStringView text) { return Parser(text).parse(); }

}  // namespace report
