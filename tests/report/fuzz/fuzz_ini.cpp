// Fuzzing harness of the ini reader and the paper-format list: any text gives the
// built-in formats plus at most the capped number of valid user formats.
#include <cstdint>
#include <cstdlib>

#include <QByteArray>

#include "report/io/codepage.h"
#include "report/io/inifile.h"
#include "report/io/paperformats.h"
#include "report/model/reportlimits.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QString text = report::DecodeCp1250(QByteArrayView(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
  report::TListFormatu list;
  (void)list.loadIniText(text);
  if (list.count() < report::TListFormatu::kBuiltinCount ||
      list.count() > report::TListFormatu::kBuiltinCount + report::kMaxUserFormats)
    std::abort();
  for (const report::TFormatPapiru& f : list.formats())
    if (f.width < 1 || f.height < 1 || f.width > report::kMaxPaperLength || f.height > report::kMaxPaperLength ||
        f.name.size() > report::kMaxFormatNameLength)
      std::abort();
  report::IniFile ini;
  ini.parse(text);
  ini.setValue(QStringLiteral("FormatyPapiru"), QStringLiteral("PocetFormatu"), QStringLiteral("1"));
  (void)ini.text();
  return 0;
}
