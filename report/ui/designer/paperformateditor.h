// The paper-format list of the report settings with its ini file: the built-in
// formats come first and are rebuilt at every start; the formats after them come
// from the ini file and are the user's own, the only ones that can be removed.
// Every change writes the user formats back: section "FormatyPapiru", their
// number under "PocetFormatu", each as "Format"n = name,width,height. The ini
// file is written whole beside the old one first and then put in its place.
#pragma once

#include <QString>

#include "report/io/paperformats.h"

namespace report {

class PaperFormatEditor {
 public:
  PaperFormatEditor(TListFormatu& formats, QString iniPath) : formats_(formats), iniPath_(std::move(iniPath)) {}

  // Whether entry `i` of the list is a user format.
  static bool IsUserFormat(int i) { return i >= TListFormatu::kBuiltinCount; }

  // Adds a format at the end of the list and writes the list back; its index.
  // The format stays in the list even when writing fails (*written false).
  int add(const TFormatPapiru& format, bool* written = nullptr);
  // Removes user format at list index `i` and writes the list back; false when
  // `i` is no user format or writing failed.
  bool remove(int i);
  // The index of the format that fits a paper of this size (the first entry,
  // the user's own format, resized when none does).
  int indexFor(int width, int height);

  const QString& iniPath() const { return iniPath_; }

 private:
  TListFormatu& formats_;
  QString iniPath_;
};

}  // namespace report
