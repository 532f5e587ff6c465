// Sections of a report `TOddilSestavy`, the five fixed sections `TListOddilu` and
// the pagination flags.
#pragma once

#include <array>

#include <QList>
#include <QString>

#include "report/model/reportelement.h"

namespace report {

enum FixedSection : int {
  kSectionStart = 0,   // Z "Začátek sestavy": report start, once before the first row
  kSectionHeader = 1,  // H "Hlava stránky": page header
  kSectionBody = 2,    // T "Tělo sestavy": body, once per row
  kSectionEnd = 3,     // K "Konec sestavy": report end, once after the last row
  kSectionFooter = 4,  // P "Pata stránky": page footer
};
constexpr int kFixedSectionCount = 5;
// Section numbers of group bands: start band of the group at position g is
// kFirstGroupSection + 2g, its end band the number after it.
constexpr int kFirstGroupSection = 5;

// Tag of a fixed section in a template ('Z', 'H', 'T', 'K', 'P').
QChar SectionTag(int section);
QString SectionName(int section);  // "Začátek sestavy" …

struct TOddilSestavy {
  int index = 0;
  int height = 0;  // hundredths of an inch
  bool visible = true;
  int columns = 1;    // column layout copied from the report's paper
  int columnGap = 0;  // hundredths of an inch
  QList<TReportElement> elements;  // in drawing order

  bool operator==(const TOddilSestavy&) const = default;
};

class TListOddilu {
 public:
  TListOddilu() {
    for (int i = 0; i < kFixedSectionCount; ++i) sections_[static_cast<std::size_t>(i)].index = i;
  }
  static constexpr int count() { return kFixedSectionCount; }
  // i must be 0 … 4.
  TOddilSestavy& operator[](int i) { return sections_[static_cast<std::size_t>(i)]; }
  const TOddilSestavy& operator[](int i) const { return sections_[static_cast<std::size_t>(i)]; }
  auto begin() { return sections_.begin(); }
  auto end() { return sections_.end(); }
  auto begin() const { return sections_.begin(); }
  auto end() const { return sections_.end(); }
  bool operator==(const TListOddilu&) const = default;

 private:
  std::array<TOddilSestavy, kFixedSectionCount> sections_;
};

// Pagination flags of a report; the captions are the designer's.
struct PaginationFlags {
  bool NewBodyNewPage = false;   // "Nové tělo na novou stránku"
  bool BreakAfterStart = false;  // "Odstránkovat po začátku sestavy"
  bool BreakBeforeEnd = false;   // "Odstránkovat před koncem sestavy"
  bool EndToFooter = false;      // "Konec sestavy zarovnat k patě"
  bool NoFirstHeader = false;    // "Na první stránce netisknout hlavu"
  bool NoLastFooter = false;     // "Na poslední stránce netisknout patu"

  // The flags a template stores with fixed section s: bit 0 for every section,
  // and for the report end bit 0 BreakBeforeEnd and bit 1 EndToFooter.
  int sectionBits(int section) const;
  void setSectionBits(int section, int bits);
  bool operator==(const PaginationFlags&) const = default;
};

}  // namespace report
