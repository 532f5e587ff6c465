// TSestavaD: the data events and the data source of data-set mode.
#include <QAbstractItemModel>
#include <QDateTime>
#include <QVariant>

#include "report/component/sestava.h"
#include "report/ui/messages.h"

namespace report {
namespace {

int TypeOfValue(const QVariant& v) {
  switch (v.typeId()) {
    case QMetaType::Bool: return ftBoolean;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong: return ftInteger;
    case QMetaType::Double:
    case QMetaType::Float: return ftFloat;
    case QMetaType::QDate: return ftDate;
    case QMetaType::QTime: return ftTime;
    case QMetaType::QDateTime: return ftDateTime;
    case QMetaType::QByteArray: return ftBlob;
    case QMetaType::QImage:
    case QMetaType::QPixmap: return ftGraphic;
    case QMetaType::QString: return ftString;
    default: return ftUnknown;
  }
}

}  // namespace

void TSestavaD::FetchRow() {
  if (OnGetData) {
    OnGetData(*this);
    return;
  }
  RowValues.clear();
  if (!DataSource || !DataSource->DataSet) return;
  const QAbstractItemModel& model = *DataSource->DataSet;
  for (int c = 0; c < model.columnCount(); ++c)
    RowValues.append(model.data(model.index(cursor_.row(), c)).toString());
}

int TSestavaD::StepRow(int dir) {
  int result = srBofEof;
  if (OnGetData) {
    result = OnStepData ? OnStepData(*this, dir) : srBofEof;
  } else if (DataSource && DataSource->DataSet) {
    result = cursor_.step(*DataSource->DataSet, dir);
  } else {
    return srBofEof;
  }
  FetchRow();
  return result;
}

int TSestavaD::columnDataType(int index) const {
  int type = ftUnknown;
  if (!OnGetData && DataSource && DataSource->DataSet && index >= 0 && index < DataSource->DataSet->columnCount()) {
    const QAbstractItemModel& m = *DataSource->DataSet;
    type = TypeOfValue(m.data(m.index(cursor_.row(), index)));
  }
  if (OnGetDataType) OnGetDataType(const_cast<TSestavaD&>(*this), index, type);
  return type == ftFmtMemo ? ftMemo : type;
}

int TSestavaD::columnAlignment(int index) const {
  int alignment = 0;
  if (OnGetAlignment) OnGetAlignment(const_cast<TSestavaD&>(*this), index, alignment);
  return alignment;
}

int TSestavaD::columnDisplayWidth(int index) const {
  if (!OnGetData && DataSource && DataSource->DataSet) {
    const QVariant w = DataSource->DataSet->headerData(index, Qt::Horizontal, Qt::SizeHintRole);
    if (w.canConvert<int>() && w.toInt() > 0) return w.toInt();
  }
  return 10;
}

QString TSestavaD::columnText(int index) const { return ReportData::columnText(index); }

double TSestavaD::columnValue(int index) const {
  if (OnGetData || !DataSource || !DataSource->DataSet) return ReportData::columnValue(index);
  const QAbstractItemModel& m = *DataSource->DataSet;
  if (index < 0 || index >= m.columnCount()) return 0;
  const QVariant v = m.data(m.index(cursor_.row(), index));
  switch (TypeOfValue(v)) {
    case ftBoolean: return v.toBool() ? 1.0 : 0.0;
    case ftInteger:
    case ftFloat: return v.toDouble();
    case ftDate:
    case ftTime:
    case ftDateTime: {
      // Days since 30 December 1899 with the time of day as the fraction.
      const QDateTime when = v.toDateTime();
      const QDateTime epoch(QDate(1899, 12, 30), QTime(0, 0));
      return epoch.msecsTo(when) / 86400000.0;
    }
    case ftString: return ReportData::columnValue(index);
    default: return 0;
  }
}

int TSestavaD::prepare(Operation op) {
  openedByUs_ = false;
  if (!eventMode()) {
    if (!DataSource) {
      ReportMessages::Error(nullptr, QStringLiteral("Není definován zdroj dat."));
      return seDataNotReady;
    }
    if (!DataSource->DataSet) {
      ReportMessages::Error(nullptr, QStringLiteral("Ke zdroji dat není připojena žádná tabulka."));
      return seDataNotReady;
    }
    if (!DataSource->active()) {
      if (ReportMessages::Ask(nullptr, QStringLiteral("Připojená tabulka není aktivní. Zkusit otevřít?")) !=
          Answer::Yes)
        return seDataNotReady;
      const bool opened = DataSource->open && DataSource->open();
      if (!opened || !DataSource->active()) {
        ReportMessages::Error(nullptr, QStringLiteral("Připojenou tabulku se nepodařilo otevřít."));
        return seDataNotReady;
      }
      openedByUs_ = true;
    }
    FieldNames = ModelFieldNames(*DataSource->DataSet);
    FieldLabels = ModelFieldLabels(*DataSource->DataSet);
    bookmark_ = cursor_.row();
  }
  return TSestavaTyp::prepare(op);
}

void TSestavaD::finishRun(Operation op) {
  cursor_.set(bookmark_);
  // The component closes only what it opened itself.
  if (openedByUs_ && DataSource && DataSource->close) DataSource->close();
  openedByUs_ = false;
  TSestavaTyp::finishRun(op);
}

bool TSestavaD::paintBox(int index, int width, int height, QPainter& painter) {
  if (!OnPaintBox) return false;
  OnPaintBox(*this, index, width, height, painter);
  return true;
}

}  // namespace report
