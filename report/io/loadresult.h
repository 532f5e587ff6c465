// Outcome of reading a template or an ini file: success plus an error record.
//
// The readers never reject their input. `ok` is false only when the file itself
// could not be read; every field that was malformed, clamped or ignored is listed
// in `issues` with its line and field, the first entry being the error record that
// a caller shows.
#pragma once

#include <QList>
#include <QString>

namespace report {

struct LoadIssue {
  int line = 0;     // 1-based line of the file, 0 for the file as a whole
  int field = 0;    // 1-based comma-separated field of the record, 0 for the whole record
  QString message;  // what was wrong and what the reader did instead

  bool operator==(const LoadIssue&) const = default;
};

struct LoadResult {
  bool ok = true;
  QList<LoadIssue> issues;

  void add(int line, int field, const QString& message) { issues.append({line, field, message}); }
  void fail(int line, const QString& message) {
    ok = false;
    add(line, 0, message);
  }
  bool hasIssues() const { return !issues.isEmpty(); }
  // The first problem found, or an empty record when there was none.
  LoadIssue error() const { return issues.isEmpty() ? LoadIssue{} : issues.first(); }
};

// Messages of the readers.
namespace loadmsg {
inline QString BadInteger() { return QStringLiteral("Chybné celé číslo, použita výchozí hodnota"); }
inline QString OutOfRange() { return QStringLiteral("Hodnota mimo povolený rozsah, upravena"); }
inline QString UnknownSection() { return QStringLiteral("Neznámý oddíl, záznam vynechán"); }
inline QString UnknownKind() { return QStringLiteral("Neznámý druh prvku, záznam vynechán"); }
inline QString UnknownColumn() { return QStringLiteral("Položka tohoto názvu neexistuje"); }
inline QString UnknownFunction() { return QStringLiteral("Funkce tohoto názvu neexistuje"); }
inline QString DuplicateFunction() { return QStringLiteral("Funkce tohoto názvu už existuje, nahrazena"); }
inline QString UnknownGroup() { return QStringLiteral("Neznámá skupina, záznam vynechán"); }
inline QString TooManyGroups() { return QStringLiteral("Příliš mnoho skupin, záznam vynechán"); }
inline QString TooManyFunctions() { return QStringLiteral("Příliš mnoho funkcí, záznam vynechán"); }
inline QString TooManyDetails() { return QStringLiteral("Příliš mnoho detailů, záznam vynechán"); }
inline QString TooDeep() { return QStringLiteral("Příliš hluboké vnoření detailů, záznam vynechán"); }
inline QString NameTooLong() { return QStringLiteral("Příliš dlouhý název, zkrácen"); }
inline QString BadFormat() { return QStringLiteral("Chybný zápis formátu papíru, vynechán"); }
inline QString CannotOpen() { return QStringLiteral("Soubor nelze otevřít"); }
inline QString FileTooLarge() { return QStringLiteral("Soubor je příliš velký, nebyl načten"); }
inline QString LineTooLong() { return QStringLiteral("Příliš dlouhý řádek, záznam vynechán"); }
inline QString TooManyElements() { return QStringLiteral("Příliš mnoho prvků, záznam vynechán"); }
}  // namespace loadmsg

}  // namespace report
