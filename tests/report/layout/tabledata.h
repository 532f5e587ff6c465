// A host that keeps its rows in a table and answers the step protocol the way
// the main window does (rows 1..N), with counters of the calls and switches for
// hostile behaviour.
#pragma once

#include <QList>
#include <QStringList>
#include <memory>
#include <vector>

#include "report/run/reportdata.h"

namespace report {

class TableData : public ReportData {
 public:
  explicit TableData(QStringList names = {}, QList<QStringList> rows = {}) : rows_(std::move(rows)) {
    FieldNames = std::move(names);
    locale = ReportLocale::c();
  }
  int StepRow(int dir) override {
    ++steps;
    int result = srOk;
    const int n = static_cast<int>(rows_.size());
    if (endless) {
      row_ = 1;
      result = dir == sdFirst ? srBof : srOk;
    } else if (dir == sdFirst) {
      row_ = 1;
      result = firstAnswer >= 0 ? firstAnswer : srBof;
    } else if (dir == sdPrior) {
      if (row_ < 2) result = srBof;
      else --row_;
    } else if (dir == sdNext) {
      if (row_ >= n) result = srEof;
      else ++row_;
    } else {
      row_ = n;
      result = srEof;
    }
    FetchRow();
    return result;
  }
  void FetchRow() override {
    ++fetches;
    RowValues = row_ >= 1 && row_ <= rows_.size() ? rows_[row_ - 1] : QStringList{};
  }
  ReportData* detailData(int d) override {
    return d >= 0 && d < static_cast<int>(details.size()) ? details[static_cast<std::size_t>(d)].get() : nullptr;
  }

  int steps = 0, fetches = 0;
  bool endless = false;  // never reports the end
  int firstAnswer = -1;  // what sdFirst answers; -1: srBof
  std::vector<std::unique_ptr<TableData>> details;

 private:
  QList<QStringList> rows_;
  int row_ = 0;
};

// Rows "1", "2", … "n" of one column "x".
inline QList<QStringList> NumberRows(int n) {
  QList<QStringList> rows;
  for (int i = 1; i <= n; ++i) rows.append({QString::number(i)});
  return rows;
}

}  // namespace report
