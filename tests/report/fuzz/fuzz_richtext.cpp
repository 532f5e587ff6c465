// Fuzzing harness of the rich-text reader: any input gives at least one paragraph,
// no more plain text than input characters, no empty runs, no two neighbouring
// runs with the same formatting, and alignments and font sizes in their ranges.
#include <cstdint>
#include <cstdlib>

#include <QString>

#include "report/layout/richtext.h"

namespace {

bool SameFormat(const report::RichRun& a, const report::RichRun& b) {
  return a.bold == b.bold && a.italic == b.italic && a.underline == b.underline && a.pointSize == b.pointSize &&
         a.fontName == b.fontName && a.hasColor == b.hasColor && a.rgb == b.rgb;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QString text = QString::fromLatin1(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  (void)report::IsRichText(text);
  const report::RichText rich = report::ParseRichText(text);
  if (rich.paragraphs.isEmpty()) std::abort();
  if (rich.plainText().size() > text.size()) std::abort();
  for (const report::RichParagraph& p : rich.paragraphs) {
    if (p.alignment < report::kRichAlignLeft || p.alignment > report::kRichAlignJustify) std::abort();
    for (qsizetype i = 0; i < p.runs.size(); ++i) {
      const report::RichRun& r = p.runs[i];
      if (r.text.isEmpty()) std::abort();
      if (i > 0 && SameFormat(p.runs[i - 1], r)) std::abort();
      if (!(r.pointSize >= 0 && r.pointSize <= report::kRichMaxPointSize)) std::abort();
      if (r.fontName.size() > 255 || r.rgb > 0xFFFFFFu || (!r.hasColor && r.rgb != 0)) std::abort();
      for (QChar c : r.text)
        if (c.unicode() < 0x20 && c != u'\n' && c != u'\t') std::abort();
    }
  }
  return 0;
}
