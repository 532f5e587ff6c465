// The file routines of fileio for Qt callers: QString paths, QByteArray contents.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include "fileio/safefile.h"

namespace fileio {

inline std::string NativePath(const QString& path) { return QFile::encodeName(path).toStdString(); }

inline bool SaveFile(const QString& path, const QByteArray& bytes, const SaveOptions& options = {},
                     QString* error = nullptr) {
  std::string why;
  const bool ok = SaveFile(NativePath(path), std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                           options, &why);
  if (!ok && error) *error = QString::fromLocal8Bit(why.data(), static_cast<qsizetype>(why.size()));
  return ok;
}

inline ReadStatus ReadRegularFile(const QString& path, std::size_t maxBytes, QByteArray* bytes,
                                  QString* error = nullptr) {
  std::string data, why;
  const ReadStatus status = ReadRegularFile(NativePath(path), maxBytes, &data, &why);
  *bytes = QByteArray(data.data(), static_cast<qsizetype>(data.size()));
  if (status != ReadStatus::kOk && error) *error = QString::fromLocal8Bit(why.data(), static_cast<qsizetype>(why.size()));
  return status;
}

}  // namespace fileio
