// Shared by the report tests: readable GoogleTest output of Qt texts and of load
// issues, and short conversions of the u"" literals of case tables.
#pragma once

#include <ostream>
#include <string>

#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QStringList& l, std::ostream* os) {
  *os << "{\n";
  for (const QString& s : l) *os << "  " << s.toStdString() << '\n';
  *os << '}';
}

// GoogleTest prints a QString as a container of QChar; these helpers give text.
namespace testing::internal {
template <>
class UniversalPrinter<QString> {
 public:
  static void Print(const QString& s, std::ostream* os) { ::PrintTo(s, os); }
};
template <>
class UniversalPrinter<QStringList> {
 public:
  static void Print(const QStringList& l, std::ostream* os) { ::PrintTo(l, os); }
};
}  // namespace testing::internal

inline QString U(const char16_t* s) { return QString::fromUtf16(s); }
inline std::string S(const char16_t* s) { return QString::fromUtf16(s).toStdString(); }

#include "report/io/loadresult.h"

namespace report {
inline void PrintTo(const LoadIssue& i, std::ostream* os) {
  *os << "{line " << i.line << ", field " << i.field << ", " << i.message.toStdString() << '}';
}
}  // namespace report
