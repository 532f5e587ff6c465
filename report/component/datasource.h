// The data source of data-set mode: a Qt item model (a QSqlQueryModel over a
// database, or any other model) with a row cursor. Column names come from the
// model's horizontal header (Qt::DisplayRole), their captions from the header's
// kDisplayLabelRole (the name when it has none), column types from the values of
// the first row. A source that can be inactive (a query not yet run) says so and
// can be opened and closed.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QAbstractItemModel;
class QSqlQueryModel;

namespace report {

// Header role of a column's caption.
constexpr int kDisplayLabelRole = 0x0100 + 1;  // Qt::UserRole + 1

struct TDataSource {
  QAbstractItemModel* DataSet = nullptr;  // none: "no table attached"
  std::function<bool()> isActive;         // empty: always active
  std::function<bool()> open;             // opens an inactive data set
  std::function<void()> close;            // closes what open opened

  bool active() const { return !isActive || isActive(); }
};

// A source over an SQL query on the default connection or the named one: active
// while the query has run; open runs it, close clears the model.
TDataSource SqlQuerySource(QSqlQueryModel* model, const QString& sql, const QString& connection = {});

// First / prior / next / last over the rows of a model with the Bof and Eof
// flags of a data set.
class DataCursor {
 public:
  // The step result: bit 0 at the beginning, bit 1 at the end.
  int step(const QAbstractItemModel& model, int dir);
  int row() const { return row_; }
  bool bof() const { return bof_; }
  bool eof() const { return eof_; }
  void set(int row) { row_ = row; }

 private:
  int row_ = 0;
  bool bof_ = true, eof_ = true;
};

// The names and captions of the model's columns.
QStringList ModelFieldNames(const QAbstractItemModel& model);
QStringList ModelFieldLabels(const QAbstractItemModel& model);

}  // namespace report
