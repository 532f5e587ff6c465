// The data of a report run as the host supplies it: the parameter texts, the
// column names and captions, the current row, and the step/get-data protocol
// that moves through the rows. The report component derives from it and answers
// the protocol through its events or a data set; tests supply rows directly.
#pragma once

#include <QStringList>

#include "report/io/numberformat.h"

namespace report {

// Directions of a step (the host's handler receives these numbers).
enum TStepDir : int { sdFirst = 0, sdPrior = 1, sdNext = 2, sdLast = 3 };
// Result of a step: bit 0 at the beginning, bit 1 at the end.
enum TStepResult : int { srOk = 0, srBof = 1, srEof = 2, srBofEof = 3 };

// Column data types, numbered as the data sets of the host's database layer do.
enum TFieldTypeS : int {
  ftUnknown = 0, ftString = 1, ftSmallint = 2, ftInteger = 3, ftWord = 4, ftBoolean = 5, ftFloat = 6,
  ftCurrency = 7, ftBCD = 8, ftDate = 9, ftTime = 10, ftDateTime = 11, ftBytes = 12, ftVarBytes = 13,
  ftAutoInc = 14, ftBlob = 15, ftMemo = 16, ftGraphic = 17, ftFmtMemo = 18,
};

class ReportData {
 public:
  virtual ~ReportData() = default;

  QStringList Parametry;    // parameter texts, from 0
  QStringList FieldNames;   // column names
  QStringList FieldLabels;  // column captions
  QStringList RowValues;    // the current row, one text per column
  bool AllowNullValues = false;
  ReportLocale locale = ReportLocale::system();

  // ---- The step/get-data protocol. Without a source there are no rows: a step
  // answers srBofEof.
  virtual int StepRow(int dir);
  virtual void FetchRow() {}

  // ---- Column accessors.
  virtual int columnCount() const { return static_cast<int>(FieldNames.size()); }
  virtual QString columnText(int index) const;           // "Položka ?" when out of range
  virtual double columnValue(int index) const;           // 0 when out of range or not a number
  virtual QString columnName(int index) const;           // the index in decimal when out of range
  virtual int columnIndex(const QString& name) const;    // case-insensitive; -1
  virtual QString columnCaption(int index) const;        // empty when out of range
  virtual int columnDataType(int index) const;           // ftUnknown unless the source knows better
  virtual int columnAlignment(int index) const;          // 0 left, 1 right, 2 centre
  virtual int columnDisplayWidth(int index) const;       // characters; 10 unless the source knows better
  QString parameterText(int index) const;                // empty when out of range

  // ---- Detail reports: the data of detail report d of this report, or nullptr
  // when there is none (the detail then has no rows and outputs nothing).
  virtual ReportData* detailData(int d);
};

}  // namespace report
