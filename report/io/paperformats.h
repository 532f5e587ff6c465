// The list of named paper formats `TListFormatu`: eighteen built-in formats and
// the additional formats of the component's ini file (section "FormatyPapiru",
// key "PocetFormatu" with their count, keys "Format1" … "Format"n each holding a
// name, a width and a height separated by commas; the name may be quoted).
#pragma once

#include <QList>
#include <QString>

#include "report/io/loadresult.h"

namespace report {

class IniFile;

struct TFormatPapiru {
  QString name;    // up to kMaxFormatNameLength characters
  int width = 0;   // hundredths of an inch
  int height = 0;  // hundredths of an inch
  bool operator==(const TFormatPapiru&) const = default;
};

class TListFormatu {
 public:
  static constexpr int kBuiltinCount = 18;

  TListFormatu();  // the built-in formats only

  const QList<TFormatPapiru>& formats() const { return formats_; }
  int count() const { return static_cast<int>(formats_.size()); }
  const TFormatPapiru& at(int i) const { return formats_.at(i); }
  // Formats from the ini file (everything after the built-in ones).
  QList<TFormatPapiru> userFormats() const { return formats_.mid(kBuiltinCount); }
  // The first entry is the user's own format; its size may be changed.
  void setOwnFormatSize(int width, int height);
  // Adds a user format (name cut to kMaxFormatNameLength, sides clamped).
  void addUserFormat(TFormatPapiru format);
  // Removes user format number i (0 = the first user format); false when there is none.
  bool removeUserFormat(int i);
  // Index of the format with this size, or -1.
  int indexOfSize(int width, int height) const;

  // Rebuilds the list: the built-in formats, then the ini file's formats. A file
  // that does not exist adds nothing and is no error; a file that exists but
  // cannot be read gives ok false.
  LoadResult loadIni(const QString& path);
  // The same from the text of an ini file.
  LoadResult loadIniText(const QString& text);
  // Writes the user formats into the ini file's section "FormatyPapiru", keeping
  // everything else in the file. False when the file could not be written.
  bool saveIni(const QString& path) const;

 private:
  LoadResult readFormats(const IniFile& ini);
  QList<TFormatPapiru> formats_;
};

}  // namespace report
