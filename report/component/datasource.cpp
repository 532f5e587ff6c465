#include "report/component/datasource.h"

#include <QAbstractItemModel>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlQueryModel>

namespace report {

TDataSource SqlQuerySource(QSqlQueryModel* model, const QString& sql, const QString& connection) {
  TDataSource source;
  source.DataSet = model;
  source.isActive = [model] { return model->query().isActive(); };
  source.open = [model, sql, connection] {
    const QSqlDatabase db = connection.isEmpty() ? QSqlDatabase::database() : QSqlDatabase::database(connection);
    model->setQuery(sql, db);
    // A model fetches in portions; a report reads every row.
    while (model->canFetchMore()) model->fetchMore();
    return model->query().isActive();
  };
  source.close = [model] { model->clear(); };
  return source;
}

int DataCursor::step(const QAbstractItemModel& model, int dir) {
  const int count = model.rowCount();
  switch (dir) {
    case 0:  // first
      row_ = 0;
      bof_ = true;
      eof_ = count == 0;
      break;
    case 1:  // prior
      if (row_ <= 0) {
        bof_ = true;
      } else {
        --row_;
        bof_ = false;
        eof_ = false;
      }
      break;
    case 2:  // next
      if (row_ + 1 >= count) {
        eof_ = true;
      } else {
        ++row_;
        bof_ = false;
        eof_ = false;
      }
      break;
    case 3:  // last
      row_ = count > 0 ? count - 1 : 0;
      eof_ = true;
      bof_ = count == 0;
      break;
    default: break;
  }
  return (bof_ ? 1 : 0) | (eof_ ? 2 : 0);
}

QStringList ModelFieldNames(const QAbstractItemModel& model) {
  QStringList names;
  for (int c = 0; c < model.columnCount(); ++c) names.append(model.headerData(c, Qt::Horizontal).toString());
  return names;
}

QStringList ModelFieldLabels(const QAbstractItemModel& model) {
  QStringList labels;
  for (int c = 0; c < model.columnCount(); ++c) {
    const QVariant label = model.headerData(c, Qt::Horizontal, kDisplayLabelRole);
    labels.append(label.isValid() ? label.toString() : model.headerData(c, Qt::Horizontal).toString());
  }
  return labels;
}

}  // namespace report
