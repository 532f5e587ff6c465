#include "report/model/reportsection.h"

namespace report {

QChar SectionTag(int section) {
  static constexpr char16_t kTags[kFixedSectionCount] = {u'Z', u'H', u'T', u'K', u'P'};
  return section >= 0 && section < kFixedSectionCount ? QChar(kTags[section]) : QChar();
}

QString SectionName(int section) {
  switch (section) {
    case kSectionStart: return QStringLiteral("Začátek sestavy");
    case kSectionHeader: return QStringLiteral("Hlava stránky");
    case kSectionBody: return QStringLiteral("Tělo sestavy");
    case kSectionEnd: return QStringLiteral("Konec sestavy");
    case kSectionFooter: return QStringLiteral("Pata stránky");
    default: return {};
  }
}

int PaginationFlags::sectionBits(int section) const {
  switch (section) {
    case kSectionStart: return BreakAfterStart ? 1 : 0;
    case kSectionHeader: return NoFirstHeader ? 1 : 0;
    case kSectionBody: return NewBodyNewPage ? 1 : 0;
    case kSectionEnd: return (BreakBeforeEnd ? 1 : 0) | (EndToFooter ? 2 : 0);
    case kSectionFooter: return NoLastFooter ? 1 : 0;
    default: return 0;
  }
}

void PaginationFlags::setSectionBits(int section, int bits) {
  switch (section) {
    case kSectionStart: BreakAfterStart = bits & 1; break;
    case kSectionHeader: NoFirstHeader = bits & 1; break;
    case kSectionBody: NewBodyNewPage = bits & 1; break;
    case kSectionEnd:
      BreakBeforeEnd = bits & 1;
      EndToFooter = bits & 2;
      break;
    case kSectionFooter: NoLastFooter = bits & 1; break;
    default: break;
  }
}

}  // namespace report
